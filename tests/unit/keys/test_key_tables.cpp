#include <gtest/gtest.h>

#include <set>

#include "macro/KeyTables.h"

using namespace zavo;

namespace {

struct VkCase {
    std::int32_t vk;
    std::uint8_t code;
    const char* what;
};

TEST(KeyTables, VirtualKeyToKeyCode) {
    const VkCase cases[] = {
        {0x41, 0x14, "A"},
        {0xA2, 0x88, "left Ctrl"},
        {0xA3, 0x8E, "right Ctrl"},
        {0x5D, 0x00, "application key: no entry holds it"},
        {0x00, 0x17, "vk 0: the first of the entries without a virtual-key code"},
        {0x3E8, 0xA7, "substitute value 1000"},
        {0xFB, 0xA0, "substitute value 0xFB"},
        {0x1A, 0xA1, "substitute value 0x1A"},
        {0x1B, 0x15, "Esc"},
        {0xC0, 0x10, "first entry"},
        {0x3D, 0x90, "entry 131, out of code order"},
        {0x0D, 0x56, "Enter"},
        {0xFFFF, 0x00, "unknown"},
        {-1, 0x00, "negative"},
    };
    for (const VkCase& c : cases) EXPECT_EQ(VkToKeyCode(c.vk), c.code) << c.what;
}

TEST(KeyTables, EveryCodeIsFoundFromItsOwnVirtualKey) {
    std::set<std::uint8_t> codes;
    int withoutVk = 0;
    for (const KeyCodeEntry& e : KeyCodeTable) {
        codes.insert(e.code);
        if (e.vk == 0) {
            ++withoutVk;
            continue;
        }
        EXPECT_EQ(VkToKeyCode(e.vk), e.code) << "vk " << e.vk;
    }
    EXPECT_EQ(codes.size(), KeyCodeTable.size()) << "key codes are unique";
    EXPECT_EQ(withoutVk, 26);
}

TEST(KeyTables, KeyIndexToKeyCode) {
    const std::pair<int, std::uint8_t> cases[] = {
        {0, 0x15},                              // Esc
        {70, 0x56},                             // Enter
        {114, 0xA7},                            // through the value 1000
        {92, 0x17},                             // virtual-key 0: the first entry without one
        {97, 0x00},                             // application key 0x5D: not in the table
        {115, 0x00},                            // indexes 115..158 have no entry
        {120, 0x00}, {158, 0x00}, {159, 0x00},  // outside the keyboard
        {-1, 0x00},
    };
    for (auto [index, code] : cases) EXPECT_EQ(KeyIndexToKeyCode(index), code) << "index " << index;
}

}  // namespace
