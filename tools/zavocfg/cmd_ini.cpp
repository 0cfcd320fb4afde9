// zavocfg ini: the settings primitives on any file.
//   ini get FILE SECTION KEY                 the value (exit 1 when the key is missing)
//   ini set FILE SECTION KEY VALUE
//   ini get-struct FILE SECTION KEY SIZE     the SIZE bytes as hex (exit 1 when invalid)
//   ini set-struct FILE SECTION KEY SIZE HEX
#include <cstdio>
#include <vector>

#include "Cli.h"
#include "config/Ini.h"
#include "platform/FileSystem.h"

namespace {

using namespace zavo;

constexpr unsigned long kMaxStruct = 1u << 20;

// The struct size argument: 1..1 MiB.
bool ParseSize(const std::wstring& text, size_t& size) {
    if (text.empty() || text.size() > 7) return false;
    for (wchar_t c : text)
        if (c < L'0' || c > L'9') return false;
    size = std::stoul(text);
    return size > 0 && size <= kMaxStruct;
}

bool ParseHex(const std::wstring& text, size_t size, std::vector<std::uint8_t>& out) {
    if (text.size() != 2 * size) return false;
    auto digit = [](wchar_t c) {
        return c >= L'0' && c <= L'9'   ? c - L'0'
               : c >= L'A' && c <= L'F' ? c - L'A' + 10
               : c >= L'a' && c <= L'f' ? c - L'a' + 10
                                        : -1;
    };
    out.resize(size);
    for (size_t i = 0; i < size; ++i) {
        int hi = digit(text[2 * i]), lo = digit(text[2 * i + 1]);
        if (hi < 0 || lo < 0) return false;
        out[i] = static_cast<std::uint8_t>(hi * 16 + lo);
    }
    return true;
}

// Reading a file that exists but cannot be read is an error, not a missing key.
bool Readable(const std::wstring& file, int& rc) {
    if (!fs::FileExists(file)) {
        rc = zavocfg::Fail(file + L": no such file");
        return false;
    }
    std::string bytes;
    if (fs::Status s = fs::ReadWholeFile(file, bytes); !s) {
        rc = zavocfg::Fail(DescribeFailure(s.At(file)));
        return false;
    }
    return true;
}

int Get(const zavocfg::Args& a) {
    int rc = 0;
    if (!Readable(a[0], rc)) return rc;
    std::wstring raw;
    if (!Settings().IniReadRaw(a[0], a[1], a[2], raw)) {
        zavocfg::Err(L"zavocfg: no key " + a[2] + L" in [" + a[1] + L"] of " + a[0] + L"\n");
        return 1;
    }
    zavocfg::Out(Settings().IniReadString(a[0], a[1], a[2], L"") + L"\n");
    return 0;
}

int Set(const zavocfg::Args& a) {
    fs::Status s = Settings().IniWriteString(a[0], a[1], a[2], a[3]);
    return s ? 0 : zavocfg::Fail(DescribeFailure(s.At(a[0])));
}

int GetStruct(const zavocfg::Args& a) {
    size_t size = 0;
    if (!ParseSize(a[3], size)) return zavocfg::Fail(L"ini get-struct: bad size " + a[3]);
    int rc = 0;
    if (!Readable(a[0], rc)) return rc;
    std::vector<std::uint8_t> data(size);
    if (!Settings().IniReadStruct(a[0], a[1], a[2], data.data(), size)) {
        zavocfg::Err(L"zavocfg: no valid " + a[3] + L"-byte struct under " + a[2] + L" in [" + a[1] + L"] of " + a[0] +
                     L"\n");
        return 1;
    }
    std::wstring hex;
    wchar_t buf[4];
    for (auto b : data) {
        std::swprintf(buf, 4, L"%02X", b);
        hex += buf;
    }
    zavocfg::Out(hex + L"\n");
    return 0;
}

int SetStruct(const zavocfg::Args& a) {
    size_t size = 0;
    if (!ParseSize(a[3], size)) return zavocfg::Fail(L"ini set-struct: bad size " + a[3]);
    std::vector<std::uint8_t> data;
    if (!ParseHex(a[4], size, data))
        return zavocfg::Fail(L"ini set-struct: HEX must be " + std::to_wstring(2 * size) + L" hexadecimal digits");
    fs::Status s = Settings().IniWriteStruct(a[0], a[1], a[2], data.data(), size);
    return s ? 0 : zavocfg::Fail(DescribeFailure(s.At(a[0])));
}

int Ini(const zavocfg::Args& args) {
    struct Sub {
        const wchar_t* name;
        size_t words;
        int (*run)(const zavocfg::Args&);
    };
    static const Sub subs[] = {
        {L"get", 3, Get}, {L"set", 4, Set}, {L"get-struct", 4, GetStruct}, {L"set-struct", 5, SetStruct}};
    if (args.empty()) return zavocfg::Fail(L"ini: get, set, get-struct or set-struct expected");
    for (const auto& s : subs) {
        if (args[0] != s.name) continue;
        zavocfg::Args rest(args.begin() + 1, args.end());
        if (rest.size() != s.words)
            return zavocfg::Fail(L"ini " + args[0] + L": " + std::to_wstring(s.words) + L" arguments expected");
        return s.run(rest);
    }
    return zavocfg::Fail(L"ini: unknown subcommand " + args[0]);
}

}  // namespace

ZAVOCFG_COMMAND("ini", "ini get|set FILE SECTION KEY [VALUE] | ini get-struct|set-struct FILE SECTION KEY SIZE [HEX]",
                Ini);
