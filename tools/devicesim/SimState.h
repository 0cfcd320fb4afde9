// What the simulated keyboard currently holds, as the simulator's window shows it.
#pragma once
#include <string>

#include "config/KeyboardConfig.h"
#include "light/LightZones.h"

namespace devicesim {

struct SimState {
    bool devicePresent = true;
    bool hang = false;
    unsigned applyDelayMs = 0;
    int mode = -1;             // last SVC_SET_MODE, or Mode of "Config.config" at start
    int profile = -1;          // the profile last applied or selected
    std::wstring profileWhen;  // clock time of that apply, "" before the first
    bool lightKnown = false;
    zavo::LightSettings light;
    // The zones the light state file lights for the light profile of `light`,
    // read with the lighting values.
    zavo::LightZoneStates zones{};
    int tkeysAssigned = 0;  // of the applied profile
    int macros = 0;
    int keysRemapped = 0;
    bool filesChecked = false;
    bool filesOk = true;
    std::wstring filesSummary;  // "6 files read, no problems", or the first bad file and its problem count
    std::wstring filesDetail;   // when read, or the first problem
    std::wstring lastMessage;   // the last message received, for the footer
    int pendingReplies = 0;
    std::wstring logPath;
};

// Short name of a command code of WM_SERVICE_COMMAND ("SVC_APPLY_PROFILE"), or
// "" for a code the protocol does not know.
const wchar_t* CommandName(unsigned code);

// "HH:MM:SS" of the local clock.
std::wstring ClockNow();

}  // namespace devicesim
