// The keyboard's own 8-bit key codes and the tables that connect them with the
// platform's virtual-key codes and with the on-screen keyboard's key indexes.
// Constant data; no platform headers.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>

namespace zavo {

// Key codes that are not keys.
constexpr std::uint8_t KEYCODE_NONE = 0x00;     // no key; empty name
constexpr std::uint8_t KEYCODE_COMMAND = 0xEE;  // marks a command event in a macro file
constexpr std::uint8_t KEYCODE_DELAY = 0xFF;    // marks a delay event

// One entry of KeyCodeTable: the key code a virtual-key code stands for. A few
// virtual-key values are substitutes for keys the platform has no code for
// (0x1A, 0x1E, 0x3A, 0x3C, 0x3D, 0x3E, 0xFB and 1000); they match like any other.
struct KeyCodeEntry {
    std::uint8_t code;
    std::int32_t vk;
};

constexpr int KEY_CODE_TABLE_SIZE = 140;
constexpr int KEY_INDEX_VK_TABLE_SIZE = 115;
constexpr int KEY_INDEX_COUNT = 159;  // standard key indexes 0..158

// Searched in order: the first entry whose vk matches wins.
extern const std::array<KeyCodeEntry, KEY_CODE_TABLE_SIZE> KeyCodeTable;
// Virtual-key code of each on-screen standard key, by key index 0..114.
extern const std::array<std::int32_t, KEY_INDEX_VK_TABLE_SIZE> KeyIndexVkTable;

// Key code of the first KeyCodeTable entry holding vk; 0 when none does.
std::uint8_t VkToKeyCode(std::int32_t vk);
// VkToKeyCode of the key's KeyIndexVkTable entry; 0 for indexes without one
// (115..158) and for indexes outside 0..158.
std::uint8_t KeyIndexToKeyCode(int keyIndex);

}  // namespace zavo
