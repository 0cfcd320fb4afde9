// Shape pictures come from the skin folder, which anyone may edit: any bytes
// must give a refusal or a shape that lies inside the picture.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "skin/ShapeFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    zavo::ShapePicture p = zavo::ReadShapeBytes(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!p.ok()) {
        if (!p.rects.empty() || p.width != 0 || p.height != 0) std::abort();
        return 0;
    }
    if (p.width <= 0 || p.height <= 0) std::abort();
    for (const zavo::SkinRect& r : p.rects) {
        if (r.left < 0 || r.left >= r.right || r.right > p.width) std::abort();
        if (r.top < 0 || r.bottom != r.top + 1 || r.bottom > p.height) std::abort();
    }
    return 0;
}
