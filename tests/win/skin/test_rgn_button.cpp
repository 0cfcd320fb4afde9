// CRgnWnd / CRgnButton driven by messages: the shape from the BMP file, the
// window class, the look states and their pictures, and the click notification.
#include <gtest/gtest.h>

#include <memory>

#include "SkinTestSupport.h"
#include "WidgetHost.h"
#include "skin/RgnWnd.h"

using namespace zavo;
using skintest::FixturePath;

namespace {

const COLORREF kRest = RGB(255, 0, 0), kHover = RGB(0, 255, 0), kDown = RGB(0, 0, 255), kDisabled = RGB(128, 128, 128);
// Points of the 20 x 20 plus-shaped fixture (arms 6 pixels wide at 7..12).
const POINT kCentre{10, 10}, kCorner{2, 2}, kRowEnd{19, 9};

class RgnButtonTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        host_ = new skintest::HostWnd;
        ASSERT_TRUE(host_->Open(300, 100, 100, 60));
    }
    static void TearDownTestSuite() { delete host_; }
    void SetUp() override {
        button_ = std::make_unique<CRgnButton>();
        button_->SetImages(FixturePath(L"shape.bmp"), FixturePath(L"hover.bmp"), FixturePath(L"down.bmp"),
                           FixturePath(L"disabled.bmp"));
        ASSERT_TRUE(button_->Create(host_));
        host_->clicks.clear();
    }
    void TearDown() override {
        ReleaseCapture();
        button_.reset();
    }

    void Send(UINT msg, POINT pt, WPARAM flags = 0) { button_->SendMessage(msg, flags, MAKELPARAM(pt.x, pt.y)); }
    COLORREF Drawn() {
        skintest::Surface s(20, 20);
        button_->DrawState(s.dc());
        return s.At(10, 10);
    }

    static skintest::HostWnd* host_;
    std::unique_ptr<CRgnButton> button_;
};
skintest::HostWnd* RgnButtonTest::host_ = nullptr;

}  // namespace

TEST_F(RgnButtonTest, TakesItsShapeAndSizeFromTheShapePicture) {
    RECT rc;
    GetWindowRect(*button_, &rc);
    MapWindowPoints(nullptr, *host_, reinterpret_cast<POINT*>(&rc), 2);
    EXPECT_EQ((RECT{0, 0, 20, 20}.right), rc.right);
    EXPECT_EQ(0, rc.left);
    EXPECT_EQ(20, rc.bottom - rc.top);
    HRGN shape = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(ERROR, GetWindowRgn(*button_, shape));
    EXPECT_TRUE(PtInRegion(shape, kCentre.x, kCentre.y));
    EXPECT_TRUE(PtInRegion(shape, kRowEnd.x, kRowEnd.y));   // a run reaching the row's end
    EXPECT_TRUE(PtInRegion(shape, 10, 0));                  // top row (last in the file)
    EXPECT_FALSE(PtInRegion(shape, kCorner.x, kCorner.y));  // key colour
    EXPECT_FALSE(PtInRegion(shape, 19, 19));
    DeleteObject(shape);
    EXPECT_TRUE(button_->InShape(kCentre));
    EXPECT_FALSE(button_->InShape(kCorner));
}

TEST_F(RgnButtonTest, UsesItsOwnWindowClass) {
    wchar_t name[32] = {};
    GetClassNameW(*button_, name, 32);
    EXPECT_STREQ(L"Rgn Button", name);
    EXPECT_EQ(static_cast<ULONG_PTR>(CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS), GetClassLongPtrW(*button_, GCL_STYLE));
    EXPECT_EQ(0, GetDlgCtrlID(*button_));
    LONG style = GetWindowLongW(*button_, GWL_STYLE);
    EXPECT_TRUE(style & WS_TABSTOP);
    EXPECT_TRUE(style & WS_VISIBLE);
}

TEST_F(RgnButtonTest, UnusableShapeFileLeavesTheWindowUnshapedAndEmpty) {
    for (const wchar_t* name : {L"missing.bmp", L"garbage.bmp", L"face.jpg"}) {
        CRgnButton b;
        b.SetImages(FixturePath(name), L"", L"", L"");
        ASSERT_TRUE(b.Create(host_));
        RECT rc;
        b.GetClientRect(&rc);
        EXPECT_EQ(0, rc.right);
        EXPECT_EQ(0, rc.bottom);
        HRGN shape = CreateRectRgn(0, 0, 0, 0);
        EXPECT_EQ(ERROR, GetWindowRgn(b, shape));
        DeleteObject(shape);
        EXPECT_FALSE(b.InShape(POINT{0, 0}));
    }
}

TEST_F(RgnButtonTest, LookStatesFollowThePress) {
    // The look lags one move behind the press tracking: the first move after a
    // press inside shows the hover picture, the next the pressed one.
    struct Step {
        const char* what;
        UINT msg;
        POINT pt;
        WPARAM flags;
        int state;
        COLORREF picture;
    } steps[] = {
        {"move over the shape", WM_MOUSEMOVE, kCentre, 0, 1, kHover},
        {"press inside", WM_LBUTTONDOWN, kCentre, MK_LBUTTON, 2, kDown},
        {"first move after the press", WM_MOUSEMOVE, kCentre, MK_LBUTTON, 1, kHover},
        {"second move", WM_MOUSEMOVE, kCentre, MK_LBUTTON, 2, kDown},
        {"moved out of the shape", WM_MOUSEMOVE, kCorner, MK_LBUTTON, 2, kDown},
        {"still out", WM_MOUSEMOVE, POINT{40, 40}, MK_LBUTTON, 1, kHover},
        {"release anywhere", WM_LBUTTONUP, POINT{40, 40}, 0, 0, kRest},
        {"press outside the shape", WM_LBUTTONDOWN, kCorner, MK_LBUTTON, 0, kRest},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.what);
        Send(s.msg, s.pt, s.flags);
        EXPECT_EQ(s.state, button_->GetState());
        EXPECT_EQ(s.picture, Drawn());
    }
    Send(WM_LBUTTONUP, kCorner);
}

TEST_F(RgnButtonTest, PressTakesTheCaptureAndReleaseGivesItBack) {
    Send(WM_LBUTTONDOWN, kCentre, MK_LBUTTON);
    EXPECT_EQ(button_->m_hWnd, GetCapture());
    Send(WM_LBUTTONUP, kCentre);
    EXPECT_EQ(nullptr, GetCapture());
}

// Enabling or disabling alone repaints the button: the main window swaps the
// Enter key's pictures first and enables it after, and the key must not keep
// the look it was painted with in between.
TEST_F(RgnButtonTest, DisabledShowsItsPictureUntilEnabledAgain) {
    button_->UpdateWindow();
    button_->EnableWindow(FALSE);
    button_->UpdateWindow();
    EXPECT_EQ(CRgnButton::STATE_DISABLED, button_->GetState());
    EXPECT_EQ(kDisabled, Drawn());
    button_->EnableWindow(TRUE);
    button_->UpdateWindow();
    EXPECT_EQ(CRgnButton::STATE_REST, button_->GetState());
    EXPECT_EQ(kRest, Drawn());
}

// Pictures are read when first drawn, once per path: a locked key showing one
// picture in all four slots holds one bitmap, and giving the same paths again
// reads nothing.
TEST_F(RgnButtonTest, PicturesAreReadWhenFirstDrawnAndKeptWhileTheirPathStays) {
    CRgnButton lone;  // never created: nothing paints it but the test
    skintest::Surface s(20, 20);
    const DWORD before = skintest::GuiCounts().gdi;
    const std::wstring disabled = FixturePath(L"disabled.bmp");
    lone.SetImages(FixturePath(L"shape.bmp"), FixturePath(L"hover.bmp"), FixturePath(L"down.bmp"), disabled);
    EXPECT_EQ(before, skintest::GuiCounts().gdi) << "nothing read before a paint";
    lone.DrawState(s.dc());
    EXPECT_EQ(kRest, s.At(10, 10));
    EXPECT_EQ(before + 1, skintest::GuiCounts().gdi) << "only the picture drawn";
    lone.SetImages(FixturePath(L"shape.bmp"), FixturePath(L"hover.bmp"), FixturePath(L"down.bmp"), disabled);
    lone.DrawState(s.dc());
    EXPECT_EQ(before + 1, skintest::GuiCounts().gdi) << "the same paths: kept";
    lone.SetImages(disabled, disabled, disabled, disabled);
    EXPECT_EQ(before, skintest::GuiCounts().gdi) << "a changed path lets its picture go";
    lone.DrawState(s.dc());
    EXPECT_EQ(kDisabled, s.At(10, 10));
    EXPECT_EQ(before + 1, skintest::GuiCounts().gdi);
}

TEST_F(RgnButtonTest, ClickOnlyForAReleaseInsideTheShape) {
    struct Case {
        const char* what;
        POINT down, up;
        size_t clicks;
    } cases[] = {
        {"press and release inside", kCentre, kCentre, 1},
        {"release outside the shape, inside the window", kCentre, kCorner, 0},
        {"release outside the window", kCentre, POINT{-5, 30}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        host_->clicks.clear();
        Send(WM_LBUTTONDOWN, c.down, MK_LBUTTON);
        Send(WM_LBUTTONUP, c.up);
        ASSERT_EQ(c.clicks, host_->clicks.size());
        if (c.clicks) {
            EXPECT_EQ(button_->m_hWnd, host_->clicks[0]);
            EXPECT_EQ(0, host_->ids[0]);
        }
    }
}

TEST_F(RgnButtonTest, DoubleClickCountsAsTwoClicks) {
    Send(WM_LBUTTONDOWN, kCentre, MK_LBUTTON);
    Send(WM_LBUTTONUP, kCentre);
    Send(WM_LBUTTONDBLCLK, kCentre, MK_LBUTTON);
    EXPECT_EQ(CRgnButton::STATE_PRESSED, button_->GetState());
    Send(WM_LBUTTONUP, kCentre);
    EXPECT_EQ(2u, host_->clicks.size());
}

TEST_F(RgnButtonTest, NewPicturesKeepTheShape) {
    button_->SetImages(FixturePath(L"down.bmp"), FixturePath(L"hover.bmp"), FixturePath(L"down.bmp"),
                       FixturePath(L"disabled.bmp"));
    EXPECT_EQ(kDown, Drawn());
    EXPECT_FALSE(button_->InShape(kCorner));
}

TEST_F(RgnButtonTest, OpeningAndClosingReleasesEverything) {
    button_.reset();
    skintest::GuiCounts before;
    for (int i = 0; i < 50; ++i) {
        CRgnButton b;
        b.SetImages(FixturePath(L"shape.bmp"), FixturePath(L"hover.bmp"), FixturePath(L"down.bmp"),
                    FixturePath(L"disabled.bmp"));
        ASSERT_TRUE(b.Create(host_));
        b.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));  // arms the hover timer
        b.UpdateWindow();
    }
    skintest::PumpMessages();
    skintest::GuiCounts after;
    EXPECT_EQ(before.gdi, after.gdi);
    EXPECT_EQ(before.user, after.user);
}
