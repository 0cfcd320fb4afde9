// Win32 implementation of the file seam, for the Windows build.
#include "platform/FileSystem.h"

#include <windows.h>

#include <algorithm>

namespace zavo::fs {
namespace {

std::wstring SystemMessage(DWORD code) {
    wchar_t* buf = nullptr;
    DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                 FORMAT_MESSAGE_IGNORE_INSERTS,
                             nullptr, code, 0, reinterpret_cast<wchar_t*>(&buf), 0, nullptr);
    std::wstring text = n ? std::wstring(buf, n) : L"Error " + std::to_wstring(code);
    if (buf) LocalFree(buf);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' '))
        text.pop_back();
    return text;
}

Status LastError() { return SystemError(GetLastError()); }

bool EndsWithNoCase(const std::wstring& name, std::wstring_view suffix) {
    if (name.size() < suffix.size()) return false;
    return CompareStringOrdinal(name.c_str() + name.size() - suffix.size(), static_cast<int>(suffix.size()),
                                suffix.data(), static_cast<int>(suffix.size()), TRUE) == CSTR_EQUAL;
}

bool IsSharingError(DWORD e) {
    return e == ERROR_SHARING_VIOLATION || e == ERROR_LOCK_VIOLATION || e == ERROR_ACCESS_DENIED;
}

}  // namespace

Status SystemError(unsigned long code) { return Status::Fail(SystemMessage(static_cast<DWORD>(code))); }

FileStamp Stat(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return {};
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return {};
    FileStamp s;
    s.exists = true;
    s.size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    s.mtime = static_cast<std::int64_t>((static_cast<std::uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                                        data.ftLastWriteTime.dwLowDateTime);
    return s;
}

bool FileExists(const std::wstring& path) { return Stat(path).exists; }

bool DirectoryExists(const std::wstring& path) {
    DWORD a = GetFileAttributesW(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

Status ReadWholeFile(const std::wstring& path, std::string& bytes) {
    bytes.clear();
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return LastError();
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(h, &size)) {
        Status s = LastError();
        CloseHandle(h);
        return s;
    }
    bytes.resize(static_cast<size_t>(size.QuadPart));
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD got = 0;
        DWORD want = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 30));
        if (!::ReadFile(h, bytes.data() + done, want, &got, nullptr)) {
            Status s = LastError();
            CloseHandle(h);
            return s;
        }
        if (got == 0) break;
        done += got;
    }
    bytes.resize(done);
    CloseHandle(h);
    return Status::Ok();
}

Status WriteFileAtomic(const std::wstring& path, std::string_view bytes) {
    // A read-only target refuses the write, as a direct write would.
    DWORD attrs = GetFileAttributesW(path.c_str());
    if (attrs != INVALID_FILE_ATTRIBUTES && (attrs & FILE_ATTRIBUTE_READONLY)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return LastError();
    }
    std::wstring tmp = path + L".tmp" + std::to_wstring(GetCurrentProcessId());
    HANDLE h = CreateFileW(tmp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return LastError();
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD put = 0;
        DWORD want = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 30));
        if (!WriteFile(h, bytes.data() + done, want, &put, nullptr) || put == 0) {
            Status s = LastError();
            CloseHandle(h);
            DeleteFileW(tmp.c_str());
            return s;
        }
        done += put;
    }
    if (!FlushFileBuffers(h)) {
        Status s = LastError();
        CloseHandle(h);
        DeleteFileW(tmp.c_str());
        return s;
    }
    CloseHandle(h);
    // Another process (the device service) may hold the target open for a moment.
    for (int attempt = 0;; ++attempt) {
        if (MoveFileExW(tmp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return Status::Ok();
        DWORD e = GetLastError();
        if (!IsSharingError(e) || attempt >= 20) {
            Status s = SystemError(e);
            DeleteFileW(tmp.c_str());
            return s;
        }
        Sleep(25);
    }
}

Status MakeDirectory(const std::wstring& path, bool* alreadyExists) {
    if (alreadyExists) *alreadyExists = false;
    if (::CreateDirectoryW(path.c_str(), nullptr)) return Status::Ok();
    DWORD e = GetLastError();
    if (e == ERROR_ALREADY_EXISTS && alreadyExists) *alreadyExists = true;
    return SystemError(e);
}

Status RemoveFile(const std::wstring& path) {
    if (::DeleteFileW(path.c_str())) return Status::Ok();
    return LastError();
}

Status CopyOneFile(const std::wstring& from, const std::wstring& to, bool failIfExists) {
    if (::CopyFileW(from.c_str(), to.c_str(), failIfExists ? TRUE : FALSE)) return Status::Ok();
    return LastError();
}

std::vector<std::wstring> ListFiles(const std::wstring& folder, std::wstring_view suffix) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW fd{};
    HANDLE h = FindFirstFileW(JoinPath(folder, L"*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return names;
    do {
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        std::wstring name = fd.cFileName;
        if (EndsWithNoCase(name, suffix)) names.push_back(std::move(name));
    } while (FindNextFileW(h, &fd));
    FindClose(h);
    return names;
}

}  // namespace zavo::fs
