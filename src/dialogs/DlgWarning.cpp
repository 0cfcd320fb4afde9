#include "dialogs/DlgWarning.h"

namespace zavo {

namespace {
constexpr int LANG_OK = 9;
constexpr int LANG_CANCEL = 8;
}  // namespace

std::wstring CDlgWarning::SkinFile() const {
    switch (m_nKind) {
        case KIND_RESET:
            return L"Warning1_skin.ini";
        case KIND_NO_DEVICE:
            return L"Warning2_skin.ini";
        case KIND_SAVE_CHANGES:
            return L"Warning3_skin.ini";
        default:
            return {};  // no skin for an unknown kind
    }
}

std::vector<SkinButtonSpec> CDlgWarning::SkinButtons() {
    if (m_nKind == KIND_NO_DEVICE)
        return {{L"1", &m_btnOkSingle, TooltipSource::Fixed(L"Yes"), [this] { EndDialog(IDOK); }}};
    return {{L"1", &m_btnOk, TooltipSource::Lang(LANG_OK), [this] { CDialog::OnOK(); }},
            {L"2", &m_btnCancel, TooltipSource::Lang(LANG_CANCEL), [this] { CDialog::OnCancel(); }}};
}

}  // namespace zavo
