// Starting and ending the tool: the data folder, the start-up warning, the
// active profile's corrections, the mode told to the service, and every way out.
#include <gtest/gtest.h>

#include "TempDir.h"
#include "ToolRun.h"
#include "platform/TextCodec.h"
#include "service/ServiceCodes.h"

using namespace zavo;
using namespace zavo::e2e;

TEST(MainStartup, FirstStartCreatesTheFolderAndWarnsThatNoKeyboardIsThere) {
    ToolRun run(ToolRun::Service::None);
    ASSERT_TRUE(run.Start(/*expectWarning=*/true));
    // The warning comes before the main window is shown.
    HWND warning = run.OtherWindow();
    HWND main = FindTopWindow(svc::MAIN_WINDOW_TITLE, run.Proc().Pid());
    ASSERT_TRUE(main);
    EXPECT_FALSE(IsWindowVisible(main));
    Shot(L"startup-warning");

    const std::wstring config = run.Data() + L"Config.config";
    EXPECT_NE(GetFileAttributesW(config.c_str()), INVALID_FILE_ATTRIBUTES);
    for (int p = 0; p < PROFILE_COUNT; ++p) {
        const std::wstring profile = run.Data() + L"Profile" + std::to_wstring(p) + L".prof";
        EXPECT_EQ(GetFileAttributesW(profile.c_str()), INVALID_FILE_ATTRIBUTES) << p;
    }
    ASSERT_TRUE(run.Answer(warning, true));
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(main); }, Ms(5000)));
}

TEST(MainStartup, ActiveProfileOutsideTheProfilesIsCorrected) {
    struct Case {
        int stored, used;
    } cases[] = {{204, 0}, {-1, 0}, {9, 0}, {6, 0}, {5, 5}, {3, 3}};
    for (const Case& c : cases) {
        ToolRun run(ToolRun::Service::None);
        auto config = PresentConfig();
        config->CurrantProfile = c.stored;
        WriteSettings(run.Data(), *config);
        ASSERT_TRUE(run.Start()) << c.stored;
        ASSERT_TRUE(run.RequestSave()) << c.stored;
        EXPECT_EQ(run.ConfigInt(L"CONFIG", L"CURRENTPROFILE"), c.used) << c.stored;
        // With no profile active the whole keyboard is locked.
        const bool locked = c.used == 5;
        const KeyLook expected = locked ? KeyLook::Disabled : KeyLook::Rest;
        EXPECT_TRUE(WaitUntil([&] { return FaceShownAt(run.Main(), TKeyRect(0)) == expected; }, Ms(3000))) << c.stored;
    }
}

TEST(MainStartup, TellsTheServiceTheModeAndSendsNothingElse) {
    ToolRun run;
    ASSERT_TRUE(run.Sim()->Ready());
    auto config = PresentConfig();
    config->Mode = 1;
    WriteSettings(run.Data(), *config);
    ASSERT_TRUE(run.Start());
    auto line = run.Sim()->WaitFor(ReceivedCommand(svc::SVC_SET_MODE, 1, "send"));
    ASSERT_TRUE(line);
    Sleep(300);
    int commands = 0;
    for (const SimLogLine& l : run.Sim()->Log())
        if (l.event == "recv" && l.Int("msg") == svc::WM_SERVICE_COMMAND) ++commands;
    EXPECT_EQ(commands, 1);
}

TEST(MainStartup, WithoutServiceTheToolStartsAndWorks) {
    ToolRun run(ToolRun::Service::None);
    WriteSettings(run.Data(), *PresentConfig());
    ASSERT_TRUE(run.Start());
    EXPECT_TRUE(run.Responsive());
    EXPECT_TRUE(run.RequestSave());
}

TEST(MainStartup, EnterAndEscapeDoNothing) {
    ToolRun run(ToolRun::Service::None);
    WriteSettings(run.Data(), *PresentConfig());
    ASSERT_TRUE(run.Start());
    SetForegroundWindow(run.Main());
    ClickAt(run.Main(), POINT{560, 60});  // the background: activates the window
    for (WORD key : {VK_RETURN, VK_ESCAPE}) PressKey(key);
    Sleep(500);
    EXPECT_TRUE(run.Proc().Running());
    EXPECT_TRUE(IsWindowVisible(run.Main()));
}

TEST(MainStartup, AMissingSkinIsNamedAndTheToolEnds) {
    // The program copied alone into a folder of its own: no Skins beside it.
    TempDir folder;
    const std::wstring exe = folder.path() + L"ZAVOConfig.exe";
    ASSERT_TRUE(CopyFileW(BinPath(L"ZAVOConfig.exe").c_str(), exe.c_str(), FALSE));
    PrivateAppData appData;
    Process tool = Process::Start(exe, {}, appData.Env(), folder.path());
    ASSERT_TRUE(tool.Started()) << text::ToUtf8(tool.StartError());
    HWND box = WaitForWindow(L"ZAVOConfig", Ms(30000), tool.Pid());
    ASSERT_TRUE(box);
    // The message names the missing description file.
    const std::wstring text = ChildTexts(box);
    EXPECT_NE(text.find(L"Skins\\main.ini"), std::wstring::npos) << text::ToUtf8(text);
    EXPECT_EQ(FindTopWindow(svc::MAIN_WINDOW_TITLE, tool.Pid()), nullptr);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    const auto code = tool.WaitExit(Ms(10000));
    ASSERT_TRUE(code);
    EXPECT_EQ(*code, 1u);
}

TEST(MainExit, EveryWayOutEndsWithItsCodeAndSendsWhatItShould) {
    struct Case {
        const char* name;
        int button;  // 0: the service's exit request
        DWORD code;
        bool toolExitSent;
    } cases[] = {
        {"quit", cmd::QUIT, 0, false},
        {"exit", cmd::EXIT, static_cast<DWORD>(-1), false},
        {"ok-and-exit", cmd::OK_EXIT, 0, true},
        {"service request", 0, 0, false},
    };
    for (const Case& c : cases) {
        ToolRun run;
        WriteSettings(run.Data(), *PresentConfig());
        ASSERT_TRUE(run.Start()) << c.name;
        if (c.button)
            ASSERT_TRUE(run.ClickCommand(c.button)) << c.name;
        else
            ASSERT_EQ(DeviceSim::Send({L"exit"}), 0u) << c.name;
        const auto code = run.WaitExit();
        ASSERT_TRUE(code) << c.name;
        EXPECT_EQ(*code, c.code) << c.name;
        const bool sent =
            run.Sim()->WaitFor(ReceivedCommand(svc::SVC_TOOL_EXIT), Ms(c.toolExitSent ? 5000 : 300)).has_value();
        EXPECT_EQ(sent, c.toolExitSent) << c.name;
        if (c.toolExitSent) {
            // OK saves and applies first: the apply reached the service before the exit notice.
            EXPECT_TRUE(run.Sim()->WaitFor(ReceivedCommand(svc::SVC_APPLY_PROFILE, 0), Ms(100)));
        }
    }
}

TEST(MainExit, ClosingTheWindowEndsTheRunNormally) {
    ToolRun run(ToolRun::Service::None);
    WriteSettings(run.Data(), *PresentConfig());
    ASSERT_TRUE(run.Start());
    PostMessageW(run.Main(), WM_SYSCOMMAND, SC_CLOSE, 0);
    const auto code = run.WaitExit();
    ASSERT_TRUE(code);
    EXPECT_EQ(*code, 0u);
}

TEST(MainStartup, ASecondStartShowsTheRunningWindowAndEnds) {
    ToolRun run(ToolRun::Service::None);
    WriteSettings(run.Data(), *PresentConfig());
    ASSERT_TRUE(run.Start());
    // The user has minimised the tool and works elsewhere.
    ShowWindow(run.Main(), SW_MINIMIZE);
    ASSERT_TRUE(WaitUntil([&] { return IsIconic(run.Main()) != FALSE; }, Ms(5000)));

    Process second = Process::Start(BinPath(L"ZAVOConfig.exe"), {}, run.appData.Env(), BinDir());
    ASSERT_TRUE(second.Started());
    const auto code = second.WaitExit(Ms(30000));
    ASSERT_TRUE(code) << "the second start kept running";
    EXPECT_EQ(*code, 0u);
    EXPECT_EQ(FindTopWindow(svc::MAIN_WINDOW_TITLE, second.Pid()), nullptr);
    // The first one is back in front, untouched, and the only window of its title.
    EXPECT_TRUE(WaitUntil([&] { return !IsIconic(run.Main()) && GetForegroundWindow() == run.Main(); }, Ms(5000)));
    EXPECT_EQ(FindTopWindow(svc::MAIN_WINDOW_TITLE), run.Main());
    EXPECT_TRUE(run.Proc().Running());

    // Once it has ended, the next start is a normal one.
    PostMessageW(run.Main(), WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(run.WaitExit());
    Process third = Process::Start(BinPath(L"ZAVOConfig.exe"), {}, run.appData.Env(), BinDir());
    ASSERT_TRUE(third.Started());
    EXPECT_TRUE(WaitForWindow(svc::MAIN_WINDOW_TITLE, Ms(30000), third.Pid()));
}
