#include "dialogs/DlgAppProfiles.h"

#include <memory>

#include "app/FailureText.h"
#include "app/Switcher.h"
#include "platform/TextFill.h"
#include "app/UiTexts.h"
#include "framework/FileDialog.h"
#include "framework/Gdi.h"
#include "platform/Win32Handle.h"

namespace zavo {

namespace {

// A program that has a window open now, for the Add menu: its executable and,
// while the menu is up, its window's icon as a menu picture.
struct OpenProgram {
    std::wstring path;
    std::wstring name;
    ScopedBitmap picture;
};

std::wstring FileNameOf(const std::wstring& path) { return path.substr(path.find_last_of(L"\\/") + 1); }

// The window's small icon drawn on a 32-bit picture (a menu shows pictures,
// not icons). The icon belongs to the window's class or program: not freed here.
ScopedBitmap IconPicture(HWND window) {
    DWORD_PTR icon = 0;
    if (!::SendMessageTimeoutW(window, WM_GETICON, ICON_SMALL2, 0, SMTO_ABORTIFHUNG, 200, &icon) || !icon)
        icon = ::GetClassLongPtrW(window, GCLP_HICONSM);
    if (!icon) icon = ::GetClassLongPtrW(window, GCLP_HICON);
    if (!icon) return {};
    const int cx = ::GetSystemMetrics(SM_CXSMICON), cy = ::GetSystemMetrics(SM_CYSMICON);
    ScopedBitmap picture = CreateDib32(cx, cy);
    MemoryDC dc;
    if (!picture || !dc) return {};
    ScopedSelect selected(dc, picture);
    ::DrawIconEx(dc, 0, 0, reinterpret_cast<HICON>(icon), cx, cy, 0, nullptr, DI_NORMAL);
    return picture;
}

// The programs with a visible, titled top-level window, one entry per
// executable, not this program.
std::vector<std::unique_ptr<OpenProgram>> OpenPrograms() {
    std::vector<HWND> windows;
    ::EnumWindows(
        [](HWND w, LPARAM list) -> BOOL {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(w);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&windows));
    std::vector<std::unique_ptr<OpenProgram>> programs;
    for (HWND w : windows) {
        if (!::IsWindowVisible(w) || ::GetWindow(w, GW_OWNER) || ::GetWindowTextLengthW(w) == 0) continue;
        if (::GetWindowLongPtrW(w, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) continue;
        DWORD pid = 0;
        ::GetWindowThreadProcessId(w, &pid);
        if (pid == ::GetCurrentProcessId()) continue;
        std::wstring path = switcher::ImagePathOfWindow(w);
        if (path.empty()) continue;
        bool seen = false;
        for (const auto& p : programs) seen = seen || apps::MatchKey(p->path) == apps::MatchKey(path);
        if (seen) continue;
        auto program = std::make_unique<OpenProgram>();
        program->name = FileNameOf(path);
        program->path = std::move(path);
        program->picture = IconPicture(w);
        programs.push_back(std::move(program));
    }
    return programs;
}

// The user's choice of an executable; "" when none was chosen.
std::wstring BrowseForProgram(HWND owner, const std::wstring& filterName) {
    FileChoice choice;
    choice.owner = owner;
    choice.filter = FileFilter(filterName, L"*.exe");
    choice.name = L"*.exe";
    choice.extension = L"exe";
    return AskFilePath(choice).value_or(L"");
}

}  // namespace

CDlgAppProfiles::CDlgAppProfiles(const AppContext& app, int activeProfile, CWnd* owner)
    : CDialog(IDD, owner),
      m_App(app),
      m_nActiveProfile(activeProfile >= 0 && activeProfile < PROFILE_COUNT ? activeProfile : 0) {}

void CDlgAppProfiles::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_LIST, m_List);
    DDX_Control(dx, IDC_ADD, m_btnAdd);
    DDX_Control(dx, IDC_REMOVE, m_btnRemove);
    DDX_Control(dx, IDC_APPLY, m_btnApply);
}

std::wstring CDlgAppProfiles::ProfileText(int profile) const {
    return FillIn(m_App.Text(kAppsProfileN), {std::to_wstring(profile + 1)});
}

std::wstring CDlgAppProfiles::FaultText(apps::RuleFault f) const {
    switch (f) {
        case apps::RuleFault::EmptyApp:
            return m_App.Text(kRuleEmptyApp);
        case apps::RuleFault::BadName:
            return m_App.Text(kRuleBadName);
        case apps::RuleFault::BadProfile:
            return m_App.Text(kRuleBadProfile);
        case apps::RuleFault::Duplicate:
            return m_App.Text(kRuleDuplicate);
        case apps::RuleFault::TooMany:
            return m_App.Text(kRuleTooMany);
        case apps::RuleFault::Damaged:
            return m_App.Text(kRuleDamaged);
        case apps::RuleFault::BadFallback:
            return m_App.Text(kRuleBadFallback);
        case apps::RuleFault::None:
            break;
    }
    return L"";
}

BOOL CDlgAppProfiles::OnInitDialog() {
    CDialog::OnInitDialog();
    m_btnAdd.OnClick([this] { OnAdd(); });
    m_btnRemove.OnClick([this] { OnRemove(); });
    m_btnApply.OnClick([this] { Apply(); });
    SetWindowText(m_App.Text(kAppsTitle));
    const std::pair<int, const UiText*> texts[] = {
        {IDC_INTRO, &kAppsIntro},          {IDC_ADD, &kAppsAdd},
        {IDC_REMOVE, &kAppsRemove},        {IDC_PROFILE_LABEL, &kAppsProfileOfRule},
        {IDC_FALLBACK_LABEL, &kAppsFallback}, {IDC_AUTOMATIC, &kAppsAutomatic},
        {IDC_STARTUP, &kAppsStartWithWindows}, {IDC_APPLY, &kAppsApply},
        {IDOK, &kAppsOk},                  {IDCANCEL, &kAppsCancel},
    };
    for (const auto& [id, text] : texts) ::SetDlgItemTextW(m_hWnd, id, m_App.Text(*text).c_str());
    const int tabStop = 170;  // dialog units: the profile column
    m_List.SendMessage(LB_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&tabStop));
    ::SendMessageW(Item(IDC_FALLBACK), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(m_App.Text(kAppsKeep).c_str()));
    for (int p = 0; p < PROFILE_COUNT; ++p) {
        const std::wstring text = ProfileText(p);
        ::SendMessageW(Item(IDC_PROFILE), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        ::SendMessageW(Item(IDC_FALLBACK), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }

    std::vector<apps::RulesProblem> problems;
    m_Rules = m_Saved = apps::ReadAppRules(apps::RulesFilePath(m_App.dataFolder), &problems);
    m_bStartup = switcher::StartsWithWindows();
    ::SendMessageW(Item(IDC_FALLBACK), CB_SETCURSEL, m_Rules.fallback + 1, 0);
    ::CheckDlgButton(m_hWnd, IDC_AUTOMATIC, m_Rules.automatic ? BST_CHECKED : BST_UNCHECKED);
    ::CheckDlgButton(m_hWnd, IDC_STARTUP, m_bStartup ? BST_CHECKED : BST_UNCHECKED);
    ShowRules(0);
    m_bRewrite = !problems.empty();
    if (!problems.empty()) {
        const apps::RulesProblem& first = problems.front();
        const std::wstring where = first.index >= 0 ? std::to_wstring(first.index + 1) : L"-";
        ShowNote(m_App.Text(kAppsProblems) + L"\n" +
                 FillIn(m_App.Text(kAppsRuleLine), {where, first.app, FaultText(first.fault)}));
    }
    return TRUE;
}

void CDlgAppProfiles::ShowRules(int select) {
    m_List.ResetContent();
    for (const apps::AppRule& r : m_Rules.rules) m_List.AddString(r.app + L"\t" + ProfileText(r.profile));
    if (select >= static_cast<int>(m_Rules.rules.size())) select = static_cast<int>(m_Rules.rules.size()) - 1;
    m_List.SetCurSel(select);
    ShowSelection();
}

void CDlgAppProfiles::ShowSelection() {
    const int sel = m_List.GetCurSel();
    const bool chosen = sel >= 0 && sel < static_cast<int>(m_Rules.rules.size());
    ::EnableWindow(Item(IDC_REMOVE), chosen);
    ::EnableWindow(Item(IDC_PROFILE), chosen);
    ::EnableWindow(Item(IDC_PROFILE_LABEL), chosen);
    ::SendMessageW(Item(IDC_PROFILE), CB_SETCURSEL, chosen ? m_Rules.rules[static_cast<size_t>(sel)].profile : -1, 0);
}

void CDlgAppProfiles::ShowNote(const std::wstring& text) { ::SetDlgItemTextW(m_hWnd, IDC_NOTE, text.c_str()); }

bool CDlgAppProfiles::StartupChecked() const { return ::IsDlgButtonChecked(m_hWnd, IDC_STARTUP) == BST_CHECKED; }

void CDlgAppProfiles::AddApplication(const std::wstring& app) {
    // A rule for it that is there already keeps its profile and is selected.
    const std::wstring key = apps::MatchKey(app);
    int at = -1;
    for (size_t i = 0; i < m_Rules.rules.size() && at < 0; ++i)
        if (apps::MatchKey(m_Rules.rules[i].app) == key) at = static_cast<int>(i);
    if (at < 0) {
        const apps::RuleEditResult r = apps::SetRule(m_Rules, app, m_nActiveProfile);
        if (r.edit == apps::RuleEdit::Refused) {
            ShowNote(m_App.Text(kAppsRefused) + L" " + FaultText(r.fault));
            return;
        }
        at = static_cast<int>(m_Rules.rules.size()) - 1;
    }
    ShowNote(L"");
    ShowRules(at);
}

void CDlgAppProfiles::OnAdd() {
    std::vector<std::unique_ptr<OpenProgram>> programs = OpenPrograms();
    ScopedMenu menu(::CreatePopupMenu());
    if (!menu) return;
    for (size_t i = 0; i < programs.size(); ++i) {
        MENUITEMINFOW item{};
        item.cbSize = sizeof item;
        item.fMask = MIIM_ID | MIIM_STRING | (programs[i]->picture ? MIIM_BITMAP : 0);
        item.wID = ID_ADD_FIRST + static_cast<UINT>(i);
        item.dwTypeData = const_cast<wchar_t*>(programs[i]->name.c_str());
        item.hbmpItem = programs[i]->picture.Get();
        ::InsertMenuItemW(menu.Get(), static_cast<UINT>(i), TRUE, &item);
    }
    if (!programs.empty()) ::AppendMenuW(menu.Get(), MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(menu.Get(), MF_STRING, ID_BROWSE, m_App.Text(kAppsBrowse).c_str());
    RECT button{};
    ::GetWindowRect(Item(IDC_ADD), &button);
    const UINT chosen = static_cast<UINT>(::TrackPopupMenu(menu.Get(), TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN,
                                                           button.left, button.bottom, 0, m_hWnd, nullptr));
    if (chosen == ID_BROWSE) {
        // A browsed program is kept by its path: two programs may share a name.
        const std::wstring path = BrowseForProgram(m_hWnd, m_App.Text(kAppsExeFilter));
        if (!path.empty()) AddApplication(path);
    } else if (chosen >= ID_ADD_FIRST && chosen - ID_ADD_FIRST < programs.size()) {
        AddApplication(programs[chosen - ID_ADD_FIRST]->name);
    }
}

void CDlgAppProfiles::OnRemove() {
    const int sel = m_List.GetCurSel();
    if (sel < 0 || sel >= static_cast<int>(m_Rules.rules.size())) return;
    m_Rules.rules.erase(m_Rules.rules.begin() + sel);
    ShowRules(sel);
}

void CDlgAppProfiles::OnProfileChosen() {
    const int sel = m_List.GetCurSel();
    const int profile = static_cast<int>(::SendMessageW(Item(IDC_PROFILE), CB_GETCURSEL, 0, 0));
    if (sel < 0 || sel >= static_cast<int>(m_Rules.rules.size()) || profile < 0) return;
    m_Rules.rules[static_cast<size_t>(sel)].profile = profile;
    ShowRules(sel);
}

void CDlgAppProfiles::OnFallbackChosen() {
    const int chosen = static_cast<int>(::SendMessageW(Item(IDC_FALLBACK), CB_GETCURSEL, 0, 0));
    if (chosen >= 0) m_Rules.fallback = chosen == 0 ? apps::KEEP_PROFILE : chosen - 1;
}

bool CDlgAppProfiles::Apply() {
    m_Rules.automatic = ::IsDlgButtonChecked(m_hWnd, IDC_AUTOMATIC) == BST_CHECKED;
    if (m_Rules != m_Saved || m_bRewrite) {
        const IniFileStatus saved = apps::SaveAppRules(m_App.dataFolder, m_Rules);
        if (!saved) {
            ShowNote(m_App.Text(kAppsSaveFailed) + L" " + FailureLine(m_App, saved));
            return false;
        }
        m_Saved = m_Rules;
        m_bRewrite = false;
    }
    const bool startup = StartupChecked();
    if (startup != m_bStartup) {
        if (const fs::Status s = switcher::SetStartWithWindows(startup, m_App.programFolder); !s) {
            ShowNote(m_App.Text(kAppsStartFailed) + L" " + FailureLine(m_App, s));
            return false;
        }
        m_bStartup = startup;
    }
    // Switching on takes effect now, not only at the next login.
    if (m_Rules.automatic && (!m_Rules.rules.empty() || m_Rules.fallback != apps::KEEP_PROFILE))
        switcher::StartIfNotRunning(m_App.programFolder);
    ShowNote(L"");
    return true;
}

BOOL CDlgAppProfiles::OnCommand(WPARAM wParam, LPARAM lParam) {
    // The buttons run their own actions; what reaches here are the list's and
    // the boxes' notices.
    const int id = LOWORD(wParam), code = HIWORD(wParam);
    switch (id) {
        case IDC_LIST:
            if (code == LBN_SELCHANGE) ShowSelection();
            return TRUE;
        case IDC_PROFILE:
            if (code == CBN_SELCHANGE) OnProfileChosen();
            return TRUE;
        case IDC_FALLBACK:
            if (code == CBN_SELCHANGE) OnFallbackChosen();
            return TRUE;
        default:
            return CDialog::OnCommand(wParam, lParam);
    }
}

void CDlgAppProfiles::OnOK() {
    if (Apply()) EndDialog(IDOK);  // a failed save keeps the window and the edits
}

}  // namespace zavo
