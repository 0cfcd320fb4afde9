// Keys drawn by their window: which look each key shows, which click the mouse
// makes, and which keys must be repainted after each step.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "skin/KeyStates.h"

namespace zavo {
namespace {

// Three keys in a row, 10 x 10 each, 5 pixels apart; (0, 0) is background.
KeyStates ThreeKeys() {
    KeyStates keys;
    keys.Add({10, 10, 20, 20});
    keys.Add({25, 10, 35, 20});
    keys.Add({40, 10, 50, 20});
    return keys;
}

constexpr int kX[] = {15, 30, 45};
constexpr int kY = 15;

std::vector<int> Changed(const KeyChanges& c) { return std::vector<int>(c.keys, c.keys + c.count); }

TEST(KeyStates, HitTestTakesLeftAndTopButNotRightAndBottom) {
    KeyStates keys = ThreeKeys();
    struct Case {
        const char* what;
        int x, y, key;
    } cases[] = {
        {"top-left corner", 10, 10, 0},   {"inside", 19, 19, 0},        {"right edge", 20, 15, -1},
        {"bottom edge", 15, 20, -1},      {"between keys", 22, 15, -1}, {"third key", 49, 10, 2},
        {"far outside", 1000000, 15, -1}, {"negative", -5, -5, -1},
    };
    for (const Case& c : cases) EXPECT_EQ(keys.KeyAt(c.x, c.y), c.key) << c.what;
}

TEST(KeyStates, KeysWithoutAreaAreNeverHit) {
    KeyStates keys;
    const int inverted = keys.Add({30, 30, 10, 10});
    const int empty = keys.Add({5, 5, 5, 9});
    const int real = keys.Add({0, 0, 40, 40});
    EXPECT_EQ(keys.KeyAt(20, 20), real);
    EXPECT_EQ(keys.KeyAt(5, 6), real);
    // They still hold their states and are drawn with them.
    EXPECT_TRUE(keys.SetLatched(inverted, true));
    EXPECT_EQ(keys.Look(inverted), KeyLook::Down);
    EXPECT_TRUE(keys.SetEnabled(empty, false));
    EXPECT_EQ(keys.Look(empty), KeyLook::Disabled);
}

TEST(KeyStates, LookPriorityDisabledThenLatchedOrPressedThenHover) {
    struct Case {
        const char* what;
        bool enabled, latched, hover, press;
        KeyLook look;
    } cases[] = {
        {"at rest", true, false, false, false, KeyLook::Rest},
        {"under the mouse", true, false, true, false, KeyLook::Over},
        {"latched", true, true, false, false, KeyLook::Down},
        {"latched under the mouse", true, true, true, false, KeyLook::Down},
        {"pressed", true, false, true, true, KeyLook::Down},
        {"disabled", false, false, false, false, KeyLook::Disabled},
        {"disabled and latched", false, true, false, false, KeyLook::Disabled},
        {"disabled under the mouse", false, false, true, false, KeyLook::Disabled},
    };
    for (const Case& c : cases) {
        KeyStates keys = ThreeKeys();
        keys.SetLatched(1, c.latched);
        if (c.hover) keys.MouseMove(kX[1], kY);
        if (c.press) {
            KeyChanges ignored;
            keys.Press(kX[1], kY, ignored);
        }
        keys.SetEnabled(1, c.enabled);
        EXPECT_EQ(keys.Look(1), c.look) << c.what;
        EXPECT_EQ(keys.Look(0), KeyLook::Rest) << c.what;
    }
}

TEST(KeyStates, SettersReportOnlyARealChangeOfLook) {
    KeyStates keys = ThreeKeys();
    EXPECT_FALSE(keys.SetLatched(0, false));
    EXPECT_TRUE(keys.SetLatched(0, true));
    EXPECT_FALSE(keys.SetLatched(0, true));
    EXPECT_TRUE(keys.SetEnabled(0, false));
    // Latching a disabled key is kept but shows nothing new.
    EXPECT_FALSE(keys.SetLatched(0, false));
    EXPECT_FALSE(keys.IsLatched(0));
    EXPECT_TRUE(keys.SetEnabled(0, true));
    // Out of range: nothing happens.
    EXPECT_FALSE(keys.SetLatched(3, true));
    EXPECT_FALSE(keys.SetEnabled(-1, false));
    EXPECT_EQ(keys.Look(7), KeyLook::Rest);
}

TEST(KeyStates, HoverFollowsTheMouseAndReportsTheKeysToRepaint) {
    KeyStates keys = ThreeKeys();
    EXPECT_EQ(Changed(keys.MouseMove(kX[0], kY)), (std::vector<int>{0}));
    EXPECT_EQ(Changed(keys.MouseMove(kX[0] + 1, kY)), std::vector<int>{}) << "still on the same key";
    EXPECT_EQ(Changed(keys.MouseMove(kX[1], kY)), (std::vector<int>{0, 1}));
    EXPECT_EQ(Changed(keys.MouseMove(22, kY)), (std::vector<int>{1})) << "onto the background";
    keys.SetLatched(2, true);
    EXPECT_EQ(Changed(keys.MouseMove(kX[2], kY)), std::vector<int>{}) << "a latched key looks the same";
    EXPECT_EQ(keys.Hovered(), 2);
    EXPECT_EQ(Changed(keys.MouseLeave()), std::vector<int>{});
    EXPECT_EQ(keys.Hovered(), -1);
    keys.SetEnabled(0, false);
    EXPECT_EQ(Changed(keys.MouseMove(kX[0], kY)), std::vector<int>{}) << "a disabled key takes no hover";
    EXPECT_EQ(keys.Hovered(), -1);
}

// A press and what follows it, as a script of steps.
struct Step {
    enum Kind { Move, Press, Release, Cancel, Disable } kind;
    int x;
};

struct ClickCase {
    const char* what;
    std::vector<Step> steps;
    int clicked;          // the key the last release clicked (-1 none)
    KeyLook lookOfFirst;  // key 0 after the steps
};

TEST(KeyStates, APressClicksOnlyWhenReleasedOverTheSameEnabledKey) {
    const int on0 = kX[0], on1 = kX[1], off = 22;
    const ClickCase cases[] = {
        {"press and release", {{Step::Move, on0}, {Step::Press, on0}, {Step::Release, on0}}, 0, KeyLook::Over},
        {"press without a move first", {{Step::Press, on0}, {Step::Release, on0}}, 0, KeyLook::Over},
        {"released on another key", {{Step::Press, on0}, {Step::Move, on1}, {Step::Release, on1}}, -1, KeyLook::Rest},
        {"left and came back",
         {{Step::Press, on0}, {Step::Move, off}, {Step::Move, on0}, {Step::Release, on0}},
         0,
         KeyLook::Over},
        {"released on the background",
         {{Step::Press, on0}, {Step::Move, off}, {Step::Release, off}},
         -1,
         KeyLook::Rest},
        {"the mouse was taken away", {{Step::Press, on0}, {Step::Cancel, 0}, {Step::Release, on0}}, -1, KeyLook::Over},
        {"disabled while pressed",
         {{Step::Press, on0}, {Step::Disable, 0}, {Step::Release, on0}},
         -1,
         KeyLook::Disabled},
        {"press on the background", {{Step::Press, off}, {Step::Release, on0}}, -1, KeyLook::Over},
    };
    for (const ClickCase& c : cases) {
        KeyStates keys = ThreeKeys();
        int clicked = -1;
        for (const Step& s : c.steps) {
            KeyChanges changes;
            switch (s.kind) {
                case Step::Move:
                    keys.MouseMove(s.x, kY);
                    break;
                case Step::Press:
                    keys.Press(s.x, kY, changes);
                    break;
                case Step::Release:
                    clicked = keys.Release(s.x, kY, changes);
                    break;
                case Step::Cancel:
                    keys.CancelPress();
                    break;
                case Step::Disable:
                    keys.SetEnabled(0, false);
                    break;
            }
        }
        EXPECT_EQ(clicked, c.clicked) << c.what;
        EXPECT_EQ(keys.Look(0), c.lookOfFirst) << c.what;
        EXPECT_EQ(keys.Pressed(), -1) << c.what;
    }
}

TEST(KeyStates, WhilePressedOnlyThePressedKeyShowsTheMouse) {
    KeyStates keys = ThreeKeys();
    KeyChanges changes;
    ASSERT_TRUE(keys.Press(kX[0], kY, changes));
    EXPECT_EQ(Changed(changes), (std::vector<int>{0}));
    EXPECT_EQ(keys.Look(0), KeyLook::Down);
    EXPECT_EQ(Changed(keys.MouseMove(kX[1], kY)), (std::vector<int>{0}));
    EXPECT_EQ(keys.Look(0), KeyLook::Rest);
    EXPECT_EQ(keys.Look(1), KeyLook::Rest) << "another key does not light up during a press";
    EXPECT_EQ(Changed(keys.MouseMove(kX[0], kY)), (std::vector<int>{0}));
    EXPECT_EQ(keys.Look(0), KeyLook::Down);
    EXPECT_EQ(keys.Release(kX[0], kY, changes), 0);
    EXPECT_EQ(Changed(changes), (std::vector<int>{0}));
}

TEST(KeyStates, DisabledKeysTakeNoPress) {
    KeyStates keys = ThreeKeys();
    keys.SetEnabled(1, false);
    KeyChanges changes;
    EXPECT_FALSE(keys.Press(kX[1], kY, changes));
    EXPECT_FALSE(keys.Press(22, kY, changes)) << "nor does the background";
    EXPECT_EQ(keys.Pressed(), -1);
    EXPECT_EQ(keys.Release(kX[1], kY, changes), -1);
}

TEST(KeyStates, ClearForgetsKeysAndMouse) {
    KeyStates keys = ThreeKeys();
    KeyChanges changes;
    keys.Press(kX[2], kY, changes);
    keys.Clear();
    EXPECT_EQ(keys.Count(), 0);
    EXPECT_EQ(keys.Pressed(), -1);
    EXPECT_EQ(keys.Hovered(), -1);
    EXPECT_EQ(keys.KeyAt(kX[2], kY), -1);
}

}  // namespace
}  // namespace zavo
