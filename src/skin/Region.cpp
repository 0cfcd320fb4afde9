#include "skin/Region.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "skin/MaskScan.h"

namespace zavo {

ScopedRgn RegionFromRects(const SkinRect* rects, std::size_t count, const SkinRect& bounds) {
    std::vector<unsigned char> data(sizeof(RGNDATAHEADER) + count * sizeof(RECT));
    auto* header = reinterpret_cast<RGNDATAHEADER*>(data.data());
    header->dwSize = sizeof(RGNDATAHEADER);
    header->iType = RDH_RECTANGLES;
    header->nCount = static_cast<DWORD>(count);
    header->nRgnSize = static_cast<DWORD>(count * sizeof(RECT));
    header->rcBound = RECT{bounds.left, bounds.top, bounds.right, bounds.bottom};
    if (count) std::memcpy(data.data() + sizeof(RGNDATAHEADER), rects, count * sizeof(RECT));
    return ScopedRgn(
        ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()), reinterpret_cast<const RGNDATA*>(data.data())));
}

void UniteRegion(ScopedRgn& result, ScopedRgn part) {
    if (!result) {
        result = std::move(part);
        return;
    }
    if (part) CombineRgn(result, result, part, RGN_OR);
}

ScopedRgn RegionFromRectList(const SkinRect* rects, std::size_t count, const SkinRect& bounds) {
    constexpr std::size_t kBatch = 2000;
    ScopedRgn result(CreateRectRgn(0, 0, 0, 0));
    for (std::size_t first = 0; first < count; first += kBatch)
        UniteRegion(result, RegionFromRects(rects + first, std::min(kBatch, count - first), bounds));
    return result;
}

namespace {

// The bitmap's pixels as 32-bit blue, green, red, unused, top row first; empty
// when no drawing surface can be made.
std::vector<std::uint8_t> MaskPixels(HBITMAP mask, int& width, int& height) {
    BITMAP info{};
    if (!GetObjectW(mask, sizeof(info), &info) || info.bmWidth <= 0 || info.bmHeight == 0) return {};
    width = info.bmWidth;
    height = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
    void* bits = nullptr;
    ScopedBitmap surface = CreateDib32(width, height, &bits);
    const ClientDC screen(nullptr);
    MemoryDC source(screen);
    MemoryDC target(screen);
    if (!source || !target || !surface || !bits) return {};
    {
        ScopedSelect selectSource(source, mask);
        ScopedSelect selectTarget(target, surface);
        BitBlt(target, 0, 0, width, height, source, 0, 0, SRCCOPY);
        GdiFlush();
    }
    const auto* first = static_cast<const std::uint8_t*>(bits);
    return std::vector<std::uint8_t>(first, first + static_cast<std::size_t>(width) * height * 4);
}

}  // namespace

ScopedRgn RegionFromMask(HBITMAP mask) {
    if (!mask) return {};
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels = MaskPixels(mask, width, height);
    if (pixels.empty()) return {};
    ScopedRgn result;
    ScanMask(pixels.data(), width, height, static_cast<std::ptrdiff_t>(width) * 4, [&](const RectBatch& batch) {
        UniteRegion(result, RegionFromRects(batch.rects.data(), batch.rects.size(), batch.bounds));
    });
    return result;
}

}  // namespace zavo
