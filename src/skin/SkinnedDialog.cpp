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

void CSkinDialog::LoadFace() {
    const std::wstring file = SkinFile();
    if (file.empty()) return;
    SkinFace face = LoadSkinFace(m_App.SkinFolder(), file);
    m_DamagedPicture = face.damaged;
    // The window takes the size of its face. Without a "Main" picture it takes
    // the mask's, and without both keeps its template's: a window of no size
    // could be neither seen nor closed.
    const FacePicture& sizer = face.main ? face.main : face.mask;
    if (sizer) MoveWindow(0, 0, sizer.Width(), sizer.Height(), TRUE);
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
        return;
    }
    // The buttons hold their own looks now. A decoded "Main" is given back
    // before anything can paint it as the background.
    looks.reset();
    m_Over.Reset();
    m_Down.Reset();
    m_Disabled.Reset();
}

int CSkinDialog::OnCreate(CREATESTRUCTW*) {
    if (Default() == -1) return -1;
    LoadFace();
    m_hShape = nullptr;
    ScopedRgn region = m_Mask.Shape();
    // Without a mask picture the window keeps its rectangular shape.
    if (region && SetWindowRgn(region, TRUE)) m_hShape = region.Release();
    m_Mask.Reset();
    HideFocusCues(m_hWnd);
    return 0;
}

// The Tab order is set once the window has all its controls: the template's
// are made after WM_CREATE, and OnInitDialog may still place them. The dialog
// manager gives the focus to the first Tab stop only after this.
LRESULT CSkinDialog::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
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

void CSkinDialog::OnDestroy() {
    HideFocusCues(m_hWnd);
    Default();
    // The surfaces let go of the looks before the pictures are deleted.
    m_pLooks.reset();
    m_Over.Reset();
    m_Down.Reset();
    m_Disabled.Reset();
    m_Background.Reset();
    m_Mask.Reset();
    m_BoxBrush.Reset();
    m_hShape = nullptr;
}

}  // namespace zavo
