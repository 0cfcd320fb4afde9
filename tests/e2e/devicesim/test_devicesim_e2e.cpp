// devicesim as the tool sees it: a second process with the window "VARNOSHid",
// its log, its answers to an apply, and the requests it passes on.
#include <gtest/gtest.h>

#include <memory>

#include "Harness.h"
#include "TempDir.h"
#include "config/ConfigStore.h"
#include "platform/TextCodec.h"
#include "service/ServiceCodes.h"

using namespace zavo;
using namespace zavo::e2e;

namespace {

// A data folder holding a sound configuration; profile 2 has a remap in T-key 1.
void WriteSoundSettings(const std::wstring& dataFolder) {
    auto config = std::make_unique<KeyboardConfig>();
    config->Mode = 1;
    config->CurrantProfile = 2;
    ButtonConfig& slot = config->Profile[2].Button[0];
    slot.FunID = FUNID_SINGLEKEY;
    slot.SingleKey = slot.CurKey = slot.AssKey = 0x04;
    ASSERT_TRUE(SaveConfiguration(dataFolder, *config));
}

void PostCommand(HWND sim, unsigned code, LPARAM lParam) {
    ASSERT_TRUE(PostMessageW(sim, svc::WM_SERVICE_COMMAND, code, lParam));
}

}  // namespace

TEST(DeviceSim, StartMarksTheKeyboardPresentAndKeepsTheRestOfTheFile) {
    TempDir dir;
    auto config = std::make_unique<KeyboardConfig>();
    config->Mode = 1;
    config->CurrantProfile = 3;
    config->DeviceState = 0;
    ASSERT_TRUE(WriteConfigFile(ConfigFilePath(dir.path()), *config));

    DeviceSim sim(dir.path());
    ASSERT_TRUE(sim.Ready());
    EXPECT_EQ(SettingInt(dir.path(), L"Config.config", L"CONFIG", L"DEVICEPSTATS"), 1);
    EXPECT_EQ(SettingInt(dir.path(), L"Config.config", L"CONFIG", L"Mode"), 1);
    EXPECT_EQ(SettingInt(dir.path(), L"Config.config", L"CONFIG", L"CURRENTPROFILE"), 3);
    auto start = sim.Log().at(0);
    EXPECT_TRUE(start.Is("start", {{"device", "1"}, {"config", "updated"}}));
}

TEST(DeviceSim, StartCreatesAMissingFolderWithACompleteConfiguration) {
    TempDir dir;
    std::wstring data = dir.path() + L"Brimvale\\ZAVO\\";
    DeviceSim sim(data);
    ASSERT_TRUE(sim.Ready());
    EXPECT_EQ(SettingInt(data, L"Config.config", L"CONFIG", L"DEVICEPSTATS"), 1);
    // The tool must not read -1 for the mode or the lighting from this file.
    EXPECT_EQ(SettingInt(data, L"Config.config", L"CONFIG", L"Mode"), 0);
    EXPECT_EQ(SettingInt(data, L"Config.config", L"LIGHTOPTION", L"LIGHTSTYLE"), 3);
}

TEST(DeviceSim, NoDeviceLeavesTheDataFolderAlone) {
    TempDir dir;
    std::wstring data = dir.path() + L"ZAVO\\";
    DeviceSim sim(data, {L"--no-device"});
    ASSERT_TRUE(sim.Ready());
    EXPECT_FALSE(fs::DirectoryExists(data));
    EXPECT_TRUE(sim.Log().at(0).Is("start", {{"device", "0"}}));
}

TEST(DeviceSim, DefaultDataFolderIsTheApplicationDataFolder) {
    PrivateAppData appData;
    DeviceSim sim(L"", {}, appData.Env());
    ASSERT_TRUE(sim.Ready());
    EXPECT_EQ(SettingInt(appData.DataFolder(), L"Config.config", L"CONFIG", L"DEVICEPSTATS"), 1);
}

TEST(DeviceSim, LogsEveryCommandAndWhetherItWasPostedOrSent) {
    TempDir dir;
    DeviceSim sim(dir.path());
    ASSERT_TRUE(sim.Ready());
    PostCommand(sim.Window(), svc::SVC_LIGHT_WINDOW_OPEN, 0);
    EXPECT_EQ(SendTo(sim.Window(), svc::WM_SERVICE_COMMAND, svc::SVC_SET_MODE, 1), 1);
    PostCommand(sim.Window(), 77, -5);
    EXPECT_TRUE(sim.WaitFor(ReceivedCommand(svc::SVC_LIGHT_WINDOW_OPEN, 0, "post")));
    EXPECT_TRUE(sim.WaitFor(ReceivedCommand(svc::SVC_SET_MODE, 1, "send")));
    auto unknown = sim.WaitFor(ReceivedCommand(77, -5));
    ASSERT_TRUE(unknown);
    EXPECT_EQ(unknown->Get("name"), "unknown");
}

TEST(DeviceSim, AnswersAnApplyToTheLoadingWindowAfterTheDelay) {
    TempDir dir;
    WriteSoundSettings(dir.path());
    DeviceSim sim(dir.path(), {L"--apply-delay", L"400"});
    ASSERT_TRUE(sim.Ready());
    RecordingWindow loading(svc::LOADING_WINDOW_TITLE);

    PostCommand(sim.Window(), svc::SVC_FILES_CHANGED, 2);
    PostCommand(sim.Window(), svc::SVC_APPLY_PROFILE, 2);
    auto answer = loading.WaitFor(svc::WM_SERVICE_COMMAND, Ms(5000));
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->lParam, 2);
    EXPECT_FALSE(answer->sent) << "the loading dialog sees only posted messages";

    auto log = sim.Log();
    int checked = 0;
    for (const auto& l : log) {
        if (l.event == "check") {
            ++checked;
            EXPECT_EQ(l.Get("ok"), "1") << l.Get("file") << ": " << l.Get("problem");
        }
    }
    EXPECT_EQ(checked, 6);
    auto apply = sim.WaitFor([](const SimLogLine& l) { return l.Is("apply", {{"profile", "2"}, {"ok", "1"}}); });
    auto reply = sim.WaitFor([](const SimLogLine& l) { return l.Is("reply", {{"ok", "1"}, {"lparam", "2"}}); });
    ASSERT_TRUE(apply && reply);
    // The answer follows the file check in the log, never comes before it.
    auto after = sim.Log();
    auto at = [&after](const char* event) {
        for (size_t i = 0; i < after.size(); ++i)
            if (after[i].event == event) return static_cast<long>(i);
        return -1L;
    };
    EXPECT_LT(at("apply"), at("reply"));
    Screenshot(L"devicesim-applied", sim.Window());
}

TEST(DeviceSim, ReportsACorruptProfileFileInTheLog) {
    TempDir dir;
    WriteSoundSettings(dir.path());
    ASSERT_TRUE(Settings().IniWriteString(ProfileFilePath(dir.path(), 3), L"BUTTONCONFIG4", L"FunID", L"banana"));
    DeviceSim sim(dir.path(), {L"--apply-delay", L"0"});
    ASSERT_TRUE(sim.Ready());
    RecordingWindow loading(svc::LOADING_WINDOW_TITLE);
    PostCommand(sim.Window(), svc::SVC_APPLY_PROFILE, 3);

    auto bad = sim.WaitFor([](const SimLogLine& l) { return l.Is("check", {{"file", "Profile3.prof"}}); });
    ASSERT_TRUE(bad);
    EXPECT_EQ(bad->Get("ok"), "0");
    EXPECT_NE(bad->Get("problem").find("BUTTONCONFIG4"), std::string::npos) << bad->Get("problem");
    EXPECT_TRUE(sim.WaitFor([](const SimLogLine& l) { return l.Is("apply", {{"profile", "3"}, {"ok", "0"}}); }));
    // A bad file is the service's problem to report, not a reason to leave the
    // tool's loading dialog waiting.
    EXPECT_TRUE(loading.WaitFor(svc::WM_SERVICE_COMMAND, Ms(5000)));
    Screenshot(L"devicesim-bad-file", sim.Window());
}

TEST(DeviceSim, SendPassesEachRequestToTheRightWindow) {
    TempDir dir;
    DeviceSim sim(dir.path());
    ASSERT_TRUE(sim.Ready());
    struct Case {
        std::vector<std::wstring> args;
        const wchar_t* title;
        UINT msg;
        WPARAM wParam;
        LPARAM lParam;
    } cases[] = {
        {{L"notify", L"11147"}, svc::MAIN_WINDOW_TITLE, svc::WM_SERVICE_NOTIFY, 0, svc::NOTIFY_MODE_1},
        {{L"notify", L"1027"}, svc::MAIN_WINDOW_TITLE, svc::WM_SERVICE_NOTIFY, 0, 1027},
        {{L"command", L"18"}, svc::MAIN_WINDOW_TITLE, svc::WM_SERVICE_COMMAND, svc::SVC_REQUEST_SAVE, 0},
        {{L"exit"}, svc::MAIN_WINDOW_TITLE, svc::WM_SERVICE_COMMAND, svc::SVC_REQUEST_EXIT, 0},
        {{L"light-sync", L"1", L"1"}, svc::LIGHT_WINDOW_TITLE, svc::WM_LIGHT_SYNC, 1, 1},
        {{L"light-reload"}, svc::LIGHT_WINDOW_TITLE, svc::WM_LIGHT_RELOAD, 0, 0},
        {{L"reply"}, svc::LOADING_WINDOW_TITLE, svc::WM_SERVICE_COMMAND, svc::SVC_APPLY_PROFILE, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args[0]);
        RecordingWindow target(c.title);
        EXPECT_EQ(DeviceSim::Send(c.args), 0u);
        auto got = target.WaitFor(c.msg, Ms(5000));
        ASSERT_TRUE(got);
        EXPECT_EQ(got->wParam, c.wParam);
        EXPECT_EQ(got->lParam, c.lParam);
        EXPECT_FALSE(got->sent) << "the tool handles these while pre-translating posted messages";
    }
}

TEST(DeviceSim, SendExitCodesTellWhatWentWrong) {
    EXPECT_EQ(DeviceSim::Send({L"notify", L"11147"}), 3u) << "no simulator running";
    EXPECT_EQ(DeviceSim::Send({L"notify"}), 2u);
    EXPECT_EQ(DeviceSim::Send({L"wave", L"1"}), 2u);
    for (const std::vector<std::wstring>& flood : {std::vector<std::wstring>{L"flood", L"0", L"11149"},
                                                   {L"flood", L"100001", L"11149"},
                                                   {L"flood", L"10"},
                                                   {L"flood", L"10", L"light"}})
        EXPECT_EQ(DeviceSim::Send(flood), 2u);
    TempDir dir;
    DeviceSim sim(dir.path());
    ASSERT_TRUE(sim.Ready());
    EXPECT_EQ(DeviceSim::Send({L"notify", L"11147"}), 1u) << "no window \"VARNOS\"";
    EXPECT_TRUE(sim.WaitFor([](const SimLogLine& l) { return l.Is("deliver", {{"ok", "0"}, {"target", "VARNOS"}}); }));
}

TEST(DeviceSim, RunOptionsItCannotUseEndItWithExitTwo) {
    const std::vector<std::wstring> bad[] = {
        {L"--bogus"}, {L"--apply-delay"}, {L"--apply-delay", L"soon"}, {L"--apply-delay", L"700000"}, {L"--data"},
    };
    for (const std::vector<std::wstring>& args : bad) {
        Process sim = Process::Start(BinPath(L"devicesim.exe"), args);
        ASSERT_TRUE(sim.Started());
        const auto code = sim.WaitExit(Ms(15000));
        ASSERT_TRUE(code) << text::ToUtf8(args[0]);
        EXPECT_EQ(*code, 2u) << text::ToUtf8(args[0]);
    }
}

TEST(DeviceSim, HangNeverAnswersAndBlocksSentCommands) {
    TempDir dir;
    WriteSoundSettings(dir.path());
    DeviceSim sim(dir.path(), {L"--hang", L"--apply-delay", L"0"});
    ASSERT_TRUE(sim.Ready());
    RecordingWindow loading(svc::LOADING_WINDOW_TITLE);
    PostCommand(sim.Window(), svc::SVC_APPLY_PROFILE, 1);
    EXPECT_TRUE(sim.WaitFor([](const SimLogLine& l) { return l.Is("hang"); }));
    EXPECT_FALSE(loading.WaitFor(svc::WM_SERVICE_COMMAND, Ms(1500)));

    ULONGLONG before = GetTickCount64();
    EXPECT_FALSE(SendTo(sim.Window(), svc::WM_SERVICE_COMMAND, svc::SVC_SET_MODE, 1, Ms(1000)));
    EXPECT_LT(GetTickCount64() - before, 4000u);
    EXPECT_TRUE(sim.WaitFor(ReceivedCommand(svc::SVC_SET_MODE, 1, "send")));
}

TEST(DeviceSim, ASecondSimulatorRefusesToStart) {
    TempDir dir;
    DeviceSim sim(dir.path());
    ASSERT_TRUE(sim.Ready());
    auto code =
        RunToExit(BinPath(L"devicesim.exe"), {L"--data", dir.path(), L"--log", dir.path() + L"second.log"}, Ms(15000));
    EXPECT_EQ(code, 3u);
    EXPECT_TRUE(sim.Proc().Running());
}

TEST(DeviceSim, CarriesOutLinesAppendedToTheControlFile) {
    TempDir dir;
    std::wstring control = dir.path() + L"control.txt";
    ASSERT_TRUE(fs::WriteFileAtomic(control, "notify 11147\n"));  // there before the start: not for this run
    DeviceSim sim(dir.path(), {L"--control", control});
    ASSERT_TRUE(sim.Ready());
    RecordingWindow main(svc::MAIN_WINDOW_TITLE);
    RecordingWindow light(svc::LIGHT_WINDOW_TITLE);
    ASSERT_TRUE(fs::WriteFileAtomic(control, "notify 11147\n# mode back\nnotify 11148\nwave 3\nlight-sync 3 2\nexit"));

    auto sync = light.WaitFor(svc::WM_LIGHT_SYNC, Ms(5000));
    ASSERT_TRUE(sync);
    EXPECT_EQ(sync->wParam, 3u);
    EXPECT_EQ(sync->lParam, 2);
    ASSERT_EQ(main.Received().size(), 1u);
    EXPECT_EQ(main.Received()[0].lParam, svc::NOTIFY_MODE_0);
    EXPECT_TRUE(sim.WaitFor([](const SimLogLine& l) { return l.Is("control", {{"line", "wave 3"}}); }));

    // The last line had no line break yet; it runs once it is complete.
    ASSERT_TRUE(
        fs::WriteFileAtomic(control, "notify 11147\n# mode back\nnotify 11148\nwave 3\nlight-sync 3 2\nexit\n"));
    auto exitRequest = main.WaitFor(svc::WM_SERVICE_COMMAND, Ms(5000));
    ASSERT_TRUE(exitRequest);
    EXPECT_EQ(exitRequest->wParam, svc::SVC_REQUEST_EXIT);
}
