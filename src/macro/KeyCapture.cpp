#include "macro/KeyCapture.h"

#include "macro/KeyTables.h"

namespace zavo {

namespace {
constexpr std::uint32_t VK_SHIFT_ = 16, VK_CONTROL_ = 17, VK_MENU_ = 18, VK_APPS_ = 0x5D;
// The keyboard's App key (named "App"): the key the Menu key of a PC keyboard is.
constexpr std::uint8_t KEYCODE_APP = 0x9A;
}  // namespace

std::int32_t ReleasedVirtualKey(std::uint32_t vk, std::uint32_t lParam) {
    const std::uint32_t scan = (lParam >> 16) & 0xFF;
    const bool extended = (lParam >> 24) & 1;
    switch (vk) {
        case VK_SHIFT_:
            if (scan == 0x2A) return 160;
            if (scan == 0x36) return 161;
            break;
        case VK_CONTROL_:
            if (scan == 0x1D) return extended ? 163 : 162;
            break;
        case VK_MENU_:
            if (scan == 0x38) return extended ? 165 : 164;
            break;
        default:
            break;
    }
    return static_cast<std::int32_t>(vk);
}

std::uint8_t KeyCodeOfRelease(std::uint32_t vk, std::uint32_t lParam) {
    // The key table has no entry for the Menu key; without this it would name
    // no key, and a user pressing it would get an empty box.
    if (vk == VK_APPS_) return KEYCODE_APP;
    return VkToKeyCode(ReleasedVirtualKey(vk, lParam));
}

bool IsCapturedKey(std::uint8_t code) { return code != 0x00 && code != 0xFF && code != 0xCC; }

}  // namespace zavo
