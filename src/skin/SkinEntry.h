// One button entry of a skin description file's "BUTTONINFO" section:
//
//     name , x , y , width , height , text , flag
//
// The value is read the way the skins have always been read, so existing skin
// files keep their meaning, including the odd cases:
// - `name` is everything before the first comma; without a comma it is empty and
//   the whole value is the rest.
// - The rest is read as "%d,%d,%d,%d" into x, y, width and height: each number may
//   have leading white space and a sign, a comma must follow it directly, and the
//   reading stops at the first number that cannot be read (the others stay 0).
//   Numbers beyond the 32-bit range and edges beyond it (x + width) are held at
//   the nearest 32-bit value instead of wrapping around. Negative sizes are kept,
//   so right or bottom may lie before left or top.
// - `text` is the rest cut before its last comma, then the part after the last
//   comma of that (so a value without the flag field gives the height as text).
// - `latched` is true when the rest contains "TRUE" anywhere (case-sensitive).
// - `name` keeps at most 39 and `text` at most 99 characters; longer ones are cut
//   there (never inside a surrogate pair).
#pragma once
#include <string>

#include "skin/SkinRect.h"

namespace zavo {

constexpr size_t BUTTON_NAME_MAX = 39;
constexpr size_t BUTTON_TEXT_MAX = 99;

struct ButtonEntry {
    std::wstring name;
    SkinRect rect;
    std::wstring text;
    bool latched = false;
};

ButtonEntry ParseButtonEntry(const std::wstring& value);

}  // namespace zavo
