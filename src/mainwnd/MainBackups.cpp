// The main window's system menu items (Alt+Space, or the task-bar button's
// menu: standard places that leave the skin as it is): restore earlier
// settings, export the active profile to a profile file, import one into it.
// Restore and import are edits like any other: marked modified, nothing sent
// until APPLY, whose save keeps the files it replaces as a backup.
#include "app/FailureText.h"
#include "app/UiTexts.h"
#include "config/Backups.h"
#include "dialogs/DlgAppProfiles.h"
#include "dialogs/DlgRestoreSettings.h"
#include "dialogs/DlgWarning.h"
#include "framework/FileDialog.h"
#include "light/ProfileExchange.h"
#include "mainwnd/MainDlg.h"

namespace zavo {
namespace {

// Asks for a profile file with the platform's save or open dialog, owned by
// `owner`; `suggested` is the name offered. "" when the user cancels.
std::wstring AskProfileFile(HWND owner, const AppContext& app, bool save, const std::wstring& suggested) {
    FileChoice choice;
    choice.owner = owner;
    const std::wstring pattern = L"*" + std::wstring(PROFILE_FILE_EXTENSION);
    choice.filter = FileFilter(app.Text(BackupText::ProfileFileFilter) + L" (" + pattern + L")", pattern);
    choice.name = suggested;
    choice.mustExist = !save;
    if (save) choice.extension = PROFILE_FILE_EXTENSION + 1;
    return AskFilePath(choice).value_or(L"");
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
    // The profiles by application, then the settings' history and exchange as
    // the last group.
    ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(menu, MF_STRING, IDM_APP_PROFILES, m_App.Text(kAppsMenuItem).c_str());
    ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(menu, MF_STRING, IDM_RESTORE_SETTINGS, m_App.Text(BackupText::MenuRestore).c_str());
    ::AppendMenuW(menu, MF_STRING, IDM_EXPORT_PROFILE, m_App.Text(BackupText::MenuExport).c_str());
    ::AppendMenuW(menu, MF_STRING, IDM_IMPORT_PROFILE, m_App.Text(BackupText::MenuImport).c_str());
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
            CDlgAppProfiles dialog(m_App, m_Session.Config().CurrantProfile, this);
            dialog.DoModal();
            return;
        }
        default:
            CSkinDialog::OnSysCommand(id, lParam);
    }
}

void CZAVOConfigDlg::NoteBackupOutcome(const backup::KeepOutcome& kept) {
    if (!m_Session.FirstBackupFailure(kept)) return;
    m_strPendingNotice = m_App.Text(BackupText::BackupFailed) + FailureLine(m_App, kept.failure);
    m_strStatus = m_strPendingNotice;
    ShowStatus(m_strStatus);
}

bool CZAVOConfigDlg::FinishSavedSession() {
    // Failed zone states stay waiting for the next save.
    const IniFileStatus written = m_Session.Saved(m_App.dataFolder);
    if (!written) ReportWriteFailure(written);
    return static_cast<bool>(written);
}

void CZAVOConfigDlg::ShowReplacedSettings() {
    m_LightExchange = m_Session.Config().Light;
    if (m_pView->HasEditableProfile()) m_pView->RefreshKeyboard();
    m_pView->ShowProfile(m_Session.Config().CurrantProfile);
}

void CZAVOConfigDlg::OnRestoreSettings() {
    m_pView->ResetSelection(0);
    // Edits not applied yet would be thrown away by the restore: asked first, as
    // a profile switch asks (OK applies them, Cancel keeps them and restores nothing).
    if (m_Session.Modified()) {
        CDlgWarning warning(m_App, CDlgWarning::KIND_SAVE_CHANGES);
        if (warning.DoModal() != IDOK || !Apply()) return;
        m_Session.MarkApplied();
        m_pView->ShowProfile(m_Session.Config().CurrantProfile);
    }
    std::vector<backup::Generation> gens = backup::ListGenerations(m_App.dataFolder);
    CDlgRestoreSettings dialog(m_App, gens, this);
    if (dialog.DoModal() != IDOK || dialog.m_nChosen < 0) return;
    const size_t chosen = static_cast<size_t>(dialog.m_nChosen);
    m_Session.LoadRestore(m_App.dataFolder, gens, chosen);
    ShowReplacedSettings();
    m_strStatus = Replaced(m_App.Text(BackupText::RestoreLoaded), backup::GenerationTime(gens[chosen]));
    ShowStatus(m_strStatus);
}

void CZAVOConfigDlg::OnExportProfile() {
    m_pView->ResetSelection(0);
    if (!m_pView->HasEditableProfile()) return;  // "no profile" has nothing to export
    const int p = m_Session.Config().CurrantProfile;
    static const wchar_t* const kRoman[] = {L"I", L"II", L"III", L"IV", L"V"};
    const std::wstring file =
        AskProfileFile(m_hWnd, m_App, true, L"Profile " + std::wstring(kRoman[p]) + PROFILE_FILE_EXTENSION);
    if (file.empty()) return;
    const IniFileStatus written = WriteProfileExchange(file, ProfileForExport(m_App.dataFolder, m_Session.Config(), p));
    if (!written) {
        const std::wstring text =
            m_App.Text(BackupText::ExportFailed) + L"\n\n" + FailureDetails(m_App, written);
        ::MessageBoxW(m_hWnd, text.c_str(), L"ZAVOConfig", MB_OK | MB_ICONERROR);
        return;
    }
    m_strStatus = m_App.Text(BackupText::ExportDone);
    ShowStatus(m_strStatus);
}

void CZAVOConfigDlg::OnImportProfile() {
    m_pView->ResetSelection(0);
    if (!m_pView->HasEditableProfile()) return;  // "no profile" takes nothing
    const int p = m_Session.Config().CurrantProfile;
    const std::wstring file = AskProfileFile(m_hWnd, m_App, false, L"");
    if (file.empty()) return;
    auto imported = std::make_unique<ProfileExchange>();
    ProfileRefusal refused;
    if (!ReadProfileExchange(file, *imported, refused)) {
        // Refused before anything changed.
        const std::wstring text = m_App.Text(BackupText::ImportRefused) + L"\n\n" + ProfileRefusalText(m_App, refused);
        ::MessageBoxW(m_hWnd, text.c_str(), L"ZAVOConfig", MB_OK | MB_ICONWARNING);
        return;
    }
    m_Session.TakeImport(p, std::move(imported));
    ShowReplacedSettings();
    m_strStatus = m_App.Text(BackupText::ImportLoaded);
    ShowStatus(m_strStatus);
}

}  // namespace zavo
