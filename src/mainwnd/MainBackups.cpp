// The main window's system menu items (Alt+Space, or the task-bar button's
// menu: standard places that leave the skin as it is): restore earlier
// settings, export the active profile to a profile file, import one into it.
// Restore and import are edits like any other: marked modified, nothing sent
// until APPLY, whose save keeps the files it replaces as a backup.
#include "app/UiTexts.h"
#include "config/Backups.h"
#include "dialogs/DlgAppProfiles.h"
#include "dialogs/DlgRestoreSettings.h"
#include "dialogs/DlgWarning.h"
#include "light/ProfileExchange.h"
#include "mainwnd/MainDlg.h"

#include <commdlg.h>

namespace zavo {
namespace {

// The filter of the file dialogs: "<name> (*.zavoprofile)", then the pattern.
std::wstring ProfileFilter(const AppContext& app) {
    const std::wstring pattern = L"*" + std::wstring(PROFILE_FILE_EXTENSION);
    std::wstring f = app.Text(BackupText::ProfileFileFilter) + L" (" + pattern + L")";
    f.push_back(L'\0');
    f += pattern;
    f.push_back(L'\0');
    f.push_back(L'\0');
    return f;
}

// Asks for a profile file with the platform's save or open dialog, owned by
// `owner`; `suggested` is the name offered. "" when the user cancels.
std::wstring AskProfileFile(HWND owner, const AppContext& app, bool save, const std::wstring& suggested) {
    wchar_t file[MAX_PATH] = {};
    suggested.copy(file, MAX_PATH - 1);
    const std::wstring filter = ProfileFilter(app);
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter.c_str();
    ofn.lpstrFile = file;
    ofn.nMaxFile = MAX_PATH;
    ofn.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
    if (save) {
        ofn.lpstrDefExt = PROFILE_FILE_EXTENSION + 1;
        ofn.Flags |= OFN_OVERWRITEPROMPT;
        return ::GetSaveFileNameW(&ofn) ? file : L"";
    }
    ofn.Flags |= OFN_FILEMUSTEXIST;
    return ::GetOpenFileNameW(&ofn) ? file : L"";
}

std::wstring Replaced(std::wstring text, const std::wstring& value) {
    const size_t at = text.find(L"%1");
    if (at != std::wstring::npos) text.replace(at, 2, value);
    return text;
}

}  // namespace

void CZAVOConfigDlg::AddSystemMenuItems() {
    HMENU menu = ::GetSystemMenu(m_hWnd, FALSE);
    if (!menu) return;
    ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(menu, MF_STRING, IDM_RESTORE_SETTINGS, m_App.Text(BackupText::MenuRestore).c_str());
    ::AppendMenuW(menu, MF_STRING, IDM_EXPORT_PROFILE, m_App.Text(BackupText::MenuExport).c_str());
    ::AppendMenuW(menu, MF_STRING, IDM_IMPORT_PROFILE, m_App.Text(BackupText::MenuImport).c_str());
    ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(menu, MF_STRING, IDM_APP_PROFILES, m_App.Text(kAppsMenuItem).c_str());
}

void CZAVOConfigDlg::OnSysCommand(UINT id, LPARAM lParam) {
    switch (id & 0xFFF0) {
        case IDM_RESTORE_SETTINGS:
            OnRestoreSettings();
            return;
        case IDM_EXPORT_PROFILE:
            OnExportProfile();
            return;
        case IDM_IMPORT_PROFILE:
            OnImportProfile();
            return;
        case IDM_APP_PROFILES: {
            // The rules are a file of their own, saved by the window itself: the
            // profile being edited here is not touched.
            CDlgAppProfiles dialog(m_App, keyboard_config.CurrantProfile, this);
            dialog.DoModal();
            return;
        }
        default:
            CSkinDialog::OnSysCommand(id, lParam);
    }
}

void CZAVOConfigDlg::NoteBackupOutcome(const backup::KeepOutcome& kept) {
    if (kept) return;
    if (m_bBackupNoticeShown) return;
    m_bBackupNoticeShown = true;
    m_strPendingNotice = m_App.Text(BackupText::BackupFailed) + kept.reason;
    m_strStatus = m_strPendingNotice;
    ShowStatus(m_strStatus);
}

bool CZAVOConfigDlg::WriteImportedLight() {
    if (!m_pImported) return true;
    const IniFileStatus written = WriteImportedZones(m_App.dataFolder, *m_pImported);
    // On failure the states stay waiting for the next save.
    if (!written) {
        ReportWriteFailure(written);
        return false;
    }
    m_pImported.reset();
    return true;
}

void CZAVOConfigDlg::PutBackRestoredFiles() {
    if (!m_pRestored) return;
    // The save already wrote the same values: a file that cannot be put back in
    // its kept layout loses nothing, so it is not reported as a failed save.
    backup::PutBackUnchanged(m_App.dataFolder, *m_pRestored, m_RestoredFiles, keyboard_config);
    m_pRestored.reset();
}

void CZAVOConfigDlg::ShowReplacedSettings() {
    m_bModified = 1;
    m_LightExchange = keyboard_config.Light;
    if (m_pView->HasEditableProfile()) m_pView->RefreshKeyboard();
    m_pView->ShowProfile(keyboard_config.CurrantProfile);
}

backup::Action CZAVOConfigDlg::SaveAction() const {
    if (m_pRestored) return backup::Action::Restore;
    return m_pImported ? backup::Action::Import : backup::Action::Apply;
}

void CZAVOConfigDlg::OnRestoreSettings() {
    m_pView->ResetSelection(0);
    // Edits not applied yet would be thrown away by the restore: asked first, as
    // a profile switch asks (OK applies them, Cancel keeps them and restores nothing).
    if (m_bModified == 1) {
        CDlgWarning warning(m_App, CDlgWarning::KIND_SAVE_CHANGES);
        if (warning.DoModal() != IDOK || !Apply()) return;
        m_bModified = 0;
        m_pView->ShowProfile(keyboard_config.CurrantProfile);
    }
    std::vector<backup::Generation> gens = backup::ListGenerations(m_App.dataFolder);
    CDlgRestoreSettings dialog(m_App, gens, this);
    if (dialog.DoModal() != IDOK || dialog.m_nChosen < 0) return;
    const size_t chosen = static_cast<size_t>(dialog.m_nChosen);
    backup::LoadAsOf(m_App.dataFolder, gens, chosen, keyboard_config);
    // Read now: the save that keeps the current files may rotate this generation out.
    m_RestoredFiles = backup::RestoredBytesAsOf(m_App.dataFolder, gens, chosen);
    m_pRestored = std::make_unique<KeyboardConfig>(keyboard_config);
    // Restored zone states are not part of the six files; an import's waiting
    // ones would mix two settings.
    m_pImported.reset();
    ShowReplacedSettings();
    m_strStatus = Replaced(m_App.Text(BackupText::RestoreLoaded), backup::GenerationTime(gens[chosen]));
    ShowStatus(m_strStatus);
}

void CZAVOConfigDlg::OnExportProfile() {
    m_pView->ResetSelection(0);
    if (!m_pView->HasEditableProfile()) return;  // "no profile" has nothing to export
    const int p = keyboard_config.CurrantProfile;
    static const wchar_t* const kRoman[] = {L"I", L"II", L"III", L"IV", L"V"};
    const std::wstring file =
        AskProfileFile(m_hWnd, m_App, true, L"Profile " + std::wstring(kRoman[p]) + PROFILE_FILE_EXTENSION);
    if (file.empty()) return;
    const IniFileStatus written = WriteProfileExchange(file, ProfileForExport(m_App.dataFolder, keyboard_config, p));
    if (!written) {
        const std::wstring text =
            m_App.Text(BackupText::ExportFailed) + L"\n\n" + written.file + L"\n" + written.reason;
        ::MessageBoxW(m_hWnd, text.c_str(), L"ZAVOConfig", MB_OK | MB_ICONERROR);
        return;
    }
    m_strStatus = m_App.Text(BackupText::ExportDone);
    ShowStatus(m_strStatus);
}

void CZAVOConfigDlg::OnImportProfile() {
    m_pView->ResetSelection(0);
    if (!m_pView->HasEditableProfile()) return;  // "no profile" takes nothing
    const int p = keyboard_config.CurrantProfile;
    const std::wstring file = AskProfileFile(m_hWnd, m_App, false, L"");
    if (file.empty()) return;
    auto imported = std::make_unique<ProfileExchange>();
    std::wstring error;
    if (!ReadProfileExchange(file, *imported, error)) {
        // Refused before anything changed.
        const std::wstring text = m_App.Text(BackupText::ImportRefused) + L"\n\n" + error;
        ::MessageBoxW(m_hWnd, text.c_str(), L"ZAVOConfig", MB_OK | MB_ICONWARNING);
        return;
    }
    PutImportedProfile(keyboard_config, p, *imported);
    m_pImported = std::move(imported);
    ShowReplacedSettings();
    m_strStatus = m_App.Text(BackupText::ImportLoaded);
    ShowStatus(m_strStatus);
}

}  // namespace zavo
