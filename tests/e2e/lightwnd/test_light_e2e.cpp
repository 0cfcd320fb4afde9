// The lighting window of the real tool, opened from the main window's button
// and clicked with the real mouse, with devicesim as the device service: the
// zone presets and the T-key cycle in the light state file, light profiles,
// Apply while the window stays open, OK and Close, the service's sync, reload
// and lighting notification, a first start's factory zones, and a lighting
// save that leaves unapplied key edits alone.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ToolRun.h"
#include "config/Backups.h"
#include "config/Ini.h"
#include "light/LightStateFile.h"
#include "platform/FileSystem.h"
#include "service/ServiceCodes.h"

using namespace zavo;
using namespace zavo::e2e;

namespace {

using Z = LightZone;

ButtonEntry LightEntry(const std::wstring& key) { return SkinFileEntry(L"LightOption.ini", L"BUTTONINFO", key); }

// Skin keys of the buttons the tests use.
const wchar_t* const kStyle5 = L"17";
const wchar_t* const kStyle6 = L"37";
const wchar_t* const kStyle3 = L"3";
const wchar_t* const kProfile1 = L"32";
const wchar_t* const kProfile2 = L"33";
const wchar_t* const kProfile3 = L"34";
const wchar_t* const kZoneW = L"27";
const wchar_t* const kZoneBackSpace = L"26";
const wchar_t* const kZone1To6 = L"19";
const wchar_t* const kZoneT1To5 = L"9";
const wchar_t* const kZoneT6To10 = L"10";
const wchar_t* const kZoneNumber = L"16";
const wchar_t* const kZoneDirect = L"15";
const wchar_t* const kOk = L"6";
const wchar_t* const kClose = L"7";
const wchar_t* const kApply = L"8";
// The 14 letter-area zone buttons.
const wchar_t* const kLetterZones[] = {L"27", L"31", L"28", L"25", L"30", L"29", L"19",
                                       L"13", L"26", L"20", L"21", L"22", L"23", L"24"};

bool IsStyleKey(const std::wstring& key) {
    for (const wchar_t* k : {L"38", L"1", L"2", L"3", L"4", L"17", L"37"})
        if (key == k) return true;
    return false;
}

// A user's click on the button of `key`: through xdotool when it is there (input
// from outside Wine, as a real mouse gives it), else through SendInput.
bool ClickLight(HWND light, const std::wstring& key) {
    const POINT p = CenterOf(LightEntry(key).rect);
    const bool clicked = HaveXdotool() ? XdoClickAt(light, p) : ClickAt(light, p);
    // Away from the buttons again, so that no hover look is mistaken for a state.
    MoveMouseTo(light, POINT{8, 8});
    return clicked;
}

// Whether the button of `key` shows its latched (Down) look on screen: the
// generated skin paints it in the accent blue where the other looks are grey.
// A style button shows it in its round mark, the others near their corner.
bool LooksLatched(HWND light, const std::wstring& key) {
    const SkinRect r = LightEntry(key).rect;
    POINT at = IsStyleKey(key) ? POINT{r.left + 18, (r.top + r.bottom) / 2} : POINT{r.left + 3, r.top + 3};
    const std::vector<DWORD> px = CapturePixels(light, RECT{at.x, at.y, at.x + 1, at.y + 1});
    if (px.size() != 1) return false;
    const int red = static_cast<int>((px[0] >> 16) & 0xFF), blue = static_cast<int>(px[0] & 0xFF);
    return red < 70 && blue > 120;
}

bool WaitLatched(HWND light, const std::wstring& key, bool latched, Ms timeout = Ms(5000)) {
    return WaitUntil([&] { return LooksLatched(light, key) == latched; }, timeout);
}

LightZoneStates Preset(int p, LightZoneStates base = {}) {
    ApplyLightPreset(p, base);
    return base;
}

LightZoneStates Stored(const ToolRun& run, int profile) {
    return ReadLightZones(LightStateFilePath(run.Data()), profile);
}

bool WaitStored(const ToolRun& run, int profile, const LightZoneStates& want) {
    return WaitUntil([&] { return Stored(run, profile) == want; }, Ms(5000));
}

// Opens the lighting window from the main window's button 10.
HWND OpenLighting(ToolRun& run) {
    if (!run.ClickCommand(cmd::LIGHTING)) return nullptr;
    HWND light = WaitForWindow(svc::LIGHT_WINDOW_TITLE, Ms(10000), run.Proc().Pid());
    if (light) {
        WaitUntil([&] { return IsWindowVisible(light) != FALSE; }, Ms(5000));
        Sleep(300);  // the first paint
    }
    return light;
}

bool Closed(ToolRun& run) { return WaitForWindowGone(svc::LIGHT_WINDOW_TITLE, Ms(10000), run.Proc().Pid()); }

std::string ReadBytes(const std::wstring& path) {
    std::string bytes;
    fs::ReadWholeFile(path, bytes);
    return bytes;
}

// The index of the first log line at or after `from` that matches, or -1.
int FindLine(const std::vector<SimLogLine>& log, const SimLogPredicate& match, int from = 0) {
    for (int i = from; i < static_cast<int>(log.size()); ++i)
        if (match(log[static_cast<size_t>(i)])) return i;
    return -1;
}

// The devicesim "light" line's zones as a list.
bool ZonesListed(const SimLogLine& line, const std::vector<std::string>& keys) {
    const std::string zones = "+" + line.Get("zones") + "+";
    for (const std::string& k : keys)
        if (zones.find("+" + k + "+") == std::string::npos) return false;
    return true;
}

std::unique_ptr<KeyboardConfig> LightConfig() {
    auto config = PresentConfig();
    config->Light = FactoryLightSettings();
    return config;
}

// The settings with an empty light state file: every zone dark (without the
// file a first start shows the skin's factory zones).
void WriteDarkSettings(ToolRun& run, const KeyboardConfig& config) {
    WriteSettings(run.Data(), config);
    ASSERT_TRUE(fs::WriteFileAtomic(LightStateFilePath(run.Data()), ""));
}

}  // namespace

TEST(LightingWindow, LetterZonesTKeysAndOkWithoutApply) {
    ToolRun run;
    auto config = LightConfig();
    config->Light.WasdLight = 0;  // a letter flag: only an apply changes it
    WriteDarkSettings(run, *config);
    ASSERT_TRUE(run.Start());
    HWND light = OpenLighting(run);
    ASSERT_TRUE(light);
    ASSERT_TRUE(run.Sim()->WaitFor(ReceivedCommand(svc::SVC_LIGHT_WINDOW_OPEN, 0, "post")));
    EXPECT_TRUE(LooksLatched(light, kStyle3));
    EXPECT_TRUE(LooksLatched(light, kProfile1));

    // All dark: a letter-zone click gives preset 1, whichever it is.
    ASSERT_TRUE(ClickLight(light, kZoneBackSpace));
    ASSERT_TRUE(WaitStored(run, 1, Preset(1)));
    for (const wchar_t* key : {kZoneW, L"31", L"28", kZone1To6}) EXPECT_TRUE(WaitLatched(light, key, true)) << key;
    EXPECT_FALSE(LooksLatched(light, kZoneBackSpace));

    // 1 to 6 is a letter zone like the others: the next preset.
    ASSERT_TRUE(ClickLight(light, kZone1To6));
    ASSERT_TRUE(WaitStored(run, 1, Preset(2)));
    EXPECT_TRUE(WaitLatched(light, L"30", true));  // E and R

    // With neither T-key zone lit, a click lights T1..T5, whichever button it is.
    ASSERT_TRUE(ClickLight(light, kZoneT6To10));
    LightZoneStates want = Preset(2);
    want[ZoneIndex(Z::Tt1To5)] = 1;
    ASSERT_TRUE(WaitStored(run, 1, want));
    EXPECT_TRUE(WaitLatched(light, kZoneT1To5, true));
    EXPECT_FALSE(LooksLatched(light, kZoneT6To10));

    // Style 5, light profile 2, the number pad (dark on screen though the
    // configuration says lit) switched on: OK without an apply.
    ASSERT_TRUE(ClickLight(light, kStyle5));
    EXPECT_TRUE(WaitLatched(light, kStyle5, true));
    EXPECT_FALSE(LooksLatched(light, kStyle3));
    ASSERT_TRUE(ClickLight(light, kZoneNumber));  // zone of profile 1
    EXPECT_TRUE(WaitLatched(light, kZoneNumber, true));
    want[ZoneIndex(Z::Number)] = 1;
    ASSERT_TRUE(WaitStored(run, 1, want));
    Shot(L"light-window", light);
    ASSERT_TRUE(ClickLight(light, kProfile2));
    EXPECT_TRUE(WaitLatched(light, kProfile2, true));
    const size_t before = run.Sim()->Log().size();
    ASSERT_TRUE(ClickLight(light, kOk));
    ASSERT_TRUE(Closed(run));

    // The main window saved and told the service (code 0, then 5 with 0).
    ASSERT_TRUE(run.Sim()->WaitFor(ReceivedCommand(svc::SVC_APPLY_LIGHT, 0, "send")));
    const auto log = run.Sim()->Log();
    const int files = FindLine(log, ReceivedCommand(svc::SVC_FILES_CHANGED, 0, "post"), static_cast<int>(before));
    ASSERT_GE(files, 0);
    EXPECT_GE(FindLine(log, ReceivedCommand(svc::SVC_APPLY_LIGHT, 0, "send"), files), 0);
    EXPECT_EQ(run.ConfigInt(L"LIGHTOPTION", L"LIGHTSTYLE"), 5);
    EXPECT_EQ(run.ConfigInt(L"LIGHTOPTION", L"LIGHTMODE"), 2);
    // What the window showed for the light profile it showed last: profile 2,
    // all dark (OK keeps what is shown, the letter flags included).
    EXPECT_EQ(run.ConfigInt(L"LIGHTOPTION", L"NUMBERLIGHT"), 0);
    EXPECT_EQ(run.ConfigInt(L"LIGHTOPTION", L"DIRECTLIGHT"), 0);
    EXPECT_EQ(run.ConfigInt(L"LIGHTOPTION", L"TT15"), 0);
    EXPECT_EQ(run.ConfigInt(L"LIGHTOPTION", L"TT610"), 0);
    EXPECT_EQ(run.ConfigInt(L"LIGHTOPTION", L"WASDLIGHT"), 0);

    // Style 5 is still style 5 at the next opening.
    light = OpenLighting(run);
    ASSERT_TRUE(light);
    EXPECT_TRUE(LooksLatched(light, kStyle5));
    EXPECT_TRUE(LooksLatched(light, kProfile2));
    ASSERT_TRUE(ClickLight(light, kOk));
    ASSERT_TRUE(Closed(run));
    EXPECT_TRUE(WaitUntil([&] { return run.ConfigInt(L"LIGHTOPTION", L"LIGHTSTYLE") == 5; }, Ms(5000)));
}

TEST(LightingWindow, ProfilesKeepTheirZonesAndCloseWithoutApplyKeepsTheConfiguration) {
    ToolRun run;
    auto config = LightConfig();
    config->Light.NumberLight = 0;  // the number pad's button lights it
    WriteDarkSettings(run, *config);
    ASSERT_TRUE(run.Start());
    const std::wstring configPath = run.Data() + L"Config.config";
    ASSERT_TRUE(run.RequestSave());
    const std::string configBefore = ReadBytes(configPath);
    HWND light = OpenLighting(run);
    ASSERT_TRUE(light);

    ASSERT_TRUE(ClickLight(light, kZoneW));
    ASSERT_TRUE(WaitStored(run, 1, Preset(1)));
    ASSERT_TRUE(WaitLatched(light, kZoneW, true));
    const SkinRect n = LightEntry(kZoneNumber).rect;
    // The keyboard picture with its zones, from the T-key zones to the number pad.
    const RECT zonesArea{LightEntry(kZoneT1To5).rect.left, LightEntry(kZone1To6).rect.top, n.right, n.bottom};
    const std::vector<DWORD> profileOne = CapturePixels(light, zonesArea);

    ASSERT_TRUE(ClickLight(light, kProfile3));
    ASSERT_TRUE(WaitLatched(light, kProfile3, true));
    EXPECT_TRUE(WaitLatched(light, kZoneW, false));  // profile 3 has nothing lit
    EXPECT_FALSE(LooksLatched(light, kProfile1));
    ASSERT_TRUE(ClickLight(light, kProfile1));
    ASSERT_TRUE(WaitLatched(light, kZoneW, true));
    EXPECT_TRUE(WaitUntil([&] { return CapturePixels(light, zonesArea) == profileOne; }, Ms(3000)));
    EXPECT_EQ(Stored(run, 1), Preset(1));
    EXPECT_EQ(Stored(run, 3), LightZoneStates{});

    // Another style and the number pad, then Close without an apply.
    ASSERT_TRUE(ClickLight(light, kStyle6));
    ASSERT_TRUE(ClickLight(light, kZoneNumber));
    LightZoneStates want = Preset(1);
    want[ZoneIndex(Z::Number)] = 1;
    ASSERT_TRUE(WaitStored(run, 1, want));
    const size_t before = run.Sim()->Log().size();
    ASSERT_TRUE(ClickLight(light, kClose));
    ASSERT_TRUE(Closed(run));
    Sleep(500);
    EXPECT_EQ(ReadBytes(configPath), configBefore);
    EXPECT_EQ(Stored(run, 1), want);  // the zone writes stay
    EXPECT_EQ(FindLine(run.Sim()->Log(), ReceivedCommand(svc::SVC_APPLY_LIGHT), static_cast<int>(before)), -1);
}

TEST(LightingWindow, ApplySavesAndTheServiceShowsTheZonesWhileTheWindowStaysOpen) {
    ToolRun run;
    auto config = LightConfig();
    config->CurrantProfile = 2;
    config->Light.WasdLight = 0;
    config->Light.DferLight = 1;
    WriteDarkSettings(run, *config);
    ASSERT_TRUE(run.Start());
    HWND light = OpenLighting(run);
    ASSERT_TRUE(light);

    ASSERT_TRUE(ClickLight(light, kZoneW));       // preset 1: W, AS, D, 1To6
    ASSERT_TRUE(ClickLight(light, kZoneDirect));  // direction keys: dark on screen, lit now
    LightZoneStates want = Preset(1);
    want[ZoneIndex(Z::Direct)] = 1;
    ASSERT_TRUE(WaitStored(run, 1, want));
    const size_t before = run.Sim()->Log().size();
    ASSERT_TRUE(ClickLight(light, kApply));

    // The main window saves and sends code 0, then 5 with the current profile.
    auto shown = run.Sim()->WaitFor([](const SimLogLine& l) { return l.Is("light") && l.Get("zones") != "-"; });
    ASSERT_TRUE(run.Sim()->WaitFor(ReceivedCommand(svc::SVC_APPLY_LIGHT, 2, "send")));
    const auto log = run.Sim()->Log();
    const int files = FindLine(log, ReceivedCommand(svc::SVC_FILES_CHANGED, 0, "post"), static_cast<int>(before));
    ASSERT_GE(files, 0);
    EXPECT_GE(FindLine(log, ReceivedCommand(svc::SVC_APPLY_LIGHT, 2, "send"), files), 0);
    EXPECT_EQ(run.ConfigInt(L"LIGHTOPTION", L"WASDLIGHT"), 1);
    EXPECT_EQ(run.ConfigInt(L"LIGHTOPTION", L"DFERLIGHT"), 0);
    EXPECT_EQ(run.ConfigInt(L"LIGHTOPTION", L"DIRECTLIGHT"), 1);
    ASSERT_TRUE(shown);
    EXPECT_EQ(shown->Get("style"), "3");
    EXPECT_EQ(shown->Get("profile"), "1");
    EXPECT_TRUE(ZonesListed(*shown, {"m_BTNW", "m_BTNAS", "m_BTND", "m_BTN1To6", "m_BTNDirect"}))
        << shown->Get("zones");
    EXPECT_EQ(shown->Get("zones").find("m_BTNNumber"), std::string::npos);
    EXPECT_TRUE(IsWindowVisible(light));
    // The simulator's window in front for its picture, then back behind.
    HWND sim = run.Sim()->Window();
    SetWindowPos(sim, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    Shot(L"light-applied-devicesim", sim);
    SetWindowPos(sim, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    // Close after the apply keeps exactly what was applied: the style chosen
    // after it is dropped; saved and applied once more.
    ASSERT_TRUE(ClickLight(light, kStyle6));
    ASSERT_TRUE(WaitLatched(light, kStyle6, true));
    const size_t beforeClose = run.Sim()->Log().size();
    ASSERT_TRUE(ClickLight(light, kClose));
    ASSERT_TRUE(Closed(run));
    ASSERT_TRUE(run.Sim()->WaitFor(ReceivedCommand(svc::SVC_APPLY_LIGHT, 0, "send")));
    EXPECT_GE(
        FindLine(run.Sim()->Log(), ReceivedCommand(svc::SVC_APPLY_LIGHT, 0, "send"), static_cast<int>(beforeClose)), 0);
    EXPECT_EQ(run.ConfigInt(L"LIGHTOPTION", L"LIGHTSTYLE"), 3);
    EXPECT_EQ(run.ConfigInt(L"LIGHTOPTION", L"DIRECTLIGHT"), 1);
}

TEST(LightingWindow, TheServiceSwitchesTheLightProfileAndReloadsTheStyle) {
    ToolRun run;
    WriteDarkSettings(run, *LightConfig());
    ASSERT_TRUE(run.Start());
    HWND light = OpenLighting(run);
    ASSERT_TRUE(light);

    // The device switched to light profile 2 (l = 1): latched, whole letter area lit.
    ASSERT_EQ(DeviceSim::Send({L"light-sync", L"1", L"1"}), 0u);
    ASSERT_TRUE(WaitLatched(light, kProfile2, true));
    EXPECT_FALSE(LooksLatched(light, kProfile1));
    ASSERT_TRUE(WaitStored(run, 2, Preset(4)));
    for (const wchar_t* key : kLetterZones) EXPECT_TRUE(WaitLatched(light, key, true)) << key;

    // Out of range: nothing changes.
    ASSERT_EQ(DeviceSim::Send({L"light-sync", L"0", L"-1"}), 0u);
    ASSERT_EQ(DeviceSim::Send({L"light-sync", L"1", L"7"}), 0u);
    ASSERT_EQ(DeviceSim::Send({L"light-sync", L"3", L"9"}), 0u);
    Sleep(600);
    EXPECT_TRUE(LooksLatched(light, kStyle3));
    EXPECT_TRUE(LooksLatched(light, kProfile2));
    for (int p : {1, 3, 4, 5}) EXPECT_EQ(Stored(run, p), LightZoneStates{}) << p;

    // A reload with style 6 in the file shows style 6 and keeps it.
    ASSERT_TRUE(Settings().IniWriteInt(run.Data() + L"Config.config", L"LIGHTOPTION", L"LIGHTSTYLE", 6));
    ASSERT_EQ(DeviceSim::Send({L"light-reload"}), 0u);
    ASSERT_TRUE(WaitLatched(light, kStyle6, true));
    EXPECT_FALSE(LooksLatched(light, kStyle3));
    ASSERT_TRUE(ClickLight(light, kOk));
    ASSERT_TRUE(Closed(run));
    EXPECT_TRUE(WaitUntil([&] { return run.ConfigInt(L"LIGHTOPTION", L"LIGHTSTYLE") == 6; }, Ms(5000)));
}

TEST(LightingWindow, FirstStartShowsTheFactoryZonesAndTheLightingIsSavedAlone) {
    ToolRun run;
    auto config = LightConfig();
    ButtonConfig& slot = config->Profile[1].Button[0];  // T1 of profile II sends a key
    slot.FunID = FUNID_SINGLEKEY;
    slot.SingleKey = slot.CurKey = slot.AssKey = 0x05;
    WriteSettings(run.Data(), *config);  // no light state file: a first start
    ASSERT_TRUE(run.Start());
    const std::wstring factory = FactoryLightStatePath(BinDir() + L"Skins\\");
    ASSERT_EQ(ReadLightZones(factory, 1)[ZoneIndex(Z::Number)], 1);

    // The number pad shows the factory state, lit; one click darkens it.
    HWND light = OpenLighting(run);
    ASSERT_TRUE(light);
    EXPECT_TRUE(LooksLatched(light, kZoneNumber));
    EXPECT_TRUE(LooksLatched(light, kZoneW));
    ASSERT_TRUE(ClickLight(light, kZoneNumber));
    EXPECT_TRUE(WaitLatched(light, kZoneNumber, false));
    LightZoneStates want = ReadLightZones(factory, 1);
    want[ZoneIndex(Z::Number)] = 0;
    ASSERT_TRUE(WaitStored(run, 1, want));
    for (int p = 2; p <= LIGHT_PROFILE_COUNT; ++p) EXPECT_EQ(Stored(run, p), ReadLightZones(factory, p)) << p;
    Shot(L"light-first-start", light);
    ASSERT_TRUE(ClickLight(light, kOk));
    ASSERT_TRUE(Closed(run));
    ASSERT_TRUE(run.Sim()->WaitFor(ReceivedCommand(svc::SVC_APPLY_LIGHT, 0, "send")));
    EXPECT_EQ(run.ConfigInt(L"LIGHTOPTION", L"NUMBERLIGHT"), 0);

    // The lighting is saved: switching the profile asks nothing.
    ASSERT_TRUE(run.ClickCommand(cmd::PROFILE2));
    EXPECT_FALSE(run.WaitOtherWindow(Ms(1500)));

    // An unapplied key edit, then a lighting change: only Config.config is
    // written (and kept first), and QUIT drops the key edit.
    const std::wstring profileFile = run.Data() + L"Profile1.prof";
    const std::string profileBefore = ReadBytes(profileFile);
    ASSERT_TRUE(run.ClickTKey(0));
    ASSERT_TRUE(run.ClickCommand(cmd::ASSIGN_CLEAR));
    light = OpenLighting(run);
    ASSERT_TRUE(light);
    ASSERT_TRUE(ClickLight(light, kStyle5));
    ASSERT_TRUE(WaitLatched(light, kStyle5, true));
    ASSERT_TRUE(ClickLight(light, kOk));
    ASSERT_TRUE(Closed(run));
    ASSERT_TRUE(WaitUntil([&] { return run.ConfigInt(L"LIGHTOPTION", L"LIGHTSTYLE") == 5; }, Ms(5000)));
    EXPECT_EQ(ReadBytes(profileFile), profileBefore);
    const auto gens = backup::ListGenerations(run.Data());
    ASSERT_FALSE(gens.empty());
    EXPECT_EQ(gens[0].files, std::vector<std::wstring>{L"Config.config"});
    // QUIT asks about the unapplied key edit; No drops it.
    ASSERT_TRUE(run.ClickCommand(cmd::QUIT));
    HWND box = run.WaitOtherWindow();
    ASSERT_TRUE(box) << "QUIT asks before dropping the key edit";
    ASSERT_TRUE(PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDNO, BN_CLICKED), 0));
    ASSERT_TRUE(run.WaitExit());
    EXPECT_EQ(ReadBytes(profileFile), profileBefore);
}

TEST(LightingWindow, TheServicesLightingNotificationIsShownAndTheUsersChoiceKept) {
    ToolRun run;
    WriteDarkSettings(run, *LightConfig());
    ASSERT_TRUE(run.Start());
    HWND light = OpenLighting(run);
    ASSERT_TRUE(light);
    ASSERT_TRUE(ClickLight(light, kStyle5));  // the user's choice
    ASSERT_TRUE(WaitLatched(light, kStyle5, true));

    // The service switches the light profile in Config.config and says so.
    ASSERT_TRUE(Settings().IniWriteInt(run.Data() + L"Config.config", L"LIGHTOPTION", L"LIGHTMODE", 3));
    ASSERT_EQ(DeviceSim::Send({L"notify", std::to_wstring(svc::NOTIFY_LIGHT)}), 0u);
    ASSERT_TRUE(WaitLatched(light, kProfile3, true));
    EXPECT_FALSE(LooksLatched(light, kProfile1));
    EXPECT_TRUE(LooksLatched(light, kStyle5));
    // A click now goes to the light profile shown.
    ASSERT_TRUE(ClickLight(light, kZoneDirect));
    LightZoneStates direct{};
    direct[ZoneIndex(Z::Direct)] = 1;
    ASSERT_TRUE(WaitStored(run, 3, direct));
    EXPECT_EQ(Stored(run, 1), LightZoneStates{});
    ASSERT_TRUE(ClickLight(light, kOk));
    ASSERT_TRUE(Closed(run));
    ASSERT_TRUE(WaitUntil([&] { return run.ConfigInt(L"LIGHTOPTION", L"LIGHTSTYLE") == 5; }, Ms(5000)));
    EXPECT_EQ(run.ConfigInt(L"LIGHTOPTION", L"LIGHTMODE"), 3);
    EXPECT_EQ(run.ConfigInt(L"LIGHTOPTION", L"DIRECTLIGHT"), 1);
}
