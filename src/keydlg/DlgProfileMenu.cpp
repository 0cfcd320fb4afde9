#include "keydlg/DlgProfileMenu.h"

#include "app/UiTexts.h"

namespace zavo {

namespace {
const ListMenuLook kLook{CDlgProfileMenu::IDD, L"Profile_cmd.JPG", CDlgProfileMenu::LIST_ID, WM_PROFILENAME_PICKED, 0,
                        kProfileMenuName};
}  // namespace

CDlgProfileMenu::CDlgProfileMenu(const AppContext& app, CWnd& owner, std::vector<std::wstring> names)
    : CListMenu(kLook, app, owner, std::move(names)) {}

}  // namespace zavo
