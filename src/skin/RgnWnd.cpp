#include "skin/RgnWnd.h"

#include "skin/Picture.h"
#include "skin/Region.h"
#include "skin/ShapeFile.h"

namespace zavo {

// ----- CRgnWnd -----------------------------------------------------------------

BOOL CRgnWnd::Create(CWnd* parent) {
    const wchar_t* cls = RegisterWndClass(CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS, LoadCursorW(nullptr, IDC_ARROW),
                                          nullptr, nullptr, CLASS_NAME);
    if (!cls) return FALSE;
    return CWnd::Create(cls, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, RECT{0, 0, 0, 0}, parent, 0);
}

int CRgnWnd::OnCreate(CREATESTRUCTW*) {
    if (Default() == -1) return -1;
    BuildShape(m_ImageNames[0]);
    return 0;
}

// The shape file is read whole and checked before any pixel is used; a file
// that cannot serve as a shape (missing, not a 24-bit BMP, shorter than its
// headers promise) leaves the window without a shape, and creation still
// succeeds.
void CRgnWnd::BuildShape(const std::wstring& path) {
    m_Region.Reset();
    ShapePicture shape = ReadShapeFile(path);
    if (!shape.ok()) {
        OutputDebugStringW((L"Rgn Button shape \"" + path + L"\": " + ShapeStatusText(shape.status) + L"\n").c_str());
        return;
    }
    const SkinRect bounds{0, 0, shape.width, shape.height};
    m_Region = RegionFromRectList(shape.rects.data(), shape.rects.size(), bounds);
    // The window gets a copy of its own; m_Region stays for the hit tests.
    ScopedRgn copy(CreateRectRgn(0, 0, 0, 0));
    CombineRgn(copy, m_Region, nullptr, RGN_COPY);
    if (SetWindowRgn(copy, TRUE)) copy.Release();
    MoveWindow(0, 0, shape.width, shape.height, TRUE);
}

void CRgnWnd::OnMouseMove(UINT, POINT pt) {
    if (m_MouseDown) {
        bool inside = InShape(pt);
        if (inside != m_Inside) {
            m_Inside = inside;
            Invalidate(TRUE);
        }
    }
    Default();
}

// ----- CRgnButton --------------------------------------------------------------

void CRgnButton::SetImages(const std::wstring& rest, const std::wstring& hover, const std::wstring& pressed,
                           const std::wstring& disabled) {
    const std::array<std::wstring, 4> names = {rest, hover, pressed, disabled};
    for (size_t i = 0; i < m_Pictures.size(); ++i) {
        if (names[i] == m_ImageNames[i]) continue;
        m_ImageNames[i] = names[i];
        m_Pictures[i].Reset();
        m_Read[i] = false;
    }
}

HBITMAP CRgnButton::Picture(int state) {
    const auto slot = static_cast<size_t>(state);
    if (!m_Read[slot]) {
        m_Read[slot] = true;
        m_Pictures[slot] = LoadPictureBitmap(m_ImageNames[slot]);
    }
    return m_Pictures[slot];
}

void CRgnButton::Press(POINT pt) {
    m_MouseDown = true;
    SetCapture();
    if (InShape(pt))
        m_State = STATE_PRESSED;
    else
        m_Inside = false;
    Repaint();
}

void CRgnButton::OnLButtonDown(UINT, POINT pt) {
    Press(pt);
    Default();
}

// A quick second click counts as a press of its own.
void CRgnButton::OnLButtonDblClk(UINT, POINT pt) {
    Press(pt);
    Default();
}

void CRgnButton::OnLButtonUp(UINT, POINT pt) {
    m_MouseDown = false;
    m_Inside = false;
    m_State = STATE_REST;
    if (::GetCapture() == m_hWnd) ::ReleaseCapture();
    Repaint();
    Default();
    HWND parent = GetParent();
    if (InShape(pt) && parent) {
        ::SendMessageW(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), BN_CLICKED), reinterpret_cast<LPARAM>(m_hWnd));
    }
}

// The look follows the press as it was before this move (the base tracking
// below updates it), so the first move after a press inside shows the hover
// picture and the next the pressed one.
void CRgnButton::OnMouseMove(UINT flags, POINT pt) {
    KillTimer(HOVER_TIMER);
    int state = m_Inside ? STATE_PRESSED : STATE_HOVER;
    if (state != m_State) {
        m_State = state;
        Repaint();
    }
    SetTimer(HOVER_TIMER, HOVER_DELAY_MS);
    CRgnWnd::OnMouseMove(flags, pt);
}

void CRgnButton::OnTimer(UINT_PTR id) {
    if (id == HOVER_TIMER) {
        KillTimer(HOVER_TIMER);
        POINT pt;
        ::GetCursorPos(&pt);
        ScreenToClient(&pt);
        if (!InShape(pt) && m_State == STATE_HOVER && ::GetCapture() != m_hWnd) {
            m_State = STATE_REST;
            Repaint();
        } else if (m_State == STATE_HOVER) {
            // Still hovering: look again later. A mouse that rests and then
            // leaves in one jump sends this window no further move, and the
            // hover look would otherwise stay until the mouse came back.
            SetTimer(HOVER_TIMER, HOVER_DELAY_MS);
        }
    }
    Default();
}

void CRgnButton::DrawState(HDC dc) {
    HBITMAP picture = Picture(m_State);
    if (!picture) picture = Picture(STATE_REST);
    if (!picture) return;
    BITMAP info{};
    GetObjectW(picture, sizeof(info), &info);
    MemoryDC source(dc);
    ScopedSelect select(source, picture);
    BitBlt(dc, 0, 0, info.bmWidth, info.bmHeight, source, 0, 0, SRCCOPY);
}

void CRgnButton::OnEnable(BOOL) {
    Default();
    Repaint();
}

void CRgnButton::OnPaint() {
    if (!IsWindowEnabled())
        m_State = STATE_DISABLED;
    else if (m_State == STATE_DISABLED)
        m_State = STATE_REST;
    PaintDC dc(m_hWnd);
    DrawState(dc);
}

}  // namespace zavo
