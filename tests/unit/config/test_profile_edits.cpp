// Reset of a profile: what it clears, what it keeps, and that the other
// profiles are untouched.
#include <gtest/gtest.h>

#include "ConfigFixtures.h"
#include "config/ProfileEdits.h"

namespace zavo {
namespace {

TEST(ResetProfile, ClearsEveryFunctionOfTheProfileAndNothingElse) {
    auto config = testing::RichConfig();
    const KeyboardConfig before = *config;
    ProfileConfig& p = config->Profile[2];
    p.InstantShift.ProfileKey = {1, 2, 3, 0, 1};
    p.Button[4].SingleKey = 0x2A;
    ResetProfile(p);

    for (size_t s = 0; s < p.Button.size(); ++s) {
        SCOPED_TRACE("slot " + std::to_string(s));
        const ButtonConfig& slot = p.Button[s];
        EXPECT_EQ(slot.FunID, FUNID_NONE);
        EXPECT_EQ(slot.CurKey, 0);
        EXPECT_EQ(slot.AssKey, 0);
        EXPECT_TRUE(slot.AppPath.empty());
        EXPECT_TRUE(slot.Macro.MacroName.empty());
        EXPECT_EQ(slot.Macro.RepeatOption, 0);
        EXPECT_EQ(slot.Macro.RepeatTimes, 0);
        EXPECT_EQ(slot.Macro.Macro, decltype(slot.Macro.Macro){});
        EXPECT_EQ(slot.Macro.MacroLength, 0);
        EXPECT_EQ(slot.Mappinkey, KEY_NONE);
    }
    for (const SwapKeyEntry& swap : p.SwapKey) {
        EXPECT_EQ(swap.IsChanged, 0);
        EXPECT_EQ(swap.CurKey, 0);
        EXPECT_EQ(swap.AssKey, 0);
    }
    EXPECT_EQ(p.InstantShift.PreKey, KEY_NONE);
    EXPECT_EQ(p.InstantShift.NextKey, KEY_NONE);
    // Kept: the instant-shift choices and a slot's single key, unread while it has no function.
    EXPECT_EQ(p.InstantShift.ProfileKey, (std::array<std::int32_t, PROFILE_COUNT>{1, 2, 3, 0, 1}));
    EXPECT_EQ(p.Button[4].SingleKey, 0x2A);

    for (int other : {0, 1, 3, 4}) EXPECT_EQ(config->Profile[other], before.Profile[other]) << "profile " << other;
    EXPECT_EQ(config->Light, before.Light);
}

}  // namespace
}  // namespace zavo
