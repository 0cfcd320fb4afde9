// The shape of a window the size of the main window, built from its mask:
// RegionFromMask (one region per batch of up to 2000 row runs, united) beside the
// plain way of uniting one region per run, measured in the same run.
#include <windows.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "skin/MaskScan.h"
#include "skin/Region.h"

namespace {

constexpr int kWidth = 1000, kHeight = 420;

// A keyboard-like mask: a rounded body with rows of key gaps, so each row holds
// many runs (about 40 000 in all).
HBITMAP MakeMask() {
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), kWidth, -kHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bmp = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    auto* px = static_cast<std::uint32_t*>(bits);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            bool corner = (x < 20 || x >= kWidth - 20) && (y < 20 || y >= kHeight - 20);
            bool gap = y > 60 && (x % 24 == 0 || x % 24 == 1);
            px[y * kWidth + x] = corner || gap ? 0xFFFFFF : 0x202020;
        }
    return bmp;
}

// The plain way: every run becomes a region of its own, united one by one.
HRGN PerRunRegion(HBITMAP mask) {
    std::vector<std::uint32_t> px(static_cast<size_t>(kWidth) * kHeight);
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), kWidth, -kHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    HDC dc = GetDC(nullptr);
    GetDIBits(dc, mask, 0, kHeight, px.data(), &bi, DIB_RGB_COLORS);
    ReleaseDC(nullptr, dc);
    HRGN result = CreateRectRgn(0, 0, 0, 0);
    zavo::ScanMask(reinterpret_cast<const std::uint8_t*>(px.data()), kWidth, kHeight, kWidth * 4,
                   [&](const zavo::RectBatch& batch) {
                       for (const zavo::SkinRect& r : batch.rects) {
                           HRGN one = CreateRectRgn(r.left, r.top, r.right, r.bottom);
                           CombineRgn(result, result, one, RGN_OR);
                           DeleteObject(one);
                       }
                   });
    return result;
}

template <typename F>
double Millis(F&& f, int rounds) {
    auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < rounds; ++i) DeleteObject(f());
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count() / rounds;
}

}  // namespace

int main() {
    HBITMAP mask = MakeMask();
    const zavo::ScopedRgn batched = zavo::RegionFromMask(mask);
    HRGN plain = PerRunRegion(mask);
    bool same = EqualRgn(batched, plain) != FALSE;
    DeleteObject(plain);
    double batchedMs = Millis([&] { return zavo::RegionFromMask(mask).Release(); }, 5);
    double plainMs = Millis([&] { return PerRunRegion(mask); }, 2);
    std::printf("mask %dx%d: RegionFromMask %.1f ms, one region per run %.1f ms (%.1fx), same shape: %s\n", kWidth,
                kHeight, batchedMs, plainMs, plainMs / batchedMs, same ? "yes" : "NO");
    DeleteObject(mask);
    return same ? 0 : 1;
}
