// The widgets under real mouse input: hover and capture of CBitmapBtn, press
// tracking and double clicks of CRgnButton with its hover timer, the keys a
// window draws itself (KeyPad), and the list menu lit under the mouse and closed
// by a click outside it.
#include <gtest/gtest.h>

#include <memory>

#include "ListMenu.h"
#include "RealInput.h"
#include "SkinTestSupport.h"
#include "WidgetHost.h"
#include "framework/Gdi.h"
#include <commctrl.h>

#include <vector>

#include "skin/BitmapBtn.h"
#include "skin/KeyPad.h"
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

// ----- keys drawn by their window -------------------------------------------------

namespace {

// A window drawing two keys of a KeyPad on four plain faces, the way the main
// window does: background first, then the keys that do not show their rest look.
class KeyHost : public CWnd {
public:
    static constexpr COLORREF kRest = RGB(40, 40, 40), kOver = RGB(0, 120, 200), kDown = RGB(200, 90, 0),
                              kOff = RGB(90, 90, 90);
    KeyHost()
        : rest_(SolidFace(kRest)),
          over_(SolidFace(kOver)),
          down_(SolidFace(kDown)),
          off_(SolidFace(kOff)),
          faces_(rest_, over_, down_, off_) {}
    bool Open() {
        const wchar_t* cls = RegisterWndClass(CS_DBLCLKS, LoadCursorW(nullptr, IDC_ARROW), nullptr);
        if (!CreateEx(0, cls, L"key host", WS_POPUP | WS_VISIBLE, 100, 100, 400, 200, nullptr, 0)) return false;
        pad.Attach(m_hWnd);
        pad.Add({20, 20, 60, 60}, L"first");
        pad.Add({80, 20, 120, 60}, L"second");
        pad.Add({140, 20, 180, 60}, L"");
        return true;
    }
    // What the screen shows there once the window has painted and the platform
    // has put its surface on the screen.
    COLORREF ShownAt(POINT client) {
        UpdateWindow();
        PumpFor(50);
        ClientToScreen(&client);
        HDC screen = GetDC(nullptr);
        const COLORREF c = GetPixel(screen, client.x, client.y);
        ReleaseDC(nullptr, screen);
        return c;
    }
    BOOL PreTranslateMessage(MSG* msg) override {
        pad.RelayEvent(msg);
        return FALSE;
    }
    void OnPaint() override {
        PaintDC dc(m_hWnd);
        faces_.Draw(FaceSet::MAIN, dc, 0, 0, 400, 200, 0, 0);
        pad.Paint(dc, dc.PaintRect(), faces_);
    }
    void OnMouseMove(UINT, POINT pt) override { pad.OnMouseMove(pt); }
    void OnMouseLeave() override { pad.OnMouseLeave(); }
    void OnLButtonDown(UINT, POINT pt) override { pad.OnButtonDown(pt); }
    void OnLButtonDblClk(UINT, POINT pt) override { pad.OnButtonDown(pt); }
    void OnLButtonUp(UINT, POINT pt) override {
        const int key = pad.OnButtonUp(pt);
        if (key >= 0) clicks.push_back(key);
    }
    void OnCaptureChanged(HWND to) override { pad.OnCaptureChanged(to); }
    void OnDestroy() override { pad.Clear(); }

    KeyPad pad;
    std::vector<int> clicks;

private:
    ScopedBitmap rest_, over_, down_, off_;
    FaceSet faces_;
};

class KeyPadInputTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(host_.Open());
        ASSERT_TRUE(Activate(host_));
        MoveTo(host_, POINT{300, 150});
    }
    void TearDown() override { host_.DestroyWindow(); }
    KeyHost host_;
    const POINT first_{40, 40}, second_{100, 40}, background_{300, 150};
};

}  // namespace

TEST_F(KeyPadInputTest, KeysLightUnderTheMouseAndShowTheirStateOnScreen) {
    EXPECT_EQ(host_.ShownAt(first_), KeyHost::kRest);
    MoveTo(host_, first_);
    EXPECT_EQ(host_.ShownAt(first_), KeyHost::kOver);
    MoveTo(host_, second_);
    EXPECT_EQ(host_.ShownAt(first_), KeyHost::kRest);
    EXPECT_EQ(host_.ShownAt(second_), KeyHost::kOver);
    // Off the window altogether: the leave notice (which Wine checks on a timer
    // of the hover time) puts the key back at rest.
    MoveTo(700, 500);
    PumpFor(800);
    EXPECT_EQ(host_.ShownAt(second_), KeyHost::kRest);

    host_.pad.SetLatched(0, true);
    host_.pad.SetEnabled(1, false);
    EXPECT_EQ(host_.ShownAt(first_), KeyHost::kDown);
    EXPECT_EQ(host_.ShownAt(second_), KeyHost::kOff);
    EXPECT_EQ(host_.ShownAt(background_), KeyHost::kRest);
}

TEST_F(KeyPadInputTest, AClickIsAPressAndReleaseOnTheSameEnabledKey) {
    MoveTo(host_, first_);
    LeftDown();
    EXPECT_EQ(GetCapture(), host_.m_hWnd);
    EXPECT_EQ(host_.ShownAt(first_), KeyHost::kDown);
    LeftUp();
    EXPECT_EQ(host_.clicks, std::vector<int>{0});
    EXPECT_EQ(GetCapture(), nullptr);

    // Pressed on one key, released on another or on the background: no click.
    host_.clicks.clear();
    for (POINT to : {second_, background_}) {
        MoveTo(host_, first_);
        LeftDown();
        MoveTo(host_, to);
        EXPECT_EQ(host_.ShownAt(first_), KeyHost::kRest);
        LeftUp();
    }
    EXPECT_TRUE(host_.clicks.empty());
    EXPECT_EQ(GetCapture(), nullptr);

    // A quick second click is a click too.
    MoveTo(host_, second_);
    Click();
    Click();
    EXPECT_EQ(host_.clicks, (std::vector<int>{1, 1}));

    // A disabled key takes no press at all.
    host_.clicks.clear();
    host_.pad.SetEnabled(1, false);
    Click();
    EXPECT_TRUE(host_.clicks.empty());
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(KeyPadInputTest, OneTooltipWindowHoldsATipPerKeyWithText) {
    MoveTo(host_, first_);
    ASSERT_NE(host_.pad.Tooltip(), nullptr);
    EXPECT_EQ(SendMessageW(host_.pad.Tooltip(), TTM_GETTOOLCOUNT, 0, 0), 2);
    wchar_t text[32] = {};
    TOOLINFOW ti{};
    ti.cbSize = TTTOOLINFOW_V2_SIZE;
    ti.hwnd = host_.m_hWnd;
    ti.uId = 2;
    ti.lpszText = text;
    SendMessageW(host_.pad.Tooltip(), TTM_GETTEXTW, 32, reinterpret_cast<LPARAM>(&ti));
    EXPECT_STREQ(text, L"second");
    host_.DestroyWindow();
    EXPECT_EQ(host_.pad.Tooltip(), nullptr);
}
