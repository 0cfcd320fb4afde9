// Window shapes built from pictures. Every region is handed over in an owner;
// after SetWindowRgn succeeds the window owns it (Release the owner then).
#pragma once
#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "framework/Gdi.h"
#include "skin/SkinRect.h"

namespace zavo {

// One region from a batch of rectangles and their bounding rectangle
// (ExtCreateRegion). Empty when the platform refuses it.
ScopedRgn RegionFromRects(const SkinRect* rects, std::size_t count, const SkinRect& bounds);

// Unites `part` into `result`; an empty `result` simply becomes `part`.
void UniteRegion(ScopedRgn& result, ScopedRgn part);

// The rectangles of a shape, united in batches of at most 2000 (the size a
// region built in one call may safely have).
ScopedRgn RegionFromRectList(const SkinRect* rects, std::size_t count, const SkinRect& bounds);

// The shape made of the pixels that are not pure white, read where they lie
// (ScanMask: `top` is the top row, rows `stride` bytes apart, negative for a
// picture stored bottom row first; 3 or 4 bytes per pixel).
ScopedRgn RegionFromPixels(const std::uint8_t* top, int width, int height, std::ptrdiff_t stride, int pixelBytes);

// The shape made of the bitmap's pixels that are not pure white (blue, green and
// red all 255). Empty when there is no bitmap or no drawing surface can be
// made; a mask that is white everywhere gives an empty region.
ScopedRgn RegionFromMask(HBITMAP mask);

}  // namespace zavo
