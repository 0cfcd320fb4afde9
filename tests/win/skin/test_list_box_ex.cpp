// CListBoxEx driven by messages: item height, drawing of items away from the
// mouse and of the selected one, hover tracking, keys, colours and closing on
// focus loss.
#include <gtest/gtest.h>

#include <memory>

#include "ListMenu.h"
#include "SkinTestSupport.h"
#include "framework/FocusMark.h"
#include "framework/MessageLoop.h"

using namespace zavo;
using skintest::kMenuBackground;
using skintest::ListMenu;

namespace {

class ListBoxExTest : public testing::Test {
protected:
    void SetUp() override {
        // Away from wherever the mouse is, so no item lies under it.
        POINT cursor;
        GetCursorPos(&cursor);
        int x = cursor.x > 600 ? 100 : 800;
        menu_ = std::make_unique<ListMenu>();
        ASSERT_TRUE(
            menu_->Open(x, 500, {L"Alpha", L"Beta", L"Gamma", L"A text much wider than the list is"}, Visible()));
    }
    // Only the tests that need the screen (repainting, focus) show the menu.
    bool Visible() const {
        std::string name = testing::UnitTest::GetInstance()->current_test_info()->name();
        return name == "MouseMovesFollowTheItemUnderThePoint" || name == "LosingTheFocusClosesTheMenu";
    }
    void TearDown() override { menu_.reset(); }

    std::unique_ptr<skintest::Surface> DrawItem(int index, UINT action, UINT state) {
        auto s = std::make_unique<skintest::Surface>(ListMenu::kWidth, 15);
        s->Fill(RGB(1, 2, 3));
        DRAWITEMSTRUCT dis{};
        dis.CtlType = ODT_LISTBOX;
        dis.itemID = static_cast<UINT>(index);
        dis.itemAction = action;
        dis.itemState = state;
        dis.hwndItem = menu_->list;
        dis.hDC = s->dc();
        dis.rcItem = RECT{0, 0, 100, 15};
        menu_->SendMessage(WM_DRAWITEM, 7, reinterpret_cast<LPARAM>(&dis));
        return s;
    }

    std::unique_ptr<ListMenu> menu_;
};

int FirstInkedColumn(const skintest::Surface& s, COLORREF background) {
    for (int x = 0; x < 100; ++x)
        for (int y = 0; y < 15; ++y)
            if (s.At(x, y) != background) return x;
    return -1;
}

}  // namespace

TEST_F(ListBoxExTest, EveryItemIsFifteenPixelsHigh) {
    for (int i = 0; i < 4; ++i) EXPECT_EQ(15, menu_->list.GetItemHeight(i));
    RECT rc;
    ASSERT_TRUE(menu_->list.GetItemRect(2, &rc));
    EXPECT_EQ(30, rc.top);
}

TEST_F(ListBoxExTest, ItemAwayFromTheMouseShowsTextOnTheBackground) {
    auto s = DrawItem(1, ODA_DRAWENTIRE, 0);
    EXPECT_EQ(kMenuBackground, s->At(1, 1));
    EXPECT_EQ(kMenuBackground, s->At(99, 14));
    int first = FirstInkedColumn(*s, kMenuBackground);
    EXPECT_GE(first, 8);
    EXPECT_LT(first, 12);
    EXPECT_EQ(RGB(1, 2, 3), s->At(105, 5));  // nothing outside the item
}

// Only the keyboard moves the selection of an open menu: the selected line is
// lit, and framed by the focus mark while the list has the focus.
TEST_F(ListBoxExTest, SelectedItemIsLitAndFramedWhileFocused) {
    for (UINT action : {UINT(ODA_DRAWENTIRE), UINT(ODA_FOCUS), UINT(ODA_SELECT)}) {
        SCOPED_TRACE(action);
        auto s = DrawItem(1, action, ODS_SELECTED);
        EXPECT_EQ(skintest::kMenuHighlight, s->At(1, 1));
        auto focused = DrawItem(1, action, ODS_SELECTED | ODS_FOCUS);
        EXPECT_EQ(kDefaultFocusColour, focused->At(1, 1));
        EXPECT_EQ(skintest::kMenuHighlight, focused->At(5, 5));
    }
}

TEST_F(ListBoxExTest, NoItemDrawsNothing) {
    auto s = DrawItem(-1, ODA_DRAWENTIRE, 0);
    EXPECT_EQ(RGB(1, 2, 3), s->At(1, 1));
}

TEST_F(ListBoxExTest, MouseMovesFollowTheItemUnderThePoint) {
    menu_->list.UpdateWindow();
    menu_->list.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(20, 20));
    EXPECT_EQ(1, menu_->list.GetHoverItem());
    RECT update;
    ASSERT_TRUE(GetUpdateRect(menu_->list, &update, FALSE));
    EXPECT_EQ(15, update.top);
    EXPECT_EQ(30, update.bottom);
    menu_->list.UpdateWindow();
    menu_->list.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(20, 40));
    EXPECT_EQ(2, menu_->list.GetHoverItem());
    ASSERT_TRUE(GetUpdateRect(menu_->list, &update, FALSE));
    EXPECT_EQ(15, update.top);  // the old item and the new one
    EXPECT_EQ(45, update.bottom);
    // Below the last item: none.
    menu_->list.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(20, 75));
    EXPECT_EQ(-1, menu_->list.GetHoverItem());
}

// The arrows move the selection (a first move from no selection lands on the
// first or last line, not one past it) and say so to the menu: no pick yet.
TEST_F(ListBoxExTest, ArrowsMoveTheSelectionAsMovesNotPicks) {
    const struct {
        UINT vk;
        int selected;
    } steps[] = {{VK_UP, 3}, {VK_HOME, 0}, {VK_DOWN, 1}, {VK_DOWN, 2}, {VK_END, 3}, {'A', 0}};
    bool seenAsMove = true;
    menu_->onSelChange = [&] { seenAsMove = seenAsMove && menu_->list.MovedByKey(); };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.vk);
        menu_->list.SendMessage(WM_KEYDOWN, step.vk, 0);
        if (step.vk == 'A') menu_->list.SendMessage(WM_CHAR, L'A', 0);
        EXPECT_EQ(step.selected, menu_->list.GetCurSel());
    }
    EXPECT_TRUE(seenAsMove);
    EXPECT_FALSE(menu_->list.MovedByKey());
    EXPECT_TRUE(menu_->IsWindow());
}

TEST_F(ListBoxExTest, BackgroundBrushFollowsTheEnabledState) {
    HDC dc = GetDC(menu_->list);
    auto ask = [&] {
        return reinterpret_cast<HBRUSH>(menu_->SendMessage(WM_CTLCOLORLISTBOX, reinterpret_cast<WPARAM>(dc),
                                                           reinterpret_cast<LPARAM>(menu_->list.m_hWnd)));
    };
    EXPECT_EQ(menu_->list.m_BackgroundBrush.Get(), ask());
    menu_->list.EnableWindow(FALSE);
    EXPECT_EQ(GetSysColorBrush(COLOR_INACTIVEBORDER), ask());
    ReleaseDC(menu_->list, dc);
}

TEST_F(ListBoxExTest, LosingTheFocusClosesTheMenu) {
    HWND menuWnd = *menu_;
    HWND other =
        CreateWindowExW(0, L"EDIT", L"", WS_POPUP | WS_VISIBLE, 10, 10, 40, 20, nullptr, nullptr, nullptr, nullptr);
    menu_->list.SetFocus();
    ASSERT_EQ(menu_->list.m_hWnd, GetFocus());
    SetFocus(other);
    EXPECT_TRUE(menu_->destroyedByVirtual);
    EXPECT_FALSE(IsWindow(menuWnd));
    EXPECT_EQ(nullptr, menu_->list.m_hWnd);
    DestroyWindow(other);
}

TEST_F(ListBoxExTest, OpeningAndClosingReleasesEverything) {
    menu_.reset();
    skintest::GuiCounts before;
    for (int i = 0; i < 50; ++i) {
        auto menu = std::make_unique<ListMenu>();
        ASSERT_TRUE(menu->Open(800, 500, {L"One", L"Two"}, false));
        menu->list.SetFocus();
        menu->list.UpdateWindow();
        menu->DestroyWindow();
    }
    skintest::PumpMessages();
    skintest::GuiCounts after;
    EXPECT_EQ(before.gdi, after.gdi);
    EXPECT_EQ(before.user, after.user);
}
