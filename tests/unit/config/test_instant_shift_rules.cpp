// The instant shift rules: the profile list, the choice buttons and clicks.
#include <gtest/gtest.h>

#include "config/InstantShiftRules.h"

namespace zavo {
namespace {

InstantShiftKeys Keys(std::array<std::int32_t, PROFILE_COUNT> choices) {
    InstantShiftKeys k;
    k.ProfileKey = choices;
    return k;
}

TEST(InstantShiftRules, TheListLeavesTheActiveProfileOut) {
    EXPECT_EQ(InstantShiftProfileNames(3),
              (std::vector<std::wstring>{L"Profile I", L"Profile II", L"Profile III", L"Profile V"}));
    EXPECT_EQ(InstantShiftProfileNames(4),
              (std::vector<std::wstring>{L"Profile I", L"Profile II", L"Profile III", L"Profile IV"}));
    EXPECT_TRUE(InstantShiftProfileNames(5).empty());  // no editable profile
    EXPECT_TRUE(InstantShiftProfileNames(-1).empty());
    const struct {
        int active, line, profile;
    } rows[] = {{3, 3, 4}, {3, 2, 2}, {0, 0, 1}, {4, 3, 3}, {3, 4, -1}, {3, -1, -1}, {5, 0, -1}};
    for (const auto& r : rows) EXPECT_EQ(ProfileOfListLine(r.active, r.line), r.profile) << r.active << "/" << r.line;
}

TEST(InstantShiftRules, ButtonsShowOwnChoiceAndDisableOthersChoices) {
    // Active profile 0 holds Alt in its own entry: that disables nothing.
    const InstantShiftKeys k = Keys({3, 1, 0, 2, 9});
    const ChoiceButtons forTwo = ChoiceButtonsFor(k, 0, 2);
    EXPECT_EQ(forTwo.enabled, (std::array<bool, 3>{false, false, true}));  // Shift (1) and Ctrl (3) taken
    EXPECT_EQ(forTwo.latched, (std::array<bool, 3>{false, false, false}));
    const ChoiceButtons forOne = ChoiceButtonsFor(k, 0, 1);
    EXPECT_EQ(forOne.enabled, (std::array<bool, 3>{true, false, true}));
    EXPECT_EQ(forOne.latched, (std::array<bool, 3>{true, false, false}));
    // A value outside 0..3 from a damaged file counts as none.
    EXPECT_EQ(ChoiceOf(k, 4), 0);
    EXPECT_EQ(ChoiceButtonsFor(k, 0, 4).latched, (std::array<bool, 3>{false, false, false}));
}

TEST(InstantShiftRules, ClicksTakeMoveAndReleaseOnlyFreeChoices) {
    const struct {
        const char* what;
        std::array<std::int32_t, PROFILE_COUNT> before;
        int profile, choice;
        bool changed;
        std::int32_t after;
    } rows[] = {
        {"takes a free choice", {0, 0, 0, 0, 0}, 2, 2, true, 2},
        {"releases its own", {0, 0, 2, 0, 0}, 2, 2, true, 0},
        {"a click on another free choice moves the profile's choice there", {0, 0, 1, 0, 0}, 2, 2, true, 2},
        {"a choice another profile holds is not taken over", {0, 2, 1, 0, 0}, 2, 2, false, 1},
        {"a choice another profile holds", {0, 2, 0, 0, 0}, 2, 2, false, 0},
        {"the active profile's own entry holds nothing", {2, 0, 0, 0, 0}, 2, 2, true, 2},
        {"a damaged value counts as none", {0, 0, 7, 0, 0}, 2, 3, true, 3},
        {"the active profile is not edited", {0, 0, 0, 0, 0}, 0, 1, false, 0},
        {"a choice outside 1..3", {0, 0, 0, 0, 0}, 2, 4, false, 0},
    };
    for (const auto& r : rows) {
        InstantShiftKeys k = Keys(r.before);
        EXPECT_EQ(ClickChoice(k, 0, r.profile, r.choice), r.changed) << r.what;
        EXPECT_EQ(k.ProfileKey[static_cast<size_t>(r.profile)], r.after) << r.what;
    }
}

}  // namespace
}  // namespace zavo
