// The command buttons of the main window: profiles, modes, apply, reset, the
// web site and guide, the dialogs they open, and the three ways out.
#include <cstdlib>

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

BOOL CZAVOConfigDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    // Every skinned button has id 0: the sender's window tells them apart.
    if (HWND from = reinterpret_cast<HWND>(lParam)) {
        if (!RunCommandButton(from)) RunEnterButton(from);
    }
    return CSkinDialog::OnCommand(wParam, lParam);
}

bool CZAVOConfigDlg::RunCommandButton(HWND from) {
    static constexpr int ORDER[] = {
        cmd::APPLY,      cmd::QUIT,       cmd::OK_EXIT,      cmd::RESET,    cmd::WEB,          cmd::HELP,
        cmd::EXIT,       cmd::PROFILE1,   cmd::PROFILE2,     cmd::PROFILE3, cmd::PROFILE4,     cmd::PROFILE5,
        cmd::MODE0,      cmd::MODE1,      cmd::MACRO_EDITOR, cmd::LIGHTING, cmd::ASSIGN_MACRO, cmd::ASSIGN_CLEAR,
        cmd::ASSIGN_KEY, cmd::ASSIGN_APP, cmd::INSTANT_SHIFT};
    int key = 0;
    for (int k : ORDER) {
        if (Button(k).m_hWnd == from) {
            key = k;
            break;
        }
    }
    switch (key) {
        case cmd::APPLY:
            OnApply();
            break;
        case cmd::QUIT:
            // As Alt+F4: changes not applied yet are dropped only after asking.
            OnCancel();
            break;
        case cmd::OK_EXIT:
            OnOkAndExit();
            break;
        case cmd::RESET:
            OnReset();
            break;
        case cmd::WEB:
            OnWebSite();
            break;
        case cmd::HELP:
            OnHelp();
            break;
        case cmd::EXIT:
            std::exit(-1);
        case cmd::PROFILE1:
            OnSelectProfile(0);
            break;
        case cmd::PROFILE2:
            OnSelectProfile(1);
            break;
        case cmd::PROFILE3:
            OnSelectProfile(2);
            break;
        case cmd::PROFILE4:
            OnSelectProfile(3);
            break;
        case cmd::PROFILE5:
            OnSelectProfile(4);
            break;
        case cmd::MODE0:
            OnSelectMode(0);
            break;
        case cmd::MODE1:
            OnSelectMode(1);
            break;
        case cmd::MACRO_EDITOR:
            OnMacroEditor();
            break;
        case cmd::LIGHTING:
            OnLighting();
            break;
        case cmd::ASSIGN_MACRO:
            OnAssignMacro();
            break;
        case cmd::ASSIGN_CLEAR:
            OnAssignClear();
            break;
        case cmd::ASSIGN_KEY:
            OnAssignSingleKey();
            break;
        case cmd::ASSIGN_APP:
            OnAssignApplication();
            break;
        case cmd::INSTANT_SHIFT:
            OnInstantShift();
            break;
        default:
            return false;
    }
    return true;
}

void CZAVOConfigDlg::ReportWriteFailure(const IniFileStatus& result) {
    const std::wstring text = L"The settings could not be saved.\n\nFile: " + result.file + L"\nReason: " +
                              result.reason + L"\n\nYour changes are kept. Solve the problem and apply again.";
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
    if (m_nClearedProfile >= 0) {
        cleared = ProfileFilePath(m_App.dataFolder, m_nClearedProfile);
        aside = ProfileAsidePath(m_App.dataFolder, m_nClearedProfile);
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
    const backup::Action action = SaveAction();
    backup::ActionBackup backup(m_App.dataFolder, action,
                                action == backup::Action::Import ? keyboard_config.CurrantProfile : -1);
    const SaveResult result = SaveConfiguration(m_App.dataFolder, keyboard_config);
    if (!aside.empty()) {
        if (result)
            fs::RemoveFile(aside);
        else
            fs::RenameFile(aside, cleared);
    }
    if (result) {
        m_nClearedProfile = -1;
        PutBackRestoredFiles();
        const bool written = WriteImportedLight();
        NoteBackupOutcome(backup.Finish());
        NoteSettingsTaken();
        return written;
    }
    NoteBackupOutcome(backup.Finish());
    NoteSettingsTaken();  // the files it did write are the window's own
    // Nothing is lost: the configuration stays in memory and stays marked as
    // modified, so the user can solve the problem and apply again.
    m_bModified = 1;
    ReportWriteFailure(result);
    return false;
}

void CZAVOConfigDlg::RunLoadingDialog() {
    m_pLoading->m_Profile = keyboard_config.CurrantProfile;
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
    m_bModified = 0;
    m_pView->ShowProfile(keyboard_config.CurrantProfile);
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
    if (m_bModified == 1) {
        CDlgWarning warning(m_App, CDlgWarning::KIND_SAVE_CHANGES);
        // OK applies the profile that was active, with its changes, then switches.
        if (warning.DoModal() == IDOK && Apply()) {
            m_bModified = 0;
            keyboard_config.CurrantProfile = profile;
            m_Service.Post(svc::SVC_SELECT_PROFILE, profile);
            view.ShowProfile(profile);
        } else {
            view.ReleaseUnusedSlots();
            view.ShowKeyAssignments();
        }
    } else {
        keyboard_config.CurrantProfile = profile;
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
    const SaveResult result = WriteConfigMode(path, keyboard_config.Mode);
    m_SettingsTaken.TakeConfigAfterOwnWrite(m_App.dataFolder, before);
    if (!result) ReportWriteFailure(result);
}

void CZAVOConfigDlg::OnSelectMode(int mode) {
    m_pView->ResetSelection(0);
    keyboard_config.Mode = mode;
    m_pView->ShowMode(mode);
    m_Service.Send(svc::SVC_SET_MODE, keyboard_config.Mode);
    StoreModeIfConfigExists();
    ClearStatusText();
}

bool CZAVOConfigDlg::ResetActiveProfile() {
    if (!m_pView->HasEditableProfile()) return true;  // "no profile" has nothing to reset
    const int p = keyboard_config.CurrantProfile;
    ResetProfile(keyboard_config.Profile[static_cast<size_t>(p)]);
    m_nClearedProfile = p;  // its file is written whole by the save
    const bool saved = Save();
    m_pView->RefreshKeyboard();
    m_pView->ShowKeyAssignments();
    return saved;
}

void CZAVOConfigDlg::RestoreLightingDefaults() {
    const IniFileStatus copied = CopyFactoryLightStates(m_App.SkinFolder(), m_App.dataFolder);
    if (!copied) ReportWriteFailure(copied);
    keyboard_config.Light = FactoryLightSettings();
    if (Save()) SendLightApply(keyboard_config.CurrantProfile);
}

void CZAVOConfigDlg::OnReset() {
    m_pView->ResetSelection(0);
    CDlgWarning warning(m_App, CDlgWarning::KIND_RESET);
    // A declined reset changes nothing, the lighting included: the user said no.
    if (warning.DoModal() != IDOK) return;
    // The profile and the lighting a reset replaces are kept as one backup, so a
    // reset by mistake is undone by restoring its one entry.
    backup::ActionBackup backup(m_App.dataFolder, backup::Action::Reset, keyboard_config.CurrantProfile);
    if (!ResetActiveProfile()) {
        // Reported already; the cleared profile stays in memory, marked as modified,
        // and nothing is sent until it can be saved.
        m_pView->ShowProfile(keyboard_config.CurrantProfile);
        return;
    }
    m_bModified = 0;
    RunLoadingDialog();
    m_pView->ShowProfile(keyboard_config.CurrantProfile);
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
    CDlgInstShiftSYS dialog(m_App, keyboard_config.CurrantProfile, m_pView->Active().InstantShift);
    if (dialog.DoModal() != IDOK || !StillTarget(target)) return;
    if (m_pView->Active().InstantShift == dialog.m_Keys) return;
    m_pView->Active().InstantShift = dialog.m_Keys;
    m_bModified = 1;
}

}  // namespace zavo
