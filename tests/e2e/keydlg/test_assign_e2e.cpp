// The whole assignment flow with the real tool and devicesim, driven by the
// real mouse and keyboard: applications, single keys and macros on T-keys and
// standard keys, the macro budget, the eight-key limit, instant shift, and the
// pop-up menus closed by a click outside them. Results are read from the files
// the tool writes on Apply and from devicesim's log.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "ToolRun.h"
#include "config/ConfigStore.h"
#include "macro/KeyTables.h"
#include "macro/MacroFiles.h"
#include "platform/TextCodec.h"
#include "platform/Win32Handle.h"
#include "resource.h"
#include "service/ServiceCodes.h"

using namespace zavo;
using namespace zavo::e2e;

namespace {

constexpr int KEY_Q = 46;  // standard keys of the skin's keyboard (STANDER-KEYS k + 20)
constexpr int KEY_W = 47;
constexpr std::uint8_t RIGHT_CTRL = 0x8E;
const wchar_t kTool[] = L"C:\\Games\\Tool.v2.exe";

// What the tool wrote, read back without changing anything.
std::unique_ptr<KeyboardConfig> Written(ToolRun& run) {
    auto config = std::make_unique<KeyboardConfig>();
    std::wstring error;
    EXPECT_TRUE(ReadDataFolder(run.Data(), *config, error)) << text::ToUtf8(error);
    return config;
}

// How many times the service has been asked to select a profile so far.
size_t Selections(ToolRun& run) {
    size_t n = 0;
    const SimLogPredicate selected = ReceivedCommand(svc::SVC_SELECT_PROFILE);
    for (const SimLogLine& l : run.Sim()->Log()) n += selected(l) ? 1 : 0;
    return n;
}

// Apply, and wait until the service has been asked to select the profile once
// more (the end of the apply cycle).
void Apply(ToolRun& run) {
    const size_t before = Selections(run);
    ASSERT_TRUE(run.ClickCommand(cmd::APPLY));
    ASSERT_TRUE(WaitUntil([&] { return Selections(run) > before; }, Ms(10000)));
    ASSERT_TRUE(WaitForWindowGone(svc::LOADING_WINDOW_TITLE, Ms(5000), run.Proc().Pid()));
}

// A macro file of `events` events (key presses and releases) in the tool's
// macro folder.
void WriteMacro(ToolRun& run, const std::wstring& name, int events) {
    const std::wstring folder = MacroFolderOf(run.Data());
    CreateDirectoryW(run.Data().c_str(), nullptr);
    CreateDirectoryW(folder.c_str(), nullptr);
    MacroRecording macro;
    macro.Count = events;
    for (int e = 0; e < events; ++e)
        macro.Events[static_cast<size_t>(e)] = MacroEvent{0x14, static_cast<std::uint8_t>(e & 1)};
    ASSERT_TRUE(SaveMacroFile(MacroFilePathOf(folder, name), macro));
}

void MakeTool() {
    CreateDirectoryW(L"C:\\Games", nullptr);
    const HANDLE f = CreateFileW(kTool, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(f, INVALID_HANDLE_VALUE);
    CloseHandle(f);
}

// The text of a control of the tool (GetWindowText does not ask another
// process's controls).
std::wstring ControlText(HWND control) {
    wchar_t text[128] = {};
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(control, WM_GETTEXT, 128, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 3000, &ignored);
    return text;
}

std::unique_ptr<KeyboardConfig> ModeConfig(int mode) {
    auto config = PresentConfig();
    config->Mode = mode;
    return config;
}

// The dialog the last command opened, and clicks on its skin buttons.
class Dialog {
public:
    Dialog(ToolRun& run, std::wstring skin) : m_run(run), m_skin(std::move(skin)), m_hwnd(run.WaitOtherWindow()) {}
    explicit operator bool() const { return m_hwnd != nullptr; }
    HWND Get() const { return m_hwnd; }
    bool Click(const wchar_t* key) const { return ClickAt(m_hwnd, Center(key)); }
    POINT Center(const wchar_t* key) const { return CenterOf(SkinFileEntry(m_skin, L"BUTTONINFO", key).rect); }
    // Line `line` of the list menu dropped below button `key`.
    bool PickMenuLine(const wchar_t* key, int line) const {
        const SkinRect r = SkinFileEntry(m_skin, L"BUTTONINFO", key).rect;
        return ClickAt(m_hwnd, POINT{r.left + 20, r.bottom + 1 + 15 * line + 7});
    }
    bool Closed() const {
        return WaitUntil([&] { return !IsWindow(m_hwnd) || !IsWindowVisible(m_hwnd); }, Ms(5000));
    }

private:
    ToolRun& m_run;
    std::wstring m_skin;
    HWND m_hwnd;
};

// Picks macro `line` of the name menu in the open T-key dialog, a repeat option
// ("2" once, "4" while held, "5" toggle, "3" a number of times with `times`)
// and presses OK.
void ChooseMacro(ToolRun& run, int line, const wchar_t* option, int times = 0) {
    Dialog tkey(run, L"TKeys.ini");
    ASSERT_TRUE(tkey);
    ASSERT_TRUE(tkey.Click(L"1"));
    ASSERT_TRUE(run.WaitUntitledDialog(tkey.Get()));
    ASSERT_TRUE(tkey.PickMenuLine(L"1", line));
    ASSERT_TRUE(tkey.Click(option));
    if (times > 0) {
        HWND repeat = nullptr;
        ASSERT_TRUE(WaitUntil([&] { return (repeat = run.OtherWindow()) != tkey.Get() && repeat; }, Ms(5000)));
        HWND box = GetDlgItem(repeat, IDC_REPEAT_COUNT);
        ASSERT_TRUE(box);
        SetWindowTextW(box, std::to_wstring(times).c_str());
        ASSERT_TRUE(ClickAt(repeat, CenterOf(SkinFileEntry(L"RepeatCount.ini", L"BUTTONINFO", L"1").rect)));
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(repeat); }, Ms(5000)));
    }
    ASSERT_TRUE(tkey.Click(L"6"));
    ASSERT_TRUE(tkey.Closed());
}

// In the open file dialog: type the path and accept, or cancel with Esc.
void AnswerFileDialog(ToolRun& run, const wchar_t* path) {
    HWND dialog = run.WaitOtherWindow();
    ASSERT_TRUE(dialog);
    SetForegroundWindow(dialog);
    Sleep(300);
    if (path) {
        ASSERT_TRUE(RunXdotool({L"type", L"--delay", L"20", path}));
        ASSERT_TRUE(RunXdotool({L"key", L"Return"}));
    } else {
        ASSERT_TRUE(RunXdotool({L"key", L"Escape"}));
    }
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, Ms(5000)));
}

void SingleKey(ToolRun& run, const wchar_t* xdoKey) {
    ASSERT_TRUE(run.ClickCommand(cmd::ASSIGN_KEY));
    Dialog dialog(run, L"SingleKey.ini");
    ASSERT_TRUE(dialog);
    ASSERT_TRUE(RunXdotool({L"key", xdoKey}));
    Sleep(300);
    ASSERT_TRUE(dialog.Click(L"1"));
    ASSERT_TRUE(dialog.Closed());
}

}  // namespace

TEST(Assignment, ApplicationOnAStandardKeyReachesTheServiceAndCancelUnlinksNothing) {
    MakeTool();
    ToolRun run;
    WriteSettings(run.Data(), *ModeConfig(1));
    ASSERT_TRUE(run.Start());
    const ScopedModule exe(LoadLibraryExW(BinPath(L"ZAVOConfig.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));

    ASSERT_TRUE(ClickAt(run.Main(), StandardKeyPoint(KEY_Q)));
    ASSERT_TRUE(run.ClickCommand(cmd::ASSIGN_APP));
    Shot(L"file-dialog-application");
    AnswerFileDialog(run, kTool);
    EXPECT_TRUE(WaitUntil([&] { return run.StatusText() == L"Tool.v2"; }, Ms(3000))) << text::ToUtf8(run.StatusText());
    EXPECT_TRUE(WaitUntil([&] { return IndicatorShows(run.Main(), exe.Get(), IDB_INDICATOR_LAUNCH); }, Ms(2000)));
    Apply(run);
    const auto lines = run.Sim()->Log();
    std::vector<long long> codes;
    for (const SimLogLine& l : lines)
        if (l.event == "recv" && l.Int("msg") == svc::WM_SERVICE_COMMAND) codes.push_back(l.Int("code"));
    ASSERT_GE(codes.size(), 3u);
    EXPECT_EQ(std::vector<long long>(codes.end() - 3, codes.end()), (std::vector<long long>{0, 1, 3}));
    auto written = Written(run);
    const ProfileConfig& p = written->Profile[0];
    EXPECT_EQ(p.SwapKey[KEY_Q].AppPath, kTool);
    EXPECT_EQ(p.SwapKey[KEY_Q].IsChanged, 1);
    EXPECT_EQ(p.Button[FIRST_LENT_SLOT].FunID, FUNID_APP);
    EXPECT_EQ(p.Button[FIRST_LENT_SLOT].Mappinkey, KEY_Q);

    // Cancelling the file dialog for the same key keeps its application.
    ASSERT_TRUE(ClickAt(run.Main(), StandardKeyPoint(KEY_Q)));
    ASSERT_TRUE(run.ClickCommand(cmd::ASSIGN_APP));
    AnswerFileDialog(run, nullptr);
    // And so does opening the macro dialog and cancelling it.
    ASSERT_TRUE(run.ClickCommand(cmd::ASSIGN_MACRO));
    Dialog tkey(run, L"TKeys.ini");
    ASSERT_TRUE(tkey.Click(L"7"));
    ASSERT_TRUE(tkey.Closed());
    Apply(run);
    written = Written(run);
    EXPECT_EQ(written->Profile[0].Button[FIRST_LENT_SLOT].Mappinkey, KEY_Q);
    EXPECT_EQ(written->Profile[0].Button[FIRST_LENT_SLOT].AppPath, kTool);
}

TEST(Assignment, SingleKeyOnAStandardKeyAndOnATKeyTakesRightCtrl) {
    ToolRun run;
    WriteSettings(run.Data(), *ModeConfig(1));
    ASSERT_TRUE(run.Start());
    ASSERT_TRUE(ClickAt(run.Main(), StandardKeyPoint(KEY_W)));
    ASSERT_TRUE(run.ClickCommand(cmd::ASSIGN_KEY));
    {
        Dialog dialog(run, L"SingleKey.ini");
        ASSERT_TRUE(dialog);
        // Enter and Esc are captured as keys: the window stays open.
        ASSERT_TRUE(RunXdotool({L"key", L"Return"}));
        ASSERT_TRUE(RunXdotool({L"key", L"Escape"}));
        Sleep(300);
        EXPECT_TRUE(IsWindowVisible(dialog.Get()));
        ASSERT_TRUE(RunXdotool({L"key", L"Control_R"}));
        Sleep(300);
        EXPECT_EQ(ControlText(GetDlgItem(dialog.Get(), IDC_DST_KEY)), L"R Ctrl");
        Shot(L"single-key", dialog.Get());
        ASSERT_TRUE(dialog.Click(L"1"));
        ASSERT_TRUE(dialog.Closed());
    }
    ASSERT_TRUE(run.ClickTKey(2));
    ASSERT_TRUE(run.ClickCommand(cmd::ASSIGN_KEY));
    {
        // A T-key's Key box names the T-key.
        Dialog dialog(run, L"SingleKey.ini");
        ASSERT_TRUE(dialog);
        EXPECT_EQ(ControlText(GetDlgItem(dialog.Get(), IDC_SRC_KEY)), L"T3");
        ASSERT_TRUE(RunXdotool({L"key", L"Control_R"}));
        Sleep(300);
        ASSERT_TRUE(dialog.Click(L"1"));
        ASSERT_TRUE(dialog.Closed());
    }
    Apply(run);
    const auto written = Written(run);
    const ProfileConfig& p = written->Profile[0];
    EXPECT_EQ(p.SwapKey[KEY_W].AssKey, RIGHT_CTRL);
    EXPECT_EQ(p.SwapKey[KEY_W].FunID, FUNID_SINGLEKEY);
    EXPECT_EQ(p.SwapKey[KEY_W].IsChanged, 1);
    EXPECT_EQ(p.Button[2].FunID, FUNID_SINGLEKEY);
    EXPECT_EQ(p.Button[2].SingleKey, RIGHT_CTRL);
}

TEST(Assignment, MacroWithARepeatCountOnATKeyAndOnAStandardKey) {
    ToolRun run;
    WriteMacro(run, L"Combo", 12);
    WriteSettings(run.Data(), *ModeConfig(1));
    ASSERT_TRUE(run.Start());
    ASSERT_TRUE(run.ClickTKey(0));
    ASSERT_TRUE(run.ClickCommand(cmd::ASSIGN_MACRO));
    {
        Dialog tkey(run, L"TKeys.ini");
        ASSERT_TRUE(tkey.Click(L"1"));
        HWND menu = run.WaitUntitledDialog(tkey.Get());
        ASSERT_TRUE(menu);
        Shot(L"tkey-macro-menu");
        // Escape closes the menu without a pick; the next click opens it anew.
        ASSERT_TRUE(RunXdotool({L"key", L"Escape"}));
        EXPECT_TRUE(WaitUntil([&] { return !IsWindow(menu); }, Ms(3000)));
        EXPECT_TRUE(IsWindowVisible(tkey.Get()));
        ASSERT_TRUE(tkey.Click(L"1"));
        ASSERT_TRUE(run.WaitUntitledDialog(tkey.Get()));
        ASSERT_TRUE(tkey.PickMenuLine(L"1", 0));
        ASSERT_TRUE(tkey.Click(L"3"));
        HWND repeat = nullptr;
        ASSERT_TRUE(WaitUntil([&] { return (repeat = run.OtherWindow()) != tkey.Get() && repeat; }, Ms(5000)));
        Shot(L"repeat-count", repeat);
        SetWindowTextW(GetDlgItem(repeat, IDC_REPEAT_COUNT), L"5");
        ASSERT_TRUE(ClickAt(repeat, CenterOf(SkinFileEntry(L"RepeatCount.ini", L"BUTTONINFO", L"1").rect)));
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(repeat); }, Ms(5000)));
        Shot(L"tkey-dialog", tkey.Get());
        ASSERT_TRUE(tkey.Click(L"6"));
        ASSERT_TRUE(tkey.Closed());
    }
    ASSERT_TRUE(ClickAt(run.Main(), StandardKeyPoint(KEY_Q)));
    ASSERT_TRUE(run.ClickCommand(cmd::ASSIGN_MACRO));
    ChooseMacro(run, 0, L"3", 5);
    // The status line confirms the macro with its repeat count.
    EXPECT_TRUE(WaitUntil([&] { return run.StatusText() == L"Combo (repeats 5 times)"; }, Ms(2000)))
        << text::ToUtf8(run.StatusText());
    Apply(run);
    const auto written = Written(run);
    const ProfileConfig& p = written->Profile[0];
    for (int slot : {0, FIRST_LENT_SLOT}) {
        SCOPED_TRACE(slot);
        const ButtonConfig& b = p.Button[static_cast<size_t>(slot)];
        EXPECT_EQ(b.FunID, FUNID_MACRO);
        EXPECT_EQ(b.Macro.MacroName, L"Combo");
        EXPECT_EQ(b.Macro.MacroLength, 12);
        EXPECT_EQ(b.Macro.RepeatOption, 4);
        EXPECT_EQ(b.Macro.RepeatTimes, 5);
    }
    EXPECT_EQ(p.Button[FIRST_LENT_SLOT].Mappinkey, KEY_Q);
}

TEST(Assignment, TheMacroBudgetIsCountedFromWhatTheSlotsHold) {
    MakeTool();
    ToolRun run;
    WriteMacro(run, L"a-big", 3000);
    WriteMacro(run, L"b-rest", 2440);
    WriteMacro(run, L"c-one", 1);
    WriteSettings(run.Data(), *ModeConfig(0));
    ASSERT_TRUE(run.Start());
    // The menu lists the names as the folder gives them: look each one up.
    auto lineOf = [&](const std::wstring& name) {
        std::vector<std::wstring> names;
        RefillMacroNameList(MacroFolderOf(run.Data()), names);
        for (size_t i = 0; i < names.size(); ++i)
            if (names[i] == name) return static_cast<int>(i);
        return -1;
    };
    ASSERT_TRUE(run.ClickTKey(0));
    ASSERT_TRUE(run.ClickCommand(cmd::ASSIGN_MACRO));
    ChooseMacro(run, lineOf(L"a-big"), L"2");
    ASSERT_TRUE(run.ClickTKey(1));
    ASSERT_TRUE(run.ClickCommand(cmd::ASSIGN_MACRO));
    ChooseMacro(run, lineOf(L"b-rest"), L"2");
    // One more event does not fit: the message, and T3 stays empty.
    ASSERT_TRUE(run.ClickTKey(2));
    ASSERT_TRUE(run.ClickCommand(cmd::ASSIGN_MACRO));
    ChooseMacro(run, lineOf(L"c-one"), L"2");
    HWND box = run.WaitOtherWindow();
    ASSERT_TRUE(box);
    // It says how much room the profile has left.
    EXPECT_NE(ChildTexts(box).find(L"has 1 steps, but this profile has room for only 0 more (5440 in all)"),
              std::wstring::npos)
        << text::ToUtf8(ChildTexts(box));
    Shot(L"out-of-profile-memory");
    ASSERT_TRUE(run.Answer(box, true));
    Apply(run);
    EXPECT_EQ(Written(run)->Profile[0].Button[2].FunID, FUNID_NONE);
    // With the 3000 events replaced by an application the macro fits.
    ASSERT_TRUE(run.ClickTKey(0));
    ASSERT_TRUE(run.ClickCommand(cmd::ASSIGN_APP));
    AnswerFileDialog(run, kTool);
    ASSERT_TRUE(run.ClickTKey(2));
    ASSERT_TRUE(run.ClickCommand(cmd::ASSIGN_MACRO));
    ChooseMacro(run, lineOf(L"c-one"), L"2");
    EXPECT_EQ(run.OtherWindow(), nullptr);
    Apply(run);
    const auto written = Written(run);
    EXPECT_EQ(written->Profile[0].Button[0].FunID, FUNID_APP);
    EXPECT_EQ(written->Profile[0].Button[2].FunID, FUNID_MACRO);
    EXPECT_EQ(written->Profile[0].Button[2].Macro.MacroName, L"c-one");
}

TEST(Assignment, EightStandardKeysAtMostCarryAMacroOrAnApplication) {
    auto config = ModeConfig(1);
    ProfileConfig& p = config->Profile[0];
    for (int i = 0; i < 8; ++i) {
        ButtonConfig& slot = p.Button[static_cast<size_t>(FIRST_LENT_SLOT + i)];
        slot.FunID = FUNID_APP;
        slot.AppPath = L"C:\\Games\\App" + std::to_wstring(i) + L".exe";
        slot.Mappinkey = static_cast<std::uint8_t>(50 + i);
        p.SwapKey[static_cast<size_t>(50 + i)].IsChanged = 1;
        p.SwapKey[static_cast<size_t>(50 + i)].FunID = FUNID_APP;
        p.SwapKey[static_cast<size_t>(50 + i)].AppPath = slot.AppPath;
    }
    ToolRun run;
    WriteSettings(run.Data(), *config);
    ASSERT_TRUE(run.Start());
    auto enabled = [&](int key) { return IsWindowEnabled(run.ChildAt(CommandPoint(key))) != FALSE; };
    // A ninth key: neither macro nor application; a single key still works.
    ASSERT_TRUE(ClickAt(run.Main(), StandardKeyPoint(KEY_Q)));
    // Macro and application may be grey before the click lands: wait for the key button too.
    EXPECT_TRUE(WaitUntil(
        [&] { return !enabled(cmd::ASSIGN_MACRO) && !enabled(cmd::ASSIGN_APP) && enabled(cmd::ASSIGN_KEY); }, Ms(2000)));
    // The greyed buttons come with their reason, and the mouse passing over an
    // assigned key and off it again does not wipe it.
    auto saysWhy = [&] { return run.StatusText().find(L"8 keys already have a macro or app") != std::wstring::npos; };
    EXPECT_TRUE(WaitUntil(saysWhy, Ms(2000))) << text::ToUtf8(run.StatusText());
    ASSERT_TRUE(MoveMouseTo(run.Main(), StandardKeyPoint(50)));
    Sleep(400);
    ASSERT_TRUE(MoveMouseTo(run.Main(), CommandPoint(cmd::LIGHTING)));
    Sleep(400);
    EXPECT_TRUE(saysWhy()) << text::ToUtf8(run.StatusText());
    Shot(L"eight-key-limit");
    SingleKey(run, L"Control_R");
    // The remap of a standard key is confirmed with the key's name, as a T-key's is.
    EXPECT_TRUE(WaitUntil([&] { return run.StatusText() == L"R Ctrl"; }, Ms(2000))) << text::ToUtf8(run.StatusText());
    // Any of the eight can be cleared.
    ASSERT_TRUE(ClickAt(run.Main(), StandardKeyPoint(53)));
    EXPECT_TRUE(WaitUntil([&] { return enabled(cmd::ASSIGN_CLEAR) && enabled(cmd::ASSIGN_MACRO); }, Ms(2000)));
    ASSERT_TRUE(run.ClickCommand(cmd::ASSIGN_CLEAR));
    Apply(run);
    const auto written = Written(run);
    EXPECT_EQ(written->Profile[0].SwapKey[KEY_Q].AssKey, RIGHT_CTRL);
    EXPECT_EQ(written->Profile[0].SwapKey[53].IsChanged, 0);
    EXPECT_EQ(written->Profile[0].Button[FIRST_LENT_SLOT + 3].FunID, FUNID_NONE);
    EXPECT_EQ(written->Profile[0].Button[FIRST_LENT_SLOT + 3].Mappinkey, KEY_NONE);
}

// QUIT and Alt+F4 with an edit not applied ask: Cancel keeps the window and
// the edit, Yes applies the edit and closes.
TEST(Assignment, ClosingWithUnappliedChangesAsksFirst) {
    ToolRun run;
    WriteSettings(run.Data(), *ModeConfig(1));
    ASSERT_TRUE(run.Start());
    ASSERT_TRUE(run.ClickTKey(2));
    SingleKey(run, L"Control_R");
    // The corner button asks too; Cancel keeps the window and the edit.
    ASSERT_TRUE(run.ClickCommand(cmd::EXIT));
    HWND box = run.WaitOtherWindow();
    ASSERT_TRUE(box);
    ASSERT_TRUE(run.Answer(box, false));  // Cancel
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }, Ms(5000)));
    EXPECT_TRUE(run.Proc().Running());

    ASSERT_TRUE(run.ClickCommand(cmd::QUIT));
    box = run.WaitOtherWindow();
    ASSERT_TRUE(box);
    EXPECT_NE(ChildTexts(box).find(L"not applied"), std::wstring::npos) << text::ToUtf8(ChildTexts(box));
    Shot(L"close-unapplied");
    ASSERT_TRUE(run.Answer(box, false));  // Cancel
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }, Ms(5000)));
    EXPECT_TRUE(run.Proc().Running());
    EXPECT_NE(Written(run)->Profile[0].Button[2].FunID, FUNID_SINGLEKEY);  // nothing saved yet

    PostMessageW(run.Main(), WM_SYSCOMMAND, SC_CLOSE, 0);
    box = run.WaitOtherWindow();
    ASSERT_TRUE(box);
    // Yes: apply and close.
    ASSERT_TRUE(PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDYES, BN_CLICKED), 0));
    const auto code = run.WaitExit();
    ASSERT_TRUE(code);
    EXPECT_EQ(*code, 0u);
    EXPECT_EQ(Written(run)->Profile[0].Button[2].SingleKey, RIGHT_CTRL);
}

TEST(Assignment, InstantShiftOkStoresTheChoiceAndCancelChangesNothing) {
    ToolRun run;
    WriteSettings(run.Data(), *ModeConfig(0));
    ASSERT_TRUE(run.Start());
    for (bool ok : {false, true}) {
        SCOPED_TRACE(ok ? "OK" : "Cancel");
        ASSERT_TRUE(run.ClickCommand(cmd::INSTANT_SHIFT));
        Dialog shift(run, L"INSTANTSHIFTSYS.ini");
        ASSERT_TRUE(shift);
        ASSERT_TRUE(shift.Click(L"1"));
        HWND menu = run.WaitUntitledDialog(shift.Get());
        ASSERT_TRUE(menu);
        RECT rc{};
        GetWindowRect(menu, &rc);
        EXPECT_EQ(rc.bottom - rc.top, 4 * 16 + 2);  // four profiles, 16 pixels each
        if (ok) Shot(L"profile-menu");
        ASSERT_TRUE(shift.PickMenuLine(L"1", 1));  // "Profile III"
        ASSERT_TRUE(shift.Click(L"3"));            // Ctrl
        if (ok) {
            MoveMouseTo(shift.Get(), POINT{6, 120});  // no tooltip in the picture
            Shot(L"instant-shift", shift.Get());
        }
        ASSERT_TRUE(shift.Click(ok ? L"5" : L"6"));
        ASSERT_TRUE(shift.Closed());
        Apply(run);
        EXPECT_EQ(SettingInt(run.Data(), L"Profile0.prof", L"ALTERNATE_PROFILE", L"PROFILE3"), ok ? 2 : 0);
    }
}

TEST(Assignment, MenusCloseOnAClickOutsideThem) {
    ToolRun run;
    WriteMacro(run, L"Combo", 4);
    WriteSettings(run.Data(), *ModeConfig(0));
    ASSERT_TRUE(run.Start());
    // The macro name menu of the T-key dialog.
    ASSERT_TRUE(run.ClickTKey(4));
    ASSERT_TRUE(run.ClickCommand(cmd::ASSIGN_MACRO));
    Dialog tkey(run, L"TKeys.ini");
    ASSERT_TRUE(tkey.Click(L"1"));
    HWND menu = run.WaitUntitledDialog(tkey.Get());
    ASSERT_TRUE(menu);
    ASSERT_TRUE(ClickAt(tkey.Get(), POINT{10, 10}));
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(menu); }, Ms(3000)));
    // The next click on the name button only forgets the closed menu; the one
    // after it opens a new one.
    ASSERT_TRUE(tkey.Click(L"1"));
    Sleep(300);
    EXPECT_EQ(run.WaitUntitledDialog(tkey.Get()), nullptr);
    ASSERT_TRUE(tkey.Click(L"1"));
    EXPECT_TRUE(run.WaitUntitledDialog(tkey.Get()));
    ASSERT_TRUE(tkey.Click(L"7"));
    ASSERT_TRUE(tkey.Closed());

    // The profile menu of the instant shift dialog.
    ASSERT_TRUE(run.ClickCommand(cmd::INSTANT_SHIFT));
    Dialog shift(run, L"INSTANTSHIFTSYS.ini");
    ASSERT_TRUE(shift.Click(L"1"));
    menu = run.WaitUntitledDialog(shift.Get());
    ASSERT_TRUE(menu);
    ASSERT_TRUE(ClickAt(shift.Get(), POINT{10, 10}));
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(menu); }, Ms(3000)));
    EXPECT_TRUE(IsWindowVisible(shift.Get()));
    ASSERT_TRUE(shift.Click(L"6"));
    ASSERT_TRUE(shift.Closed());
}

namespace {

// The window that has the keyboard focus in the tool's thread.
HWND ToolFocus(ToolRun& run) {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(run.Main(), nullptr), &info)) return nullptr;
    return info.hwndFocus;
}

// Presses `key` (an xdotool key name) until `arrived` holds, at most 40 times.
bool PressUntil(ToolRun& run, const wchar_t* key, const std::function<bool(HWND)>& arrived) {
    for (int i = 0; i < 40; ++i) {
        if (arrived(ToolFocus(run))) return true;
        if (!RunXdotool({L"key", key})) return false;
        Sleep(100);
    }
    return arrived(ToolFocus(run));
}

}  // namespace

// A key gets a single key and is applied with key presses only: Tab to the
// on-screen keyboard, arrows to a key, Space picks it, Tab to the single-key
// button, Enter opens the dialog, right Ctrl is captured and pressed again to
// leave the box, Enter presses OK, Tab to APPLY and Enter.
TEST(Assignment, SingleKeyByKeyboardAloneIsAppliedToTheSettingsFile) {
    ToolRun run;
    WriteSettings(run.Data(), *ModeConfig(1));
    ASSERT_TRUE(run.Start());
    SetForegroundWindow(run.Main());
    Sleep(300);
    ASSERT_TRUE(PressUntil(run, L"Tab", [](HWND focus) { return WindowText(focus) == L"Keyboard"; }));
    for (const wchar_t* key : {L"Right", L"Right", L"Down", L"space"}) ASSERT_TRUE(RunXdotool({L"key", key}));
    Sleep(300);
    const HWND assignKey = run.ChildAt(CommandPoint(cmd::ASSIGN_KEY));
    ASSERT_TRUE(assignKey);
    ASSERT_TRUE(PressUntil(run, L"Tab", [&](HWND focus) { return focus == assignKey; }));
    ASSERT_TRUE(RunXdotool({L"key", L"Return"}));
    {
        Dialog dialog(run, L"SingleKey.ini");
        ASSERT_TRUE(dialog);
        ASSERT_TRUE(RunXdotool({L"key", L"F5"}));
        Sleep(300);
        EXPECT_EQ(ControlText(GetDlgItem(dialog.Get(), IDC_DST_KEY)), L"F5");
        ASSERT_TRUE(RunXdotool({L"key", L"F5"}));
        Sleep(300);
        Shot(L"single-key-way-out", dialog.Get());
        EXPECT_EQ(ControlText(GetDlgItem(dialog.Get(), IDC_DST_KEY)), L"F5");
        ASSERT_TRUE(RunXdotool({L"key", L"Return"}));
        ASSERT_TRUE(dialog.Closed());
    }
    const HWND apply = run.ChildAt(CommandPoint(cmd::APPLY));
    ASSERT_TRUE(apply);
    ASSERT_TRUE(PressUntil(run, L"Tab", [&](HWND focus) { return focus == apply; }));
    const size_t before = Selections(run);
    ASSERT_TRUE(RunXdotool({L"key", L"Return"}));
    ASSERT_TRUE(WaitUntil([&] { return Selections(run) > before; }, Ms(10000)));
    ASSERT_TRUE(WaitForWindowGone(svc::LOADING_WINDOW_TITLE, Ms(5000), run.Proc().Pid()));
    // Exactly one key of profile I sends F5 now: the one the arrows reached.
    const std::uint8_t f5 = VkToKeyCode(VK_F5);
    const auto written = Written(run);
    const ProfileConfig& p = written->Profile[0];
    int remapped = 0;
    for (const auto& key : p.SwapKey) remapped += key.FunID == FUNID_SINGLEKEY && key.AssKey == f5;
    for (int t = 0; t < TKEY_COUNT; ++t) {
        const ButtonConfig& tkey = p.Button[static_cast<size_t>(t)];
        remapped += tkey.FunID == FUNID_SINGLEKEY && tkey.SingleKey == f5;
    }
    EXPECT_EQ(1, remapped);
}
