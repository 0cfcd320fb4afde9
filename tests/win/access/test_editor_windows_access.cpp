// The macro editor, the lighting window and the small skinned dialogs without a
// mouse: what a screen reader reads of their controls, the way Tab walks them,
// and their handles over openings with the focus mark shown. Each window runs
// modally in this process; the checks run inside its loop.
#include <gtest/gtest.h>

#include <windows.h>
#include <oleacc.h>

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "AccessTest.h"
#include "AccessibleProbe.h"
#include "GuiResources.h"
#include "Harness.h"
#include "Later.h"
#include "TempDir.h"
#include "app/AppContext.h"
#include "app/UiTexts.h"
#include "dialogs/DlgMacroNameMenu.h"
#include "dialogs/DlgNewMacro.h"
#include "dialogs/DlgRepeatTimes.h"
#include "dialogs/DlgWarning.h"
#include "framework/FocusMark.h"
#include "framework/MessageLoop.h"
#include "framework/PlatformSessions.h"
#include "light/LightStateFile.h"
#include "lightwnd/DlgLightOption.h"
#include "macro/MacroFiles.h"
#include "macroeditor/DlgMacroSetting.h"
#include "platform/FileSystem.h"
#include "service/ServiceLink.h"

using namespace zavo;
using namespace zavo::e2e;
using testsupport::AccessibleRead;
using testsupport::ReadAccessible;
using accesstest::ExpectWalkInOrder;
using accesstest::NameOf;
using accesstest::NumberedTexts;
using accesstest::TypeKey;

namespace {

// The controls Tab may reach: visible, enabled Tab stops.
std::vector<HWND> TabStops(HWND window) {
    std::vector<HWND> stops;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (IsWindowVisible(child) && IsWindowEnabled(child) && (GetWindowLongPtrW(child, GWL_STYLE) & WS_TABSTOP))
            stops.push_back(child);
    return stops;
}

// Two whole rounds of Tab from wherever the focus starts: the controls visited.
std::vector<HWND> TabTwoRounds(HWND window) {
    const size_t stops = TabStops(window).size();
    std::vector<HWND> walked;
    for (size_t i = 0; i < stops * 2; ++i) {
        TypeKey(VK_TAB);
        if (!IsChild(window, GetFocus())) break;
        walked.push_back(GetFocus());
    }
    return walked;
}

// Checks that `walked` (two rounds) visits every enabled control once per round
// and the same way both times; `order`, when given, names the round.
void ExpectWholeRounds(HWND window, const std::vector<HWND>& walked, const std::vector<std::wstring>& order = {}) {
    const std::vector<HWND> stops = TabStops(window);
    ASSERT_FALSE(stops.empty());
    ASSERT_EQ(stops.size() * 2, walked.size());
    const std::vector<HWND> first(walked.begin(), walked.begin() + static_cast<long>(stops.size()));
    EXPECT_EQ(std::set<HWND>(stops.begin(), stops.end()), std::set<HWND>(first.begin(), first.end()))
        << "one round visits each enabled control once";
    EXPECT_TRUE(std::equal(first.begin(), first.end(), walked.begin() + static_cast<long>(stops.size())));
    if (order.empty()) return;
    std::vector<std::wstring> names;
    for (HWND w : first) names.push_back(NameOf(w));
    ExpectWalkInOrder(names, order);
}

struct Row {
    std::wstring name;
    long role;
    long present, absent;
};

// Every row's control is there once with its role and state bits; every
// control answers a reader.
void ExpectControls(HWND window, const std::vector<Row>& rows) {
    std::multimap<std::wstring, AccessibleRead> byName;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const AccessibleRead read = ReadAccessible(child);
        EXPECT_TRUE(read.ok) << "a control without an answer";
        byName.emplace(read.name, read);
    }
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.name.begin(), row.name.end()));
        ASSERT_EQ(1u, byName.count(row.name));
        const AccessibleRead& read = byName.find(row.name)->second;
        EXPECT_EQ(row.role, read.role);
        EXPECT_EQ(row.present, read.state & row.present);
        EXPECT_EQ(0, read.state & row.absent);
        EXPECT_LT(read.rect.left, read.rect.right);
    }
}

class EditorWindowsAccess : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(Sessions().NeedOle());
        app.programFolder = BinDir();
        app.dataFolder = data.path();
        app.langTexts = NumberedTexts();
        CreateDirectoryW(MacroFolderOf(data.path()).c_str(), nullptr);
        ASSERT_TRUE(fs::WriteFileAtomic(LightStateFilePath(data.path()), ""));
    }
    // Runs `check` inside the loop of `dlg`, shown modally, then ends it.
    static void Within(CDialog& dlg, const std::function<void()>& check) {
        Later run(50, [&] {
            check();
            dlg.EndDialog(IDCANCEL);
        });
        dlg.DoModal();
        Pump();
    }
    // Opens the window 50 times, each time showing the focus mark, and checks
    // that no GDI or USER object is left behind.
    static void ExpectFlatOverOpenings(const std::function<void(const std::function<void()>&)>& open) {
        const auto once = [&] {
            open([] {
                TypeKey(VK_TAB);
                TypeKey(VK_TAB);
                UpdateWindow(GetFocus());
            });
        };
        once();
        const GuiObjectCounts before = CountGuiObjects();
        for (int i = 0; i < 50; ++i) once();
        const GuiObjectCounts after = CountGuiObjects();
        EXPECT_EQ(before.gdi, after.gdi);
        EXPECT_EQ(before.user, after.user);
    }

    TempDir data;
    AppContext app;
    LightSettings exchange;
    ServiceLink service;
};

}  // namespace

// ----- the lighting window --------------------------------------------------------

TEST_F(EditorWindowsAccess, LightingReadsStylesAndProfilesAsLatchedButtonsAndZonesAsOneList) {
    exchange.LightStyle = 2;
    exchange.LightMode = 3;
    CDlgLightOption dlg(app, exchange, service);
    Within(dlg, [&] {
        ExpectControls(
            dlg,
            {
                {kLightStyleOff.english, ROLE_SYSTEM_PUSHBUTTON, STATE_SYSTEM_FOCUSABLE, STATE_SYSTEM_PRESSED},
                {kLightStyleBreathing.english, ROLE_SYSTEM_PUSHBUTTON, STATE_SYSTEM_PRESSED, STATE_SYSTEM_UNAVAILABLE},
                {L"L48 3", ROLE_SYSTEM_PUSHBUTTON, STATE_SYSTEM_PRESSED, 0},
                {L"L48 1", ROLE_SYSTEM_PUSHBUTTON, STATE_SYSTEM_FOCUSABLE, STATE_SYSTEM_PRESSED},
                {kLightZoneMap.english, ROLE_SYSTEM_LIST, STATE_SYSTEM_FOCUSABLE, 0},
                {L"L7", ROLE_SYSTEM_PUSHBUTTON, STATE_SYSTEM_FOCUSABLE, 0},
                // A zone button is the map's element to a reader, not a second object.
                {L"Number pad", ROLE_SYSTEM_PUSHBUTTON, STATE_SYSTEM_INVISIBLE, STATE_SYSTEM_FOCUSABLE},
            });
        IAccessible* map = testsupport::FetchAccessible(dlg.m_ZoneMap.m_hWnd);
        ASSERT_NE(nullptr, map);
        long count = 0;
        EXPECT_EQ(S_OK, map->get_accChildCount(&count));
        EXPECT_EQ(LIGHT_ZONE_COUNT, count);
        const long numberPad = ZoneIndex(LightZone::Number) + 1;
        const AccessibleRead pad = ReadAccessible(map, numberPad);
        EXPECT_EQ(L"Number pad", pad.name);
        EXPECT_EQ(ROLE_SYSTEM_LISTITEM, pad.role);
        EXPECT_EQ(0, pad.state & STATE_SYSTEM_SELECTED) << "dark";
        RECT button{};
        dlg.m_btnZone[ZoneIndex(LightZone::Number)].GetWindowRect(&button);
        EXPECT_TRUE(EqualRect(&button, &pad.rect));
        // A click lights the zone: its element reads as selected now.
        SendMessageW(dlg.m_btnZone[ZoneIndex(LightZone::Number)].m_hWnd, BM_CLICK, 0, 0);
        EXPECT_NE(0, ReadAccessible(map, numberPad).state & STATE_SYSTEM_SELECTED);
        map->Release();
    });
}

TEST_F(EditorWindowsAccess, LightingTabWalksEveryControlOnceArrowsWalkTheZonesAndSpaceLightsOne) {
    exchange.LightStyle = 1;
    exchange.LightMode = 1;
    CDlgLightOption dlg(app, exchange, service);
    Within(dlg, [&] {
        EXPECT_FALSE(FocusCuesShown(dlg));
        ExpectWholeRounds(dlg, TabTwoRounds(dlg));
        EXPECT_TRUE(FocusCuesShown(dlg));
        // Enter on a style latches it; Escape neither closes nor changes anything.
        for (size_t i = 0; i < 40 && GetFocus() != dlg.m_btnStyle[4].m_hWnd; ++i) TypeKey(VK_TAB);
        ASSERT_EQ(GetFocus(), dlg.m_btnStyle[4].m_hWnd);
        TypeKey(VK_RETURN);
        Pump();
        EXPECT_TRUE(dlg.m_btnStyle[4].IsLatched());
        TypeKey(VK_ESCAPE);
        Pump();
        EXPECT_TRUE(dlg.IsWindowVisible());
        EXPECT_TRUE(dlg.m_btnStyle[4].IsLatched());
        // The zones: arrows move as the zones lie, the mark follows, Space lights the zone.
        for (size_t i = 0; i < 40 && GetFocus() != dlg.m_ZoneMap.m_hWnd; ++i) TypeKey(VK_TAB);
        ASSERT_EQ(GetFocus(), dlg.m_ZoneMap.m_hWnd);
        const int numberPad = ZoneIndex(LightZone::Number);
        for (int i = 0; i < 30 && dlg.m_ZoneMap.FocusedKey() != numberPad; ++i) TypeKey(VK_RIGHT);
        ASSERT_EQ(numberPad, dlg.m_ZoneMap.FocusedKey()) << "the number pad lies rightmost";
        EXPECT_EQ(numberPad, dlg.m_ZoneMap.MarkedKey());
        TypeKey(VK_LEFT);
        EXPECT_NE(numberPad, dlg.m_ZoneMap.FocusedKey());
        TypeKey(VK_RIGHT);
        const bool wasLit = dlg.m_btnZone[numberPad].IsLatched();
        TypeKey(VK_SPACE);
        Pump();
        EXPECT_NE(wasLit, dlg.m_btnZone[numberPad].IsLatched());
        EXPECT_EQ(dlg.m_btnZone[numberPad].IsLatched() ? 1 : 0, dlg.Board().State(LightZone::Number));
    });
}

TEST_F(EditorWindowsAccess, LightingHandlesStayFlatOverFiftyOpenings) {
    ExpectFlatOverOpenings([&](const std::function<void()>& act) {
        CDlgLightOption dlg(app, exchange, service);
        Within(dlg, act);
    });
}

// ----- the macro editor -------------------------------------------------------------

TEST_F(EditorWindowsAccess, MacroEditorReadsItsListsBoxesAndButtons) {
    MacroRecording macro;
    macro.Events[0] = KeyEvent(0x14, true);
    macro.Events[1] = DelayEvent(8);
    macro.Events[2] = KeyEvent(0x14, false);
    macro.Count = 3;
    ASSERT_TRUE(SaveMacroFile(MacroFilePathOf(MacroFolderOf(data.path()), L"x"), macro));
    CDlgMacroSetting dlg(app);
    Within(dlg, [&] {
        ExpectControls(
            dlg, {
                     {kMacroStepList.english, ROLE_SYSTEM_LIST, STATE_SYSTEM_FOCUSABLE, 0},
                     {kMacroDelayList.english, ROLE_SYSTEM_LIST, STATE_SYSTEM_FOCUSABLE, 0},
                     {kStepDelayBox.english, ROLE_SYSTEM_TEXT, 0, 0},
                     {kDefaultDelayBox.english, ROLE_SYSTEM_TEXT, STATE_SYSTEM_FOCUSABLE, STATE_SYSTEM_UNAVAILABLE},
                     {L"L24", ROLE_SYSTEM_PUSHBUTTON, 0, STATE_SYSTEM_PRESSED},      // record: no macro picked yet
                     {L"L15", ROLE_SYSTEM_PUSHBUTTON, STATE_SYSTEM_FOCUSABLE, 0},    // new macro
                     {L"L25", ROLE_SYSTEM_PUSHBUTTON, STATE_SYSTEM_UNAVAILABLE, 0},  // stop
                 });
        // The default delay box reads its number as its value.
        IAccessible* box = testsupport::FetchAccessible(dlg.m_DefaultDelay.m_hWnd);
        ASSERT_NE(nullptr, box);
        VARIANT self;
        VariantInit(&self);
        self.vt = VT_I4;
        self.lVal = CHILDID_SELF;
        BSTR value = nullptr;
        EXPECT_EQ(S_OK, box->get_accValue(self, &value));
        EXPECT_EQ(L"50", std::wstring(value ? value : L""));
        SysFreeString(value);
        box->Release();
        // A picked macro's steps are the items of the step list, padding rows left out.
        const auto& names = dlg.MacroNames();
        ASSERT_EQ(1u, names.size());
        dlg.SendMessage(WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), reinterpret_cast<LPARAM>(dlg.Button(16).m_hWnd));
        MSG pick{dlg.m_hWnd, WM_MACRONAME_PICKED, 0, 0, 0, {}};
        dlg.PreTranslateMessage(&pick);
        Pump();
        IAccessible* steps = testsupport::FetchAccessible(dlg.m_EventList.m_hWnd);
        ASSERT_NE(nullptr, steps);
        long count = 0;
        EXPECT_EQ(S_OK, steps->get_accChildCount(&count));
        EXPECT_EQ(2, count);
        const AccessibleRead first = ReadAccessible(steps, 1);
        EXPECT_EQ(L"A Press", first.name);
        EXPECT_EQ(ROLE_SYSTEM_LISTITEM, first.role);
        EXPECT_EQ(L"A Release", ReadAccessible(steps, 2).name);
        steps->Release();
    });
}

TEST_F(EditorWindowsAccess, MacroEditorTabWalksEveryEnabledControlOnce) {
    CDlgMacroSetting dlg(app);
    Within(dlg, [&] {
        const std::vector<HWND> walked = TabTwoRounds(dlg);
        ExpectWholeRounds(dlg, walked);
        // The lists and the boxes take their places among the buttons: the step
        // list comes before the default delay box, which lies below it on the right.
        const auto at = [&](HWND w) { return std::find(walked.begin(), walked.end(), w) - walked.begin(); };
        EXPECT_NE(walked.end() - walked.begin(), at(dlg.m_EventList.m_hWnd));
        EXPECT_NE(walked.end() - walked.begin(), at(dlg.m_DefaultDelay.m_hWnd));
        EXPECT_TRUE(FocusCuesShown(dlg));
    });
}

TEST_F(EditorWindowsAccess, MacroEditorHandlesStayFlatOverFiftyOpenings) {
    ExpectFlatOverOpenings([&](const std::function<void()>& act) {
        CDlgMacroSetting dlg(app);
        Within(dlg, act);
    });
}

// ----- the small dialogs ------------------------------------------------------------

TEST_F(EditorWindowsAccess, SmallDialogsReadAndTabInReadingOrder) {
    {
        CDlgRepeatTimes dlg(app);
        Within(dlg, [&] {
            ExpectControls(dlg, {{L"L59", ROLE_SYSTEM_TEXT, STATE_SYSTEM_FOCUSABLE, 0},
                                 {L"L9", ROLE_SYSTEM_PUSHBUTTON, STATE_SYSTEM_FOCUSABLE, 0},
                                 {L"L8", ROLE_SYSTEM_PUSHBUTTON, STATE_SYSTEM_FOCUSABLE, 0}});
            ExpectWholeRounds(dlg, TabTwoRounds(dlg), {L"L59", L"L9", L"L8"});
        });
    }
    {
        CDlgNewMacro dlg(app);
        Within(dlg, [&] {
            EXPECT_EQ(L"L12", NameOf(GetFocus())) << "the name box has the focus first";
            ExpectWholeRounds(dlg, TabTwoRounds(dlg), {L"L12", L"L9", L"L8"});
        });
    }
    for (int kind : {CDlgWarning::KIND_RESET, CDlgWarning::KIND_SAVE_CHANGES}) {
        CDlgWarning dlg(app, kind);
        Within(dlg, [&] { ExpectWholeRounds(dlg, TabTwoRounds(dlg), {L"L9", L"L8"}); });
    }
}

TEST_F(EditorWindowsAccess, EnterInASmallDialogPressesTheFocusedButton) {
    struct Case {
        const char* what;
        int kind;
        int tabs;  // Tab presses from the opening's focus to the button
        INT_PTR result;
    } cases[] = {{"OK", CDlgWarning::KIND_RESET, 0, IDOK}, {"Cancel", CDlgWarning::KIND_RESET, 1, IDCANCEL}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CDlgWarning dlg(app, c.kind);
        Later run(50, [&] {
            for (size_t i = 0; i < 4 && NameOf(GetFocus()) != L"L9"; ++i) TypeKey(VK_TAB);
            for (int i = 0; i < c.tabs; ++i) TypeKey(VK_TAB);
            TypeKey(VK_RETURN);
        });
        Later guard(5000, [&] {
            if (dlg.m_hWnd) dlg.EndDialog(-2);
        });
        EXPECT_EQ(c.result, dlg.DoModal());
        Pump();
    }
}

TEST_F(EditorWindowsAccess, SmallDialogsHandlesStayFlatOverFiftyOpenings) {
    ExpectFlatOverOpenings([&](const std::function<void()>& act) {
        CDlgRepeatTimes repeat(app);
        Within(repeat, act);
        CDlgNewMacro name(app);
        Within(name, act);
        CDlgWarning warning(app, CDlgWarning::KIND_RESET);
        Within(warning, act);
    });
}
