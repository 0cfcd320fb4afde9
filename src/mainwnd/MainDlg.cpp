#include "mainwnd/MainDlg.h"

#include <shlobj.h>

#include "app/AppState.h"
#include "app/Language.h"
#include "dialogs/DlgWarning.h"
#include "macro/KeyNames.h"
#include "mainwnd/LightExchange.h"
#include "service/ServiceCodes.h"
#include "skin/Region.h"

namespace zavo {

namespace {

// The four indicator pictures of the process (resources 143 to 146).
HBITMAP IndicatorDefault = nullptr;
HBITMAP IndicatorLaunch = nullptr;
HBITMAP IndicatorKey = nullptr;
HBITMAP IndicatorMacro = nullptr;

HBITMAP IndicatorBitmap(Indicator which) {
    switch (which) {
        case Indicator::Launch: return IndicatorLaunch;
        case Indicator::Key: return IndicatorKey;
        case Indicator::Macro: return IndicatorMacro;
        default: return IndicatorDefault;
    }
}

std::wstring StandardKeyName(std::uint8_t code) { return KeyName(code); }

bool IsEnterOrEsc(const MSG* msg) {
    return (msg->message == WM_KEYDOWN || msg->message == WM_KEYUP) &&
           (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE);
}

}  // namespace

CZAVOConfigDlg::CZAVOConfigDlg()
    : CDialog(IDD_ZAVOCONFIG_DIALOG),
      m_pConfig(std::make_unique<KeyboardConfig>()),
      keyboard_config(*m_pConfig),
      m_pView(std::make_unique<KeyboardView>(*m_pConfig, static_cast<KeySurface&>(*this), &StandardKeyName)) {
    m_hIcon = ::LoadIconW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDR_MAINFRAME));
}

CZAVOConfigDlg::~CZAVOConfigDlg() {
    if (m_hTextFont) ::DeleteObject(m_hTextFont);
}

int CZAVOConfigDlg::OnCreate(CREATESTRUCTW* cs) {
    if (CDialog::OnCreate(cs) == -1) return -1;
    LoadLanguage();
    BuildLayout();
    if (HRGN region = RegionFromMask(m_Mask.Handle())) {
        if (!SetWindowRgn(region, TRUE)) ::DeleteObject(region);
    }
    return 0;
}

void CZAVOConfigDlg::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_INDICATOR, m_Indicator);
}

void CZAVOConfigDlg::ComputeDataFolder() {
    wchar_t buffer[MAX_PATH] = {};
    if (SUCCEEDED(::SHGetFolderPathW(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr, 0, buffer)))
        DataFolder = std::wstring(buffer) + L"\\Brimvale\\ZAVO\\";
    else
        DataFolder.clear();  // the settings files are then addressed relative to the current folder
    ::OutputDebugStringW(DataFolder.c_str());
    ::OutputDebugStringW(L"\n");
}

void CZAVOConfigDlg::LoadIndicators() {
    HINSTANCE res = AfxGetResourceHandle();
    if (!IndicatorMacro) IndicatorMacro = ::LoadBitmapW(res, MAKEINTRESOURCEW(IDB_INDICATOR_MACRO));
    if (!IndicatorDefault) IndicatorDefault = ::LoadBitmapW(res, MAKEINTRESOURCEW(IDB_INDICATOR_DEFAULT));
    if (!IndicatorKey) IndicatorKey = ::LoadBitmapW(res, MAKEINTRESOURCEW(IDB_INDICATOR_KEY));
    if (!IndicatorLaunch) IndicatorLaunch = ::LoadBitmapW(res, MAKEINTRESOURCEW(IDB_INDICATOR_LAUNCH));
}

BOOL CZAVOConfigDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));

    KeyboardView& view = *m_pView;
    view.selSlot = view.selTKey = view.selKey = -1;
    m_bModified = 0;
    m_strStatus.clear();
    view.macroUsed = 0;

    ComputeDataFolder();
    SetWindowText(svc::MAIN_WINDOW_TITLE);
    LoadConfiguration(DataFolder, keyboard_config);
    // 204, negative values and values past the profiles all mean profile 0.
    KeyboardView::NormalizeProfile(keyboard_config);
    // A live change of the lighting window must never find stale values here.
    LightExchange = keyboard_config.Light;
    if (keyboard_config.CurrantProfile == NO_PROFILE) {
        view.ShowProfile(NO_PROFILE);
    } else {
        view.RefreshKeyboard();
        view.ShowProfile(keyboard_config.CurrantProfile);
    }

    if (keyboard_config.DeviceState != 1) {
        CDlgWarning warning;
        warning.m_nKind = CDlgWarning::KIND_NO_DEVICE;
        warning.DoModal();
    }
    m_Service.Send(svc::SVC_SET_MODE, keyboard_config.Mode);

    Button(cmd::STATUS).EnableWindow(FALSE);
    Button(cmd::ASSIGN_CLEAR).EnableWindow(FALSE);
    LoadIndicators();
    SetTimer(TIMER_HOVER, HOVER_PERIOD_MS);
    m_Indicator.MoveWindow(221, 362, 22, 22, TRUE);
    m_Indicator.SetBitmap(IndicatorDefault);
    m_ShownIndicator = Indicator::Default;
    CenterWindow(::GetDesktopWindow());
    return TRUE;
}

BOOL CZAVOConfigDlg::PreTranslateMessage(MSG* msg) {
    // Enter and Esc never end the main window, and skip the dialog keys.
    if (IsEnterOrEsc(msg)) return FALSE;
    if (msg->message == svc::WM_SERVICE_COMMAND && msg->hwnd == m_hWnd) OnServiceCommand(msg->wParam);
    if (msg->message == svc::WM_LIGHT_CHANGED && msg->hwnd == m_hWnd) OnLightChanged();
    return CDialog::PreTranslateMessage(msg);
}

UINT HoverRunsQueryMessage() {
    static const UINT message = ::RegisterWindowMessageW(L"ZAVOConfig.HoverPollRuns");
    return message;
}

LRESULT CZAVOConfigDlg::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == svc::WM_SERVICE_NOTIFY) return OnMessageProcessFun(wParam, lParam);
    // Diagnostics: how often the cursor poll did real work (the idle benchmark asks).
    if (msg == HoverRunsQueryMessage() && msg != 0) return static_cast<LRESULT>(m_nHoverRuns);
    return CDialog::WindowProc(msg, wParam, lParam);
}

HCURSOR CZAVOConfigDlg::OnQueryDragIcon() { return reinterpret_cast<HCURSOR>(m_hIcon); }

void CZAVOConfigDlg::OnLButtonDown(UINT flags, POINT pt) {
    // The window is dragged by its background.
    PostMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(pt.x, pt.y));
    CDialog::OnLButtonDown(flags, pt);
}

void CZAVOConfigDlg::OnDestroy() {
    KillTimer(TIMER_HOVER);
    KillTimer(TIMER_BLINK);
    CDialog::OnDestroy();
    LangTexts.clear();
}

void CZAVOConfigDlg::ShowIndicator(Indicator which) {
    if (which == m_ShownIndicator) return;
    m_ShownIndicator = which;
    m_Indicator.SetBitmap(IndicatorBitmap(which));
    ::RedrawWindow(m_Indicator, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CZAVOConfigDlg::ShowStatus(const std::wstring& text) {
    m_strShownStatus = text;
    Button(cmd::STATUS).SetText(text);
    // Also the button's own text, so screen readers (and other programs) can read it.
    Button(cmd::STATUS).SetWindowText(text);
    ::RedrawWindow(Button(cmd::STATUS), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CZAVOConfigDlg::ClearStatusText() {
    m_strStatus.clear();
    ShowStatus(m_strStatus);
}

}  // namespace zavo
