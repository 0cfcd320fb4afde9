#include <gtest/gtest.h>

#include "macro/KeyNames.h"

using namespace zavo;

namespace {

struct NameCase {
    std::uint8_t code;
    const wchar_t* standard;
    const wchar_t* japanese;
    const wchar_t* macroEditor;
};

TEST(KeyNames, ThreeVariants) {
    const NameCase cases[] = {
        {0x00, L"", L"", L""},
        {0x14, L"A", L"A", L"A"},
        {0x10, L"~", L"~", L"~"},
        {0x1F, L"", L"", L""},  // unnamed codes inside the range
        {0x80, L"", L"", L""},
        {0xC5, L"", L"", L""},
        {0x38, L"=", L"^", L"="},
        {0x3B, L"]", L"[", L"]"},
        {0x4B, L"[", L"@", L"["},
        {0x4D, L"'", L":", L"'"},
        {0x54, L"\\", L"]", L"\\"},
        {0xA3, L"", L"\u53D8\u5316", L""},
        {0xA4, L"", L"\\", L""},
        {0xA5, L"", L"Katakana(Dos/v)", L""},
        {0xA6, L"", L"\u7121\u53D8\u5316", L""},
        {0xA7, L"", L"\\", L""},
        {0x87, L"Profile", L"Profile", L"\\"},
        {0x9D, L"DPad SE", L"DPad SE", L"\u7121\u53D8\u5316"},
        {0x9E, L"DPad SW", L"DPad SW", L"\\"},
        {0x4E, L"$/}(102W)", L"$/}(102W)", L"$/}(102W)"},
        {0xD2, L"Middle Button", L"Middle Button", L"Middle Button"},
        {0xEE, L"", L"", L""},  // command marker, device codes, delay marker
        {0xFA, L"", L"", L""},
        {0xFF, L"", L"", L""},
    };
    for (const NameCase& c : cases) {
        EXPECT_EQ(KeyName(c.code), c.standard) << "code " << int(c.code);
        EXPECT_EQ(KeyNameJP(c.code), c.japanese) << "code " << int(c.code);
        EXPECT_EQ(MacroKeyName(c.code), c.macroEditor) << "code " << int(c.code);
    }
}

TEST(KeyNames, StandardNamesLieInTheKeyRange) {
    int named = 0;
    for (int code = 0; code < 256; ++code) {
        if (KeyName(static_cast<std::uint8_t>(code)).empty()) continue;
        ++named;
        EXPECT_GE(code, 0x10);
        EXPECT_LE(code, 0xD2);
    }
    EXPECT_EQ(named, 125);
}

TEST(KeyNames, LayoutChoosesTheVariant) {
    EXPECT_EQ(KeyNameForLayout(0x38, L"JP"), L"^");
    EXPECT_EQ(KeyNameForLayout(0x38, L"EN"), L"=");
    EXPECT_EQ(KeyNameForLayout(0x38, L"jp"), L"=");
}

}  // namespace
