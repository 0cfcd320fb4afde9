// Reading skin pictures: decoded (Picture), and faces drawn from their files
// (FacePicture).
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <string>

#include "SkinTestSupport.h"
#include "TempDir.h"
#include "platform/TextCodec.h"
#include "platform/Win32Handle.h"
#include "skin/FacePicture.h"
#include "skin/Picture.h"
#include "skin/Region.h"

using namespace zavo;
using skintest::FixturePath;

namespace {

COLORREF PixelOf(const Picture& picture, int x, int y) {
    skintest::Surface surface(picture.Width(), picture.Height());
    HDC source = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(source, picture.Handle());
    BitBlt(surface.dc(), 0, 0, picture.Width(), picture.Height(), source, 0, 0, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
    return surface.At(x, y);
}

}  // namespace

TEST(LoadPictureFile, DecodesBmpAndJpeg) {
    for (const wchar_t* name : {L"face.bmp", L"face.jpg"}) {
        SCOPED_TRACE(testing::Message() << (name[5] == L'b' ? "bmp" : "jpg"));
        Picture picture;
        SIZE size = LoadPictureFile(FixturePath(name), picture);
        ASSERT_FALSE(picture.Empty());
        EXPECT_EQ(40, size.cx);
        EXPECT_EQ(30, size.cy);
        EXPECT_EQ(40, picture.Width());
        EXPECT_EQ(30, picture.Height());
        // Top-left quarter dark, the rest orange: the rows are not upside down.
        EXPECT_TRUE(skintest::Near(RGB(10, 20, 30), PixelOf(picture, 3, 3))) << skintest::Hex(PixelOf(picture, 3, 3));
        EXPECT_TRUE(skintest::Near(RGB(200, 100, 50), PixelOf(picture, 35, 25)))
            << skintest::Hex(PixelOf(picture, 35, 25));
    }
}

TEST(LoadPictureFile, UnreadablePictureLeavesItEmpty) {
    struct Case {
        const char* what;
        std::wstring path;
    } cases[] = {
        {"missing file", FixturePath(L"no-such-picture.bmp")},
        {"not a picture", FixturePath(L"garbage.bmp")},
        {"a folder (empty name in a skin)", FixturePath(L"")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Picture picture;
        LoadPictureFile(FixturePath(L"face.bmp"), picture);
        ASSERT_FALSE(picture.Empty());
        SIZE size = LoadPictureFile(c.path, picture);
        EXPECT_TRUE(picture.Empty());
        EXPECT_EQ(0, size.cx);
        EXPECT_EQ(0, size.cy);
        EXPECT_FALSE(LoadPictureBitmap(c.path));
    }
}

TEST(LoadPictureFile, ReplacingAndMovingReleaseTheOldBitmap) {
    skintest::GuiCounts before;
    for (int i = 0; i < 20; ++i) {
        Picture a;
        LoadPictureFile(FixturePath(L"face.bmp"), a);
        LoadPictureFile(FixturePath(L"face.jpg"), a);
        Picture b;
        LoadPictureFile(FixturePath(L"face.bmp"), b);
        b = std::move(a);
        EXPECT_TRUE(a.Empty());
        EXPECT_EQ(40, b.Width());
    }
    EXPECT_EQ(before.gdi, skintest::GuiCounts().gdi);
}

TEST(LoadPictureFile, FileStaysReadableByOthersAfterLoading) {
    // The file is opened without sharing only while it is read.
    Picture picture;
    LoadPictureFile(FixturePath(L"face.bmp"), picture);
    HANDLE h = CreateFileW(FixturePath(L"face.bmp").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_NE(INVALID_HANDLE_VALUE, h);
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
}

// ----- FacePicture: faces drawn straight from their files --------------------

namespace {

template <typename T>
void Put(std::string& out, T value) {
    for (size_t i = 0; i < sizeof(T); ++i)
        out += static_cast<char>((static_cast<std::uint64_t>(value) >> (8 * i)) & 0xFF);
}

// The colour every test picture has at (x, y), counted from the top.
COLORREF Expected(int x, int y) { return RGB(10 + 20 * x, 15 + 30 * y, x == y ? 255 : 40); }

// An uncompressed BMP of Expected()'s pixels, rows padded to 4 bytes, stored
// bottom row first unless `topDown`; `gap` bytes between the headers and the
// rows (the data offset says where they start).
std::string FaceBmp(int width, int height, int bits, bool topDown, int gap = 0) {
    const int rowSize = (width * bits / 8 + 3) & ~3;
    std::string b = "BM";
    Put<std::uint32_t>(b, static_cast<std::uint32_t>(54 + gap + rowSize * height));
    Put<std::uint32_t>(b, 0);
    Put<std::uint32_t>(b, static_cast<std::uint32_t>(54 + gap));
    Put<std::uint32_t>(b, 40);
    Put<std::int32_t>(b, width);
    Put<std::int32_t>(b, topDown ? -height : height);
    Put<std::uint16_t>(b, 1);
    Put<std::uint16_t>(b, static_cast<std::uint16_t>(bits));
    Put<std::uint32_t>(b, 0);
    Put<std::uint32_t>(b, static_cast<std::uint32_t>(rowSize * height));
    Put<std::int32_t>(b, 2835);
    Put<std::int32_t>(b, 2835);
    Put<std::uint32_t>(b, 0);
    Put<std::uint32_t>(b, 0);
    b.append(static_cast<size_t>(gap), '\0');
    for (int stored = 0; stored < height; ++stored) {
        const int y = topDown ? stored : height - 1 - stored;
        std::string row;
        for (int x = 0; x < width; ++x) {
            const COLORREF c = Expected(x, y);
            row += static_cast<char>(GetBValue(c));
            row += static_cast<char>(GetGValue(c));
            row += static_cast<char>(GetRValue(c));
            if (bits == 32) row += '\0';
        }
        row.resize(static_cast<size_t>(rowSize), '\0');
        b += row;
    }
    return b;
}

std::wstring WriteFile(const TempDir& dir, const wchar_t* name, const std::string& bytes) {
    const std::wstring path = dir.path() + name;
    std::ofstream out(text::ToUtf8(path).c_str(), std::ios::binary);
    out << bytes;
    return path;
}

constexpr COLORREF kUntouched = RGB(1, 2, 3);

}  // namespace

// Every form the direct reader takes is drawn from the file, whole or in part,
// with the rows the right way up and nothing drawn beyond the picture.
TEST(FacePicture, BmpFacesAreDrawnFromTheFileAsTheyLook) {
    struct Case {
        const char* what;
        int bits;
        bool topDown;
    } cases[] = {{"24 bits, bottom row first (odd width: padded rows)", 24, false},
                 {"24 bits, top row first", 24, true},
                 {"32 bits, top row first", 32, true},
                 {"32 bits, bottom row first", 32, false}};
    TempDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FacePicture face;
        ASSERT_TRUE(face.Load(WriteFile(dir, L"face.bmp", FaceBmp(7, 5, c.bits, c.topDown))));
        EXPECT_EQ(nullptr, face.Bitmap()) << "drawn from the file, not decoded";
        EXPECT_EQ(7, face.Width());
        EXPECT_EQ(5, face.Height());
        skintest::Surface whole(7, 5);
        ASSERT_TRUE(face.Draw(whole.dc(), 0, 0, 7, 5, 0, 0));
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 7; ++x) ASSERT_EQ(Expected(x, y), whole.At(x, y)) << x << "," << y;
        // A part: 3 x 2 pixels from (2, 1) to (4, 3) of the target.
        skintest::Surface part(9, 6);
        part.Fill(kUntouched);
        ASSERT_TRUE(face.Draw(part.dc(), 4, 3, 3, 2, 2, 1));
        EXPECT_EQ(Expected(2, 1), part.At(4, 3));
        EXPECT_EQ(Expected(4, 2), part.At(6, 4));
        EXPECT_EQ(kUntouched, part.At(3, 3));
        EXPECT_EQ(kUntouched, part.At(7, 4));
        EXPECT_EQ(kUntouched, part.At(4, 5));
        // A rectangle reaching past every edge draws the picture at its place only.
        skintest::Surface over(11, 9);
        over.Fill(kUntouched);
        ASSERT_TRUE(face.Draw(over.dc(), 0, 0, 11, 9, -2, -3));
        EXPECT_EQ(Expected(0, 0), over.At(2, 3));
        EXPECT_EQ(Expected(6, 4), over.At(8, 7));
        EXPECT_EQ(kUntouched, over.At(1, 3));
        EXPECT_EQ(kUntouched, over.At(9, 7));
        EXPECT_EQ(kUntouched, over.At(8, 8));
        EXPECT_FALSE(face.Draw(over.dc(), 0, 0, 5, 5, 7, 0)) << "nothing of the picture there";
        face.Reset();
    }
}

// What the direct reader refuses is decoded and draws the same; what nothing
// can read leaves the picture empty.
TEST(FacePicture, OtherPicturesAreDecodedAndUnreadableOnesLeaveItEmpty) {
    TempDir dir;
    FacePicture face;
    ASSERT_TRUE(face.Load(FixturePath(L"face.jpg")));
    EXPECT_NE(nullptr, face.Bitmap());
    skintest::Surface s(40, 30);
    ASSERT_TRUE(face.Draw(s.dc(), 0, 0, 40, 30, 0, 0));
    EXPECT_TRUE(skintest::Near(RGB(200, 100, 50), s.At(35, 25))) << skintest::Hex(s.At(35, 25));

    for (const wchar_t* name : {L"no-such-picture.bmp", L"garbage.bmp"}) {
        EXPECT_FALSE(face.Load(FixturePath(name)));
        EXPECT_TRUE(face.Empty());
        EXPECT_FALSE(face.Draw(s.dc(), 0, 0, 40, 30, 0, 0));
    }
    // Claiming rows it does not hold: never drawn from the file (which would
    // read past its end); the platform decoder may still take it.
    std::string shortBmp = FaceBmp(7, 5, 24, false);
    shortBmp.resize(shortBmp.size() - 30);
    face.Load(WriteFile(dir, L"short.bmp", shortBmp));
    EXPECT_TRUE(face.Empty() || face.Bitmap());
}

// The shape read from the file is the shape the decoded picture gives.
TEST(FacePicture, ShapeFromTheFileIsTheDecodedPicturesShape) {
    FacePicture mapped;
    ASSERT_TRUE(mapped.Load(FixturePath(L"mask.bmp")));
    ASSERT_EQ(nullptr, mapped.Bitmap());
    const ScopedRgn fromFile = mapped.Shape();
    const ScopedRgn decoded = RegionFromMask(LoadPictureBitmap(FixturePath(L"mask.bmp")).Get());
    ASSERT_TRUE(fromFile);
    ASSERT_TRUE(decoded);
    EXPECT_TRUE(EqualRgn(fromFile, decoded));
    EXPECT_FALSE(FacePicture().Shape());
}

// While a face is drawn from its file others can still read the file; once
// the picture lets go, the file is free again.
TEST(FacePicture, FileIsSharedForReadingWhileMappedAndFreedAfter) {
    TempDir dir;
    const std::wstring path = WriteFile(dir, L"face.bmp", FaceBmp(7, 5, 24, false));
    FacePicture face;
    ASSERT_TRUE(face.Load(path));
    EXPECT_TRUE(
        ScopedFile(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr)));
    face.Reset();
    EXPECT_TRUE(DeleteFileW(path.c_str()));
}
