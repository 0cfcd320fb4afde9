#include "skin/ShapeFile.h"

#include "platform/FileSystem.h"

namespace zavo {
namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr size_t kInfoHeaderSize = 40;
constexpr size_t kHeadersEnd = kFileHeaderSize + kInfoHeaderSize;

std::uint32_t U16At(std::string_view b, size_t at) {
    return static_cast<std::uint8_t>(b[at]) | static_cast<std::uint8_t>(b[at + 1]) << 8;
}

std::uint32_t U32At(std::string_view b, size_t at) { return U16At(b, at) | U16At(b, at + 2) << 16; }

std::int32_t I32At(std::string_view b, size_t at) { return static_cast<std::int32_t>(U32At(b, at)); }

bool IsKey(const unsigned char* px) {
    return px[0] == SHAPE_KEY_BLUE && px[1] == SHAPE_KEY_GREEN && px[2] == SHAPE_KEY_RED;
}

void ScanRow(const unsigned char* row, std::int32_t width, std::int32_t y, std::vector<SkinRect>& out) {
    std::int32_t x = 0;
    while (x < width) {
        while (x < width && IsKey(row + 3 * static_cast<size_t>(x))) ++x;
        if (x == width) break;
        std::int32_t x0 = x;
        while (x < width && !IsKey(row + 3 * static_cast<size_t>(x))) ++x;
        out.push_back({x0, y, x, y + 1});
    }
}

ShapePicture Refuse(ShapeStatus status) {
    ShapePicture p;
    p.status = status;
    return p;
}

}  // namespace

ShapePicture ReadShapeBytes(std::string_view bytes) {
    if (bytes.size() < kFileHeaderSize || bytes[0] != 'B' || bytes[1] != 'M') return Refuse(ShapeStatus::NotBitmap);
    if (bytes.size() < kHeadersEnd) return Refuse(ShapeStatus::ShortHeader);

    std::uint32_t dataOffset = U32At(bytes, 10);
    std::uint32_t infoSize = U32At(bytes, 14);
    std::int32_t width = I32At(bytes, 18);
    std::int32_t rawHeight = I32At(bytes, 22);
    std::uint32_t bitCount = U16At(bytes, 28);
    std::uint32_t compression = U32At(bytes, 30);
    if (infoSize < kInfoHeaderSize || bitCount != 24 || compression != 0 || width <= 0 || rawHeight == 0)
        return Refuse(ShapeStatus::Unsupported);

    // Sizes in 64 bits: width * 3 and rows * height cannot overflow there.
    std::uint64_t height = rawHeight < 0 ? -static_cast<std::int64_t>(rawHeight) : rawHeight;
    if (height > 0x7FFFFFFF) return Refuse(ShapeStatus::Unsupported);
    std::uint64_t rowSize = (static_cast<std::uint64_t>(width) * 3 + 3) & ~std::uint64_t{3};
    std::uint64_t start = (dataOffset >= kHeadersEnd && dataOffset <= bytes.size()) ? dataOffset : kHeadersEnd;
    if (rowSize * height > bytes.size() - start) return Refuse(ShapeStatus::Truncated);

    ShapePicture p;
    p.status = ShapeStatus::Ok;
    p.width = width;
    p.height = static_cast<std::int32_t>(height);
    const auto* pixels = reinterpret_cast<const unsigned char*>(bytes.data()) + start;
    bool bottomUp = rawHeight > 0;
    for (std::int32_t y = 0; y < p.height; ++y) {
        std::uint64_t fileRow = bottomUp ? static_cast<std::uint64_t>(p.height - 1 - y) : static_cast<std::uint64_t>(y);
        ScanRow(pixels + fileRow * rowSize, width, y, p.rects);
    }
    return p;
}

ShapePicture ReadShapeFile(const std::wstring& path) {
    std::string bytes;
    if (!fs::ReadWholeFile(path, bytes)) return Refuse(ShapeStatus::CannotOpen);
    return ReadShapeBytes(bytes);
}

const wchar_t* ShapeStatusText(ShapeStatus status) {
    switch (status) {
        case ShapeStatus::Ok:
            return L"shape read";
        case ShapeStatus::CannotOpen:
            return L"the file cannot be read";
        case ShapeStatus::NotBitmap:
            return L"not a BMP file";
        case ShapeStatus::ShortHeader:
            return L"the BMP headers are incomplete";
        case ShapeStatus::Unsupported:
            return L"not a 24-bit uncompressed BMP of a usable size";
        case ShapeStatus::Truncated:
            return L"the pixel rows run past the end of the file";
    }
    return L"unknown";
}

}  // namespace zavo
