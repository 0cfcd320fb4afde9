#include <cstdlib>

#include "Harness.h"
#include "platform/FileSystem.h"
#include "platform/Win32Handle.h"

namespace zavo::e2e {

namespace {

std::wstring EnvVar(const wchar_t* name) {
    wchar_t buffer[4096];
    DWORD n = GetEnvironmentVariableW(name, buffer, 4096);
    return n > 0 && n < 4096 ? std::wstring(buffer, n) : L"";
}

std::wstring WithBackslash(std::wstring folder) {
    if (!folder.empty() && folder.back() != L'\\') folder += L'\\';
    return folder;
}

}  // namespace

std::wstring WindowsPath(const std::wstring& path) {
    if (path.empty() || path[0] != L'/') return path;
    std::wstring out = L"Z:" + path;
    for (auto& c : out) {
        if (c == L'/') c = L'\\';
    }
    return out;
}

std::wstring BinDir() {
    std::wstring dir = EnvVar(L"ZAVO_BIN_DIR");
    return dir.empty() ? L"" : WithBackslash(WindowsPath(dir));
}

std::wstring BinPath(const std::wstring& name) { return BinDir() + name; }

bool CopyTree(const std::wstring& from, const std::wstring& to) {
    if (!fs::DirectoryExists(to) && !fs::MakeDirectory(to)) return false;
    WIN32_FIND_DATAW fd;
    ScopedFind find(FindFirstFileW((from + L"\\*").c_str(), &fd));
    if (!find) return false;
    bool ok = true;
    do {
        const std::wstring name = fd.cFileName;
        if (name == L"." || name == L"..") continue;
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            ok = CopyTree(from + L"\\" + name, to + L"\\" + name) && ok;
        else
            ok = fs::CopyOneFile(from + L"\\" + name, to + L"\\" + name, false) && ok;
    } while (FindNextFileW(find.Get(), &fd));
    return ok;
}

std::wstring ArtefactDir() {
    std::wstring dir = EnvVar(L"ZAVO_ARTEFACT_DIR");
    if (dir.empty()) {
        std::wstring bin = BinDir();
        dir = bin.empty() ? L".\\e2e-artefacts" : bin + L"..\\e2e-artefacts";
    }
    dir = WithBackslash(WindowsPath(dir));
    CreateDirectoryW(dir.c_str(), nullptr);
    return dir;
}

bool WaitUntil(const std::function<bool()>& condition, Ms timeout, Ms poll) {
    ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(timeout.count());
    for (;;) {
        Pump();
        if (condition()) return true;
        if (GetTickCount64() >= end) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(poll.count()), QS_ALLINPUT);
    }
}

void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

}  // namespace zavo::e2e
