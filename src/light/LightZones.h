// The keyboard's lighting zones and the rules that relate them to the ten
// lighting values of LightSettings: the letter-area presets, the default preset
// of each light profile, the T-key cycle, the flag flips, deriving the values at
// an apply and the zone bit mask sent with it.
#pragma once
#include <array>
#include <cstdint>

#include "config/KeyboardConfig.h"

namespace zavo {

// The 18 zones. The first 14 (W through Pinyin5) form the letter area, which
// changes only as a whole, through the presets.
enum class LightZone : int {
    W,
    AS,
    D,
    Q,
    ER,
    F,
    OneTo6,
    OneTo0,
    BackSpace,
    Pinyin1,
    Pinyin2,
    Pinyin3,
    Pinyin4,
    Pinyin5,
    Tt1To5,
    Tt6To10,
    Number,
    Direct,
};

constexpr int LIGHT_ZONE_COUNT = 18;
constexpr int LETTER_ZONE_COUNT = 14;
constexpr int LIGHT_PRESET_COUNT = 5;
constexpr int LIGHT_PROFILE_COUNT = 5;
constexpr int TKEY_CYCLE_LENGTH = 4;

// Lit state of each zone, indexed by LightZone: 1 lit, 0 dark.
using LightZoneStates = std::array<std::int32_t, LIGHT_ZONE_COUNT>;

inline constexpr int ZoneIndex(LightZone z) { return static_cast<int>(z); }
inline constexpr bool IsLetterZone(LightZone z) { return ZoneIndex(z) < LETTER_ZONE_COUNT; }

// The zone's key in the light state file, "m_BTNW" .. "m_BTNDirect".
const wchar_t* LightZoneKey(LightZone z);

// Every zone in file order: the letter area, then the T-key, number-pad and
// direction zones.
const std::array<LightZone, LIGHT_ZONE_COUNT>& AllLightZones();

// The order in which a preset writes its keys: W, 1To6, AS, D, PINYIN1..5, Q, ER,
// F, BackSpace, OneTo0.
const std::array<LightZone, LETTER_ZONE_COUNT>& PresetWriteOrder();

// The state preset `preset` (0..4) gives a letter-area zone; 0 for any other
// zone or preset number.
std::int32_t PresetZoneState(int preset, LightZone z);

// Sets the 14 letter-area zones as preset `preset` (0..4) has them; the T-key,
// number-pad and direction zones are left alone. Another number changes nothing.
void ApplyLightPreset(int preset, LightZoneStates& zones);

// The preset whose letter area `zones` shows, or -1 when it shows none of them
// (a hand-edited file or another skin's factory states).
int LetterPresetShown(const LightZoneStates& zones);

// The preset a light profile takes when the device switches to it: profiles 1
// and 2 preset 4, 3 preset 1, 4 preset 2, 5 preset 3; -1 (none) for other numbers.
int DefaultPresetOfLightProfile(std::int32_t lightProfile);

// The lighting values of a reset: style 3 (the factory style) and every zone
// flag and the light mode on.
LightSettings FactoryLightSettings();

// The row of the T-key cycle for a click count: 1 gives T1..T5 lit, 2 T6..T10,
// 3 both, 0 (and every fourth click) neither. Negative counts follow the same
// cycle backwards.
struct TKeyCycleRow {
    std::int32_t tt1To5;
    std::int32_t tt6To10;
};
TKeyCycleRow TKeyCycle(std::int32_t clicks);
// The place in the cycle (0..3) of the T-key zones `zones` shows: the row
// TKeyCycle gives for it is what they show (states other than 1 count as dark).
int TKeyCycleShown(const LightZoneStates& zones);

// The light state section a LightMode selects: the value itself when it is 1 or
// more (above 5 names a section no profile button shows), else 1.
std::int32_t LightProfileOfMode(std::int32_t lightMode);

// The seven lighting styles are 0..6.
constexpr std::int32_t LIGHT_STYLE_MAX = 6;
// The style the lighting window shows and stores on opening and on a reload: a
// stored style 0..6 stays (each has its button), anything else (-1 for a
// missing value) becomes 1.
std::int32_t LightStyleOnOpen(std::int32_t lightStyle);

// What a WM_LIGHT_SYNC from the device service asks of the lighting window.
// The service's numbers are checked here: a request outside its range is
// LightSyncKind::None and changes nothing.
enum class LightSyncKind {
    None,
    Style,          // w = 0 or 2: select style `value`; the device's style 0 arrives as 7
    DeviceProfile,  // w = 1: select light profile `value` (l + 1) and apply its default preset
    Profile,        // w = 3: select light profile `value`
};
struct LightSyncRequest {
    LightSyncKind kind = LightSyncKind::None;
    std::int32_t value = 0;
};
// w = 0 or 2 with l in 0..7 (l = 0 gives style 7, which selects "off" and
// stores 0); w = 1 with l in 0..4; w = 3 with l in 1..5; anything else None.
LightSyncRequest DecodeLightSync(std::int64_t w, std::int64_t l);

// The ten lighting values by number, for telling which of them changed: bit i
// of a change mask stands for LightSettingsFields()[i].
using LightField = std::int32_t LightSettings::*;
const std::array<LightField, 10>& LightSettingsFields();
constexpr std::uint32_t LIGHT_FIELD_STYLE = 1u << 0;
constexpr std::uint32_t LIGHT_FIELD_MODE = 1u << 1;
// DirectLight, NumberLight, Tt1To5Light and Tt6To10Light: the flags a zone
// button sets at once (the others follow the zones only at an apply).
constexpr std::uint32_t LIGHT_FIELDS_AT_ONCE = (1u << 4) | (1u << 5) | (1u << 6) | (1u << 7);

// A reload of the lighting values while they are being edited: every value that
// differs between `before` (what the file held) and `after` (what it holds now)
// is taken into `editing`; the others keep the user's edit. Returns the mask of
// the values taken.
std::uint32_t TakeChangedLight(const LightSettings& before, const LightSettings& after, LightSettings& editing);

// At an apply: the eight zone flags of `values` from the zone states (the two
// T-key flags as held, the others 1 only for a state of exactly 1);
// LightStyle and LightMode are left as they are.
void DeriveLightValues(const LightZoneStates& zones, LightSettings& values);

// The zone bit mask sent with an apply: bit 0 1To6, 1 W, 2 AS, 3 ER, 4 OneTo0,
// 5 number pad, 6 PINYIN1, 7 T1..T5, 8 T6..T10, 9 direction keys; a bit is set
// for a state of exactly 1, bits 10..31 are always clear.
std::uint32_t LightZoneMask(const LightZoneStates& zones);

}  // namespace zavo
