// Skin faces come from the skin folder, which anyone may edit: any bytes must
// give a refusal, or a layout whose rows all lie inside the bytes and whose
// pixels copy without reading or writing out of bounds.
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "skin/BmpFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const zavo::BmpLayout layout = zavo::ReadBmpLayout(bytes, zavo::BmpBits::Bits24Or32);
    if (!layout.ok()) {
        if (layout.width != 0 || layout.height != 0) std::abort();
        return 0;
    }
    if (layout.width <= 0 || layout.height <= 0) std::abort();
    if (layout.pixelStart + layout.rowSize * static_cast<std::uint64_t>(layout.height) > size) std::abort();
    // Copy only pictures of a size a fuzzing run can hold (the rows are bounded
    // by the input's size anyway).
    const std::uint64_t pixels = static_cast<std::uint64_t>(layout.width) * static_cast<std::uint64_t>(layout.height);
    if (pixels > (1u << 22)) return 0;
    std::vector<unsigned char> target(static_cast<size_t>(pixels) * 4);
    zavo::CopyBmpPixels(bytes, layout, target.data(), static_cast<std::ptrdiff_t>(layout.width) * 4);
    return 0;
}
