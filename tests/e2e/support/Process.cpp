#include <cstdio>
#include <map>

#include "Harness.h"

namespace zavo::e2e {

namespace {

// Quotes one argument the way CommandLineToArgvW reads it back.
std::wstring Quote(const std::wstring& arg) {
    if (!arg.empty() && arg.find_first_of(L" \t\"") == std::wstring::npos) return arg;
    std::wstring out = L"\"";
    size_t backslashes = 0;
    for (wchar_t c : arg) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        out.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        out += c;
    }
    out.append(backslashes * 2, L'\\');
    return out + L"\"";
}

// This process's environment with `extra` laid over it, as a block for
// CreateProcessW (names compared without regard to case, as Windows does).
std::wstring EnvironmentBlock(const EnvVars& extra) {
    struct NoCase {
        bool operator()(const std::wstring& a, const std::wstring& b) const {
            return _wcsicmp(a.c_str(), b.c_str()) < 0;
        }
    };
    std::map<std::wstring, std::wstring, NoCase> vars;
    wchar_t* env = GetEnvironmentStringsW();
    for (const wchar_t* p = env; *p; p += wcslen(p) + 1) {
        std::wstring entry = p;
        size_t eq = entry.find(L'=', 1);  // "=C:=C:\" entries start with '='
        if (eq != std::wstring::npos) vars[entry.substr(0, eq)] = entry.substr(eq + 1);
    }
    FreeEnvironmentStringsW(env);
    for (const auto& [name, value] : extra) vars[name] = value;
    std::wstring block;
    for (const auto& [name, value] : vars) block += name + L"=" + value + L'\0';
    return block + L'\0';
}

std::wstring SystemMessage(DWORD error) {
    wchar_t* text = nullptr;
    const DWORD n =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring message(text ? text : L"", n);
    if (text) LocalFree(text);
    while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r' || message.back() == L' '))
        message.pop_back();
    return message.empty() ? L"unknown error" : message;
}

}  // namespace

Process Process::Start(const std::wstring& exe, const std::vector<std::wstring>& args, const EnvVars& env,
                       const std::wstring& workDir) {
    std::wstring command = Quote(exe);
    for (const auto& a : args) command += L" " + Quote(a);
    // With nothing to add the child inherits the environment as it is; a block of
    // our own would do too, except for Unix programs (xdotool), which Wine then
    // starts without the X display.
    std::wstring block = env.empty() ? L"" : EnvironmentBlock(env);
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    Process p;
    auto create = [&] {
        return CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, CREATE_UNICODE_ENVIRONMENT,
                              block.empty() ? nullptr : block.data(), workDir.empty() ? nullptr : workDir.c_str(), &si,
                              &pi) != FALSE;
    };
    // Wine now and then refuses a start with ERROR_INTERNAL_ERROR while other
    // processes start and end around it; that one failure is tried again.
    bool created = create();
    for (int attempt = 1; !created && GetLastError() == ERROR_INTERNAL_ERROR && attempt < 4; ++attempt) {
        Sleep(200);
        created = create();
    }
    if (created) {
        CloseHandle(pi.hThread);
        p.m_hProcess = pi.hProcess;
        p.m_nPid = pi.dwProcessId;
    } else {
        const DWORD error = GetLastError();
        p.m_strStartError = exe + L": " + SystemMessage(error) + L" (error " + std::to_wstring(error) + L")";
        fwprintf(stderr, L"could not start %ls\n", p.m_strStartError.c_str());
    }
    return p;
}

Process::Process(Process&& other) noexcept { *this = std::move(other); }

Process& Process::operator=(Process&& other) noexcept {
    if (this != &other) {
        Kill();
        m_hProcess = other.m_hProcess;
        m_nPid = other.m_nPid;
        m_strStartError = std::move(other.m_strStartError);
        other.m_hProcess = nullptr;
        other.m_nPid = 0;
    }
    return *this;
}

Process::~Process() { Kill(); }

bool Process::Running() const { return m_hProcess && WaitForSingleObject(m_hProcess, 0) == WAIT_TIMEOUT; }

std::optional<DWORD> Process::WaitExit(Ms timeout) {
    if (!m_hProcess) return std::nullopt;
    bool ended = WaitUntil([&] { return WaitForSingleObject(m_hProcess, 0) == WAIT_OBJECT_0; }, timeout);
    if (!ended) return std::nullopt;
    DWORD code = 0;
    GetExitCodeProcess(m_hProcess, &code);
    return code;
}

void Process::Kill() {
    if (!m_hProcess) return;
    if (Running()) {
        TerminateProcess(m_hProcess, 9);
        WaitForSingleObject(m_hProcess, 10000);
    }
    CloseHandle(m_hProcess);
    m_hProcess = nullptr;
    m_nPid = 0;
}

std::optional<DWORD> RunToExit(const std::wstring& exe, const std::vector<std::wstring>& args, Ms timeout,
                               const EnvVars& env) {
    Process p = Process::Start(exe, args, env);
    if (!p.Started()) return std::nullopt;
    return p.WaitExit(timeout);  // the destructor kills it after a timeout
}

}  // namespace zavo::e2e
