// The device service's notifications and requests as devicesim delivers them,
// and the two timers: the cursor poll naming the assignment under the mouse and
// the blinking of the selected key.
#include <gtest/gtest.h>

#include <set>

#include "ToolRun.h"
#include "config/Ini.h"
#include "platform/FileSystem.h"
#include "platform/TextCodec.h"
#include "macro/KeyNames.h"
#include "resource.h"
#include "service/ServiceCodes.h"

using namespace zavo;
using namespace zavo::e2e;

namespace {

constexpr int SWAPPED_KEY = 45;

bool Notify(long code) { return DeviceSim::Send({L"notify", std::to_wstring(code)}) == 0u; }

void SetOnDisk(ToolRun& run, const wchar_t* section, const wchar_t* key, int value) {
    ASSERT_TRUE(Settings().IniWriteInt(run.Data() + L"Config.config", section, key, value));
}

// T1 a single key, T2 a macro, T3 an application, one standard key remapped.
std::unique_ptr<KeyboardConfig> AssignedConfig(int mode) {
    auto config = PresentConfig();
    config->Mode = mode;
    auto& b = config->Profile[0].Button;
    b[0].FunID = FUNID_SINGLEKEY;
    b[0].SingleKey = b[0].CurKey = b[0].AssKey = 0x14;
    b[1].FunID = FUNID_MACRO;
    b[1].Macro.MacroName = L"Combo";
    b[1].Macro.MacroLength = 2;
    b[1].Macro.RepeatOption = 1;
    b[2].FunID = FUNID_APP;
    b[2].AppPath = L"C:\\Games\\Tool.v2.exe";
    SwapKeyEntry& swap = config->Profile[0].SwapKey[SWAPPED_KEY];
    swap.IsChanged = 1;
    swap.FunID = FUNID_SINGLEKEY;
    swap.CurKey = 0x05;
    swap.AssKey = 0x1A;
    return config;
}

class ExeResources {
public:
    ExeResources() : m_module(LoadLibraryExW(BinPath(L"ZAVOConfig.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)) {}
    ~ExeResources() {
        if (m_module) FreeLibrary(m_module);
    }
    HMODULE Get() const { return m_module; }

private:
    HMODULE m_module;
};

}  // namespace

TEST(MainService, ReloadAllTakesTheFilesAndCorrectsTheProfile) {
    struct Case {
        int onDisk, used;
    } cases[] = {{3, 3}, {9, 0}, {-4, 0}};
    for (const Case& c : cases) {
        ToolRun run;
        WriteSettings(run.Data(), *PresentConfig());
        ASSERT_TRUE(run.Start());
        SetOnDisk(run, L"CONFIG", L"CURRENTPROFILE", c.onDisk);
        ASSERT_TRUE(Notify(svc::NOTIFY_RELOAD_ALL));
        Sleep(300);
        ASSERT_TRUE(run.RequestSave());
        EXPECT_EQ(run.ConfigInt(L"CONFIG", L"CURRENTPROFILE"), c.used) << c.onDisk;
    }
}

TEST(MainService, ReloadAllDiscardsUnsavedEdits) {
    ToolRun run;
    WriteSettings(run.Data(), *PresentConfig());
    ASSERT_TRUE(run.Start());
    PostMessageW(run.Main(), svc::WM_LIGHT_CHANGED, 0, 0);
    ASSERT_TRUE(run.Sim()->WaitFor(ReceivedCommand(svc::SVC_APPLY_LIGHT)));
    ASSERT_TRUE(Notify(svc::NOTIFY_RELOAD_ALL));
    Sleep(300);
    ASSERT_TRUE(run.ClickCommand(cmd::PROFILE2));
    ASSERT_TRUE(run.Sim()->WaitFor(ReceivedCommand(svc::SVC_SELECT_PROFILE, 1)));
    EXPECT_EQ(run.OtherWindow(), nullptr);  // no question about unsaved edits
}

TEST(MainService, ConfigAndLightingNotificationsRereadOnlyTheirValues) {
    // 1026 re-reads Config.config, 11149 the lighting; 1027 is no notification,
    // so the file changed behind the tool's back.
    struct Case {
        long code;
        const wchar_t* section;
        const wchar_t* key;
        int onDisk;
        int afterSave;
    } cases[] = {
        {svc::NOTIFY_RELOAD_CONFIG, L"LIGHTOPTION", L"LIGHTSTYLE", 2, 2},
        {svc::NOTIFY_LIGHT, L"LIGHTOPTION", L"LIGHTSTYLE", 5, 5},
        {1027, L"LIGHTOPTION", L"LIGHTSTYLE", 4, 3},
        {1027, L"CONFIG", L"CURRENTPROFILE", 2, 0},
    };
    for (const Case& c : cases) {
        ToolRun run;
        WriteSettings(run.Data(), *PresentConfig());
        ASSERT_TRUE(run.Start());
        SetOnDisk(run, c.section, c.key, c.onDisk);
        ASSERT_TRUE(Notify(c.code));
        Sleep(300);
        ASSERT_TRUE(run.Responsive());
        if (c.code == 1027) {
            // An unannounced change: the save asks first; keeping the window's values writes them.
            ASSERT_TRUE(PostMessageW(run.Main(), svc::WM_SERVICE_COMMAND, svc::SVC_REQUEST_SAVE, 0));
            HWND question = run.WaitOtherWindow();
            ASSERT_TRUE(question) << "no question before saving over the changed file";
            EXPECT_EQ(run.ConfigInt(c.section, c.key), c.onDisk) << "written before the answer";
            constexpr int kKeepMine = 1002;
            PostMessageW(question, WM_COMMAND, MAKEWPARAM(kKeepMine, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(question, kKeepMine)));
            EXPECT_TRUE(WaitUntil([&] { return run.ConfigInt(c.section, c.key) == c.afterSave; }, Ms(5000)))
                << c.code;
        } else {
            ASSERT_TRUE(run.RequestSave());
            EXPECT_EQ(run.ConfigInt(c.section, c.key), c.afterSave) << c.code;
        }
    }
}

TEST(MainService, LightingNotificationWithoutTheFileKeepsTheLightingInMemory) {
    ToolRun run;
    WriteSettings(run.Data(), *PresentConfig());
    ASSERT_TRUE(run.Start());
    ASSERT_TRUE(DeleteFileW((run.Data() + L"Config.config").c_str()));
    ASSERT_TRUE(Notify(svc::NOTIFY_LIGHT));
    Sleep(300);
    ASSERT_TRUE(run.Responsive());
    ASSERT_TRUE(run.RequestSave());
    // The loaded lighting is saved, not the -1 read defaults of a missing file.
    EXPECT_EQ(run.ConfigInt(L"LIGHTOPTION", L"LIGHTSTYLE"), 3);
    EXPECT_EQ(run.ConfigInt(L"LIGHTOPTION", L"LIGHTMODE"), 1);
}

TEST(MainService, ModeNotificationsSwitchTheKeysAndStoreTheModeWithoutAnswering) {
    ToolRun run;
    WriteSettings(run.Data(), *PresentConfig());
    ASSERT_TRUE(run.Start());
    const auto shown = [&] { return FaceShownAt(run.Main(), StandardKeyRect(SWAPPED_KEY)); };
    const auto locked = [&] { return shown() == KeyLook::Disabled; };
    const auto unlocked = [&] {
        const auto look = shown();
        return look && *look != KeyLook::Disabled;
    };
    ASSERT_TRUE(Notify(svc::NOTIFY_MODE_1));
    EXPECT_TRUE(WaitUntil([&] { return run.ConfigInt(L"CONFIG", L"Mode") == 1; }, Ms(3000)));
    EXPECT_TRUE(WaitUntil(unlocked, Ms(3000)));
    ASSERT_TRUE(Notify(svc::NOTIFY_MODE_0));
    EXPECT_TRUE(WaitUntil([&] { return run.ConfigInt(L"CONFIG", L"Mode") == 0; }, Ms(3000)));
    EXPECT_TRUE(WaitUntil(locked, Ms(3000)));
    // Only the mode told at start was sent.
    int modeCommands = 0;
    for (const SimLogLine& l : run.Sim()->Log())
        if (ReceivedCommand(svc::SVC_SET_MODE)(l)) ++modeCommands;
    EXPECT_EQ(modeCommands, 1);
}

TEST(MainService, SaveRequestWhileADialogIsOpenSavesAtOnce) {
    ToolRun run;
    WriteSettings(run.Data(), *PresentConfig());
    ASSERT_TRUE(run.Start());
    ASSERT_TRUE(run.ClickCommand(cmd::RESET));  // the reset question stays open
    HWND warning = run.WaitOtherWindow();
    ASSERT_TRUE(warning);
    const std::wstring profile = run.Data() + L"Profile4.prof";
    ASSERT_TRUE(DeleteFileW(profile.c_str()));
    ASSERT_EQ(DeviceSim::Send({L"save"}), 0u);
    EXPECT_TRUE(WaitUntil([&] { return GetFileAttributesW(profile.c_str()) != INVALID_FILE_ATTRIBUTES; }, Ms(5000)));
    EXPECT_TRUE(IsWindow(warning));
    ASSERT_TRUE(run.Answer(warning, false));
}

TEST(MainService, UnknownCommandsAreIgnored) {
    ToolRun run;
    WriteSettings(run.Data(), *PresentConfig());
    ASSERT_TRUE(run.Start());
    std::string before;
    ASSERT_TRUE(fs::ReadWholeFile(run.Data() + L"Profile0.prof", before));
    for (const std::vector<std::wstring>& command :
         {std::vector<std::wstring>{L"command", L"0"}, {L"command", L"9999"}, {L"command", L"-1", L"123"}})
        ASSERT_EQ(DeviceSim::Send(command), 0u) << text::ToUtf8(command[1]);
    // The window still answers, nothing was saved and the tool did not end.
    EXPECT_TRUE(SendTo(run.Main(), WM_NULL, 0, 0, Ms(1000)).has_value());
    std::string after;
    ASSERT_TRUE(fs::ReadWholeFile(run.Data() + L"Profile0.prof", after));
    EXPECT_EQ(after, before);
    EXPECT_FALSE(run.Proc().WaitExit(Ms(300)).has_value());
}

TEST(MainTimers, HoverNamesTheAssignmentUnderTheCursor) {
    ExeResources exe;
    ASSERT_TRUE(exe.Get());
    ToolRun run(ToolRun::Service::None);
    WriteSettings(run.Data(), *AssignedConfig(1));
    ASSERT_TRUE(run.Start());
    MoveMouseTo(run.Main(), POINT{5, 5});
    Shot(L"main-assignments", run.Main());
    struct Case {
        const char* what;
        POINT at;
        std::wstring text;
        UINT indicator;
    } cases[] = {
        {"single key", TKeyPoint(0), KeyName(0x14), IDB_INDICATOR_KEY},
        {"macro", TKeyPoint(1), L"Combo", IDB_INDICATOR_MACRO},
        {"application", TKeyPoint(2), L"Tool.v2", IDB_INDICATOR_LAUNCH},
        {"remapped standard key", StandardKeyPoint(SWAPPED_KEY), KeyName(0x1A), IDB_INDICATOR_KEY},
        {"nothing", TKeyPoint(4), L"", IDB_INDICATOR_DEFAULT},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(MoveMouseTo(run.Main(), c.at)) << c.what;
        EXPECT_TRUE(WaitUntil([&] { return run.StatusText() == c.text; }, Ms(2000))) << c.what;
        EXPECT_TRUE(WaitUntil([&] { return IndicatorShows(run.Main(), exe.Get(), c.indicator); }, Ms(2000))) << c.what;
    }
}

TEST(MainTimers, HoverShowsNothingForStandardKeysInModeZero) {
    ExeResources exe;
    ToolRun run(ToolRun::Service::None);
    WriteSettings(run.Data(), *AssignedConfig(0));
    ASSERT_TRUE(run.Start());
    ASSERT_TRUE(MoveMouseTo(run.Main(), TKeyPoint(0)));
    ASSERT_TRUE(WaitUntil([&] { return run.StatusText() == KeyName(0x14); }, Ms(2000)));
    ASSERT_TRUE(MoveMouseTo(run.Main(), StandardKeyPoint(SWAPPED_KEY)));
    EXPECT_TRUE(WaitUntil([&] { return run.StatusText().empty(); }, Ms(2000)));
    EXPECT_TRUE(WaitUntil([&] { return IndicatorShows(run.Main(), exe.Get(), IDB_INDICATOR_DEFAULT); }, Ms(2000)));
}

TEST(MainTimers, SelectedKeyBlinksUntilTheSelectionEnds) {
    ToolRun run(ToolRun::Service::None);
    WriteSettings(run.Data(), *AssignedConfig(1));
    ASSERT_TRUE(run.Start());
    const SkinRect r = MainSkinEntry(L"T-KEYS", 4).rect;
    const RECT key{r.left, r.top, r.right, r.bottom};
    auto looks = [&] {
        std::set<std::vector<DWORD>> seen;
        for (int i = 0; i < 8; ++i) {
            seen.insert(CapturePixels(run.Main(), key));
            Sleep(170);
        }
        return seen.size();
    };
    ASSERT_TRUE(run.ClickTKey(3));
    MoveMouseTo(run.Main(), POINT{5, 5});  // away, so only the blink changes the key
    EXPECT_GE(looks(), 2u);
    EXPECT_EQ(run.StatusText(), L"");  // T4 has no assignment

    ASSERT_TRUE(run.ClickCommand(cmd::PROFILE1));  // any command ends the selection
    MoveMouseTo(run.Main(), POINT{5, 5});
    Sleep(600);
    EXPECT_EQ(looks(), 1u);
}

TEST(MainService, LiveLightingChangeSavesTheLightingAloneWithoutMarkingAnEdit) {
    ToolRun run;
    auto config = PresentConfig();
    config->CurrantProfile = 1;
    config->Light.LightStyle = 2;
    WriteSettings(run.Data(), *config);
    ASSERT_TRUE(run.Start());
    const std::wstring profile = run.Data() + L"Profile4.prof";
    ASSERT_TRUE(DeleteFileW(profile.c_str()));
    PostMessageW(run.Main(), svc::WM_LIGHT_CHANGED, 0, 0);
    ASSERT_TRUE(run.Sim()->WaitFor(ReceivedCommand(svc::SVC_FILES_CHANGED, 0, "post")));
    ASSERT_TRUE(run.Sim()->WaitFor(ReceivedCommand(svc::SVC_APPLY_LIGHT, 1, "send")));
    // Only the lighting was written: the profile files are left as they are.
    EXPECT_EQ(GetFileAttributesW(profile.c_str()), INVALID_FILE_ATTRIBUTES);
    // The values handed over are the tool's own, not stale ones.
    EXPECT_EQ(run.ConfigInt(L"LIGHTOPTION", L"LIGHTSTYLE"), 2);
    // Saved already: a profile switch asks nothing.
    ASSERT_TRUE(run.ClickCommand(cmd::PROFILE1));
    ASSERT_TRUE(run.Sim()->WaitFor(ReceivedCommand(svc::SVC_SELECT_PROFILE, 0, "post")));
    EXPECT_EQ(run.OtherWindow(), nullptr);
}
