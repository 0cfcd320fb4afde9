// The layout of an uncompressed BMP file of 24 or 32 bits per pixel, read from
// its bytes without trusting any of its header fields, and its pixels copied
// into a 32-bit surface. The skin faces are read this way (the platform's
// picture decoder stays for every other file), and so are the shape pictures of
// the region buttons.
//
// What is read: "BM" at offset 0; the information header at offset 14 (its size,
// width, height, bit count and compression); the pixel rows, 3 or 4 bytes per
// pixel (blue, green, red[, unused]), each row padded to a multiple of 4 bytes,
// the first row in the file being the bottom row unless the height is negative.
// The rows start at the file header's data offset when that lies at or after
// the end of the two headers (54) and within the file, otherwise right after
// the headers.
//
// Refused, without reading past the end of the data: files shorter than their
// headers, not "BM", an information header shorter than 40 bytes, a bit count
// not accepted, any compression, a width of 0 or less, a height of 0, and pixel
// rows that would run past the end of the file.
#pragma once
#include <cstdint>
#include <string_view>

namespace zavo {

enum class BmpStatus {
    Ok,
    NotBitmap,    // shorter than the 14-byte file header, or not "BM"
    ShortHeader,  // the 40-byte information header is incomplete
    Unsupported,  // header size, bit count, compression or size not usable
    Truncated,    // the pixel rows would run past the end of the file
};

struct BmpLayout {
    BmpStatus status = BmpStatus::NotBitmap;
    std::int32_t width = 0;   // pixels; 0 unless status is Ok
    std::int32_t height = 0;  // pixels, always positive when status is Ok
    int bitCount = 0;         // 24 or 32
    bool bottomUp = true;
    // The rows start where the file header says (not at the fallback after the
    // headers) and that place lies after the whole information header.
    bool offsetAsWritten = false;
    std::uint64_t rowSize = 0;     // bytes per row, padding included
    std::uint64_t pixelStart = 0;  // offset of the first row in the file
    bool ok() const { return status == BmpStatus::Ok; }
    // The bytes of row `y` counted from the top of the picture (status Ok, y in
    // 0 .. height - 1, `bytes` the ones the layout was read from).
    const unsigned char* Row(std::string_view bytes, std::int32_t y) const;
};

// Which bit counts a reader takes.
enum class BmpBits { Only24, Bits24Or32 };

BmpLayout ReadBmpLayout(std::string_view bytes, BmpBits accepted);

// A short English description of a refusal, for diagnostic output.
const wchar_t* BmpStatusText(BmpStatus status);

// Copies the pixels into `target`: width x height 32-bit pixels (blue, green,
// red, 0), top row first, rows `targetStride` bytes apart. The layout must be Ok
// and read from `bytes`.
void CopyBmpPixels(std::string_view bytes, const BmpLayout& layout, unsigned char* target, std::ptrdiff_t targetStride);

}  // namespace zavo
