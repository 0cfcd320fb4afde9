// The whole configuration the tool edits: keyboard mode, lighting, the active
// profile and five profiles of key remaps, instant-shift keys and assignment slots.
// Plain data; the editing code keeps its invariants. The settings files
// (ConfigStore.h) store it, and the device service reads the same files.
#pragma once
#include <array>
#include <cstdint>
#include <string>

namespace zavo {

constexpr int PROFILE_COUNT = 5;
constexpr int STANDARD_KEY_COUNT = 159;
constexpr int SLOT_COUNT = 20;  // 0..9 the T-keys, 10..19 lent to standard keys
constexpr int TKEY_COUNT = 10;
constexpr int FIRST_LENT_SLOT = 10;
constexpr int ENTER_KEY_INDEX = 70;
constexpr int MACRO_DATA_SIZE = 10880;  // bytes of event data in one macro
constexpr int MACRO_EVENT_MAX = 5440;   // events per macro, and the budget of one profile
constexpr int NO_PROFILE = 5;           // CurrantProfile 5: no profile active, keyboard locked

// Function codes of a slot or standard key.
constexpr std::uint8_t FUNID_NONE = 0x00;
constexpr std::uint8_t FUNID_SINGLEKEY = 0x10;
constexpr std::uint8_t FUNID_APP = 0x11;
constexpr std::uint8_t FUNID_MACRO = 0x20;

// Byte values meaning "nothing set" in a FunID, key-code or Mappinkey field.
constexpr std::uint8_t KEY_NONE = 0xFF;
constexpr std::uint8_t KEY_UNSET = 0xCC;

// Event byte 0 of a delay event, and of a command event (macro files only).
constexpr std::uint8_t MACRO_DELAY_CODE = 0xFF;
constexpr std::uint8_t MACRO_COMMAND_CODE = 0xEE;

// Ten lighting values, each stored under its own key of section LIGHTOPTION.
struct LightSettings {
    std::int32_t LightStyle = 3;
    std::int32_t LightMode = 1;
    std::int32_t WasdLight = 1;
    std::int32_t PinyinLight = 1;
    std::int32_t DirectLight = 1;
    std::int32_t NumberLight = 1;
    std::int32_t Tt1To5Light = 1;
    std::int32_t Tt6To10Light = 1;
    std::int32_t DferLight = 1;
    std::int32_t OneToZeroLight = 1;
    bool operator==(const LightSettings& o) const {
        return LightStyle == o.LightStyle && LightMode == o.LightMode && WasdLight == o.WasdLight &&
               PinyinLight == o.PinyinLight && DirectLight == o.DirectLight && NumberLight == o.NumberLight &&
               Tt1To5Light == o.Tt1To5Light && Tt6To10Light == o.Tt6To10Light && DferLight == o.DferLight &&
               OneToZeroLight == o.OneToZeroLight;
    }
    bool operator!=(const LightSettings& o) const { return !(*this == o); }
};

// Remapping of one standard key (section "MAXTRIXSWAPKEY%d").
struct SwapKeyEntry {
    std::uint8_t CurKey = 0;
    std::uint8_t AssKey = 0;
    std::int32_t IsChanged = 0;  // 1 while remapped to a key or an application
    std::uint8_t FunID = FUNID_NONE;
    std::wstring AppPath;
    bool operator==(const SwapKeyEntry& o) const {
        return CurKey == o.CurKey && AssKey == o.AssKey && IsChanged == o.IsChanged && FunID == o.FunID &&
               AppPath == o.AppPath;
    }
    bool operator!=(const SwapKeyEntry& o) const { return !(*this == o); }
};

// The keys that switch profiles (section ALTERNATE_PROFILE).
struct InstantShiftKeys {
    std::uint8_t PreKey = KEY_NONE;
    std::uint8_t NextKey = KEY_NONE;
    std::array<std::int32_t, PROFILE_COUNT> ProfileKey{};  // 0 none, or choice 1..3
    bool operator==(const InstantShiftKeys& o) const {
        return PreKey == o.PreKey && NextKey == o.NextKey && ProfileKey == o.ProfileKey;
    }
    bool operator!=(const InstantShiftKeys& o) const { return !(*this == o); }
};

// One macro (section "MACROG%d"); copied by value between the windows.
struct MacroGroup {
    std::wstring MacroName;
    std::uint16_t MacroLength = 0;  // events in use, 0..5440
    std::array<std::uint8_t, MACRO_DATA_SIZE> Macro{};
    std::uint8_t RepeatOption = 0;  // 1..4 once chosen
    std::int32_t RepeatTimes = 0;   // with RepeatOption 4
    bool operator==(const MacroGroup& o) const {
        return MacroName == o.MacroName && MacroLength == o.MacroLength && Macro == o.Macro &&
               RepeatOption == o.RepeatOption && RepeatTimes == o.RepeatTimes;
    }
    bool operator!=(const MacroGroup& o) const { return !(*this == o); }
};

// One key-assignment slot (section "BUTTONCONFIG%d").
struct ButtonConfig {
    std::uint8_t CurKey = 0;
    std::uint8_t AssKey = 0;
    std::uint8_t FunID = FUNID_NONE;
    std::wstring AppPath;
    std::uint8_t Mappinkey = KEY_NONE;  // slots 10..19: the standard key it is lent to
    MacroGroup Macro;
    std::uint8_t SingleKey = 0;
    bool operator==(const ButtonConfig& o) const {
        return CurKey == o.CurKey && AssKey == o.AssKey && FunID == o.FunID && AppPath == o.AppPath &&
               Mappinkey == o.Mappinkey && Macro == o.Macro && SingleKey == o.SingleKey;
    }
    bool operator!=(const ButtonConfig& o) const { return !(*this == o); }
};

struct ProfileConfig {
    std::array<SwapKeyEntry, STANDARD_KEY_COUNT> SwapKey{};
    InstantShiftKeys InstantShift;
    std::array<ButtonConfig, SLOT_COUNT> Button{};
    bool operator==(const ProfileConfig& o) const {
        return SwapKey == o.SwapKey && InstantShift == o.InstantShift && Button == o.Button;
    }
    bool operator!=(const ProfileConfig& o) const { return !(*this == o); }
};

// A default-constructed KeyboardConfig is the state of a first start: mode 0,
// profile 0, device state unknown, the reset lighting values, standard keys
// unchanged, every slot cleared. It is about 1.1 MB: keep it on the heap.
struct KeyboardConfig {
    std::int32_t Mode = 0;
    std::int32_t DeviceState = -1;
    LightSettings Light;
    std::int32_t CurrantProfile = 0;
    std::array<ProfileConfig, PROFILE_COUNT> Profile{};
    bool operator==(const KeyboardConfig& o) const {
        return Mode == o.Mode && DeviceState == o.DeviceState && Light == o.Light &&
               CurrantProfile == o.CurrantProfile && Profile == o.Profile;
    }
    bool operator!=(const KeyboardConfig& o) const { return !(*this == o); }
};

// A slot or key function counts as assigned unless it is 0 or KEY_NONE.
inline bool IsAssigned(std::uint8_t funId) { return funId != FUNID_NONE && funId != KEY_NONE && funId != KEY_UNSET; }
// A Mappinkey or key code names a key unless it is KEY_NONE or KEY_UNSET.
inline bool IsKeySet(std::uint8_t code) { return code != KEY_NONE && code != KEY_UNSET; }

}  // namespace zavo
