// The shape of a skinned window, read from its mask picture: every pixel that is
// not pure white (blue, green and red all 255) belongs to the window.
//
// The scan walks the rows from the top and turns each longest run of non-white
// pixels into a one-pixel-high rectangle (x0, y, x1, y + 1); a run that reaches
// the row's end ends at the width. The rectangles come in batches of at most
// MASK_BATCH_SIZE, each with its bounding rectangle, so that the window side
// builds one region per batch (region data holds the bounds and the rectangles)
// and unites the regions. The last batch is always delivered, even when empty:
// an all-white mask gives one empty batch, hence an empty region.
#pragma once
#include <cstdint>
#include <functional>
#include <vector>

#include "skin/SkinRect.h"

namespace zavo {

constexpr size_t MASK_BATCH_SIZE = 2000;

struct RectBatch {
    std::vector<SkinRect> rects;
    // Starts as left = top = INT32_MAX, right = bottom = 0 and grows with every
    // rectangle; an empty batch keeps those starting values.
    SkinRect bounds;
};

// Collects rectangles and hands out a batch every MASK_BATCH_SIZE of them.
class RectBatcher {
public:
    using Sink = std::function<void(const RectBatch&)>;
    explicit RectBatcher(Sink sink);
    void Add(const SkinRect& r);
    // Hands out what is collected, even nothing, and starts again empty.
    void Flush();

private:
    void Reset();
    Sink sink_;
    RectBatch batch_;
};

// Scans a picture of 24 or 32 bits per pixel: `pixelBytes` 3 (blue, green, red)
// or 4 (blue, green, red, unused), `pixels` pointing at the top row and each next
// row `strideBytes` further (negative for a buffer stored bottom row first, as
// a BMP file stores it). Calls `sink` once per batch, in order.
// A null buffer, a width or height of 0 or less, a pixel size other than 3 or
// 4, or a stride shorter than a row gives one empty batch: no shape.
void ScanMask(const std::uint8_t* pixels, int width, int height, std::ptrdiff_t strideBytes,
              const RectBatcher::Sink& sink, int pixelBytes = 4);

// The same, returning every batch.
std::vector<RectBatch> ScanMask(const std::uint8_t* pixels, int width, int height, std::ptrdiff_t strideBytes,
                                int pixelBytes = 4);

}  // namespace zavo
