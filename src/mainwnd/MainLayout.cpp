// The main window's skinned surface: the layout builder, painting, and the
// key buttons' latched, enabled and Enter looks that KeyboardView asks for.
#include <algorithm>
#include <cstdlib>
#include <functional>
#include <iterator>
#include <string>

#include "framework/Gdi.h"
#include "mainwnd/MainDlg.h"
#include "platform/FileSystem.h"
#include "skin/SkinEntry.h"

namespace zavo {

void CZAVOConfigDlg::CreateButtons(const SkinFace& face, const FaceSet& looks) {
    m_strVersion = face.Read(L"Driver_Version", L"Driver_Version");
    // The command buttons in the order they are created, the language text of
    // each one's tooltip (-1: the skin entry's own text) and what a click runs.
    struct Command {
        int key;
        int langText;
        std::function<void()> run;
    };
    const Command commands[] = {
        {cmd::RESET, -1, [this] { OnReset(); }},
        {cmd::WEB, -1, [this] { OnWebSite(); }},
        {cmd::HELP, -1, [this] { OnHelp(); }},
        {cmd::PROFILE1, 4, [this] { OnSelectProfile(0); }},
        {cmd::PROFILE2, 5, [this] { OnSelectProfile(1); }},
        {cmd::PROFILE3, 6, [this] { OnSelectProfile(2); }},
        {cmd::PROFILE4, 79, [this] { OnSelectProfile(3); }},
        {cmd::PROFILE5, 80, [this] { OnSelectProfile(4); }},
        {cmd::MODE0, 0, [this] { OnSelectMode(0); }},
        {cmd::MODE1, 1, [this] { OnSelectMode(1); }},
        {cmd::MACRO_EDITOR, 11, [this] { OnMacroEditor(); }},
        {cmd::LIGHTING, 46, [this] { OnLighting(); }},
        {cmd::STATUS, -1, nullptr},  // shows the status line only
        {cmd::ASSIGN_MACRO, 51, [this] { OnAssignMacro(); }},
        {cmd::ASSIGN_CLEAR, 2, [this] { OnAssignClear(); }},
        {cmd::ASSIGN_KEY, 60, [this] { OnAssignSingleKey(); }},
        {cmd::ASSIGN_APP, 3, [this] { OnAssignApplication(); }},
        {cmd::INSTANT_SHIFT, 49, [this] { OnInstantShift(); }},
        {cmd::APPLY, 7, [this] { OnApply(); }},
        // As Alt+F4: changes not applied yet are dropped only after asking.
        {cmd::QUIT, 8, [this] { OnCancel(); }},
        {cmd::OK_EXIT, 9, [this] { OnOkAndExit(); }},
        // The window's corner button ends the process at once, as the service
        // expects of it, but asks first as QUIT does.
        {cmd::EXIT, -1, [this] {
             if (SettleUnappliedBeforeClosing()) std::exit(-1);
         }},
    };
    static_assert(std::size(commands) == MAIN_COMMAND_BUTTONS, "the skin checker asks for every command button");
    for (const Command& c : commands) {
        const ButtonEntry entry = face.Entry(L"BUTTONINFO", std::to_wstring(c.key));
        // The window keeps its faces: the buttons draw from them.
        CreateSkinButton(Button(c.key), entry, c.langText < 0 ? entry.text : m_App.LangText(c.langText), c.run, *this,
                         looks, true);
    }
    // The status line shows texts; a reader reads it as one.
    Button(cmd::STATUS).SetAccessibleRole(ROLE_SYSTEM_STATICTEXT);
    CreateKeys(face);
}

// The keys are drawn by the window (KeyPad), not made as windows: T-key i is
// key i, standard key k is key TKEY_COUNT + k. The Enter key drawn as a region
// button keeps its place in that order as a key without area.
void CZAVOConfigDlg::CreateKeys(const SkinFace& face) {
    // Keys made anew at another display scale keep the looks the view gave them.
    const KeyStates before = m_KeyPad.States();
    m_KeyPad.Clear();
    m_KeyPad.Attach(m_hWnd);
    m_KeyLegends.clear();
    std::vector<SkinRect> places;
    for (int i = 0; i < TKEY_COUNT; ++i) {
        const ButtonEntry entry = face.Entry(L"T-KEYS", std::to_wstring(i + 1));
        m_pView->PlaceTKey(i, entry.rect);
        m_KeyPad.Add(entry.rect, entry.text, entry.latched);
        m_KeyLegends.push_back(entry.text);
        places.push_back(entry.rect);
    }
    const std::wstring enterRgn = face.Read(L"SCREEN", L"EnterRgn");
    for (int k = 0; k < STANDARD_KEY_COUNT; ++k) {
        const ButtonEntry entry = face.Entry(L"STANDER-KEYS", std::to_wstring(k + 20));
        m_pView->PlaceKey(k, entry.rect);
        m_KeyLegends.push_back(entry.text);
        places.push_back(entry.rect);
        if (k == ENTER_KEY_INDEX && !enterRgn.empty()) {
            m_rcEnter = RECT{entry.rect.left, entry.rect.top, entry.rect.right, entry.rect.bottom};
            m_KeyPad.Add(SkinRect{}, L"");
            continue;
        }
        m_KeyPad.Add(entry.rect, entry.text, entry.latched);
    }
    for (int key = 0; key < before.Count() && key < TKEY_COUNT + STANDARD_KEY_COUNT; ++key) {
        m_KeyPad.SetLatched(key, before.IsLatched(key));
        m_KeyPad.SetEnabled(key, before.IsEnabled(key));
    }
    if (!enterRgn.empty()) CreateEnterButton(SkinSetFolder() + enterRgn);
    CreateKeyMap(std::move(places));
}

// The Enter key looks like the other keys in every state: at rest, under the
// mouse, lit (assigned or selected) and dimmed (locked or disabled). A skin
// with only the rest and lit pictures ("_normal", "_over") shows the lit
// picture for the lit face and the rest picture for the dimmed one.
void CZAVOConfigDlg::CreateEnterButton(const std::wstring& pictures) {
    const auto orElse = [](std::wstring path, const std::wstring& fallback) {
        return fs::FileExists(path) ? path : fallback;
    };
    EnterPictures& p = m_EnterPictures;
    p.normal = pictures + L"_normal.bmp";
    p.over = pictures + L"_over.bmp";
    p.lit = orElse(pictures + L"_down.bmp", p.over);
    p.dimmed = orElse(pictures + L"_disabled.bmp", p.normal);
    // Made anew at another display scale, the key keeps its look and state.
    const bool enabled = !m_bEnterCreated || m_EnterButton.IsWindowEnabled();
    if (!m_bEnterCreated) m_EnterLook = EnterLook::Default;
    SetEnterImages(m_EnterLook);
    if (m_EnterButton.m_hWnd) m_EnterButton.DestroyWindow();
    m_bEnterCreated = false;
    if (!m_EnterButton.Create(this)) return;
    m_bEnterCreated = true;
    if (!enabled) m_EnterButton.EnableWindow(FALSE);
    m_EnterButton.OnClick([this] { OnPickStandardKey(ENTER_KEY_INDEX); });
    ::SetWindowPos(m_EnterButton, nullptr, m_rcEnter.left + Px(1), m_rcEnter.top + Px(1), 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Only paths: the button reads a picture when it first draws it.
void CZAVOConfigDlg::SetEnterImages(EnterLook look) {
    const EnterPictures& p = m_EnterPictures;
    switch (look) {
        case EnterLook::Default:
            m_EnterButton.SetImages(p.normal, p.over, p.lit, p.dimmed);
            break;
        case EnterLook::Highlighted:
            m_EnterButton.SetImages(p.lit, p.lit, p.lit, p.dimmed);
            break;
        case EnterLook::Locked:
            m_EnterButton.SetImages(p.dimmed, p.dimmed, p.dimmed, p.dimmed);
            break;
    }
}

void CZAVOConfigDlg::OnPaint() {
    PaintDC dc(m_hWnd);
    // Only the part asked for (a key's rectangle when one changed its look) is
    // composed off-screen and copied once, so the window does not flicker. A
    // large part goes band by band through one canvas of at most kPaintBand
    // rows: a canvas of the whole window would be 2 MB of memory to fill at
    // the first paint, more than everything drawn into it costs.
    const RECT area = dc.PaintRect();
    const int width = area.right - area.left, height = area.bottom - area.top;
    if (width <= 0 || height <= 0) return;
    const int bandRows = std::min(height, kPaintBand);
    MemoryDC mem(dc);
    ScopedBitmap canvas(::CreateCompatibleBitmap(dc, width, bandRows));
    ScopedSelect selectCanvas(mem, canvas);
    for (int top = area.top; top < area.bottom; top += bandRows) {
        const RECT band{area.left, top, area.right, std::min<LONG>(area.bottom, top + bandRows)};
        // The canvas's origin is the band's corner: everything below draws in
        // client coordinates.
        ::SetViewportOrgEx(mem, -band.left, -band.top, nullptr);
        ComposeArea(mem, band);
        ::SetViewportOrgEx(mem, 0, 0, nullptr);
        ::BitBlt(dc, band.left, band.top, width, band.bottom - band.top, mem, 0, 0, SRCCOPY);
    }
}

ScopedFont CZAVOConfigDlg::CreateStatusFont(UINT dpi) {
    return ScopedFont(::CreateFontW(AtDpi(MAIN_STATUS_TEXT_HEIGHT, dpi), 0, 0, 0, 600, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                    CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, FF_MODERN, L""));
}

void CZAVOConfigDlg::ComposeArea(HDC dc, const RECT& area) {
    PaintFace(dc, area);
    if (Looks()) m_KeyPad.Paint(dc, area, *Looks());
    PaintKeyFocus(dc);
    PaintIndicator(dc);
    if (!m_TextFont) m_TextFont = CreateStatusFont(Dpi());
    ScopedSelect selectFont(dc, m_TextFont);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, RGB(255, 255, 255));
    ::TextOutW(dc, Px(MAIN_VERSION_PLACE.left), Px(MAIN_VERSION_PLACE.top), m_strVersion.c_str(),
               static_cast<int>(m_strVersion.size()));
    ::TextOutW(dc, Px(MAIN_STATUS_TEXT_X), Px(MAIN_STATUS_TEXT_Y), m_strStatus.c_str(),
               static_cast<int>(m_strStatus.size()));
}

void CZAVOConfigDlg::PaintIndicator(HDC dc) const {
    const HBITMAP picture = m_Indicators[static_cast<size_t>(m_ShownIndicator)];
    if (!picture) return;
    MemoryDC source(dc);
    ScopedSelect select(source, picture);
    // The picture fills the place at the window's scale; one the executable
    // lacks at that scale (its 100 % one) is stretched to it.
    const RECT place = IndicatorPlace();
    BITMAP info{};
    ::GetObjectW(picture, sizeof info, &info);
    const int cx = place.right - place.left, cy = place.bottom - place.top;
    if (info.bmWidth == cx && info.bmHeight == cy) {
        ::BitBlt(dc, place.left, place.top, cx, cy, source, 0, 0, SRCCOPY);
    } else {
        ::SetStretchBltMode(dc, HALFTONE);
        ::StretchBlt(dc, place.left, place.top, cx, cy, source, 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
    }
}

BOOL CZAVOConfigDlg::OnEraseBkgnd(HDC) { return TRUE; }  // OnPaint covers the whole client area

// The status and version texts are drawn anew in a font made for the new DPI,
// and the indicators are the executable's pictures of the window's scale.
void CZAVOConfigDlg::PlaceOwnControls() {
    m_TextFont.Reset();
    LoadIndicators(Scale());
}

bool CZAVOConfigDlg::HasEnterRegion() const { return m_bEnterCreated; }

void CZAVOConfigDlg::SetTKeyLatched(int index, bool latched) {
    m_KeyPad.SetLatched(index, latched);
    m_KeyMap.KeyChanged(index);
}

void CZAVOConfigDlg::SetTKeyEnabled(int index, bool enabled) {
    m_KeyPad.SetEnabled(index, enabled);
    m_KeyMap.KeyChanged(index);
}

void CZAVOConfigDlg::SetKeyLatched(int index, bool latched) {
    m_KeyPad.SetLatched(TKEY_COUNT + index, latched);
    m_KeyMap.KeyChanged(TKEY_COUNT + index);
}

void CZAVOConfigDlg::SetKeyEnabled(int index, bool enabled) {
    m_KeyPad.SetEnabled(TKEY_COUNT + index, enabled);
    m_KeyMap.KeyChanged(TKEY_COUNT + index);
}

// ----- the keys under the mouse --------------------------------------------------

void CZAVOConfigDlg::OnMouseMove(UINT flags, POINT pt) {
    m_KeyPad.OnMouseMove(pt);
    CSkinDialog::OnMouseMove(flags, pt);
}

void CZAVOConfigDlg::OnMouseLeave() {
    m_KeyPad.OnMouseLeave();
    CSkinDialog::OnMouseLeave();
}

// A press on a key presses it (a locked key ignores it); anywhere else it drags
// the window.
void CZAVOConfigDlg::OnLButtonDown(UINT flags, POINT pt) {
    if (!m_KeyPad.OnButtonDown(pt)) CSkinDialog::OnLButtonDown(flags, pt);
}

// The second press of a quick double click is a press like the first.
void CZAVOConfigDlg::OnLButtonDblClk(UINT flags, POINT pt) { OnLButtonDown(flags, pt); }

void CZAVOConfigDlg::OnLButtonUp(UINT flags, POINT pt) {
    const int key = m_KeyPad.OnButtonUp(pt);
    CSkinDialog::OnLButtonUp(flags, pt);
    if (key >= 0) RunKey(key);
}

void CZAVOConfigDlg::OnCaptureChanged(HWND newCapture) {
    m_KeyPad.OnCaptureChanged(newCapture);
    CSkinDialog::OnCaptureChanged(newCapture);
}

void CZAVOConfigDlg::SetEnterLook(EnterLook look) {
    // Only a real change swaps the pictures and repaints the key; a hidden
    // window is painted whole when it is shown.
    if (!m_bEnterCreated || look == m_EnterLook) return;
    m_EnterLook = look;
    SetEnterImages(look);
    if (IsWindowVisible()) ::RedrawWindow(m_EnterButton, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CZAVOConfigDlg::SetEnterEnabled(bool enabled) {
    if (m_bEnterCreated && !m_EnterButton.IsWindowEnabled() != !enabled) m_EnterButton.EnableWindow(enabled);
}

void CZAVOConfigDlg::SetCommandLatched(int key, bool latched) { Button(key).SetLatched(latched); }

void CZAVOConfigDlg::SetCommandEnabled(int key, bool enabled) {
    CBitmapBtn& button = Button(key);
    if (button.m_hWnd && !button.IsWindowEnabled() != !enabled) button.EnableWindow(enabled);
}

void CZAVOConfigDlg::StartBlink() {
    SetTimer(TIMER_BLINK, BLINK_PERIOD_MS);
    m_bBlinking = true;
}

void CZAVOConfigDlg::StopBlink() {
    if (!m_bBlinking) return;
    KillTimer(TIMER_BLINK);
    m_bBlinking = false;
}

}  // namespace zavo
