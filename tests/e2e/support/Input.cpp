#include <cstdlib>

#include "Harness.h"

namespace zavo::e2e {

namespace {

bool SendOne(INPUT input) {
    bool ok = SendInput(1, &input, sizeof input) == 1;
    // Give the target's thread a moment to see the event before the next one, as
    // a hand would.
    Sleep(30);
    return ok;
}

INPUT MouseInput(DWORD flags, LONG x = 0, LONG y = 0) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = x;
    in.mi.dy = y;
    in.mi.dwFlags = flags;
    return in;
}

}  // namespace

bool MoveMouseTo(HWND window, POINT client) {
    if (!window || !ClientToScreen(window, &client)) return false;
    int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    if (w < 2 || h < 2) return false;
    // Absolute coordinates are 0..65535 across the primary screen.
    LONG x = static_cast<LONG>((client.x * 65535LL + (w - 1) / 2) / (w - 1));
    LONG y = static_cast<LONG>((client.y * 65535LL + (h - 1) / 2) / (h - 1));
    return SendOne(MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, x, y));
}

bool ClickAt(HWND window, POINT client, bool rightButton) {
    if (!MoveMouseTo(window, client)) return false;
    DWORD down = rightButton ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN;
    DWORD up = rightButton ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP;
    return SendOne(MouseInput(down)) && SendOne(MouseInput(up));
}

bool PressKey(WORD virtualKey) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = virtualKey;
    if (!SendOne(in)) return false;
    in.ki.dwFlags = KEYEVENTF_KEYUP;
    return SendOne(in);
}

namespace {

constexpr wchar_t XDOTOOL[] = L"Z:\\usr\\bin\\xdotool";

std::wstring JoinForShell(const std::vector<std::wstring>& args) {
    std::wstring line = L"/usr/bin/xdotool";
    for (const auto& a : args) line += L" " + ShellQuoted(a);
    return line;
}

}  // namespace

std::wstring ShellQuoted(const std::wstring& word) {
    std::wstring quoted = L"'";
    for (wchar_t c : word) quoted += c == L'\'' ? std::wstring(L"'\\''") : std::wstring(1, c);
    return quoted + L"'";
}

std::optional<DWORD> RunShell(const std::wstring& command, Ms timeout) {
    // Wine starts a Unix program without giving back a process handle, so its end
    // and exit status cannot be waited for directly: a shell runs it and leaves
    // the status in a file, which is polled.
    static unsigned counter = 0;
    std::wstring status =
        L"/tmp/zavo-shell-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++counter) + L".status";
    std::wstring statusWin = WindowsPath(status);
    DeleteFileW(statusWin.c_str());
    Process shell = Process::Start(L"Z:\\bin\\sh", {L"-c", L"{ " + command + L"; } >/dev/null 2>&1; echo $? >" +
                                                               status + L".part; mv " + status + L".part " + status});
    std::optional<DWORD> code;
    WaitUntil(
        [&] {
            HANDLE f = CreateFileW(statusWin.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                                   OPEN_EXISTING, 0, nullptr);
            if (f == INVALID_HANDLE_VALUE) return false;
            char text[16] = {};
            DWORD got = 0;
            ReadFile(f, text, sizeof text - 1, &got, nullptr);
            CloseHandle(f);
            code = static_cast<DWORD>(atoi(text));
            return true;
        },
        timeout);
    DeleteFileW(statusWin.c_str());
    return code;
}

std::wstring UnixPath(const std::wstring& windowsPath) {
    using ToUnix = char*(__cdecl*)(const wchar_t*);
    auto toUnix = reinterpret_cast<ToUnix>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    if (!toUnix) return L"";
    char* unix = toUnix(windowsPath.c_str());
    if (!unix) return L"";
    std::wstring out;
    for (const char* c = unix; *c; ++c) out += static_cast<wchar_t>(static_cast<unsigned char>(*c));
    HeapFree(GetProcessHeap(), 0, unix);
    return out;
}

bool HaveXdotool() {
    DWORD attributes = GetFileAttributesW(XDOTOOL);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::optional<DWORD> RunXdotool(const std::vector<std::wstring>& args) {
    if (!HaveXdotool()) return std::nullopt;
    return RunShell(JoinForShell(args));
}

bool XdoClickAt(HWND window, POINT client, bool rightButton) {
    if (!window || !ClientToScreen(window, &client)) return false;
    auto code = RunXdotool(
        {L"mousemove", std::to_wstring(client.x), std::to_wstring(client.y), L"click", rightButton ? L"3" : L"1"});
    Sleep(30);
    return code && *code == 0;
}

}  // namespace zavo::e2e
