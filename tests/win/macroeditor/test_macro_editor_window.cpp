// The macro editor and the new-macro dialog in this process, with the build's
// skins and KBHook.dll, driven by the messages the hook and the buttons send.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <map>

#include "GuiResources.h"
#include "Harness.h"
#include "Later.h"
#include "TempDir.h"
#include "app/AppContext.h"
#include "dialogs/DlgNewMacro.h"
#include "macro/MacroFiles.h"
#include "macroeditor/DlgMacroSetting.h"
#include "dialogs/DlgMacroNameMenu.h"

using namespace zavo;
using namespace zavo::e2e;

namespace {

void Click(CWnd& dialog, CWnd& button) {
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), reinterpret_cast<LPARAM>(button.m_hWnd));
}

LRESULT Report(CDlgMacroSetting& dlg, WPARAM vk, bool up) { return dlg.SendMessage(WM_MACRO_KEY, vk, up ? 1 : 0); }

class MacroEditorWindow : public ::testing::Test {
protected:
    void SetUp() override {
        app.programFolder = BinDir();
        app.dataFolder = data.path();
        app.langTexts.assign(LANG_TEXT_COUNT, L"");
        app.langTexts[31] = L"Copy";
        CreateDirectoryW(MacroFolderOf(data.path()).c_str(), nullptr);
    }
    // Opens the editor modally, runs `steps` in its loop one after another, and
    // closes it with Cancel.
    void Run(const std::vector<std::function<void(CDlgMacroSetting&)>>& steps) {
        CDlgMacroSetting dlg(app);
        size_t next = 0;
        std::function<void()> step;
        std::unique_ptr<Later> pending;
        step = [&] {
            if (next < steps.size()) {
                steps[next++](dlg);
                pending = std::make_unique<Later>(30, step);
            } else {
                dlg.EndDialog(IDCANCEL);
            }
        };
        pending = std::make_unique<Later>(50, step);
        EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    }
    // Picks macro `name` with the name button and the menu's pick message.
    static std::function<void(CDlgMacroSetting&)> Pick(std::wstring name) {
        return [name](CDlgMacroSetting& dlg) {
            Click(dlg, dlg.Button(16));
            const auto& names = dlg.MacroNames();
            const auto it = std::find(names.begin(), names.end(), name);
            ASSERT_NE(it, names.end());
            dlg.PostMessage(WM_MACRONAME_PICKED, static_cast<WPARAM>(it - names.begin()), 0);
        };
    }

    TempDir data;
    AppContext app;
};

TEST_F(MacroEditorWindow, OpensWithTheHookAndTheStartStates) {
    Run({[](CDlgMacroSetting& dlg) {
        EXPECT_TRUE(dlg.HookLoaded()) << "KBHook.dll from the program folder";
        for (int b : {1, 2, 3, 4, 5, 14, 16, 19, 20}) EXPECT_TRUE(dlg.Button(b).IsWindowEnabled()) << b;
        for (int b : {6, 7, 8, 9, 10, 11, 12, 13, 15, 17, 18, 21}) EXPECT_FALSE(dlg.Button(b).IsWindowEnabled()) << b;
        EXPECT_EQ(dlg.m_DefaultDelay.GetWindowText(), L"50");
        EXPECT_EQ(dlg.m_DelayValue.GetWindowText(), L"0");
        RECT r{};
        dlg.m_EventList.GetWindowRect(&r);
        EXPECT_EQ(r.right - r.left, 85);
    }});
}

TEST_F(MacroEditorWindow, RecordingReportsAndStop) {
    ASSERT_TRUE(SaveMacroFile(MacroFilePathOf(MacroFolderOf(data.path()), L"x"), MacroRecording{}));
    Run({Pick(L"x"), [](CDlgMacroSetting& dlg) {
             EXPECT_EQ(dlg.CurrentName(), L"x");
             EXPECT_TRUE(dlg.Button(8).IsWindowEnabled());
             Click(dlg, dlg.Button(8));
             EXPECT_TRUE(dlg.IsRecording());
             EXPECT_TRUE(dlg.Button(8).IsLatched());
             EXPECT_TRUE(dlg.Button(9).IsWindowEnabled());
             EXPECT_EQ(Report(dlg, 'A', false), 1);
             EXPECT_EQ(Report(dlg, 'A', false), 0) << "a held key repeats its press";
             EXPECT_EQ(Report(dlg, 'A', true), 1);
             EXPECT_EQ(dlg.m_EventList.GetCount(), 2);
             EXPECT_EQ(dlg.m_DelayList.GetCount(), 1);
             Click(dlg, dlg.Button(9));
             EXPECT_FALSE(dlg.IsRecording());
             EXPECT_FALSE(dlg.Button(8).IsLatched());
             EXPECT_FALSE(dlg.Button(9).IsWindowEnabled());
             EXPECT_EQ(dlg.m_DelayList.GetCount(), 2) << "the closing delay";
             EXPECT_EQ(dlg.m_EventList.GetText(1), L"A Release");
             EXPECT_EQ(Report(dlg, 'B', false), 0) << "not recording";
             Click(dlg, dlg.Button(9));  // Stop again: no second closing delay
             EXPECT_EQ(dlg.Macro().Count, 4);
         }});
}

TEST_F(MacroEditorWindow, FullMacroReleasesRecordAsStopDoes) {
    ASSERT_TRUE(SaveMacroFile(MacroFilePathOf(MacroFolderOf(data.path()), L"big"), MacroRecording{}));
    Run({Pick(L"big"), [](CDlgMacroSetting& dlg) {
             Click(dlg, dlg.Button(8));
             int recorded = 0;
             for (int i = 0; i < MACRO_EVENT_MAX; ++i) recorded += static_cast<int>(Report(dlg, 'A', i % 2 == 1));
             EXPECT_EQ(recorded, MACRO_EVENT_MAX / 2);
             EXPECT_EQ(dlg.Macro().Count, MACRO_EVENT_MAX - 1);
             EXPECT_FALSE(dlg.IsRecording());
             EXPECT_FALSE(dlg.Button(8).IsLatched());
             EXPECT_FALSE(dlg.Button(9).IsWindowEnabled());
             EXPECT_EQ(dlg.m_EventList.GetCount(), MACRO_EVENT_MAX / 2);
             EXPECT_EQ(dlg.m_DelayList.GetCount(), MACRO_EVENT_MAX / 2 - 1);
         }});
}

TEST_F(MacroEditorWindow, SpaceIsSwallowedOnlyWhileRecording) {
    ASSERT_TRUE(SaveMacroFile(MacroFilePathOf(MacroFolderOf(data.path()), L"x"), MacroRecording{}));
    Run({Pick(L"x"), [](CDlgMacroSetting& dlg) {
             MSG space{dlg.Button(8).m_hWnd, WM_KEYDOWN, VK_SPACE, 0, 0, {}};
             MSG enter{dlg.Button(8).m_hWnd, WM_KEYDOWN, VK_RETURN, 0, 0, {}};
             EXPECT_FALSE(dlg.PreTranslateMessage(&enter)) << "Enter never closes the editor";
             Click(dlg, dlg.Button(8));
             EXPECT_TRUE(dlg.PreTranslateMessage(&space));
             Click(dlg, dlg.Button(14));
             EXPECT_FALSE(dlg.IsRecording());
             EXPECT_FALSE(dlg.Button(9).IsWindowEnabled()) << "ending a recording disables Stop";
         }});
}

TEST_F(MacroEditorWindow, DelayButtons) {
    ASSERT_TRUE(SaveMacroFile(MacroFilePathOf(MacroFolderOf(data.path()), L"x"), MacroRecording{}));
    struct Case {
        const char* name;
        const wchar_t* before;
        int button;
        const wchar_t* after;
    } const cases[] = {
        {"plus at the longest delay", L"12750", 17, L"12750"},
        {"minus at the longest delay", L"12750", 18, L"12750"},
        {"minus beyond it", L"99999", 18, L"99999"},
        {"minus to zero", L"40", 18, L"0"},
        {"plus", L"100", 17, L"150"},
    };
    for (const Case& c : cases) {
        Run({[&](CDlgMacroSetting& dlg) {
            dlg.m_DelayValue.SetWindowText(c.before);
            Click(dlg, dlg.Button(c.button));
            EXPECT_EQ(dlg.m_DelayValue.GetWindowText(), c.after) << c.name;
        }});
    }
}

TEST_F(MacroEditorWindow, GuiObjectsStayFlatOverOpenings) {
    ASSERT_TRUE(SaveMacroFile(MacroFilePathOf(MacroFolderOf(data.path()), L"x"), MacroRecording{}));
    auto once = [&] {
        Run({Pick(L"x"), [](CDlgMacroSetting& dlg) {
                 Click(dlg, dlg.Button(8));
                 Report(dlg, 'A', false);
                 Click(dlg, dlg.Button(9));
                 Click(dlg, dlg.Button(16));  // the name menu left open at closing
             }});
    };
    once();
    const GuiObjectCounts before = CountGuiObjects();
    for (int i = 0; i < 50; ++i) once();
    const GuiObjectCounts after = CountGuiObjects();
    EXPECT_EQ(after.gdi, before.gdi);
    EXPECT_EQ(after.user, before.user);
}

TEST(NewMacroDialog, EnterAndEscCloseNothingAndOkReturnsTheText) {
    AppContext app;
    app.programFolder = BinDir();
    app.langTexts.assign(LANG_TEXT_COUNT, L"");
    CDlgNewMacro dlg(app);
    Later type(100, [&] {
        dlg.m_NameBox.SetWindowText(L"a.");
        for (WPARAM key : {WPARAM{VK_RETURN}, WPARAM{VK_ESCAPE}}) {
            MSG msg{dlg.m_NameBox.m_hWnd, WM_KEYDOWN, key, 0, 0, {}};
            EXPECT_FALSE(dlg.PreTranslateMessage(&msg));
        }
    });
    Later ok(300, [&] { Click(dlg, dlg.m_btnOk); });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_Name, L"a.");

    CDlgNewMacro cancelled(app);
    Later cancel(100, [&] { Click(cancelled, cancelled.m_btnCancel); });
    EXPECT_EQ(cancelled.DoModal(), IDCANCEL);
    EXPECT_TRUE(cancelled.m_Name.empty());
}

}  // namespace
