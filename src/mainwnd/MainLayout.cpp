// The main window's skinned surface: the layout builder, painting, and the
// key buttons' latched, enabled and Enter looks that KeyboardView asks for.
#include <string>

#include "app/AppState.h"
#include "config/Ini.h"
#include "framework/Gdi.h"
#include "mainwnd/MainDlg.h"
#include "skin/SkinEntry.h"

namespace zavo {

namespace {


// The command buttons in the order they are created, and the LangTexts entry
// of each one's tooltip (-1: the skin entry's own text).
struct CommandSpec {
    int key;
    int langText;
};
constexpr CommandSpec COMMANDS[] = {
    {1, -1},  {2, -1},  {3, -1},  {4, 4},   {5, 5},   {6, 6},   {22, 79}, {21, 80}, {7, 0},   {8, 1},   {9, 11},
    {10, 46}, {11, -1}, {12, 51}, {13, 2},  {14, 60}, {15, 3},  {16, 49}, {17, 7},  {18, 8},  {19, 9},  {20, -1},
};

RECT ToRect(const SkinRect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

// The main skin's description file: "Skins\main.ini" beside the program.
std::wstring MainSkinFile() { return ProgramFolder + L"Skins\\main.ini"; }

std::wstring ReadSkin(const wchar_t* section, const std::wstring& key) {
    return Settings().IniReadString(MainSkinFile(), section, key, L"");
}

std::wstring ProgramFolderOfModule() {
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    const size_t slash = folder.find_last_of(L"\\/");
    folder.resize(slash == std::wstring::npos ? 0 : slash + 1);
    return folder;
}

}  // namespace

void CZAVOConfigDlg::CreateSkinButton(CBitmapBtn& button, const ButtonEntry& entry, const std::wstring& tooltip) {
    button.Create(ToRect(entry.rect), this);
    button.SetLatched(entry.latched);
    button.SetTooltipText(tooltip.c_str());
}

void CZAVOConfigDlg::BuildLayout() {
    ProgramFolder = ProgramFolderOfModule();

    const std::wstring skins = ProgramFolder + L"skins\\";
    // "Main" is decoded once: the buttons cut their rest looks from it and it
    // then stays as the background.
    Picture down, over, disabled;
    LoadPictureFile(skins + ReadSkin(L"SCREEN", L"Mask"), m_Mask);
    const SIZE size = LoadPictureFile(skins + ReadSkin(L"SCREEN", L"Main"), m_Background);
    LoadPictureFile(skins + ReadSkin(L"SCREEN", L"Down"), down);
    LoadPictureFile(skins + ReadSkin(L"SCREEN", L"Over"), over);
    LoadPictureFile(skins + ReadSkin(L"SCREEN", L"Disabled"), disabled);
    MoveWindow(0, 0, size.cx, size.cy, TRUE);

    m_strVersion = ReadSkin(L"Driver_Version", L"Driver_Version");
    LayoutCode = ReadSkin(L"Driver_Version", L"StrFont");

    // Each face is selected once for all the buttons. The background is
    // painted from the message loop only, after `faces` has given it back.
    const FaceSet faces(m_Background.Handle(), over.Handle(), down.Handle(), disabled.Handle());
    auto cut = [&faces](CBitmapBtn& button, const SkinRect& rect) { button.SetStateImages(faces, ToRect(rect)); };
    for (const CommandSpec& c : COMMANDS) {
        const ButtonEntry entry = ParseButtonEntry(ReadSkin(L"BUTTONINFO", std::to_wstring(c.key)));
        CBitmapBtn& button = Button(c.key);
        CreateSkinButton(button, entry, c.langText < 0 ? entry.text : LangText(c.langText));
        cut(button, entry.rect);
    }
    for (int i = 0; i < TKEY_COUNT; ++i) {
        const ButtonEntry entry = ParseButtonEntry(ReadSkin(L"T-KEYS", std::to_wstring(i + 1)));
        m_pView->tkeyRects[static_cast<size_t>(i)] = entry.rect;
        CreateSkinButton(m_TKeys[static_cast<size_t>(i)], entry, entry.text);
        cut(m_TKeys[static_cast<size_t>(i)], entry.rect);
    }
    const std::wstring enterRgn = ReadSkin(L"SCREEN", L"EnterRgn");
    for (int k = 0; k < STANDARD_KEY_COUNT; ++k) {
        const ButtonEntry entry = ParseButtonEntry(ReadSkin(L"STANDER-KEYS", std::to_wstring(k + 20)));
        m_pView->keyRects[static_cast<size_t>(k)] = entry.rect;
        if (k == ENTER_KEY_INDEX && !enterRgn.empty()) {
            m_rcEnter = ToRect(entry.rect);
            continue;
        }
        CreateSkinButton(m_Keys[static_cast<size_t>(k)], entry, entry.text);
        cut(m_Keys[static_cast<size_t>(k)], entry.rect);
    }
    if (!enterRgn.empty()) {
        m_strEnterImage = skins + enterRgn;
        CreateEnterButton();
    }
    // The other three face pictures are released here, after `faces` has
    // given the background back.
}

void CZAVOConfigDlg::CreateEnterButton() {
    m_EnterLook = EnterLook::Default;
    SetEnterImages(m_EnterLook);
    if (!m_EnterButton.Create(this)) return;
    m_bEnterCreated = true;
    ::SetWindowPos(m_EnterButton, nullptr, m_rcEnter.left + 1, m_rcEnter.top + 1, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CZAVOConfigDlg::SetEnterImages(EnterLook look) {
    m_EnterPicturesLook = look;
    const std::wstring normal = m_strEnterImage + L"_normal.bmp";
    const std::wstring over = m_strEnterImage + L"_over.bmp";
    switch (look) {
        case EnterLook::Default: m_EnterButton.SetImages(normal, over, over, normal); break;
        case EnterLook::Highlighted: m_EnterButton.SetImages(over, over, over, normal); break;
        case EnterLook::Locked: m_EnterButton.SetImages(normal, normal, normal, normal); break;
    }
}

void CZAVOConfigDlg::OnPaint() {
    // A window made visible without WM_SHOWWINDOW still shows the right look.
    ApplyHeldEnterLook();
    PaintDC dc(m_hWnd);
    RECT rc{};
    GetClientRect(&rc);
    // Composed off-screen and copied once, so the window does not flicker.
    MemoryDC mem(dc);
    ScopedBitmap canvas(::CreateCompatibleBitmap(dc, rc.right, rc.bottom));
    ScopedSelect selectCanvas(mem, canvas);
    if (m_Background) {
        MemoryDC src(dc);
        ScopedSelect selectSrc(src, m_Background.Handle());
        ::BitBlt(mem, 0, 0, rc.right, rc.bottom, src, 0, 0, SRCCOPY);
    }
    if (!m_hTextFont)
        m_hTextFont = ::CreateFontW(11, 0, 0, 0, 600, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                    CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, FF_MODERN, L"");
    {
        ScopedSelect selectFont(mem, m_hTextFont);
        ::SetBkMode(mem, TRANSPARENT);
        ::SetTextColor(mem, RGB(255, 255, 255));
        ::TextOutW(mem, 733, 433, m_strVersion.c_str(), static_cast<int>(m_strVersion.size()));
        ::TextOutW(mem, 256, 369, m_strStatus.c_str(), static_cast<int>(m_strStatus.size()));
    }
    ::BitBlt(dc, 0, 0, rc.right, rc.bottom, mem, 0, 0, SRCCOPY);
}

BOOL CZAVOConfigDlg::OnEraseBkgnd(HDC) { return TRUE; }  // OnPaint covers the whole client area

bool CZAVOConfigDlg::HasEnterRegion() const { return m_bEnterCreated; }

void CZAVOConfigDlg::SetTKeyLatched(int index, bool latched) { m_TKeys[static_cast<size_t>(index)].SetLatched(latched); }

void CZAVOConfigDlg::SetTKeyEnabled(int index, bool enabled) {
    CBitmapBtn& key = m_TKeys[static_cast<size_t>(index)];
    if (key.m_hWnd && !key.IsWindowEnabled() != !enabled) key.EnableWindow(enabled);
}

void CZAVOConfigDlg::SetKeyLatched(int index, bool latched) { m_Keys[static_cast<size_t>(index)].SetLatched(latched); }

void CZAVOConfigDlg::SetKeyEnabled(int index, bool enabled) {
    CBitmapBtn& key = m_Keys[static_cast<size_t>(index)];
    if (key.m_hWnd && !key.IsWindowEnabled() != !enabled) key.EnableWindow(enabled);
}

void CZAVOConfigDlg::SetEnterLook(EnterLook look) {
    // Only a real change swaps the pictures and repaints the key.
    if (!m_bEnterCreated || look == m_EnterLook) return;
    m_EnterLook = look;
    // While the window is hidden nobody sees the key: only the last look's
    // pictures are loaded, when the window is shown. Start-up sets the look
    // four times before the window appears, four picture files each time.
    if (!IsWindowVisible()) return;
    SetEnterImages(look);
    ::RedrawWindow(m_EnterButton, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CZAVOConfigDlg::ApplyHeldEnterLook() {
    if (!m_bEnterCreated || m_EnterPicturesLook == m_EnterLook) return;
    SetEnterImages(m_EnterLook);
    ::RedrawWindow(m_EnterButton, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE);
}

// Sent just before the window appears, so the held look is in place before
// anything paints.
void CZAVOConfigDlg::OnShowWindow(BOOL show, UINT status) {
    if (show) ApplyHeldEnterLook();
    CDialog::OnShowWindow(show, status);
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
