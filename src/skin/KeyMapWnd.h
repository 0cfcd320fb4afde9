// CKeyMapWnd: the on-screen keyboard (or the lighting window's zones) as one
// control, for the keyboard and for screen readers. The keys stay drawn by
// their window (KeyPad) or their buttons; this window lies over them, lets
// every mouse message through to what lies below and paints nothing, so the
// mouse and the pictures work as before. It is a Tab stop:
// with the focus, the arrow keys move between keys as they lie on the board,
// Home and End to the ends of a row, Space and Enter select the key. To a
// reader it is a list whose items are the keys, each named by its owner (the
// key's legend and what it is assigned to).
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "framework/Accessible.h"
#include "framework/Wnd.h"
#include "skin/SkinRect.h"

namespace zavo {

class CKeyMapWnd : public CWnd, public AccessibleSource {
public:
    // What the keys are; the owner outlives the window.
    class Owner {
    public:
        virtual ~Owner() = default;
        // The key's name for a reader: its legend and what it does.
        virtual std::wstring KeyName(int key) const = 0;
        virtual bool KeyEnabled(int key) const = 0;
        // Selected or lit (latched).
        virtual bool KeySelected(int key) const = 0;
        // Space or Enter on key `key` (an enabled one).
        virtual void PressKey(int key) = 0;
        // The focus mark left `before` and reached `after` (client pixels of
        // the parent; empty for none): repaint them.
        virtual void FocusMarkMoved(const SkinRect& before, const SkinRect& after) = 0;
    };

    // Covers the keys of `keys` (client pixels of `parent`; key i is index i,
    // empty rectangles are no keys) and is named `name` for a reader.
    BOOL Create(CWnd& parent, std::vector<SkinRect> keys, Owner& owner, std::wstring name);

    // The key that has the focus mark: the focused key while this window has
    // the focus and the window shows its focus cues; -1 otherwise.
    int MarkedKey() const;
    int FocusedKey() const { return m_Focused; }
    const SkinRect& KeyRect(int key) const { return m_Keys[static_cast<size_t>(key)]; }
    // The owner changed what key `key` is (its name or state): a reader is told.
    void KeyChanged(int key);

    // AccessibleSource: element key + 1 is key `key`.
    AccessibleFacts Describe(long child) const override;
    long Elements() const override { return static_cast<long>(m_Keys.size()); }
    bool ElementRect(long child, RECT* screen) const override;
    long FocusedElement() const override { return m_Focused + 1; }
    long ElementAt(POINT screen) const override;
    bool DoDefaultAction(long child) override;

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

protected:
    void OnPaint() override;
    BOOL OnEraseBkgnd(HDC) override { return TRUE; }
    void OnKeyDown(UINT vk, UINT repeat, UINT flags) override;
    UINT OnGetDlgCode() override;
    void OnSetFocus(HWND oldFocus) override;
    void OnKillFocus(HWND newFocus) override;
    void OnDestroy() override;

private:
    void MoveFocus(int key);
    bool HasArea(int key) const;
    SkinRect MarkRect() const;

    std::vector<SkinRect> m_Keys;
    RECT m_Area{};  // the keys' bounds, in the parent's client pixels
    Owner* m_pOwner = nullptr;
    std::wstring m_Name;
    int m_Focused = -1;
};

}  // namespace zavo
