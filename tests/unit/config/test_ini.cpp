// The settings primitives: the file text rules, value encodings, exact bytes
// written, encodings, the kept parse and failure reporting.
#include <gtest/gtest.h>

#include <array>
#include <cctype>
#include <cstring>
#include <vector>

#include "ConfigFixtures.h"
#include "TempDir.h"
#include "config/Ini.h"
#include "platform/TextCodec.h"

using namespace zavo;
using zavo::testing::Bytes;
using zavo::testing::Put;

namespace {

class Ini : public ::testing::Test {
protected:
    TempDir dir;
    std::wstring file = dir.path() + L"t.ini";
};

struct ReadCase {
    const char* name;
    std::string text;
    const wchar_t* section;
    const wchar_t* key;
    const wchar_t* expected;
};

TEST_F(Ini, ReadsValuesByTheFileTextRules) {
    const std::string hand =
        "; settings\r\n"
        "  [Main]  \r\n"
        "  Key One  =  spaced value  \r\n"
        "APPPath=C:\\a b\\c.exe\r\n"
        "dup=first\r\n"
        "dup=second\r\n"
        "quoted=\"in quotes\"\r\n"
        "single='x'\r\n"
        "half=\"open\r\n"
        "noequals\r\n"
        "\r\n"
        "\tTabbed\t=\tv\t\r\n"
        "[main]\r\n"
        "later=only in the second section\r\n"
        "[Last]\n"
        "lf=only LF\n"
        "end=no line end";
    const std::array<ReadCase, 12> cases{{
        {"trimmed name and value", hand, L"main", L"key one", L"spaced value"},
        {"case-insensitive key", hand, L"MAIN", L"APPPATH", L"C:\\a b\\c.exe"},
        {"first key wins", hand, L"Main", L"dup", L"first"},
        {"double quotes dropped", hand, L"Main", L"quoted", L"in quotes"},
        {"single quotes dropped", hand, L"Main", L"single", L"x"},
        {"unmatched quote kept", hand, L"Main", L"half", L"\"open"},
        {"line without '=' has no value", hand, L"Main", L"noequals", L"DEF"},
        {"tabs trimmed", hand, L"Main", L"Tabbed", L"v"},
        {"only the first section counts", hand, L"Main", L"later", L"DEF"},
        {"LF line ends", hand, L"Last", L"lf", L"only LF"},
        {"last line without line end", hand, L"last", L"end", L"no line end"},
        {"missing section", hand, L"Nope", L"dup", L"DEF"},
    }};
    for (const auto& c : cases) {
        Put(file, c.text);
        EXPECT_EQ(Settings().IniReadString(file, c.section, c.key, L"DEF"), c.expected) << c.name;
    }
}

TEST_F(Ini, StringReadsAreCutAt2047Characters) {
    Settings().IniWriteString(file, L"S", L"long", std::wstring(3000, L'x'));
    EXPECT_EQ(Settings().IniReadString(file, L"S", L"long", L""), std::wstring(INI_MAX_VALUE, L'x'));
    EXPECT_EQ(Settings().IniReadString(file, L"S", L"missing", std::wstring(3000, L'd')).size(), INI_MAX_VALUE);
    EXPECT_EQ(Settings().IniReadString(dir.path() + L"none.ini", L"S", L"k", L"default  "), L"default");
}

TEST_F(Ini, IntegersReadAsThePlatformConvertsThem) {
    struct C {
        const char* value;
        std::int32_t expected;
    };
    const C cases[] = {{"-1", -1},
                       {"204", 204},
                       {"+7", 7},
                       {"  12abc", 12},
                       {"abc", 0},
                       {"4294967295", -1},
                       {"\"42\"", 42},
                       {"0x1F", 31},
                       {"-0x10", -16},
                       {"0b101", 5},
                       {"0X1F", 0},
                       {"", 99},
                       {"2147483648", INT32_MIN}};
    for (const auto& c : cases) {
        Put(file, std::string("[S]\r\nk=") + c.value + "\r\n");
        EXPECT_EQ(Settings().IniReadInt(file, L"S", L"k", 99), c.expected) << c.value;
    }
    EXPECT_EQ(Settings().IniReadInt(file, L"S", L"missing", -1), -1);
    Settings().IniWriteInt(file, L"S", L"byte", -1);
    EXPECT_EQ(static_cast<std::uint8_t>(Settings().IniReadInt(file, L"S", L"byte", 0)), 0xFF);
}

TEST_F(Ini, IntegersAreWrittenAsSignedDecimal) {
    struct C {
        std::int32_t value;
        const char* text;
    };
    const C cases[] = {{0, "0"},
                       {7, "7"},
                       {-1, "-1"},
                       {204, "204"},
                       {-10, "-10"},
                       {INT32_MAX, "2147483647"},
                       {INT32_MIN, "-2147483648"}};
    for (const auto& c : cases) {
        fs::RemoveFile(file);
        ASSERT_TRUE(Settings().IniWriteInt(file, L"S", L"k", c.value));
        EXPECT_EQ(Bytes(file), std::string("[S]\r\nk=") + c.text + "\r\n") << c.text;
        EXPECT_EQ(Settings().IniReadInt(file, L"S", L"k", 99), c.value) << c.text;
    }
}

TEST_F(Ini, StructsNeedExactLengthHexAndChecksum) {
    const std::uint8_t data[3] = {0x01, 0xFF, 0x10};
    ASSERT_TRUE(Settings().IniWriteStruct(file, L"S", L"k", data, 3));
    EXPECT_EQ(Bytes(file), "[S]\r\nk=01FF1010\r\n");
    struct C {
        const char* text;
        bool ok;
    };
    const C cases[] = {{"01FF1010", true},  {"01ff1010", true},  {"01FF101", false}, {"01FF10100", false},
                       {"01FF1011", false}, {"01FG1010", false}, {"", false},        {"\"01FF1010\"", false}};
    for (const auto& c : cases) {
        Put(file, std::string("[S]\r\nk=") + c.text + "\r\n");
        std::uint8_t got[3] = {7, 7, 7};
        EXPECT_EQ(Settings().IniReadStruct(file, L"S", L"k", got, 3), c.ok) << c.text;
        if (c.ok)
            EXPECT_EQ(0, std::memcmp(got, data, 3)) << c.text;
        else
            EXPECT_EQ(got[0] + got[1] + got[2], 21) << c.text << ": target changed";
    }
}

TEST_F(Ini, WritesThePlatformsText) {
    Settings().IniWriteString(file, L"A", L"one", L"1");
    Settings().IniWriteString(file, L"B", L"two", L"2");
    Settings().IniWriteString(file, L"A", L"three", L"3");  // appended at the end of section A
    Settings().IniWriteString(file, L"a", L"ONE", L"uno");  // replaced in place, name kept as written first
    Settings().IniWriteString(file, L"B", L"two", L"2");    // unchanged
    EXPECT_EQ(Bytes(file), "[A]\r\none=uno\r\nthree=3\r\n[B]\r\ntwo=2\r\n");
}

TEST_F(Ini, KeepsLinesItDoesNotChange) {
    Put(file, "; comment\r\n[A]\r\n  spaced  =  v  \r\n\r\n\r\nodd line\nlf=1\n[B]\r\nlast=x");
    Settings().IniWriteString(file, L"A", L"lf", L"2");
    Settings().IniWriteString(file, L"A", L"new", L"n");
    Settings().IniWriteString(file, L"B", L"more", L"m");
    Settings().IniWriteString(file, L"C", L"k", L"v");
    EXPECT_EQ(Bytes(file),
              "; comment\r\n[A]\r\n  spaced  =  v  \r\n\r\n\r\nodd line\nlf=2\r\nnew=n\r\n[B]\r\nlast=x\r\n"
              "more=m\r\n[C]\r\nk=v\r\n");
}

// CR LF, LF and a CR alone each end a line, in any mix, as the platform reads a
// file; a save into such a file keeps one copy of each section.
TEST_F(Ini, EveryLineEndSplitsLines) {
    struct Case {
        const char* name;
        std::string text;
    };
    const Case cases[] = {
        {"CR only", "[CONFIG]\rMode=1\r[LIGHTOPTION]\rLIGHTSTYLE=3\r"},
        {"CR only, no end", "[CONFIG]\rMode=1\r[LIGHTOPTION]\rLIGHTSTYLE=3"},
        {"stray CR in LF file", "[CONFIG]\nMode=1\r[LIGHTOPTION]\nLIGHTSTYLE=3\n"},
        {"stray CR in CR LF file", "[CONFIG]\r\nMode=1\r[LIGHTOPTION]\r\nLIGHTSTYLE=3\r\n"},
        {"CR before CR LF", "[CONFIG]\r\r\nMode=1\r\r\n[LIGHTOPTION]\r\r\nLIGHTSTYLE=3\r\r\n"},
        {"UTF-16 CR only",
         std::string("\xFF\xFE", 2) + text::ToUtf16LE(L"[CONFIG]\rMode=1\r[LIGHTOPTION]\rLIGHTSTYLE=3\r")},
    };
    for (const auto& c : cases) {
        Put(file, c.text);
        EXPECT_EQ(Settings().IniReadInt(file, L"CONFIG", L"Mode", -1), 1) << c.name;
        EXPECT_EQ(Settings().IniReadInt(file, L"LIGHTOPTION", L"LIGHTSTYLE", -1), 3) << c.name;
        ASSERT_TRUE(Settings().IniWriteInt(file, L"CONFIG", L"Mode", 0)) << c.name;
        ASSERT_TRUE(Settings().IniWriteInt(file, L"LIGHTOPTION", L"LIGHTMODE", 2)) << c.name;
        Settings().DropCache();
        const std::wstring text = Settings().IniReadString(file, L"CONFIG", L"Mode", L"") +
                                  Settings().IniReadString(file, L"LIGHTOPTION", L"LIGHTSTYLE", L"") +
                                  Settings().IniReadString(file, L"LIGHTOPTION", L"LIGHTMODE", L"");
        EXPECT_EQ(text, L"032") << c.name;
        const std::string bytes = Bytes(file);
        EXPECT_EQ(bytes.find("[CONFIG]"), bytes.rfind("[CONFIG]")) << c.name;
    }
    // A CR alone is written back as CR LF, so that readers that end lines only at
    // LF read the same; lines ended by LF stay so.
    Put(file, "[CONFIG]\rMode=1\r[LIGHTOPTION]\nLIGHTSTYLE=3\n");
    ASSERT_TRUE(Settings().IniWriteInt(file, L"CONFIG", L"Mode", 0));
    EXPECT_EQ(Bytes(file), "[CONFIG]\r\nMode=0\r\n[LIGHTOPTION]\nLIGHTSTYLE=3\n");
}

// The kept parses are bounded by their memory, not only by their count: large
// files read one after another do not all stay.
TEST_F(Ini, KeptParsesAreBoundedByBytes) {
    const std::string big = "[S]\r\nk=" + std::string(12 * 1024 * 1024, 'x') + "\r\n";
    for (int i = 0; i < 4; ++i) {
        const std::wstring f = dir.path() + L"big" + std::to_wstring(i) + L".ini";
        Put(f, big);
        EXPECT_EQ(Settings().IniReadString(f, L"S", L"k", L"").size(), INI_MAX_VALUE);
        EXPECT_LE(Settings().KeptBytes(), SETTINGS_CACHE_MAX_BYTES);
    }
    Settings().DropCache();
}

TEST_F(Ini, KeepsTheEncodingOfAFileAndLosesNoCharacter) {
    const std::wstring jp = L"C:\\\u30b2\u30fc\u30e0\\\u8d77\u52d5.exe";
    // UTF-16LE with byte-order mark stays so.
    Put(file, std::string("\xFF\xFE", 2) + text::ToUtf16LE(L"[A]\r\nk=\u00e9\r\n"));
    Settings().IniWriteString(file, L"A", L"n", L"plain");
    EXPECT_EQ(Bytes(file), std::string("\xFF\xFE", 2) + text::ToUtf16LE(L"[A]\r\nk=\u00e9\r\nn=plain\r\n"));
    EXPECT_EQ(Settings().IniReadString(file, L"A", L"k", L""), L"\u00e9");
    // A new file is in the 8-bit code page while it can be ...
    const std::wstring ansi = dir.path() + L"ansi.ini";
    Settings().IniWriteString(ansi, L"A", L"k", L"caf\u00e9");
    EXPECT_EQ(Bytes(ansi), "[A]\r\nk=caf\xE9\r\n");
    // ... and becomes UTF-16LE when a value needs it.
    Settings().IniWriteString(ansi, L"A", L"path", jp);
    EXPECT_EQ(Bytes(ansi), std::string("\xFF\xFE", 2) + text::ToUtf16LE(L"[A]\r\nk=caf\u00e9\r\npath=" + jp + L"\r\n"));
    Settings().DropCache();
    EXPECT_EQ(Settings().IniReadString(ansi, L"A", L"path", L""), jp);
    EXPECT_EQ(Settings().IniReadString(ansi, L"A", L"k", L""), L"caf\u00e9");
}

// Hex text of `data` with its checksum, upper case.
std::string HexOf(const std::vector<std::uint8_t>& data) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string out;
    unsigned sum = 0;
    for (std::uint8_t b : data) {
        out += kHex[b >> 4];
        out += kHex[b & 15];
        sum += b;
    }
    out += kHex[(sum >> 4) & 15];
    out += kHex[sum & 15];
    return out;
}

std::string Lower(std::string s) {
    for (auto& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// Every encoding a file may have is read from its own bytes: names in any letter
// case (also outside ASCII), values with other characters, quotes, integers and
// struct digits in either letter case.
TEST_F(Ini, ReadsEachEncodingFromItsBytes) {
    std::vector<std::uint8_t> data(40);
    for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<std::uint8_t>(i * 37 + 0xA5);
    const std::string hex = Lower(HexOf(data));
    const std::wstring text =
        L"[Caf\u00e9]\r\n  Path = C:\\Caf\u00e9\\\u00c9t\u00e9.exe \r\nquoted=\"\u00e0 b\"\r\n"
        L"n=-42\r\nhex=" +
        std::wstring(hex.begin(), hex.end()) + L"\r\n[Next]\nlast=\u00ff";
    std::string utf16be = text::ToUtf16LE(text);
    for (size_t i = 0; i + 1 < utf16be.size(); i += 2) std::swap(utf16be[i], utf16be[i + 1]);
    std::string ansi;
    ASSERT_TRUE(text::ToAnsi(text, ansi));
    const std::pair<const char*, std::string> files[] = {
        {"8-bit code page", ansi},
        {"UTF-8", "\xEF\xBB\xBF" + text::ToUtf8(text)},
        {"UTF-16LE", std::string("\xFF\xFE", 2) + text::ToUtf16LE(text)},
        {"UTF-16BE", std::string("\xFE\xFF", 2) + utf16be},
    };
    for (const auto& [name, bytes] : files) {
        Put(file, bytes);
        EXPECT_EQ(Settings().IniReadString(file, L"CAF\u00c9", L"path", L""), L"C:\\Caf\u00e9\\\u00c9t\u00e9.exe")
            << name;
        EXPECT_EQ(Settings().IniReadString(file, L"caf\u00e9", L"QUOTED", L""), L"\u00e0 b") << name;
        EXPECT_EQ(Settings().IniReadInt(file, L"Caf\u00e9", L"n", 0), -42) << name;
        EXPECT_EQ(Settings().IniReadString(file, L"next", L"last", L""), L"\u00ff") << name;
        EXPECT_EQ(Settings().IniReadString(file, L"Cafe", L"path", L"none"), L"none") << name;
        std::vector<std::uint8_t> got(data.size());
        EXPECT_TRUE(Settings().IniReadStruct(file, L"Caf\u00e9", L"hex", got.data(), got.size())) << name;
        EXPECT_EQ(got, data) << name;
        std::wstring raw;
        EXPECT_TRUE(Settings().IniReadRaw(file, L"Caf\u00e9", L"quoted", raw)) << name;
        EXPECT_EQ(raw, L"\"\u00e0 b\"") << name;
        // A write keeps the file's other lines byte for byte and its encoding.
        Settings().IniWriteString(file, L"Next", L"added", L"x");
        EXPECT_EQ(Bytes(file).substr(0, bytes.size()), bytes) << name;
        EXPECT_EQ(Settings().IniReadString(file, L"CAF\u00c9", L"path", L""), L"C:\\Caf\u00e9\\\u00c9t\u00e9.exe")
            << name;
        EXPECT_EQ(Settings().IniReadString(file, L"Next", L"added", L""), L"x") << name;
    }
}

// Struct digits are checked a block at a time: a wrong character anywhere, of any
// kind next to the digit ranges, rejects the value and leaves the target alone.
TEST_F(Ini, StructDigitsAreCheckedAtEveryPlace) {
    const char bad[] = {'/', ':', '@', 'G', '`', 'g', ' ', '\0', '\xB0', '\xC1', '\xE1'};
    for (size_t size : {1u, 7u, 8u, 9u, 100u, 10880u}) {
        std::vector<std::uint8_t> data(size);
        for (size_t i = 0; i < size; ++i) data[i] = static_cast<std::uint8_t>(i * 131 + size);
        const std::string hex = HexOf(data);
        std::string mixed = hex;
        for (size_t i = 0; i < mixed.size(); i += 3) mixed[i] = static_cast<char>(std::tolower(mixed[i]));
        for (const std::string& good : {hex, Lower(hex), mixed}) {
            Put(file, "[S]\r\nk=" + good + "\r\n");
            std::vector<std::uint8_t> got(size, 0x5A);
            EXPECT_TRUE(Settings().IniReadStruct(file, L"S", L"k", got.data(), size)) << size;
            EXPECT_EQ(got, data) << size;
        }
        std::string wrongSum = hex;
        wrongSum.back() = wrongSum.back() == '0' ? '1' : '0';
        std::vector<std::string> rejected = {wrongSum};
        for (size_t at : {size_t{0}, hex.size() / 2, hex.size() - 17, hex.size() - 1})
            for (char c : bad) {
                if (at >= hex.size()) continue;
                std::string t = hex;
                t[at] = c;
                rejected.push_back(t);
            }
        for (const auto& t : rejected) {
            Put(file, "[S]\r\nk=" + t + "\r\n");
            std::vector<std::uint8_t> got(size, 0x5A);
            EXPECT_FALSE(Settings().IniReadStruct(file, L"S", L"k", got.data(), size)) << size;
            EXPECT_EQ(got, std::vector<std::uint8_t>(size, 0x5A)) << size << ": target changed";
        }
        // The same digits in a UTF-16LE file.
        Put(file, std::string("\xFF\xFE", 2) + text::ToUtf16LE(L"[S]\r\nk=" + std::wstring(hex.begin(), hex.end())));
        std::vector<std::uint8_t> got(size, 0x5A);
        EXPECT_TRUE(Settings().IniReadStruct(file, L"S", L"k", got.data(), size)) << size;
        EXPECT_EQ(got, data) << size;
    }
}

TEST_F(Ini, RefusesNamesAndValuesThatWouldBreakTheFile) {
    Settings().IniWriteString(file, L"A", L"k", L"v");
    const std::string before = Bytes(file);
    struct C {
        const wchar_t* section;
        const wchar_t* key;
        const wchar_t* value;
    };
    const C cases[] = {{L"A", L"k", L"two\r\nlines"}, {L"A", L"a=b", L"v"}, {L"A", L"[X]", L"v"}, {L"", L"k", L"v"},
                       {L"A", L"  ", L"v"},           {L"A\nB", L"k", L"v"}};
    for (const auto& c : cases) {
        fs::Status s = Settings().IniWriteString(file, c.section, c.key, c.value);
        EXPECT_FALSE(s) << c.key;
        EXPECT_EQ(s.file, file) << c.key;
        EXPECT_EQ(s.refusal, c.value[0] == L't' ? Refusal::LineBreak : Refusal::BadName) << c.key;
    }
    EXPECT_EQ(Bytes(file), before);
}

TEST_F(Ini, ReportsFailedWritesAndKeepsMemoryTrue) {
    const std::wstring nowhere = dir.path() + L"missing" + (dir.path().back() == L'/' ? L"/" : L"\\") + L"x.ini";
    fs::Status s = Settings().IniWriteString(nowhere, L"A", L"k", L"v");
    EXPECT_FALSE(s);
    EXPECT_EQ(s.file, nowhere);
    EXPECT_NE(s.code, 0u) << "the system's reason";
    EXPECT_FALSE(fs::DirectoryExists(dir.path() + L"missing"));
    EXPECT_EQ(Settings().IniReadString(nowhere, L"A", L"k", L"gone"), L"gone");  // the failed value is not kept
}

TEST_F(Ini, SeesChangesMadeByAnotherProgram) {
    Settings().IniWriteString(file, L"CONFIG", L"DEVICEPSTATS", L"0");
    EXPECT_EQ(Settings().IniReadInt(file, L"CONFIG", L"DEVICEPSTATS", -1), 0);
    Put(file, "[CONFIG]\r\nDEVICEPSTATS=1\r\nMode=1\r\n");
    EXPECT_EQ(Settings().IniReadInt(file, L"CONFIG", L"DEVICEPSTATS", -1), 1);
    fs::RemoveFile(file);
    EXPECT_EQ(Settings().IniReadInt(file, L"CONFIG", L"DEVICEPSTATS", -1), -1);
}

TEST_F(Ini, BatchWritesEachFileOnceAtTheEnd) {
    const std::wstring other = dir.path() + L"other.ini";
    {
        IniBatch batch(Settings());
        for (int i = 0; i < 50; ++i) batch.IniWriteInt(file, L"S", L"k" + std::to_wstring(i), i);
        batch.IniWriteInt(other, L"S", L"k", 1);
        EXPECT_FALSE(fs::FileExists(file));                       // nothing on disk until the batch ends
        EXPECT_EQ(batch.IniReadInt(file, L"S", L"k49", -1), 49);  // but reads see the changes
        {
            IniBatch inner(Settings());
            inner.IniWriteInt(file, L"S", L"inner", 1);
            EXPECT_TRUE(inner.Commit());
            EXPECT_FALSE(fs::FileExists(file));  // only the outermost batch writes
        }
        IniFileStatus r = batch.Commit();
        EXPECT_TRUE(r);
    }
    EXPECT_EQ(Bytes(other), "[S]\r\nk=1\r\n");
    Settings().DropCache();
    EXPECT_EQ(Settings().IniReadInt(file, L"S", L"k49", -1), 49);
    EXPECT_EQ(Settings().IniReadInt(file, L"S", L"inner", -1), 1);
}

TEST_F(Ini, BatchEndedWithoutCommitWritesNothing) {
    Put(file, "[S]\r\nk=old\r\n");
    const std::wstring other = dir.path() + L"other.ini";
    {
        IniBatch batch(Settings());
        batch.IniWriteString(file, L"S", L"k", L"new");
        batch.IniWriteString(other, L"S", L"k", L"new");
        IniBatch inner(Settings());  // left without Commit as well
        inner.IniWriteString(file, L"S", L"inner", L"1");
    }
    EXPECT_EQ(Bytes(file), "[S]\r\nk=old\r\n");
    EXPECT_FALSE(fs::FileExists(other));
    EXPECT_EQ(Settings().IniReadString(file, L"S", L"k", L""), L"old");  // memory holds what the disk holds
    // A later write carries only its own change, none of the dropped ones.
    ASSERT_TRUE(Settings().IniWriteString(file, L"S", L"j", L"1"));
    EXPECT_EQ(Bytes(file), "[S]\r\nk=old\r\nj=1\r\n");
    EXPECT_FALSE(fs::FileExists(other));
}

TEST_F(Ini, SnapshotReadsOnceAndDefersNoWrite) {
    Put(file, "[S]\r\nk=1\r\n");
    const std::wstring other = dir.path() + L"other.ini";
    IniSnapshot snapshot(Settings());
    EXPECT_EQ(snapshot.IniReadInt(file, L"S", L"k", -1), 1);
    Put(file, "[S]\r\nk=2\r\n");
    EXPECT_EQ(snapshot.IniReadInt(file, L"S", L"k", -1), 1) << "one look at the disk per snapshot";
    ASSERT_TRUE(snapshot.IniWriteInt(other, L"S", L"j", 3));
    EXPECT_EQ(Bytes(other), "[S]\r\nj=3\r\n") << "written before the snapshot ends";
    EXPECT_EQ(snapshot.IniReadInt(other, L"S", L"j", -1), 3);
}

TEST_F(Ini, BatchNamesTheFileThatFailed) {
    const std::wstring bad = dir.path() + L"no" + (dir.path().back() == L'/' ? L"/" : L"\\") + L"bad.ini";
    IniBatch batch(Settings());
    batch.IniWriteInt(file, L"S", L"k", 1);
    batch.IniWriteInt(bad, L"S", L"k", 1);
    IniFileStatus r = batch.Commit();
    EXPECT_FALSE(r);
    EXPECT_EQ(r.file, bad);
    EXPECT_NE(r.code, 0u) << "the system's reason";
    EXPECT_TRUE(fs::FileExists(file));  // the other file is still written
    EXPECT_EQ(Settings().IniReadInt(bad, L"S", L"k", -1), -1);
}

}  // namespace
