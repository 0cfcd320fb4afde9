#include "skin/BitmapBtn.h"

#include <commctrl.h>

namespace zavo {
namespace {

constexpr COLORREF kTextColour = RGB(255, 255, 255);
constexpr int kFontHeight = 14;
constexpr int kTextLeftInset = 5;
constexpr int kTextRightInset = 10;
// One line, left-aligned, vertically centred, no ampersand prefixes, ellipsis.
constexpr UINT kTextFormat = DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS;
constexpr UINT_PTR kToolId = 1;

HFONT CreateTextFont() {
    return CreateFontW(kFontHeight, 0, 0, 0, 0, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0, ANTIALIASED_QUALITY,
                       14, L"");
}

// Copies `source` into a fresh bitmap compatible with `dc` of rc's size, from
// rc's top-left corner, through two memory surfaces the caller keeps for all
// four looks (a window of 191 buttons cuts 764 pictures at start).
HBITMAP CutPicture(HDC dc, HDC from, HDC to, HBITMAP source, const RECT& rc) {
    int width = rc.right - rc.left;
    int height = rc.bottom - rc.top;
    HBITMAP cut = CreateCompatibleBitmap(dc, width, height);
    if (!cut) return nullptr;
    ScopedSelect selectFrom(from, source);
    ScopedSelect selectTo(to, cut);
    BitBlt(to, 0, 0, width, height, from, rc.left, rc.top, SRCCOPY);
    return cut;
}

void FillTool(TOOLINFOW& ti, HWND button, const wchar_t* text) {
    ti = TOOLINFOW{};
    ti.cbSize = TTTOOLINFOW_V2_SIZE;
    ti.uFlags = 0;  // mouse messages are relayed by PreTranslateMessage
    ti.hwnd = button;
    ti.uId = kToolId;
    ti.lpszText = const_cast<wchar_t*>(text);
    GetClientRect(button, &ti.rect);
}

}  // namespace

CBitmapBtn::~CBitmapBtn() { DestroyTooltip(); }

BOOL CBitmapBtn::Create(const RECT& rc, CWnd* parent) {
    if (!CButton::Create(L"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, rc, parent, 0)) return FALSE;
    PreSubclassWindow();
    return TRUE;
}

void CBitmapBtn::PreSubclassWindow() {
    UINT style = LOWORD(GetStyle()) | BS_OWNERDRAW;
    SendMessage(BM_SETSTYLE, style, TRUE);
    SetWindowLongPtrW(m_hWnd, GWL_STYLE, GetStyle() & ~static_cast<DWORD>(WS_TABSTOP));
}

void CBitmapBtn::SetStateImages(HBITMAP main, HBITMAP over, HBITMAP down, HBITMAP disabled, const RECT& rc) {
    ClientDC dc(m_hWnd);
    MemoryDC from(dc);
    MemoryDC to(dc);
    const struct {
        HBITMAP source;
        ScopedBitmap& target;
    } pairs[] = {{main, m_ImgMain}, {over, m_ImgOver}, {down, m_ImgDown}, {disabled, m_ImgDisabled}};
    for (const auto& p : pairs) {
        if (p.source) p.target.Reset(CutPicture(dc, from, to, p.source, rc));
    }
    SetWindowLongPtrW(m_hWnd, GWL_STYLE, GetStyle() & ~static_cast<DWORD>(WS_BORDER | WS_TABSTOP));
}

void CBitmapBtn::SetLatched(bool latched) {
    if (m_Latched == latched) return;
    m_Latched = latched;
    if (m_hWnd) Invalidate(TRUE);
}

// ----- drawing -----------------------------------------------------------------

HBITMAP CBitmapBtn::ChooseLook(UINT itemState) const {
    HBITMAP look;
    if (itemState & ODS_DISABLED)
        look = m_ImgDisabled;
    else if (m_Latched || (itemState & ODS_SELECTED))
        look = m_ImgDown;
    else if (m_Hover)
        look = m_ImgOver;
    else
        look = m_ImgMain;
    // A look the skin did not provide falls back to the picture at rest.
    return look ? look : m_ImgMain.Get();
}

void CBitmapBtn::DrawItem(DRAWITEMSTRUCT* dis) { DrawLook(dis->hDC, dis->itemState); }

void CBitmapBtn::DrawLook(HDC dc, UINT itemState) {
    RECT client;
    GetClientRect(&client);
    int width = client.right;
    int height = client.bottom;
    HBITMAP look = ChooseLook(itemState);
    if (m_Text.empty()) {
        MemoryDC source(dc);
        ScopedSelect select(source, look);
        // Without any picture the button shows the face colour, not garbage.
        if (!look) FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
        else BitBlt(dc, 0, 0, width, height, source, 0, 0, SRCCOPY);
        return;
    }
    // Text over the picture: composed off-screen and copied once, so it never
    // flickers.
    MemoryDC compose(dc);
    ScopedBitmap canvas(CreateCompatibleBitmap(dc, width, height));
    ScopedSelect selectCanvas(compose, canvas);
    if (look) {
        MemoryDC source(dc);
        ScopedSelect select(source, look);
        BitBlt(compose, 0, 0, width, height, source, 0, 0, SRCCOPY);
    } else {
        FillRect(compose, &client, GetSysColorBrush(COLOR_BTNFACE));
    }
    DrawCaption(compose, client);
    BitBlt(dc, 0, 0, width, height, compose, 0, 0, SRCCOPY);
}

void CBitmapBtn::DrawCaption(HDC dc, const RECT& client) {
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kTextColour);
    ScopedFont font(CreateTextFont());
    ScopedSelect selectFont(dc, font);
    SIZE extent{};
    GetTextExtentPoint32W(dc, m_Text.c_str(), static_cast<int>(m_Text.size()), &extent);
    RECT area{kTextLeftInset, client.bottom / 2 - extent.cy / 2, client.right - kTextRightInset, client.bottom};
    ::DrawTextW(dc, m_Text.c_str(), static_cast<int>(m_Text.size()), &area, kTextFormat);
}

BOOL CBitmapBtn::OnEraseBkgnd(HDC) { return FALSE; }

// ----- mouse and focus ---------------------------------------------------------

void CBitmapBtn::OnMouseMove(UINT flags, POINT pt) {
    Default();
    bool leftDown = (flags & MK_LBUTTON) != 0;
    if (leftDown && !m_Hover) return;
    if (::GetCapture() != m_hWnd && ::GetActiveWindow() != nullptr && GetParent() != nullptr) {
        m_Hover = true;
        SetCapture();
        Invalidate(TRUE);
        ::SetActiveWindow(m_hWnd);
        return;
    }
    POINT screen = pt;
    ClientToScreen(&screen);
    if (::WindowFromPoint(screen) == m_hWnd) return;
    if (m_Hover) {
        m_Hover = false;
        Invalidate(TRUE);
    }
    if (!leftDown && ::GetCapture() == m_hWnd) ::ReleaseCapture();
}

void CBitmapBtn::OnLButtonDown(UINT, POINT) {
    HWND owner = ::GetAncestor(m_hWnd, GA_ROOT);
    if (owner && owner != m_hWnd && ::GetActiveWindow() != owner) ::SetActiveWindow(owner);
    Default();
}

void CBitmapBtn::OnKillFocus(HWND) {
    Default();
    m_Hover = false;
    Invalidate(TRUE);
}

// The capture went elsewhere. The hover look stays until the mouse leaves the
// button again or it loses the focus. The capture is released only when this
// button still holds it: releasing it otherwise would take it from the window
// that just got it.
void CBitmapBtn::OnCaptureChanged(HWND newCapture) {
    if (m_Hover && newCapture != m_hWnd) {
        if (::GetCapture() == m_hWnd) ::ReleaseCapture();
        Invalidate(TRUE);
    }
    Default();
}

void CBitmapBtn::OnDestroy() {
    // The tooltip belongs to this window: a dialog object that is opened again
    // makes a new button window and a new tooltip for it.
    DestroyTooltip();
    m_HasTooltipText = false;
    m_TooltipText.clear();
    m_Hover = false;
    Default();
}

// ----- tooltip -----------------------------------------------------------------

void CBitmapBtn::EnsureTooltip() const {
    if (m_Tooltip || !m_hWnd || !m_HasTooltipText) return;
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);
    m_Tooltip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    if (!m_Tooltip) return;
    ::SendMessageW(m_Tooltip, TTM_ACTIVATE, FALSE, 0);
    ApplyTooltipText();
}

// One tool (id 1) covering the button, showing the last text set; then active.
void CBitmapBtn::ApplyTooltipText() const {
    TOOLINFOW ti;
    if (::SendMessageW(m_Tooltip, TTM_GETTOOLCOUNT, 0, 0) == 0) {
        FillTool(ti, m_hWnd, m_TooltipText.c_str());
        ::SendMessageW(m_Tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
    }
    FillTool(ti, m_hWnd, m_TooltipText.c_str());
    ::SendMessageW(m_Tooltip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&ti));
    ::SendMessageW(m_Tooltip, TTM_ACTIVATE, TRUE, 0);
}

void CBitmapBtn::DestroyTooltip() {
    if (m_Tooltip) ::DestroyWindow(m_Tooltip);
    m_Tooltip = nullptr;
}

HWND CBitmapBtn::GetTooltip() const {
    EnsureTooltip();
    return m_Tooltip;
}

// The tooltip sees every message bound for the button. Its window is made on
// the first mouse message, the first one a tooltip can act on; a button whose
// tooltip text was never set has none and never shows one.
BOOL CBitmapBtn::PreTranslateMessage(MSG* msg) {
    if (msg->message >= WM_MOUSEFIRST && msg->message <= WM_MOUSELAST) EnsureTooltip();
    if (m_Tooltip) ::SendMessageW(m_Tooltip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(msg));
    return CButton::PreTranslateMessage(msg);
}

void CBitmapBtn::SetTooltipText(const wchar_t* text) {
    if (!text) return;
    m_TooltipText = text;
    m_HasTooltipText = true;
    if (m_Tooltip) ApplyTooltipText();
}

}  // namespace zavo
