#include "config/InstantShiftRules.h"

namespace zavo {

namespace {
const wchar_t* const kProfileNames[PROFILE_COUNT] = {L"Profile I", L"Profile II", L"Profile III", L"Profile IV",
                                                     L"Profile V"};
bool IsProfile(int p) { return p >= 0 && p < PROFILE_COUNT; }
}  // namespace

std::vector<std::wstring> InstantShiftProfileNames(int activeProfile) {
    std::vector<std::wstring> names;
    if (!IsProfile(activeProfile)) return names;
    for (int p = 0; p < PROFILE_COUNT; ++p)
        if (p != activeProfile) names.emplace_back(kProfileNames[p]);
    return names;
}

int ProfileOfListLine(int activeProfile, int index) {
    if (!IsProfile(activeProfile) || index < 0 || index >= PROFILE_COUNT - 1) return -1;
    return index < activeProfile ? index : index + 1;
}

int ChoiceOf(const InstantShiftKeys& keys, int profile) {
    if (!IsProfile(profile)) return 0;
    const std::int32_t c = keys.ProfileKey[static_cast<size_t>(profile)];
    return c >= 1 && c <= INSTANT_SHIFT_CHOICES ? c : 0;
}

namespace {
bool HeldByAnother(const InstantShiftKeys& keys, int activeProfile, int profile, int choice) {
    for (int i = 0; i < PROFILE_COUNT; ++i)
        if (i != activeProfile && i != profile && ChoiceOf(keys, i) == choice) return true;
    return false;
}
}  // namespace

ChoiceButtons ChoiceButtonsFor(const InstantShiftKeys& keys, int activeProfile, int profile) {
    ChoiceButtons b;
    const int own = ChoiceOf(keys, profile);
    for (int c = 1; c <= INSTANT_SHIFT_CHOICES; ++c) {
        b.enabled[static_cast<size_t>(c - 1)] = c == own || !HeldByAnother(keys, activeProfile, profile, c);
        b.latched[static_cast<size_t>(c - 1)] = c == own;
    }
    return b;
}

bool ClickChoice(InstantShiftKeys& keys, int activeProfile, int profile, int choice) {
    if (!IsProfile(profile) || profile == activeProfile || choice < 1 || choice > INSTANT_SHIFT_CHOICES) return false;
    const int own = ChoiceOf(keys, profile);
    std::int32_t& stored = keys.ProfileKey[static_cast<size_t>(profile)];
    if (own == choice) {
        stored = 0;
        return true;
    }
    // A free choice is taken, and moves the profile's choice there when it had
    // another: the buttons are one group, as a radio group is. One that another
    // profile holds is not free.
    if (HeldByAnother(keys, activeProfile, profile, choice)) return false;
    stored = choice;
    return true;
}

}  // namespace zavo
