// Shape pictures of the region button: 24-bit BMP files with a key colour.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TempDir.h"
#include "platform/FileSystem.h"
#include "skin/ShapeFile.h"

namespace zavo {
namespace {

void Put16(std::string& b, size_t at, std::uint32_t v) {
    b[at] = static_cast<char>(v & 0xFF);
    b[at + 1] = static_cast<char>((v >> 8) & 0xFF);
}
void Put32(std::string& b, size_t at, std::uint32_t v) {
    Put16(b, at, v & 0xFFFF);
    Put16(b, at + 2, v >> 16);
}

// A 24-bit BMP drawn with characters, top row first: 'k' the key colour, 'n'
// red 254 beside it, '#' black. Rows are written bottom row first unless
// `topDown`, each padded to 4 bytes.
std::string MakeBmp(const std::vector<std::string>& rows, bool topDown = false) {
    const int w = static_cast<int>(rows[0].size()), h = static_cast<int>(rows.size());
    const size_t rowSize = (w * 3 + 3) & ~3;
    std::string b(54, '\0');
    b[0] = 'B';
    b[1] = 'M';
    Put32(b, 2, static_cast<std::uint32_t>(54 + rowSize * h));
    Put32(b, 10, 54);
    Put32(b, 14, 40);
    Put32(b, 18, w);
    Put32(b, 22, topDown ? static_cast<std::uint32_t>(-h) : h);
    Put16(b, 26, 1);
    Put16(b, 28, 24);
    for (int i = 0; i < h; ++i) {
        const std::string& row = rows[topDown ? i : h - 1 - i];
        std::string line;
        for (char c : row) {
            if (c == 'k')
                line += {char(200), char(0), char(255)};
            else if (c == 'n')
                line += {char(200), char(0), char(254)};
            else
                line += {char(0), char(0), char(0)};
        }
        line.resize(rowSize, '\0');
        b += line;
    }
    return b;
}

const std::vector<std::string> kPicture = {
    "kk##k",  // run in the middle
    "kkkkn",  // the last pixel is not the key colour: included
    "kkkkk",  // all key colour: nothing
    "#####",  // whole row
};
const std::vector<SkinRect> kShape = {{2, 0, 4, 1}, {4, 1, 5, 2}, {0, 3, 5, 4}};

TEST(ShapeFile, RunsOfNonKeyPixelsInTopDownCoordinates) {
    ShapePicture p = ReadShapeBytes(MakeBmp(kPicture));
    ASSERT_TRUE(p.ok()) << ShapeStatusText(p.status);
    EXPECT_EQ(p.width, 5);
    EXPECT_EQ(p.height, 4);
    EXPECT_EQ(p.rects, kShape);
}

TEST(ShapeFile, TopDownPictureGivesTheSameShape) {
    ShapePicture p = ReadShapeBytes(MakeBmp(kPicture, true));
    ASSERT_TRUE(p.ok());
    EXPECT_EQ(p.height, 4);
    EXPECT_EQ(p.rects, kShape);
}

TEST(ShapeFile, AllKeyColourGivesAnEmptyShape) {
    ShapePicture p = ReadShapeBytes(MakeBmp({"kkk", "kkk"}));
    ASSERT_TRUE(p.ok());
    EXPECT_TRUE(p.rects.empty());
}

TEST(ShapeFile, PixelsStartAtTheDataOffsetWhenItIsPlausible) {
    std::string b = MakeBmp({"#k"});
    std::string moved = b.substr(0, 54) + std::string(16, 'z') + b.substr(54);
    Put32(moved, 10, 70);
    EXPECT_EQ(ReadShapeBytes(moved).rects, (std::vector<SkinRect>{{0, 0, 1, 1}}));
    // An offset of 0 (left unset by some writers) means right after the headers.
    Put32(b, 10, 0);
    EXPECT_EQ(ReadShapeBytes(b).rects, (std::vector<SkinRect>{{0, 0, 1, 1}}));
}

TEST(ShapeFile, UnusableFilesAreRefused) {
    const std::string good = MakeBmp({"##", "##"});
    auto with = [&](size_t at, std::uint32_t v, bool wide) {
        std::string b = good;
        wide ? Put32(b, at, v) : Put16(b, at, v);
        return b;
    };
    struct Case {
        const char* what;
        std::string bytes;
        ShapeStatus want;
    };
    const Case cases[] = {
        {"empty", "", ShapeStatus::NotBitmap},
        {"shorter than the file header", good.substr(0, 13), ShapeStatus::NotBitmap},
        {"not BM", "XY" + good.substr(2), ShapeStatus::NotBitmap},
        {"information header cut", good.substr(0, 53), ShapeStatus::ShortHeader},
        {"8 bits per pixel", with(28, 8, false), ShapeStatus::Unsupported},
        {"32 bits per pixel", with(28, 32, false), ShapeStatus::Unsupported},
        {"run-length compressed", with(30, 1, true), ShapeStatus::Unsupported},
        {"small information header", with(14, 12, true), ShapeStatus::Unsupported},
        {"zero width", with(18, 0, true), ShapeStatus::Unsupported},
        {"negative width", with(18, 0xFFFFFFFF, true), ShapeStatus::Unsupported},
        {"zero height", with(22, 0, true), ShapeStatus::Unsupported},
        {"smallest height", with(22, 0x80000000, true), ShapeStatus::Unsupported},
        {"last row cut short", good.substr(0, good.size() - 1), ShapeStatus::Truncated},
        {"no pixel rows", good.substr(0, 54), ShapeStatus::Truncated},
        {"huge width claimed", with(18, 0x7FFFFFFF, true), ShapeStatus::Truncated},
        {"huge height claimed", with(22, 0x7FFFFFFF, true), ShapeStatus::Truncated},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ShapePicture p = ReadShapeBytes(c.bytes);
        EXPECT_EQ(p.status, c.want);
        EXPECT_TRUE(p.rects.empty());
        EXPECT_EQ(p.width, 0);
        EXPECT_EQ(p.height, 0);
    }
}

TEST(ShapeFile, ReadsFromAFileAndReportsAMissingOne) {
    TempDir dir;
    std::wstring path = dir.path() + L"shape.bmp";
    ASSERT_TRUE(fs::WriteFileAtomic(path, MakeBmp(kPicture)));
    ShapePicture p = ReadShapeFile(path);
    ASSERT_TRUE(p.ok()) << ShapeStatusText(p.status);
    EXPECT_EQ(p.rects, kShape);
    EXPECT_EQ(ReadShapeFile(dir.path() + L"missing.bmp").status, ShapeStatus::CannotOpen);
}

}  // namespace
}  // namespace zavo
