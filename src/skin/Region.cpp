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

ScopedRgn RegionFromPixels(const std::uint8_t* top, int width, int height, std::ptrdiff_t stride, int pixelBytes) {
    ScopedRgn result;
    ScanMask(
        top, width, height, stride,
        [&](const RectBatch& batch) {
            UniteRegion(result, RegionFromRects(batch.rects.data(), batch.rects.size(), batch.bounds));
        },
        pixelBytes);
    return result;
}

ScopedRgn RegionFromMask(HBITMAP mask) {
    if (!mask) return {};
    // The pixels are read from a 32-bit top-down copy (a skin's BMP mask is
    // scanned from its file instead: FacePicture::Shape).
    BITMAP info{};
    if (!GetObjectW(mask, sizeof(info), &info) || info.bmWidth <= 0 || info.bmHeight == 0) return {};
    const int width = info.bmWidth;
    const int height = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
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
    return RegionFromPixels(static_cast<const std::uint8_t*>(bits), width, height,
                            static_cast<std::ptrdiff_t>(width) * 4, 4);
}

}  // namespace zavo
