// KeyPad: keys that their window draws itself instead of making a child window
// of each. The on-screen keyboard of the main window has 169 keys; as windows
// they cost most of the window's start-up and a bitmap each for their looks.
// Here a key is a rectangle of the host window: KeyStates decides its look, the
// host's paint draws the keys that do not show their rest look straight from
// the window's faces (the rest look is the background itself), and one
// tooltip window serves every key.
//
// The host passes its mouse messages in (OnMouseMove ... OnCaptureChanged), its
// mouse messages to RelayEvent from PreTranslateMessage, calls Paint from its
// paint, and Clear when its window is destroyed.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "platform/Win32Handle.h"
#include "skin/KeyStates.h"

namespace zavo {

class FaceSet;

class KeyPad {
public:
    KeyPad() = default;
    ~KeyPad();
    KeyPad(const KeyPad&) = delete;
    KeyPad& operator=(const KeyPad&) = delete;

    // The window the keys are drawn on; keys are added after.
    void Attach(HWND host) { m_Host = host; }
    // Adds a key at `rect` (client pixels) with its tooltip text ("" for none).
    int Add(const SkinRect& rect, std::wstring tooltip, bool latched = false);
    // Forgets every key and destroys the tooltip window.
    void Clear();

    // Each repaints the key when its look changed.
    void SetLatched(int key, bool latched);
    void SetEnabled(int key, bool enabled);
    const KeyStates& States() const { return m_States; }

    // The host's mouse messages, in client pixels.
    void OnMouseMove(POINT pt);
    void OnMouseLeave();
    // True when the press landed on a key (pressed, or disabled and ignored):
    // the host must not take it as a press on its background.
    bool OnButtonDown(POINT pt);
    // The key the release clicked, or -1.
    int OnButtonUp(POINT pt);
    void OnCaptureChanged(HWND newCapture);
    // Shows the tooltips: pass every message of the host's thread.
    void RelayEvent(MSG* msg);

    // Draws into `dc` (client coordinates) every key in `area` that does not
    // show its rest look, from the face of its look (the keys of one look in
    // one copy, clipped to them); a look whose face is missing shows the rest
    // look, as the background already does.
    void Paint(HDC dc, const RECT& area, const FaceSet& faces) const;

    // The tooltip window (null until the mouse first reached the host).
    HWND Tooltip() const { return m_Tooltip; }

private:
    // Draws `look` over `rects` (client coordinates, at least one).
    static void PaintLook(HDC dc, const FaceSet& faces, int look, const std::vector<SkinRect>& rects);
    void Repaint(const KeyChanges& changes) const;
    void RepaintKey(int key) const;
    void EnsureTooltip();

    HWND m_Host = nullptr;
    KeyStates m_States;
    std::vector<std::wstring> m_Tips;
    ScopedWindow m_Tooltip;
    bool m_TrackingLeave = false;
};

}  // namespace zavo
