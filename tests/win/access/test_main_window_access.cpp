// The main window without a mouse: what a screen reader reads of its buttons,
// the way Tab walks them, and its handles over openings with the focus mark
// shown. The window runs modally in this process; the checks run inside its
// loop.
#include <gtest/gtest.h>

#include <windows.h>
#include <oleacc.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "AccessTest.h"
#include "AccessibleProbe.h"
#include "GuiResources.h"
#include "Harness.h"
#include "Later.h"
#include "TempDir.h"
#include "app/AppContext.h"
#include "config/ConfigStore.h"
#include "framework/FocusMark.h"
#include "framework/MessageLoop.h"
#include "framework/PlatformSessions.h"
#include "mainwnd/MainDlg.h"

using namespace zavo;
using namespace zavo::e2e;
using testsupport::AccessibleRead;
using testsupport::ReadAccessible;
using accesstest::ExpectWalkInOrder;
using accesstest::NameOf;
using accesstest::NumberedTexts;
using accesstest::TypeKey;

namespace {

// The accessible reads of the window's controls, in child order.
std::vector<std::pair<HWND, AccessibleRead>> ReadControls(HWND window) {
    std::vector<std::pair<HWND, AccessibleRead>> reads;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        reads.emplace_back(child, ReadAccessible(child));
    return reads;
}

// Whether the control named `name` reads as pressed (a latched button).
bool PressedNamed(HWND window, const std::wstring& name) {
    for (const auto& [control, read] : ReadControls(window))
        if (read.name == name) return (read.state & STATE_SYSTEM_PRESSED) != 0;
    return false;
}

class MainWindowAccess : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(Sessions().NeedOle());
        app.programFolder = BinDir();
        app.dataFolder = data.path();
        app.langTexts = NumberedTexts();
        auto config = std::make_unique<KeyboardConfig>();
        config->DeviceState = 1;   // present: no warning at opening
        config->CurrantProfile = 1;  // profile II
        ASSERT_TRUE(SaveConfiguration(data.path(), *config));
    }
    // Opens the main window and runs `check` inside its loop, then closes it.
    void WithMainWindow(const std::function<void(CZAVOConfigDlg&)>& check) {
        CZAVOConfigDlg dlg(app);
        Later run(20, [&] {
            check(dlg);
            dlg.EndDialog(IDCANCEL);
        });
        dlg.DoModal();
    }

    TempDir data;
    AppContext app;
};

}  // namespace

TEST_F(MainWindowAccess, ButtonsReadAsTheirTable) {
    struct Row {
        const wchar_t* name;
        long role;
        long present, absent;
    } rows[] = {
        {L"L4", ROLE_SYSTEM_PUSHBUTTON, STATE_SYSTEM_FOCUSABLE, STATE_SYSTEM_PRESSED},      // profile I
        {L"L5", ROLE_SYSTEM_PUSHBUTTON, STATE_SYSTEM_PRESSED, STATE_SYSTEM_UNAVAILABLE},    // profile II, active
        {L"L0", ROLE_SYSTEM_PUSHBUTTON, STATE_SYSTEM_PRESSED, STATE_SYSTEM_UNAVAILABLE},    // mode T-keys, active
        {L"L1", ROLE_SYSTEM_PUSHBUTTON, STATE_SYSTEM_FOCUSABLE, STATE_SYSTEM_PRESSED},      // mode all keys
        {L"L2", ROLE_SYSTEM_PUSHBUTTON, STATE_SYSTEM_UNAVAILABLE, STATE_SYSTEM_FOCUSABLE},  // clear, nothing picked
        {L"L7", ROLE_SYSTEM_PUSHBUTTON, STATE_SYSTEM_FOCUSABLE, STATE_SYSTEM_UNAVAILABLE},  // apply
    };
    WithMainWindow([&](CZAVOConfigDlg& dlg) {
        std::map<std::wstring, AccessibleRead> byName;
        for (const auto& [control, read] : ReadControls(dlg)) {
            EXPECT_TRUE(read.ok);
            byName[read.name] = read;
        }
        for (const Row& row : rows) {
            SCOPED_TRACE(std::string(row.name, row.name + wcslen(row.name)));
            ASSERT_EQ(1u, byName.count(row.name));
            const AccessibleRead& read = byName[row.name];
            EXPECT_EQ(row.role, read.role);
            EXPECT_EQ(row.present, read.state & row.present);
            EXPECT_EQ(0, read.state & row.absent);
        }
        // The status line is a text a reader reads, not a button to press.
        long statusLines = 0;
        for (const auto& entry : byName) statusLines += entry.second.role == ROLE_SYSTEM_STATICTEXT;
        EXPECT_EQ(1, statusLines);
    });
}

TEST_F(MainWindowAccess, TabWalksEveryEnabledControlOnceInReadingOrder) {
    // Top row left to right, the keyboard, then the assignment row (its key, macro,
    // application and clear buttons wait for a picked key; the status line is
    // no control), then the bottom row.
    const std::vector<std::wstring> order = {
        L"L4",  L"L5",  L"L6",  L"L79", L"L80",     L"L0", L"L1", L"Web site", L"User guide", L"Exit without saving",
        L"Keyboard", L"L49", L"L11", L"L46", L"Reset this profile", L"L7", L"L9", L"L8"};
    WithMainWindow([&](CZAVOConfigDlg& dlg) {
        EXPECT_FALSE(FocusCuesShown(dlg));
        std::vector<std::wstring> walked;
        for (size_t i = 0; i < order.size() * 2; ++i) {
            TypeKey(VK_TAB);
            ASSERT_TRUE(IsChild(dlg, GetFocus()));
            walked.push_back(NameOf(GetFocus()));
        }
        EXPECT_TRUE(FocusCuesShown(dlg));
        // Two whole rounds from wherever the focus started.
        ExpectWalkInOrder(walked, order);
    });
}

TEST_F(MainWindowAccess, EnterAndSpacePressTheFocusedButtonAndKeepTheWindow) {
    WithMainWindow([&](CZAVOConfigDlg& dlg) {
        for (UINT vk : {VK_RETURN, VK_SPACE}) {
            SCOPED_TRACE(vk);
            // Focus on mode "all keys" (not active): a press makes it the mode.
            for (size_t i = 0; i < 40 && NameOf(GetFocus()) != L"L1"; ++i) TypeKey(VK_TAB);
            ASSERT_EQ(L"L1", NameOf(GetFocus()));
            TypeKey(vk);
            if (vk == VK_SPACE) {
                MSG up{GetFocus(), WM_KEYUP, VK_SPACE, static_cast<LPARAM>(0xC0000001), 0, {}};
                DispatchMessageW(&up);
            }
            Pump();
            EXPECT_TRUE(PressedNamed(dlg, L"L1"));  // mode "all keys" is active
            EXPECT_TRUE(dlg.IsWindowVisible());
            // Back to mode 0 for the next key, by the mouse's way.
            for (size_t i = 0; i < 40 && NameOf(GetFocus()) != L"L0"; ++i) TypeKey(VK_TAB);
            TypeKey(VK_RETURN);
            Pump();
            EXPECT_TRUE(PressedNamed(dlg, L"L0"));
        }
        // Escape with the focus on a button neither closes the window nor presses it.
        TypeKey(VK_ESCAPE);
        Pump();
        EXPECT_TRUE(dlg.IsWindowVisible());
        EXPECT_TRUE(PressedNamed(dlg, L"L0"));
    });
}

TEST_F(MainWindowAccess, HandlesStayFlatOverFiftyOpeningsWithTheFocusMarkShown) {
    const auto openOnce = [&] {
        WithMainWindow([](CZAVOConfigDlg&) {
            TypeKey(VK_TAB);
            TypeKey(VK_TAB);
            UpdateWindow(GetFocus());
        });
    };
    openOnce();
    Pump();
    const GuiObjectCounts before = CountGuiObjects();
    for (int i = 0; i < 50; ++i) openOnce();
    Pump();
    const GuiObjectCounts after = CountGuiObjects();
    EXPECT_EQ(before.gdi, after.gdi);
    EXPECT_EQ(before.user, after.user);
}

TEST_F(MainWindowAccess, KeyboardIsOneListWhoseKeysArrowsWalkAndSpaceSelects) {
    WithMainWindow([&](CZAVOConfigDlg& dlg) {
        for (size_t i = 0; i < 40 && NameOf(GetFocus()) != L"Keyboard"; ++i) TypeKey(VK_TAB);
        ASSERT_EQ(L"Keyboard", NameOf(GetFocus()));
        IAccessible* map = testsupport::FetchAccessible(GetFocus());
        ASSERT_NE(nullptr, map);
        long count = 0;
        EXPECT_EQ(S_OK, map->get_accChildCount(&count));
        EXPECT_EQ(TKEY_COUNT + STANDARD_KEY_COUNT, count);
        EXPECT_EQ(ROLE_SYSTEM_LIST, ReadAccessible(map).role);
        const auto focused = [&] {
            VARIANT v;
            VariantInit(&v);
            map->get_accFocus(&v);
            return v.vt == VT_I4 ? v.lVal : -1;
        };
        // The focus starts on the first key (T1); the arrows walk the T-key block.
        struct Step {
            UINT vk;
            const wchar_t* name;
        } steps[] = {{VK_DOWN, L"T2"}, {VK_RIGHT, L"T7"}, {VK_UP, L"T6"}, {VK_LEFT, L"T1"}, {VK_END, nullptr}};
        EXPECT_EQ(L"T1", ReadAccessible(map, focused()).name);
        for (const Step& step : steps) {
            TypeKey(step.vk);
            const AccessibleRead key = ReadAccessible(map, focused());
            EXPECT_EQ(ROLE_SYSTEM_LISTITEM, key.role);
            EXPECT_NE(0, key.state & STATE_SYSTEM_FOCUSED);
            if (step.name) EXPECT_EQ(step.name, key.name);
        }
        TypeKey(VK_HOME);
        TypeKey(VK_HOME);
        const long t1 = focused();
        ASSERT_EQ(L"T1", ReadAccessible(map, t1).name);
        EXPECT_EQ(0, ReadAccessible(map, t1).state & STATE_SYSTEM_SELECTED);
        TypeKey(VK_SPACE);
        Pump();
        EXPECT_NE(0, ReadAccessible(map, t1).state & STATE_SYSTEM_SELECTED);
        // Picking a key enables its assignment buttons: Tab reaches them now.
        for (size_t i = 0; i < 40 && NameOf(GetFocus()) != L"L60"; ++i) TypeKey(VK_TAB);
        EXPECT_EQ(L"L60", NameOf(GetFocus()));
        map->Release();
        EXPECT_TRUE(dlg.IsWindowVisible());
    });
}
