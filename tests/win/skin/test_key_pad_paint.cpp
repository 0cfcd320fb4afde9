// KeyPad's paint: the keys that do not show their rest look are drawn from the
// face of their look, each look in one clipped copy, into a context whose
// origin may be moved (the main window composes only the area asked for).
#include <windows.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <string>

#include "SkinTestSupport.h"
#include "TempDir.h"
#include "framework/Gdi.h"
#include "platform/TextCodec.h"
#include "skin/BitmapBtn.h"
#include "skin/FacePicture.h"
#include "skin/KeyPad.h"

using namespace zavo;

namespace {

constexpr int kWidth = 200, kHeight = 100;
constexpr COLORREF kRest = RGB(40, 40, 40), kOver = RGB(0, 120, 200), kDown = RGB(200, 90, 0), kOff = RGB(90, 90, 90),
                   kCanvas = RGB(1, 2, 3);

template <typename T>
void Put(std::string& out, T value) {
    for (size_t i = 0; i < sizeof(T); ++i)
        out += static_cast<char>((static_cast<std::uint64_t>(value) >> (8 * i)) & 0xFF);
}

// A whole-window face of one colour as a 32-bit BMP file, bottom row first.
std::wstring SolidBmp(const TempDir& dir, const wchar_t* name, COLORREF colour) {
    std::string b = "BM";
    Put<std::uint32_t>(b, 54 + kWidth * kHeight * 4);
    Put<std::uint32_t>(b, 0);
    Put<std::uint32_t>(b, 54);
    for (std::int32_t v : {40, kWidth, kHeight}) Put<std::int32_t>(b, v);
    Put<std::uint16_t>(b, 1);
    Put<std::uint16_t>(b, 32);
    for (int i = 0; i < 6; ++i) Put<std::uint32_t>(b, 0);
    for (int i = 0; i < kWidth * kHeight; ++i) {
        b += static_cast<char>(GetBValue(colour));
        b += static_cast<char>(GetGValue(colour));
        b += static_cast<char>(GetRValue(colour));
        b += '\0';
    }
    const std::wstring path = dir.path() + name;
    std::ofstream(text::ToUtf8(path).c_str(), std::ios::binary) << b;
    return path;
}

ScopedBitmap SolidDib(COLORREF colour) {
    void* bits = nullptr;
    ScopedBitmap dib = CreateDib32(kWidth, kHeight, &bits);
    auto* px = static_cast<std::uint32_t*>(bits);
    for (int i = 0; i < kWidth * kHeight; ++i)
        px[i] = (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
    return dib;
}

// Four keys in a row with gaps: latched, locked, latched, at rest.
void AddKeys(KeyPad& pad) {
    pad.Add({10, 10, 40, 40}, L"", true);
    pad.Add({50, 10, 80, 40}, L"");
    pad.Add({90, 10, 120, 40}, L"", true);
    pad.Add({130, 10, 160, 40}, L"");
    pad.SetEnabled(1, false);
}

// Paints `area` of the pad into a canvas of the area's size whose origin is
// the area's corner, as the main window does, and reads client pixels back.
void ExpectKeysDrawnWhereTheyAre(const FaceSet& faces) {
    KeyPad pad;
    AddKeys(pad);
    struct Case {
        const char* what;
        RECT area;
    } cases[] = {{"whole window", {0, 0, kWidth, kHeight}}, {"area off the corner", {5, 8, 150, 60}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        skintest::Surface canvas(c.area.right - c.area.left, c.area.bottom - c.area.top);
        canvas.Fill(kCanvas);
        SetViewportOrgEx(canvas.dc(), -c.area.left, -c.area.top, nullptr);
        pad.Paint(canvas.dc(), c.area, faces);
        const auto at = [&](int x, int y) { return canvas.At(x - c.area.left, y - c.area.top); };
        EXPECT_EQ(kDown, at(10, 10));
        EXPECT_EQ(kDown, at(39, 39));
        EXPECT_EQ(kOff, at(65, 25));
        EXPECT_EQ(kDown, at(119, 25));
        EXPECT_EQ(kCanvas, at(45, 25)) << "the gap between two keys of one look";
        EXPECT_EQ(kCanvas, at(85, 25)) << "the gap after the locked key";
        EXPECT_EQ(kCanvas, at(140, 25)) << "a key at rest is the background's";
        EXPECT_EQ(kCanvas, at(25, 45)) << "below the keys";
    }
}

}  // namespace

TEST(KeyPadPaint, KeysOfALookAreCopiedOnlyOntoTheirRectangles) {
    ScopedBitmap rest = SolidDib(kRest), over = SolidDib(kOver), down = SolidDib(kDown), off = SolidDib(kOff);
    {
        SCOPED_TRACE("decoded faces");
        ExpectKeysDrawnWhereTheyAre(FaceSet(rest, over, down, off));
    }
    TempDir dir;
    FacePicture files[4];
    const std::pair<const wchar_t*, COLORREF> looks[] = {
        {L"rest.bmp", kRest}, {L"over.bmp", kOver}, {L"down.bmp", kDown}, {L"off.bmp", kOff}};
    for (int i = 0; i < 4; ++i) ASSERT_TRUE(files[i].Load(SolidBmp(dir, looks[i].first, looks[i].second)));
    ASSERT_EQ(nullptr, files[2].Bitmap());
    SCOPED_TRACE("faces drawn from their files");
    ExpectKeysDrawnWhereTheyAre(FaceSet(files[0], files[1], files[2], files[3]));
}

// While its host is hidden a key's change marks nothing to repaint (the main
// window sets all its keys before it appears); showing the host asks for the
// whole of it, so the keys still appear as they were set.
TEST(KeyPadPaint, AHiddenHostIsNotAskedToRepaintUntilShown) {
    HWND host = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, kWidth, kHeight, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(host);
    KeyPad pad;
    pad.Attach(host);
    AddKeys(pad);
    pad.SetLatched(3, true);
    EXPECT_FALSE(GetUpdateRect(host, nullptr, FALSE));
    ShowWindow(host, SW_SHOWNA);
    RECT asked{};
    EXPECT_TRUE(GetUpdateRect(host, &asked, FALSE));
    const RECT whole{0, 0, kWidth, kHeight};
    EXPECT_TRUE(EqualRect(&whole, &asked));
    UpdateWindow(host);
    pad.SetLatched(3, false);
    EXPECT_TRUE(GetUpdateRect(host, &asked, FALSE)) << "shown: the key asks for its repaint";
    const RECT key{130, 10, 160, 40};
    EXPECT_TRUE(EqualRect(&key, &asked));
    pad.Clear();
    DestroyWindow(host);
}
