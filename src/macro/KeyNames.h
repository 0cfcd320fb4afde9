// Display names of key codes in the three variants the windows use: standard
// (main window), Japanese (single-key dialog with the "JP" layout) and the macro
// editor's. A code without a name, or outside 0x10..0xD2, has the empty name.
#pragma once
#include <cstdint>
#include <string>

namespace zavo {

const std::wstring& KeyName(std::uint8_t code);
const std::wstring& KeyNameJP(std::uint8_t code);
const std::wstring& MacroKeyName(std::uint8_t code);

// KeyNameJP for the layout code "JP", KeyName otherwise.
const std::wstring& KeyNameForLayout(std::uint8_t code, const std::wstring& layoutCode);

}  // namespace zavo
