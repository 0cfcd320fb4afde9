// The mask scan: which pixels make a window's shape and how the rectangles are
// handed out in batches.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "skin/MaskScan.h"

namespace zavo {
namespace {

// A 32-bit picture drawn with characters, top row first: '.' pure white,
// '#' black, 'r' white but for red 254, 'x' white with a non-255 unused byte.
struct Mask {
    int width = 0, height = 0;
    std::vector<std::uint8_t> px;
    explicit Mask(const std::vector<std::string>& rows) {
        height = static_cast<int>(rows.size());
        width = height ? static_cast<int>(rows[0].size()) : 0;
        for (const std::string& row : rows) {
            for (char c : row) {
                std::uint8_t b = 255, g = 255, r = 255, x = 0;
                if (c == '#') b = g = r = 0;
                if (c == 'r') r = 254;
                if (c == 'x') x = 17;
                px.insert(px.end(), {b, g, r, x});
            }
        }
    }
    std::vector<RectBatch> Scan() const { return ScanMask(px.data(), width, height, width * 4); }
};

std::vector<SkinRect> AllRects(const std::vector<RectBatch>& batches) {
    std::vector<SkinRect> all;
    for (const RectBatch& b : batches) all.insert(all.end(), b.rects.begin(), b.rects.end());
    return all;
}

TEST(MaskScan, RunsOfNonWhitePixelsBecomeRowRectangles) {
    Mask m({
        "..##..#",  // a run in the middle and one reaching the row's end
        "r......",  // red 254 is inside
        "#######",  // a full row is one rectangle over the whole width
        ".......",  // nothing
        "..x....",  // the unused byte does not matter: white
    });
    auto batches = m.Scan();
    ASSERT_EQ(batches.size(), 1u);
    std::vector<SkinRect> want = {{2, 0, 4, 1}, {6, 0, 7, 1}, {0, 1, 1, 2}, {0, 2, 7, 3}};
    EXPECT_EQ(batches[0].rects, want);
    EXPECT_EQ(batches[0].bounds, (SkinRect{0, 0, 7, 3}));
}

TEST(MaskScan, AllWhiteGivesOneEmptyBatchWithStartingBounds) {
    Mask m({"....", "...."});
    auto batches = m.Scan();
    ASSERT_EQ(batches.size(), 1u);
    EXPECT_TRUE(batches[0].rects.empty());
    EXPECT_EQ(batches[0].bounds, (SkinRect{INT_MAX, INT_MAX, 0, 0}));
}

TEST(MaskScan, UnusableBuffersGiveNoShape) {
    std::vector<std::uint8_t> px(64, 0);
    struct Case {
        const char* what;
        const std::uint8_t* data;
        int w, h;
        std::ptrdiff_t stride;
        int pixelBytes = 4;
    };
    const Case cases[] = {
        {"null buffer", nullptr, 2, 2, 8},
        {"zero width", px.data(), 0, 2, 8},
        {"negative height", px.data(), 2, -1, 8},
        {"stride shorter than a row", px.data(), 4, 2, 8},
        {"pixels of 2 bytes", px.data(), 2, 2, 8, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto batches = ScanMask(c.data, c.w, c.h, c.stride, c.pixelBytes);
        ASSERT_EQ(batches.size(), 1u);
        EXPECT_TRUE(batches[0].rects.empty());
    }
}

TEST(MaskScan, StrideAndBottomUpBuffersAreFollowed) {
    // Two rows of width 2 with 4 bytes of padding each; row 0 black at x = 1.
    std::vector<std::uint8_t> px(2 * 12, 255);
    px[4] = px[5] = px[6] = 0;     // row 0, pixel 1
    px[12] = px[13] = px[14] = 0;  // row 1, pixel 0
    std::vector<SkinRect> topDown = {{1, 0, 2, 1}, {0, 1, 1, 2}};
    EXPECT_EQ(AllRects(ScanMask(px.data(), 2, 2, 12)), topDown);
    // The same memory read with a negative stride from the last row upward.
    std::vector<SkinRect> bottomUp = {{0, 0, 1, 1}, {1, 1, 2, 2}};
    EXPECT_EQ(AllRects(ScanMask(px.data() + 12, 2, 2, -12)), bottomUp);
}

TEST(MaskScan, PixelsOfThreeBytesAsABmpFileHoldsThem) {
    // A 24-bit BMP's rows: 3 pixels of 3 bytes padded to 12, bottom row first.
    // Bottom row: black, white, black; top row: white, white, black.
    std::vector<std::uint8_t> px(2 * 12, 255);
    px[0] = px[1] = px[2] = 0;
    px[6] = px[7] = px[8] = 0;
    px[18] = px[19] = px[20] = 0;
    std::vector<SkinRect> expected = {{2, 0, 3, 1}, {0, 1, 1, 2}, {2, 1, 3, 2}};
    EXPECT_EQ(AllRects(ScanMask(px.data() + 12, 3, 2, -12, 3)), expected);
    // A stride that would fit 3 pixels of 3 bytes but not of 4 is refused for 4.
    EXPECT_TRUE(AllRects(ScanMask(px.data(), 3, 2, 9, 4)).empty());
    EXPECT_EQ(AllRects(ScanMask(px.data(), 3, 1, 9, 3)), (std::vector<SkinRect>{{0, 0, 1, 1}, {2, 0, 3, 1}}));
}

TEST(MaskScan, BatchesHoldAtMost2000RectanglesEach) {
    // Alternating pixels: 50 runs per row of 100; 41 rows = 2050 rectangles.
    std::vector<std::string> rows(41, std::string());
    for (auto& r : rows)
        for (int x = 0; x < 50; ++x) r += "#.";
    auto batches = Mask(rows).Scan();
    ASSERT_EQ(batches.size(), 2u);
    EXPECT_EQ(batches[0].rects.size(), MASK_BATCH_SIZE);
    EXPECT_EQ(batches[1].rects.size(), 50u);
    EXPECT_EQ(batches[0].bounds, (SkinRect{0, 0, 99, 40}));
    EXPECT_EQ(batches[1].bounds, (SkinRect{0, 40, 99, 41}));
    EXPECT_EQ(batches[1].rects.front(), (SkinRect{0, 40, 1, 41}));
}

TEST(MaskScan, ExactlyFullBatchIsFollowedByAnEmptyOne) {
    std::vector<std::string> rows(40, std::string());
    for (auto& r : rows)
        for (int x = 0; x < 50; ++x) r += "#.";
    auto batches = Mask(rows).Scan();
    ASSERT_EQ(batches.size(), 2u);
    EXPECT_EQ(batches[0].rects.size(), MASK_BATCH_SIZE);
    EXPECT_TRUE(batches[1].rects.empty());
}

}  // namespace
}  // namespace zavo
