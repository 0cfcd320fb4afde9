#include "keydlg/DlgTKey.h"

#include <algorithm>

#include "dialogs/DlgRepeatTimes.h"
#include "macro/MacroFiles.h"
#include "dialogs/DlgMacroNameMenu.h"

namespace zavo {

namespace {
constexpr int LANG_OK = 9;
constexpr int LANG_CANCEL = 8;
constexpr int LANG_ONCE = 54;
constexpr int LANG_TIMES = 56;
constexpr int LANG_WHILE_HELD = 57;
constexpr int LANG_TOGGLE = 58;
constexpr int REPEAT_TIMES_OPTION = 4;
}  // namespace

CDlgTKey::CDlgTKey(const AppContext& app) : CSkinDialog(IDD, app) { m_Macro.RepeatTimes = 1; }

std::vector<SkinButtonSpec> CDlgTKey::SkinButtons() {
    return {{L"1", &m_btnName, TooltipSource::Entry(), [this] { OnNameButton(); }},
            {L"2", &m_btnOnce, TooltipSource::Lang(LANG_ONCE), [this] { PickRepeatOption(1); }},
            {L"3", &m_btnTimes, TooltipSource::Lang(LANG_TIMES), [this] { OnRepeatTimes(); }},
            {L"4", &m_btnWhileHeld, TooltipSource::Lang(LANG_WHILE_HELD), [this] { PickRepeatOption(2); }},
            {L"5", &m_btnToggle, TooltipSource::Lang(LANG_TOGGLE), [this] { PickRepeatOption(3); }},
            {L"6", &m_btnOk, TooltipSource::Lang(LANG_OK),
             [this] { EndDialog(m_Macro.MacroName.empty() ? IDCANCEL : IDOK); }},
            {L"7", &m_btnCancel, TooltipSource::Lang(LANG_CANCEL), [this] { EndDialog(IDCANCEL); }}};
}

CBitmapBtn& CDlgTKey::RepeatButton(int option) {
    switch (option) {
        case 2:
            return m_btnWhileHeld;
        case 3:
            return m_btnToggle;
        case REPEAT_TIMES_OPTION:
            return m_btnTimes;
        default:
            return m_btnOnce;
    }
}

BOOL CDlgTKey::OnInitDialog() {
    CSkinDialog::OnInitDialog();
    m_strMacroFolder = MacroFolderOf(m_App.dataFolder);
    RefillMacroNameList(m_strMacroFolder, m_MacroNames);
    // A length read from a damaged file never reaches past the events.
    m_Macro.MacroLength = static_cast<std::uint16_t>(std::min<int>(m_Macro.MacroLength, MACRO_EVENT_MAX));
    m_btnName.SetText(m_Macro.MacroName);
    if (m_Macro.RepeatOption < 1 || m_Macro.RepeatOption > REPEAT_TIMES_OPTION) m_Macro.RepeatOption = 1;
    RepeatButton(m_Macro.RepeatOption).SetLatched(true);
    return TRUE;
}

// Latches the button of `option` and releases the other three; a button is
// redrawn only when its state changes.
void CDlgTKey::ShowRepeatOption(int option) {
    for (int o = 1; o <= REPEAT_TIMES_OPTION; ++o) {
        CBitmapBtn& button = RepeatButton(o);
        if (button.IsLatched() != (o == option)) button.SetLatched(o == option);
    }
}

void CDlgTKey::OnNameButton() {
    // A second click closes the menu (or forgets one a click outside closed).
    if (m_Menu.Has()) {
        m_Menu.Close();
        return;
    }
    m_Menu.Open(std::make_unique<CDlgMacroNameMenu>(m_App, *this, m_MacroNames), BelowButton(m_btnName.m_hWnd));
}

void CDlgTKey::OnMacroPicked(int index) {
    if (!m_Menu.Has()) return;  // a late message from a menu already gone
    m_Menu.Close();
    if (index < 0 || index >= static_cast<int>(m_MacroNames.size())) return;
    const std::wstring& name = m_MacroNames[static_cast<size_t>(index)];
    m_btnName.SetText(name);
    ::RedrawWindow(m_btnName.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    m_Macro.MacroName = name;
    const ExpandedMacro loaded = LoadMacroForKey(MacroFilePathOf(m_strMacroFolder, name));
    m_Macro.Macro.fill(0);
    for (int e = 0; e < loaded.Length; ++e) {
        m_Macro.Macro[static_cast<size_t>(2 * e)] = loaded.Events[static_cast<size_t>(e)].Code;
        m_Macro.Macro[static_cast<size_t>(2 * e + 1)] = loaded.Events[static_cast<size_t>(e)].Value;
    }
    m_Macro.MacroLength = static_cast<std::uint16_t>(loaded.Length);
}

void CDlgTKey::OnRepeatTimes() {
    CDlgRepeatTimes dialog(m_App, this);
    dialog.m_Count = m_Macro.RepeatOption == REPEAT_TIMES_OPTION ? m_Macro.RepeatTimes : 1;
    if (dialog.DoModal() != IDOK) return;
    m_Macro.RepeatTimes = dialog.m_Count;
    m_Macro.RepeatOption = REPEAT_TIMES_OPTION;
    ShowRepeatOption(REPEAT_TIMES_OPTION);
}

void CDlgTKey::PickRepeatOption(std::uint8_t option) {
    m_Macro.RepeatOption = option;
    ShowRepeatOption(m_Macro.RepeatOption);
}

BOOL CDlgTKey::PreTranslateMessage(MSG* msg) {
    if (IsEnterOrEscKey(msg)) return FALSE;
    if (msg->message == WM_MACRONAME_PICKED && msg->hwnd == m_hWnd) {
        OnMacroPicked(static_cast<int>(msg->wParam));
        return TRUE;
    }
    return CSkinDialog::PreTranslateMessage(msg);
}

void CDlgTKey::OnDestroy() {
    m_Menu.Close();
    CSkinDialog::OnDestroy();
}

}  // namespace zavo
