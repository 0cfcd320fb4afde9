// The widgets under real mouse input: hover and capture of CBitmapBtn, press
// tracking and double clicks of CRgnButton with its hover timer, and the list
// menu lit under the mouse and closed by a click outside it.
#include <gtest/gtest.h>

#include <memory>

#include "ListMenu.h"
#include "RealInput.h"
#include "SkinTestSupport.h"
#include "WidgetHost.h"
#include "framework/Gdi.h"
#include "skin/BitmapBtn.h"
#include "skin/RgnWnd.h"

using namespace zavo;
using namespace skintest;

namespace {

class WidgetInputTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        host_ = new HostWnd;
        ASSERT_TRUE(host_->Open(100, 100, 400, 200));
    }
    static void TearDownTestSuite() { delete host_; }
    void SetUp() override {
        ASSERT_TRUE(Activate(*host_));
        MoveTo(*host_, POINT{390, 190});
        host_->clicks.clear();
    }
    static HostWnd* host_;
};
HostWnd* WidgetInputTest::host_ = nullptr;

ScopedBitmap SolidFace(COLORREF colour) {
    void* bits = nullptr;
    ScopedBitmap dib = CreateDib32(400, 200, &bits);
    auto* px = static_cast<std::uint32_t*>(bits);
    for (int i = 0; i < 400 * 200; ++i)
        px[i] = (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
    return dib;
}

}  // namespace

TEST_F(WidgetInputTest, BitmapButtonHoversWhileTheMouseIsOverIt) {
    CBitmapBtn button;
    RECT rc{20, 20, 100, 50};
    ASSERT_TRUE(button.Create(rc, host_));
    ScopedBitmap face = SolidFace(RGB(60, 60, 60));
    button.SetStateImages(face, face, face, face, rc);

    MoveTo(button, POINT{10, 10});
    EXPECT_TRUE(button.IsHover());
    EXPECT_EQ(button.m_hWnd, GetCapture());
    MoveTo(button, POINT{40, 20});
    EXPECT_TRUE(button.IsHover());
    MoveTo(*host_, POINT{200, 100});
    EXPECT_FALSE(button.IsHover());
    EXPECT_EQ(nullptr, GetCapture());
    MoveTo(button, POINT{10, 10});
    EXPECT_TRUE(button.IsHover());
    Click();
    ASSERT_EQ(1u, host_->clicks.size());
    EXPECT_EQ(button.m_hWnd, host_->clicks[0]);
    MoveTo(*host_, POINT{200, 100});
}

TEST_F(WidgetInputTest, BitmapButtonReleasedElsewhereIsNoClick) {
    CBitmapBtn button;
    RECT rc{20, 20, 100, 50};
    ASSERT_TRUE(button.Create(rc, host_));
    MoveTo(button, POINT{10, 10});
    LeftDown();
    EXPECT_TRUE(button.SendMessage(BM_GETSTATE) & BST_PUSHED);
    MoveTo(*host_, POINT{250, 120});
    EXPECT_FALSE(button.IsHover());
    LeftUp();
    EXPECT_TRUE(host_->clicks.empty());
    EXPECT_EQ(nullptr, GetCapture());
}

TEST_F(WidgetInputTest, BitmapButtonOfAnInactiveWindowActivatesItAndClicks) {
    CBitmapBtn button;
    RECT rc{20, 20, 100, 50};
    ASSERT_TRUE(button.Create(rc, host_));
    HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_VISIBLE, 600, 500, 80, 40, nullptr, nullptr,
                                 nullptr, nullptr);
    ASSERT_TRUE(Activate(other));
    MoveTo(button, POINT{10, 10});
    Click();
    EXPECT_EQ(host_->m_hWnd, GetActiveWindow());
    EXPECT_EQ(1u, host_->clicks.size());
    DestroyWindow(other);
}

class RgnInputTest : public WidgetInputTest {
protected:
    void SetUp() override {
        WidgetInputTest::SetUp();
        button_ = std::make_unique<CRgnButton>();
        button_->SetImages(FixturePath(L"shape.bmp"), FixturePath(L"hover.bmp"), FixturePath(L"down.bmp"),
                           FixturePath(L"disabled.bmp"));
        ASSERT_TRUE(button_->Create(host_));
        button_->SetWindowPos(nullptr, 50, 50, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    }
    void TearDown() override { button_.reset(); }
    std::unique_ptr<CRgnButton> button_;
};

TEST_F(RgnInputTest, PressInsideAndReleaseOutsideIsNoClick) {
    MoveTo(*button_, POINT{10, 10});
    LeftDown();
    EXPECT_EQ(CRgnButton::STATE_PRESSED, button_->GetState());
    MoveTo(*host_, POINT{200, 150});
    LeftUp();
    EXPECT_TRUE(host_->clicks.empty());
    EXPECT_EQ(nullptr, GetCapture());
}

TEST_F(RgnInputTest, ClickInsideTheShapeOnly) {
    MoveTo(*button_, POINT{10, 10});
    Click();
    ASSERT_EQ(1u, host_->clicks.size());
    EXPECT_EQ(button_->m_hWnd, host_->clicks[0]);
    // A corner of the window outside the shape belongs to the host.
    host_->clicks.clear();
    MoveTo(*button_, POINT{2, 2});
    Click();
    EXPECT_TRUE(host_->clicks.empty());
}

TEST_F(RgnInputTest, DoubleClickGivesTwoClicks) {
    MoveTo(*button_, POINT{10, 10});
    Click();
    Click();
    EXPECT_EQ(2u, host_->clicks.size());
}

// The mouse rests over the shape, then leaves in one jump: no move reaches the
// button after the rest, yet the hover look ends.
TEST_F(RgnInputTest, HoverEndsWhenTheMouseLeavesAfterResting) {
    MoveTo(*button_, POINT{10, 10});
    EXPECT_EQ(CRgnButton::STATE_HOVER, button_->GetState());
    PumpFor(200);  // resting over the shape keeps the hover look
    EXPECT_EQ(CRgnButton::STATE_HOVER, button_->GetState());
    MoveTo(*host_, POINT{300, 150});
    PumpFor(200);
    EXPECT_EQ(CRgnButton::STATE_REST, button_->GetState());
}

TEST_F(WidgetInputTest, ListLightsTheItemUnderTheMouse) {
    ListMenu menu;
    ASSERT_TRUE(menu.Open(700, 300, {L"Alpha", L"Beta", L"Gamma"}));
    RECT item1, item2;
    menu.list.GetItemRect(1, &item1);
    menu.list.GetItemRect(2, &item2);
    MoveTo(menu.list, POINT{20, item1.top + 5});
    EXPECT_EQ(1, menu.list.GetHoverItem());
    auto draw = [&](int index, const RECT& rc) {
        Surface s(ListMenu::kWidth, 60);
        DRAWITEMSTRUCT dis{};
        dis.CtlType = ODT_LISTBOX;
        dis.itemID = static_cast<UINT>(index);
        dis.itemAction = ODA_DRAWENTIRE;
        dis.hwndItem = menu.list;
        dis.hDC = s.dc();
        dis.rcItem = rc;
        menu.list.DrawItem(&dis);
        return s.At(rc.left + 1, rc.top + 1);
    };
    EXPECT_EQ(kMenuHighlight, draw(1, item1));
    EXPECT_EQ(kMenuBackground, draw(2, item2));
    // Leaving the list keeps the hover item; it stays lit until drawn again.
    MoveTo(*host_, POINT{200, 150});
    EXPECT_EQ(1, menu.list.GetHoverItem());
    EXPECT_EQ(kMenuBackground, draw(1, item1));
}

TEST_F(WidgetInputTest, ClickOutsideClosesTheListMenu) {
    auto menu = std::make_unique<ListMenu>();
    ASSERT_TRUE(menu->Open(700, 300, {L"Alpha", L"Beta"}));
    HWND menuWnd = *menu;
    menu->list.SetFocus();
    MoveTo(menu->list, POINT{20, 5});
    EXPECT_TRUE(IsWindow(menuWnd));
    MoveTo(*host_, POINT{200, 150});
    Click();
    EXPECT_FALSE(IsWindow(menuWnd));
    EXPECT_TRUE(menu->destroyedByVirtual);
    EXPECT_TRUE(host_->clicks.empty());
}
