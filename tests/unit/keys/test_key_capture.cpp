// The key a release names in the single-key dialog: left and right modifiers
// told apart by scan code and extended flag, whatever else the release carries.
#include <gtest/gtest.h>

#include "macro/KeyCapture.h"

using namespace zavo;

namespace {

// The parameter of a single release: repeat count 1, the scan code, the
// extended flag, the previous-state and transition bits.
std::uint32_t Release(std::uint32_t scan, bool extended) {
    return 1u | (scan << 16) | (extended ? 1u << 24 : 0u) | (3u << 30);
}

TEST(KeyCapture, ReleasesNameTheirKey) {
    const struct {
        const char* what;
        std::uint32_t vk;
        std::uint32_t lParam;
        std::uint8_t code;
    } rows[] = {
        {"left Shift", 16, Release(0x2A, false), KeyCodeOfRelease(160, 0)},
        {"right Shift", 16, Release(0x36, false), KeyCodeOfRelease(161, 0)},
        {"left Ctrl", 17, Release(0x1D, false), 0x88},
        {"right Ctrl", 17, Release(0x1D, true), 0x8E},
        {"left Alt", 18, Release(0x38, false), 0x7D},
        {"right Alt", 18, Release(0x38, true), KeyCodeOfRelease(165, 0)},
        {"Shift released while Alt is held (context bit 29)", 16, Release(0x2A, false) | 1u << 29,
         KeyCodeOfRelease(160, 0)},
        {"right Ctrl with a repeat count", 17, (Release(0x1D, true) & ~0xFFFFu) | 5u, 0x8E},
        {"Shift with an unknown scan code", 16, Release(0x55, false), 0x00},
        {"Enter", 13, Release(0x1C, false), 0x56},
        {"Esc", 27, Release(0x01, false), 0x15},
        {"left Windows", 0x5B, Release(0x5B, true), 0x9C},
        {"application (Menu) key: the keyboard's App key", 0x5D, Release(0x5D, true), 0x9A},
    };
    for (const auto& r : rows) EXPECT_EQ(KeyCodeOfRelease(r.vk, r.lParam), r.code) << r.what;
    EXPECT_NE(KeyCodeOfRelease(160, 0), 0);  // the table knows both Shifts
    EXPECT_NE(KeyCodeOfRelease(161, 0), KeyCodeOfRelease(160, 0));
}

TEST(KeyCapture, OnlyRealKeysAreCaptured) {
    for (std::uint8_t none : {0x00, 0xFF, 0xCC}) EXPECT_FALSE(IsCapturedKey(none)) << int(none);
    for (std::uint8_t key : {0x14, 0x56, 0x8E}) EXPECT_TRUE(IsCapturedKey(key)) << int(key);
}

}  // namespace
