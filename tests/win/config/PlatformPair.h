// Two copies of one file, one driven by the engine and one by the platform's
// private-profile functions, so that every read and the bytes written can be
// compared.
#pragma once
#include <gtest/gtest.h>

#include <string>

#include "../../unit/config/ConfigFixtures.h"
#include "TempDir.h"
#include "config/Ini.h"
#include "config/PlatformIni.h"
#include "platform/FileSystem.h"
#include "platform/TextCodec.h"

namespace zavo::testing {

// Shows a file's bytes with line ends visible, for failure messages.
inline std::string Show(const std::string& bytes) {
    std::string out;
    for (char c : bytes) {
        if (c == '\r')
            out += "\\r";
        else if (c == '\n')
            out += "\\n\n";
        else if (c == 0)
            out += "\\0";
        else
            out += c;
    }
    return out;
}

struct PlatformPair {
    TempDir dir;
    std::wstring engine = dir.path() + L"engine.ini";
    std::wstring platform = dir.path() + L"platform.ini";

    void Start(const std::string& bytes) {
        fs::WriteFileAtomic(engine, bytes);
        fs::WriteFileAtomic(platform, bytes);
    }
    void WriteString(const std::wstring& s, const std::wstring& k, const std::wstring& v) {
        EXPECT_EQ(static_cast<bool>(Settings().IniWriteString(engine, s, k, v)),
                  static_cast<bool>(PlatformIni().IniWriteString(platform, s, k, v)))
            << text::ToUtf8(s + L"/" + k);
    }
    void WriteStruct(const std::wstring& s, const std::wstring& k, const void* data, size_t n) {
        EXPECT_EQ(static_cast<bool>(Settings().IniWriteStruct(engine, s, k, data, n)),
                  static_cast<bool>(PlatformIni().IniWriteStruct(platform, s, k, data, n)));
    }
    void ExpectSameString(const std::wstring& s, const std::wstring& k, const std::wstring& def = L"<default>") {
        EXPECT_EQ(Settings().IniReadString(engine, s, k, def), PlatformIni().IniReadString(platform, s, k, def))
            << "[" << text::ToUtf8(s) << "] " << text::ToUtf8(k);
    }
    void ExpectSameInt(const std::wstring& s, const std::wstring& k, int def = -77) {
        EXPECT_EQ(Settings().IniReadInt(engine, s, k, def), PlatformIni().IniReadInt(platform, s, k, def))
            << "[" << text::ToUtf8(s) << "] " << text::ToUtf8(k);
    }
    void ExpectSameBytes() {
        std::string a = Bytes(engine), b = Bytes(platform);
        EXPECT_EQ(a, b) << "engine:\n" << Show(a) << "\nplatform:\n" << Show(b);
    }
};

}  // namespace zavo::testing
