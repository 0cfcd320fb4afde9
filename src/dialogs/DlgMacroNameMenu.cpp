#include "dialogs/DlgMacroNameMenu.h"

#include "app/UiTexts.h"

namespace zavo {

namespace {
const ListMenuLook kLook{CDlgMacroNameMenu::IDD, L"MacroMenu.jpg", CDlgMacroNameMenu::LIST_ID, WM_MACRONAME_PICKED,
                         CDlgMacroNameMenu::MAX_ROWS, kMacroMenuName};
}  // namespace

CDlgMacroNameMenu::CDlgMacroNameMenu(const AppContext& app, CWnd& owner, std::vector<std::wstring> names)
    : CListMenu(kLook, app, owner, std::move(names)) {}

}  // namespace zavo
