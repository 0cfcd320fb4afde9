// CDlgMacroNameMenu: the list of macro names dropped below the macro name button
// of the T-key dialog and of the macro editor; at most six rows show, more
// scroll. The picked line's index in the name list reaches the owner as
// WM_MACRONAME_PICKED.
#pragma once
#include <string>
#include <vector>

#include "skin/ListMenu.h"

namespace zavo {

constexpr UINT WM_MACRONAME_PICKED = 13332;

class CDlgMacroNameMenu : public CListMenu {
public:
    static constexpr UINT IDD = 140;
    static constexpr UINT LIST_ID = 4113;
    static constexpr int MAX_ROWS = 6;

    CDlgMacroNameMenu(const AppContext& app, CWnd& owner, std::vector<std::wstring> names);
};

}  // namespace zavo
