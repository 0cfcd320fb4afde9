#include "skin/TabOrder.h"

#include <vector>

#include "skin/BitmapBtn.h"
#include "skin/SpatialOrder.h"

namespace zavo {

void ArrangeTabOrder(HWND parent, COLORREF focusColour) {
    std::vector<HWND> children;
    std::vector<SkinRect> places;
    for (HWND child = ::GetWindow(parent, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        RECT rc;
        ::GetWindowRect(child, &rc);
        ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rc), 2);
        children.push_back(child);
        places.push_back(SkinRect{rc.left, rc.top, rc.right, rc.bottom});
        if (auto* button = dynamic_cast<CBitmapBtn*>(CWnd::FromHandle(child))) {
            button->SetFocusColour(focusColour);
            // A button that is part of a map (the lighting zones) is reached
            // through the map's own Tab stop, never on its own.
            const LONG_PTR style = ::GetWindowLongPtrW(child, GWL_STYLE);
            ::SetWindowLongPtrW(child, GWL_STYLE,
                                button->DescribedByMap() ? style & ~WS_TABSTOP : style | WS_TABSTOP);
        }
    }
    HWND after = HWND_TOP;
    for (int i : ReadingOrder(places)) {
        const HWND child = children[static_cast<size_t>(i)];
        ::SetWindowPos(child, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOREDRAW);
        after = child;
    }
}

bool ArrowDirection(UINT vk, Direction* dir) {
    static constexpr struct {
        UINT vk;
        Direction dir;
    } kMoves[] = {{VK_LEFT, Direction::Left},    {VK_RIGHT, Direction::Right},  {VK_UP, Direction::Up},
                  {VK_DOWN, Direction::Down},    {VK_HOME, Direction::RowStart}, {VK_END, Direction::RowEnd}};
    for (const auto& move : kMoves) {
        if (move.vk != vk) continue;
        *dir = move.dir;
        return true;
    }
    return false;
}

}  // namespace zavo
