// POSIX implementation of the file seam, for the native build (tests, fuzzers, tools).
#include "platform/FileSystem.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/FileSystemInternal.h"
#include "platform/TextCodec.h"

namespace zavo {

std::wstring SystemReasonText(std::uint32_t code, std::uint16_t) {
    return text::FromUtf8(std::strerror(static_cast<int>(code)));
}

}  // namespace zavo

namespace zavo::fs {
namespace {

std::string NativePath(const std::wstring& path) {
    std::wstring p = path;
    for (auto& c : p)
        if (c == L'\\') c = L'/';
    return text::ToUtf8(p);
}

// The last failure's step, file and errno.
Status Errno(FileStep step, const std::wstring& path) { return Outcome::System(step, path, static_cast<std::uint32_t>(errno)); }

// Takes (wait) or tries the exclusive lock on kLiveByte that marks a live
// PendingFile. An open-file-description lock: it stays while any duplicate of
// the descriptor is open and conflicts with the record locks Wine takes for a
// Windows program's LockFileEx. `fd` must be open for writing.
bool LockLiveByte(int fd, bool wait) {
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    lock.l_start = static_cast<off_t>(kLiveByte);
    lock.l_len = 1;
    int r;
    while ((r = ::fcntl(fd, wait ? F_OFD_SETLKW : F_OFD_SETLK, &lock)) != 0 && errno == EINTR) {
    }
    return r == 0;
}

bool SameFile(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

}  // namespace

Status SystemError(FileStep step, const std::wstring& path, unsigned long code) {
    return Outcome::System(step, path, static_cast<std::uint32_t>(code));
}

FileStamp Stat(const std::wstring& path) {
    struct stat st {};
    if (::stat(NativePath(path).c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return {};
    FileStamp s;
    s.exists = true;
    s.size = static_cast<std::uint64_t>(st.st_size);
    s.mtime = static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec;
    return s;
}

bool FileExists(const std::wstring& path) { return Stat(path).exists; }

bool IsSpecialFile(const std::wstring& path) {
    struct stat st {};
    return ::stat(NativePath(path).c_str(), &st) == 0 && !S_ISREG(st.st_mode);
}

bool DirectoryExists(const std::wstring& path) {
    struct stat st {};
    return ::stat(NativePath(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

Status ReadWholeFile(const std::wstring& path, std::string& bytes) {
    bytes.clear();
    const std::string native = NativePath(path);
    // Not opened at all when the name shows a pipe or a device; opened without
    // waiting (a pipe would wait for a writer) and checked again when it is one now.
    struct stat st {};
    if (IsSpecialFile(path)) return NotRegularFile(FileStep::Read, path);
    int fd = ::open(native.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return Errno(FileStep::Read, path);
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return NotRegularFile(FileStep::Read, path);
    }
    char buf[65536];
    for (;;) {
        ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR) continue;
            Status s = Errno(FileStep::Read, path);
            ::close(fd);
            return s;
        }
        if (n == 0) break;
        bytes.append(buf, static_cast<size_t>(n));
    }
    ::close(fd);
    return Status::Ok();
}

PendingFile::PendingFile(const std::wstring& target) : target_(target) {
    static std::atomic<unsigned> serial{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        path_ = target + L"." + std::to_wstring(::getpid()) + L"-" + std::to_wstring(++serial) +
                std::wstring(kPendingSuffix);
        const std::string native = NativePath(path_);
        const int fd = ::open(native.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd < 0) {
            if (errno == EEXIST) continue;
            status_ = Errno(FileStep::Write, target);
            path_.clear();
            return;
        }
        // Held from here until the file is renamed or removed. A clean-up that
        // opened the new file before the lock was taken may have removed it in
        // between: the lock must be on the file the name still shows.
        const bool locked = LockLiveByte(fd, true);
        struct stat held {
        }, named{};
        if (!locked || (::fstat(fd, &held) == 0 && ::stat(native.c_str(), &named) == 0 && SameFile(held, named))) {
            // (A file system without locks: the file is written unheld, and no
            // clean-up removes it, since none can take its lock either.)
            handle_ = fd;
            return;
        }
        ::close(fd);
    }
    status_ = Outcome::Refused(FileStep::Write, target, Refusal::NoTemporary);
    path_.clear();
}

PendingFile::~PendingFile() { Discard(); }

void PendingFile::Discard() {
    if (handle_ < 0) return;
    ::unlink(NativePath(path_).c_str());  // while still holding it
    ::close(static_cast<int>(handle_));
    handle_ = -1;
}

Status PendingFile::Write(std::string_view bytes) {
    if (handle_ < 0) return status_.ok() ? Outcome::Refused(FileStep::Write, target_, Refusal::Closed) : status_;
    const int fd = static_cast<int>(handle_);
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            Status s = Errno(FileStep::Write, target_);
            Discard();
            return s;
        }
        done += static_cast<size_t>(n);
    }
    return Status::Ok();
}

Status PendingFile::Replace() {
    if (handle_ < 0) return status_.ok() ? Outcome::Refused(FileStep::Replace, target_, Refusal::Closed) : status_;
    // Write errors that some file systems report only when a descriptor is closed
    // (NFS) show here, before the target is replaced: a second descriptor of the
    // file is closed, while the first keeps the lock.
    const int probe = ::dup(static_cast<int>(handle_));
    if (probe < 0 || ::close(probe) != 0) {
        Status s = Errno(FileStep::Replace, target_);
        Discard();
        return s;
    }
    const std::string target = NativePath(target_);
    // Only a regular file is replaced: a link, a pipe or a device keeps its name.
    // Keep the mode of an existing target; a read-only one (no write bit, which
    // the administrator's access check would pass) refuses the write, as it
    // does on Windows.
    struct stat st {};
    if (::lstat(target.c_str(), &st) == 0) {
        Status refused;
        if (!S_ISREG(st.st_mode)) {
            refused = NotRegularFile(FileStep::Replace, target_);
        } else if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
            errno = EACCES;
            refused = Errno(FileStep::Replace, target_);
        } else if (::access(target.c_str(), W_OK) != 0) {
            refused = Errno(FileStep::Replace, target_);
        }
        if (!refused) {
            Discard();
            return refused;
        }
        ::fchmod(static_cast<int>(handle_), st.st_mode & 07777);
    }
    if (::rename(NativePath(path_).c_str(), target.c_str()) != 0) {
        Status s = Errno(FileStep::Replace, target_);
        Discard();
        return s;
    }
    // The lock goes with the descriptor; the file now has the target's name.
    const int fd = static_cast<int>(handle_);
    handle_ = -1;
    if (::close(fd) != 0) return Errno(FileStep::Replace, target_);
    return Status::Ok();
}

namespace internal {

bool RemoveIfUnheld(const std::wstring& path) {
    const std::string native = NativePath(path);
    // Opened for writing, which the lock needs; never through a link.
    const int fd = ::open(native.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0) return false;
    bool removed = false;
    struct stat held {
    }, named{};
    // Removed only while this lock is held, and only the regular file that was locked.
    if (::fstat(fd, &held) == 0 && S_ISREG(held.st_mode) && LockLiveByte(fd, false) &&
        ::lstat(native.c_str(), &named) == 0 && SameFile(held, named))
        removed = ::unlink(native.c_str()) == 0;
    ::close(fd);
    return removed;
}

bool RemoveIfRegular(const std::wstring& path) {
    const std::string native = NativePath(path);
    struct stat st {};
    return ::lstat(native.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::unlink(native.c_str()) == 0;
}

double ModifiedSecondsAgo(const std::wstring& path) {
    const FileStamp s = Stat(path);
    if (!s.exists) return -1;
    struct timespec now {};
    ::clock_gettime(CLOCK_REALTIME, &now);
    const std::int64_t ns = static_cast<std::int64_t>(now.tv_sec) * 1000000000LL + now.tv_nsec;
    return static_cast<double>(ns - s.mtime) / 1e9;
}

}  // namespace internal

Status MakeDirectory(const std::wstring& path, bool* alreadyExists) {
    if (alreadyExists) *alreadyExists = false;
    std::string p = NativePath(path);
    while (p.size() > 1 && p.back() == '/') p.pop_back();
    if (::mkdir(p.c_str(), 0755) == 0) return Status::Ok();
    if (errno == EEXIST && alreadyExists) *alreadyExists = true;
    return Errno(FileStep::MakeFolder, path);
}

Status RemoveFile(const std::wstring& path) {
    if (::unlink(NativePath(path).c_str()) != 0) return Errno(FileStep::Remove, path);
    return Status::Ok();
}

Status RenameFile(const std::wstring& from, const std::wstring& to) {
    if (::rename(NativePath(from).c_str(), NativePath(to).c_str()) != 0) return Errno(FileStep::Rename, from);
    return Status::Ok();
}

Status CopyOneFile(const std::wstring& from, const std::wstring& to, bool failIfExists) {
    if (failIfExists && (FileExists(to) || DirectoryExists(to))) {
        errno = EEXIST;
        return Errno(FileStep::Copy, to);
    }
    std::string bytes;
    if (Status s = ReadWholeFile(from, bytes); !s) return s;
    return WriteFileAtomic(to, bytes);
}

Status LinkOrCopyFile(const std::wstring& from, const std::wstring& to) {
    if (::link(NativePath(from).c_str(), NativePath(to).c_str()) == 0) return Status::Ok();
    // Only a file system without links falls back to a copy; any other reason
    // (no such file, no right to write, the name taken) is the answer.
    if (errno != EPERM && errno != EXDEV && errno != EMLINK && errno != ENOTSUP) return Errno(FileStep::Link, to);
    return CopyOneFile(from, to, true);
}

std::vector<std::wstring> ListFolders(const std::wstring& folder) {
    std::vector<std::wstring> names;
    DIR* dir = ::opendir(NativePath(folder).c_str());
    if (!dir) return names;
    while (dirent* e = ::readdir(dir)) {
        std::wstring name = text::FromUtf8(e->d_name);
        if (name == L"." || name == L"..") continue;
        if (DirectoryExists(JoinPath(folder, name))) names.push_back(std::move(name));
    }
    ::closedir(dir);
    return names;
}

Status RemoveEmptyFolder(const std::wstring& path) {
    if (::rmdir(NativePath(path).c_str()) != 0) return Errno(FileStep::Remove, path);
    return Status::Ok();
}

std::vector<std::wstring> ListFiles(const std::wstring& folder, std::wstring_view suffix) {
    std::vector<std::wstring> names;
    std::string dirPath = NativePath(folder);
    DIR* dir = ::opendir(dirPath.empty() ? "." : dirPath.c_str());
    if (!dir) return names;
    while (dirent* e = ::readdir(dir)) {
        std::wstring name = text::FromUtf8(e->d_name);
        if (name == L"." || name == L"..") continue;
        if (!internal::EndsWithNoCase(name, suffix)) continue;
        if (!FileExists(JoinPath(folder, name))) continue;
        names.push_back(std::move(name));
    }
    ::closedir(dir);
    return names;
}

namespace {
bool LinkStatIs(const std::wstring& path, mode_t type) {
    struct stat st {};
    return ::lstat(NativePath(path).c_str(), &st) == 0 && (st.st_mode & S_IFMT) == type;
}
}  // namespace

bool IsPlainFile(const std::wstring& path) { return LinkStatIs(path, S_IFREG); }
bool IsPlainFolder(const std::wstring& path) { return LinkStatIs(path, S_IFDIR); }

PlainEntries ListPlainEntries(const std::wstring& folder) {
    PlainEntries out;
    DIR* dir = ::opendir(NativePath(folder).c_str());
    if (!dir) return out;
    while (dirent* e = ::readdir(dir)) {
        std::wstring name = text::FromUtf8(e->d_name);
        if (name == L"." || name == L"..") continue;
        unsigned char type = e->d_type;
        if (type == DT_UNKNOWN) {
            const std::wstring path = JoinPath(folder, name);
            type = LinkStatIs(path, S_IFREG) ? DT_REG : LinkStatIs(path, S_IFDIR) ? DT_DIR : DT_UNKNOWN;
        }
        if (type == DT_REG) out.files.push_back(std::move(name));
        else if (type == DT_DIR) out.folders.push_back(std::move(name));
    }
    ::closedir(dir);
    return out;
}

}  // namespace zavo::fs
