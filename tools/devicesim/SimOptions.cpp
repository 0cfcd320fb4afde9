#include "SimOptions.h"

#include <cwchar>

#include "service/ServiceCodes.h"

namespace devicesim {

namespace svc = zavo::svc;

const wchar_t* TargetTitle(Target target) {
    switch (target) {
        case Target::LightWindow:
            return svc::LIGHT_WINDOW_TITLE;
        case Target::LoadingWindow:
            return svc::LOADING_WINDOW_TITLE;
        case Target::MainWindow:
            break;
    }
    return svc::MAIN_WINDOW_TITLE;
}

const wchar_t* UsageText() {
    return L"devicesim: the device service simulator (window \"VARNOSHid\").\n"
           L"\n"
           L"Run the simulator:\n"
           L"  devicesim [--data DIR] [--log FILE] [--apply-delay MS] [--hang] [--die-on-apply]\n"
           L"            [--no-device] [--control FILE]\n"
           L"    --data DIR         settings folder (default %APPDATA%\\Brimvale\\ZAVO\\)\n"
           L"    --log FILE         message log, one line per event (default DIR\\devicesim.log)\n"
           L"    --apply-delay MS   wait before answering an apply to \"DLGLoading\" (default 500)\n"
           L"    --hang             never answer an apply, and block in every sent command\n"
           L"    --die-on-apply     end at once in the middle of the first apply, unanswered\n"
           L"    --no-device        do not mark the keyboard present (DEVICEPSTATS) at start\n"
           L"    --control FILE     carry out each line appended to FILE, in the words of send\n"
           L"                       (e.g. \"notify 11147\"); '#' starts a comment line\n"
           L"\n"
           L"Ask the running simulator to post a message to the tool:\n"
           L"  devicesim send notify CODE          WM_SERVICE_NOTIFY (2025) to \"VARNOS\", lParam CODE\n"
           L"                                      (1025 reload all, 1026 reload config, 11147 mode 1,\n"
           L"                                       11148 mode 0, 11149 lighting)\n"
           L"  devicesim send command CODE [LPARAM] WM_SERVICE_COMMAND (2026) to \"VARNOS\"\n"
           L"  devicesim send save                 command 18, the save request\n"
           L"  devicesim send exit                 command 170, the exit request\n"
           L"  devicesim send light-sync W L       WM_LIGHT_SYNC (6590) to \"ZVLight\"\n"
           L"  devicesim send light-reload         WM_LIGHT_RELOAD (11149) to \"ZVLight\"\n"
           L"  devicesim send reply [CODE]         WM_SERVICE_COMMAND to \"DLGLoading\" (ends an apply)\n"
           L"  devicesim send flood N CODE         N times WM_SERVICE_NOTIFY to \"VARNOS\", lParam CODE,\n"
           L"                                      posted in one burst (N 1..100000)\n"
           L"Exit status of send: 0 delivered, 1 the target window is missing,\n"
           L"2 bad arguments, 3 no simulator running.\n";
}

namespace {

bool ParseInt(const std::wstring& word, std::int64_t& value) {
    if (word.empty()) return false;
    wchar_t* end = nullptr;
    long long v = std::wcstoll(word.c_str(), &end, 0);
    if (end == nullptr || *end != L'\0') return false;
    value = v;
    return true;
}

}  // namespace

// "send" words: KIND followed by its numbers.
bool ParseRequest(const std::vector<std::wstring>& words, Request& r, std::wstring& error) {
    if (words.empty()) {
        error = L"send: missing what to send";
        return false;
    }
    const std::wstring& kind = words[0];
    std::vector<std::int64_t> numbers;
    for (size_t i = 1; i < words.size(); ++i) {
        std::int64_t v = 0;
        if (!ParseInt(words[i], v)) {
            error = L"send: not a number: " + words[i];
            return false;
        }
        numbers.push_back(v);
    }
    auto expect = [&](size_t min, size_t max) {
        if (numbers.size() >= min && numbers.size() <= max) return true;
        error = L"send " + kind + L": wrong number of values";
        return false;
    };
    auto value = [&](size_t i) { return i < numbers.size() ? numbers[i] : 0; };
    if (kind == L"notify") {
        if (!expect(1, 1)) return false;
        r = {Target::MainWindow, svc::WM_SERVICE_NOTIFY, 0, value(0)};
    } else if (kind == L"flood") {
        if (!expect(2, 2)) return false;
        if (value(0) < 1 || value(0) > MAX_FLOOD) {
            error = L"send flood: the count must be 1.." + std::to_wstring(MAX_FLOOD) + L": " + words[1];
            return false;
        }
        r = {Target::MainWindow, svc::WM_SERVICE_NOTIFY, 0, value(1), static_cast<std::uint32_t>(value(0))};
    } else if (kind == L"command") {
        if (!expect(1, 2)) return false;
        r = {Target::MainWindow, svc::WM_SERVICE_COMMAND, value(0), value(1)};
    } else if (kind == L"save" || kind == L"exit") {
        if (!expect(0, 0)) return false;
        auto code = kind == L"save" ? svc::SVC_REQUEST_SAVE : svc::SVC_REQUEST_EXIT;
        r = {Target::MainWindow, svc::WM_SERVICE_COMMAND, code, 0};
    } else if (kind == L"light-sync") {
        if (!expect(2, 2)) return false;
        r = {Target::LightWindow, svc::WM_LIGHT_SYNC, value(0), value(1)};
    } else if (kind == L"light-reload") {
        if (!expect(0, 0)) return false;
        r = {Target::LightWindow, svc::WM_LIGHT_RELOAD, 0, 0};
    } else if (kind == L"reply") {
        if (!expect(0, 1)) return false;
        r = {Target::LoadingWindow, svc::WM_SERVICE_COMMAND, numbers.empty() ? svc::SVC_APPLY_PROFILE : value(0), 0};
    } else {
        error = L"send: unknown kind: " + kind;
        return false;
    }
    return true;
}

namespace {

std::wstring WithTrailingBackslash(std::wstring folder) {
    if (!folder.empty() && folder.back() != L'\\' && folder.back() != L'/') folder += L'\\';
    return folder;
}

}  // namespace

bool ParseOptions(const std::vector<std::wstring>& args, Options& o, std::wstring& error) {
    if (!args.empty() && args[0] == L"send") {
        o.mode = Options::Mode::Send;
        return ParseRequest({args.begin() + 1, args.end()}, o.request, error);
    }
    for (size_t i = 0; i < args.size(); ++i) {
        const std::wstring& a = args[i];
        auto next = [&](std::wstring& out) {
            if (i + 1 >= args.size()) {
                error = a + L" needs a value";
                return false;
            }
            out = args[++i];
            return true;
        };
        std::wstring v;
        if (a == L"--help" || a == L"-h" || a == L"/?") {
            o.mode = Options::Mode::Help;
        } else if (a == L"--data") {
            if (!next(v)) return false;
            o.dataFolder = WithTrailingBackslash(v);
        } else if (a == L"--log") {
            if (!next(o.logPath)) return false;
        } else if (a == L"--apply-delay") {
            std::int64_t ms = 0;
            if (!next(v)) return false;
            if (!ParseInt(v, ms) || ms < 0 || ms > 600000) {
                error = L"--apply-delay: not a delay in milliseconds (0..600000): " + v;
                return false;
            }
            o.applyDelayMs = static_cast<unsigned>(ms);
        } else if (a == L"--hang") {
            o.hang = true;
        } else if (a == L"--die-on-apply") {
            o.dieOnApply = true;
        } else if (a == L"--no-device") {
            o.noDevice = true;
        } else if (a == L"--control") {
            if (!next(o.controlPath)) return false;
        } else {
            error = L"unknown argument: " + a;
            return false;
        }
    }
    return true;
}

}  // namespace devicesim
