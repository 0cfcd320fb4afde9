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
    m_LightExchange = m_Session.Config().Light;
    // The zones written while the window is open and the saves of its Apply and
    // OK are one change of the lighting: one backup.
    backup::ActionBackup backup(m_App.dataFolder, backup::Action::Lighting);
    // An unapplied import's zones are what the window shows for their light
    // profile; once the window writes that profile they no longer wait.
    if (const ProfileExchange* imported = m_Session.WaitingImport())
        m_pLightOption->SetPendingZones(LightProfileOfMode(imported->light.LightMode), imported->zones);
    const INT_PTR result = m_pLightOption->DoModal();
    if (m_Session.WaitingImport() && m_pLightOption->PendingZonesStored()) m_Session.DropImport();
    m_pLightOption->ClearPendingZones();
    if (result == IDOK) {
        m_Session.Config().Light = m_LightExchange;
        // A failed save is reported and sends nothing: the service would apply the old file.
        if (SaveLighting()) SendLightApply(0);
    }
    NoteBackupOutcome(backup.Finish());
    ClearStatusText();
}

void CZAVOConfigDlg::OnLightChanged() {
    m_Session.Config().Light = m_LightExchange;
    if (SaveLighting()) SendLightApply(m_Session.Config().CurrantProfile);
}

void CZAVOConfigDlg::ReloadLighting() {
    const std::wstring path = ConfigFilePath(m_App.dataFolder);
    // Without the file every value would read as -1 and replace the lighting in
    // memory, which the next save would then write: keep what is there.
    if (!fs::FileExists(path)) return;
    ReadLightOption(path, m_Session.Config().Light);
    // The service rewrote the file and said so: its change is taken in, not an outside one.
    m_SettingsTaken.TakeConfig(m_App.dataFolder);
    HandOverReloadedLight();
}

void CZAVOConfigDlg::HandOverReloadedLight() {
    // The open window edits m_LightExchange: it takes what changed and shows
    // it, and the user's other choices there stay.
    if (LightingWindowOpen())
        m_pLightOption->TakeReloadedLight(m_Session.Config().Light);
    else
        m_LightExchange = m_Session.Config().Light;
}

bool CZAVOConfigDlg::SaveLighting() {
    if (!MayOverwriteSettings()) return false;
    backup::KeepOutcome kept;
    const SaveResult result = SaveLightSettings(m_App.dataFolder, m_Session.Config(), &kept);
    NoteBackupOutcome(kept);
    if (result) {
        // The file it wrote is the window's own now; the profile files stay as taken.
        m_SettingsTaken.TakeConfig(m_App.dataFolder);
        return true;
    }
    // Nothing is lost: the lighting stays in memory, marked for the next APPLY.
    m_Session.MarkModified();
    ReportWriteFailure(result);
    return false;
}

}  // namespace zavo
