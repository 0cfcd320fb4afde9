#include "skin/SkinColour.h"

namespace zavo {

std::optional<std::uint32_t> ParseSkinColour(const std::wstring& text) {
    std::uint32_t parts[3];
    size_t at = 0;
    for (int i = 0; i < 3; ++i) {
        while (at < text.size() && text[at] == L' ') ++at;
        size_t digits = 0;
        std::uint32_t value = 0;
        while (at < text.size() && text[at] >= L'0' && text[at] <= L'9' && digits < 4) {
            value = value * 10 + static_cast<std::uint32_t>(text[at] - L'0');
            ++at;
            ++digits;
        }
        if (digits == 0 || value > 255) return std::nullopt;
        while (at < text.size() && text[at] == L' ') ++at;
        if (i < 2) {
            if (at >= text.size() || text[at] != L',') return std::nullopt;
            ++at;
        }
        parts[i] = value;
    }
    if (at != text.size()) return std::nullopt;
    return parts[0] | (parts[1] << 8) | (parts[2] << 16);
}

}  // namespace zavo
