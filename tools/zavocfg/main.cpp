#include <cstdio>
#include <cstdlib>
#include <map>
#include <vector>

#include "Cli.h"
#include "config/ConfigStore.h"
#include "platform/FileSystem.h"
#include "platform/TextCodec.h"

#ifdef _WIN32
#include <windows.h>
#include <shlobj.h>
#include <io.h>
#else
#include <unistd.h>
#endif

namespace zavocfg {
namespace {

std::map<std::string, Command>& Registry() {
    static std::map<std::string, Command> commands;
    return commands;
}

void Write(FILE* f, const std::wstring& text) {
#ifdef _WIN32
    HANDLE h = GetStdHandle(f == stderr ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
    DWORD mode = 0;
    if (GetConsoleMode(h, &mode)) {
        DWORD written = 0;
        WriteConsoleW(h, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
        return;
    }
#endif
    std::string bytes = zavo::text::ToUtf8(text);
    fwrite(bytes.data(), 1, bytes.size(), f);
    fflush(f);
}

std::wstring UsageText() {
    std::wstring text = L"usage: zavocfg COMMAND [ARGS]\n";
    for (auto& [name, c] : Registry()) text += L"  " + zavo::text::FromUtf8(c.usage) + L"\n";
    return text;
}

#ifdef _WIN32
constexpr wchar_t kSeparator = L'\\';
#else
constexpr wchar_t kSeparator = L'/';
#endif

}  // namespace

Registrar::Registrar(Command c) { Registry()[c.name] = std::move(c); }

void Out(const std::wstring& text) { Write(stdout, text); }
void Err(const std::wstring& text) { Write(stderr, text); }

int Fail(const std::wstring& message) {
    Err(L"zavocfg: " + message + L"\n");
    return 2;
}

bool TakeOption(Args& args, const std::wstring& name, std::wstring& value) {
    for (size_t i = 0; i + 1 < args.size(); ++i) {
        if (args[i] == name) {
            if (args[i + 1].empty()) throw UsageError{name + L" needs a value, not an empty text"};
            value = args[i + 1];
            args.erase(args.begin() + static_cast<long>(i), args.begin() + static_cast<long>(i) + 2);
            return true;
        }
    }
    return false;
}

bool TakeFlag(Args& args, const std::wstring& name) {
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == name) {
            args.erase(args.begin() + static_cast<long>(i));
            return true;
        }
    }
    return false;
}

std::wstring DefaultDataFolder() {
#ifdef _WIN32
    wchar_t buf[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr, 0, buf))) return L"";
    return std::wstring(buf) + L"\\Brimvale\\ZAVO\\";
#else
    std::string base;
    if (const char* x = std::getenv("XDG_DATA_HOME"); x && *x)
        base = x;
    else if (const char* h = std::getenv("HOME"); h && *h)
        base = std::string(h) + "/.local/share";
    else
        base = ".";
    return zavo::text::FromUtf8(base) + L"/Brimvale/ZAVO/";
#endif
}

std::wstring WithSeparator(std::wstring dir) {
    if (!dir.empty() && dir.back() != L'\\' && dir.back() != L'/') dir += kSeparator;
    return dir;
}

std::wstring DataFolderFrom(Args& args) {
    std::wstring dir;
    if (!TakeOption(args, L"--data", dir)) return DefaultDataFolder();
    return WithSeparator(dir);
}

std::vector<std::wstring> SettingsFiles(const std::wstring& dataFolder) {
    std::vector<std::wstring> files = {zavo::ConfigFilePath(dataFolder)};
    for (int p = 0; p < zavo::PROFILE_COUNT; ++p) files.push_back(zavo::ProfileFilePath(dataFolder, p));
    return files;
}

std::wstring UnreadableSettingsFile(const std::wstring& dataFolder) {
    for (const std::wstring& f : SettingsFiles(dataFolder)) {
        if (!zavo::fs::FileExists(f)) continue;
        std::string bytes;
        if (zavo::fs::Status s = zavo::fs::ReadWholeFile(f, bytes); !s) return DescribeFailure(s.At(f));
    }
    return L"";
}

ScratchFolder::ScratchFolder() {
#ifdef _WIN32
    wchar_t base[MAX_PATH + 1] = {};
    if (!GetTempPathW(MAX_PATH + 1, base)) return;
    for (unsigned n = 0; n < 100 && path_.empty(); ++n) {
        std::wstring dir = std::wstring(base) + L"zavocfg-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                           std::to_wstring(GetTickCount() + n);
        if (CreateDirectoryW(dir.c_str(), nullptr)) path_ = dir + L"\\";
    }
#else
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/zavocfg-XXXXXX";
    if (mkdtemp(pattern.data())) path_ = zavo::text::FromUtf8(pattern) + L"/";
#endif
}

ScratchFolder::~ScratchFolder() {
    if (path_.empty()) return;
    for (const std::wstring& name : zavo::fs::ListFiles(path_, L"")) zavo::fs::RemoveFile(path_ + name);
    std::wstring dir = path_.substr(0, path_.size() - 1);
#ifdef _WIN32
    RemoveDirectoryW(dir.c_str());
#else
    rmdir(zavo::text::ToUtf8(dir).c_str());
#endif
}

}  // namespace zavocfg

#ifdef _WIN32
int wmain(int argc, wchar_t** argv) {
    zavocfg::Args all(argv + 1, argv + argc);
#else
int main(int argc, char** argv) {
    zavocfg::Args all;
    for (int i = 1; i < argc; ++i) all.push_back(zavo::text::FromUtf8(argv[i]));
#endif
    if (all.empty()) {
        zavocfg::Err(zavocfg::UsageText());
        return 2;
    }
    const std::wstring& first = all.front();
    if (first == L"--help" || first == L"-h" || first == L"help") {
        zavocfg::Out(zavocfg::UsageText());
        return 0;
    }
    auto& reg = zavocfg::Registry();
    auto it = reg.find(zavo::text::ToUtf8(first));
    if (it == reg.end())
        return zavocfg::Fail(L"unknown command \"" + first + L"\" (zavocfg --help lists the commands)");
    zavocfg::Args rest(all.begin() + 1, all.end());
    if (zavocfg::TakeFlag(rest, L"--help")) {
        zavocfg::Out(L"usage: zavocfg " + zavo::text::FromUtf8(it->second.usage) + L"\n");
        return 0;
    }
    try {
        return it->second.run(rest);
    } catch (const zavocfg::UsageError& e) {
        return zavocfg::Fail(e.message);
    }
}
