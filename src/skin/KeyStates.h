// The keys of a skinned window that the window draws itself instead of making
// a child window of each (the on-screen keyboard of the main window: 169 keys).
// KeyStates holds where each key is, whether it is latched or enabled, and what
// the mouse does to them: hover, press, and a click when the press is released
// over the key it started on. It decides each key's look; every operation says
// which keys' looks changed, so the window repaints only those. No window code:
// KeyPad (KeyPad.h) puts it on a window.
#pragma once
#include <cstddef>
#include <initializer_list>
#include <vector>

#include "skin/SkinRect.h"

namespace zavo {

// The looks of a key, in the order of a window's face pictures (rest, under
// the mouse, pressed or latched, disabled).
enum class KeyLook { Rest = 0, Over = 1, Down = 2, Disabled = 3 };

// The keys whose look an operation changed (at most three: the key the mouse
// left, the key it reached, the key that was pressed).
struct KeyChanges {
    int keys[3] = {-1, -1, -1};
    int count = 0;
    bool Has(int key) const;
};

class KeyStates {
public:
    // Adds a key at `rect` (client pixels) and returns its index, counted from 0.
    // A rectangle without area (empty or inverted) is a key that can be set and
    // drawn but never hit.
    int Add(const SkinRect& rect, bool latched = false);
    void Clear();
    int Count() const { return static_cast<int>(m_Keys.size()); }
    const SkinRect& Rect(int key) const { return m_Keys[static_cast<std::size_t>(key)].rect; }

    // The key at client point (x, y), -1 when none. Keys that overlap: the one
    // added first.
    int KeyAt(int x, int y) const;

    // Latched: shown pressed whatever the mouse does. A disabled key shows its
    // disabled look, takes no hover and no press, and is never clicked. Both
    // return true when the key's look changed; an index out of range changes
    // nothing.
    bool SetLatched(int key, bool latched);
    bool SetEnabled(int key, bool enabled);
    bool IsLatched(int key) const;
    bool IsEnabled(int key) const;
    KeyLook Look(int key) const;

    int Hovered() const { return m_Hover; }
    int Pressed() const { return m_Pressed; }

    // The mouse moved to (x, y) over the window. While a key is pressed only
    // that key shows the mouse (pressed while over it, at rest elsewhere).
    KeyChanges MouseMove(int x, int y);
    // The mouse left the window.
    KeyChanges MouseLeave();
    // The left button went down at (x, y): true when an enabled key was there
    // and is now pressed (the window then holds the mouse until the release).
    bool Press(int x, int y, KeyChanges& changes);
    // The left button came up at (x, y): the key clicked (the pressed key, when
    // the button came up over it and it is still enabled), or -1.
    int Release(int x, int y, KeyChanges& changes);
    // The press ended without a release (the window lost the mouse).
    KeyChanges CancelPress();

private:
    struct Key {
        SkinRect rect;
        bool latched = false;
        bool enabled = true;
    };
    bool Valid(int key) const { return key >= 0 && key < Count(); }
    // Runs `change` and reports which of `candidates` look different after it.
    template <typename Change>
    KeyChanges Compare(std::initializer_list<int> candidates, Change change);

    std::vector<Key> m_Keys;
    int m_Hover = -1;
    int m_Pressed = -1;
};

}  // namespace zavo
