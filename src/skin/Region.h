// Window shapes built from pictures.
#pragma once
#include <windows.h>

#include <cstddef>

#include "skin/SkinRect.h"

namespace zavo {

// One region from a batch of rectangles and their bounding rectangle
// (ExtCreateRegion). Null when the platform refuses it. The caller owns it.
HRGN RegionFromRects(const SkinRect* rects, std::size_t count, const SkinRect& bounds);

// Unites `part` into `result` and releases `part`. When `result` is null it simply
// becomes `part`. Returns the united region (the caller owns it).
HRGN UniteRegion(HRGN result, HRGN part);

// The shape made of the bitmap's pixels that are not pure white (blue, green and
// red all 255). Null when there is no bitmap or no drawing surface can be made;
// a mask that is white everywhere gives an empty region. The caller owns it.
HRGN RegionFromMask(HBITMAP mask);

}  // namespace zavo
