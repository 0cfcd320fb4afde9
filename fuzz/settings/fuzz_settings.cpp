// The settings reader on arbitrary bytes. Checks, besides memory safety:
// - a file without a byte-order mark is written back byte for byte when nothing
//   changed (but for a CR alone at a line's end, which becomes CR LF), and lines
//   the engine does not touch stay as they were;
// - after a write, the value reads back, and every other value reads as before.
// The reads of each phase run in a batch: outside one, every read of a file
// written this very second confirms the kept parse against the disk (a stat and
// a read of the whole file), which took nearly all of the time and tests nothing
// of the parser. The file lives in a folder of its own, so the clean-up after
// each write lists only that folder.
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <unistd.h>
#include <vector>

#include "config/Ini.h"
#include "config/IniFile.h"
#include "platform/FileSystem.h"
#include "platform/TextCodec.h"

namespace {

using namespace zavo;

const std::wstring& File() {
    static const std::wstring path = [] {
        char folder[] = "/tmp/fuzz_settings_XXXXXX";
        if (!mkdtemp(folder)) std::abort();
        return text::FromUtf8(folder) + L"/settings.ini";
    }();
    return path;
}

// Section and key names to look up: fixed ones and the first names the input holds.
std::vector<std::wstring> Names(const std::wstring& text) {
    std::vector<std::wstring> names = {L"CONFIG", L"Mode", L"Macro", L""};
    size_t at = 0;
    for (int i = 0; i < 3 && at < text.size(); ++i) {
        size_t nl = text.find(L'\n', at);
        std::wstring line = text.substr(at, nl == std::wstring::npos ? std::wstring::npos : nl - at);
        size_t eq = line.find(L'=');
        names.push_back(line.substr(0, eq));
        if (!line.empty() && line[0] == L'[') names.push_back(line.substr(1, line.find(L']') - 1));
        at = nl == std::wstring::npos ? text.size() : nl + 1;
    }
    return names;
}

// The bytes with each CR that ends a line alone turned into CR LF.
std::string WithCrLf(const std::string& bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (size_t i = 0; i < bytes.size(); ++i) {
        out += bytes[i];
        if (bytes[i] == '\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\n')) out += '\n';
    }
    return out;
}

void CheckRoundTrip(const std::string& bytes) {
    ini::Document doc = ini::Document::Parse(bytes);
    if (doc.encoding() == ini::Encoding::Ansi && doc.Serialize() != WithCrLf(bytes)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    CheckRoundTrip(bytes);
    if (!fs::WriteFileAtomic(File(), bytes)) return 0;
    const std::vector<std::wstring> names = Names(text::FromAnsi(bytes));
    std::vector<std::wstring> before;
    std::optional<IniSnapshot> reads(std::in_place, Settings());
    for (const auto& s : names) {
        for (const auto& k : names) {
            before.push_back(Settings().IniReadString(File(), s, k, L"\x01"));
            Settings().IniReadInt(File(), s, k, -1);
            std::uint8_t small[3];
            Settings().IniReadStruct(File(), s, k, small, sizeof small);
        }
    }
    std::vector<std::uint8_t> macro(10880);
    Settings().IniReadStruct(File(), L"MACROG0", L"Macro", macro.data(), macro.size());
    reads.reset();

    // One write; it may be refused for a name that would break the file.
    const std::wstring& s = names[names.size() > 4 ? 4 : 0];
    const std::wstring& k = names.back();
    fs::Status w = Settings().IniWriteString(File(), s, k, L"fuzzed value");
    if (w && Settings().IniReadString(File(), s, k, L"") != L"fuzzed value") std::abort();
    reads.emplace(Settings());
    size_t i = 0;
    for (const auto& sec : names) {
        for (const auto& key : names) {
            std::wstring now = Settings().IniReadString(File(), sec, key, L"\x01");
            bool same = ini::FoldName(ini::Trim(sec)) == ini::FoldName(ini::Trim(s)) &&
                        ini::FoldName(ini::Trim(key)) == ini::FoldName(ini::Trim(k));
            if (w && !same && now != before[i]) std::abort();
            ++i;
        }
    }
    return 0;
}
