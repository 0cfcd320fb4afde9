#include "dialogs/DlgRepeatTimes.h"

#include <algorithm>
#include <cwchar>
#include <string>


namespace zavo {

namespace {
constexpr int LANG_OK = 9;
constexpr int LANG_CANCEL = 8;
constexpr int LANG_TIMES = 59;
constexpr int IDC_REPEAT_COUNT = 1002;
}  // namespace

int RepeatCountOfText(const std::wstring& text) {
    // Read as a wide integer so that a long run of digits cannot overflow.
    const long long value = std::wcstoll(text.c_str(), nullptr, 10);
    return static_cast<int>(std::clamp<long long>(value, 0, CDlgRepeatTimes::MAX_COUNT));
}

std::vector<SkinButtonSpec> CDlgRepeatTimes::SkinButtons() {
    return {{L"1", &m_btnOk, TooltipSource::Lang(LANG_OK),
             [this] {
                 m_Count = RepeatCountOfText(m_CountBox.GetWindowText());
                 CDialog::OnOK();
             }},
            {L"2", &m_btnCancel, TooltipSource::Lang(LANG_CANCEL), [this] { CDialog::OnCancel(); }}};
}

void CDlgRepeatTimes::DoDataExchange(CDataExchange* dx) {
    CSkinDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_REPEAT_COUNT, m_CountBox);
}

void CDlgRepeatTimes::PlaceOwnControls() { m_CountBox.MoveWindow(Px(140), Px(12), Px(34), Px(17), TRUE); }

BOOL CDlgRepeatTimes::OnInitDialog() {
    CSkinDialog::OnInitDialog();
    m_CountBox.SetLimitText(3);
    m_Count = std::clamp(m_Count, 0, MAX_COUNT);
    m_CountBox.SetWindowText(std::to_wstring(m_Count));
    m_CountBox.SetAccessibleName(m_App.LangText(LANG_TIMES));
    return TRUE;
}

BOOL CDlgRepeatTimes::PreTranslateMessage(MSG* msg) {
    if (IsEnterOrEscKey(msg)) return FALSE;
    return CSkinDialog::PreTranslateMessage(msg);
}

}  // namespace zavo
