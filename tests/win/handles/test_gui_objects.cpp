// Every window of the tool opened 50 times in this process, with the build's
// skins: the GDI and USER object counts after the openings are those after the
// first one (which may start what a run keeps, such as GDI+ for the loading
// animation or the common controls for a template's buttons).
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "GuiResources.h"
#include "Harness.h"
#include "Later.h"
#include "TempDir.h"
#include "app/AppContext.h"
#include "config/ConfigStore.h"
#include "dialogs/DlgLoading.h"
#include "dialogs/DlgNewMacro.h"
#include "dialogs/DlgRepeatTimes.h"
#include "dialogs/DlgWarning.h"
#include "dialogs/DlgCMDMenu.h"
#include "keydlg/DlgInstShiftSYS.h"
#include "keydlg/DlgProfileMenu.h"
#include "keydlg/DlgSingleKey.h"
#include "keydlg/DlgTKey.h"
#include "lightwnd/DlgLightOption.h"
#include "macro/MacroFiles.h"
#include "dialogs/DlgMacroNameMenu.h"
#include "macroeditor/DlgMacroSetting.h"
#include "mainwnd/MainDlg.h"
#include "service/ServiceLink.h"

using namespace zavo;
using namespace zavo::e2e;

namespace {

constexpr int OPENINGS = 50;

// Runs `dlg` modally and ends it from inside its loop as soon as it runs.
void OpenModal(CDialog& dlg) {
    Later close(20, [&] { dlg.EndDialog(IDCANCEL); });
    dlg.DoModal();
}

// Opens a pop-up list menu below nothing in particular and destroys it, as its
// owner does after a pick.
void OpenMenu(CListMenu& menu) {
    ASSERT_TRUE(menu.Open(POINT{100, 100}));
    Pump();
    menu.DestroyWindow();
}

class GuiObjects : public ::testing::Test {
protected:
    void SetUp() override {
        app.programFolder = BinDir();
        app.dataFolder = data.path();
        app.langTexts.assign(LANG_TEXT_COUNT, L"text");
        CreateDirectoryW(MacroFolderOf(data.path()).c_str(), nullptr);
        ASSERT_TRUE(SaveMacroFile(MacroFilePathOf(MacroFolderOf(data.path()), L"m"), MacroRecording{}));
        // A keyboard that is present: the main window opens without its warning.
        auto config = std::make_unique<KeyboardConfig>();
        config->DeviceState = 1;
        ASSERT_TRUE(SaveConfiguration(data.path(), *config));
        ASSERT_TRUE(owner.CreateEx(0, CWnd::RegisterWndClass(0), L"owner", WS_POPUP, 0, 0, 10, 10, nullptr, 0));
    }
    void TearDown() override { owner.DestroyWindow(); }

    TempDir data;
    AppContext app;
    CWnd owner;
};

TEST_F(GuiObjects, StayFlatOverFiftyOpeningsOfEveryWindow) {
    const ServiceLink service;
    LightSettings light;
    struct Window {
        const char* name;
        std::function<void()> openOnce;
    };
    const std::vector<Window> windows = {
        {"main window",
         [&] {
             CZAVOConfigDlg dlg(app);
             OpenModal(dlg);
         }},
        {"warning: reset",
         [&] {
             CDlgWarning dlg(app, CDlgWarning::KIND_RESET);
             OpenModal(dlg);
         }},
        {"warning: no device",
         [&] {
             CDlgWarning dlg(app, CDlgWarning::KIND_NO_DEVICE);
             OpenModal(dlg);
         }},
        {"warning: save changes",
         [&] {
             CDlgWarning dlg(app, CDlgWarning::KIND_SAVE_CHANGES);
             OpenModal(dlg);
         }},
        {"loading",
         [&] {
             CDlgLoading dlg(service);
             OpenModal(dlg);
         }},
        {"new macro name",
         [&] {
             CDlgNewMacro dlg(app, &owner);
             OpenModal(dlg);
         }},
        {"repeat count",
         [&] {
             CDlgRepeatTimes dlg(app, &owner);
             OpenModal(dlg);
         }},
        {"single key",
         [&] {
             CDlgSingleKey dlg(app);
             OpenModal(dlg);
         }},
        {"T-key",
         [&] {
             CDlgTKey dlg(app);
             OpenModal(dlg);
         }},
        {"instant shift",
         [&] {
             CDlgInstShiftSYS dlg(app, 0, InstantShiftKeys{});
             OpenModal(dlg);
         }},
        {"command menu",
         [&] {
             CDlgCMDMenu dlg(app, owner, POINT{100, 100});
             OpenModal(dlg);
         }},
        {"lighting",
         [&] {
             CDlgLightOption dlg(app, light, service, &owner);
             OpenModal(dlg);
         }},
        {"macro editor",
         [&] {
             CDlgMacroSetting dlg(app, &owner);
             OpenModal(dlg);
         }},
        {"profile menu",
         [&] {
             CDlgProfileMenu menu(app, owner, {L"a", L"b", L"c", L"d", L"e"});
             OpenMenu(menu);
         }},
        {"macro name menu",
         [&] {
             CDlgMacroNameMenu menu(app, owner, {L"m", L"n"});
             OpenMenu(menu);
         }},
    };
    for (const Window& w : windows) {
        SCOPED_TRACE(w.name);
        w.openOnce();
        Pump();
        const GuiObjectCounts before = CountGuiObjects();
        for (int i = 0; i < OPENINGS; ++i) w.openOnce();
        Pump();
        const GuiObjectCounts after = CountGuiObjects();
        EXPECT_EQ(after.gdi, before.gdi);
        EXPECT_EQ(after.user, before.user);
    }
}

}  // namespace
