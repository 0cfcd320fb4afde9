// ZAVOSwitch.exe as a user has it: devicesim as the service, game.exe and
// editor.exe (programs of this test that raise the foreground event for their
// own window, as Windows does) brought to the front in turn. The switch is
// what devicesim logs and what Config.config holds.
//
// What must not happen is shown by counting the selects once a later event
// that does switch was handled; events of two processes have no order between
// them, so each step is given a moment to arrive before the next (Settle).
#include <gtest/gtest.h>

#include "Harness.h"
#include "ToolRun.h"
#include "app/Switcher.h"
#include "config/AppRules.h"
#include "service/ServiceCodes.h"

using namespace zavo;
using namespace zavo::e2e;

namespace {

constexpr UINT ID_PAUSE = 1;  // the switcher's menu command

std::wstring FrontApp(const wchar_t* name) { return BinDir() + L"frontapps\\" + name; }

// Lets an event raised by another process reach the switcher before the next step.
void Settle() {
    Pump();
    ::Sleep(1000);
}

HWND SwitcherWindow() { return ::FindWindowW(switcher::kWindowClass, nullptr); }

// game.exe -> profile 3, editor.exe -> profile 2, no rule: keep.
void WriteRules(const std::wstring& data, int fallback = apps::KEEP_PROFILE) {
    apps::AppRules rules;
    rules.rules = {{L"game.exe", 2}, {L"EDITOR.EXE", 1}};
    rules.fallback = fallback;
    ASSERT_TRUE(apps::WriteAppRules(apps::RulesFilePath(data), rules));
}

// A program of this test, started and at the front.
struct Front {
    explicit Front(const wchar_t* name) : title(name), process(Process::Start(FrontApp(name), {})) {
        window = WaitForWindow(title, Ms(10000), process.Pid());
    }
    // Comes to the front again (and raises the event again).
    void Raise() const { ::PostMessageW(window, WM_APP, 0, 0); }
    std::wstring title;
    Process process;
    HWND window = nullptr;
};

// The switcher with the tool's settings and devicesim of `run` (not started).
struct SwitcherRun {
    explicit SwitcherRun(ToolRun& run) : tool(run) {
        WriteSettings(run.Data(), *PresentConfig());
        WriteRules(run.Data());
        process = Process::Start(BinPath(switcher::kExeName), {}, run.appData.Env());
        WaitUntil([] { return SwitcherWindow() != nullptr; }, Ms(10000));
    }
    bool Selected(int profile) const {
        return tool.Sim()->WaitFor(ReceivedCommand(svc::SVC_SELECT_PROFILE, profile, "post"), Ms(8000)).has_value();
    }
    size_t SelectCount() const {
        size_t n = 0;
        for (const SimLogLine& l : tool.Sim()->Log())
            if (ReceivedCommand(svc::SVC_SELECT_PROFILE)(l)) ++n;
        return n;
    }
    ToolRun& tool;
    Process process;
};

}  // namespace

TEST(Switcher, ProfileFollowsTheApplicationInFront) {
    ToolRun run;
    SwitcherRun sw(run);
    ASSERT_TRUE(SwitcherWindow());
    Front game(L"game.exe");
    ASSERT_TRUE(game.window);
    ASSERT_TRUE(sw.Selected(2));
    EXPECT_EQ(run.ConfigInt(L"CONFIG", L"CURRENTPROFILE"), 2);
    Front editor(L"editor.exe");
    ASSERT_TRUE(sw.Selected(1));
    EXPECT_EQ(run.ConfigInt(L"CONFIG", L"CURRENTPROFILE"), 1);
    EXPECT_NE(WindowText(SwitcherWindow()).find(L"profile 2"), std::wstring::npos) << WindowText(SwitcherWindow());

    // The profile already active is not selected again; game.exe switches back.
    const size_t before = sw.SelectCount();
    editor.Raise();
    Settle();
    game.Raise();
    ASSERT_TRUE(WaitUntil([&] { return sw.SelectCount() == before + 1; }, Ms(8000)));
    EXPECT_EQ(run.ConfigInt(L"CONFIG", L"CURRENTPROFILE"), 2);

    // An application without a rule: the fallback (profile 5), here this test program.
    WriteRules(run.Data(), 4);
    RecordingWindow self(L"no rule");
    ::NotifyWinEvent(EVENT_SYSTEM_FOREGROUND, self.Handle(), OBJID_WINDOW, CHILDID_SELF);
    ASSERT_TRUE(sw.Selected(4));
    EXPECT_EQ(run.ConfigInt(L"CONFIG", L"CURRENTPROFILE"), 4);
}

TEST(Switcher, PauseAndTheOpenMainWindowStopSwitching) {
    ToolRun run;
    SwitcherRun sw(run);
    Front game(L"game.exe");
    ASSERT_TRUE(sw.Selected(2));
    Front editor(L"editor.exe");
    ASSERT_TRUE(sw.Selected(1));

    ASSERT_TRUE(::PostMessageW(SwitcherWindow(), WM_COMMAND, ID_PAUSE, 0));
    ASSERT_TRUE(WaitUntil([] { return WindowText(SwitcherWindow()).find(L"paused") != std::wstring::npos; }, Ms(5000)));
    game.Raise();
    Settle();
    editor.Raise();  // editor's profile is active: no select either way
    Settle();
    ASSERT_TRUE(::PostMessageW(SwitcherWindow(), WM_COMMAND, ID_PAUSE, 0));
    ASSERT_TRUE(WaitUntil([] { return WindowText(SwitcherWindow()).find(L"paused") == std::wstring::npos; }, Ms(5000)));
    game.Raise();
    // While paused game.exe came to the front and nothing was selected: the
    // third select is the one after resuming.
    ASSERT_TRUE(WaitUntil([&] { return sw.SelectCount() == 3; }, Ms(8000)));
    EXPECT_EQ(run.ConfigInt(L"CONFIG", L"CURRENTPROFILE"), 2);

    {
        // A window titled as the main window: the user is configuring.
        RecordingWindow mainWindow(svc::MAIN_WINDOW_TITLE);
        editor.Raise();
        Settle();
    }
    game.Raise();  // game's profile is still active: nothing to select
    Settle();
    editor.Raise();
    ASSERT_TRUE(WaitUntil([&] { return sw.SelectCount() == 4; }, Ms(8000)));
    Settle();
    EXPECT_EQ(sw.SelectCount(), 4u);
    EXPECT_EQ(run.ConfigInt(L"CONFIG", L"CURRENTPROFILE"), 1);
}

TEST(Switcher, MainWindowOpenedAfterASwitchShowsThatProfile) {
    ToolRun run;
    SwitcherRun sw(run);
    Front game(L"game.exe");
    ASSERT_TRUE(sw.Selected(2));
    ASSERT_TRUE(run.Start());
    // The main window keeps the profile it loaded: its save writes it back.
    ASSERT_TRUE(run.RequestSave());
    EXPECT_EQ(run.ConfigInt(L"CONFIG", L"CURRENTPROFILE"), 2);
    // While it is open, editor.exe coming to the front switches nothing.
    const size_t before = sw.SelectCount();
    Front editor(L"editor.exe");
    ASSERT_TRUE(editor.window);
    Settle();
    ASSERT_TRUE(run.RequestSave());
    EXPECT_EQ(sw.SelectCount(), before);
    EXPECT_EQ(run.ConfigInt(L"CONFIG", L"CURRENTPROFILE"), 2);
}

TEST(Switcher, WithoutTheServiceItSelectsOnceTheServiceIsThere) {
    ToolRun run(ToolRun::Service::None);
    WriteSettings(run.Data(), *PresentConfig());
    WriteRules(run.Data());
    Process switcherProcess = Process::Start(BinPath(switcher::kExeName), {}, run.appData.Env());
    ASSERT_TRUE(WaitUntil([] { return SwitcherWindow() != nullptr; }, Ms(10000)));
    Front game(L"game.exe");
    ASSERT_TRUE(game.window);
    Front editor(L"editor.exe");
    ASSERT_TRUE(editor.window);
    Settle();
    // Nothing written without the service.
    EXPECT_EQ(run.ConfigInt(L"CONFIG", L"CURRENTPROFILE"), 0);
    DeviceSim sim(run.Data());
    ASSERT_TRUE(sim.Ready());
    // The application in front when the service came: editor.exe.
    ASSERT_TRUE(sim.WaitFor(ReceivedCommand(svc::SVC_SELECT_PROFILE, 1, "post"), Ms(8000)));
    EXPECT_EQ(run.ConfigInt(L"CONFIG", L"CURRENTPROFILE"), 1);
}

TEST(Switcher, ASecondInstanceEndsAtOnce) {
    ToolRun run;
    SwitcherRun sw(run);
    ASSERT_TRUE(SwitcherWindow());
    const std::optional<DWORD> second = RunToExit(BinPath(switcher::kExeName), {}, Ms(15000), run.appData.Env());
    ASSERT_TRUE(second.has_value());
    EXPECT_EQ(*second, 0u);
    EXPECT_TRUE(sw.process.Running());
    ASSERT_TRUE(::PostMessageW(SwitcherWindow(), WM_COMMAND, 3 /* quit */, 0));
    EXPECT_TRUE(sw.process.WaitExit(Ms(10000)).has_value());
}
