#include "config/ProfileEdits.h"

namespace zavo {

void ClearSwapKey(SwapKeyEntry& swap) {
    swap.IsChanged = 0;
    swap.AssKey = 0;
    swap.CurKey = 0;
}

void ResetProfile(ProfileConfig& profile) {
    for (ButtonConfig& slot : profile.Button) {
        slot.AppPath.clear();
        slot.Macro.MacroName.clear();
        slot.FunID = FUNID_NONE;
        slot.CurKey = 0;
        slot.AssKey = 0;
        slot.Macro.RepeatOption = 0;
        slot.Macro.RepeatTimes = 0;
        slot.Macro.Macro.fill(0);
        slot.Mappinkey = KEY_NONE;
    }
    profile.InstantShift.PreKey = KEY_NONE;
    profile.InstantShift.NextKey = KEY_NONE;
    for (SwapKeyEntry& swap : profile.SwapKey) ClearSwapKey(swap);
}

}  // namespace zavo
