// Which key a key release of the platform names: the single-key dialog takes the
// key the user released as the new target of a remap.
#pragma once
#include <cstdint>

namespace zavo {

// The virtual-key code a release of `vk` with message parameter `lParam` stands
// for. Shift, Ctrl and Alt are told apart into left and right by the scan code
// (bits 16-23) and the extended-key flag (bit 24) alone, so a release with a
// repeat count or with another modifier held still names its key:
//   Shift  scan 0x2A -> 160 (left), scan 0x36 -> 161 (right)
//   Ctrl   scan 0x1D -> 162 (left), 163 with the extended flag (right)
//   Alt    scan 0x38 -> 164 (left), 165 with the extended flag (right)
// A modifier with another scan code, and every other key, keeps its code.
std::int32_t ReleasedVirtualKey(std::uint32_t vk, std::uint32_t lParam);

// The keyboard's key code of that release (0 when the key table has none). The
// Menu (application) key, which the table lacks, is the keyboard's App key 0x9A.
std::uint8_t KeyCodeOfRelease(std::uint32_t vk, std::uint32_t lParam);

// Whether a key code captured by the dialog names a key at all: 0 (no key),
// 0xFF (none) and 0xCC (not set) do not, and accepting them would leave the
// edited key dead.
bool IsCapturedKey(std::uint8_t code);

}  // namespace zavo
