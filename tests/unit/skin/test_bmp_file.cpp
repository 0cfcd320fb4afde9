// The BMP reader of the skin faces: header fields bounded against the file,
// both row orders, 24 and 32 bits per pixel.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "skin/BmpFile.h"

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

// A picture of width x height where pixel (x, y) (y from the top) has blue x,
// green y and red 0x80 + x + y, written with `bits` per pixel.
std::string MakeBmp(int width, int height, int bits, bool topDown) {
    const size_t bytesPerPixel = static_cast<size_t>(bits / 8);
    const size_t rowSize = (width * bytesPerPixel + 3) & ~size_t{3};
    std::string b(54, '\0');
    b[0] = 'B';
    b[1] = 'M';
    Put32(b, 2, static_cast<std::uint32_t>(54 + rowSize * height));
    Put32(b, 10, 54);
    Put32(b, 14, 40);
    Put32(b, 18, static_cast<std::uint32_t>(width));
    Put32(b, 22, static_cast<std::uint32_t>(topDown ? -height : height));
    Put16(b, 26, 1);
    Put16(b, 28, static_cast<std::uint32_t>(bits));
    for (int i = 0; i < height; ++i) {
        const int y = topDown ? i : height - 1 - i;
        std::string row;
        for (int x = 0; x < width; ++x) {
            row += {char(x), char(y), char(0x80 + x + y)};
            if (bits == 32) row += char(0x7F);  // the unused byte must not show
        }
        row.resize(rowSize, '\0');
        b += row;
    }
    return b;
}

std::vector<unsigned char> Expected(int width, int height) {
    std::vector<unsigned char> px;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            px.insert(px.end(), {static_cast<unsigned char>(x), static_cast<unsigned char>(y),
                                 static_cast<unsigned char>(0x80 + x + y), 0});
    return px;
}

TEST(BmpFile, PixelsComeOutTopRowFirstInEveryAcceptedForm) {
    struct Case {
        const char* what;
        int bits;
        bool topDown;
    };
    const Case cases[] = {
        {"24 bits, bottom row first", 24, false},
        {"24 bits, top row first", 24, true},
        {"32 bits, bottom row first", 32, false},
        {"32 bits, top row first", 32, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        // Width 3: 24-bit rows carry 3 bytes of padding.
        const std::string bytes = MakeBmp(3, 4, c.bits, c.topDown);
        const BmpLayout layout = ReadBmpLayout(bytes, BmpBits::Bits24Or32);
        ASSERT_TRUE(layout.ok());
        EXPECT_EQ(layout.width, 3);
        EXPECT_EQ(layout.height, 4);
        EXPECT_TRUE(layout.offsetAsWritten);
        std::vector<unsigned char> out(3 * 4 * 4, 0xEE);
        CopyBmpPixels(bytes, layout, out.data(), 3 * 4);
        EXPECT_EQ(out, Expected(3, 4));
    }
}

TEST(BmpFile, ThirtyTwoBitsOnlyWhereAccepted) {
    EXPECT_EQ(ReadBmpLayout(MakeBmp(2, 2, 32, false), BmpBits::Only24).status, BmpStatus::Unsupported);
}

TEST(BmpFile, DataOffsetIsUsedOnlyWhenItLiesBetweenTheHeadersAndTheEnd) {
    const std::string good = MakeBmp(1, 1, 24, false);
    std::string moved = good.substr(0, 54) + std::string(16, 'z') + good.substr(54);
    Put32(moved, 10, 70);
    const BmpLayout m = ReadBmpLayout(moved, BmpBits::Bits24Or32);
    ASSERT_TRUE(m.ok());
    EXPECT_EQ(m.pixelStart, 70u);
    EXPECT_TRUE(m.offsetAsWritten);

    struct Case {
        const char* what;
        std::uint32_t offset;
        std::uint32_t infoSize;
    };
    // Rows read right after the 54 header bytes; not "as written", so the face
    // reader leaves such a file to the platform decoder.
    const Case cases[] = {
        {"offset 0", 0, 40},
        {"offset inside the file header", 10, 40},
        {"offset past the end", 0xFFFFFFF0, 40},
        {"offset inside a larger information header", 54, 108},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::string b = good;
        Put32(b, 10, c.offset);
        Put32(b, 14, c.infoSize);
        const BmpLayout layout = ReadBmpLayout(b, BmpBits::Bits24Or32);
        ASSERT_TRUE(layout.ok());
        EXPECT_EQ(layout.pixelStart, 54u);
        EXPECT_FALSE(layout.offsetAsWritten);
    }
}

TEST(BmpFile, HostileHeadersAreRefusedWithoutReadingPastTheData) {
    const std::string good = MakeBmp(2, 2, 24, false);
    auto with = [&](size_t at, std::uint32_t v, bool wide, const std::string& base) {
        std::string b = base;
        wide ? Put32(b, at, v) : Put16(b, at, v);
        return b;
    };
    struct Case {
        const char* what;
        std::string bytes;
        BmpStatus want;
    };
    const Case cases[] = {
        {"empty", "", BmpStatus::NotBitmap},
        {"shorter than the file header", good.substr(0, 13), BmpStatus::NotBitmap},
        {"not BM", "XY" + good.substr(2), BmpStatus::NotBitmap},
        {"information header cut", good.substr(0, 53), BmpStatus::ShortHeader},
        {"8 bits per pixel (palette)", with(28, 8, false, good), BmpStatus::Unsupported},
        {"16 bits per pixel", with(28, 16, false, good), BmpStatus::Unsupported},
        {"run-length compressed", with(30, 1, true, good), BmpStatus::Unsupported},
        {"bit fields", with(30, 3, true, good), BmpStatus::Unsupported},
        {"JPEG inside", with(30, 4, true, good), BmpStatus::Unsupported},
        {"core header (12 bytes)", with(14, 12, true, good), BmpStatus::Unsupported},
        {"zero width", with(18, 0, true, good), BmpStatus::Unsupported},
        {"negative width", with(18, 0xFFFFFFFF, true, good), BmpStatus::Unsupported},
        {"zero height", with(22, 0, true, good), BmpStatus::Unsupported},
        {"smallest height", with(22, 0x80000000, true, good), BmpStatus::Unsupported},
        {"last row cut short", good.substr(0, good.size() - 1), BmpStatus::Truncated},
        {"no pixel rows", good.substr(0, 54), BmpStatus::Truncated},
        {"huge width claimed", with(18, 0x7FFFFFFF, true, good), BmpStatus::Truncated},
        {"huge height claimed", with(22, 0x7FFFFFFF, true, good), BmpStatus::Truncated},
        {"huge top-down height claimed", with(22, 0x80000001, true, good), BmpStatus::Truncated},
        {"width times height wraps 32 bits", with(22, 0x40000000, true, good), BmpStatus::Truncated},
        {"32 bits claimed over 24-bit rows", with(28, 32, false, MakeBmp(4, 2, 24, false)), BmpStatus::Truncated},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const BmpLayout layout = ReadBmpLayout(c.bytes, BmpBits::Bits24Or32);
        EXPECT_EQ(layout.status, c.want);
        EXPECT_EQ(layout.width, 0);
        EXPECT_EQ(layout.height, 0);
    }
}

}  // namespace
}  // namespace zavo
