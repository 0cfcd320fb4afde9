// The main window's side of the lighting: the hand-over to the lighting window
// and back, its live applies, the service's lighting notification, and the
// lighting save, which writes the lighting alone.
#include "mainwnd/MainDlg.h"

#include "light/LightSave.h"
#include "light/ProfileExchange.h"
#include "lightwnd/DlgLightOption.h"
#include "platform/FileSystem.h"

namespace zavo {

bool CZAVOConfigDlg::LightingWindowOpen() const { return m_pLightOption && m_pLightOption->m_hWnd; }

void CZAVOConfigDlg::OnLighting() {
    m_pView->ResetSelection(0);
    m_LightExchange = keyboard_config.Light;
    // The zones written while the window is open and the saves of its Apply and
    // OK are one change of the lighting: one backup.
    backup::ActionBackup backup(m_App.dataFolder, backup::Action::Lighting);
    // An unapplied import's zones are what the window shows for their light
    // profile; once the window writes that profile they no longer wait.
    if (m_pImported)
        m_pLightOption->SetPendingZones(LightProfileOfMode(m_pImported->light.LightMode), m_pImported->zones);
    const INT_PTR result = m_pLightOption->DoModal();
    if (m_pImported && m_pLightOption->PendingZonesStored()) m_pImported.reset();
    m_pLightOption->ClearPendingZones();
    if (result == IDOK) {
        keyboard_config.Light = m_LightExchange;
        // A failed save is reported and sends nothing: the service would apply the old file.
        if (SaveLighting()) SendLightApply(0);
    }
    NoteBackupOutcome(backup.Finish());
    ClearStatusText();
}

void CZAVOConfigDlg::OnLightChanged() {
    keyboard_config.Light = m_LightExchange;
    if (SaveLighting()) SendLightApply(keyboard_config.CurrantProfile);
}

void CZAVOConfigDlg::ReloadLighting() {
    const std::wstring path = ConfigFilePath(m_App.dataFolder);
    // Without the file every value would read as -1 and replace the lighting in
    // memory, which the next save would then write: keep what is there.
    if (!fs::FileExists(path)) return;
    ReadLightOption(path, keyboard_config.Light);
    // The service rewrote the file and said so: its change is taken in, not an outside one.
    m_SettingsTaken.TakeConfig(m_App.dataFolder);
    HandOverReloadedLight();
}

void CZAVOConfigDlg::HandOverReloadedLight() {
    // The open window edits m_LightExchange: it takes what changed and shows
    // it, and the user's other choices there stay.
    if (LightingWindowOpen())
        m_pLightOption->TakeReloadedLight(keyboard_config.Light);
    else
        m_LightExchange = keyboard_config.Light;
}

bool CZAVOConfigDlg::SaveLighting() {
    if (!MayOverwriteSettings()) return false;
    backup::KeepOutcome kept;
    const SaveResult result = SaveLightSettings(m_App.dataFolder, keyboard_config, &kept);
    NoteBackupOutcome(kept);
    if (result) {
        // The file it wrote is the window's own now; the profile files stay as taken.
        m_SettingsTaken.TakeConfig(m_App.dataFolder);
        return true;
    }
    // Nothing is lost: the lighting stays in memory, marked for the next APPLY.
    m_bModified = 1;
    ReportWriteFailure(result);
    return false;
}

}  // namespace zavo
