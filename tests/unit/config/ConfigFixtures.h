// Helpers shared by the settings tests: raw file bytes in and out, and a
// configuration that uses every kind of value the files hold.
#pragma once
#include <memory>
#include <string>

#include "config/KeyboardConfig.h"
#include "platform/FileSystem.h"

namespace zavo::testing {

inline std::string Bytes(const std::wstring& path) {
    std::string b;
    fs::ReadWholeFile(path, b);
    return b;
}

inline void Put(const std::wstring& path, const std::string& bytes) { fs::WriteFileAtomic(path, bytes); }

// A macro of `events` alternating key presses and releases of key code 0x04 with
// a delay between them.
inline void FillMacro(MacroGroup& m, const std::wstring& name, int events) {
    m = MacroGroup{};
    m.MacroName = name;
    m.MacroLength = static_cast<std::uint16_t>(events);
    for (int e = 0; e < events; ++e) {
        bool delay = e % 3 == 2;
        m.Macro[2 * e] = delay ? MACRO_DELAY_CODE : static_cast<std::uint8_t>(0x04 + e % 50);
        m.Macro[2 * e + 1] = delay ? 4 : static_cast<std::uint8_t>(e % 3 == 0);
    }
    m.RepeatOption = 4;
    m.RepeatTimes = 3;
}

// Every slot kind, a lent slot with a macro and one with an application, a
// single-key remap and an application on standard keys, instant-shift keys.
inline std::unique_ptr<KeyboardConfig> RichConfig(const std::wstring& appPath = L"C:\\Games\\Raid\\raid.exe") {
    auto c = std::make_unique<KeyboardConfig>();
    c->Mode = 1;
    c->DeviceState = 1;
    c->CurrantProfile = 2;
    c->Light.LightStyle = 5;
    c->Light.DirectLight = 0;
    for (int p = 0; p < PROFILE_COUNT; ++p) {
        ProfileConfig& pr = c->Profile[p];
        pr.InstantShift.PreKey = 0x3A;
        pr.InstantShift.NextKey = 0x3B;
        pr.InstantShift.ProfileKey = {1, 0, 2, 0, 3};
        ButtonConfig& single = pr.Button[0];
        single.FunID = FUNID_SINGLEKEY;
        single.SingleKey = single.AssKey = static_cast<std::uint8_t>(0x10 + p);
        single.CurKey = 0;
        pr.Button[1].FunID = FUNID_APP;
        pr.Button[1].AppPath = appPath;
        pr.Button[2].FunID = FUNID_MACRO;
        FillMacro(pr.Button[2].Macro, L"Combo " + std::to_wstring(p), 100 + p);
        ButtonConfig& lentMacro = pr.Button[10];
        lentMacro.FunID = FUNID_MACRO;
        lentMacro.Mappinkey = 20;
        FillMacro(lentMacro.Macro, L"Reload", 7);
        pr.SwapKey[20].IsChanged = 0;
        ButtonConfig& lentApp = pr.Button[11];
        lentApp.FunID = FUNID_APP;
        lentApp.Mappinkey = 30;
        lentApp.AppPath = appPath;
        pr.SwapKey[30] = {0x1E, 0x1E, 1, FUNID_APP, appPath};
        pr.SwapKey[ENTER_KEY_INDEX] = {0x28, 0x2C, 1, FUNID_SINGLEKEY, L""};
        for (int s = 0; s < TKEY_COUNT; ++s) pr.Button[s].Mappinkey = KEY_NONE;
    }
    return c;
}

}  // namespace zavo::testing
