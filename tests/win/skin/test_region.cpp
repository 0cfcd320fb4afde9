// Window shapes from mask pictures.
#include <gtest/gtest.h>

#include <vector>

#include "SkinTestSupport.h"
#include "skin/Region.h"

using namespace zavo;

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);

// Every pixel of a width x height area: inside the region or not.
std::vector<bool> Coverage(HRGN region, int width, int height) {
    std::vector<bool> inside;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) inside.push_back(PtInRegion(region, x, y) != FALSE);
    return inside;
}

std::vector<bool> NonWhite(const skintest::Surface& s, int width, int height) {
    std::vector<bool> inside;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) inside.push_back(s.At(x, y) != kWhite);
    return inside;
}

}  // namespace

TEST(RegionFromMask, HoldsExactlyTheNonWhitePixels) {
    struct Case {
        const char* what;
        void (*paint)(skintest::Surface&);
    } cases[] = {
        {"nearly white is inside", [](skintest::Surface& s) { s.Set(3, 2, RGB(254, 255, 255)); }},
        {"run reaching the row's end",
         [](skintest::Surface& s) {
             s.Fill(RECT{5, 1, 12, 2}, RGB(0, 0, 0));
         }},
        {"whole row",
         [](skintest::Surface& s) {
             s.Fill(RECT{0, 4, 12, 5}, RGB(1, 2, 3));
         }},
        {"several runs in a row",
         [](skintest::Surface& s) {
             s.Set(0, 0, 0);
             s.Fill(RECT{2, 0, 4, 1}, RGB(255, 0, 255));
             s.Set(11, 0, RGB(255, 255, 0));
         }},
        {"a block",
         [](skintest::Surface& s) {
             s.Fill(RECT{2, 2, 9, 7}, RGB(10, 10, 10));
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        skintest::Surface mask(12, 8);
        mask.Fill(kWhite);
        c.paint(mask);
        const ScopedRgn region = RegionFromMask(mask.Unselect());
        ASSERT_NE(nullptr, region.Get());
        EXPECT_EQ(NonWhite(mask, 12, 8), Coverage(region.Get(), 12, 8));
    }
}

TEST(RegionFromMask, AllWhiteGivesAnEmptyRegionAndNoBitmapNone) {
    skintest::Surface mask(10, 10);
    mask.Fill(kWhite);
    const ScopedRgn region = RegionFromMask(mask.Unselect());
    ASSERT_NE(nullptr, region.Get());
    RECT box;
    EXPECT_EQ(NULLREGION, GetRgnBox(region.Get(), &box));
    EXPECT_FALSE(RegionFromMask(nullptr));
}

TEST(RegionFromMask, ManyBatchesUniteIntoOneShape) {
    // A checkerboard of 120 x 60 has 3600 single-pixel runs: two full batches
    // of 2000 rectangles and the rest.
    const int w = 120, h = 60;
    skintest::Surface mask(w, h);
    mask.Fill(kWhite);
    for (int y = 0; y < h; ++y)
        for (int x = (y & 1); x < w; x += 2) mask.Set(x, y, RGB(0, 0, 0));
    const ScopedRgn region = RegionFromMask(mask.Unselect());
    ASSERT_NE(nullptr, region.Get());
    EXPECT_EQ(NonWhite(mask, w, h), Coverage(region.Get(), w, h));
}

TEST(RegionFromMask, ReleasesEverythingItMade) {
    skintest::Surface mask(64, 64);
    mask.Fill(RGB(0, 0, 0));
    HBITMAP bitmap = mask.Unselect();
    skintest::GuiCounts before;
    for (int i = 0; i < 50; ++i) RegionFromMask(bitmap);  // each owner deletes its region
    EXPECT_EQ(before.gdi, skintest::GuiCounts().gdi);
}
