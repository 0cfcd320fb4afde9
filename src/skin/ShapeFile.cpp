#include "skin/ShapeFile.h"

#include "platform/FileSystem.h"
#include "skin/BmpFile.h"

namespace zavo {
namespace {

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

ShapeStatus StatusOf(BmpStatus status) {
    switch (status) {
        case BmpStatus::Ok:
            return ShapeStatus::Ok;
        case BmpStatus::NotBitmap:
            return ShapeStatus::NotBitmap;
        case BmpStatus::ShortHeader:
            return ShapeStatus::ShortHeader;
        case BmpStatus::Unsupported:
            return ShapeStatus::Unsupported;
        case BmpStatus::Truncated:
            break;
    }
    return ShapeStatus::Truncated;
}

}  // namespace

ShapePicture ReadShapeBytes(std::string_view bytes) {
    const BmpLayout layout = ReadBmpLayout(bytes, BmpBits::Only24);
    ShapePicture p;
    p.status = StatusOf(layout.status);
    if (!layout.ok()) return p;
    p.width = layout.width;
    p.height = layout.height;
    for (std::int32_t y = 0; y < p.height; ++y) ScanRow(layout.Row(bytes, y), p.width, y, p.rects);
    return p;
}

ShapePicture ReadShapeFile(const std::wstring& path) {
    std::string bytes;
    if (!fs::ReadWholeFile(path, bytes)) return ShapePicture{};
    return ReadShapeBytes(bytes);
}

const wchar_t* ShapeStatusText(ShapeStatus status) {
    switch (status) {
        case ShapeStatus::Ok:
            return L"shape read";
        case ShapeStatus::CannotOpen:
            return L"the file cannot be read";
        case ShapeStatus::NotBitmap:
            return BmpStatusText(BmpStatus::NotBitmap);
        case ShapeStatus::ShortHeader:
            return BmpStatusText(BmpStatus::ShortHeader);
        case ShapeStatus::Unsupported:
            return L"not a 24-bit uncompressed BMP of a usable size";
        case ShapeStatus::Truncated:
            return BmpStatusText(BmpStatus::Truncated);
    }
    return L"unknown";
}

}  // namespace zavo
