// The macro editor and the new-macro dialog in this process, with the build's
// skins and KBHook.dll, driven by the messages the hook and the buttons send.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <map>
#include <set>
#include <string>

#include "GuiResources.h"
#include "Harness.h"
#include "Later.h"
#include "TempDir.h"
#include "app/AppContext.h"
#include "dialogs/DlgNewMacro.h"
#include "app/UiTexts.h"
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

// The message box the editor shows next: `answer` (IDYES, IDNO, IDCANCEL) is
// pressed once it is up, and its text kept in *text.
class AnswerBox {
public:
    AnswerBox(HWND owner, int answer, std::wstring* text = nullptr)
        : m_later(150, [=] {
              struct Find {
                  HWND owner, box;
              } find{owner, nullptr};
              EnumThreadWindows(
                  GetCurrentThreadId(),
                  [](HWND w, LPARAM lp) {
                      auto* f = reinterpret_cast<Find*>(lp);
                      wchar_t cls[16] = L"";
                      GetClassNameW(w, cls, 16);
                      if (std::wstring(cls) != L"#32770" || GetWindow(w, GW_OWNER) != f->owner) return TRUE;
                      f->box = w;
                      return FALSE;
                  },
                  reinterpret_cast<LPARAM>(&find));
              ASSERT_TRUE(find.box) << "no question was asked";
              if (text) {
                  wchar_t buffer[512] = L"";
                  GetDlgItemTextW(find.box, 0xFFFF, buffer, 512);
                  *text = buffer;
              }
              PostMessageW(find.box, WM_COMMAND, answer, 0);
          }) {}

private:
    Later m_later;
};

// A macro file of `steps` presses and releases of A, 50 ms apart each.
MacroRecording StepsOfA(int steps) {
    MacroRecording m;
    for (int i = 0; i < steps; ++i) {
        m.Events[static_cast<size_t>(m.Count++)] = KeyEvent(0x14, i % 2 == 0);
        m.Events[static_cast<size_t>(m.Count++)] = DelayEvent(static_cast<std::uint8_t>(i));
    }
    return m;
}

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
        RECT steps{}, delays{};
        dlg.m_EventList.GetWindowRect(&steps);
        dlg.m_DelayList.GetWindowRect(&delays);
        EXPECT_EQ(delays.left, steps.right) << "side by side";
        EXPECT_EQ(delays.right - steps.left, 182) << "the skin's frame, filled";
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
             EXPECT_EQ(dlg.m_DelayList.Lines(), 1);
             Click(dlg, dlg.Button(9));
             EXPECT_FALSE(dlg.IsRecording());
             EXPECT_FALSE(dlg.Button(8).IsLatched());
             EXPECT_FALSE(dlg.Button(9).IsWindowEnabled());
             EXPECT_EQ(dlg.m_DelayList.Lines(), 2) << "the closing delay";
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
             EXPECT_EQ(dlg.m_EventList.Lines(), MACRO_EVENT_MAX / 2);
             EXPECT_EQ(dlg.m_DelayList.Lines(), MACRO_EVENT_MAX / 2 - 1);
         }});
}

TEST_F(MacroEditorWindow, AFullRecordingSurvivesTheKeysTypedOn) {
    ASSERT_TRUE(SaveMacroFile(MacroFilePathOf(MacroFolderOf(data.path()), L"big"), MacroRecording{}));
    bool reached = false;
    Run({Pick(L"big"),
         [](CDlgMacroSetting& dlg) {
             ::SetFocus(dlg.Button(8).m_hWnd);
             Click(dlg, dlg.Button(8));
             for (int i = 0; i < MACRO_EVENT_MAX; ++i) Report(dlg, 'A', i % 2 == 1);
             ASSERT_FALSE(dlg.IsRecording());
             EXPECT_NE(::GetFocus(), dlg.Button(8).m_hWnd) << "a Space would press Record";
             EXPECT_FALSE(dlg.Button(15).IsWindowEnabled());
         },
         [&](CDlgMacroSetting& dlg) {
             // Record over a macro with steps asks; No keeps every step.
             std::wstring asked;
             AnswerBox no(dlg.m_hWnd, IDNO, &asked);
             Click(dlg, dlg.Button(8));
             EXPECT_EQ(asked, app.Text(kMacroRecordOver));
             EXPECT_FALSE(dlg.IsRecording());
             EXPECT_EQ(dlg.Macro().Count, MACRO_EVENT_MAX - 1);
             EXPECT_EQ(dlg.m_EventList.Lines(), MACRO_EVENT_MAX / 2);
         },
         [&](CDlgMacroSetting& dlg) {
             AnswerBox yes(dlg.m_hWnd, IDYES);
             Click(dlg, dlg.Button(8));
             EXPECT_TRUE(dlg.IsRecording());
             EXPECT_EQ(dlg.Macro().Count, 0);
             reached = true;
         }});
    EXPECT_TRUE(reached);
}

TEST_F(MacroEditorWindow, SystemKeysWhileRecordingAreNotActedOn) {
    ASSERT_TRUE(SaveMacroFile(MacroFilePathOf(MacroFolderOf(data.path()), L"x"), MacroRecording{}));
    bool reached = false;
    Run({Pick(L"x"),
         [](CDlgMacroSetting& dlg) {
             Click(dlg, dlg.Button(8));
             // Alt+F4 as the keyboard delivers it to the focused button.
             constexpr LPARAM kAltDown = LPARAM{1} << 29;
             dlg.Button(8).PostMessage(WM_SYSKEYDOWN, VK_MENU, kAltDown);
             dlg.Button(8).PostMessage(WM_SYSKEYDOWN, VK_F4, kAltDown);
             dlg.Button(8).PostMessage(WM_SYSKEYUP, VK_F4, kAltDown);
         },
         [&](CDlgMacroSetting& dlg) {
             EXPECT_TRUE(dlg.IsRecording()) << "the editor is still open and recording";
             reached = true;
             dlg.SendMessage(WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), reinterpret_cast<LPARAM>(dlg.Button(9).m_hWnd));
         }});
    EXPECT_TRUE(reached) << "Alt+F4 closed the editor";
}

// While recording, every key is the macro's: with the focus on Record, neither
// Enter nor Space presses it again (which would start over) and Tab does not
// move the focus. Escape twice in a row leaves the recording as Stop does.
TEST_F(MacroEditorWindow, KeysWhileRecordingOnlyRecordAndEscapeTwiceLeaves) {
    ASSERT_TRUE(SaveMacroFile(MacroFilePathOf(MacroFolderOf(data.path()), L"x"), MacroRecording{}));
    bool reached = false;
    Run({Pick(L"x"),
         [](CDlgMacroSetting& dlg) {
             ::SetFocus(dlg.Button(8).m_hWnd);
             Click(dlg, dlg.Button(8));
             ASSERT_TRUE(dlg.IsRecording());
             Report(dlg, 'A', false);
             Report(dlg, 'A', true);
             for (WPARAM vk : {VK_RETURN, VK_SPACE, VK_TAB, VK_ESCAPE}) {
                 dlg.Button(8).PostMessage(WM_KEYDOWN, vk, 1);
                 dlg.Button(8).PostMessage(WM_KEYUP, vk, static_cast<LPARAM>(0xC0000001));
             }
         },
         [&](CDlgMacroSetting& dlg) {
             EXPECT_TRUE(dlg.IsRecording());
             EXPECT_EQ(dlg.Macro().Count, 3) << "the steps recorded so far are kept";
             EXPECT_EQ(::GetFocus(), dlg.Button(8).m_hWnd);
             EXPECT_EQ(Report(dlg, VK_ESCAPE, false), 1);
             EXPECT_EQ(Report(dlg, VK_ESCAPE, true), 1);
             EXPECT_EQ(Report(dlg, VK_ESCAPE, false), 0);
             EXPECT_FALSE(dlg.IsRecording());
             EXPECT_FALSE(dlg.Button(8).IsLatched());
             EXPECT_FALSE(dlg.Button(9).IsWindowEnabled());
             EXPECT_EQ(dlg.Macro().Count, 4) << "A and its closing delay, no Escape";
             EXPECT_EQ(dlg.m_EventList.Lines(), 2);
             EXPECT_EQ(dlg.m_DelayList.Lines(), 2);
             reached = true;
         }});
    EXPECT_TRUE(reached);
}

TEST_F(MacroEditorWindow, ClosingWithUnsavedStepsAsks) {
    const std::wstring path = MacroFilePathOf(MacroFolderOf(data.path()), L"x");
    auto recordA = [](CDlgMacroSetting& dlg) {
        Click(dlg, dlg.Button(8));
        Report(dlg, 'A', false);
        Report(dlg, 'A', true);
        Click(dlg, dlg.Button(9));
    };
    struct Case {
        const char* how;
        std::function<void(CDlgMacroSetting&)> close;
        int answer;
        bool staysOpen;
        int savedCount;
    } const cases[] = {
        {"Cancel, then Cancel in the question", [](CDlgMacroSetting& d) { Click(d, d.Button(2)); }, IDCANCEL, true, 0},
        {"Cancel, then No", [](CDlgMacroSetting& d) { Click(d, d.Button(2)); }, IDNO, false, 0},
        {"Alt+F4 (WM_CLOSE), then Yes", [](CDlgMacroSetting& d) { d.SendMessage(WM_CLOSE); }, IDYES, false, 4},
        {"the system menu's Close, then No", [](CDlgMacroSetting& d) { d.SendMessage(WM_SYSCOMMAND, SC_CLOSE); }, IDNO,
         false, 0},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(SaveMacroFile(path, MacroRecording{}));
        bool open = false;
        Run({Pick(L"x"), recordA,
             [&](CDlgMacroSetting& dlg) {
                 std::wstring asked;
                 {
                     AnswerBox answer(dlg.m_hWnd, c.answer, &asked);
                     c.close(dlg);
                 }
                 EXPECT_EQ(asked, app.Text(kMacroCloseUnsaved)) << c.how;
             },
             [&](CDlgMacroSetting&) { open = true; }});
        EXPECT_EQ(open, c.staysOpen) << c.how;
        MacroRecording saved;
        LoadMacroFile(path, saved);
        EXPECT_EQ(saved.Count, c.savedCount) << c.how;
    }
    // Saved steps close without a question.
    Run({Pick(L"x"), [](CDlgMacroSetting& dlg) {
             EXPECT_FALSE(dlg.HasUnsavedChanges());
             Click(dlg, dlg.Button(2));
         }});
}

TEST_F(MacroEditorWindow, DeletingAMacroAsksFirst) {
    const std::wstring path = MacroFilePathOf(MacroFolderOf(data.path()), L"x");
    ASSERT_TRUE(SaveMacroFile(path, StepsOfA(2)));
    Run({Pick(L"x"),
         [&](CDlgMacroSetting& dlg) {
             std::wstring asked;
             AnswerBox no(dlg.m_hWnd, IDNO, &asked);
             Click(dlg, dlg.Button(7));
             EXPECT_EQ(asked, app.Text(kMacroDeleteAsk));
             EXPECT_NE(GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES) << "No keeps the file";
             EXPECT_EQ(dlg.CurrentName(), L"x");
             EXPECT_EQ(dlg.m_EventList.GetCount(), 2);
         },
         [&](CDlgMacroSetting& dlg) {
             AnswerBox yes(dlg.m_hWnd, IDYES);
             Click(dlg, dlg.Button(7));
             EXPECT_EQ(GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES);
             EXPECT_EQ(dlg.CurrentName(), L"");
         }});
}

TEST_F(MacroEditorWindow, TheTwoListsKeepOneScrollPosition) {
    ASSERT_TRUE(SaveMacroFile(MacroFilePathOf(MacroFolderOf(data.path()), L"x"), StepsOfA(36)));
    auto inLine = [](CDlgMacroSetting& dlg, const char* after) {
        EXPECT_EQ(dlg.m_DelayList.GetTopIndex(), dlg.m_EventList.GetTopIndex()) << after;
        EXPECT_EQ(dlg.m_DelayList.GetCount(), dlg.m_EventList.GetCount()) << after;
    };
    // A key that moves the selection scrolls its list to it.
    auto shown = [](CMacroListBox& list, const char* after) {
        const int selected = list.GetCurSel(), top = list.GetTopIndex();
        EXPECT_TRUE(selected >= top && selected < top + MACRO_LIST_VISIBLE_LINES)
            << after << ": the selected row " << selected << " is shown (first row " << top << ")";
    };
    Run({Pick(L"x"), [&](CDlgMacroSetting& dlg) {
             // The first step selected, End, then Up: the step list scrolls, the delays with it.
             dlg.m_EventList.SetCurSel(0);
             dlg.m_EventList.SendMessage(WM_KEYDOWN, VK_END, 0);
             inLine(dlg, "End");
             shown(dlg.m_EventList, "End");
             for (int i = 0; i < 15; ++i) dlg.m_EventList.SendMessage(WM_KEYDOWN, VK_UP, 0);
             inLine(dlg, "Up");
             shown(dlg.m_EventList, "Up");
             const int step = dlg.m_EventList.GetCurSel();
             EXPECT_EQ(dlg.m_DelayList.GetText(step), std::to_wstring(step * 50) + L" ms")
                 << "the delay in the row of the selected step is its own";
             dlg.m_DelayList.SendMessage(WM_VSCROLL, MAKEWPARAM(SB_PAGEDOWN, 0), 0);
             inLine(dlg, "the scroll bar");
             dlg.m_DelayList.SendMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 3), 0);
             inLine(dlg, "the thumb");
             dlg.m_EventList.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
             inLine(dlg, "the wheel over the steps");
             dlg.m_DelayList.SendMessage(WM_KEYDOWN, VK_HOME, 0);
             inLine(dlg, "Home in the delays");
             shown(dlg.m_DelayList, "Home in the delays");

             // While recording the last step has no delay yet: the rows still pair.
             {
                 AnswerBox yes(dlg.m_hWnd, IDYES);
                 Click(dlg, dlg.Button(8));
             }
             for (int i = 0; i < 40; ++i) Report(dlg, (i / 2) % 2 ? 'C' : 'B', i % 2 == 1);
             inLine(dlg, "recording");
             EXPECT_EQ(dlg.m_EventList.GetTopIndex(), 40 - MACRO_LIST_VISIBLE_LINES);
             EXPECT_EQ(dlg.m_DelayList.GetText(39), L"") << "no delay after the last step yet";
             Click(dlg, dlg.Button(9));
             inLine(dlg, "stop");
             EXPECT_EQ(dlg.m_DelayList.GetText(39), L"0 ms") << "the closing delay";
         }});
}

TEST_F(MacroEditorWindow, InsertSelectsTheCommandAndDoneLeavesNoIdleButtons) {
    ASSERT_TRUE(SaveMacroFile(MacroFilePathOf(MacroFolderOf(data.path()), L"x"), StepsOfA(4)));
    Run({Pick(L"x"), [](CDlgMacroSetting& dlg) {
             {
                 AnswerBox yes(dlg.m_hWnd, IDYES);  // REC over steps asks
                 Click(dlg, dlg.Button(8));
             }
             Report(dlg, 'A', false);
             Click(dlg, dlg.Button(14));  // DONE
             EXPECT_FALSE(dlg.IsRecording());
             for (int b : {9, 15, 21}) EXPECT_FALSE(dlg.Button(b).IsWindowEnabled()) << b << " does nothing after DONE";
         }});
    Run({Pick(L"x"), [](CDlgMacroSetting& dlg) {
             dlg.m_EventList.SetCurSel(2);
             dlg.SendMessage(WM_COMMAND, MAKEWPARAM(1006, LBN_SELCHANGE),
                             reinterpret_cast<LPARAM>(dlg.m_EventList.m_hWnd));
             dlg.ChooseCommand(2);
             Click(dlg, dlg.Button(15));
             EXPECT_EQ(dlg.m_EventList.GetCurSel(), 2) << "the inserted command is selected";
             EXPECT_EQ(dlg.m_EventList.GetText(2), L"Copy");
             EXPECT_EQ(dlg.Macro().Count, 10);
             for (int b : {10, 11, 12, 15}) EXPECT_TRUE(dlg.Button(b).IsWindowEnabled()) << b;
         }});
}

TEST_F(MacroEditorWindow, NamesAtTheLimitSaveInAShortAndALongFolder) {
    // Names the check accepts are saved (through the temporary file beside the
    // macro's file); the next longer name is refused before anything is written.
    std::wstring longFolder = data.path();
    while (longFolder.size() < 170) {
        longFolder += std::wstring(40, L'p') + L"\\";
        ASSERT_TRUE(CreateDirectoryW(longFolder.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
    }
    for (const std::wstring& folder : {MacroFolderOf(data.path()), MacroFolderOf(longFolder)}) {
        ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
        const size_t limit = MaxMacroNameLength(folder);
        ASSERT_GT(limit, 0u) << folder.size();
        std::vector<std::wstring> names;
        MacroRecording macro = StepsOfA(2);
        const std::wstring atLimit(limit, L'n');
        const MacroFileResult created = CreateMacro(folder, atLimit, macro, names);
        ASSERT_TRUE(created.ok()) << folder.size() << ": " << static_cast<int>(created.nameCheck.fault);
        macro = StepsOfA(2);
        EXPECT_TRUE(SaveMacroByName(folder, atLimit, macro, names).ok()) << folder.size();
        MacroRecording back;
        LoadMacroFile(MacroFilePathOf(folder, atLimit), back);
        EXPECT_EQ(back.Count, 4) << folder.size();

        const MacroFileResult refused = CreateMacro(folder, atLimit + L"n", macro, names);
        EXPECT_EQ(refused.code, MacroFileResult::InvalidName);
        EXPECT_EQ(refused.nameCheck.fault, MacroNameFault::TooLong);
        EXPECT_EQ(refused.nameCheck.maxLength, limit);
    }
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

// The width `text` takes in the font `window` draws with.
int TextWidthIn(CWnd& window, const std::wstring& text) {
    HDC dc = GetDC(window.m_hWnd);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(window.SendMessage(WM_GETFONT)));
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(window.m_hWnd, dc);
    return size.cx;
}

int TextHeightIn(CWnd& window) {
    HDC dc = GetDC(window.m_hWnd);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(window.SendMessage(WM_GETFONT)));
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(window.m_hWnd, dc);
    return tm.tmHeight;
}

int ClientWidth(CWnd& window) {
    RECT rc{};
    GetClientRect(window.m_hWnd, &rc);
    return rc.right;
}

// The colours a window's client area shows when it paints itself into a bitmap.
std::set<COLORREF> PaintedColours(CWnd& window) {
    RECT rc{};
    GetClientRect(window.m_hWnd, &rc);
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, rc.right, rc.bottom);
    HGDIOBJ old = SelectObject(dc, bitmap);
    window.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
    std::set<COLORREF> colours;
    for (int y = 0; y < rc.bottom; ++y)
        for (int x = 0; x < rc.right; ++x) colours.insert(GetPixel(dc, x, y));
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return colours;
}

TEST_F(MacroEditorWindow, ListsShowWholeRowsNamesAndDelays) {
    Run({[](CDlgMacroSetting& dlg) {
        for (CMacroListBox* list : {&dlg.m_EventList, &dlg.m_DelayList}) {
            RECT client{}, window{};
            list->GetClientRect(&client);
            list->GetWindowRect(&window);
            const int row = static_cast<int>(list->SendMessage(LB_GETITEMHEIGHT, 0, 0));
            EXPECT_EQ(client.bottom, MACRO_LIST_VISIBLE_LINES * row) << "whole rows, none cut; rows of " << row;
            EXPECT_LE(window.bottom - window.top - client.bottom, 2) << "a one-pixel frame";
            EXPECT_GE(row, TextHeightIn(*list)) << "a row holds its text";
        }
        // The longest step names of the keys a user types, and the longest delay.
        for (const wchar_t* name :
             {L"L Shift Press", L"Num Lock Press", L"Space Bar Release", L"Caps Lock Release", L"Scroll Lock Release",
              L"Pause/Break Release", L"Backspace Release", L"Print Screen Release", L"Pagedown Release"})
            EXPECT_LE(TextWidthIn(dlg.m_EventList, name) + 4, ClientWidth(dlg.m_EventList)) << name;
        EXPECT_LE(TextWidthIn(dlg.m_DelayList, L"12750 ms") + 4, ClientWidth(dlg.m_DelayList));
        const LRESULT m = dlg.m_DelayValue.SendMessage(EM_GETMARGINS);
        EXPECT_LE(TextWidthIn(dlg.m_DelayValue, L"12750") + LOWORD(m) + HIWORD(m), ClientWidth(dlg.m_DelayValue));
    }});
}

TEST_F(MacroEditorWindow, AnEmptyFocusedListShowsNoFocusFrame) {
    Run({[](CDlgMacroSetting& dlg) {
        for (CMacroListBox* list : {&dlg.m_EventList, &dlg.m_DelayList}) {
            SetFocus(list->m_hWnd);
            const std::set<COLORREF> colours = PaintedColours(*list);
            EXPECT_EQ(colours.size(), 1u) << "one background, no dotted frame; " << std::hex << *colours.rbegin();
        }
    }});
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
