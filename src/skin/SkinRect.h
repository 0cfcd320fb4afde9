// A rectangle in client pixels, as the skin files and shape pictures give it.
// The four fields are signed 32-bit in the order left, top, right, bottom, the
// layout of the platform's RECT, so a block of them can be copied straight into
// the rectangle list of region data.
#pragma once
#include <cstdint>

namespace zavo {

struct SkinRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    bool operator==(const SkinRect& o) const {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
    bool operator!=(const SkinRect& o) const { return !(*this == o); }
};

static_assert(sizeof(SkinRect) == 16, "SkinRect must match the platform's RECT");

}  // namespace zavo
