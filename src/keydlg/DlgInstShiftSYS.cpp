#include "keydlg/DlgInstShiftSYS.h"

#include "config/InstantShiftRules.h"
#include "keydlg/DlgProfileMenu.h"

namespace zavo {

namespace {
constexpr int LANG_OK = 9;
constexpr int LANG_CANCEL = 8;
}  // namespace

CDlgInstShiftSYS::CDlgInstShiftSYS(const AppContext& app, int activeProfile, const InstantShiftKeys& keys)
    : CSkinDialog(IDD, app),
      m_Keys(keys),
      m_nActiveProfile(activeProfile),
      m_ProfileNames(InstantShiftProfileNames(activeProfile)) {}

std::vector<SkinButtonSpec> CDlgInstShiftSYS::SkinButtons() {
    return {{L"1", &m_btnProfile, TooltipSource::Entry(), [this] { OnProfileButton(); }},
            {L"2", &m_btnChoice[0], TooltipSource::Fixed(L"Shift"), [this] { OnChoice(1); }},
            {L"3", &m_btnChoice[1], TooltipSource::Fixed(L"Ctrl"), [this] { OnChoice(2); }},
            {L"4", &m_btnChoice[2], TooltipSource::Fixed(L"Alt"), [this] { OnChoice(3); }},
            {L"5", &m_btnOk, TooltipSource::Lang(LANG_OK), [this] { EndDialog(IDOK); }},
            {L"6", &m_btnCancel, TooltipSource::Lang(LANG_CANCEL), [this] { EndDialog(IDCANCEL); }}};
}

BOOL CDlgInstShiftSYS::OnInitDialog() {
    CSkinDialog::OnInitDialog();
    m_nPickedIndex = -1;
    return TRUE;
}

int CDlgInstShiftSYS::PickedProfile() const { return ProfileOfListLine(m_nActiveProfile, m_nPickedIndex); }

void CDlgInstShiftSYS::ShowChoices() {
    const ChoiceButtons shown = ChoiceButtonsFor(m_Keys, m_nActiveProfile, PickedProfile());
    for (size_t c = 0; c < m_btnChoice.size(); ++c) {
        CBitmapBtn& button = m_btnChoice[c];
        if (!button.IsWindowEnabled() != !shown.enabled[c]) button.EnableWindow(shown.enabled[c]);
        if (button.IsLatched() != shown.latched[c]) button.SetLatched(shown.latched[c]);
    }
}

void CDlgInstShiftSYS::OnProfilePicked(int index) {
    if (!m_Menu.Has()) return;  // a late message from a menu already gone
    m_Menu.Close();
    if (ProfileOfListLine(m_nActiveProfile, index) < 0) return;
    m_nPickedIndex = index;
    m_btnProfile.SetText(m_ProfileNames[static_cast<size_t>(index)]);
    ::RedrawWindow(m_btnProfile.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    ShowChoices();
}

// Every click opens the menu anew (a menu still open is closed first).
void CDlgInstShiftSYS::OnProfileButton() {
    m_Menu.Open(std::make_unique<CDlgProfileMenu>(m_App, *this, m_ProfileNames), BelowButton(m_btnProfile.m_hWnd));
}

// Before a profile is picked the choices mean nothing.
void CDlgInstShiftSYS::OnChoice(int choice) {
    if (PickedProfile() >= 0 && ClickChoice(m_Keys, m_nActiveProfile, PickedProfile(), choice)) ShowChoices();
}

BOOL CDlgInstShiftSYS::PreTranslateMessage(MSG* msg) {
    if (IsEnterOrEscKey(msg)) return FALSE;
    if (msg->message == WM_PROFILENAME_PICKED && msg->hwnd == m_hWnd) {
        OnProfilePicked(static_cast<int>(msg->wParam));
        return TRUE;
    }
    return CSkinDialog::PreTranslateMessage(msg);
}

void CDlgInstShiftSYS::OnDestroy() {
    m_Menu.Close();
    CSkinDialog::OnDestroy();
}

}  // namespace zavo
