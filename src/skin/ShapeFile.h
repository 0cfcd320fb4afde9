// The shape picture of a region button: a 24-bit uncompressed BMP file in which
// every pixel of the key colour (red 255, green 0, blue 200) lies outside the
// shape. The reader turns each row's longest runs of other pixels into
// one-pixel-high rectangles (x0, y, x1, y + 1) in top-down client coordinates;
// a run that reaches the row's end ends at the width.
//
// The file is read as BmpFile.h describes, with 24 bits per pixel only; files
// that cannot serve as a shape are refused with a reason.
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
