// Reading skin pictures through the platform's picture decoder.
#include <gtest/gtest.h>

#include "SkinTestSupport.h"
#include "skin/Picture.h"

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
