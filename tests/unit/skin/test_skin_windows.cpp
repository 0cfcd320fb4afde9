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

// A display between two sets takes the larger one; the five standard DPIs
// take their own set; beyond the sets the nearest one.
TEST(SkinScaleForDpi, TakesTheSetOfTheScaleOrTheNextLarger) {
    struct Row {
        unsigned dpi;
        int percent;
    } rows[] = {
        {0, 100},   {72, 100},  {96, 100},  {97, 125},  {120, 125}, {121, 150}, {144, 150},
        {168, 175}, {169, 200}, {192, 200}, {240, 200}, {288, 200},
    };
    for (const Row& r : rows) EXPECT_EQ(SkinScaleForDpi(r.dpi), r.percent) << r.dpi;
}

TEST(ScaledPicture, EachScaleHasItsOwnResourceAndOthersFallBackTo100) {
    struct Row {
        int percent, id;
        const wchar_t* name;
    } rows[] = {
        {100, 143, L"LOAD"},    {125, 1143, L"LOAD125"}, {150, 2143, L"LOAD150"},
        {175, 3143, L"LOAD175"}, {200, 4143, L"LOAD200"}, {110, 143, L"LOAD"}, {0, 143, L"LOAD"},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(ScaledPictureId(143, r.percent), r.id) << r.percent;
        EXPECT_EQ(ScaledPictureName(L"LOAD", r.percent), r.name) << r.percent;
    }
}

}  // namespace
}  // namespace zavo
