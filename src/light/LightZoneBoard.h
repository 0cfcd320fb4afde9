// The zone side of the lighting window: the zone states of the active light
// profile, kept in step with the light state file, and the two click counters
// that keep counting across the window's openings during one run.
//
// Every change of a zone is written to the file at once; the window's result
// later does not undo it. The lighting values themselves (LightSettings) stay
// with the caller: the flag buttons change the values passed in, and Apply
// derives the zone flags from the states.
#pragma once
#include <cstdint>
#include <string>

#include "config/Ini.h"
#include "light/LightZones.h"

namespace zavo {

class LightZoneBoard {
public:
    // Uses `stateFile` from now on and loads the light profile `lightMode` selects.
    void Load(const std::wstring& stateFile, std::int32_t lightMode);
    // Loads the zone states of the light profile `lightMode` selects (see
    // LightProfileOfMode) from the same file.
    void SelectProfile(std::int32_t lightMode);

    std::int32_t Profile() const { return profile_; }
    const LightZoneStates& Zones() const { return zones_; }
    std::int32_t State(LightZone z) const { return zones_[ZoneIndex(z)]; }

    // A click on any letter-area zone button but 1To6: the click counter moves on
    // and its preset (count modulo 5: 1, 2, 3, 4, 0, 1, ...) sets the 14 zones.
    IniFileStatus ClickLetterZone();
    // The device switched light profile: the profile's default preset sets the
    // letter area; the click counter stays. A profile without one changes nothing.
    IniFileStatus ApplyDefaultPreset();
    // The number-pad and direction buttons flip their flag in `values`; the zone
    // takes the new value.
    IniFileStatus ClickNumber(LightSettings& values);
    IniFileStatus ClickDirect(LightSettings& values);
    // A T-key zone button (`which` is Tt1To5 or Tt6To10; another zone changes
    // nothing): the T-key counter moves on, and both T-key zones and both T-key
    // flags of `values` take the cycle's row for the counter, whichever of the
    // two buttons was clicked.
    IniFileStatus ClickTKey(LightZone which, LightSettings& values);
    // The apply: derives the zone flags of `values` and gives the zone bit mask.
    std::uint32_t Apply(LightSettings& values) const;

private:
    IniFileStatus SetLetterArea(int preset);
    IniFileStatus SetFlagZone(LightZone zone, std::int32_t& flag);

    std::wstring file_;
    std::int32_t profile_ = 1;
    LightZoneStates zones_{};
    // Both counters are kept reduced to their cycle (5 presets, 4 T-key rows),
    // which gives the same rows as an ever-growing count without overflowing.
    int presetClicks_ = 0;
    int tkeyClicks_ = 0;
};

}  // namespace zavo
