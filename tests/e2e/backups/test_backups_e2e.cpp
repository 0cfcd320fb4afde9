// The system menu's items with real input: Alt+Space opens the menu, arrow keys
// and Enter pick an item. A reset by mistake undone through the restore window;
// a profile exported from one profile and imported into another; a damaged
// profile file refused with nothing changed.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "ToolRun.h"
#include "config/Backups.h"
#include "config/ConfigStore.h"
#include "service/ServiceCodes.h"

using namespace zavo;
using namespace zavo::e2e;

namespace {

std::string FileBytes(const std::wstring& path) {
    std::string b;
    fs::ReadWholeFile(path, b);
    return b;
}

// Alt+Space, as a user presses it.
bool PressAltSpace() {
    INPUT in[4] = {};
    for (INPUT& i : in) i.type = INPUT_KEYBOARD;
    in[0].ki.wVk = VK_MENU;
    in[1].ki.wVk = VK_SPACE;
    in[2].ki.wVk = VK_SPACE;
    in[2].ki.dwFlags = KEYEVENTF_KEYUP;
    in[3].ki.wVk = VK_MENU;
    in[3].ki.dwFlags = KEYEVENTF_KEYUP;
    return SendInput(4, in, sizeof(INPUT)) == 4;
}

HWND VisibleMenu() {
    HWND menu = FindWindowW(L"#32768", nullptr);
    return menu && IsWindowVisible(menu) ? menu : nullptr;
}

// The screen rectangle of an open popup menu's items after its `groups`-th
// separator from the end: with 2, the tool's own items of the system menu (the
// profiles by application, then the settings' history and exchange), without
// the system's items above them (which differ between Windows and Wine). A
// separator is a line of one or two rows across the menu in a colour other than
// the background; a highlighted item is a taller block of such rows.
RECT ItemsAfterSeparators(HWND menu, size_t groups) {
    RECT client{};
    GetClientRect(menu, &client);
    const int w = client.right, h = client.bottom;
    const std::vector<DWORD> px = CapturePixels(menu, client);
    std::map<DWORD, int> counts;
    for (DWORD p : px) ++counts[p];
    DWORD background = 0;
    for (const auto& [colour, n] : counts)
        if (n > counts[background]) background = colour;
    auto isLine = [&](int y) {
        const DWORD c = px[static_cast<size_t>(y * w + w / 4)];
        if (c == background) return false;
        for (int x = w / 4; x < w * 3 / 4; ++x)
            if (px[static_cast<size_t>(y * w + x)] != c) return false;
        return true;
    };
    std::vector<int> below;  // the first row below each separator
    for (int y = 0; y < h;) {
        int end = y;
        while (end < h && isLine(end)) ++end;
        // The menu's own border at the bottom has no items below it.
        if (end > y && end - y <= 2 && h - end > 8) below.push_back(end);
        y = end > y ? end : y + 1;
    }
    const int top = below.size() >= groups ? below[below.size() - groups] : 0;
    RECT r{0, top, w, h};
    MapWindowPoints(menu, nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// The client area of a window on screen: the window without the title bar
// and frame the system draws.
RECT ClientOnScreen(HWND window) {
    RECT r{};
    GetClientRect(window, &r);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// Opens the main window's system menu with Alt+Space and picks the item
// `fromEnd` places above the end (1: the last, "Import profile...").
void PickSystemMenuItem(ToolRun& run, int fromEnd, const wchar_t* shot = nullptr) {
    SetForegroundWindow(run.Main());
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == run.Main(); }, Ms(3000)));
    ASSERT_TRUE(PressAltSpace());
    ASSERT_TRUE(WaitUntil([] { return VisibleMenu() != nullptr; }, Ms(5000))) << "no system menu";
    for (int i = 0; i < fromEnd; ++i) ASSERT_TRUE(PressKey(VK_UP));
    if (shot) {
        Sleep(700);
        Screenshot(shot, ItemsAfterSeparators(VisibleMenu(), 2));
    }
    ASSERT_TRUE(PressKey(VK_RETURN));
    ASSERT_TRUE(WaitUntil([] { return VisibleMenu() == nullptr; }, Ms(5000)));
}

// Fills the file name of the open or save dialog and accepts it.
void ChooseFile(ToolRun& run, const std::wstring& path) {
    HWND dialog = run.WaitOtherWindow();
    ASSERT_TRUE(dialog);
    HWND box = GetDlgItem(dialog, 0x47C);  // the file name combo box
    if (!box) box = GetDlgItem(dialog, 0x480);
    ASSERT_TRUE(box);
    SendMessageW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    SetForegroundWindow(dialog);
    ASSERT_TRUE(PressKey(VK_RETURN));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, Ms(5000)));
}

// How many applies of profile `p` the simulator has been asked for.
size_t Applies(ToolRun& run, int p) {
    const SimLogPredicate apply = ReceivedCommand(svc::SVC_APPLY_PROFILE, p);
    size_t n = 0;
    for (const SimLogLine& l : run.Sim()->Log()) n += apply(l) ? 1 : 0;
    return n;
}

std::unique_ptr<KeyboardConfig> ConfigWithAssignments() {
    auto config = PresentConfig();
    config->Mode = 1;
    ProfileConfig& one = config->Profile[0];
    one.Button[1].FunID = FUNID_APP;
    one.Button[1].AppPath = L"C:\\Games\\raid.exe";
    one.Button[2].FunID = FUNID_MACRO;
    one.Button[2].Macro.MacroName = L"Reload";
    one.Button[2].Macro.MacroLength = 2;
    one.Button[2].Macro.Macro[0] = 0x15;
    one.Button[2].Macro.Macro[1] = 1;
    one.Button[2].Macro.Macro[2] = 0x15;
    one.Button[2].Macro.RepeatTimes = 1;
    one.Button[2].Macro.RepeatOption = 1;  // play once, as the T-key dialog sets it (an import checks it)
    one.SwapKey[4].IsChanged = 1;
    one.SwapKey[4].FunID = FUNID_SINGLEKEY;
    one.SwapKey[4].AssKey = 0x20;
    return config;
}

}  // namespace

TEST(BackupsE2e, ResetByMistakeThenRestoreThroughTheSystemMenu) {
    ToolRun run;
    WriteSettings(run.Data(), *ConfigWithAssignments());
    const std::wstring profile = ProfileFilePath(run.Data(), 0);
    const std::string before = FileBytes(profile);
    ASSERT_TRUE(run.Start());

    ASSERT_TRUE(run.ClickCommand(cmd::RESET));
    HWND warning = run.WaitOtherWindow();
    ASSERT_TRUE(warning);
    ASSERT_TRUE(run.Answer(warning, true));
    ASSERT_TRUE(run.Sim()->WaitFor(ReceivedCommand(svc::SVC_APPLY_PROFILE, 0), Ms(8000)));
    ASSERT_TRUE(WaitForWindowGone(svc::LOADING_WINDOW_TITLE, Ms(8000), run.Proc().Pid()));
    ASSERT_TRUE(WaitUntil([&] { return FileBytes(profile).find("raid.exe") == std::string::npos; }, Ms(5000)));
    ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(run.Main()) != FALSE; }, Ms(5000)));

    PickSystemMenuItem(run, 3, L"system-menu");
    HWND restore = WaitForWindow(L"Restore earlier settings", Ms(5000), run.Proc().Pid());
    ASSERT_TRUE(restore);
    Sleep(700);
    Screenshot(L"restore-window", ClientOnScreen(restore));
    SetForegroundWindow(restore);
    ASSERT_TRUE(PressKey(VK_RETURN));  // the newest, selected: the one the reset kept
    ASSERT_TRUE(WaitUntil([&] { return run.StatusText().find(L"loaded") != std::wstring::npos; }, Ms(5000)))
        << std::string(run.StatusText().begin(), run.StatusText().end());
    // An edit: nothing written or sent before APPLY.
    EXPECT_EQ(FileBytes(profile).find("raid.exe"), std::string::npos);
    // Restoring again would throw that edit away: asked first, and Cancel keeps it.
    PickSystemMenuItem(run, 3);
    HWND ask = run.WaitOtherWindow();
    ASSERT_TRUE(ask);
    EXPECT_NE(WindowText(ask), L"Restore earlier settings");
    ASSERT_TRUE(run.Answer(ask, false));
    EXPECT_FALSE(WaitForWindow(L"Restore earlier settings", Ms(1500), run.Proc().Pid()));
    EXPECT_NE(run.StatusText().find(L"loaded"), std::wstring::npos);

    const size_t applies = Applies(run, 0);
    ASSERT_TRUE(run.ClickCommand(cmd::APPLY));
    ASSERT_TRUE(WaitUntil([&] { return Applies(run, 0) > applies; }, Ms(8000)));
    EXPECT_EQ(FileBytes(profile), before);
    // The reset is one entry holding the profile file; the apply of the restore
    // kept the reset state it replaced.
    const auto gens = backup::ListGenerations(run.Data());
    ASSERT_GE(gens.size(), 2u);
    EXPECT_EQ(gens[0].action, backup::Action::Restore);
    EXPECT_EQ(gens[1].action, backup::Action::Reset);
    EXPECT_EQ(gens[1].profile, 0);
    EXPECT_EQ(gens[1].files.front(), L"Profile0.prof");
}

TEST(BackupsE2e, ExportOneImportIntoThreeAndADamagedFileIsRefused) {
    ToolRun run;
    WriteSettings(run.Data(), *ConfigWithAssignments());
    ASSERT_TRUE(run.Start());
    const std::wstring file = run.appData.AppData() + L"raid.zavoprofile";
    PickSystemMenuItem(run, 2);
    ChooseFile(run, file);
    ASSERT_TRUE(WaitUntil([&] { return run.StatusText() == L"Profile exported."; }, Ms(5000)));
    const std::string exported = FileBytes(file);
    EXPECT_NE(exported.find("APP Path=C:\\Games\\raid.exe"), std::string::npos) << exported;

    ASSERT_TRUE(run.ClickCommand(cmd::PROFILE3));
    ASSERT_TRUE(run.Sim()->WaitFor(ReceivedCommand(svc::SVC_SELECT_PROFILE, 2, "post")));
    // A damaged copy first: refused, nothing changes.
    const std::wstring damaged = run.appData.AppData() + L"damaged.zavoprofile";
    std::string bad = exported;
    bad.replace(bad.find("raid.exe"), 8, "evil.exe");
    ASSERT_TRUE(fs::WriteFileAtomic(damaged, bad));
    const std::string three = FileBytes(ProfileFilePath(run.Data(), 2));
    PickSystemMenuItem(run, 1);
    ChooseFile(run, damaged);
    HWND refusal = run.WaitOtherWindow();
    ASSERT_TRUE(refusal);
    Shot(L"import-refused");
    ASSERT_TRUE(run.Answer(refusal, true));
    EXPECT_TRUE(run.StatusText().empty());

    PickSystemMenuItem(run, 1);
    ChooseFile(run, file);
    ASSERT_TRUE(WaitUntil([&] { return run.StatusText().find(L"imported") != std::wstring::npos; }, Ms(5000)));
    EXPECT_EQ(FileBytes(ProfileFilePath(run.Data(), 2)), three);  // an edit until APPLY
    ASSERT_TRUE(run.ClickCommand(cmd::APPLY));
    ASSERT_TRUE(run.Sim()->WaitFor(ReceivedCommand(svc::SVC_APPLY_PROFILE, 2), Ms(8000)));
    auto now = std::make_unique<KeyboardConfig>();
    std::wstring error;
    ASSERT_TRUE(ReadDataFolder(run.Data(), *now, error));
    EXPECT_EQ(now->Profile[2].Button[1].AppPath, L"C:\\Games\\raid.exe");
    EXPECT_EQ(now->Profile[2].Button[2].Macro.MacroName, L"Reload");
    EXPECT_EQ(now->Profile[2].SwapKey[4].AssKey, 0x20);
}
