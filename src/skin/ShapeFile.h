// The shape picture of a region button: a 24-bit uncompressed BMP file in which
// every pixel of the key colour (red 255, green 0, blue 200) lies outside the
// shape. The reader turns each row's longest runs of other pixels into
// one-pixel-high rectangles (x0, y, x1, y + 1) in top-down client coordinates;
// a run that reaches the row's end ends at the width.
//
// What is read: "BM" at offset 0; the information header at offset 14 (its size,
// width, height, bit count and compression); the pixel rows, 3 bytes per pixel
// (blue, green, red), each row padded with zeros to a multiple of 4 bytes, the
// first row in the file being the bottom row. The rows start at the file header's
// data offset when that lies at or after the end of the two headers (54) and
// within the file, otherwise right after the headers. A negative height marks a
// picture stored top row first.
//
// Files that cannot serve as a shape are refused with a reason, without reading
// past the end of the data: shorter than their headers, not "BM", an information
// header shorter than 40 bytes, not 24 bits per pixel, compressed, a width of 0
// or less or a height of 0, or pixel rows that would run past the end of the file.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "skin/SkinRect.h"

namespace zavo {

constexpr std::uint8_t SHAPE_KEY_RED = 255;
constexpr std::uint8_t SHAPE_KEY_GREEN = 0;
constexpr std::uint8_t SHAPE_KEY_BLUE = 200;

enum class ShapeStatus {
    Ok,
    CannotOpen,   // the file could not be read
    NotBitmap,    // shorter than the 14-byte file header, or not "BM"
    ShortHeader,  // the 40-byte information header is incomplete
    Unsupported,  // header size, bit count, compression or size not usable
    Truncated,    // the pixel rows would run past the end of the file
};

struct ShapePicture {
    ShapeStatus status = ShapeStatus::CannotOpen;
    std::int32_t width = 0;   // pixels; 0 unless status is Ok
    std::int32_t height = 0;  // pixels, always positive when status is Ok
    std::vector<SkinRect> rects;
    bool ok() const { return status == ShapeStatus::Ok; }
};

// Reads a shape from the bytes of a file.
ShapePicture ReadShapeBytes(std::string_view bytes);
// Reads the whole file at `path` and then the shape from its bytes.
ShapePicture ReadShapeFile(const std::wstring& path);

// A short English description of a status, for diagnostic output.
const wchar_t* ShapeStatusText(ShapeStatus status);

}  // namespace zavo
