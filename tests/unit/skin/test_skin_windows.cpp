#include "skin/SkinWindows.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TempDir.h"
#include "platform/FileSystem.h"

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
TEST(DisplayScale, TakesTheSetOfTheScaleOrTheNextLarger) {
    struct Row {
        unsigned dpi;
        int percent;
    } rows[] = {
        {0, 100},   {72, 100},  {96, 100},  {97, 125},  {120, 125}, {121, 150}, {144, 150},
        {168, 175}, {169, 200}, {192, 200}, {240, 200}, {288, 200},
    };
    for (const Row& r : rows) EXPECT_EQ(DisplayScale(r.dpi), r.percent) << r.dpi;
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

// A display between two scales gets the larger set, so nothing is stretched up;
// beyond the largest set the largest is used.
TEST(SkinScaleForDpi, OpensWithTheNextLargerSetTheSkinHolds) {
    const std::vector<int> all(std::begin(SKIN_SCALES), std::end(SKIN_SCALES));
    struct Row {
        int dpi, percent;
    } rows[] = {{96, 100}, {120, 125}, {130, 150}, {144, 150}, {168, 175}, {192, 200}, {240, 200}, {72, 100}};
    for (const Row& r : rows) {
        const WindowScale scale = SkinScaleForDpi(r.dpi, all);
        EXPECT_EQ(scale.percent, r.percent) << r.dpi;
        EXPECT_FALSE(scale.systemScaled) << r.dpi;
    }
}

// A skin without the display's set keeps its 100 % pictures and is stretched
// by the system, as before any scaled sets existed; another scale the skin does
// hold is not taken instead.
TEST(SkinScaleForDpi, WithoutTheDisplaysSetTheSystemStretches) {
    for (const int dpi : {120, 144, 192}) {
        const WindowScale only100 = SkinScaleForDpi(dpi, {100});
        EXPECT_EQ(only100.percent, 100) << dpi;
        EXPECT_TRUE(only100.systemScaled) << dpi;
    }
    EXPECT_TRUE(SkinScaleForDpi(144, {100, 125, 200}).systemScaled);
    EXPECT_FALSE(SkinScaleForDpi(96, {100}).systemScaled);
}

class CompleteSkinScalesTest : public ::testing::Test {
protected:
    // Every description file the windows open, each naming one face picture,
    // and the list menus' pictures, in `folder`.
    void WriteSet(const std::wstring& folder) {
        ASSERT_TRUE(fs::MakeDirectory(folder));
        for (const SkinWindowKeys& w : SkinnedWindowKeys())
            ASSERT_TRUE(fs::WriteFileAtomic(folder + w.file, "[SCREEN]\r\nMain=face.bmp\r\n"));
        for (const wchar_t* name : {L"face.bmp", L"Profile_cmd.JPG", L"MacroMenu.jpg"})
            ASSERT_TRUE(fs::WriteFileAtomic(folder + name, "x"));
    }
    TempDir skins;
};

TEST_F(CompleteSkinScalesTest, OnlyScalesWithEveryFileCount) {
    // A user's own skin: only the 100 % pictures.
    EXPECT_EQ(CompleteSkinScales(skins.path()), std::vector<int>{100});

    WriteSet(skins.path() + SkinScaleFolder(150));
    WriteSet(skins.path() + SkinScaleFolder(200));
    EXPECT_EQ(CompleteSkinScales(skins.path()), (std::vector<int>{100, 150, 200}));

    // A set missing one picture a window's file names, or one menu picture,
    // is not used at all.
    ASSERT_TRUE(fs::RemoveFile(skins.path() + SkinScaleFolder(150) + L"face.bmp"));
    ASSERT_TRUE(fs::RemoveFile(skins.path() + SkinScaleFolder(200) + L"MacroMenu.jpg"));
    EXPECT_EQ(CompleteSkinScales(skins.path()), std::vector<int>{100});
}

}  // namespace
}  // namespace zavo
