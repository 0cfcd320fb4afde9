#include "app/Switcher.h"

#include <windows.h>

#include "platform/Win32Handle.h"

namespace zavo::switcher {

namespace {

constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// The registry value or program that could not be written or started, with the system's code.
fs::Status SystemFailure(FileStep step, const std::wstring& what, LONG code) {
    return Outcome::System(step, what, static_cast<std::uint32_t>(code));
}

// The per-user Run key, opened (made when missing) for setting its values;
// `result` gets the system's code.
ScopedRegKey OpenRunKey(LONG& result) {
    HKEY opened = nullptr;
    result = ::RegCreateKeyExW(HKEY_CURRENT_USER, kRunKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &opened, nullptr);
    return ScopedRegKey(result == ERROR_SUCCESS ? opened : nullptr);
}

}  // namespace

std::wstring RunCommand(const std::wstring& programFolder) { return L"\"" + programFolder + kExeName + L"\""; }

bool StartsWithWindows() {
    DWORD type = 0;
    return ::RegGetValueW(HKEY_CURRENT_USER, kRunKey, kRunValue, RRF_RT_REG_SZ, &type, nullptr, nullptr) ==
           ERROR_SUCCESS;
}

fs::Status SetStartWithWindows(bool on, const std::wstring& programFolder) {
    LONG r = ERROR_SUCCESS;
    const ScopedRegKey key = OpenRunKey(r);
    if (!key) return SystemFailure(FileStep::Write, kRunKey, r);
    if (on) {
        const std::wstring command = RunCommand(programFolder);
        r = ::RegSetValueExW(key, kRunValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                             static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t)));
    } else {
        r = ::RegDeleteValueW(key, kRunValue);
        if (r == ERROR_FILE_NOT_FOUND) r = ERROR_SUCCESS;
    }
    return r == ERROR_SUCCESS ? fs::Status::Ok() : SystemFailure(FileStep::Write, kRunValue, r);
}

std::wstring ImagePathOfWindow(HWND window) {
    DWORD pid = 0;
    if (!window || !::GetWindowThreadProcessId(window, &pid) || !pid) return L"";
    ScopedKernelObject process(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid));
    if (!process) return L"";
    wchar_t path[MAX_PATH * 2] = {};
    DWORD size = MAX_PATH * 2;
    if (!::QueryFullProcessImageNameW(process.Get(), 0, path, &size)) return L"";
    return std::wstring(path, size);
}

HWND RunningWindow() { return ::FindWindowW(kWindowClass, nullptr); }

fs::Status StartIfNotRunning(const std::wstring& programFolder) {
    if (RunningWindow()) return fs::Status::Ok();
    std::wstring command = RunCommand(programFolder);
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, programFolder.c_str(), &si,
                          &pi))
        return SystemFailure(FileStep::Read, programFolder + kExeName, static_cast<LONG>(::GetLastError()));
    ScopedKernelObject process(pi.hProcess), thread(pi.hThread);
    return fs::Status::Ok();
}

}  // namespace zavo::switcher
