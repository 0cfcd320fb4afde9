// The settings files as the main window last read or wrote them. A save first
// compares them with the files on disk: when another program replaced one
// meanwhile (a restore from the command line, a copy by hand), the user
// chooses between reloading the files and saving the window's settings over
// them; nothing is overwritten without that answer.
#include "mainwnd/MainDlg.h"

#include "app/UiTexts.h"

#include <commctrl.h>

#include <iterator>

namespace zavo {

namespace {

constexpr int kAnswerReload = 1001;
constexpr int kAnswerKeep = 1002;

}  // namespace

void CZAVOConfigDlg::NoteSettingsTaken() { m_SettingsTaken = SettingsStamps::Take(m_App.dataFolder); }

bool CZAVOConfigDlg::MayOverwriteSettings() {
    const std::vector<std::wstring> changed = m_SettingsTaken.ChangedIn(SettingsStamps::Take(m_App.dataFolder));
    if (changed.empty()) return true;
    switch (AskAboutOutsideChange(changed)) {
        case kAnswerKeep:
            return true;
        case kAnswerReload:
            ReloadAll();
            ClearStatusText();
            return false;
        default:  // cancelled: nothing saved, the edits stay
            return false;
    }
}

int CZAVOConfigDlg::AskAboutOutsideChange(const std::vector<std::wstring>& files) {
    std::wstring content = m_App.Text(kOutsideChangeText) + L"\n";
    for (const std::wstring& f : files) content += L"\n    " + f;
    content += L"\n\n" + m_App.Text(kOutsideChangeCancel);
    const std::wstring title = m_App.Text(kOutsideChangeTitle);
    const std::wstring reload = m_App.Text(kOutsideChangeReload), keep = m_App.Text(kOutsideChangeKeep);
    const TASKDIALOG_BUTTON buttons[] = {{kAnswerReload, reload.c_str()}, {kAnswerKeep, keep.c_str()}};
    TASKDIALOGCONFIG config{};
    config.cbSize = sizeof(config);
    config.hwndParent = m_hWnd;
    config.dwFlags = TDF_USE_COMMAND_LINKS | TDF_ALLOW_DIALOG_CANCELLATION | TDF_POSITION_RELATIVE_TO_WINDOW;
    config.dwCommonButtons = TDCBF_CANCEL_BUTTON;
    // The caption is not the main window's title, so the service never mistakes the box for it.
    config.pszWindowTitle = L"ZAVOConfig";
    config.pszMainIcon = TD_WARNING_ICON;
    config.pszMainInstruction = title.c_str();
    config.pszContent = content.c_str();
    config.cButtons = static_cast<UINT>(std::size(buttons));
    config.pButtons = buttons;
    config.nDefaultButton = IDCANCEL;
    int answer = IDCANCEL;
    if (FAILED(::TaskDialogIndirect(&config, &answer, nullptr, nullptr))) return IDCANCEL;
    return answer;
}

}  // namespace zavo
