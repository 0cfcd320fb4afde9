// The profiles-by-application window on a data folder of its own: APPLY and
// OK keep what it shows, Cancel gives up what changed since the last APPLY,
// a refused rule and a damaged file are named, the Run entry follows "Start
// with Windows", and 50 openings leave no handles.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>

#include "GuiResources.h"
#include "Harness.h"
#include "TempDir.h"
#include "app/AppContext.h"
#include "app/Switcher.h"
#include "config/AppRules.h"
#include "dialogs/DlgAppProfiles.h"
#include "platform/FileSystem.h"
#include "win/Later.h"

using namespace zavo;
using namespace zavo::e2e;

namespace {

using Dlg = CDlgAppProfiles;

std::wstring Note(const Dlg& d) {
    wchar_t text[512] = {};
    GetDlgItemTextW(d.m_hWnd, Dlg::IDC_NOTE, text, 512);
    return text;
}

void Command(const Dlg& d, int id, int code = BN_CLICKED) {
    SendMessageW(d.m_hWnd, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(GetDlgItem(d.m_hWnd, id)));
}

void Choose(const Dlg& d, int combo, int index) {
    SendDlgItemMessageW(d.m_hWnd, combo, CB_SETCURSEL, index, 0);
    Command(d, combo, CBN_SELCHANGE);
}

struct Folder {
    Folder() {
        app.dataFolder = dir.path();
        app.programFolder = dir.path();  // no switcher here: APPLY starts none
        apps::AppRules rules;
        rules.rules = {{L"game.exe", 2}};
        EXPECT_TRUE(apps::WriteAppRules(Path(), rules));
    }
    std::wstring Path() const { return apps::RulesFilePath(dir.path()); }
    apps::AppRules OnDisk() const { return apps::ReadAppRules(Path()); }
    TempDir dir;
    AppContext app;
};

// Runs the window, does `act` in it, and returns its result.
INT_PTR RunWindow(Folder& f, const std::function<void(Dlg&)>& act, int activeProfile = 1) {
    Dlg dlg(f.app, activeProfile);
    Later later(300, [&] { act(dlg); });
    return dlg.DoModal();
}

}  // namespace

TEST(AppProfilesWindow, ApplyAndOkKeepWhatItShowsCancelGivesUpTheRest) {
    apps::AppRules game;
    game.rules = {{L"game.exe", 2}};
    apps::AppRules gameEditor = game;
    gameEditor.rules.push_back({L"editor.exe", 1});
    apps::AppRules gameFive = game;
    gameFive.rules[0].profile = 4;
    gameFive.fallback = 0;
    struct Case {
        const char* name;
        std::function<void(Dlg&)> act;
        INT_PTR result;
        apps::AppRules onDisk;
    } cases[] = {
        {"add, then Cancel", [](Dlg& d) { d.AddApplication(L"editor.exe"); d.EndDialog(IDCANCEL); }, IDCANCEL, game},
        {"add, OK", [](Dlg& d) { d.AddApplication(L"editor.exe"); Command(d, IDOK); }, IDOK, gameEditor},
        {"add, APPLY, remove, Cancel",
         [](Dlg& d) {
             d.AddApplication(L"editor.exe");
             Command(d, Dlg::IDC_APPLY);
             d.m_List.SetCurSel(1);
             Command(d, Dlg::IDC_REMOVE);
             EXPECT_EQ(d.m_List.GetCount(), 1);
             d.EndDialog(IDCANCEL);
         },
         IDCANCEL, gameEditor},
        {"profile of a rule and the fallback, OK",
         [](Dlg& d) {
             d.m_List.SetCurSel(0);
             Command(d, Dlg::IDC_LIST, LBN_SELCHANGE);
             Choose(d, Dlg::IDC_PROFILE, 4);
             Choose(d, Dlg::IDC_FALLBACK, 1);
             EXPECT_EQ(d.m_List.GetText(0), L"game.exe\tProfile 5");
             Command(d, IDOK);
         },
         IDOK, gameFive},
        {"adding a rule that is there selects it and keeps its profile",
         [](Dlg& d) {
             d.AddApplication(L"GAME.EXE");
             EXPECT_EQ(d.m_List.GetCurSel(), 0);
             Command(d, IDOK);
         },
         IDOK, game},
        {"a refused rule is named and nothing changes",
         [](Dlg& d) {
             d.AddApplication(L"bad|name.exe");
             EXPECT_NE(Note(d).find(L"not a valid file name"), std::wstring::npos) << Note(d);
             EXPECT_EQ(d.m_List.GetCount(), 1);
             Command(d, IDOK);
         },
         IDOK, game},
    };
    for (const Case& c : cases) {
        Folder f;
        EXPECT_EQ(RunWindow(f, c.act), c.result) << c.name;
        EXPECT_EQ(f.OnDisk(), c.onDisk) << c.name;
    }
}

TEST(AppProfilesWindow, DamagedFileIsNamedAndApplyKeepsTheValidRulesWithABackup) {
    Folder f;
    std::string before = "[SWITCH]\r\nCount=2\r\n[RULES]\r\nApp0=game.exe\r\nProfile0=3\r\nApp1=x.exe\r\nProfile1=9\r\n";
    ASSERT_TRUE(fs::WriteFileAtomic(f.Path(), before));
    EXPECT_EQ(RunWindow(f,
                  [](Dlg& d) {
                      EXPECT_NE(Note(d).find(L"profile outside 1..5"), std::wstring::npos) << Note(d);
                      EXPECT_EQ(d.m_List.GetCount(), 1);
                      Command(d, IDOK);
                  }),
              IDOK);
    EXPECT_EQ(f.OnDisk().rules, (std::vector<apps::AppRule>{{L"game.exe", 2}}));
    const auto gens = backup::ListGenerations(f.dir.path());
    ASSERT_EQ(gens.size(), 1u);
    std::string kept;
    ASSERT_TRUE(fs::ReadWholeFile(backup::BackupFolder(f.dir.path()) + gens[0].name + L"\\" + apps::RULES_FILE_NAME,
                                  kept));
    EXPECT_EQ(kept, before);
}

TEST(AppProfilesWindow, StartWithWindowsSetsAndRemovesTheRunEntry) {
    Folder f;
    switcher::SetStartWithWindows(false, f.app.programFolder);
    for (const bool on : {true, false}) {
        RunWindow(f, [on](Dlg& d) {
            EXPECT_EQ(IsDlgButtonChecked(d.m_hWnd, Dlg::IDC_STARTUP) == BST_CHECKED, !on);
            CheckDlgButton(d.m_hWnd, Dlg::IDC_STARTUP, on ? BST_CHECKED : BST_UNCHECKED);
            Command(d, IDOK);
        });
        EXPECT_EQ(switcher::StartsWithWindows(), on);
    }
}

TEST(AppProfilesWindow, PictureAndFiftyOpeningsLeaveNoHandles) {
    Folder f;
    apps::AppRules rules;
    rules.rules = {{L"game.exe", 2}, {L"editor.exe", 1}, {L"C:\\Games\\Arena\\arena.exe", 3}};
    rules.fallback = 0;
    ASSERT_TRUE(apps::WriteAppRules(f.Path(), rules));
    RunWindow(f, [](Dlg& d) {
        d.m_List.SetCurSel(1);
        Command(d, Dlg::IDC_LIST, LBN_SELCHANGE);
        RECT rc{};
        GetClientRect(d.m_hWnd, &rc);
        MapWindowPoints(d.m_hWnd, nullptr, reinterpret_cast<POINT*>(&rc), 2);
        EXPECT_FALSE(Screenshot(L"app-profiles-window", rc).empty());
        d.EndDialog(IDCANCEL);
    });
    auto open = [&] { RunWindow(f, [](Dlg& d) { d.EndDialog(IDCANCEL); }); };
    open();
    Pump();
    const GuiObjectCounts before = CountGuiObjects();
    for (int i = 0; i < 50; ++i) open();
    Pump();
    const GuiObjectCounts after = CountGuiObjects();
    EXPECT_LE(after.gdi, before.gdi + 2);
    EXPECT_LE(after.user, before.user + 2);
}
