#include "dialogs/DlgRestoreSettings.h"

#include "platform/TextFill.h"
#include "app/UiTexts.h"

namespace zavo {

std::wstring CDlgRestoreSettings::EntryText(const AppContext& app, const backup::Generation& g) {
    static const wchar_t* const kRoman[] = {L"I", L"II", L"III", L"IV", L"V"};
    const UiText* text = &kBackupBeforeSave;
    switch (g.action) {
        case backup::Action::Apply:
            text = &kBackupBeforeApply;
            break;
        case backup::Action::Reset:
            text = &kBackupBeforeReset;
            break;
        case backup::Action::Lighting:
            text = &kBackupBeforeLighting;
            break;
        case backup::Action::Import:
            text = &kBackupBeforeImport;
            break;
        case backup::Action::Restore:
            text = &kBackupBeforeRestore;
            break;
        case backup::Action::AppProfiles:
            text = &kBackupBeforeAppProfiles;
            break;
        case backup::Action::Save:
            break;
    }
    const std::wstring profile = g.profile >= 0 && g.profile < PROFILE_COUNT ? kRoman[g.profile] : L"?";
    return FillIn(app.Text(*text), {profile, backup::GenerationTime(g)});
}

void CDlgRestoreSettings::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_LIST, m_List);
}

BOOL CDlgRestoreSettings::OnInitDialog() {
    CDialog::OnInitDialog();
    SetWindowText(m_App.Text(BackupText::RestoreTitle));
    ::SetDlgItemTextW(m_hWnd, IDC_INTRO, m_App.Text(BackupText::RestoreIntro).c_str());
    ::SetDlgItemTextW(m_hWnd, IDOK, m_App.Text(BackupText::RestoreButton).c_str());
    ::SetDlgItemTextW(m_hWnd, IDCANCEL, m_App.Text(BackupText::CancelButton).c_str());
    if (m_Gens.empty()) {
        m_List.AddString(m_App.Text(BackupText::NoBackups));
        m_List.EnableWindow(FALSE);
    }
    for (const backup::Generation& g : m_Gens) m_List.AddString(EntryText(m_App, g));
    if (!m_Gens.empty()) m_List.SetCurSel(0);
    UpdateRestoreButton();
    return TRUE;
}

void CDlgRestoreSettings::UpdateRestoreButton() {
    const int sel = m_Gens.empty() ? -1 : m_List.GetCurSel();
    ::EnableWindow(::GetDlgItem(m_hWnd, IDOK), sel >= 0 && sel < static_cast<int>(m_Gens.size()));
}

BOOL CDlgRestoreSettings::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (LOWORD(wParam) == IDC_LIST) {
        UpdateRestoreButton();
        if (HIWORD(wParam) == LBN_DBLCLK) OnOK();
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

void CDlgRestoreSettings::OnOK() {
    const int sel = m_Gens.empty() ? -1 : m_List.GetCurSel();
    if (sel < 0 || sel >= static_cast<int>(m_Gens.size())) return;  // nothing chosen: the window stays
    m_nChosen = sel;
    EndDialog(IDOK);
}

}  // namespace zavo
