// Edits of a whole profile or of one of its parts that more than one window
// makes: kept here, in the portable core, so each rule is written once and
// tested without a window.
#pragma once
#include "config/KeyboardConfig.h"

namespace zavo {

// A standard key without a remap.
void ClearSwapKey(SwapKeyEntry& swap);

// What the main window's Reset does to the active profile: every slot cleared
// as a first start clears it (ClearSlot: function, application path, macro),
// its key codes too and no key lent; no instant-shift keys; no standard key
// remapped. The profile's instant-shift choices of other profiles
// (ProfileKey) are kept, as is a slot's single key, which nothing reads while
// the slot has no function.
void ResetProfile(ProfileConfig& profile);

}  // namespace zavo
