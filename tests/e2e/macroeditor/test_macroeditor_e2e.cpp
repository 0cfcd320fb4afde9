// The macro editor with the real tool: opened by the main window's button 9,
// macros made with the new-macro dialog, recorded from real key presses through
// KBHook.dll, edited, imported, exported and deleted; the results are read from
// the macro files the editor writes.
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "ToolRun.h"
#include "config/ConfigStore.h"
#include "service/ServiceCodes.h"
#include "macro/MacroFiles.h"
#include "platform/TextCodec.h"

using namespace zavo;
using namespace zavo::e2e;

namespace {

constexpr int IDC_DELAY_VALUE = 1004;
constexpr int IDC_EVENT_LIST = 1006;
constexpr int IDC_DELAY_LIST = 1007;

void Wait(int ms) { std::this_thread::sleep_for(Ms(ms)); }

// Input right after a window closed is at times refused for a moment under
// Wine; a click is tried again until it is taken. (Text goes into boxes by
// message: typing through xdotool can leave this process unable to send input.)
bool Press(HWND window, POINT client) {
    return WaitUntil([&] { return IsWindow(window) && ClickAt(window, client); }, Ms(3000), Ms(100));
}

// Answers the open or save dialog with `path` by messages: its file name box
// (cmb13 of the Explorer-style dialog, edt1 of the old one), then its OK.
bool AnswerFileDialog(HWND dialog, const std::wstring& path) {
    HWND box = GetDlgItem(dialog, 0x47c);
    if (!box) box = GetDlgItem(dialog, 0x480);
    if (!box) return false;
    SendMessageTimeoutW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()), SMTO_ABORTIFHUNG, 3000, nullptr);
    return PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                        reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK))) != FALSE;
}

bool Key(WORD vk, bool up) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return SendInput(1, &in, sizeof(in)) == 1;
}

int LineCount(HWND editor, int id) {
    DWORD_PTR count = 0;
    SendMessageTimeoutW(GetDlgItem(editor, id), LB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, 3000, &count);
    return static_cast<int>(count);
}

bool Enabled(HWND editor, const wchar_t* key) {
    const POINT p = CenterOf(SkinFileEntry(L"MacroSetting.ini", L"BUTTONINFO", key).rect);
    HWND child = ChildWindowFromPointEx(editor, p, CWP_SKIPINVISIBLE);
    return child && child != editor && IsWindowEnabled(child);
}

class MacroEditorE2E : public ::testing::Test {
protected:
    void SetUp() override {
        WriteSettings(run.Data(), *PresentConfig());
        ASSERT_TRUE(CreateDirectoryW(MacroFolder().c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
        ASSERT_TRUE(run.Start());
    }

    std::wstring MacroFolder() const { return MacroFolderOf(run.Data()); }
    std::wstring PathOf(const std::wstring& name) const { return MacroFilePathOf(MacroFolder(), name); }
    MacroRecording Load(const std::wstring& name) const {
        MacroRecording m;
        LoadMacroFile(PathOf(name), m);
        return m;
    }

    void OpenEditor() {
        ASSERT_TRUE(run.ClickCommand(cmd::MACRO_EDITOR));
        editor = run.WaitUntitledDialog(nullptr, Ms(8000));
        ASSERT_TRUE(editor);
    }
    bool Click(const wchar_t* key) const {
        return Press(editor, CenterOf(SkinFileEntry(L"MacroSetting.ini", L"BUTTONINFO", key).rect));
    }
    // Button "4", the name typed into the new-macro dialog, its OK.
    void NewMacro(const std::wstring& name) {
        ASSERT_TRUE(Click(L"4"));
        HWND dialog = run.WaitUntitledDialog(editor, Ms(8000));
        ASSERT_TRUE(dialog);
        // The name goes into the box by message: typed input is for the recording.
        HWND box = GetDlgItem(dialog, 1003);
        ASSERT_TRUE(box);
        SendMessageTimeoutW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()), SMTO_ABORTIFHUNG, 3000,
                            nullptr);
        ASSERT_TRUE(IsWindow(dialog)) << "typing closed it";
        ASSERT_TRUE(Press(dialog, CenterOf(SkinFileEntry(L"CreateNewmacro.ini", L"BUTTONINFO", L"1").rect)));
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, Ms(5000)));
    }
    // A press and release of each key, `gapMs` apart.
    // Records `keys`; over a macro that has steps, Record asks first and is
    // answered Yes.
    void Record(std::initializer_list<WORD> keys, int gapMs, bool overSteps = false) {
        ASSERT_TRUE(Click(L"8"));
        if (overSteps) {
            HWND box = WaitForWindow(L"ZAVOConfig", Ms(5000), run.Proc().Pid());
            ASSERT_TRUE(box) << "Record over steps asks";
            ASSERT_TRUE(PostMessageW(box, WM_COMMAND, IDYES, 0));
        }
        Wait(300);
        for (WORD vk : keys) {
            ASSERT_TRUE(Key(vk, false));
            Wait(gapMs);
            ASSERT_TRUE(Key(vk, true));
            Wait(gapMs);
        }
        ASSERT_TRUE(Click(L"9"));
        Wait(300);
    }
    void Save() {
        ASSERT_TRUE(Click(L"3"));
        Wait(300);
    }
    void ClickLine(int listId, int line) {
        RECT r{};
        DWORD_PTR ok = 0;
        HWND list = GetDlgItem(editor, listId);
        // LB_GETITEMHEIGHT needs no buffer, so it crosses processes.
        DWORD_PTR height = 0;
        SendMessageTimeoutW(list, LB_GETITEMHEIGHT, 0, 0, SMTO_ABORTIFHUNG, 3000, &height);
        (void)ok;
        GetWindowRect(list, &r);
        POINT p{r.left + 20, r.top + static_cast<int>(height) * line + static_cast<int>(height) / 2};
        ScreenToClient(editor, &p);
        ASSERT_TRUE(Press(editor, p));
        Wait(200);
    }

    ToolRun run;
    HWND editor = nullptr;
};

TEST_F(MacroEditorE2E, NewMacroRecordedFromTheKeyboardAndEdited) {
    OpenEditor();
    Wait(300);
    EXPECT_FALSE(Enabled(editor, L"8")) << "nothing to record into before a macro exists";
    NewMacro(L"M1");
    ASSERT_TRUE(
        WaitUntil([&] { return GetFileAttributesW(PathOf(L"M1").c_str()) != INVALID_FILE_ATTRIBUTES; }, Ms(5000)));
    // The file is written first, the buttons follow.
    EXPECT_TRUE(WaitUntil([&] { return Enabled(editor, L"8"); }, Ms(3000)));

    // A and B pressed and released 430 ms apart: 8 units (400 ms) each, 1 unit
    // either way for the scheduler, and the closing delay of 0 ms.
    Record({'A', 'B'}, 430);
    EXPECT_FALSE(Enabled(editor, L"9")) << "Stop is disabled once the recording ended";
    EXPECT_EQ(LineCount(editor, IDC_EVENT_LIST), 4);
    EXPECT_EQ(LineCount(editor, IDC_DELAY_LIST), 4);
    Shot(L"macroeditor-recorded", editor);
    Save();
    MacroRecording m = Load(L"M1");
    ASSERT_EQ(m.Count, 8);
    EXPECT_EQ(m.Events[0], KeyEvent(0x14, true)) << "A press";
    EXPECT_EQ(m.Events[2], KeyEvent(0x14, false));
    EXPECT_EQ(m.Events[4].Value, 1) << "B press";
    for (int d : {1, 3, 5}) {
        EXPECT_EQ(m.Events[static_cast<size_t>(d)].Code, 0xFF);
        EXPECT_NEAR(m.Events[static_cast<size_t>(d)].Value, 8, 1) << "delay " << d;
    }
    EXPECT_EQ(m.Events[7], DelayEvent(0)) << "the last delay is 0 ms";

    // Delay line 0 set to 430 ms: 8 units, listed as 400 ms.
    ClickLine(IDC_DELAY_LIST, 0);
    EXPECT_TRUE(Enabled(editor, L"13"));
    HWND value = GetDlgItem(editor, IDC_DELAY_VALUE);
    RECT vr{};
    GetWindowRect(value, &vr);
    POINT vp{vr.left + 5, vr.top + 5};
    ScreenToClient(editor, &vp);
    ASSERT_TRUE(Press(editor, vp));
    SendMessageTimeoutW(value, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"430"), SMTO_ABORTIFHUNG, 3000, nullptr);
    ASSERT_TRUE(Click(L"13"));
    Wait(200);

    // Command 2 inserted before line 0.
    ClickLine(IDC_EVENT_LIST, 0);
    ASSERT_TRUE(Click(L"21"));
    HWND menu = run.WaitUntitledDialog(editor, Ms(8000));
    ASSERT_TRUE(menu);
    // The menu hands the mouse to an item once the pointer is over it.
    const POINT item = CenterOf(SkinFileEntry(L"Commands_menu.ini", L"BUTTONINFO", L"3").rect);
    Wait(300);
    ASSERT_TRUE(MoveMouseTo(menu, POINT{item.x - 2, item.y}));
    Wait(200);
    ASSERT_TRUE(MoveMouseTo(menu, item));
    Wait(200);
    ASSERT_TRUE(Press(menu, item));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(menu) || !IsWindowVisible(menu); }, Ms(5000)));
    ClickLine(IDC_EVENT_LIST, 0);
    ASSERT_TRUE(Click(L"15"));
    Wait(200);
    EXPECT_EQ(LineCount(editor, IDC_EVENT_LIST), 5);
    EXPECT_EQ(LineCount(editor, IDC_DELAY_LIST), 5);
    Save();
    m = Load(L"M1");
    ASSERT_EQ(m.Count, 10);
    EXPECT_EQ(m.Events[0], CommandEvent(2));
    EXPECT_EQ(m.Events[1], DelayEvent(0));
    EXPECT_EQ(m.Events[3], DelayEvent(8)) << "the delay set to 430 ms";

    // Line 1 (A press) moved down, then deleted.
    ClickLine(IDC_EVENT_LIST, 1);
    ASSERT_TRUE(Click(L"12"));
    Wait(200);
    Save();
    m = Load(L"M1");
    EXPECT_EQ(m.Events[4], KeyEvent(0x14, true)) << "A press moved down one line";
    ASSERT_TRUE(Click(L"10"));  // line 2 stays selected
    Wait(200);
    Save();
    m = Load(L"M1");
    EXPECT_EQ(m.Count, 8);
    Shot(L"macroeditor-edited", editor);

    // A second macro with the same name is refused with a message.
    NewMacro(L"M1");
    HWND box = WaitForWindow(L"ZAVOConfig", Ms(5000), run.Proc().Pid());
    ASSERT_TRUE(box);
    ASSERT_TRUE(run.Answer(box, true));
    EXPECT_EQ(Load(L"M1").Count, 8) << "the existing file is untouched";

    // Delete asks first (nothing can bring the file back); Yes deletes it, the
    // lists empty, Record is disabled.
    ASSERT_TRUE(Click(L"7"));
    box = WaitForWindow(L"ZAVOConfig", Ms(5000), run.Proc().Pid());
    ASSERT_TRUE(box);
    Wait(300);
    EXPECT_EQ(GetFileAttributesW(PathOf(L"M1").c_str()) == INVALID_FILE_ATTRIBUTES, false) << "kept until answered";
    ASSERT_TRUE(PostMessageW(box, WM_COMMAND, IDYES, 0));
    ASSERT_TRUE(
        WaitUntil([&] { return GetFileAttributesW(PathOf(L"M1").c_str()) == INVALID_FILE_ATTRIBUTES; }, Ms(5000)));
    EXPECT_EQ(LineCount(editor, IDC_EVENT_LIST), 0);
    EXPECT_FALSE(Enabled(editor, L"8"));
    ASSERT_TRUE(Click(L"2"));
}

TEST_F(MacroEditorE2E, FullMacroStopsTheRecordingByItself) {
    OpenEditor();
    NewMacro(L"full");
    ASSERT_TRUE(Click(L"8"));
    ASSERT_TRUE(WaitUntil([&] { return Enabled(editor, L"9"); }, Ms(5000))) << "recording";
    // A pressed and released until the recording ends by itself: 2720 keys fill
    // the macro (5439 entries: a key and the delay before it, no closing delay).
    // Input the hook misses only means more presses; a bound ends the loop.
    constexpr int kFull = (MACRO_EVENT_MAX - 1) / 2 + 1;
    std::vector<INPUT> burst(100);
    for (size_t i = 0; i < burst.size(); ++i) {
        burst[i].type = INPUT_KEYBOARD;
        burst[i].ki.wVk = 'A';
        burst[i].ki.dwFlags = i % 2 == 1 ? KEYEVENTF_KEYUP : 0;
    }
    int sent = 0;
    while (Enabled(editor, L"9") && sent < 2 * kFull) {
        ASSERT_EQ(SendInput(static_cast<UINT>(burst.size()), burst.data(), sizeof(INPUT)), burst.size());
        sent += static_cast<int>(burst.size());
        Wait(50);
    }
    ASSERT_TRUE(WaitUntil([&] { return !Enabled(editor, L"9"); }, Ms(10000))) << "sent " << sent;
    EXPECT_TRUE(Enabled(editor, L"8")) << "Record is released";
    EXPECT_FALSE(Enabled(editor, L"15")) << "the command buttons go as after Stop";
    EXPECT_EQ(LineCount(editor, IDC_EVENT_LIST), kFull);

    // Keys after the end are not recorded: the hook is gone. A Space typed on
    // does not press Record (the focus left it), so the full macro stays.
    for (int i = 0; i < 10; ++i) ASSERT_TRUE(Key('B', i % 2 == 1));
    ASSERT_TRUE(Key(VK_SPACE, false));
    ASSERT_TRUE(Key(VK_SPACE, true));
    Wait(300);
    EXPECT_EQ(LineCount(editor, IDC_EVENT_LIST), kFull) << "a Space started a new recording";
    Save();
    MacroRecording m;
    ASSERT_TRUE(WaitUntil([&] { return (m = Load(L"full")).Count != 0; }, Ms(8000))) << "saved";
    EXPECT_EQ(m.Count, MACRO_EVENT_MAX - 1);
    EXPECT_NE(m.Events[static_cast<size_t>(m.Count - 1)].Code, 0xFF) << "no closing delay: no room for one";
    for (int i = 0; i < m.Count; i += 2)
        ASSERT_EQ(m.Events[static_cast<size_t>(i)].Code, 0x14) << "only A was recorded, entry " << i;
    ASSERT_TRUE(Click(L"2"));
}

TEST_F(MacroEditorE2E, DelayOptions) {
    OpenEditor();
    NewMacro(L"opts");
    ASSERT_TRUE(Click(L"19"));  // ignore delays
    Record({'A'}, 300);
    Save();
    MacroRecording m = Load(L"opts");
    EXPECT_EQ(m.IgnoreDelay, 1);
    ASSERT_EQ(m.Count, 3) << "no closing delay when delays are ignored";
    EXPECT_EQ(m.Events[1], DelayEvent(0));

    ASSERT_TRUE(Click(L"20"));  // default delay (50 ms): every delay one unit
    Record({'A'}, 300, true);
    Save();
    m = Load(L"opts");
    EXPECT_EQ(m.IgnoreDelay, 0);
    EXPECT_EQ(m.DefaultDelay, 1);
    ASSERT_EQ(m.Count, 4);
    EXPECT_EQ(m.Events[1], DelayEvent(1));
    EXPECT_EQ(m.Events[3], DelayEvent(0));
    ASSERT_TRUE(Click(L"1"));
}

TEST_F(MacroEditorE2E, ImportTakesAFreeNameAndExportWritesTheFile) {
    for (const wchar_t* name : {L"a", L"a(2)"}) ASSERT_TRUE(SaveMacroFile(PathOf(name), MacroRecording{}));
    const std::wstring source = run.appData.AppData() + L"a.ini";
    MacroRecording imported;
    imported.Count = 2;
    imported.Events[0] = KeyEvent(0x15, true);
    imported.Events[1] = DelayEvent(3);
    ASSERT_TRUE(SaveMacroFile(source, imported));

    OpenEditor();
    ASSERT_TRUE(Click(L"5"));
    HWND open = WaitForWindow(L"Open", Ms(8000), run.Proc().Pid());
    ASSERT_TRUE(open);
    Wait(500);
    ASSERT_TRUE(AnswerFileDialog(open, source));
    ASSERT_TRUE(
        WaitUntil([&] { return GetFileAttributesW(PathOf(L"a(3)").c_str()) != INVALID_FILE_ATTRIBUTES; }, Ms(8000)));
    ASSERT_TRUE(WaitUntil([&] { return LineCount(editor, IDC_EVENT_LIST) == 1; }, Ms(3000)));

    EXPECT_FALSE(Enabled(editor, L"6")) << "an import leaves the buttons as they were";
    ASSERT_TRUE(Click(L"2"));
}

TEST_F(MacroEditorE2E, PickedMacroExported) {
    MacroRecording macro;
    macro.Count = 2;
    macro.Events[0] = KeyEvent(0x15, true);
    macro.Events[1] = DelayEvent(3);
    ASSERT_TRUE(SaveMacroFile(PathOf(L"x"), macro));

    OpenEditor();
    Wait(300);
    ASSERT_TRUE(Click(L"16"));
    ASSERT_TRUE(run.WaitUntitledDialog(editor, Ms(8000)));
    const SkinRect name = SkinFileEntry(L"MacroSetting.ini", L"BUTTONINFO", L"16").rect;
    ASSERT_TRUE(Press(editor, POINT{name.left + 20, name.bottom + 8}));
    ASSERT_TRUE(WaitUntil([&] { return Enabled(editor, L"6"); }, Ms(3000))) << "a pick enables export";
    EXPECT_TRUE(Enabled(editor, L"7"));
    EXPECT_TRUE(Enabled(editor, L"8"));
    EXPECT_EQ(LineCount(editor, IDC_EVENT_LIST), 1);

    const std::wstring target = run.appData.AppData() + L"out.ini";
    ASSERT_TRUE(Click(L"6"));
    HWND save = WaitForWindow(L"Save As", Ms(8000), run.Proc().Pid());
    ASSERT_TRUE(save);
    Wait(500);
    ASSERT_TRUE(AnswerFileDialog(save, target));
    ASSERT_TRUE(WaitUntil([&] { return GetFileAttributesW(target.c_str()) != INVALID_FILE_ATTRIBUTES; }, Ms(8000)));
    Wait(300);
    MacroRecording back;
    LoadMacroFile(target, back);
    EXPECT_EQ(back.Count, 2);
    EXPECT_EQ(back.Events[1], DelayEvent(3));
    ASSERT_TRUE(Click(L"2"));
}

TEST_F(MacroEditorE2E, RecordedMacroAssignedToATKeyReachesTheService) {
    OpenEditor();
    Wait(300);
    NewMacro(L"T1");
    Record({'A'}, 200);
    ASSERT_TRUE(Click(L"1"));  // OK saves and closes
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(editor); }, Ms(5000)));
    ASSERT_EQ(Load(L"T1").Count, 4);

    ASSERT_TRUE(run.ClickTKey(0));
    ASSERT_TRUE(run.ClickCommand(cmd::ASSIGN_MACRO));
    HWND tkey = run.WaitUntitledDialog(nullptr, Ms(8000));
    ASSERT_TRUE(tkey);
    auto center = [](const wchar_t* key) { return CenterOf(SkinFileEntry(L"TKeys.ini", L"BUTTONINFO", key).rect); };
    ASSERT_TRUE(Press(tkey, center(L"1")));
    ASSERT_TRUE(run.WaitUntitledDialog(tkey, Ms(8000)));
    const SkinRect name = SkinFileEntry(L"TKeys.ini", L"BUTTONINFO", L"1").rect;
    ASSERT_TRUE(Press(tkey, POINT{name.left + 20, name.bottom + 1 + 7}));
    Wait(300);
    ASSERT_TRUE(Press(tkey, center(L"2")));  // play once
    ASSERT_TRUE(Press(tkey, center(L"6")));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(tkey) || !IsWindowVisible(tkey); }, Ms(5000)));

    ASSERT_TRUE(run.ClickCommand(cmd::APPLY));
    ASSERT_TRUE(run.Sim()->WaitFor(ReceivedCommand(svc::SVC_SELECT_PROFILE), Ms(8000)));
    KeyboardConfig written;
    std::wstring error;
    ASSERT_TRUE(ReadDataFolder(run.Data(), written, error)) << text::ToUtf8(error);
    const ButtonConfig& b = written.Profile[0].Button[0];
    EXPECT_EQ(b.FunID, FUNID_MACRO);
    EXPECT_EQ(b.Macro.MacroName, L"T1");
    EXPECT_EQ(b.Macro.MacroLength, 4);
    EXPECT_EQ(b.Macro.Macro[0], 0x14) << "A press";
}

}  // namespace
