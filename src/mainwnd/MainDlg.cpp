#include "mainwnd/MainDlg.h"

#include "app/UiTexts.h"

#include "dialogs/DlgLoading.h"
#include "dialogs/DlgWarning.h"
#include "light/ProfileExchange.h"
#include "lightwnd/DlgLightOption.h"
#include "macro/KeyNames.h"
#include "skin/Picture.h"
#include "service/ServiceCodes.h"

namespace zavo {

namespace {

std::wstring StandardKeyName(std::uint8_t code) { return KeyName(code); }

}  // namespace

CZAVOConfigDlg::CZAVOConfigDlg(const AppContext& app)
    : CSkinDialog(IDD_ZAVOCONFIG_DIALOG, app),
      m_pView(std::make_unique<KeyboardView>(m_Session.Config(), static_cast<KeySurface&>(*this), &StandardKeyName)),
      m_pLoading(std::make_unique<CDlgLoading>(m_Service)),
      m_pLightOption(std::make_unique<CDlgLightOption>(app, m_LightExchange, m_Service, this)) {
    m_hIcon = ::LoadIconW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDR_MAINFRAME));
    m_pView->UseTexts(app);
}

CZAVOConfigDlg::~CZAVOConfigDlg() = default;

void CZAVOConfigDlg::LoadIndicators(int percent) {
    static constexpr int IDS[] = {IDB_INDICATOR_DEFAULT, IDB_INDICATOR_LAUNCH, IDB_INDICATOR_KEY, IDB_INDICATOR_MACRO};
    static_assert(static_cast<int>(Indicator::Default) == 0 && static_cast<int>(Indicator::Launch) == 1 &&
                  static_cast<int>(Indicator::Key) == 2 && static_cast<int>(Indicator::Macro) == 3);
    if (percent == m_IndicatorScale && m_Indicators[0]) return;
    HINSTANCE res = AfxGetResourceHandle();
    for (size_t i = 0; i < m_Indicators.size(); ++i) m_Indicators[i] = LoadScaledBitmap(res, IDS[i], percent);
    m_IndicatorScale = percent;
}

RECT CZAVOConfigDlg::IndicatorPlace() const { return PxRect(MAIN_INDICATOR_PLACE); }

BOOL CZAVOConfigDlg::OnInitDialog() {
    CSkinDialog::OnInitDialog();
    // Without its face (a "Main" picture that is there but cannot be decoded)
    // the window cannot be shown: the application names the picture and ends;
    // nothing is loaded, saved or sent. Other damaged pictures leave a window
    // that works (unshaped, or with a button look missing).
    if (m_Background.Empty()) {
        m_UnreadableFace = DamagedPicture().empty() ? m_App.SkinFolder() + SkinFile() : DamagedPicture();
        EndDialog(IDABORT);
        return TRUE;
    }
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));

    KeyboardView& view = *m_pView;
    view.StartOver();
    m_Session.MarkApplied();
    m_strStatus.clear();

    SetWindowText(svc::MAIN_WINDOW_TITLE);
    LoadConfiguration(m_App.dataFolder, m_Session.Config());
    NoteSettingsTaken();
    // 204, negative values and values past the profiles all mean profile 0.
    KeyboardView::NormalizeProfile(m_Session.Config());
    // A live change of the lighting window must never find stale values here.
    m_LightExchange = m_Session.Config().Light;
    if (m_Session.Config().CurrantProfile == NO_PROFILE) {
        view.ShowProfile(NO_PROFILE);
    } else {
        view.RefreshKeyboard();
        view.ShowProfile(m_Session.Config().CurrantProfile);
    }

    if (m_Session.Config().DeviceState != 1) {
        CDlgWarning warning(m_App, CDlgWarning::KIND_NO_DEVICE);
        warning.DoModal();
    }
    m_Service.Send(svc::SVC_SET_MODE, m_Session.Config().Mode);

    Button(cmd::STATUS).EnableWindow(FALSE);
    Button(cmd::ASSIGN_CLEAR).EnableWindow(FALSE);
    SetTimer(TIMER_HOVER, HOVER_PERIOD_MS);
    m_ShownIndicator = Indicator::Default;
    AddSystemMenuItems();
    CenterWindow(::GetDesktopWindow());
    return TRUE;
}

BOOL CZAVOConfigDlg::PreTranslateMessage(MSG* msg) {
    // Enter and Esc never end the main window, and skip the dialog keys.
    if (IsEnterOrEscKey(msg)) return FALSE;
    m_KeyPad.RelayEvent(msg);
    if (msg->message == svc::WM_SERVICE_COMMAND && msg->hwnd == m_hWnd) OnServiceCommand(msg->wParam);
    if (msg->message == svc::WM_LIGHT_CHANGED && msg->hwnd == m_hWnd) OnLightChanged();
    return CSkinDialog::PreTranslateMessage(msg);
}

// Changes not applied yet are dropped only after asking: Yes applies them (a
// failed save is reported and the window stays, with the edits), No drops them,
// Cancel keeps working. True when the window may close.
bool CZAVOConfigDlg::SettleUnappliedBeforeClosing() {
    if (!m_Session.Modified()) return true;
    // The caption is not the main window's title, so the service never takes the box for it.
    switch (::MessageBoxW(m_hWnd, m_App.Text(kCloseUnapplied).c_str(), L"ZAVOConfig",
                          MB_YESNOCANCEL | MB_ICONQUESTION)) {
        case IDYES:
            return Apply();
        case IDNO:
            return true;
        default:
            return false;
    }
}

void CZAVOConfigDlg::OnCancel() {
    if (SettleUnappliedBeforeClosing()) CSkinDialog::OnCancel();
}

UINT HoverRunsQueryMessage() {
    static const UINT message = ::RegisterWindowMessageW(L"ZAVOConfig.HoverPollRuns");
    return message;
}

LRESULT CZAVOConfigDlg::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == svc::WM_SERVICE_NOTIFY) return OnMessageProcessFun(wParam, lParam);
    // Diagnostics: how often the cursor poll did real work (the idle benchmark asks).
    if (msg == HoverRunsQueryMessage() && msg != 0) return static_cast<LRESULT>(m_nHoverRuns);
    return CSkinDialog::WindowProc(msg, wParam, lParam);
}

HCURSOR CZAVOConfigDlg::OnQueryDragIcon() { return reinterpret_cast<HCURSOR>(m_hIcon); }

void CZAVOConfigDlg::OnDestroy() {
    KillTimer(TIMER_HOVER);
    KillTimer(TIMER_BLINK);
    m_KeyPad.Clear();
    CSkinDialog::OnDestroy();
}

void CZAVOConfigDlg::ShowIndicator(Indicator which) {
    if (which == m_ShownIndicator) return;
    m_ShownIndicator = which;
    const RECT place = IndicatorPlace();
    ::RedrawWindow(m_hWnd, &place, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

void CZAVOConfigDlg::ShowStatus(const std::wstring& text) {
    m_bStatusHeld = false;
    PaintStatus(text);
}

void CZAVOConfigDlg::ShowNotice(const std::wstring& text) {
    m_strStatus = text;
    PaintStatus(text);
    m_bStatusHeld = true;
}

void CZAVOConfigDlg::PaintStatus(const std::wstring& text) {
    m_strShownStatus = text;
    Button(cmd::STATUS).SetText(text);
    // Also the button's own text, so screen readers (and other programs) can read it.
    Button(cmd::STATUS).SetWindowText(text);
    ::RedrawWindow(Button(cmd::STATUS), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CZAVOConfigDlg::ClearStatusText() {
    // A notice waiting to be seen (a backup that could not be made) takes the
    // place of the empty text once.
    m_strStatus = std::move(m_strPendingNotice);
    m_strPendingNotice.clear();
    ShowStatus(m_strStatus);
}

}  // namespace zavo
