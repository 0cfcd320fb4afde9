#include <cstdio>
#include <cstdlib>
#include <map>

#include "Cli.h"
#include "platform/TextCodec.h"

#ifdef _WIN32
#include <windows.h>
#include <shlobj.h>
#include <io.h>
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

int Usage() {
    std::wstring text = L"usage: zavocfg COMMAND [ARGS]\n";
    for (auto& [name, c] : Registry()) text += L"  " + zavo::text::FromUtf8(c.usage) + L"\n";
    Err(text);
    return 2;
}

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
    if (const char* x = std::getenv("XDG_DATA_HOME"); x && *x) base = x;
    else if (const char* h = std::getenv("HOME"); h && *h) base = std::string(h) + "/.local/share";
    else base = ".";
    return zavo::text::FromUtf8(base) + L"/Brimvale/ZAVO/";
#endif
}

std::wstring DataFolderFrom(Args& args) {
    std::wstring dir;
    if (!TakeOption(args, L"--data", dir)) return DefaultDataFolder();
    if (!dir.empty() && dir.back() != L'\\' && dir.back() != L'/') {
#ifdef _WIN32
        dir += L'\\';
#else
        dir += L'/';
#endif
    }
    return dir;
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
    if (all.empty()) return zavocfg::Usage();
    std::string name = zavo::text::ToUtf8(all.front());
    auto& reg = zavocfg::Registry();
    auto it = reg.find(name);
    if (it == reg.end()) return zavocfg::Usage();
    zavocfg::Args rest(all.begin() + 1, all.end());
    return it->second.run(rest);
}
