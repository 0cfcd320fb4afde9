#include <gtest/gtest.h>

#include "platform/TextCodec.h"

using namespace zavo::text;

TEST(TextCodec, Utf16RoundTripsEveryPlane) {
    // ASCII, Latin-1, Japanese, and a character outside the basic plane.
    const std::wstring samples[] = {L"", L"Profile1", L"C:\\Spiele\\Grüße.exe", L"C:\\ゲーム\\起動.exe",
                                    std::wstring(L"x") + static_cast<wchar_t>(sizeof(wchar_t) == 2 ? 0xD83D : 0x1F3AE) +
                                        (sizeof(wchar_t) == 2 ? std::wstring(1, static_cast<wchar_t>(0xDFAE)) : L"")};
    for (const auto& s : samples) {
        EXPECT_EQ(FromUtf16LE(ToUtf16LE(s)), s);
        EXPECT_EQ(FromUtf8(ToUtf8(s)), s);
    }
    EXPECT_EQ(ToUtf16LE(L"A\u00e9"), std::string("A\0\xe9\0", 4));
}

TEST(TextCodec, BrokenInputBecomesReplacementNotGarbage) {
    EXPECT_EQ(FromUtf8("a\xff"
                       "b"),
              L"a\ufffdb");
    EXPECT_EQ(FromUtf8("\xe3\x81"), L"\ufffd\ufffd");      // truncated sequence
    EXPECT_EQ(FromUtf16LE(std::string("A\0B", 3)), L"A");  // odd trailing byte ignored
}

TEST(TextCodec, AnsiKeepsWhatTheCodePageCanHoldAndReportsTheRest) {
    std::string out;
    EXPECT_TRUE(ToAnsi(L"C:\\Program Files\\Caf\u00e9 \u20ac.exe", out));
    EXPECT_EQ(FromAnsi(out), L"C:\\Program Files\\Caf\u00e9 \u20ac.exe");
    EXPECT_FALSE(ToAnsi(L"C:\\ゲーム\\a.exe", out));
}
