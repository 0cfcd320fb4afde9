// The file seam of the portable core: the few file operations the settings engine,
// the macro files and the tools need, with a Win32 and a POSIX implementation.
//
// Paths are wide strings in the platform's form (backslashes, as the tool's folders
// are written); the POSIX implementation turns backslashes into slashes and encodes
// the path as UTF-8.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Outcome.h"

namespace zavo::fs {

// The outcome of a file operation (platform/Outcome.h): on failure the step,
// the file and the system's reason code, so that a window can tell the user in
// their language why a save failed.
using Status = Outcome;

// Size and modification time of a file; `exists` false when there is no such file.
struct FileStamp {
    bool exists = false;
    std::uint64_t size = 0;
    std::int64_t mtime = 0;  // platform ticks; only compared for equality
    bool operator==(const FileStamp& o) const { return exists == o.exists && size == o.size && mtime == o.mtime; }
    bool operator!=(const FileStamp& o) const { return !(*this == o); }
};

FileStamp Stat(const std::wstring& path);
bool FileExists(const std::wstring& path);  // a file (not a folder) is there
// Something is there (through links) that is no regular file: a folder, a pipe, a device.
bool IsSpecialFile(const std::wstring& path);
bool DirectoryExists(const std::wstring& path);

// Reads the whole file into `bytes`. Only a regular file (or a link to one) is
// read: a folder, a pipe or a device is refused (NotRegularFile) without
// waiting for a writer at its other end.
Status ReadWholeFile(const std::wstring& path, std::string& bytes);

// Replaces the file's content as one step: the bytes go to a PendingFile beside
// it, which then replaces the target. A reader sees the old file or the new one,
// never a part. Retries briefly while another process holds the target.
// The folder must exist; nothing is created above the file. Only a regular file
// is replaced: a target that is a link, a folder, a pipe or a device is refused
// (NotRegularFile) and stays as it is, and so is a read-only file (no write
// permission bit natively, whoever runs the program, even the administrator).
Status WriteFileAtomic(const std::wstring& path, std::string_view bytes);

// The refusal of a path that is there but is not a regular file.
Status NotRegularFile(FileStep step, const std::wstring& path);

// The temporary file a new content of `target` is written into before it replaces
// the target. Its name is the target's name, the writer's process id and a number,
// and a fixed ending: "Profile0.prof.4711-1.zavotmp". While the object lives the
// file is held as in use, so RemoveStaleTemporaries of any process keeps it; when
// the writer dies the system lets go of it. The file is removed when the object
// ends without Replace.
//
// The hold is the same for every kind of writer: an exclusive lock on one byte
// far past the file's end (kLiveByte), a record lock that the Windows build takes
// with LockFileEx and the native build with an open-file-description lock. Under
// Wine the Windows lock becomes a record lock on the real file, so a native
// process (zavocfg) and a Wine process (the tool) see each other's writers as
// alive. On Windows the writer's handle also refuses other openers their delete.
class PendingFile {
public:
    explicit PendingFile(const std::wstring& target);
    ~PendingFile();
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;

    // Whether the file could be made, and if not the system's reason.
    const Status& status() const { return status_; }
    const std::wstring& path() const { return path_; }
    Status Write(std::string_view bytes);
    // Makes the written bytes the target's content (keeping a native target's
    // permissions; refusing a read-only target).
    Status Replace();

private:
    void Discard();
    std::wstring target_, path_;
    Status status_;
    std::intptr_t handle_ = -1;  // the open file: a descriptor natively, a HANDLE on Windows
};

// The ending of PendingFile names.
constexpr std::wstring_view kPendingSuffix = L".zavotmp";

// The byte a live PendingFile holds locked: past any file's end, so no reader or
// writer of the content ever meets the lock.
constexpr std::uint64_t kLiveByte = 1ULL << 62;

// Whether a file name (not a path) is a PendingFile's, or the temporary file of a
// settings file that earlier versions left ("Profile0.prof.tmp10097").
bool IsPendingFileName(std::wstring_view name);
bool IsOldTemporaryName(std::wstring_view name);
// The name of the file a temporary file was to become ("Profile0.prof" for both
// kinds above); empty for any other name.
std::wstring_view TemporaryTarget(std::wstring_view name);

// Which files of a folder are the caller's own: given a file name (not a path),
// whether the program writes that file in that folder.
using OwnFileName = bool (*)(std::wstring_view name);

// Removes from `folder` the temporary files writers left there when they were
// killed or the power failed, of the files `ours` accepts only: PendingFile names
// that no live writer holds, and the "<name>.tmp<process id>" files of settings
// files (.config, .prof, .ini) that earlier versions wrote without holding them,
// once older than five minutes. Only regular files are removed, never through a
// link; nothing else in the folder is touched. Returns how many were removed.
size_t RemoveStaleTemporaries(const std::wstring& folder, OwnFileName ours);

// Creates the last level of `path` (a trailing backslash is allowed). Fails when
// the folder already exists (`alreadyExists` then set) or the parent is missing.
Status MakeDirectory(const std::wstring& path, bool* alreadyExists = nullptr);

Status RemoveFile(const std::wstring& path);
// Renames a file in one step, replacing `to` when it exists (same volume).
Status RenameFile(const std::wstring& from, const std::wstring& to);

// Copies the bytes of `from` to `to`; with failIfExists an existing `to` is kept
// and the call fails.
Status CopyOneFile(const std::wstring& from, const std::wstring& to, bool failIfExists);

// Names (not paths) of the plain files in `folder` whose name ends with `suffix`
// (compared without regard to ASCII letter case), in the order the platform's
// directory enumeration gives them.
std::vector<std::wstring> ListFiles(const std::wstring& folder, std::wstring_view suffix);

// Makes `to` a second name of the file `from` (a hard link: no bytes copied), or,
// where the file system cannot link, a copy of it. `to` must not exist. Because
// every settings write replaces its file by a rename, the linked name keeps the
// content the file had when it was linked.
Status LinkOrCopyFile(const std::wstring& from, const std::wstring& to);

// Names (not paths) of the sub-folders of `folder`, in the order the platform's
// directory enumeration gives them.
std::vector<std::wstring> ListFolders(const std::wstring& folder);

// Removes an empty folder.
Status RemoveEmptyFolder(const std::wstring& path);

// Whether `path` itself (not what a link names) is a plain file, or a plain
// folder: a symbolic link, a junction or any other reparse point is neither.
// For code that removes what it made and must never follow a link doing so.
bool IsPlainFile(const std::wstring& path);
bool IsPlainFolder(const std::wstring& path);

// The plain files and the plain folders in `folder` (links and reparse points
// are neither), from one enumeration without a look at each entry where the
// platform's enumeration says what it is. Names, not paths.
struct PlainEntries {
    std::vector<std::wstring> files, folders;
};
PlainEntries ListPlainEntries(const std::wstring& folder);

// Joins a folder and a name with exactly one backslash between them.
std::wstring JoinPath(const std::wstring& folder, const std::wstring& name);

// A failure of `step` on `path` for the system's error code (GetLastError on
// Windows, errno natively).
Status SystemError(FileStep step, const std::wstring& path, unsigned long code);

}  // namespace zavo::fs
