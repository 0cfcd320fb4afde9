#include "skin/BmpFile.h"

#include <cstddef>

namespace zavo {
namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;
constexpr std::size_t kHeadersEnd = kFileHeaderSize + kInfoHeaderSize;

std::uint32_t U16At(std::string_view b, std::size_t at) {
    return static_cast<std::uint8_t>(b[at]) | static_cast<std::uint8_t>(b[at + 1]) << 8;
}

std::uint32_t U32At(std::string_view b, std::size_t at) { return U16At(b, at) | U16At(b, at + 2) << 16; }

std::int32_t I32At(std::string_view b, std::size_t at) { return static_cast<std::int32_t>(U32At(b, at)); }

BmpLayout Refuse(BmpStatus status) {
    BmpLayout layout;
    layout.status = status;
    return layout;
}

}  // namespace

const unsigned char* BmpLayout::Row(std::string_view bytes, std::int32_t y) const {
    const std::uint64_t fileRow = bottomUp ? static_cast<std::uint64_t>(height - 1 - y) : static_cast<std::uint64_t>(y);
    return reinterpret_cast<const unsigned char*>(bytes.data()) + pixelStart + fileRow * rowSize;
}

BmpLayout ReadBmpLayout(std::string_view bytes, BmpBits accepted) {
    if (bytes.size() < kFileHeaderSize || bytes[0] != 'B' || bytes[1] != 'M') return Refuse(BmpStatus::NotBitmap);
    if (bytes.size() < kHeadersEnd) return Refuse(BmpStatus::ShortHeader);

    const std::uint32_t dataOffset = U32At(bytes, 10);
    const std::uint32_t infoSize = U32At(bytes, 14);
    const std::int32_t width = I32At(bytes, 18);
    const std::int32_t rawHeight = I32At(bytes, 22);
    const std::uint32_t bitCount = U16At(bytes, 28);
    const std::uint32_t compression = U32At(bytes, 30);
    const bool bitsOk = bitCount == 24 || (bitCount == 32 && accepted == BmpBits::Bits24Or32);
    if (infoSize < kInfoHeaderSize || !bitsOk || compression != 0 || width <= 0 || rawHeight == 0)
        return Refuse(BmpStatus::Unsupported);

    // Sizes in 64 bits: width * 4 and rows * height cannot overflow there.
    const std::uint64_t height = rawHeight < 0 ? -static_cast<std::int64_t>(rawHeight) : rawHeight;
    if (height > 0x7FFFFFFF) return Refuse(BmpStatus::Unsupported);
    const std::uint64_t rowSize = (static_cast<std::uint64_t>(width) * (bitCount / 8) + 3) & ~std::uint64_t{3};
    const bool offsetUsable = dataOffset >= kHeadersEnd && dataOffset <= bytes.size();
    const std::uint64_t start = offsetUsable ? dataOffset : kHeadersEnd;
    if (rowSize * height > bytes.size() - start) return Refuse(BmpStatus::Truncated);

    BmpLayout layout;
    layout.status = BmpStatus::Ok;
    layout.width = width;
    layout.height = static_cast<std::int32_t>(height);
    layout.bitCount = static_cast<int>(bitCount);
    layout.bottomUp = rawHeight > 0;
    layout.offsetAsWritten = offsetUsable && dataOffset >= kFileHeaderSize + std::uint64_t{infoSize};
    layout.rowSize = rowSize;
    layout.pixelStart = start;
    return layout;
}

const wchar_t* BmpStatusText(BmpStatus status) {
    switch (status) {
        case BmpStatus::Ok:
            return L"read";
        case BmpStatus::NotBitmap:
            return L"not a BMP file";
        case BmpStatus::ShortHeader:
            return L"the BMP headers are incomplete";
        case BmpStatus::Unsupported:
            return L"not an uncompressed BMP of a bit count and size the reader takes";
        case BmpStatus::Truncated:
            return L"the pixel rows run past the end of the file";
    }
    return L"unknown";
}

void CopyBmpPixels(std::string_view bytes, const BmpLayout& layout, unsigned char* target,
                   std::ptrdiff_t targetStride) {
    const std::size_t step = static_cast<std::size_t>(layout.bitCount / 8);
    for (std::int32_t y = 0; y < layout.height; ++y) {
        const unsigned char* from = layout.Row(bytes, y);
        unsigned char* to = target + static_cast<std::ptrdiff_t>(y) * targetStride;
        for (std::int32_t x = 0; x < layout.width; ++x, from += step, to += 4) {
            to[0] = from[0];
            to[1] = from[1];
            to[2] = from[2];
            to[3] = 0;
        }
    }
}

}  // namespace zavo
