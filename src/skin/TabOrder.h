// The keyboard's way through a skinned window: its controls become Tab stops
// visited in reading order (SpatialOrder.h), and its picture buttons show the
// focus mark in the skin's colour.
#pragma once
#include <windows.h>

#include "skin/SpatialOrder.h"

namespace zavo {

// Orders the child windows of `parent` for Tab and Shift+Tab by where they lie
// (their z-order is the platform's Tab order; none of them overlap), makes
// every picture button a Tab stop (but those a map stands for) and gives it
// `focusColour`. Other controls keep their own Tab stop style.
void ArrangeTabOrder(HWND parent, COLORREF focusColour);

// The direction an arrow key (Home, End: the row's ends) moves the focus among
// places that lie as on a board; false for any other key.
bool ArrowDirection(UINT vk, Direction* dir);

}  // namespace zavo
