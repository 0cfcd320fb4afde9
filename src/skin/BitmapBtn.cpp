#include "skin/BitmapBtn.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdint>

#include "framework/Dpi.h"

namespace zavo {
namespace {

constexpr COLORREF kTextColour = RGB(255, 255, 255);
constexpr int kFontHeight = 14;
constexpr int kTextLeftInset = 5;
constexpr int kTextRightInset = 10;
// One line, left-aligned, vertically centred, no ampersand prefixes, ellipsis.
constexpr UINT kTextFormat = DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS;
constexpr UINT_PTR kToolId = 1;

// The caption's font at the DPI its window is drawn at.
HFONT CreateTextFont(UINT dpi) {
    return CreateFontW(AtDpi(kFontHeight, dpi), 0, 0, 0, 0, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0, ANTIALIASED_QUALITY, 14,
                       L"");
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

FaceSet::FaceSet(HBITMAP main, HBITMAP over, HBITMAP down, HBITMAP disabled) {
    const HBITMAP faces[LOOK_COUNT] = {main, over, down, disabled};
    for (int look = 0; look < LOOK_COUNT; ++look) {
        if (!faces[look]) continue;
        // A picture can be selected into one surface only: a face given for
        // several looks shares the surface it got first.
        for (int earlier = 0; earlier < look && !m_Source[look]; ++earlier)
            if (faces[earlier] == faces[look]) m_Source[look] = m_Source[earlier];
        if (!m_Source[look]) Select(look, faces[look]);
    }
}

FaceSet::FaceSet(const FacePicture& main, const FacePicture& over, const FacePicture& down,
                 const FacePicture& disabled) {
    const FacePicture* faces[LOOK_COUNT] = {&main, &over, &down, &disabled};
    for (int look = 0; look < LOOK_COUNT; ++look) {
        if (faces[look]->Bitmap())
            Select(look, faces[look]->Bitmap());
        else if (*faces[look])
            m_File[look] = faces[look];
    }
}

void FaceSet::Select(int look, HBITMAP face) {
    const MemoryDC& surface = m_Surfaces[look].emplace();
    if (!surface) return;
    m_Previous[look] = SelectObject(surface, face);
    if (m_Previous[look]) m_Source[look] = surface;
}

HDC FaceSet::Screen() const {
    if (!m_Screen) m_Screen.emplace(nullptr);
    return *m_Screen;
}

HDC FaceSet::Target() const {
    if (!m_Target) m_Target.emplace(Screen());
    return *m_Target;
}

bool FaceSet::Draw(int look, HDC dc, int x, int y, int cx, int cy, int srcX, int srcY) const {
    if (look < 0 || look >= LOOK_COUNT) return false;
    if (m_File[look]) return m_File[look]->Draw(dc, x, y, cx, cy, srcX, srcY);
    return m_Source[look] && BitBlt(dc, x, y, cx, cy, m_Source[look], srcX, srcY, SRCCOPY);
}

FaceSet::~FaceSet() {
    for (int look = 0; look < LOOK_COUNT; ++look)
        if (m_Previous[look]) SelectObject(*m_Surfaces[look], m_Previous[look]);
}

CBitmapBtn::~CBitmapBtn() = default;

BOOL CBitmapBtn::Create(const RECT& rc, CWnd* parent) {
    if (!CButton::Create(L"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, rc, parent, 0)) return FALSE;
    PreSubclassWindow();
    return TRUE;
}

void CBitmapBtn::PreSubclassWindow() {
    const DWORD style = GetStyle();
    const UINT ownerDrawn = LOWORD(style) | BS_OWNERDRAW;
    // A button that is owner-drawn already (Create makes it so) is left alone:
    // the restyle would change nothing and only repaint it.
    if (ownerDrawn != LOWORD(style)) SendMessage(BM_SETSTYLE, ownerDrawn, TRUE);
    if (GetStyle() & WS_TABSTOP) SetWindowLongPtrW(m_hWnd, GWL_STYLE, GetStyle() & ~static_cast<DWORD>(WS_TABSTOP));
}

void CBitmapBtn::SetStateImages(HBITMAP main, HBITMAP over, HBITMAP down, HBITMAP disabled, const RECT& rc) {
    const FaceSet faces(main, over, down, disabled);
    SetStateImages(faces, rc);
}

void CBitmapBtn::SetStateImages(const FaceSet& faces, const RECT& rc) {
    m_pShared = nullptr;
    // Looks are cut only for a rectangle a screen can show: a larger one (a
    // damaged skin entry) would ask for bitmaps of gigabytes, and its size
    // would overflow the arithmetic below.
    constexpr std::int64_t kMaxSide = 16384;
    const std::int64_t w = std::int64_t{rc.right} - rc.left;
    const std::int64_t h = std::int64_t{rc.bottom} - rc.top;
    const bool cuttable = w > 0 && h > 0 && w <= kMaxSide && h <= kMaxSide;
    const int width = cuttable ? static_cast<int>(w) : 0;
    const int height = cuttable ? static_cast<int>(h) : 0;
    // A look cut here takes the rectangle's size (none for an empty or
    // inverted rectangle); a look without a face keeps its size and pixels.
    SIZE size[FaceSet::LOOK_COUNT];
    int bitmapWidth = 0;
    int slotHeight = 0;
    for (int look = 0; look < FaceSet::LOOK_COUNT; ++look) {
        if (!faces.Has(look))
            size[look] = m_LookSize[look];
        else if (width > 0 && height > 0)
            size[look] = SIZE{width, height};
        else
            size[look] = SIZE{0, 0};
        if (size[look].cx > 0 && size[look].cy > 0) {
            bitmapWidth = std::max<int>(bitmapWidth, size[look].cx);
            slotHeight = std::max<int>(slotHeight, size[look].cy);
        }
    }
    ScopedBitmap looks;
    if (bitmapWidth > 0)
        looks.Reset(CreateCompatibleBitmap(faces.Screen(), bitmapWidth, slotHeight * FaceSet::LOOK_COUNT));
    if (looks) {
        ScopedSelect selectLooks(faces.Target(), looks);
        for (int look = 0; look < FaceSet::LOOK_COUNT; ++look) {
            if (size[look].cx <= 0 || size[look].cy <= 0) continue;
            const int top = look * slotHeight;
            if (faces.Has(look)) {
                faces.Draw(look, faces.Target(), 0, top, width, height, rc.left, rc.top);
            } else {
                MemoryDC kept(faces.Screen());
                ScopedSelect selectKept(kept, m_Looks);
                BitBlt(faces.Target(), 0, top, size[look].cx, size[look].cy, kept, 0, look * m_SlotHeight, SRCCOPY);
            }
        }
        m_Looks = std::move(looks);
        m_SlotHeight = slotHeight;
        std::copy(size, size + FaceSet::LOOK_COUNT, m_LookSize);
    } else {
        // Nothing could be cut: the looks that had a face are missing now, the
        // others stay where they are.
        for (int look = 0; look < FaceSet::LOOK_COUNT; ++look)
            if (faces.Has(look)) m_LookSize[look] = SIZE{0, 0};
    }
    const DWORD style = GetStyle();
    if (style & (WS_BORDER | WS_TABSTOP))
        SetWindowLongPtrW(m_hWnd, GWL_STYLE, style & ~static_cast<DWORD>(WS_BORDER | WS_TABSTOP));
}

void CBitmapBtn::ShareFaces(const FaceSet& faces, const RECT& rc) {
    m_Looks.Reset();
    std::fill(m_LookSize, m_LookSize + FaceSet::LOOK_COUNT, SIZE{0, 0});
    m_SlotHeight = 0;
    m_pShared = &faces;
    m_SharedRect = rc;
}

void CBitmapBtn::SetLatched(bool latched) {
    if (m_Latched == latched) return;
    m_Latched = latched;
    if (m_hWnd) Invalidate(TRUE);
    RaiseAccessibleEvent(m_hWnd, EVENT_OBJECT_STATECHANGE);
}

// ----- drawing -----------------------------------------------------------------

int CBitmapBtn::ChooseLook(UINT itemState) const {
    int look;
    if (itemState & ODS_DISABLED)
        look = FaceSet::DISABLED;
    else if (m_Latched || (itemState & ODS_SELECTED))
        look = FaceSet::DOWN;
    else if (m_Hover)
        look = FaceSet::OVER;
    else
        look = FaceSet::MAIN;
    // A look the skin did not provide falls back to the picture at rest.
    if (!HasLook(look)) look = FaceSet::MAIN;
    return HasLook(look) ? look : -1;
}

bool CBitmapBtn::HasLook(int look) const {
    if (m_pShared)
        return m_pShared->Has(look) && m_SharedRect.right > m_SharedRect.left && m_SharedRect.bottom > m_SharedRect.top;
    return m_LookSize[look].cx > 0 && m_LookSize[look].cy > 0;
}

void CBitmapBtn::CopyLook(HDC dc, int look, int width, int height) const {
    if (m_pShared) {
        m_pShared->Draw(look, dc, 0, 0, std::min<LONG>(width, m_SharedRect.right - m_SharedRect.left),
                        std::min<LONG>(height, m_SharedRect.bottom - m_SharedRect.top), m_SharedRect.left,
                        m_SharedRect.top);
        return;
    }
    MemoryDC source(dc);
    ScopedSelect select(source, m_Looks);
    // Only the look's own pixels: the slot below holds the next look.
    BitBlt(dc, 0, 0, std::min<int>(width, m_LookSize[look].cx), std::min<int>(height, m_LookSize[look].cy), source, 0,
           look * m_SlotHeight, SRCCOPY);
}

void CBitmapBtn::DrawItem(DRAWITEMSTRUCT* dis) {
    DrawLook(dis->hDC, dis->itemState);
    if (m_Marked || ((dis->itemState & ODS_FOCUS) && FocusCuesShown(m_hWnd)))
        DrawFocusMark(dis->hDC, dis->rcItem, m_FocusColour);
}

void CBitmapBtn::SetMarked(bool marked) {
    if (m_Marked == marked) return;
    m_Marked = marked;
    if (m_hWnd) Invalidate(FALSE);
}

void CBitmapBtn::DrawLook(HDC dc, UINT itemState) {
    RECT client;
    GetClientRect(&client);
    int width = client.right;
    int height = client.bottom;
    const int look = ChooseLook(itemState);
    if (m_Text.empty()) {
        // Without any picture the button shows the face colour, not garbage.
        if (look < 0)
            FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
        else
            CopyLook(dc, look, width, height);
        return;
    }
    // Text over the picture: composed off-screen and copied once, so it never
    // flickers.
    MemoryDC compose(dc);
    ScopedBitmap canvas(CreateCompatibleBitmap(dc, width, height));
    ScopedSelect selectCanvas(compose, canvas);
    if (look >= 0)
        CopyLook(compose, look, width, height);
    else
        FillRect(compose, &client, GetSysColorBrush(COLOR_BTNFACE));
    DrawCaption(compose, client);
    BitBlt(dc, 0, 0, width, height, compose, 0, 0, SRCCOPY);
}

void CBitmapBtn::DrawCaption(HDC dc, const RECT& client) {
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kTextColour);
    const UINT dpi = DrawingDpi(m_hWnd);
    if (!m_TextFont) m_TextFont.Reset(CreateTextFont(dpi));
    ScopedSelect selectFont(dc, m_TextFont);
    SIZE extent{};
    GetTextExtentPoint32W(dc, m_Text.c_str(), static_cast<int>(m_Text.size()), &extent);
    RECT area{AtDpi(kTextLeftInset, dpi), client.bottom / 2 - extent.cy / 2, client.right - AtDpi(kTextRightInset, dpi),
              client.bottom};
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
        // The capture sees the mouse leave as long as it stays over windows of
        // this program; the leave notice also covers a jump straight onto the
        // desktop or another program, which under Wine sends no move at all.
        TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, m_hWnd, 0};
        ::TrackMouseEvent(&track);
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

void CBitmapBtn::OnMouseLeave() {
    if (m_Hover) {
        m_Hover = false;
        Invalidate(TRUE);
        // A held left button keeps the capture, as a move outside does.
        if (!(::GetKeyState(VK_LBUTTON) & 0x8000) && ::GetCapture() == m_hWnd) ::ReleaseCapture();
    }
    Default();
}

void CBitmapBtn::OnDestroy() {
    // The tooltip and the looks belong to this window: a dialog object that is
    // opened again makes a new button window and cuts its looks again, so a
    // closed window holds nothing between openings.
    m_Tooltip.Reset();
    m_TextFont.Reset();
    m_HasTooltipText = false;
    m_TooltipText.clear();
    m_Hover = false;
    m_Marked = false;
    m_Looks.Reset();
    std::fill(m_LookSize, m_LookSize + FaceSet::LOOK_COUNT, SIZE{0, 0});
    m_SlotHeight = 0;
    m_pShared = nullptr;
    Default();
}

// ----- tooltip -----------------------------------------------------------------

void CBitmapBtn::EnsureTooltip() {
    if (m_Tooltip || !m_hWnd || !m_HasTooltipText) return;
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);
    m_Tooltip.Reset(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                    CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                                    GetModuleHandleW(nullptr), nullptr));
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

HWND CBitmapBtn::GetTooltip() {
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
