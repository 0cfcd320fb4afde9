// The key dialogs and their menus without a mouse: what a screen reader reads
// of them, the way Tab and the arrows walk them, the capture box's way out, the
// menus' Enter and Escape, and their handles over openings with the focus mark
// shown. Each dialog runs modally in this process; the checks run inside its
// loop.
#include <gtest/gtest.h>

#include <windows.h>
#include <oleacc.h>

#include <algorithm>
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
#include "ToolRun.h"
#include "app/AppContext.h"
#include "dialogs/DlgCMDMenu.h"
#include "framework/FocusMark.h"
#include "framework/MessageLoop.h"
#include "framework/PlatformSessions.h"
#include "keydlg/DlgInstShiftSYS.h"
#include "keydlg/DlgSingleKey.h"
#include "keydlg/DlgTKey.h"
#include "macro/KeyNames.h"
#include "macro/MacroFiles.h"

using namespace zavo;
using namespace zavo::e2e;
using testsupport::AccessibleRead;
using testsupport::ReadAccessible;
using accesstest::Deliver;
using accesstest::ExpectWalkInOrder;
using accesstest::NameOf;
using accesstest::NumberedTexts;

namespace {

std::wstring ValueOf(HWND control) {
    IAccessible* object = testsupport::FetchAccessible(control);
    if (!object) return L"(none)";
    VARIANT self;
    VariantInit(&self);
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR value = nullptr;
    std::wstring text;
    if (object->get_accValue(self, &value) == S_OK && value) text.assign(value, SysStringLen(value));
    SysFreeString(value);
    object->Release();
    return text;
}

// The control of `window` a reader names `name` (null: none).
HWND Named(HWND window, const std::wstring& name) {
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (NameOf(child) == name) return child;
    return nullptr;
}

// Handles what is queued as the windows' own loop does (the dialogs take some
// posted messages in PreTranslateMessage, as the menus' picks).
void Loop() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) Deliver(msg);
}

// A key pressed and released as the loop gets it, aimed at the focus.
void Press(UINT vk) {
    const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC)) << 16;
    Deliver(MSG{GetFocus(), WM_KEYDOWN, vk, scan | 1, 0, {}});
    Deliver(MSG{GetFocus(), WM_KEYUP, vk, scan | static_cast<LPARAM>(0xC0000001), 0, {}});
    Loop();
}

// Runs `dlg` modally and `check` inside its loop, then ends it with Cancel
// unless `check` ends it itself.
INT_PTR RunModal(CDialog& dlg, const std::function<void()>& check, bool checkEndsIt = false) {
    Later run(20, [&] {
        check();
        if (!checkEndsIt) dlg.EndDialog(IDCANCEL);
    });
    return dlg.DoModal();
}

// Names of the focus over two rounds of Tab, against `order` from wherever
// the focus started.
void ExpectTabWalk(HWND window, const std::vector<std::wstring>& order) {
    std::vector<std::wstring> walked;
    for (size_t i = 0; i < order.size() * 2; ++i) {
        Press(VK_TAB);
        ASSERT_TRUE(IsChild(window, GetFocus()));
        walked.push_back(NameOf(GetFocus()));
    }
    EXPECT_TRUE(FocusCuesShown(window));
    ExpectWalkInOrder(walked, order);
}

struct Row {
    const wchar_t* name;
    long role;
    long present, absent;
};

void ExpectControls(HWND window, const std::vector<Row>& rows) {
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.name, row.name + wcslen(row.name)));
        const HWND control = Named(window, row.name);
        ASSERT_NE(nullptr, control);
        const AccessibleRead read = ReadAccessible(control);
        EXPECT_TRUE(read.ok);
        EXPECT_EQ(row.role, read.role);
        EXPECT_EQ(row.present, read.state & row.present);
        EXPECT_EQ(0, read.state & row.absent);
    }
}

// The item the focused list reports as focused, read as a reader reads it.
AccessibleRead FocusedItem(HWND list) {
    IAccessible* object = testsupport::FetchAccessible(list);
    if (!object) return {};
    VARIANT focus;
    VariantInit(&focus);
    object->get_accFocus(&focus);
    const AccessibleRead read = ReadAccessible(object, focus.vt == VT_I4 ? focus.lVal : -1);
    object->Release();
    return read;
}

constexpr std::uint8_t kPageDown = 0x69;
constexpr std::uint8_t kBackspace = 0x53;

class KeyDialogAccess : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(Sessions().NeedOle());
        app.programFolder = BinDir();
        app.dataFolder = data.path();
        app.langTexts = NumberedTexts();
        CreateDirectoryW(MacroFolderOf(data.path()).c_str(), nullptr);
        for (const wchar_t* name : {L"Alpha", L"Beta", L"Gamma"})
            ASSERT_TRUE(SaveMacroFile(MacroFilePathOf(MacroFolderOf(data.path()), name), MacroRecording{}));
        ASSERT_TRUE(owner.CreateEx(0, CWnd::RegisterWndClass(0), L"owner", WS_POPUP, 0, 0, 10, 10, nullptr, 0));
    }
    void TearDown() override { owner.DestroyWindow(); }

    TempDir data;
    AppContext app;
    CWnd owner;
};

// The 22 commands in reading order: the two columns row by row.
std::vector<std::wstring> CommandsInReadingOrder() {
    std::vector<std::wstring> names;
    for (int row = 0; row < 11; ++row)
        for (int column = 0; column < 2; ++column)
            names.push_back(SkinFileEntry(L"Commands_menu.ini", L"BUTTONINFO", std::to_wstring(column * 11 + row + 1))
                                .text);
    return names;
}

}  // namespace

TEST_F(KeyDialogAccess, SingleKeyReadsAsItsTableAndItsCaptureBoxHoldsTheKeyName) {
    CDlgSingleKey dlg(app);
    dlg.m_SrcKeyCode = kBackspace;
    dlg.m_DstKeyCode = kPageDown;
    RunModal(dlg, [&] {
        ExpectControls(dlg, {{L"Key", ROLE_SYSTEM_TEXT, STATE_SYSTEM_UNAVAILABLE | STATE_SYSTEM_READONLY, 0},
                             {L"Sends", ROLE_SYSTEM_TEXT, STATE_SYSTEM_FOCUSED | STATE_SYSTEM_READONLY,
                              STATE_SYSTEM_UNAVAILABLE},
                             {L"L9", ROLE_SYSTEM_PUSHBUTTON, STATE_SYSTEM_FOCUSABLE, STATE_SYSTEM_UNAVAILABLE},
                             {L"L8", ROLE_SYSTEM_PUSHBUTTON, STATE_SYSTEM_FOCUSABLE, STATE_SYSTEM_UNAVAILABLE}});
        EXPECT_EQ(L"Backspace", ValueOf(dlg.m_SrcBox));
        EXPECT_EQ(L"Pagedown", ValueOf(dlg.m_DstBox));
        Press(VK_RCONTROL);
        EXPECT_EQ(L"R Ctrl", ValueOf(dlg.m_DstBox));
    });
}

// Every key is captured once; the same key again leads out to OK with the
// capture kept. On the buttons Tab moves on and back into the box, whose
// capture does not take the Tab that brought it there, and Enter presses OK.
TEST_F(KeyDialogAccess, SingleKeyWayOutIsTheCapturedKeyPressedAgain) {
    for (UINT vk : {UINT(VK_RETURN), UINT(VK_TAB), UINT(VK_ESCAPE), UINT(VK_SPACE), UINT('Q')}) {
        SCOPED_TRACE(vk);
        CDlgSingleKey dlg(app);
        dlg.m_SrcKeyCode = kBackspace;
        dlg.m_DstKeyCode = kPageDown;
        std::wstring captured;
        const INT_PTR result = RunModal(dlg, [&] {
            ASSERT_EQ(dlg.m_DstBox.m_hWnd, GetFocus());
            Press(vk);
            captured = ValueOf(dlg.m_DstBox);
            EXPECT_NE(L"Pagedown", captured);
            EXPECT_EQ(dlg.m_DstBox.m_hWnd, GetFocus()) << "a first press is captured";
            EXPECT_TRUE(IsWindowVisible(dlg));
            Press(vk);
            EXPECT_EQ(dlg.m_btnOk.m_hWnd, GetFocus()) << "the same key again leads out";
            EXPECT_TRUE(FocusCuesShown(dlg));
            EXPECT_EQ(captured, ValueOf(dlg.m_DstBox));
            // Round the dialog: OK, Cancel, the box (the Tab is not captured).
            Press(VK_TAB);
            EXPECT_EQ(dlg.m_btnCancel.m_hWnd, GetFocus());
            Press(VK_TAB);
            EXPECT_EQ(dlg.m_DstBox.m_hWnd, GetFocus());
            EXPECT_EQ(captured, ValueOf(dlg.m_DstBox));
            // Back on the buttons Escape does nothing, Enter presses OK.
            Press(VK_TAB);  // captured
            Press(VK_TAB);  // out
            ASSERT_EQ(dlg.m_btnOk.m_hWnd, GetFocus());
            EXPECT_EQ(L"TAB", ValueOf(dlg.m_DstBox));
            Press(VK_ESCAPE);
            EXPECT_TRUE(IsWindowVisible(dlg));
            Press(VK_RETURN);
        }, true);
        EXPECT_EQ(IDOK, result);
        EXPECT_EQ(L"TAB", KeyNameForLayout(dlg.m_DstKeyCode, app.layoutCode));
    }
}

TEST_F(KeyDialogAccess, TKeyTabWalksItsButtonsAndTheLatchedRepeatReadsPressed) {
    CDlgTKey dlg(app);
    RunModal(dlg, [&] {
        ExpectControls(dlg, {{L"Choose a macro", ROLE_SYSTEM_PUSHBUTTON, STATE_SYSTEM_FOCUSABLE, STATE_SYSTEM_PRESSED},
                             {L"L54", ROLE_SYSTEM_PUSHBUTTON, STATE_SYSTEM_PRESSED, STATE_SYSTEM_UNAVAILABLE},
                             {L"L57", ROLE_SYSTEM_PUSHBUTTON, STATE_SYSTEM_FOCUSABLE, STATE_SYSTEM_PRESSED},
                             {L"L58", ROLE_SYSTEM_PUSHBUTTON, STATE_SYSTEM_FOCUSABLE, STATE_SYSTEM_PRESSED}});
        ExpectTabWalk(dlg, {L"Choose a macro", L"L54", L"L57", L"L58", L"L56", L"L9", L"L8"});
        // Space on "while held" latches it and releases "once".
        while (NameOf(GetFocus()) != L"L57") Press(VK_TAB);
        Press(VK_SPACE);
        ExpectControls(dlg, {{L"L57", ROLE_SYSTEM_PUSHBUTTON, STATE_SYSTEM_PRESSED, 0},
                             {L"L54", ROLE_SYSTEM_PUSHBUTTON, 0, STATE_SYSTEM_PRESSED}});
        Press(VK_ESCAPE);
        EXPECT_TRUE(IsWindowVisible(dlg)) << "Escape does not close it";
    });
    EXPECT_EQ(2, dlg.m_Macro.RepeatOption);
}

// Enter on the name button opens the macro list on its first line; the arrows
// move without picking, Enter picks, Escape closes without a pick.
TEST_F(KeyDialogAccess, MacroMenuIsAListTheArrowsWalkAndEnterPicks) {
    CDlgTKey dlg(app);
    RunModal(dlg, [&] {
        Press(VK_TAB);  // the keyboard is in use: the mark is shown
        while (NameOf(GetFocus()) != L"Choose a macro") Press(VK_TAB);
        Press(VK_RETURN);
        const HWND list = GetFocus();
        ASSERT_NE(nullptr, list);
        ASSERT_NE(dlg.m_hWnd, GetAncestor(list, GA_ROOT)) << "the menu has the focus";
        const AccessibleRead menu = ReadAccessible(list);
        EXPECT_EQ(ROLE_SYSTEM_LIST, menu.role);
        EXPECT_EQ(L"Macros", menu.name);
        AccessibleRead item = FocusedItem(list);
        EXPECT_EQ(ROLE_SYSTEM_LISTITEM, item.role);
        EXPECT_EQ(L"Alpha", item.name);
        EXPECT_EQ(STATE_SYSTEM_SELECTED | STATE_SYSTEM_FOCUSED,
                  item.state & (STATE_SYSTEM_SELECTED | STATE_SYSTEM_FOCUSED));
        Press(VK_DOWN);
        EXPECT_EQ(L"Beta", FocusedItem(list).name);
        EXPECT_TRUE(IsWindow(list)) << "an arrow picks nothing";
        Press(VK_RETURN);
        Loop();
        EXPECT_FALSE(IsWindow(list));
        EXPECT_EQ(L"Beta", NameOf(dlg.m_btnName));
        EXPECT_EQ(dlg.m_btnName.m_hWnd, GetFocus()) << "the focus is back on the button";
        // Escape closes the menu and keeps the macro.
        Press(VK_RETURN);
        const HWND again = GetFocus();
        ASSERT_NE(dlg.m_btnName.m_hWnd, again);
        Press(VK_DOWN);
        Press(VK_ESCAPE);
        Loop();
        EXPECT_FALSE(IsWindow(again));
        EXPECT_EQ(L"Beta", NameOf(dlg.m_btnName));
        EXPECT_TRUE(IsWindowVisible(dlg));
    });
    EXPECT_EQ(L"Beta", dlg.m_Macro.MacroName);
}

// A profile picked from the keyboard: the choices follow it, a latched one
// reads pressed, one another profile holds reads unavailable and Tab passes it.
TEST_F(KeyDialogAccess, InstantShiftProfileMenuAndChoicesByKeyboard) {
    InstantShiftKeys keys{};
    keys.ProfileKey[1] = 1;  // profile II: Shift
    keys.ProfileKey[2] = 2;  // profile III: Ctrl
    CDlgInstShiftSYS dlg(app, 0, keys);
    RunModal(dlg, [&] {
        Press(VK_TAB);  // the keyboard is in use: the mark is shown
        while (NameOf(GetFocus()) != L"Choose a profile") Press(VK_TAB);
        Press(VK_SPACE);
        const HWND list = GetFocus();
        EXPECT_EQ(L"Profiles", ReadAccessible(list).name);
        EXPECT_EQ(ROLE_SYSTEM_LIST, ReadAccessible(list).role);
        Press(VK_RETURN);  // the first line: profile II
        Loop();
        EXPECT_FALSE(IsWindow(list));
        ExpectControls(dlg, {{L"Shift", ROLE_SYSTEM_PUSHBUTTON, STATE_SYSTEM_PRESSED, STATE_SYSTEM_UNAVAILABLE},
                             {L"Ctrl", ROLE_SYSTEM_PUSHBUTTON, STATE_SYSTEM_UNAVAILABLE, STATE_SYSTEM_FOCUSABLE},
                             {L"Alt", ROLE_SYSTEM_PUSHBUTTON, STATE_SYSTEM_FOCUSABLE, STATE_SYSTEM_PRESSED}});
        ExpectTabWalk(dlg, {NameOf(dlg.m_btnProfile), L"Shift", L"Alt", L"L9", L"L8"});
        while (NameOf(GetFocus()) != L"Alt") Press(VK_TAB);
        Press(VK_RETURN);
        ExpectControls(dlg, {{L"Alt", ROLE_SYSTEM_PUSHBUTTON, STATE_SYSTEM_PRESSED, 0},
                             {L"Shift", ROLE_SYSTEM_PUSHBUTTON, 0, STATE_SYSTEM_PRESSED}});
    });
    EXPECT_EQ(3, dlg.m_Keys.ProfileKey[1]);
}

// The command menu is a list of its commands; Tab walks them in reading order,
// the arrows as they lie, Enter picks the focused one and Escape picks none
// (it used to end the menu as the third command).
TEST_F(KeyDialogAccess, CommandMenuWalksByArrowsAndEscapePicksNothing) {
    {
        CDlgCMDMenu menu(app, owner, POINT{100, 100});
        RunModal(menu, [&] {
            const AccessibleRead self = ReadAccessible(menu.m_hWnd);
            EXPECT_EQ(ROLE_SYSTEM_LIST, self.role);
            EXPECT_EQ(L"Commands", self.name);
            const AccessibleRead first = ReadAccessible(menu.m_Items[0].m_hWnd);
            EXPECT_EQ(ROLE_SYSTEM_LISTITEM, first.role);
            EXPECT_NE(0, first.state & STATE_SYSTEM_FOCUSED) << "the focus starts on the first command";
            ExpectTabWalk(menu, CommandsInReadingOrder());
        });
    }
    {
        CDlgCMDMenu menu(app, owner, POINT{100, 100});
        Later keys(20, [&] {
            Press(VK_DOWN);
            EXPECT_EQ(menu.m_Items[1].m_hWnd, GetFocus());
            Press(VK_RIGHT);
            EXPECT_EQ(menu.m_Items[12].m_hWnd, GetFocus());
            Press(VK_RETURN);
        });
        EXPECT_EQ(12, menu.DoModal());
    }
    {
        CDlgCMDMenu menu(app, owner, POINT{100, 100});
        Later keys(20, [&] { Press(VK_ESCAPE); });
        EXPECT_EQ(-1, menu.DoModal());
    }
}

TEST_F(KeyDialogAccess, HandlesStayFlatOverFiftyOpeningsWithTheFocusMarkShown) {
    const auto showMark = [] {
        Press(VK_TAB);
        Press(VK_TAB);
        UpdateWindow(GetFocus());
    };
    const std::vector<std::pair<const char*, std::function<void()>>> windows = {
        {"single key",
         [&] {
             CDlgSingleKey dlg(app);
             RunModal(dlg, [&] {
                 Press('Q');
                 Press('Q');
                 showMark();
             });
         }},
        {"T-key",
         [&] {
             CDlgTKey dlg(app);
             RunModal(dlg, [&] {
                 showMark();
                 while (NameOf(GetFocus()) != L"Choose a macro") Press(VK_TAB);
                 Press(VK_RETURN);
                 Press(VK_DOWN);
                 UpdateWindow(GetFocus());
                 Press(VK_ESCAPE);
             });
         }},
        {"instant shift",
         [&] {
             CDlgInstShiftSYS dlg(app, 0, InstantShiftKeys{});
             RunModal(dlg, showMark);
         }},
        {"command menu",
         [&] {
             CDlgCMDMenu dlg(app, owner, POINT{100, 100});
             RunModal(dlg, showMark);
         }},
    };
    for (const auto& [name, openOnce] : windows) {
        SCOPED_TRACE(name);
        openOnce();
        Pump();
        const GuiObjectCounts before = CountGuiObjects();
        for (int i = 0; i < 50; ++i) openOnce();
        Pump();
        const GuiObjectCounts after = CountGuiObjects();
        EXPECT_EQ(before.gdi, after.gdi);
        EXPECT_EQ(before.user, after.user);
    }
}
