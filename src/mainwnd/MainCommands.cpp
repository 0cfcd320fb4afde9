// The command buttons of the main window: profiles, modes, apply, reset, the
// web site and guide, the dialogs they open, and the three ways out.
#include <cstdlib>

#include "app/FailureText.h"
#include "app/Language.h"
#include "dialogs/DlgLoading.h"
#include "dialogs/DlgWarning.h"
#include "keydlg/DlgInstShiftSYS.h"
#include "macroeditor/DlgMacroSetting.h"
#include "config/ProfileEdits.h"
#include "light/LightStateFile.h"
#include "lightwnd/DlgLightOption.h"
#include "light/LightZones.h"
#include "mainwnd/MainDlg.h"
#include "platform/FileSystem.h"
#include "service/ServiceCodes.h"

namespace zavo {

void CZAVOConfigDlg::ReportWriteFailure(const IniFileStatus& result) {
    const std::wstring text = SaveFailedMessage(m_App, result);
    // The caption is not the main window's title, so the service never mistakes the box for it.
    ::MessageBoxW(m_hWnd, text.c_str(), L"ZAVOConfig", MB_OK | MB_ICONERROR);
}

bool CZAVOConfigDlg::Save() {
    if (!MayOverwriteSettings()) return false;
    // The file of a profile a reset cleared is written whole, without the keys of
    // its old file: the old file is moved aside for the save and put back when the
    // save fails, so a failed save leaves it as it was. A run killed in between
    // leaves it aside, and the next load puts it back (ProfileAsidePath).
    std::wstring cleared, aside;
    if (const int clearedProfile = m_Session.ClearedProfile(); clearedProfile >= 0) {
        cleared = ProfileFilePath(m_App.dataFolder, clearedProfile);
        aside = ProfileAsidePath(m_App.dataFolder, clearedProfile);
        // A read-only file would be renamed although it may not be written: it stays,
        // and the save is refused as for any write to it. A held file cannot be moved
        // and the save meets the same refusal.
        const DWORD attributes = ::GetFileAttributesW(cleared.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_READONLY) ||
            !fs::RenameFile(cleared, aside))
            aside.clear();
    }
    // One backup for what this save replaces, the files a restore puts back and
    // an import's zones included (part of the user action's when one is open).
    backup::ActionBackup backup(m_App.dataFolder, m_Session.SaveAction(), m_Session.SaveActionProfile());
    const SaveResult result = SaveConfiguration(m_App.dataFolder, m_Session.Config());
    if (!aside.empty()) {
        if (result)
            fs::RemoveFile(aside);
        else
            fs::RenameFile(aside, cleared);
    }
    if (result) {
        const bool written = FinishSavedSession();
        NoteBackupOutcome(backup.Finish());
        NoteSettingsTaken();
        return written;
    }
    NoteBackupOutcome(backup.Finish());
    NoteSettingsTaken();  // the files it did write are the window's own
    // Nothing is lost: the configuration stays in memory and stays marked as
    // modified, so the user can solve the problem and apply again.
    m_Session.MarkModified();
    ReportWriteFailure(result);
    return false;
}

void CZAVOConfigDlg::RunLoadingDialog() {
    m_pLoading->m_Profile = m_Session.Config().CurrantProfile;
    m_pLoading->DoModal();
}

bool CZAVOConfigDlg::Apply() {
    // A failed save sends nothing: the service would apply the old files.
    if (!Save()) return false;
    RunLoadingDialog();
    return true;
}

void CZAVOConfigDlg::SendLightApply(std::intptr_t lParam) { m_Service.FilesChangedThenApplyLight(lParam); }

void CZAVOConfigDlg::OnApply() {
    if (!Apply()) return;
    m_pView->ResetSelection(0);
    ClearStatusText();
    m_Session.MarkApplied();
    m_pView->ShowProfile(m_Session.Config().CurrantProfile);
}

void CZAVOConfigDlg::OnOkAndExit() {
    // When the save fails the tool stays open, so the edits are not thrown away.
    if (!Apply()) return;
    m_Service.Post(svc::SVC_TOOL_EXIT, 0);
    std::exit(0);
}

void CZAVOConfigDlg::OnSelectProfile(int profile) {
    KeyboardView& view = *m_pView;
    view.ResetSelection(0);
    if (m_Session.Modified()) {
        CDlgWarning warning(m_App, CDlgWarning::KIND_SAVE_CHANGES);
        // OK applies the profile that was active, with its changes, then switches.
        if (warning.DoModal() == IDOK && Apply()) {
            m_Session.MarkApplied();
            m_Session.Config().CurrantProfile = profile;
            m_Service.Post(svc::SVC_SELECT_PROFILE, profile);
            view.ShowProfile(profile);
        } else {
            view.ReleaseUnusedSlots();
            view.ShowKeyAssignments();
        }
    } else {
        m_Session.Config().CurrantProfile = profile;
        m_Service.Post(svc::SVC_SELECT_PROFILE, profile);
        view.ShowProfile(profile);
    }
    ClearStatusText();
}

void CZAVOConfigDlg::StoreModeIfConfigExists() {
    const std::wstring path = ConfigFilePath(m_App.dataFolder);
    if (!fs::FileExists(path)) return;  // the mode reaches the file with the next save
    ::OutputDebugStringW(L"Path exsit!\n");
    // On failure the mode stays in memory and reaches the file with the next save.
    const fs::FileStamp before = fs::Stat(path);
    const SaveResult result = WriteConfigMode(path, m_Session.Config().Mode);
    m_SettingsTaken.TakeConfigAfterOwnWrite(m_App.dataFolder, before);
    if (!result) ReportWriteFailure(result);
}

void CZAVOConfigDlg::OnSelectMode(int mode) {
    m_pView->ResetSelection(0);
    m_Session.Config().Mode = mode;
    m_pView->ShowMode(mode);
    m_Service.Send(svc::SVC_SET_MODE, m_Session.Config().Mode);
    StoreModeIfConfigExists();
    ClearStatusText();
}

bool CZAVOConfigDlg::ResetActiveProfile() {
    if (!m_pView->HasEditableProfile()) return true;  // "no profile" has nothing to reset
    const int p = m_Session.Config().CurrantProfile;
    ResetProfile(m_Session.Config().Profile[static_cast<size_t>(p)]);
    m_Session.NoteProfileCleared(p);  // its file is written whole by the save
    const bool saved = Save();
    m_pView->RefreshKeyboard();
    m_pView->ShowKeyAssignments();
    return saved;
}

void CZAVOConfigDlg::RestoreLightingDefaults() {
    const IniFileStatus copied = CopyFactoryLightStates(m_App.SkinFolder(), m_App.dataFolder);
    if (!copied) ReportWriteFailure(copied);
    m_Session.Config().Light = FactoryLightSettings();
    if (Save()) SendLightApply(m_Session.Config().CurrantProfile);
}

void CZAVOConfigDlg::OnReset() {
    m_pView->ResetSelection(0);
    CDlgWarning warning(m_App, CDlgWarning::KIND_RESET);
    // A declined reset changes nothing, the lighting included: the user said no.
    if (warning.DoModal() != IDOK) return;
    // The profile and the lighting a reset replaces are kept as one backup, so a
    // reset by mistake is undone by restoring its one entry.
    backup::ActionBackup backup(m_App.dataFolder, backup::Action::Reset, m_Session.Config().CurrantProfile);
    if (!ResetActiveProfile()) {
        // Reported already; the cleared profile stays in memory, marked as modified,
        // and nothing is sent until it can be saved.
        m_pView->ShowProfile(m_Session.Config().CurrantProfile);
        return;
    }
    m_Session.MarkApplied();
    RunLoadingDialog();
    m_pView->ShowProfile(m_Session.Config().CurrantProfile);
    RestoreLightingDefaults();
    NoteBackupOutcome(backup.Finish());
}

void CZAVOConfigDlg::OnWebSite() {
    m_pView->ResetSelection(0);
    OpenWebSite(m_hWnd);
}

void CZAVOConfigDlg::OnHelp() {
    m_pView->ResetSelection(0);
    OpenHelp(m_App.programFolder);
}

void CZAVOConfigDlg::OnMacroEditor() {
    m_pView->ResetSelection(0);
    ClearStatusText();
    // The editor works on the macro files only; its result changes nothing here.
    CDlgMacroSetting editor(m_App, this);
    editor.DoModal();
}

void CZAVOConfigDlg::OnInstantShift() {
    m_pView->ResetSelection(0);
    ClearStatusText();
    // The empty stand-in of "no profile" has no keys to set.
    if (!m_pView->HasEditableProfile()) return;
    const AssignTarget target = CurrentTarget();
    CDlgInstShiftSYS dialog(m_App, m_Session.Config().CurrantProfile, m_pView->Active().InstantShift);
    if (dialog.DoModal() != IDOK || !StillTarget(target)) return;
    if (m_pView->Active().InstantShift == dialog.m_Keys) return;
    m_pView->Active().InstantShift = dialog.m_Keys;
    m_Session.MarkModified();
}

}  // namespace zavo
