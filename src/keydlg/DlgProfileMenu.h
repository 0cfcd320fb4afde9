// CDlgProfileMenu: the list of the other four profiles dropped below the profile
// button of the instant shift dialog. The picked line reaches the owner as
// WM_PROFILENAME_PICKED.
#pragma once
#include <string>
#include <vector>

#include "skin/ListMenu.h"

namespace zavo {

constexpr UINT WM_PROFILENAME_PICKED = 5652;

class CDlgProfileMenu : public CListMenu {
public:
    static constexpr UINT IDD = 131;
    static constexpr UINT LIST_ID = 4147;

    CDlgProfileMenu(const AppContext& app, CWnd& owner, std::vector<std::wstring> names);
};

}  // namespace zavo
