#include "config/ProfileEdits.h"

#include "config/ConfigStore.h"

namespace zavo {

void ClearSwapKey(SwapKeyEntry& swap) {
    swap.IsChanged = 0;
    swap.AssKey = 0;
    swap.CurKey = 0;
}

void ResetProfile(ProfileConfig& profile) {
    for (ButtonConfig& slot : profile.Button) {
        ClearSlot(slot);
        slot.CurKey = 0;
        slot.AssKey = 0;
        slot.Mappinkey = KEY_NONE;
    }
    profile.InstantShift.PreKey = KEY_NONE;
    profile.InstantShift.NextKey = KEY_NONE;
    for (SwapKeyEntry& swap : profile.SwapKey) ClearSwapKey(swap);
}

}  // namespace zavo
