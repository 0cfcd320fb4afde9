#include "Harness.h"

#include <gdiplus.h>

#include <cstdio>

namespace zavo::e2e {

namespace {

// Copies a rectangle of the screen into a new bitmap (GDI; works under Wine).
HBITMAP CaptureScreen(const RECT& r) {
    int w = r.right - r.left, h = r.bottom - r.top;
    if (w <= 0 || h <= 0) return nullptr;
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, w, h);
    HGDIOBJ old = SelectObject(mem, bmp);
    BitBlt(mem, 0, 0, w, h, screen, r.left, r.top, SRCCOPY | CAPTUREBLT);
    SelectObject(mem, old);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return bmp;
}

bool SaveBmp(HBITMAP bmp, const std::wstring& path) {
    BITMAP info{};
    GetObjectW(bmp, sizeof info, &info);
    BITMAPINFOHEADER bih{};
    bih.biSize = sizeof bih;
    bih.biWidth = info.bmWidth;
    bih.biHeight = info.bmHeight;  // bottom-up
    bih.biPlanes = 1;
    bih.biBitCount = 24;
    bih.biCompression = BI_RGB;
    DWORD stride = ((info.bmWidth * 3 + 3) / 4) * 4;
    bih.biSizeImage = stride * info.bmHeight;
    std::string pixels(bih.biSizeImage, '\0');
    HDC dc = GetDC(nullptr);
    int rows = GetDIBits(dc, bmp, 0, info.bmHeight, pixels.data(), reinterpret_cast<BITMAPINFO*>(&bih), DIB_RGB_COLORS);
    ReleaseDC(nullptr, dc);
    if (rows != info.bmHeight) return false;
    BITMAPFILEHEADER bfh{};
    bfh.bfType = 0x4D42;  // "BM"
    bfh.bfOffBits = sizeof bfh + sizeof bih;
    bfh.bfSize = bfh.bfOffBits + bih.biSizeImage;
    FILE* f = _wfopen(path.c_str(), L"wb");
    if (!f) return false;
    bool ok = fwrite(&bfh, sizeof bfh, 1, f) == 1 && fwrite(&bih, sizeof bih, 1, f) == 1 &&
              fwrite(pixels.data(), 1, pixels.size(), f) == pixels.size();
    return fclose(f) == 0 && ok;
}

bool PngEncoder(CLSID& clsid) {
    UINT count = 0, size = 0;
    if (Gdiplus::GetImageEncodersSize(&count, &size) != Gdiplus::Ok || size == 0) return false;
    std::string buffer(size, '\0');
    auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    if (Gdiplus::GetImageEncoders(count, size, codecs) != Gdiplus::Ok) return false;
    for (UINT i = 0; i < count; ++i) {
        if (wcscmp(codecs[i].MimeType, L"image/png") == 0) {
            clsid = codecs[i].Clsid;
            return true;
        }
    }
    return false;
}

bool SavePng(HBITMAP bmp, const std::wstring& path) {
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok) return false;
    bool ok = false;
    {
        CLSID png;
        Gdiplus::Bitmap image(bmp, nullptr);
        ok = PngEncoder(png) && image.Save(path.c_str(), &png, nullptr) == Gdiplus::Ok;
    }
    Gdiplus::GdiplusShutdown(token);
    return ok;
}

bool EndsWithPng(const std::wstring& path) {
    return path.size() >= 4 && _wcsicmp(path.c_str() + path.size() - 4, L".png") == 0;
}

bool SaveScreenRect(const std::wstring& path, const RECT& r) {
    HBITMAP bmp = CaptureScreen(r);
    if (!bmp) return false;
    bool ok = EndsWithPng(path) ? SavePng(bmp, path) : SaveBmp(bmp, path);
    DeleteObject(bmp);
    return ok;
}

std::wstring ArtefactPath(const std::wstring& name) {
    std::wstring path = ArtefactDir() + name;
    if (name.find(L'.') == std::wstring::npos) path += L".png";
    return path;
}

}  // namespace

bool SaveScreenshot(const std::wstring& path, HWND window) {
    RECT r{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (window && !GetWindowRect(window, &r)) return false;
    if (window) {
        // Let the window's thread catch up with what it was told (a round trip
        // through its queue, bounded for a hung one), then paint.
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &ignored);
        Sleep(150);
    }
    return SaveScreenRect(path, r);
}

std::wstring Screenshot(const std::wstring& name, HWND window) {
    const std::wstring path = ArtefactPath(name);
    return SaveScreenshot(path, window) ? path : L"";
}

std::wstring Screenshot(const std::wstring& name, const RECT& screenRect) {
    const std::wstring path = ArtefactPath(name);
    return SaveScreenRect(path, screenRect) ? path : L"";
}

}  // namespace zavo::e2e
