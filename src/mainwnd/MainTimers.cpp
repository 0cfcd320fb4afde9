// The main window's timers (blink of the selected key, cursor poll) and its
// reactions to the device service.
#include <cstdlib>
#include <string>

#include "mainwnd/MainDlg.h"

#include "light/ProfileExchange.h"
#include "platform/FileSystem.h"
#include "service/ServiceCodes.h"

namespace zavo {

void CZAVOConfigDlg::OnTimer(UINT_PTR id) {
    if (id == TIMER_BLINK) OnBlinkTimer();
    if (id == TIMER_HOVER) OnHoverTimer();
    CSkinDialog::OnTimer(id);
}

void CZAVOConfigDlg::OnBlinkTimer() { m_pView->BlinkTick(); }

void CZAVOConfigDlg::OnHoverTimer() {
    POINT pt{};
    if (!::GetCursorPos(&pt)) return;
    ScreenToClient(&pt);
    // With the mouse still there is nothing to do.
    if (pt.x == m_ptLastPoll.x && pt.y == m_ptLastPoll.y) return;
    m_ptLastPoll = pt;
    ++m_nHoverRuns;
    ShowHover(m_pView->HoverInfo(pt.x, pt.y));
}

void CZAVOConfigDlg::ShowHover(const HoverOutcome& hover) {
    const HoverOutcome outcome = StatusForHover(hover, m_strStatus, m_bStatusHeld);
    if (outcome.setIndicator) ShowIndicator(outcome.indicator);
    // The poll writes on the status button only; m_strStatus stays as it is.
    if (outcome.setText && outcome.text != m_strShownStatus) PaintStatus(outcome.text);
}

void CZAVOConfigDlg::OnServiceCommand(WPARAM code) {
    if (code == svc::SVC_REQUEST_SAVE) {
        // Carried out at once with the values in memory, also while a dialog is open.
        Save();
    } else if (code == svc::SVC_REQUEST_EXIT) {
        std::exit(0);
    }
}

LRESULT CZAVOConfigDlg::OnMessageProcessFun(WPARAM, LPARAM lParam) {
    switch (lParam) {
        case svc::NOTIFY_RELOAD_ALL:
            ReloadAll();
            break;
        case svc::NOTIFY_RELOAD_CONFIG:
            ReloadConfigFile();
            break;
        case svc::NOTIFY_MODE_1:
            OnModeNotified(1);
            break;
        case svc::NOTIFY_MODE_0:
            OnModeNotified(0);
            break;
        case svc::NOTIFY_LIGHT:
            ReloadLighting();
            break;
        default:
            break;
    }
    return 1;
}

void CZAVOConfigDlg::ReloadAll() {
    ++m_nReloads;
    ReadConfigFile(ConfigFilePath(m_App.dataFolder), m_Session.Config());
    const std::wstring line = L"OnMessageProcessFun lParam==WM_USER+1 m_Session.Config().CurrantProfile = " +
                              std::to_wstring(m_Session.Config().CurrantProfile);
    ::OutputDebugStringW(line.c_str());
    // Unsaved edits are discarded: the files the service wrote win.
    m_Session.Discard();
    LoadConfiguration(m_App.dataFolder, m_Session.Config());
    NoteSettingsTaken();
    KeyboardView::NormalizeProfile(m_Session.Config());
    HandOverReloadedLight();
    m_pView->ShowProfile(m_Session.Config().CurrantProfile);
}

void CZAVOConfigDlg::ReloadConfigFile() {
    ++m_nReloads;
    // Re-read without redrawing; a profile number the display cannot use becomes 0.
    ReadConfigFile(ConfigFilePath(m_App.dataFolder), m_Session.Config());
    m_SettingsTaken.TakeConfig(m_App.dataFolder);
    KeyboardView::NormalizeProfile(m_Session.Config());
}

void CZAVOConfigDlg::OnModeNotified(int mode) {
    ++m_nReloads;
    m_pView->ResetSelection(0);
    m_Session.Config().Mode = mode;
    m_pView->ShowMode(mode);
    // The service reported the mode itself: nothing is sent back.
    StoreModeIfConfigExists();
}

}  // namespace zavo
