#include "skin/SkinnedDialog.h"

#include "framework/FocusMark.h"
#include "framework/Gdi.h"
#include "skin/BitmapBtn.h"
#include "skin/Region.h"
#include "skin/SkinColour.h"
#include "skin/TabOrder.h"

namespace zavo {

void CSkinDialog::CreateButtons(const SkinFace& face, const FaceSet& looks) {
    const std::vector<SkinButtonSpec> items = SkinButtons();
    m_ButtonEntries.clear();
    m_ButtonEntries.reserve(items.size());
    for (const SkinButtonSpec& item : items) {
        ButtonEntry entry = face.Entry(L"BUTTONINFO", item.key);
        if (item.button)
            CreateSkinButton(*item.button, entry, item.tooltip.Resolve(entry, m_App), item.onClick, *this, looks);
        m_ButtonEntries.push_back(std::move(entry));
    }
}

std::wstring CSkinDialog::SkinSetFolder() const { return m_App.SkinFolder() + SkinScaleFolder(m_Scale); }

RECT CSkinDialog::PxRect(const SkinRect& r) const {
    const SkinRect scaled = ScaleRect(r, m_Scale);
    return RECT{scaled.left, scaled.top, scaled.right, scaled.bottom};
}

std::optional<SIZE> CSkinDialog::LoadFace() {
    const std::wstring file = SkinFile();
    if (file.empty()) return std::nullopt;
    SkinFace face = LoadSkinFace(SkinSetFolder(), file);
    m_DamagedPicture = face.damaged;
    // The window takes the size of its face. Without a "Main" picture it takes
    // the mask's, and without both keeps its template's: a window of no size
    // could be neither seen nor closed.
    const FacePicture& sizer = face.main ? face.main : face.mask;
    std::optional<SIZE> size;
    if (sizer) size = SIZE{sizer.Width(), sizer.Height()};
    // "Main" is read once: the buttons take their rest looks from it and it
    // then stays as the background.
    m_Background = std::move(face.main);
    m_Over = std::move(face.over);
    m_Down = std::move(face.down);
    m_Disabled = std::move(face.disabled);
    m_Mask = std::move(face.mask);
    // Each decoded look is selected once for all the buttons.
    auto looks = std::make_unique<FaceSet>(m_Background, m_Over, m_Down, m_Disabled);
    CreateButtons(face, *looks);
    m_FocusColour = ParseSkinColour(face.Read(L"SCREEN", L"FocusColour")).value_or(kDefaultFocusColour);
    if (KeepsLooks()) {
        m_pLooks = std::move(looks);
        return size;
    }
    // The buttons hold their own looks now. A decoded "Main" is given back
    // before anything can paint it as the background.
    looks.reset();
    m_Over.Reset();
    m_Down.Reset();
    m_Disabled.Reset();
    return size;
}

// The surfaces let go of the looks before the pictures are deleted.
void CSkinDialog::ReleaseFace() {
    m_pLooks.reset();
    m_Over.Reset();
    m_Down.Reset();
    m_Disabled.Reset();
    m_Background.Reset();
    m_Mask.Reset();
}

// The mask becomes the window's shape (the platform owns a shape it took and
// deletes the one before); without a mask the window is rectangular.
void CSkinDialog::ApplyShape() {
    ScopedRgn region = m_Mask.Shape();
    if (region && SetWindowRgn(region, TRUE))
        m_hShape = region.Release();
    else if (m_hShape && SetWindowRgn(nullptr, TRUE))
        m_hShape = nullptr;
    m_Mask.Reset();
}

bool CSkinDialog::CreatesUnaware(HWND) const { return SkinOpensStretched(m_App); }

int CSkinDialog::OnCreate(CREATESTRUCTW*) {
    if (Default() == -1) return -1;
    // A window the system stretches reports 100 % here.
    m_Dpi = WindowDpi(m_hWnd);
    m_Scale = SkinScaleAt(m_Dpi, m_App).percent;
    SetDrawingDpi(m_hWnd, m_Dpi);
    if (const std::optional<SIZE> size = LoadFace()) MoveWindow(0, 0, size->cx, size->cy, TRUE);
    m_hShape = nullptr;
    ApplyShape();
    HideFocusCues(m_hWnd);
    return 0;
}

BOOL CSkinDialog::OnInitDialog() {
    const BOOL result = CDialog::OnInitDialog();
    PlaceOwnControls();
    return result;
}

// The Tab order is set once the window has all its controls: the template's
// are made after WM_CREATE, and OnInitDialog may still place them. The dialog
// manager gives the focus to the first Tab stop only after this.
LRESULT CSkinDialog::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_GETFONT && m_TemplateFont) return reinterpret_cast<LRESULT>(m_TemplateFont.Get());
    const LRESULT result = CDialog::WindowProc(msg, wParam, lParam);
    if (msg == WM_INITDIALOG && KeyboardReady()) ArrangeTabOrder(m_hWnd, m_FocusColour);
    return result;
}

BOOL CSkinDialog::PreTranslateMessage(MSG* msg) {
    if (KeyboardReady() && IsFocusKey(msg) && (msg->hwnd == m_hWnd || ::IsChild(m_hWnd, msg->hwnd)))
        ShowFocusCues(m_hWnd);
    return CDialog::PreTranslateMessage(msg);
}

void CSkinDialog::PaintFace(HDC dc) {
    RECT client;
    GetClientRect(&client);
    PaintFace(dc, client);
}

void CSkinDialog::PaintFace(HDC dc, const RECT& area) {
    const int cx = area.right - area.left, cy = area.bottom - area.top;
    // A kept "Main" is selected in its surface already (a decoded picture can
    // be in one only).
    if (m_pLooks && m_pLooks->Draw(FaceSet::MAIN, dc, area.left, area.top, cx, cy, area.left, area.top)) return;
    // A skin without its face picture still shows a plain, usable window.
    if (!m_Background.Draw(dc, area.left, area.top, cx, cy, area.left, area.top))
        FillRect(dc, &area, GetSysColorBrush(COLOR_BTNFACE));
}

void CSkinDialog::OnPaint() {
    PaintDC dc(m_hWnd);
    PaintFace(dc);
}

// A press on the background drags the window: the platform moves it with the
// mouse as if its caption had been grabbed. The press position goes in screen
// coordinates, as the non-client message carries them.
void CSkinDialog::OnLButtonDown(UINT, POINT pt) {
    POINT screen = pt;
    ClientToScreen(&screen);
    PostMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(screen.x, screen.y));
    Default();
}

namespace {
const COLORREF kBoxFace = RGB(22, 25, 31);
const COLORREF kBoxText = RGB(235, 238, 242);
const COLORREF kBoxTextDisabled = RGB(130, 136, 146);

bool IsEditBox(HWND child) {
    wchar_t cls[16] = {};
    ::GetClassNameW(child, cls, 16);
    return _wcsicmp(cls, L"Edit") == 0;
}
}  // namespace

// The dialog font's white edit boxes would stand out on a dark face: they take
// the face's colours instead. Read-only and disabled boxes ask with
// CTLCOLOR_STATIC; a control's own answer still comes first.
HBRUSH CSkinDialog::OnCtlColor(HDC dc, HWND child, UINT ctlType) {
    if ((ctlType == CTLCOLOR_EDIT || ctlType == CTLCOLOR_STATIC) && IsEditBox(child)) {
        CWnd* control = FromHandle(child);
        if (control && control != this) {
            if (HBRUSH own = control->CtlColor(dc, ctlType)) return own;
        }
        if (!m_BoxBrush) m_BoxBrush.Reset(::CreateSolidBrush(kBoxFace));
        ::SetTextColor(dc, ::IsWindowEnabled(child) ? kBoxText : kBoxTextDisabled);
        ::SetBkColor(dc, kBoxFace);
        return m_BoxBrush;
    }
    return CDialog::OnCtlColor(dc, child, ctlType);
}

// The platform's DPI for the window may still be the old one (or follow only
// the system's): the message's is the one drawn at. A display whose scale the
// skin has no set for gets the 100 % set, as the window cannot become
// stretched by the system once it is created aware.
void CSkinDialog::OnDpiChanged(UINT dpi, const RECT& suggested) {
    if (dpi == 0) return;
    const int scale = SkinScaleAt(dpi, m_App).percent;
    UpdateTemplateFont(dpi);
    m_Dpi = dpi;
    SetDrawingDpi(m_hWnd, dpi);
    SIZE size{suggested.right - suggested.left, suggested.bottom - suggested.top};
    if (!SkinFile().empty()) {
        m_Scale = scale;
        ReleaseFace();
        // The face sets the size exactly, so the shape and the pictures meet the
        // window's edges; the suggested rectangle gives the place.
        if (const std::optional<SIZE> faceSize = LoadFace()) size = *faceSize;
        ApplyShape();
        if (KeyboardReady()) ArrangeTabOrder(m_hWnd, m_FocusColour);
    }
    SetWindowPos(nullptr, suggested.left, suggested.top, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    PlaceOwnControls();
    Invalidate(FALSE);
}

// The dialog keeps the font it was created with; its controls that show it get
// the same font made for the new DPI, and the one made for the DPI before goes
// once no control shows it.
void CSkinDialog::UpdateTemplateFont(UINT newDpi) {
    const HFONT current = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
    ScopedFont scaled = FontAtDpi(current, m_Dpi, newDpi);
    if (!scaled) return;
    for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (reinterpret_cast<HFONT>(::SendMessageW(child, WM_GETFONT, 0, 0)) == current)
            ::SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(scaled.Get()), TRUE);
    }
    m_TemplateFont = std::move(scaled);
}

void CSkinDialog::OnDestroy() {
    HideFocusCues(m_hWnd);
    ClearDrawingDpi(m_hWnd);
    Default();
    ReleaseFace();
    m_BoxBrush.Reset();
    m_hShape = nullptr;
}

}  // namespace zavo
