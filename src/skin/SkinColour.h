// A colour of a skin description file: "red,green,blue", each 0..255
// (spaces allowed around the numbers).
#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace zavo {

// The colour as the platform packs it (0x00BBGGRR); nothing for a text that is
// not three numbers in range.
std::optional<std::uint32_t> ParseSkinColour(const std::wstring& text);

}  // namespace zavo
