// Edits of a whole profile or of one of its parts that more than one window
// makes: kept here, in the portable core, so each rule is written once and
// tested without a window.
#pragma once
#include "config/KeyboardConfig.h"

namespace zavo {

// A standard key without a remap.
void ClearSwapKey(SwapKeyEntry& swap);

// What the main window's Reset does to the active profile: no slot does
// anything (function, key codes, application path, macro name, macro events
// and repeat option cleared, no key lent), no instant-shift keys, no standard
// key remapped. The profile's instant-shift choices of other profiles
// (ProfileKey) are kept, as are a slot's single key and macro length, which
// nothing reads while the slot has no function.
void ResetProfile(ProfileConfig& profile);

}  // namespace zavo
