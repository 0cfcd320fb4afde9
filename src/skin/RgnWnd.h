// CRgnWnd: a child window shaped by a 24-bit BMP picture, every pixel that is not
// the key colour (red 255, green 0, blue 200) belonging to it.
// CRgnButton: a push button made of it, with four pictures (rest, hover, pressed,
// disabled), the end of a hover found by a short one-shot timer (armed by every
// move, and again while the hover lasts), and a click for a left-button release
// inside the shape: a click notification to its parent, reflected back to run
// the button's OnClick action.
#pragma once
#include <windows.h>

#include <array>
#include <functional>
#include <string>

#include "framework/Controls.h"
#include "framework/Gdi.h"
#include "framework/Wnd.h"

namespace zavo {

class CRgnWnd : public CWnd {
public:
    static constexpr const wchar_t* CLASS_NAME = L"Rgn Button";

    // Creates the window as a visible child of `parent` with control id 0. The
    // shape is read from entry 0 of the picture names (set them first); the
    // window is then placed at (0, 0) with the shape picture's size. A shape
    // file that cannot be read leaves the window unshaped at size 0 x 0.
    BOOL Create(CWnd* parent);

    // Whether client point `pt` lies inside the shape.
    bool InShape(POINT pt) const { return m_Region && PtInRegion(m_Region, pt.x, pt.y); }

protected:
    int OnCreate(CREATESTRUCTW* cs) override;
    void OnMouseMove(UINT flags, POINT pt) override;

    ScopedRgn m_Region;  // kept for hit tests; the window holds its own copy
    bool m_MouseDown = false;
    bool m_Inside = false;
    std::array<std::wstring, 4> m_ImageNames;

private:
    void BuildShape(const std::wstring& path);
};

class CRgnButton : public CRgnWnd {
public:
    enum State { STATE_REST = 0, STATE_HOVER = 1, STATE_PRESSED = 2, STATE_DISABLED = 3 };
    static constexpr UINT_PTR HOVER_TIMER = 0;
    static constexpr UINT HOVER_DELAY_MS = 50;

    // Stores the four picture paths; a slot whose path changed lets go of its
    // picture, and each picture is read when it is first drawn (a key that
    // stays locked reads one file, not four, and a window that is still
    // hidden reads none). Neither repaints nor reshapes: the shape is made
    // once, at creation. A picture that cannot be read leaves its slot empty
    // (and is not tried again until its path changes); painting an empty slot
    // shows the rest picture instead (or nothing when that is missing too).
    void SetImages(const std::wstring& rest, const std::wstring& hover, const std::wstring& pressed,
                   const std::wstring& disabled);
    int GetState() const { return m_State; }
    void OnClick(std::function<void()> run) { m_Click.Set(std::move(run)); }
    bool ReflectedCommand(UINT notifyCode) override { return m_Click.Run(notifyCode); }

    // Draws the picture the current state selects at (0, 0) of `dc`.
    void DrawState(HDC dc);

protected:
    void OnLButtonDown(UINT flags, POINT pt) override;
    void OnLButtonDblClk(UINT flags, POINT pt) override;
    void OnLButtonUp(UINT flags, POINT pt) override;
    void OnMouseMove(UINT flags, POINT pt) override;
    void OnTimer(UINT_PTR id) override;
    void OnPaint() override;
    // The disabled look follows the window's enabled state at once, whatever
    // else changes with it (pictures swapped just before, for example).
    void OnEnable(BOOL enabled) override;

private:
    void Press(POINT pt);
    void Repaint() { Invalidate(TRUE); }
    // The picture of `state`, read on first use; null when it cannot be read.
    HBITMAP Picture(int state);

    int m_State = STATE_REST;
    std::array<ScopedBitmap, 4> m_Pictures;
    std::array<bool, 4> m_Read{};
    ClickAction m_Click;
};

}  // namespace zavo
