// Helpers of the widget tests: the fixture folder, memory surfaces to read
// pixels from, and a GDI+ session.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "skin/ImageEx.h"

#include <commctrl.h>

#include "GuiResources.h"
#include "skin/BitmapBtn.h"

namespace skintest {

// Folder of the pictures written by make_fixtures.py, beside the test program.
inline std::wstring FixturePath(const std::wstring& name) {
    wchar_t exe[MAX_PATH];
    DWORD n = GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring folder(exe, n);
    folder.resize(folder.find_last_of(L'\\') + 1);
    return folder + L"test-skin-fixtures\\" + name;
}

// A 32-bit top-down memory surface selected into its own DC.
class Surface {
public:
    Surface(int width, int height) : width_(width), height_(height) {
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        bi.bmiHeader.biWidth = width;
        bi.bmiHeader.biHeight = -height;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        bi.bmiHeader.biCompression = BI_RGB;
        dc_ = CreateCompatibleDC(nullptr);
        bitmap_ = CreateDIBSection(dc_, &bi, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
        old_ = SelectObject(dc_, bitmap_);
    }
    ~Surface() {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    HDC dc() const { return dc_; }
    // Takes the bitmap out of the DC (to hand it to code that selects it itself).
    HBITMAP Unselect() {
        SelectObject(dc_, old_);
        return bitmap_;
    }
    void Fill(COLORREF c) {
        GdiFlush();
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x) Set(x, y, c);
    }
    void Fill(const RECT& r, COLORREF c) {
        GdiFlush();
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) Set(x, y, c);
    }
    void Set(int x, int y, COLORREF c) {
        std::uint32_t v = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
        bits_[y * width_ + x] = v;
    }
    COLORREF At(int x, int y) const {
        GdiFlush();
        std::uint32_t v = bits_[y * width_ + x];
        return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
    }

private:
    int width_;
    int height_;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
    std::uint32_t* bits_ = nullptr;
};

// Colours compare within a small tolerance (JPEG, antialiasing).
inline bool Near(COLORREF a, COLORREF b, int tolerance = 8) {
    auto d = [](int x, int y) { return x > y ? x - y : y - x; };
    return d(GetRValue(a), GetRValue(b)) <= tolerance && d(GetGValue(a), GetGValue(b)) <= tolerance &&
           d(GetBValue(a), GetBValue(b)) <= tolerance;
}

inline std::string Hex(COLORREF c) {
    char buf[16];
    wsprintfA(buf, "#%02x%02x%02x", GetRValue(c), GetGValue(c), GetBValue(c));
    return buf;
}

class GdiplusSession {
public:
    GdiplusSession() {
        Gdiplus::GdiplusStartupInput input;
        Gdiplus::GdiplusStartup(&token_, &input, nullptr);
    }
    ~GdiplusSession() { Gdiplus::GdiplusShutdown(token_); }

private:
    ULONG_PTR token_ = 0;
};

// Current GDI and USER object counts of this process, counted the way every
// leak test counts them (CountGuiObjects: Wine leaves GetGuiResources
// unimplemented, and its zeros would make every comparison pass).
struct GuiCounts {
    zavo::GuiObjectCounts counts = zavo::CountGuiObjects();
    DWORD gdi = counts.gdi;
    DWORD user = counts.user;
};

// Dispatches what is waiting in this thread's queue.
inline void PumpMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

// The text of a bitmap button's tooltip tool, "<none>" when it has no tooltip.
inline std::wstring TooltipOf(zavo::CBitmapBtn& button) {
    if (!button.GetTooltip()) return L"<none>";
    wchar_t text[128] = {};
    TOOLINFOW ti{};
    ti.cbSize = TTTOOLINFOW_V2_SIZE;
    ti.hwnd = button;
    ti.uId = 1;
    ti.lpszText = text;
    SendMessageW(button.GetTooltip(), TTM_GETTEXTW, 128, reinterpret_cast<LPARAM>(&ti));
    return text;
}

}  // namespace skintest
