#include "skin/SkinWindows.h"

#include <gtest/gtest.h>

namespace zavo {
namespace {

// The windows place what they draw themselves where the skin generator puts
// the edges of its rectangles: x times the scale, halves rounded up (towards
// positive infinity, negative coordinates too).
TEST(ScalePixel, RoundsAsTheSkinGeneratorDoes) {
    struct Row {
        int v, percent, expected;
    } rows[] = {
        {221, 100, 221}, {221, 125, 276}, {1, 150, 2},    {3, 150, 5},   {369, 175, 646},
        {1060, 200, 2120}, {-1, 150, -1}, {-3, 150, -4}, {-2, 125, -2}, {0, 175, 0},
    };
    for (const Row& r : rows) EXPECT_EQ(ScalePixel(r.v, r.percent), r.expected) << r.v << " at " << r.percent;
}

TEST(ScalePixel, RectanglesThatMeetStillMeet) {
    const SkinRect left{10, 5, 47, 30}, right{47, 5, 85, 30};
    for (const int percent : SKIN_SCALES) EXPECT_EQ(ScaleRect(left, percent).right, ScaleRect(right, percent).left);
}

TEST(SkinScaleFolder, OnlyTheLargerScalesHaveAFolder) {
    EXPECT_EQ(SkinScaleFolder(100), L"");
    EXPECT_EQ(SkinScaleFolder(150), L"150\\");
}

}  // namespace
}  // namespace zavo
