#include "framework/Gdi.h"

namespace zavo {

ScopedBitmap CreateDib32(int cx, int cy, void** bits) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = cx;
    bi.bmiHeader.biHeight = -cy;  // top-down
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* pixels = nullptr;
    HBITMAP bmp = (cx > 0 && cy > 0) ? ::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &pixels, nullptr, 0) : nullptr;
    if (bits) *bits = bmp ? pixels : nullptr;
    return ScopedBitmap(bmp);
}

}  // namespace zavo
