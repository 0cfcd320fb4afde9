// The light state file, "LightOption.ini" in the data folder: for each light
// profile p (1..5, the value of LightMode) the section "Profile<p>LightState"
// holds the 18 zone keys of LightZones.h ("m_BTNW" .. "m_BTNDirect"), each the
// zone's lit state as a decimal integer, 1 lit, 0 dark.
//
// Reading: a missing file, section or key reads as 0. The tool writes only 0 and
// 1; any other number (a hand-edited file) reads as 0, dark, the same rule the
// apply uses for most zone flags, so what the window shows is what the device
// gets.
//
// Factory states: the skin file "Skins\LightOption.ini" (which also holds the
// lighting window's own "SCREEN" and "BUTTONINFO" sections) carries the factory
// zone states in the same form: sections "Profile1LightState" ..
// "Profile5LightState", each with the 18 keys
//     m_BTNW m_BTNAS m_BTND m_BTNQ m_BTNER m_BTNF m_BTN1To6 m_BTNOneTo0
//     m_BTNBackSpace m_BTNPINYIN1 m_BTNPINYIN2 m_BTNPINYIN3 m_BTNPINYIN4
//     m_BTNPINYIN5 m_BTNTt1TO5 m_BTNTt6TO10 m_BTNNumber m_BTNDirect
// set to 1 or 0. A key missing there is copied as 0.
#pragma once
#include <cstdint>
#include <string>

#include "config/ConfigStore.h"
#include "config/Ini.h"
#include "light/LightZones.h"

namespace zavo {

// The light state file of a data folder (which ends with a separator).
std::wstring LightStateFilePath(const std::wstring& dataFolder);
// The factory state file of a skin folder ("...\Skins\").
std::wstring FactoryLightStatePath(const std::wstring& skinFolder);
// "Profile<p>LightState".
std::wstring LightStateSection(std::int32_t lightProfile);

// The 18 zone states of one light profile.
LightZoneStates ReadLightZones(const std::wstring& file, std::int32_t lightProfile);

// Writes one zone's key.
IniFileStatus WriteLightZone(const std::wstring& file, std::int32_t lightProfile, LightZone zone, std::int32_t state);

// Writes the keys of the `count` zones listed in `which`, in that order, with
// their states from `zones`, as one change of the file.
IniFileStatus WriteLightZones(const std::wstring& file, std::int32_t lightProfile, const LightZone* which, size_t count,
                              const LightZoneStates& zones);

// Copies the zone states of light profiles 1..5 from `from` into `to`, as one
// change of `to` (a key missing in `from` is copied as 0). Other sections of
// `to` are kept.
IniFileStatus CopyLightStates(const std::wstring& from, const std::wstring& to);

// The reset of the main window: copies the factory zone states of light
// profiles 1..5 from FactoryLightStatePath(skinFolder) into
// LightStateFilePath(dataFolder), as one change of that file. Other sections of
// the data file are kept.
IniFileStatus CopyFactoryLightStates(const std::wstring& skinFolder, const std::wstring& dataFolder);

}  // namespace zavo
