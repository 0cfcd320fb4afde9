#include "skin/MaskScan.h"

#include <algorithm>
#include <limits>

namespace zavo {

RectBatcher::RectBatcher(Sink sink) : sink_(std::move(sink)) { Reset(); }

void RectBatcher::Reset() {
    batch_.rects.clear();
    batch_.rects.reserve(MASK_BATCH_SIZE);
    batch_.bounds = {std::numeric_limits<std::int32_t>::max(), std::numeric_limits<std::int32_t>::max(), 0, 0};
}

void RectBatcher::Add(const SkinRect& r) {
    SkinRect& b = batch_.bounds;
    b.left = std::min(b.left, r.left);
    b.top = std::min(b.top, r.top);
    b.right = std::max(b.right, r.right);
    b.bottom = std::max(b.bottom, r.bottom);
    batch_.rects.push_back(r);
    if (batch_.rects.size() == MASK_BATCH_SIZE) Flush();
}

void RectBatcher::Flush() {
    if (sink_) sink_(batch_);
    Reset();
}

namespace {

bool IsWhite(const std::uint8_t* px) { return px[0] == 255 && px[1] == 255 && px[2] == 255; }

void ScanRow(const std::uint8_t* row, int width, int pixelBytes, int y, RectBatcher& out) {
    int x = 0;
    while (x < width) {
        while (x < width && IsWhite(row + pixelBytes * x)) ++x;
        if (x == width) break;
        int x0 = x;
        while (x < width && !IsWhite(row + pixelBytes * x)) ++x;
        out.Add({x0, y, x, y + 1});
    }
}

}  // namespace

void ScanMask(const std::uint8_t* pixels, int width, int height, std::ptrdiff_t strideBytes,
              const RectBatcher::Sink& sink, int pixelBytes) {
    RectBatcher batcher(sink);
    const std::ptrdiff_t rowBytes = static_cast<std::ptrdiff_t>(width) * pixelBytes;
    const bool usable = pixels != nullptr && width > 0 && height > 0 && (pixelBytes == 3 || pixelBytes == 4) &&
                        (strideBytes >= rowBytes || strideBytes <= -rowBytes);
    if (usable) {
        for (int y = 0; y < height; ++y) ScanRow(pixels + y * strideBytes, width, pixelBytes, y, batcher);
    }
    batcher.Flush();
}

std::vector<RectBatch> ScanMask(const std::uint8_t* pixels, int width, int height, std::ptrdiff_t strideBytes,
                                int pixelBytes) {
    std::vector<RectBatch> batches;
    ScanMask(
        pixels, width, height, strideBytes, [&](const RectBatch& b) { batches.push_back(b); }, pixelBytes);
    return batches;
}

}  // namespace zavo
