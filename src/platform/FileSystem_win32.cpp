// Win32 implementation of the file seam, for the Windows build.
#include "platform/FileSystem.h"
#include "platform/Win32Handle.h"

#include <windows.h>

#include <algorithm>
#include <atomic>

#include "platform/FileSystemInternal.h"

namespace zavo {

std::wstring SystemReasonText(std::uint32_t code, std::uint16_t languageId) {
    constexpr DWORD kFlags =
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS;
    wchar_t* buf = nullptr;
    DWORD n = FormatMessageW(kFlags, nullptr, code, languageId, reinterpret_cast<wchar_t*>(&buf), 0, nullptr);
    if (!n && languageId != 0) n = FormatMessageW(kFlags, nullptr, code, 0, reinterpret_cast<wchar_t*>(&buf), 0, nullptr);
    std::wstring text = n ? std::wstring(buf, n) : L"Error " + std::to_wstring(code);
    if (buf) LocalFree(buf);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ')) text.pop_back();
    return text;
}

}  // namespace zavo

namespace zavo::fs {
namespace {

Status LastError(FileStep step, const std::wstring& path) { return SystemError(step, path, GetLastError()); }

bool IsSharingError(DWORD e) {
    return e == ERROR_SHARING_VIOLATION || e == ERROR_LOCK_VIOLATION || e == ERROR_ACCESS_DENIED;
}

// Tries the exclusive lock on kLiveByte that marks a live PendingFile (under
// Wine a record lock on the real file, which native processes see too).
bool LockLiveByte(HANDLE h) {
    OVERLAPPED at{};
    at.Offset = static_cast<DWORD>(kLiveByte & 0xFFFFFFFFu);
    at.OffsetHigh = static_cast<DWORD>(kLiveByte >> 32);
    return ::LockFileEx(h, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at) != 0;
}

// Attributes of a name that is there but is no regular file: a folder, a link
// (reparse point) or a device.
constexpr DWORD kNotRegular = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DEVICE;

// Whether an open handle is of a file on a disk (not a pipe, a console or another device).
bool IsDiskFile(HANDLE h) { return ::GetFileType(h) == FILE_TYPE_DISK; }

}  // namespace

Status SystemError(FileStep step, const std::wstring& path, unsigned long code) {
    return Outcome::System(step, path, static_cast<std::uint32_t>(code));
}

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

bool IsSpecialFile(const std::wstring& path) {
    const DWORD attrs = GetFileAttributesW(path.c_str());
    return attrs != INVALID_FILE_ATTRIBUTES && (attrs & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE));
}

bool DirectoryExists(const std::wstring& path) {
    DWORD a = GetFileAttributesW(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

Status ReadWholeFile(const std::wstring& path, std::string& bytes) {
    bytes.clear();
    if (IsSpecialFile(path)) return NotRegularFile(FileStep::Read, path);
    const ScopedFile file(CreateFileW(path.c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return LastError(FileStep::Read, path);
    const HANDLE h = file.Get();
    if (!IsDiskFile(h)) return NotRegularFile(FileStep::Read, path);
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(h, &size)) return LastError(FileStep::Read, path);
    bytes.resize(static_cast<size_t>(size.QuadPart));
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD got = 0;
        DWORD want = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 30));
        if (!::ReadFile(h, bytes.data() + done, want, &got, nullptr)) return LastError(FileStep::Read, path);
        if (got == 0) break;
        done += got;
    }
    bytes.resize(done);
    return Status::Ok();
}

// The file is opened for writing with reading and deleting shared: readers of the
// target after the rename, and the rename itself (which opens the file for
// deleting), go through, while a clean-up, which asks for the file unshared,
// is refused as long as this handle is open.
PendingFile::PendingFile(const std::wstring& target) : target_(target) {
    static std::atomic<unsigned> serial{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        path_ = target + L"." + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++serial) +
                std::wstring(kPendingSuffix);
        HANDLE h = CreateFileW(path_.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h != INVALID_HANDLE_VALUE) {
            // Under Wine a native clean-up may have taken the new file before the
            // lock: it then holds the lock, or the name is gone. Either way the
            // next name is tried. (On a file system without locks the file is
            // written unheld, as natively.)
            const bool taken = !LockLiveByte(h) && GetLastError() == ERROR_LOCK_VIOLATION;
            if (!taken && GetFileAttributesW(path_.c_str()) != INVALID_FILE_ATTRIBUTES) {
                handle_ = reinterpret_cast<std::intptr_t>(h);
                return;
            }
            CloseHandle(h);
            continue;
        }
        const DWORD e = GetLastError();
        if (e == ERROR_FILE_EXISTS || e == ERROR_ALREADY_EXISTS) continue;
        status_ = SystemError(FileStep::Write, target, e);
        path_.clear();
        return;
    }
    status_ = Outcome::Refused(FileStep::Write, target, Refusal::NoTemporary);
    path_.clear();
}

PendingFile::~PendingFile() { Discard(); }

void PendingFile::Discard() {
    if (handle_ == -1) return;
    DeleteFileW(path_.c_str());  // goes when the handle closes
    CloseHandle(reinterpret_cast<HANDLE>(handle_));
    handle_ = -1;
}

Status PendingFile::Write(std::string_view bytes) {
    if (handle_ == -1) return status_.ok() ? Outcome::Refused(FileStep::Write, target_, Refusal::Closed) : status_;
    HANDLE h = reinterpret_cast<HANDLE>(handle_);
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD put = 0;
        DWORD want = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 30));
        if (!WriteFile(h, bytes.data() + done, want, &put, nullptr) || put == 0) {
            Status s = LastError(FileStep::Write, target_);
            Discard();
            return s;
        }
        done += put;
    }
    return Status::Ok();
}

Status PendingFile::Replace() {
    if (handle_ == -1) return status_.ok() ? Outcome::Refused(FileStep::Replace, target_, Refusal::Closed) : status_;
    // Only a regular file is replaced: a link, a folder or a device keeps its
    // name. A read-only target refuses the write, as a direct write would.
    DWORD attrs = GetFileAttributesW(target_.c_str());
    if (attrs != INVALID_FILE_ATTRIBUTES && (attrs & kNotRegular)) {
        Discard();
        return NotRegularFile(FileStep::Replace, target_);
    }
    if (attrs != INVALID_FILE_ATTRIBUTES && (attrs & FILE_ATTRIBUTE_READONLY)) {
        Discard();
        SetLastError(ERROR_ACCESS_DENIED);
        return LastError(FileStep::Replace, target_);
    }
    if (!FlushFileBuffers(reinterpret_cast<HANDLE>(handle_))) {
        Status s = LastError(FileStep::Replace, target_);
        Discard();
        return s;
    }
    // Renamed while still held. Another process (the device service) may hold
    // the target open for a moment.
    for (int attempt = 0;; ++attempt) {
        if (MoveFileExW(path_.c_str(), target_.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            CloseHandle(reinterpret_cast<HANDLE>(handle_));
            handle_ = -1;
            return Status::Ok();
        }
        DWORD e = GetLastError();
        if (!IsSharingError(e) || attempt >= 20) {
            Status s = SystemError(FileStep::Replace, target_, e);
            Discard();
            return s;
        }
        Sleep(25);
    }
}

namespace internal {

bool RemoveIfUnheld(const std::wstring& path) {
    // Asked for unshared: refused while any writer of this system has the file
    // open. Under Wine a native writer holds the live byte's lock instead. The
    // file goes when this handle closes, at the end of the scope; a link is
    // opened as itself and left.
    const ScopedFile unheld(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE | DELETE, 0, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!unheld || !IsDiskFile(unheld.Get())) return false;
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(unheld.Get(), &info) || (info.dwFileAttributes & kNotRegular)) return false;
    if (!LockLiveByte(unheld.Get())) return false;
    FILE_DISPOSITION_INFO gone{};
    gone.DeleteFile = TRUE;
    return SetFileInformationByHandle(unheld.Get(), FileDispositionInfo, &gone, sizeof gone) != 0;
}

bool RemoveIfRegular(const std::wstring& path) {
    const DWORD attrs = GetFileAttributesW(path.c_str());
    return attrs != INVALID_FILE_ATTRIBUTES && !(attrs & kNotRegular) && DeleteFileW(path.c_str());
}

double ModifiedSecondsAgo(const std::wstring& path) {
    const FileStamp s = Stat(path);
    if (!s.exists) return -1;
    FILETIME ft{};
    GetSystemTimeAsFileTime(&ft);
    const std::int64_t now =
        static_cast<std::int64_t>((static_cast<std::uint64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime);
    return static_cast<double>(now - s.mtime) / 1e7;
}

}  // namespace internal

Status MakeDirectory(const std::wstring& path, bool* alreadyExists) {
    if (alreadyExists) *alreadyExists = false;
    if (::CreateDirectoryW(path.c_str(), nullptr)) return Status::Ok();
    DWORD e = GetLastError();
    if (e == ERROR_ALREADY_EXISTS && alreadyExists) *alreadyExists = true;
    return SystemError(FileStep::MakeFolder, path, e);
}

Status RemoveFile(const std::wstring& path) {
    if (::DeleteFileW(path.c_str())) return Status::Ok();
    return LastError(FileStep::Remove, path);
}

Status RenameFile(const std::wstring& from, const std::wstring& to) {
    if (::MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING)) return Status::Ok();
    return LastError(FileStep::Rename, from);
}

Status CopyOneFile(const std::wstring& from, const std::wstring& to, bool failIfExists) {
    // Between regular files only, as the native copy (read whole, write atomic).
    const DWORD toAttrs = GetFileAttributesW(to.c_str());
    if (IsSpecialFile(from) || (toAttrs != INVALID_FILE_ATTRIBUTES && (toAttrs & kNotRegular))) return NotRegularFile(FileStep::Copy, to);
    if (::CopyFileW(from.c_str(), to.c_str(), failIfExists ? TRUE : FALSE)) return Status::Ok();
    return LastError(FileStep::Copy, to);
}

Status LinkOrCopyFile(const std::wstring& from, const std::wstring& to) {
    if (::CreateHardLinkW(to.c_str(), from.c_str(), nullptr)) return Status::Ok();
    const DWORD e = GetLastError();
    // Only a file system without links (FAT, some network shares) falls back to
    // a copy; any other reason (no such file, access denied, the name taken) is the answer.
    if (e != ERROR_INVALID_FUNCTION && e != ERROR_NOT_SUPPORTED && e != ERROR_NOT_SAME_DEVICE &&
        e != ERROR_TOO_MANY_LINKS && e != ERROR_CALL_NOT_IMPLEMENTED)
        return SystemError(FileStep::Link, to, e);
    return CopyOneFile(from, to, true);
}

std::vector<std::wstring> ListFolders(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW fd{};
    const ScopedFind search(FindFirstFileW(JoinPath(folder, L"*").c_str(), &fd));
    if (!search) return names;
    do {
        if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) continue;
        std::wstring name = fd.cFileName;
        if (name != L"." && name != L"..") names.push_back(std::move(name));
    } while (FindNextFileW(search.Get(), &fd));
    return names;
}

Status RemoveEmptyFolder(const std::wstring& path) {
    if (::RemoveDirectoryW(path.c_str())) return Status::Ok();
    return LastError(FileStep::Remove, path);
}

std::vector<std::wstring> ListFiles(const std::wstring& folder, std::wstring_view suffix) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW fd{};
    const ScopedFind search(FindFirstFileW(JoinPath(folder, L"*").c_str(), &fd));
    if (!search) return names;
    do {
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        std::wstring name = fd.cFileName;
        if (internal::EndsWithNoCase(name, suffix)) names.push_back(std::move(name));
    } while (FindNextFileW(search.Get(), &fd));
    return names;
}

namespace {
// The attributes of `path` itself; a reparse point (symbolic link, junction,
// mount point) is reported as such and never followed.
bool AttributesAre(const std::wstring& path, bool folder) {
    const DWORD a = GetFileAttributesW(path.c_str());
    if (a == INVALID_FILE_ATTRIBUTES || (a & FILE_ATTRIBUTE_REPARSE_POINT)) return false;
    return ((a & FILE_ATTRIBUTE_DIRECTORY) != 0) == folder;
}
}  // namespace

bool IsPlainFile(const std::wstring& path) { return AttributesAre(path, false); }
bool IsPlainFolder(const std::wstring& path) { return AttributesAre(path, true); }

PlainEntries ListPlainEntries(const std::wstring& folder) {
    PlainEntries out;
    WIN32_FIND_DATAW fd{};
    const ScopedFind search(FindFirstFileW(JoinPath(folder, L"*").c_str(), &fd));
    if (!search) return out;
    do {
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) continue;
        std::wstring name = fd.cFileName;
        if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            out.files.push_back(std::move(name));
        else if (name != L"." && name != L"..")
            out.folders.push_back(std::move(name));
    } while (FindNextFileW(search.Get(), &fd));
    return out;
}

}  // namespace zavo::fs
