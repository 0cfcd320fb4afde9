// POSIX implementation of the file seam, for the native build (tests, fuzzers, tools).
#include "platform/FileSystem.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/TextCodec.h"

namespace zavo::fs {
namespace {

std::string NativePath(const std::wstring& path) {
    std::wstring p = path;
    for (auto& c : p)
        if (c == L'\\') c = L'/';
    return text::ToUtf8(p);
}

// The system's reason for the last failure, without the path: callers name the
// file themselves, as they do with the Win32 seam's messages.
Status Errno() { return Status::Fail(text::FromUtf8(std::strerror(errno))); }

bool EndsWithNoCase(const std::wstring& name, std::wstring_view suffix) {
    if (name.size() < suffix.size()) return false;
    for (size_t i = 0; i < suffix.size(); ++i) {
        wchar_t a = name[name.size() - suffix.size() + i], b = suffix[i];
        if (a >= L'A' && a <= L'Z') a += 32;
        if (b >= L'A' && b <= L'Z') b += 32;
        if (a != b) return false;
    }
    return true;
}

}  // namespace

Status SystemError(unsigned long code) {
    return Status::Fail(text::FromUtf8(std::strerror(static_cast<int>(code))));
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

bool DirectoryExists(const std::wstring& path) {
    struct stat st {};
    return ::stat(NativePath(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

Status ReadWholeFile(const std::wstring& path, std::string& bytes) {
    bytes.clear();
    int fd = ::open(NativePath(path).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return Errno();
    char buf[65536];
    for (;;) {
        ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR) continue;
            Status s = Errno();
            ::close(fd);
            return s;
        }
        if (n == 0) break;
        bytes.append(buf, static_cast<size_t>(n));
    }
    ::close(fd);
    return Status::Ok();
}

Status WriteFileAtomic(const std::wstring& path, std::string_view bytes) {
    const std::string target = NativePath(path);
    std::string tmp = target + ".tmp" + std::to_string(::getpid());
    int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return Errno();
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            Status s = Errno();
            ::close(fd);
            ::unlink(tmp.c_str());
            return s;
        }
        done += static_cast<size_t>(n);
    }
    if (::close(fd) != 0) {
        Status s = Errno();
        ::unlink(tmp.c_str());
        return s;
    }
    // Keep the mode of an existing target (a read-only file stays read-only and
    // refuses the write, as it does on Windows).
    struct stat st {};
    if (::stat(target.c_str(), &st) == 0) {
        if (::access(target.c_str(), W_OK) != 0) {
            Status s = Errno();
            ::unlink(tmp.c_str());
            return s;
        }
        ::chmod(tmp.c_str(), st.st_mode & 07777);
    }
    if (::rename(tmp.c_str(), target.c_str()) != 0) {
        Status s = Errno();
        ::unlink(tmp.c_str());
        return s;
    }
    return Status::Ok();
}

Status MakeDirectory(const std::wstring& path, bool* alreadyExists) {
    if (alreadyExists) *alreadyExists = false;
    std::string p = NativePath(path);
    while (p.size() > 1 && p.back() == '/') p.pop_back();
    if (::mkdir(p.c_str(), 0755) == 0) return Status::Ok();
    if (errno == EEXIST && alreadyExists) *alreadyExists = true;
    return Errno();
}

Status RemoveFile(const std::wstring& path) {
    if (::unlink(NativePath(path).c_str()) != 0) return Errno();
    return Status::Ok();
}

Status CopyOneFile(const std::wstring& from, const std::wstring& to, bool failIfExists) {
    if (failIfExists && (FileExists(to) || DirectoryExists(to))) {
        errno = EEXIST;
        return Errno();
    }
    std::string bytes;
    if (Status s = ReadWholeFile(from, bytes); !s) return s;
    return WriteFileAtomic(to, bytes);
}

std::vector<std::wstring> ListFiles(const std::wstring& folder, std::wstring_view suffix) {
    std::vector<std::wstring> names;
    std::string dirPath = NativePath(folder);
    DIR* dir = ::opendir(dirPath.empty() ? "." : dirPath.c_str());
    if (!dir) return names;
    while (dirent* e = ::readdir(dir)) {
        std::wstring name = text::FromUtf8(e->d_name);
        if (name == L"." || name == L"..") continue;
        if (!EndsWithNoCase(name, suffix)) continue;
        if (!FileExists(JoinPath(folder, name))) continue;
        names.push_back(std::move(name));
    }
    ::closedir(dir);
    return names;
}

}  // namespace zavo::fs
