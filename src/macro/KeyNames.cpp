#include "macro/KeyNames.h"

#include <array>

namespace zavo {
namespace {

struct NamedCode {
    std::uint8_t code;
    const wchar_t* name;
};

// Standard names; every code not listed has the empty name.
constexpr NamedCode kStandardNames[] = {
    {0x10, L"~"},
    {0x11, L"1"},
    {0x12, L"Q"},
    {0x13, L"TAB"},
    {0x14, L"A"},
    {0x15, L"ESC"},
    {0x16, L"Z"},
    {0x17, L"(MuHenkan)"},
    {0x18, L"F1"},
    {0x19, L"2"},
    {0x1A, L"W"},
    {0x1B, L"Caps Lock"},
    {0x1C, L"S"},
    {0x1D, L"Pause"},
    {0x1E, L"X"},
    {0x20, L"F2"},
    {0x21, L"3"},
    {0x22, L"E"},
    {0x23, L"F3"},
    {0x24, L"D"},
    {0x25, L"F4"},
    {0x26, L"C"},
    {0x27, L"Hanguel(Korean)"},
    {0x28, L"5"},
    {0x29, L"4"},
    {0x2A, L"R"},
    {0x2B, L"T"},
    {0x2C, L"F"},
    {0x2D, L"G"},
    {0x2E, L"V"},
    {0x2F, L"B"},
    {0x30, L"6"},
    {0x31, L"7"},
    {0x32, L"U"},
    {0x33, L"Y"},
    {0x34, L"J"},
    {0x35, L"H"},
    {0x36, L"M"},
    {0x37, L"N"},
    {0x38, L"="},
    {0x39, L"8"},
    {0x3A, L"I"},
    {0x3B, L"]"},
    {0x3C, L"K"},
    {0x3D, L"F6"},
    {0x3E, L","},
    {0x3F, L"`(Dos/v)"},
    {0x40, L"F8"},
    {0x41, L"9"},
    {0x42, L"O"},
    {0x43, L"F7"},
    {0x44, L"L"},
    {0x45, L"Henkan(Dos/v)"},
    {0x46, L"."},
    {0x47, L"Katakana(Dos/v)"},
    {0x48, L"-"},
    {0x49, L"0"},
    {0x4A, L"P"},
    {0x4B, L"["},
    {0x4C, L";"},
    {0x4D, L"'"},
    {0x4E, L"$/}(102W)"},
    {0x4F, L"/"},
    {0x50, L"F9"},
    {0x51, L"F10"},
    {0x52, L"V-(Dos/v)"},
    {0x53, L"Backspace"},
    {0x54, L"\\"},
    {0x55, L"F5"},
    {0x56, L"Enter"},
    {0x57, L"Space Bar"},
    {0x58, L"Insert"},
    {0x59, L"F12"},
    {0x5A, L"(8)"},
    {0x5B, L"(5)"},
    {0x5C, L"(2)"},
    {0x5D, L"(0)"},
    {0x5E, L"(/)"},
    {0x5F, L"Right"},
    {0x60, L"Delete"},
    {0x61, L"F11"},
    {0x62, L"(7)"},
    {0x63, L"(4)"},
    {0x64, L"(1)"},
    {0x65, L"NA"},
    {0x66, L"Num Lock"},
    {0x67, L"Down"},
    {0x68, L"Pageup"},
    {0x69, L"Pagedown"},
    {0x6A, L"(9)"},
    {0x6B, L"(6)"},
    {0x6C, L"(3)"},
    {0x6D, L"(.)"},
    {0x6E, L"(*)"},
    {0x6F, L"(-)"},
    {0x70, L"Home"},
    {0x71, L"End"},
    {0x72, L"(+)"},
    {0x73, L"NA"},
    {0x74, L"(Enter)"},
    {0x75, L"Up"},
    {0x76, L"Pause/Break"},
    {0x77, L"Left"},
    {0x78, L"NA"},
    {0x79, L"Scroll Lock"},
    {0x7A, L"PrtScr"},
    {0x7B, L"NA"},
    {0x7C, L"NA"},
    {0x7D, L"L Alt"},
    {0x7F, L"R Alt"},
    {0x83, L"L Shift"},
    {0x86, L"R Shift"},
    {0x87, L"Profile"},
    {0x88, L"L Ctrl"},
    {0x8E, L"R Ctrl"},
    {0x8F, L"Mute"},
    {0x9A, L"App"},
    {0x9B, L"DPad NE"},
    {0x9C, L"Win"},
    {0x9D, L"DPad SE"},
    {0x9E, L"DPad SW"},
    {0x9F, L"DPad NW"},
    {0xD0, L"Left Button"},
    {0xD1, L"Right Button"},
    {0xD2, L"Middle Button"},
};

// Where the Japanese layout names a key differently (U+53D8 and U+7121 as the
// keyboard's own labels print them).
constexpr NamedCode kJapaneseNames[] = {
    {0x38, L"^"},
    {0x3B, L"["},
    {0x4B, L"@"},
    {0x4D, L":"},
    {0x54, L"]"},
    {0xA3, L"\u53D8\u5316"},
    {0xA4, L"\\"},
    {0xA5, L"Katakana(Dos/v)"},
    {0xA6, L"\u7121\u53D8\u5316"},
    {0xA7, L"\\"},
};

// Where the macro editor names a key differently.
constexpr NamedCode kMacroEditorNames[] = {
    {0x87, L"\\"},
    {0x9D, L"\u7121\u53D8\u5316"},
    {0x9E, L"\\"},
};

using NameTable = std::array<std::wstring, 256>;

// The standard names with the variant's own names laid over them.
template <size_t N>
NameTable BuildTable(const NamedCode (&overrides)[N]) {
    NameTable table;
    for (const NamedCode& e : kStandardNames) table[e.code] = e.name;
    for (size_t i = 0; i < N; ++i) table[overrides[i].code] = overrides[i].name;
    return table;
}

const NameTable& StandardTable() {
    static const NameTable table = [] {
        NameTable t;
        for (const NamedCode& e : kStandardNames) t[e.code] = e.name;
        return t;
    }();
    return table;
}

const NameTable& JapaneseTable() {
    static const NameTable table = BuildTable(kJapaneseNames);
    return table;
}

const NameTable& MacroEditorTable() {
    static const NameTable table = BuildTable(kMacroEditorNames);
    return table;
}

}  // namespace

const std::wstring& KeyName(std::uint8_t code) { return StandardTable()[code]; }
const std::wstring& KeyNameJP(std::uint8_t code) { return JapaneseTable()[code]; }
const std::wstring& MacroKeyName(std::uint8_t code) { return MacroEditorTable()[code]; }

const std::wstring& KeyNameForLayout(std::uint8_t code, const std::wstring& layoutCode) {
    return layoutCode == L"JP" ? KeyNameJP(code) : KeyName(code);
}

}  // namespace zavo
