// The animated image: frames and delays from a GIF resource, and the animation
// thread's start, pace and end.
#include <gtest/gtest.h>

#include <memory>

#include "SkinTestSupport.h"
#include "skin/ImageEx.h"

using namespace zavo;

namespace {

class ImageExTest : public testing::Test {
protected:
    static void SetUpTestSuite() { session_ = new skintest::GdiplusSession; }
    static void TearDownTestSuite() {
        delete session_;
        session_ = nullptr;
    }
    void SetUp() override {
        window_ = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 64, 64, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(nullptr, window_);
    }
    void TearDown() override { DestroyWindow(window_); }

    std::unique_ptr<ImageEx> Load(const wchar_t* name) {
        return std::make_unique<ImageEx>(GetModuleHandleW(nullptr), name, L"GIF");
    }
    // Waits until the thread has drawn `frames` frames or `limitMs` passed.
    static bool WaitForFrames(const ImageEx& image, unsigned frames, DWORD limitMs) {
        ULONGLONG end = GetTickCount64() + limitMs;
        while (image.FramesDrawn() < frames && GetTickCount64() < end) Sleep(5);
        return image.FramesDrawn() >= frames;
    }

    HWND window_ = nullptr;
    static skintest::GdiplusSession* session_;
};
skintest::GdiplusSession* ImageExTest::session_ = nullptr;

}  // namespace

TEST_F(ImageExTest, ReadsFramesAndDelaysOfTheResource) {
    auto image = Load(L"THREE");
    EXPECT_TRUE(image->IsInitialised());
    EXPECT_EQ(16u, image->GetWidth());
    EXPECT_EQ(12u, image->GetHeight());
    EXPECT_EQ(3u, image->FrameCount());
    for (UINT i = 0; i < 3; ++i) EXPECT_EQ(20u, image->FrameDelay(i)) << i;
}

// The loading animation of a display scale; a scale the module has no
// animation for gets the 100 % one ("LOAD" has three frames here, "LOAD150" one).
TEST_F(ImageExTest, TakesTheAnimationOfTheScaleOrThe100PercentOne) {
    struct Row {
        int percent;
        UINT frames;
    } rows[] = {{100, 3}, {150, 1}, {125, 3}, {200, 3}, {0, 3}};
    for (const Row& r : rows) {
        ImageEx image(r.percent);
        EXPECT_TRUE(image.IsInitialised()) << r.percent;
        EXPECT_EQ(r.frames, image.FrameCount()) << r.percent;
    }
}

TEST_F(ImageExTest, SingleFrameLoadsButStartsNoThread) {
    auto image = Load(L"ONEFRAME");
    EXPECT_TRUE(image->IsInitialised());
    EXPECT_EQ(1u, image->FrameCount());
    EXPECT_EQ(16u, image->GetWidth());
    image->SetTarget(window_, POINT{0, 0});
    EXPECT_FALSE(image->StartAnimation());
    EXPECT_FALSE(image->IsAnimating());
}

TEST_F(ImageExTest, MissingResourceGivesAnEmptyImageThatNeverAnimates) {
    auto image = Load(L"NO_SUCH_ANIMATION");
    EXPECT_FALSE(image->IsInitialised());
    EXPECT_EQ(0u, image->GetWidth());
    EXPECT_EQ(0u, image->GetHeight());
    EXPECT_EQ(0u, image->FrameCount());
    image->SetTarget(window_, POINT{0, 0});
    EXPECT_FALSE(image->StartAnimation());
}

TEST_F(ImageExTest, DrawsFramesIntoTheWindowAndStartsOnce) {
    auto image = Load(L"THREE");
    image->SetTarget(window_, POINT{4, 4});
    ASSERT_TRUE(image->StartAnimation());
    EXPECT_FALSE(image->StartAnimation());
    EXPECT_TRUE(WaitForFrames(*image, 2, 5000));
}

TEST_F(ImageExTest, ZeroDelayDrawsTheNextFrameAtOnce) {
    // Were a delay of 0 taken as a default pace (as some viewers do, 100 ms),
    // 200 frames would take 20 seconds.
    auto image = Load(L"ZERO");
    EXPECT_EQ(0u, image->FrameDelay(1));
    image->SetTarget(window_, POINT{0, 0});
    ASSERT_TRUE(image->StartAnimation());
    EXPECT_TRUE(WaitForFrames(*image, 200, 8000)) << image->FramesDrawn();
}

TEST_F(ImageExTest, DestroyingWhileTheThreadWaitsEndsItAtOnce) {
    // Each frame of this picture stays ten seconds.
    auto image = Load(L"SLOW");
    EXPECT_EQ(1000u, image->FrameDelay(0));
    image->SetTarget(window_, POINT{0, 0});
    ASSERT_TRUE(image->StartAnimation());
    ASSERT_TRUE(WaitForFrames(*image, 1, 5000));
    ULONGLONG start = GetTickCount64();
    image.reset();
    EXPECT_LT(GetTickCount64() - start, 5000u);
}

TEST_F(ImageExTest, AWindowThatIsGoneSkipsFramesWithoutHarm) {
    auto image = Load(L"ZERO");
    HWND gone = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 8, 8, nullptr, nullptr, nullptr, nullptr);
    DestroyWindow(gone);
    image->SetTarget(gone, POINT{0, 0});
    ASSERT_TRUE(image->StartAnimation());
    Sleep(50);
    EXPECT_EQ(0u, image->FramesDrawn());
}

TEST_F(ImageExTest, ReleasesItsHandles) {
    skintest::GuiCounts before;
    for (int i = 0; i < 50; ++i) {
        auto image = Load(L"ZERO");
        image->SetTarget(window_, POINT{0, 0});
        image->StartAnimation();
        WaitForFrames(*image, 1, 2000);
    }
    skintest::GuiCounts after;
    EXPECT_EQ(before.gdi, after.gdi);
    EXPECT_EQ(before.user, after.user);
}
