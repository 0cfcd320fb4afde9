// The engine against the platform's private-profile functions (Wine's kernel32):
// the same reads and writes on copies of one file give the same values and the
// same bytes. Where the two differ by design, the test says so and checks the
// engine's own rule instead.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <vector>

#include "PlatformPair.h"
#include "config/Ini.h"

using namespace zavo;
using zavo::testing::PlatformPair;

namespace {

const std::vector<std::string> kHandFiles = {
    // spaces, tabs, letter case, quotes, a line without '=', comment
    "; written by hand\r\n  [Main]  \r\n  Key One  =  spaced value  \r\nAPPPath=C:\\a b\\c.exe\r\n"
    "quoted=\"in quotes\"\r\nsingle='x'\r\nhalf=\"open\r\nempty=\r\nnoequals\r\n\tTab\t=\t42\t\r\n"
    "num= -17 \r\nnumq=\"12\"\r\nbig=99999999999\r\nhex=0x1F\r\nlead=12abc\r\n"
    "hexup=0X1F\r\nbin=0b101\r\noct=0o17\r\nneghex=-0x10\r\nplus=+8\r\n",
    // duplicate sections and keys; the key only in the second copy of a section
    "[Dup]\r\nk=first\r\nk=second\r\n[Other]\r\nx=1\r\n[dup]\r\nk=third\r\nonlyhere=2\r\n",
    // blank lines, LF-only lines, last line without a line end
    "\r\n\r\n[Main]\r\n\r\na=1\n\nb=2\r\n\r\n[Last]\r\nend=no line end",
    // key lines before any section, an empty section name, odd headers
    "pre=before\r\n[]\r\nnameless=1\r\n[Main] trailing\r\nafter=3\r\n[a]b]\r\nc=4\r\n[ spaced ]\r\nd=5\r\n",
};

const std::array<const wchar_t*, 9> kSections = {L"Main", L"MAIN", L" main ", L"Dup",   L"Other",
                                                 L"Last", L"a]b",  L"Nope",   L"spaced"};
const std::array<const wchar_t*, 29> kKeys = {
    L"hexup",    L"bin",   L"oct",      L"neghex", L"plus", L"key one", L"KEY ONE", L"APPPATH", L"quoted", L"single",
    L"half",     L"empty", L"noequals", L"tab",    L"num",  L"numq",    L"big",     L"hex",     L"lead",   L"k",
    L"onlyhere", L"x",     L"a",        L"b",      L"end",  L"pre",     L"after",   L"c",       L"missing"};

// The same text with every line ended by a CR alone.
std::string CrOnly(std::string text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        out += text[i] == '\n' ? '\r' : text[i];
    }
    return out;
}

// The hand-edited files, as they are and with CR line ends.
std::vector<std::string> HandFilesWithEveryLineEnd() {
    std::vector<std::string> all = kHandFiles;
    for (const auto& text : kHandFiles) all.push_back(CrOnly(text));
    return all;
}

TEST(IniVsPlatform, HandEditedFilesReadTheSame) {
    for (const auto& text : HandFilesWithEveryLineEnd()) {
        PlatformPair p;
        p.Start(text);
        for (const wchar_t* s : kSections) {
            for (const wchar_t* k : kKeys) {
                p.ExpectSameString(s, k);
                p.ExpectSameString(s, k, L"");
                p.ExpectSameInt(s, k);
            }
        }
    }
}

TEST(IniVsPlatform, Utf16FileWithByteOrderMarkReadsAndWritesTheSame) {
    PlatformPair p;
    p.Start(std::string("\xFF\xFE", 2) +
            text::ToUtf16LE(L"[Main]\r\npath=C:\\\u30b2\u30fc\u30e0\\a.exe\r\nn=5\r\n[Next]\r\nx=1\r\n"));
    p.ExpectSameString(L"Main", L"path");
    p.ExpectSameInt(L"main", L"N");
    p.WriteString(L"Main", L"path", L"D:\\\u8d77\u52d5.exe");
    p.WriteString(L"Main", L"added", L"\u00e9t\u00e9");
    p.WriteString(L"New", L"k", L"v");
    p.ExpectSameBytes();
    p.ExpectSameString(L"Main", L"path");
}

TEST(IniVsPlatform, WritesToCanonicalFilesGiveTheSameBytes) {
    const uint8_t data[5] = {0x00, 0x7F, 0x80, 0xFF, 0x10};
    PlatformPair p;
    // a new file
    p.WriteString(L"A", L"k", L"v");
    p.WriteString(L"B", L"Int", L"-1");
    p.WriteString(L"a", L"K", L"replaced");
    p.WriteString(L"A", L"second", L"2");
    p.WriteString(L"B", L"int", L"-1");
    p.WriteStruct(L"S", L"data", data, sizeof data);
    p.WriteString(L"A", L"spaces", L"  lead and trail  ");
    p.WriteString(L"A", L"empty", L"");
    p.WriteString(L"A", L"path", L"C:\\Program Files\\caf\u00e9\\x.exe");
    p.ExpectSameBytes();
    uint8_t a[5] = {}, b[5] = {};
    EXPECT_TRUE(Settings().IniReadStruct(p.engine, L"S", L"data", a, 5));
    EXPECT_TRUE(PlatformIni().IniReadStruct(p.platform, L"S", L"data", b, 5));
    EXPECT_EQ(0, std::memcmp(a, b, 5));
    p.ExpectSameString(L"A", L"spaces");
    p.ExpectSameString(L"A", L"path");
}

TEST(IniVsPlatform, WritesAfterALastLineWithoutLineEnd) {
    PlatformPair p;
    p.Start("[A]\r\nk=1\r\n[B]\r\nlast=2");
    p.WriteString(L"B", L"new", L"3");
    p.ExpectSameBytes();
    p.Start("[A]\r\nk=1\r\n[B]\r\nlast=2");
    p.WriteString(L"C", L"new", L"3");
    p.ExpectSameBytes();
    // Writing elsewhere, the platform rewrites every line with CR LF; the engine
    // leaves the last line as it was. Both read the same.
    p.Start("[A]\r\nk=1\r\n[B]\r\nlast=2");
    p.WriteString(L"A", L"j", L"3");
    EXPECT_EQ(zavo::testing::Bytes(p.engine), "[A]\r\nk=1\r\nj=3\r\n[B]\r\nlast=2");
    p.ExpectSameString(L"B", L"last");
}

// Where the platform rewrites lines it did not change (it trims every line and
// folds runs of blank lines into one), the engine keeps them as they were: the
// values read stay the same either way.
TEST(IniVsPlatform, WritesToHandEditedFilesKeepTheSameValues) {
    for (const auto& text : HandFilesWithEveryLineEnd()) {
        PlatformPair p;
        p.Start(text);
        p.WriteString(L"Main", L"key one", L"new value");
        p.WriteString(L"MAIN", L"num", L"5");
        p.WriteString(L"Dup", L"k", L"changed");
        p.WriteString(L"Dup", L"onlyhere", L"now in the first");
        p.WriteString(L"Last", L"added", L"x");
        p.WriteString(L"Fresh", L"k", L"y");
        for (const wchar_t* s : kSections)
            for (const wchar_t* k : kKeys) p.ExpectSameString(s, k);
        p.ExpectSameString(L"Fresh", L"k");
    }
}

// A CR alone inside a file of LF line ends: the engine ends the line there, as
// Windows does; Wine ends a line at a CR only after the file's last LF. Once the
// engine has written the file, that CR is a CR LF and both read the same.
TEST(IniVsPlatform, StrayCrIsALineEndOnceWritten) {
    PlatformPair p;
    p.Start("[CONFIG]\r\nMode=1\r[LIGHTOPTION]\r\nLIGHTSTYLE=3\r\n");
    EXPECT_EQ(Settings().IniReadInt(p.engine, L"LIGHTOPTION", L"LIGHTSTYLE", -1), 3);
    ASSERT_TRUE(Settings().IniWriteInt(p.engine, L"CONFIG", L"Mode", 0));
    for (const wchar_t* k : {L"Mode", L"LIGHTSTYLE"})
        for (const wchar_t* s : {L"CONFIG", L"LIGHTOPTION"})
            EXPECT_EQ(Settings().IniReadString(p.engine, s, k, L"-"), PlatformIni().IniReadString(p.engine, s, k, L"-"));
    EXPECT_EQ(PlatformIni().IniReadInt(p.engine, L"LIGHTOPTION", L"LIGHTSTYLE", -1), 3);
}

TEST(IniVsPlatform, StructValidity) {
    struct C {
        const char* value;
        bool platformAgrees;
    };
    // "01FF1010" holds 01 FF 10 with checksum 10.
    const C cases[] = {
        {"01FF1010", true}, {"01ff1010", true}, {"01FF1011", true},   {"01FF101", true},      {"01FF10100", false},
        {"01FG1010", true}, {"", true},         {" 01FF1010 ", true}, {"\"01FF1010\"", true},
    };
    for (const auto& c : cases) {
        PlatformPair p;
        p.Start(std::string("[S]\r\nk=") + c.value + "\r\n");
        uint8_t a[3] = {}, b[3] = {};
        bool engine = Settings().IniReadStruct(p.engine, L"S", L"k", a, 3);
        bool platform = PlatformIni().IniReadStruct(p.platform, L"S", L"k", b, 3);
        if (c.platformAgrees) {
            EXPECT_EQ(engine, platform) << c.value;
        } else {
            // Wine accepts one digit too many (it checks (length - 2) / 2 == n);
            // the value must be exactly 2n + 2 digits, so the engine refuses it.
            EXPECT_FALSE(engine) << c.value;
        }
        if (engine && platform) {
            EXPECT_EQ(0, std::memcmp(a, b, 3)) << c.value;
        }
    }
}

TEST(IniVsPlatform, LongValuesAreCutAlike) {
    PlatformPair p;
    p.WriteString(L"S", L"long", std::wstring(3000, L'x'));
    p.WriteString(L"S", L"quoted", L"\"" + std::wstring(2100, L'y') + L"\"");
    p.ExpectSameBytes();
    p.ExpectSameString(L"S", L"long");
    p.ExpectSameString(L"S", L"missing", std::wstring(3000, L'd'));
    p.ExpectSameString(L"S", L"missing", L"trailing   ");
}

TEST(IniVsPlatform, WriteIntoMissingFolderFailsAlike) {
    PlatformPair p;
    const std::wstring a = p.dir.path() + L"none\\a.ini", b = p.dir.path() + L"none\\b.ini";
    EXPECT_FALSE(Settings().IniWriteString(a, L"S", L"k", L"v"));
    EXPECT_FALSE(PlatformIni().IniWriteString(b, L"S", L"k", L"v"));
    EXPECT_FALSE(fs::DirectoryExists(p.dir.path() + L"none"));
}

}  // namespace
