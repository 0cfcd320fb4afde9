// The rules of the instant shift dialog, kept apart from the window: which
// profiles the profile menu lists, what the three choice buttons ("Shift",
// "Ctrl", "Alt") show for a picked profile, and what a click on one does.
// ProfileKey[n] of the active profile's block: 0 none, 1 Shift, 2 Ctrl, 3 Alt;
// any other value (a damaged file) counts as 0.
#pragma once
#include <array>
#include <string>
#include <vector>

#include "config/KeyboardConfig.h"

namespace zavo {

constexpr int INSTANT_SHIFT_CHOICES = 3;

// "Profile I" .. "Profile V" without the active profile's, in ascending order;
// empty when `activeProfile` names no profile (0..4).
std::vector<std::wstring> InstantShiftProfileNames(int activeProfile);

// The profile that line `index` of that list stands for; -1 outside the list.
int ProfileOfListLine(int activeProfile, int index);

// A profile's choice as the rules read it: ProfileKey[profile], or 0 when the
// value is outside 0..3.
int ChoiceOf(const InstantShiftKeys& keys, int profile);

// What the three choice buttons show for `profile`: each enabled unless another
// profile (not the active one) holds that choice, and latched for the
// profile's own choice.
struct ChoiceButtons {
    std::array<bool, INSTANT_SHIFT_CHOICES> enabled{};
    std::array<bool, INSTANT_SHIFT_CHOICES> latched{};
};
ChoiceButtons ChoiceButtonsFor(const InstantShiftKeys& keys, int activeProfile, int profile);

// A click on choice `choice` (1..3) for `profile`: releases the profile's own
// choice, or takes a choice no other profile holds (in place of the profile's
// own, when it had one). True when the block changed.
bool ClickChoice(InstantShiftKeys& keys, int activeProfile, int profile, int choice);

}  // namespace zavo
