// Button entries of "BUTTONINFO": the quirks existing skin files depend on.
#include <gtest/gtest.h>

#include <climits>

#include "skin/SkinEntry.h"

namespace zavo {
namespace {

struct EntryCase {
    const char* what;
    std::wstring value;
    std::wstring name;
    SkinRect rect;
    std::wstring text;
    bool latched;
};

const EntryCase kCases[] = {
    {"all seven fields", L"OK,10,20,30,40,Apply now,TRUE", L"OK", {10, 20, 40, 60}, L"Apply now", true},
    {"flag FALSE", L"OK,10,20,30,40,Tip,FALSE", L"OK", {10, 20, 40, 60}, L"Tip", false},
    {"six fields: text is the height", L"B,1,2,3,4,Tip", L"B", {1, 2, 4, 6}, L"4", false},
    {"five fields: text is the width", L"B,1,2,3,4", L"B", {1, 2, 4, 6}, L"3", false},
    {"TRUE inside the text latches", L"B,1,2,3,4,TRUEly,FALSE", L"B", {1, 2, 4, 6}, L"TRUEly", true},
    {"small letters do not latch", L"B,1,2,3,4,t,true", L"B", {1, 2, 4, 6}, L"t", false},
    {"TRUE in the name does not latch", L"TRUE,1,2,3,4,t,no", L"TRUE", {1, 2, 4, 6}, L"t", false},
    {"no comma: one number", L"42", L"", {42, 0, 42, 0}, L"", false},
    {"no comma: TRUE alone", L"TRUE", L"", {0, 0, 0, 0}, L"", true},
    {"empty value", L"", L"", {0, 0, 0, 0}, L"", false},
    {"name and comma only", L"Name,", L"Name", {0, 0, 0, 0}, L"", false},
    {"reading stops at a letter", L"B,10,x,5,5,t,TRUE", L"B", {10, 0, 10, 0}, L"t", true},
    {"reading stops at a space before a comma", L"B,5 ,6,7,8,t,F", L"B", {5, 0, 5, 0}, L"t", false},
    {"white space and signs before numbers", L"B, 5,+6,\t7,-8,t,F", L"B", {5, 6, 12, -2}, L"t", false},
    {"a lone sign is unreadable", L"B,3,-,7,8,t,F", L"B", {3, 0, 3, 0}, L"t", false},
    {"negative sizes are kept", L"B,100,50,-20,-10,t,FALSE", L"B", {100, 50, 80, 40}, L"t", false},
    {"number glued to a letter", L"B,12px,3,4,5,t,F", L"B", {12, 0, 12, 0}, L"t", false},
    {"empty text field", L"B,1,2,3,4,,TRUE", L"B", {1, 2, 4, 6}, L"", true},
    {"trailing commas", L"B,1,2,3,4,,", L"B", {1, 2, 4, 6}, L"", false},
    {"extra fields: text is the one before the last", L"B,1,2,3,4,a,b,c", L"B", {1, 2, 4, 6}, L"b", false},
    {"edge held at the 32-bit maximum", L"B,2147483647,0,10,0,t,F", L"B", {INT_MAX, 0, INT_MAX, 0}, L"t", false},
    {"number beyond 32 bits held",
     L"B,99999999999,-99999999999,0,0,t,F",
     L"B",
     {INT_MAX, INT_MIN, INT_MAX, INT_MIN},
     L"t",
     false},
    {"edge held at the 32-bit minimum", L"B,-2147483648,0,-5,0,t,F", L"B", {INT_MIN, 0, INT_MIN, 0}, L"t", false},
};

TEST(ParseButtonEntry, FieldRules) {
    for (const EntryCase& c : kCases) {
        SCOPED_TRACE(c.what);
        ButtonEntry e = ParseButtonEntry(c.value);
        EXPECT_EQ(e.name, c.name);
        EXPECT_EQ(e.rect.left, c.rect.left);
        EXPECT_EQ(e.rect.top, c.rect.top);
        EXPECT_EQ(e.rect.right, c.rect.right);
        EXPECT_EQ(e.rect.bottom, c.rect.bottom);
        EXPECT_EQ(e.text, c.text);
        EXPECT_EQ(e.latched, c.latched);
    }
}

TEST(ParseButtonEntry, LongNameAndTextAreCutAtTheirLimits) {
    std::wstring name(60, L'n');
    std::wstring text(150, L't');
    ButtonEntry e = ParseButtonEntry(name + L",1,2,3,4," + text + L",TRUE");
    EXPECT_EQ(e.name, std::wstring(BUTTON_NAME_MAX, L'n'));
    EXPECT_EQ(e.text, std::wstring(BUTTON_TEXT_MAX, L't'));
    EXPECT_TRUE(e.latched);
    EXPECT_EQ(e.rect, (SkinRect{1, 2, 4, 6}));
}

TEST(ParseButtonEntry, CutNeverSplitsASurrogatePair) {
    // 38 characters and then U+1F600: in UTF-16 a pair at characters 39 and 40,
    // natively one character that still fits.
    std::wstring name = std::wstring(38, L'n') + L"\U0001F600";
    std::wstring want = sizeof(wchar_t) == 2 ? std::wstring(38, L'n') : name;
    EXPECT_EQ(ParseButtonEntry(name + L",1,2,3,4,t,F").name, want);
}

}  // namespace
}  // namespace zavo
