// The keyboard-only journey through the real tool: the main window, the macro
// editor, the new-macro dialog, a recording left with Escape twice, the
// lighting window's zones, the macro put on a key of the on-screen keyboard
// with a repeat count, and APPLY, with key presses only (no click, no message
// to a control). The results are read from the files the tool writes.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "ToolRun.h"
#include "config/ConfigStore.h"
#include "light/LightStateFile.h"
#include "macro/MacroFiles.h"
#include "platform/FileSystem.h"
#include "platform/TextCodec.h"
#include "resource.h"
#include "service/ServiceCodes.h"

using namespace zavo;
using namespace zavo::e2e;

namespace {

void Wait(int ms) { std::this_thread::sleep_for(Ms(ms)); }

bool Key(WORD vk, bool up) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return SendInput(1, &in, sizeof(in)) == 1;
}

// A press and release, a little apart, as a person types.
bool Type(WORD vk) {
    const bool down = Key(vk, false);
    Wait(80);
    const bool up = Key(vk, true);
    Wait(120);
    return down && up;
}

// The control that has the keyboard focus in the tool's window thread.
HWND FocusOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
    return info.hwndFocus;
}

// Presses Tab until the focused control passes `arrived`; false when a whole
// walk of the window (60 presses) never reached it.
template <typename Arrived>
bool TabUntil(HWND window, Arrived arrived) {
    for (int i = 0; i < 60; ++i) {
        if (arrived(FocusOf(window))) return true;
        const HWND before = FocusOf(window);
        if (!Type(VK_TAB)) return false;
        WaitUntil([&] { return FocusOf(window) != before; }, Ms(2000));
    }
    return arrived(FocusOf(window));
}

bool TabTo(HWND window, HWND target) {
    return TabUntil(window, [target](HWND focus) { return focus == target; });
}

// Tabs to `button` of `window` and presses Enter; the untitled dialog of
// `owner` it opened, or null.
HWND OpenWithEnter(ToolRun& run, HWND window, HWND button, HWND owner) {
    if (!TabTo(window, button) || !Type(VK_RETURN)) return nullptr;
    return run.WaitUntitledDialog(owner, Ms(8000));
}

std::wstring TextOf(HWND window) {
    wchar_t text[64] = {};
    GetWindowTextW(window, text, 64);
    return text;
}

// The slots of the current profile that hold macro `name`, as the settings
// files say.
std::vector<MacroGroup> KeysWithMacro(const std::wstring& data, const std::wstring& name) {
    auto config = std::make_unique<KeyboardConfig>();
    std::wstring error;
    EXPECT_TRUE(ReadDataFolder(data, *config, error)) << text::ToUtf8(error);
    std::vector<MacroGroup> found;
    for (const ButtonConfig& slot : config->Profile[static_cast<size_t>(config->CurrantProfile)].Button)
        if (slot.FunID == FUNID_MACRO && slot.Macro.MacroName == name) found.push_back(slot.Macro);
    return found;
}

// The button of skin key `key` in a window of description file `file`.
HWND ButtonOf(HWND window, const wchar_t* file, const wchar_t* key) {
    const POINT p = CenterOf(SkinFileEntry(file, L"BUTTONINFO", key).rect);
    return ChildWindowFromPointEx(window, p, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
}

bool Enabled(HWND window, const wchar_t* file, const wchar_t* key) {
    const HWND button = ButtonOf(window, file, key);
    return button && button != window && IsWindowEnabled(button);
}

// What the tool shows of the selected zones of every light profile.
std::vector<LightZoneStates> AllZones(const std::wstring& data) {
    std::vector<LightZoneStates> zones;
    for (int p = 1; p <= LIGHT_PROFILE_COUNT; ++p) zones.push_back(ReadLightZones(LightStateFilePath(data), p));
    return zones;
}

}  // namespace

TEST(KeyboardJourney, MacroAndLightingZoneWithKeysAloneThenApply) {
    ToolRun run;
    // Mode 1: the keys of the on-screen keyboard take assignments.
    auto config = PresentConfig();
    config->Mode = 1;
    WriteSettings(run.Data(), *config);
    // Every zone dark, so the one the keys light is the one change of the file.
    ASSERT_TRUE(fs::WriteFileAtomic(LightStateFilePath(run.Data()), ""));
    ASSERT_TRUE(CreateDirectoryW(MacroFolderOf(run.Data()).c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
    ASSERT_TRUE(run.Start());
    const HWND main = run.Main();
    SetForegroundWindow(main);

    // The macro editor, by Tab and Enter.
    const HWND editor = OpenWithEnter(run, main, run.ChildAt(CommandPoint(cmd::MACRO_EDITOR)), nullptr);
    ASSERT_TRUE(editor);

    // A new macro "kb": the name typed into its box, then OK by Tab and Enter.
    const HWND naming = OpenWithEnter(run, editor, ButtonOf(editor, L"MacroSetting.ini", L"4"), editor);
    ASSERT_TRUE(naming);
    ASSERT_TRUE(WaitUntil([&] { return FocusOf(naming) == GetDlgItem(naming, 1003); }, Ms(3000)))
        << "the name box has the focus";
    ASSERT_TRUE(Type('K'));
    ASSERT_TRUE(Type('B'));
    ASSERT_TRUE(TabTo(naming, ButtonOf(naming, L"CreateNewmacro.ini", L"1")));
    ASSERT_TRUE(Type(VK_RETURN));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(naming); }, Ms(5000)));
    const std::wstring file = MacroFilePathOf(MacroFolderOf(run.Data()), L"kb");
    ASSERT_TRUE(WaitUntil([&] { return fs::FileExists(file); }, Ms(5000)));

    // Record A and B, with Enter on Record; Escape twice leaves the recording.
    ASSERT_TRUE(TabTo(editor, ButtonOf(editor, L"MacroSetting.ini", L"8")));
    ASSERT_TRUE(Type(VK_RETURN));
    ASSERT_TRUE(WaitUntil([&] { return Enabled(editor, L"MacroSetting.ini", L"9"); }, Ms(5000))) << "recording";
    Wait(300);
    for (WORD vk : {WORD{'A'}, WORD{'B'}, WORD{VK_ESCAPE}, WORD{VK_ESCAPE}}) ASSERT_TRUE(Type(vk));
    ASSERT_TRUE(WaitUntil([&] { return !Enabled(editor, L"MacroSetting.ini", L"9"); }, Ms(5000)))
        << "Escape twice ends the recording";
    ASSERT_TRUE(IsWindow(editor)) << "no key closed the editor";

    // Save, then OK closes the editor.
    ASSERT_TRUE(TabTo(editor, ButtonOf(editor, L"MacroSetting.ini", L"3")));
    Shot(L"keyboard-journey-editor-mark", editor);
    ASSERT_TRUE(Type(VK_RETURN));
    MacroRecording saved;
    ASSERT_TRUE(WaitUntil(
        [&] {
            saved = MacroRecording{};
            LoadMacroFile(file, saved);
            return saved.Count > 0;
        },
        Ms(5000)));
    // A and B pressed and released with the delays between them and the
    // closing delay: neither Enter (which pressed Record) nor an Escape.
    ASSERT_EQ(8, saved.Count);
    const MacroEvent keys[] = {saved.Events[0], saved.Events[2], saved.Events[4], saved.Events[6]};
    EXPECT_EQ(KeyEvent(keys[0].Code, true), keys[0]);
    EXPECT_EQ(KeyEvent(keys[0].Code, false), keys[1]);
    EXPECT_EQ(KeyEvent(keys[2].Code, true), keys[2]);
    EXPECT_EQ(KeyEvent(keys[2].Code, false), keys[3]);
    EXPECT_NE(keys[0].Code, keys[2].Code);
    EXPECT_EQ(DelayEvent(0), saved.Events[7]);
    ASSERT_TRUE(TabTo(editor, ButtonOf(editor, L"MacroSetting.ini", L"1")));
    ASSERT_TRUE(Type(VK_RETURN));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(editor); }, Ms(5000)));

    // The lighting window: the zones are one control, the arrows walk them and
    // Space lights or darkens the zone; OK keeps it.
    const std::vector<LightZoneStates> before = AllZones(run.Data());
    ASSERT_TRUE(TabTo(main, run.ChildAt(CommandPoint(cmd::LIGHTING))));
    ASSERT_TRUE(Type(VK_RETURN));
    const HWND light = WaitForWindow(svc::LIGHT_WINDOW_TITLE, Ms(8000), run.Proc().Pid());
    ASSERT_TRUE(light);
    const HWND zones = FindWindowExW(light, nullptr, nullptr, L"Lit zones");
    ASSERT_TRUE(zones);
    ASSERT_TRUE(TabTo(light, zones));
    for (int i = 0; i < 30; ++i) ASSERT_TRUE(Type(VK_RIGHT));  // to the number pad, the rightmost zone
    Shot(L"keyboard-journey-zone-mark", light);
    ASSERT_TRUE(Type(VK_SPACE));
    std::vector<LightZoneStates> after;
    ASSERT_TRUE(WaitUntil(
        [&] {
            after = AllZones(run.Data());
            return after != before;
        },
        Ms(5000)))
        << "the zone is written at once";
    int changed = 0;
    for (size_t p = 0; p < after.size(); ++p)
        for (LightZone z : AllLightZones()) {
            if (after[p][ZoneIndex(z)] == before[p][ZoneIndex(z)]) continue;
            ++changed;
            EXPECT_EQ(LightZone::Number, z);
        }
    EXPECT_EQ(1, changed);
    ASSERT_TRUE(TabTo(light, ButtonOf(light, L"LightOption.ini", L"6")));
    ASSERT_TRUE(Type(VK_RETURN));
    ASSERT_TRUE(WaitForWindowGone(svc::LIGHT_WINDOW_TITLE, Ms(5000), run.Proc().Pid()));

    // The macro on a key: Tab to the on-screen keyboard, arrows to a key and
    // Space picks it; MACRO by Tab and Enter; in its dialog the name menu by
    // Enter, the arrows and Enter, then the count: Enter on its button, the
    // number typed over the box's, Tab to OK and Enter; OK, and the dialog
    // hands the macro to the key.
    ASSERT_TRUE(KeysWithMacro(run.Data(), L"kb").empty());
    ASSERT_TRUE(TabUntil(main, [](HWND focus) { return TextOf(focus) == L"Keyboard"; }));
    for (WORD vk : {WORD{VK_RIGHT}, WORD{VK_RIGHT}, WORD{VK_DOWN}, WORD{VK_SPACE}}) ASSERT_TRUE(Type(vk));
    const HWND assignMacro = run.ChildAt(CommandPoint(cmd::ASSIGN_MACRO));
    ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(assignMacro); }, Ms(3000))) << "a key is picked";
    const HWND tkey = OpenWithEnter(run, main, assignMacro, main);
    ASSERT_TRUE(tkey);
    const HWND names = OpenWithEnter(run, tkey, ButtonOf(tkey, L"TKeys.ini", L"1"), tkey);
    ASSERT_TRUE(names);
    Wait(300);
    ASSERT_TRUE(Type(VK_DOWN));
    ASSERT_TRUE(Type(VK_RETURN));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(names); }, Ms(5000)));
    const HWND repeat = OpenWithEnter(run, tkey, ButtonOf(tkey, L"TKeys.ini", L"3"), tkey);
    ASSERT_TRUE(repeat);
    const HWND countBox = GetDlgItem(repeat, IDC_REPEAT_COUNT);
    ASSERT_TRUE(WaitUntil([&] { return FocusOf(repeat) == countBox; }, Ms(3000))) << "the count box has the focus";
    for (WORD vk : {WORD{VK_END}, WORD{VK_BACK}, WORD{VK_BACK}, WORD{VK_BACK}, WORD{'1'}, WORD{'2'}})
        ASSERT_TRUE(Type(vk));
    ASSERT_TRUE(TabTo(repeat, ButtonOf(repeat, L"RepeatCount.ini", L"1")));
    ASSERT_TRUE(Type(VK_RETURN));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(repeat); }, Ms(5000)));
    ASSERT_TRUE(IsWindow(tkey)) << "Enter on the count's OK closes only the count";
    ASSERT_TRUE(TabTo(tkey, ButtonOf(tkey, L"TKeys.ini", L"6")));
    Shot(L"keyboard-journey-macro-key", tkey);
    ASSERT_TRUE(Type(VK_RETURN));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(tkey); }, Ms(5000)));

    // APPLY: the service is asked to take the settings.
    const size_t logged = run.Sim()->Log().size();
    ASSERT_TRUE(TabTo(main, run.ChildAt(CommandPoint(cmd::APPLY))));
    ASSERT_TRUE(Type(VK_RETURN));
    ASSERT_TRUE(WaitUntil(
        [&] {
            const auto log = run.Sim()->Log();
            for (size_t i = logged; i < log.size(); ++i)
                if (ReceivedCommand(svc::SVC_SELECT_PROFILE)(log[i])) return true;
            return false;
        },
        Ms(10000)))
        << "APPLY reached the service";
    EXPECT_EQ(after, AllZones(run.Data())) << "the zone stays as set";
    // One key holds the macro, its events as saved, repeated twelve times.
    const std::vector<MacroGroup> onKeys = KeysWithMacro(run.Data(), L"kb");
    ASSERT_EQ(1u, onKeys.size());
    EXPECT_EQ(4, onKeys[0].RepeatOption) << "a number of times";
    EXPECT_EQ(12, onKeys[0].RepeatTimes);
    EXPECT_EQ(saved.Count, onKeys[0].MacroLength);
    EXPECT_TRUE(IsWindow(main));
}
