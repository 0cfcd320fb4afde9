// The zone side of the lighting window: the zone states of the active light
// profile, kept in step with the light state file.
//
// A click always does what the screen shows: the letter area steps to the
// preset after the one it shows, the T-key zones to the next row of their cycle
// after the one they show, and the number-pad and direction zones switch from
// their shown state. While the data folder has no light state file (a first
// start), the skin's factory states are shown, and the first change writes
// them together with the change, so every light profile keeps showing what it
// showed.
//
// Every change writes the whole section of its light profile at once; the
// window's result later does not undo it. The lighting values themselves
// (LightSettings) stay with the caller: the flags a zone button sets at once
// follow the zones, and Apply derives the others.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "config/Ini.h"
#include "light/LightZones.h"

namespace zavo {

class LightZoneBoard {
public:
    // Uses `stateFile` from now on, with `factoryFile` standing in while it does
    // not exist, and loads the light profile `lightMode` selects.
    void Load(const std::wstring& stateFile, const std::wstring& factoryFile, std::int32_t lightMode);
    // Loads the zone states of the light profile `lightMode` selects (see
    // LightProfileOfMode).
    void SelectProfile(std::int32_t lightMode);

    std::int32_t Profile() const { return profile_; }
    const LightZoneStates& Zones() const { return zones_; }
    std::int32_t State(LightZone z) const { return zones_[ZoneIndex(z)]; }

    // Zones that wait to be stored for light profile `lightProfile` (an import
    // not applied yet): shown for that profile instead of the file's until they
    // are written, by any change of that profile or by StorePending.
    void SetPending(std::int32_t lightProfile, const LightZoneStates& zones);
    void ClearPending() { pending_.reset(); }
    // Whether the pending zones were written (or replaced by the user's change).
    bool PendingStored() const { return pendingStored_; }
    // Writes the pending zones, if any still wait.
    IniFileStatus StorePending();

    // A click on any letter-area zone button: the letter area takes the preset
    // after the one it shows (0 after 4); one that shows no preset takes the
    // one after the last preset set in this run.
    IniFileStatus ClickLetterZone();
    // The device switched light profile: the profile's default preset sets the
    // letter area. A profile without one changes nothing.
    IniFileStatus ApplyDefaultPreset();
    // The number-pad and direction buttons switch their zone from its shown
    // state; the flag in `values` takes the new state.
    IniFileStatus ClickNumber(LightSettings& values);
    IniFileStatus ClickDirect(LightSettings& values);
    // A T-key zone button (`which` is Tt1To5 or Tt6To10; another zone changes
    // nothing): both T-key zones take the cycle's next row after the one they
    // show, whichever of the two was clicked, and both flags follow.
    IniFileStatus ClickTKey(LightZone which, LightSettings& values);
    // The at-once flags of `values` named in `changed` (a LightSettingsFields
    // mask) set their zones: a reload brought them.
    IniFileStatus TakeFlags(const LightSettings& values, std::uint32_t changed);
    // The flags a zone button sets at once take the shown zones, so that what
    // is stored is what the window shows.
    void FlagsFollowZones(LightSettings& values) const;
    // The apply: derives the zone flags of `values` and gives the zone bit mask.
    std::uint32_t Apply(LightSettings& values) const;

private:
    IniFileStatus SetLetterArea(int preset);
    IniFileStatus SwitchZone(LightZone zone, std::int32_t& flag);
    // Writes the shown section whole (with the factory states of every other
    // light profile first when the file does not exist yet).
    IniFileStatus StoreShown();

    struct Pending {
        std::int32_t profile;
        LightZoneStates zones;
    };

    std::wstring file_;
    std::wstring factory_;
    std::int32_t profile_ = 1;
    LightZoneStates zones_{};
    std::optional<Pending> pending_;
    bool pendingStored_ = false;
    // The last preset a letter click set in this run.
    int lastPreset_ = 0;
};

}  // namespace zavo
