// CDlgAppProfiles: the profiles that follow the application in front. The rule
// list (application, profile), Add (a program that has a window open now, with
// its icon, or one browsed for), Remove, the profile of the selected rule, the
// profile when no rule matches, and the two switches "Switch profiles
// automatically" and "Start with Windows". A plain dialog of the resources like
// the restore window: it opens from the system menu.
//
// The window edits a copy: APPLY saves it (the rules file through the settings
// engine as one backed-up action, and the Run entry), OK saves and closes,
// Cancel closes and gives up what was changed since the last APPLY.
#pragma once
#include <string>
#include <vector>

#include "app/AppContext.h"
#include "config/AppRules.h"
#include "framework/Controls.h"
#include "framework/Dialog.h"

namespace zavo {

class CDlgAppProfiles : public CDialog {
public:
    static constexpr UINT IDD = 147;
    static constexpr int IDC_INTRO = 1013;
    static constexpr int IDC_LIST = 1014;
    static constexpr int IDC_ADD = 1015;
    static constexpr int IDC_REMOVE = 1016;
    static constexpr int IDC_PROFILE_LABEL = 1017;
    static constexpr int IDC_PROFILE = 1018;
    static constexpr int IDC_FALLBACK_LABEL = 1019;
    static constexpr int IDC_FALLBACK = 1020;
    static constexpr int IDC_AUTOMATIC = 1021;
    static constexpr int IDC_STARTUP = 1022;
    static constexpr int IDC_NOTE = 1023;
    static constexpr int IDC_APPLY = 1024;
    // Commands of the Add menu: a program open now is ID_ADD_FIRST + its index.
    static constexpr UINT ID_BROWSE = 0x7000;
    static constexpr UINT ID_ADD_FIRST = 0x7001;

    // `activeProfile`: the profile a new rule starts with (0..4).
    CDlgAppProfiles(const AppContext& app, int activeProfile, CWnd* owner = nullptr);

    // Adds a rule for `app` (a name or a full path) with the starting profile,
    // or selects its rule when there is one; refused with the reason shown.
    void AddApplication(const std::wstring& app);
    // Saves what the window shows; false (with the reason shown) when it failed.
    bool Apply();
    const apps::AppRules& Edited() const { return m_Rules; }

    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnOK() override;
    void DoDataExchange(CDataExchange* dx) override;

    CListBox m_List;
    CButton m_btnAdd, m_btnRemove, m_btnApply;

private:
    std::wstring ProfileText(int profile) const;
    std::wstring FaultText(apps::RuleFault f) const;
    void ShowRules(int select);
    void ShowSelection();
    void ShowNote(const std::wstring& text);
    void OnAdd();
    void OnRemove();
    void OnProfileChosen();
    void OnFallbackChosen();
    bool StartupChecked() const;
    HWND Item(int id) const { return ::GetDlgItem(m_hWnd, id); }

    const AppContext& m_App;
    int m_nActiveProfile;
    apps::AppRules m_Rules;
    apps::AppRules m_Saved;
    bool m_bStartup = false;
    // The file had problems: the next APPLY writes what the window shows even
    // when nothing was changed here.
    bool m_bRewrite = false;
};

}  // namespace zavo
