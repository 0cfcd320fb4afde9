// Orders of places on a window, for moving the keyboard focus: the reading
// order of a window's controls (Tab), and the neighbour of a key on the
// on-screen keyboard in an arrow's direction. Portable: rectangles in, indices
// out.
#pragma once
#include <vector>

#include "skin/SkinRect.h"

namespace zavo {

// The indices of `places` in reading order: rows from top to bottom, each
// left to right. A place belongs to the row of the first place (by top edge)
// whose height holds its vertical centre, so controls of one line that differ
// a little in height or top stay one row. Empty rectangles come last.
std::vector<int> ReadingOrder(const std::vector<SkinRect>& places);

enum class Direction { Left, Right, Up, Down, RowStart, RowEnd };

// The place an arrow (or Home/End) moves to from `from` on a board of
// `places`: left and right along the places that share the row (their heights
// overlap), up and down to the nearest row above or below and there the place
// whose centre is closest across; Home and End to the row's ends. `from`
// itself when there is nowhere to go; -1 for a `from` out of range. Empty
// rectangles are never reached.
int Neighbour(const std::vector<SkinRect>& places, int from, Direction dir);

}  // namespace zavo
