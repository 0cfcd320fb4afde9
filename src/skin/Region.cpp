#include "skin/Region.h"

#include <cstring>
#include <vector>

#include "skin/MaskScan.h"

namespace zavo {

HRGN RegionFromRects(const SkinRect* rects, std::size_t count, const SkinRect& bounds) {
    std::vector<unsigned char> data(sizeof(RGNDATAHEADER) + count * sizeof(RECT));
    auto* header = reinterpret_cast<RGNDATAHEADER*>(data.data());
    header->dwSize = sizeof(RGNDATAHEADER);
    header->iType = RDH_RECTANGLES;
    header->nCount = static_cast<DWORD>(count);
    header->nRgnSize = static_cast<DWORD>(count * sizeof(RECT));
    header->rcBound = RECT{bounds.left, bounds.top, bounds.right, bounds.bottom};
    if (count) std::memcpy(data.data() + sizeof(RGNDATAHEADER), rects, count * sizeof(RECT));
    return ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()), reinterpret_cast<const RGNDATA*>(data.data()));
}

HRGN UniteRegion(HRGN result, HRGN part) {
    if (!result) return part;
    if (part) {
        CombineRgn(result, result, part, RGN_OR);
        DeleteObject(part);
    }
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
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;  // top row first
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    std::vector<std::uint8_t> pixels;
    HDC screen = GetDC(nullptr);
    HDC source = CreateCompatibleDC(screen);
    HDC target = CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP surface = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (source && target && surface && bits) {
        HGDIOBJ oldSource = SelectObject(source, mask);
        HGDIOBJ oldTarget = SelectObject(target, surface);
        BitBlt(target, 0, 0, width, height, source, 0, 0, SRCCOPY);
        GdiFlush();
        const auto* first = static_cast<const std::uint8_t*>(bits);
        pixels.assign(first, first + static_cast<std::size_t>(width) * height * 4);
        SelectObject(target, oldTarget);
        SelectObject(source, oldSource);
    }
    if (surface) DeleteObject(surface);
    if (target) DeleteDC(target);
    if (source) DeleteDC(source);
    ReleaseDC(nullptr, screen);
    return pixels;
}

}  // namespace

HRGN RegionFromMask(HBITMAP mask) {
    if (!mask) return nullptr;
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels = MaskPixels(mask, width, height);
    if (pixels.empty()) return nullptr;
    HRGN result = nullptr;
    ScanMask(pixels.data(), width, height, static_cast<std::ptrdiff_t>(width) * 4, [&](const RectBatch& batch) {
        result = UniteRegion(result, RegionFromRects(batch.rects.data(), batch.rects.size(), batch.bounds));
    });
    return result;
}

}  // namespace zavo
