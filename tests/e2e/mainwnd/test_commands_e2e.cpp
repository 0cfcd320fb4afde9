// The command buttons, clicked with the real mouse: modes, profiles with and
// without unsaved edits, the apply cycle with a working, a missing and a hung
// service, the reset, and a save that fails.
#include <gtest/gtest.h>

#include <chrono>

#include "ToolRun.h"
#include "config/Ini.h"
#include "service/ServiceCodes.h"

using namespace zavo;
using namespace zavo::e2e;

namespace {

constexpr int STANDARD_KEY_A = 45;  // any key of the skin's keyboard

bool FileThere(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Marks the configuration as edited the way the lighting window does.
// The settings with T1 of profile I sending a key.
std::unique_ptr<KeyboardConfig> ConfigWithT1() {
    auto config = PresentConfig();
    ButtonConfig& slot = config->Profile[0].Button[0];
    slot.FunID = FUNID_SINGLEKEY;
    slot.SingleKey = slot.CurKey = slot.AssKey = 0x04;
    return config;
}

// Clears T1 (see ConfigWithT1) without applying.
void MakeUnsavedEdit(ToolRun& run) {
    ASSERT_TRUE(run.ClickTKey(0));
    ASSERT_TRUE(run.ClickCommand(cmd::ASSIGN_CLEAR));
}

}  // namespace

TEST(MainCommands, ModeButtonsTellTheServiceStoreTheModeAndLockTheKeys) {
    ToolRun run;
    WriteSettings(run.Data(), *PresentConfig());
    ASSERT_TRUE(run.Start());
    // The standard keys are locked in mode 0 (shown disabled).
    const auto shown = [&] { return FaceShownAt(run.Main(), StandardKeyRect(STANDARD_KEY_A)); };
    const auto locked = [&] { return shown() == KeyLook::Disabled; };
    const auto unlocked = [&] {
        const auto look = shown();
        return look && *look != KeyLook::Disabled;
    };
    EXPECT_TRUE(WaitUntil(locked, Ms(3000)));
    // The Enter key (a window of its own) follows: the middle of its face.
    const SkinRect enter = StandardKeyRect(ENTER_KEY_INDEX);
    const auto enterShows = [&](KeyLook look) {
        return [&run, enter, look] {
            return FaceShownAt(run.Main(),
                               SkinRect{enter.left + 11, enter.top + 31, enter.left + 45, enter.top + 61}) == look;
        };
    };
    EXPECT_TRUE(WaitUntil(enterShows(KeyLook::Disabled), Ms(3000)));

    ASSERT_TRUE(run.ClickCommand(cmd::MODE1));
    ASSERT_TRUE(run.Sim()->WaitFor(ReceivedCommand(svc::SVC_SET_MODE, 1, "send")));
    EXPECT_TRUE(WaitUntil([&] { return run.ConfigInt(L"CONFIG", L"Mode") == 1; }, Ms(3000)));
    EXPECT_TRUE(WaitUntil(unlocked, Ms(3000)));
    EXPECT_TRUE(WaitUntil(enterShows(KeyLook::Rest), Ms(3000)));
    Shot(L"main-mode1", run.Main());

    ASSERT_TRUE(run.ClickCommand(cmd::MODE0));
    ASSERT_TRUE(run.Sim()->WaitFor(ReceivedCommand(svc::SVC_SET_MODE, 0, "send")));
    EXPECT_TRUE(WaitUntil([&] { return run.ConfigInt(L"CONFIG", L"Mode") == 0; }, Ms(3000)));
    EXPECT_TRUE(WaitUntil(locked, Ms(3000)));
    EXPECT_TRUE(WaitUntil(enterShows(KeyLook::Disabled), Ms(3000)));
    Shot(L"main-mode0", run.Main());

    // Without a configuration file the mode is not written anywhere.
    const std::wstring config = run.Data() + L"Config.config";
    ASSERT_TRUE(DeleteFileW(config.c_str()));
    ASSERT_TRUE(run.ClickCommand(cmd::MODE1));
    ASSERT_TRUE(run.Sim()->WaitFor(ReceivedCommand(svc::SVC_SET_MODE, 1, "send")));
    Sleep(300);
    EXPECT_FALSE(FileThere(config));
}

TEST(MainCommands, ProfileButtonSelectsTheProfileAtOnceWithoutEdits) {
    ToolRun run;
    WriteSettings(run.Data(), *PresentConfig());
    ASSERT_TRUE(run.Start());
    // The active profile's own button selects it again.
    ASSERT_TRUE(run.ClickCommand(cmd::PROFILE1));
    ASSERT_TRUE(run.Sim()->WaitFor(ReceivedCommand(svc::SVC_SELECT_PROFILE, 0, "post")));
    ASSERT_TRUE(run.ClickCommand(cmd::PROFILE5));
    ASSERT_TRUE(run.Sim()->WaitFor(ReceivedCommand(svc::SVC_SELECT_PROFILE, 4, "post")));
    EXPECT_EQ(run.OtherWindow(), nullptr);
    ASSERT_TRUE(run.RequestSave());
    EXPECT_EQ(run.ConfigInt(L"CONFIG", L"CURRENTPROFILE"), 4);
}

TEST(MainCommands, UnsavedEditsAskFirstCancelKeepsThemOkAppliesThenSwitches) {
    ToolRun run;
    WriteSettings(run.Data(), *ConfigWithT1());
    ASSERT_TRUE(run.Start());
    MakeUnsavedEdit(run);

    ASSERT_TRUE(run.ClickCommand(cmd::PROFILE3));
    HWND warning = run.WaitOtherWindow();
    ASSERT_TRUE(warning);
    Shot(L"warning-save-changes");
    ASSERT_TRUE(run.Answer(warning, false));
    EXPECT_FALSE(run.Sim()->WaitFor(ReceivedCommand(svc::SVC_SELECT_PROFILE), Ms(500)));

    // The edits are still there: the question comes again.
    ASSERT_TRUE(run.ClickCommand(cmd::PROFILE3));
    warning = run.WaitOtherWindow();
    ASSERT_TRUE(warning);
    ASSERT_TRUE(run.Answer(warning, true));
    // The profile that was active is applied first, then the new one selected.
    ASSERT_TRUE(run.Sim()->WaitFor(ReceivedCommand(svc::SVC_APPLY_PROFILE, 0), Ms(5000)));
    ASSERT_TRUE(run.Sim()->WaitFor(ReceivedCommand(svc::SVC_SELECT_PROFILE, 2, "post"), Ms(5000)));
    // No question any more: the edits were applied.
    ASSERT_TRUE(run.ClickCommand(cmd::PROFILE1));
    ASSERT_TRUE(run.Sim()->WaitFor(ReceivedCommand(svc::SVC_SELECT_PROFILE, 0, "post"), Ms(5000)));
    EXPECT_EQ(run.OtherWindow(), nullptr);
}

TEST(MainCommands, ApplyWritesTheFilesThenAsksTheServiceAfterOneSecond) {
    ToolRun run;
    auto config = PresentConfig();
    config->CurrantProfile = 3;
    WriteSettings(run.Data(), *config);
    ASSERT_TRUE(run.Start());
    for (int p = 0; p < PROFILE_COUNT; ++p)
        DeleteFileW((run.Data() + L"Profile" + std::to_wstring(p) + L".prof").c_str());

    ASSERT_TRUE(run.ClickCommand(cmd::APPLY));
    ASSERT_TRUE(WaitForWindow(svc::LOADING_WINDOW_TITLE, Ms(3000), run.Proc().Pid()));
    // The six files are complete before the service is asked to read them.
    for (int p = 0; p < PROFILE_COUNT; ++p)
        EXPECT_TRUE(FileThere(run.Data() + L"Profile" + std::to_wstring(p) + L".prof")) << p;
    ASSERT_TRUE(run.Sim()->WaitFor(ReceivedCommand(svc::SVC_FILES_CHANGED, 3, "post")));
    ASSERT_TRUE(run.Sim()->WaitFor(ReceivedCommand(svc::SVC_APPLY_PROFILE, 3, "post")));
    ASSERT_TRUE(run.Sim()->WaitFor(ReceivedCommand(svc::SVC_SELECT_PROFILE, 3, "post")));
    EXPECT_TRUE(WaitForWindowGone(svc::LOADING_WINDOW_TITLE, Ms(3000), run.Proc().Pid()));
    // Every file the service checked on the apply was sound.
    for (const SimLogLine& l : run.Sim()->Log()) {
        if (l.event != "check") continue;
        EXPECT_EQ(l.Get("ok"), "1") << l.Get("file") << " " << l.Get("problem");
    }
}

TEST(MainCommands, ApplyWithoutServiceClosesTheLoadingWindowAfterOneSecond) {
    ToolRun run(ToolRun::Service::None);
    WriteSettings(run.Data(), *PresentConfig());
    ASSERT_TRUE(run.Start());
    ASSERT_TRUE(run.ClickCommand(cmd::APPLY));
    ASSERT_TRUE(WaitForWindow(svc::LOADING_WINDOW_TITLE, Ms(3000), run.Proc().Pid()));
    EXPECT_TRUE(WaitForWindowGone(svc::LOADING_WINDOW_TITLE, Ms(4000), run.Proc().Pid()));
    EXPECT_TRUE(run.Responsive());
}

TEST(MainCommands, HungServiceLeavesTheToolResponsiveAndItsEndClosesTheWait) {
    ToolRun run(ToolRun::Service::HungSim);
    WriteSettings(run.Data(), *PresentConfig());
    // The simulator blocks in the mode sent at start; the tool gives up after its time limit.
    ASSERT_TRUE(run.Start());
    ASSERT_TRUE(run.Sim()->WaitFor([](const SimLogLine& l) { return l.event == "hang"; }));
    ASSERT_TRUE(run.ClickCommand(cmd::APPLY));
    ASSERT_TRUE(WaitForWindow(svc::LOADING_WINDOW_TITLE, Ms(3000), run.Proc().Pid()));
    Sleep(2500);
    EXPECT_TRUE(FindTopWindow(svc::LOADING_WINDOW_TITLE, run.Proc().Pid()));
    EXPECT_TRUE(run.Responsive());
    // The service goes away while the tool waits for its answer.
    run.Sim()->Proc().Kill();
    EXPECT_TRUE(WaitForWindowGone(svc::LOADING_WINDOW_TITLE, Ms(3000), run.Proc().Pid()));
    EXPECT_TRUE(run.Responsive());
}

TEST(MainCommands, ResetClearsTheProfileRestoresTheLightingAndTellsTheService) {
    ToolRun run;
    auto config = PresentConfig();
    config->Light.LightStyle = 1;
    ButtonConfig& slot = config->Profile[0].Button[0];
    slot.FunID = FUNID_SINGLEKEY;
    slot.SingleKey = slot.CurKey = slot.AssKey = 0x04;
    WriteSettings(run.Data(), *config);
    ASSERT_TRUE(run.Start());

    // Declined: nothing changes.
    ASSERT_TRUE(run.ClickCommand(cmd::RESET));
    HWND warning = run.WaitOtherWindow();
    ASSERT_TRUE(warning);
    Shot(L"warning-reset");
    ASSERT_TRUE(run.Answer(warning, false));
    Sleep(300);
    EXPECT_FALSE(FileThere(run.Data() + L"LightOption.ini"));
    EXPECT_EQ(SettingInt(run.Data(), L"Profile0.prof", L"BUTTONCONFIG0", L"FunID"), FUNID_SINGLEKEY);

    ASSERT_TRUE(run.ClickCommand(cmd::RESET));
    warning = run.WaitOtherWindow();
    ASSERT_TRUE(warning);
    ASSERT_TRUE(run.Answer(warning, true));
    ASSERT_TRUE(run.Sim()->WaitFor(ReceivedCommand(svc::SVC_APPLY_PROFILE, 0), Ms(5000)));
    ASSERT_TRUE(run.Sim()->WaitFor(ReceivedCommand(svc::SVC_APPLY_LIGHT, 0, "send"), Ms(5000)));
    EXPECT_EQ(SettingInt(run.Data(), L"Profile0.prof", L"BUTTONCONFIG0", L"FunID"), 0);
    EXPECT_EQ(run.ConfigInt(L"LIGHTOPTION", L"LIGHTSTYLE"), 3);
    // The lit zones are the skin's factory states.
    const std::wstring factory = BinPath(L"Skins\\LightOption.ini");
    for (const wchar_t* key : {L"m_BTNW", L"m_BTNDirect", L"m_BTNTt6TO10"}) {
        EXPECT_EQ(SettingInt(run.Data(), L"LightOption.ini", L"Profile2LightState", key),
                  Settings().IniReadInt(factory, L"Profile2LightState", key, 0))
            << key;
    }
    // Code 0 came right before the light apply.
    const auto log = run.Sim()->Log();
    bool filesChangedBeforeLight = false;
    for (size_t i = 1; i < log.size(); ++i)
        if (log[i].Is("recv", {{"code", "5"}}) && log[i - 1].Is("recv", {{"code", "0"}, {"lparam", "0"}}))
            filesChangedBeforeLight = true;
    EXPECT_TRUE(filesChangedBeforeLight);
}

TEST(MainCommands, FailedSaveIsReportedAndTheEditsStay) {
    ToolRun run;
    WriteSettings(run.Data(), *PresentConfig());
    ASSERT_TRUE(run.Start());
    MakeUnsavedEdit(run);
    // A folder stands where the profile file must be written.
    const std::wstring blocked = run.Data() + L"Profile2.prof";
    ASSERT_TRUE(DeleteFileW(blocked.c_str()));
    ASSERT_TRUE(CreateDirectoryW(blocked.c_str(), nullptr));

    ASSERT_TRUE(run.ClickCommand(cmd::APPLY));
    HWND box = run.WaitOtherWindow();
    ASSERT_TRUE(box);
    Shot(L"save-failed");
    const std::wstring text = WindowText(GetDlgItem(box, 0xFFFF));
    EXPECT_NE(text.find(L"Profile2.prof"), std::wstring::npos) << std::string(text.begin(), text.end());
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }, Ms(3000)));
    // Nothing was sent to apply, and the tool still knows it has unsaved edits.
    EXPECT_FALSE(run.Sim()->WaitFor(ReceivedCommand(svc::SVC_APPLY_PROFILE), Ms(1500)));
    RemoveDirectoryW(blocked.c_str());
    ASSERT_TRUE(run.ClickCommand(cmd::PROFILE2));
    HWND warning = run.WaitOtherWindow();
    ASSERT_TRUE(warning);
    ASSERT_TRUE(run.Answer(warning, false));
}

TEST(MainCommands, ResetWhoseSaveFailsSendsNothingAndKeepsTheEdit) {
    ToolRun run;
    WriteSettings(run.Data(), *PresentConfig());
    ASSERT_TRUE(run.Start());
    const std::wstring blocked = run.Data() + L"Profile3.prof";
    ASSERT_TRUE(DeleteFileW(blocked.c_str()));
    ASSERT_TRUE(CreateDirectoryW(blocked.c_str(), nullptr));
    ASSERT_TRUE(run.ClickCommand(cmd::RESET));
    ASSERT_TRUE(run.Answer(run.WaitOtherWindow(), true));
    HWND box = run.WaitOtherWindow();
    ASSERT_TRUE(box);
    EXPECT_NE(WindowText(GetDlgItem(box, 0xFFFF)).find(L"Profile3.prof"), std::wstring::npos);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }, Ms(3000)));
    EXPECT_FALSE(run.Sim()->WaitFor(ReceivedCommand(svc::SVC_APPLY_PROFILE), Ms(1500)));
    EXPECT_FALSE(run.Sim()->WaitFor(ReceivedCommand(svc::SVC_APPLY_LIGHT), Ms(100)));
    RemoveDirectoryW(blocked.c_str());
    ASSERT_TRUE(run.ClickCommand(cmd::PROFILE2));
    HWND warning = run.WaitOtherWindow();
    ASSERT_TRUE(warning);
    ASSERT_TRUE(run.Answer(warning, false));
}

TEST(MainCommands, KeysAndButtonsLightUnderTheMouse) {
    ToolRun run;
    auto config = PresentConfig();
    config->Mode = 1;
    WriteSettings(run.Data(), *config);
    ASSERT_TRUE(run.Start());
    const SkinRect key = StandardKeyRect(STANDARD_KEY_A);
    const auto shows = [&](KeyLook look) {
        return WaitUntil([&] { return FaceShownAt(run.Main(), key) == look; }, Ms(3000));
    };
    ASSERT_TRUE(shows(KeyLook::Rest));
    ASSERT_TRUE(MoveMouseTo(run.Main(), StandardKeyPoint(STANDARD_KEY_A)));
    EXPECT_TRUE(shows(KeyLook::Over));
    // Straight onto a command button, a window of its own over the main window,
    // which lights up from the same faces.
    ASSERT_TRUE(MoveMouseTo(run.Main(), CommandPoint(cmd::MACRO_EDITOR)));
    EXPECT_TRUE(shows(KeyLook::Rest));
    const SkinRect button = MainSkinEntry(L"BUTTONINFO", cmd::MACRO_EDITOR).rect;
    EXPECT_TRUE(WaitUntil([&] { return FaceShownAt(run.Main(), button) == KeyLook::Over; }, Ms(3000)));
}
