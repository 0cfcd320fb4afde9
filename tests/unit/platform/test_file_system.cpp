#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <functional>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#ifndef _WIN32
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "platform/FileSystem.h"
#include "platform/TextCodec.h"
#include "FileAge.h"
#include "TempDir.h"

using namespace zavo;

TEST(FileSystem, AtomicWriteReplacesWholeFileAndLeavesNoTemporary) {
    TempDir dir;
    const std::wstring file = fs::JoinPath(dir.path(), L"Config.config");
    ASSERT_TRUE(fs::WriteFileAtomic(file, "first version, longer"));
    ASSERT_TRUE(fs::WriteFileAtomic(file, "second"));
    std::string bytes;
    ASSERT_TRUE(fs::ReadWholeFile(file, bytes));
    EXPECT_EQ(bytes, "second");
    EXPECT_EQ(fs::ListFiles(dir.path(), L""), std::vector<std::wstring>{L"Config.config"});
}

// Every failure says which step failed, on which file, and the system's code
// (errno natively, GetLastError on Windows), so that a window can word it in the
// user's language; the program's own refusals carry their reason instead.
TEST(FileSystem, FailuresCarryTheStepTheFileAndTheSystemCode) {
    TempDir dir;
    const std::wstring there = fs::JoinPath(dir.path(), L"there.ini");
    const std::wstring missing = fs::JoinPath(dir.path(), L"missing.ini");
    const std::wstring noFolder = fs::JoinPath(dir.path(), L"no\\such\\folder.ini");
    const std::wstring subFolder = fs::JoinPath(dir.path(), L"sub");
    ASSERT_TRUE(fs::WriteFileAtomic(there, "x"));
    ASSERT_TRUE(fs::MakeDirectory(subFolder));
    std::string bytes;
    struct Case {
        const char* name;
        std::function<fs::Status()> run;
        FileStep what;
        std::wstring file;
        int code;  // errno; the Windows build checks only that there is one
        Refusal refusal;
    };
    const Case cases[] = {
        {"read a missing file", [&] { return fs::ReadWholeFile(missing, bytes); }, FileStep::Read, missing, ENOENT,
         Refusal::None},
        {"write into a missing folder", [&] { return fs::WriteFileAtomic(noFolder, "x"); }, FileStep::Write, noFolder,
         ENOENT, Refusal::None},
        {"remove a missing file", [&] { return fs::RemoveFile(missing); }, FileStep::Remove, missing, ENOENT,
         Refusal::None},
        {"rename a missing file", [&] { return fs::RenameFile(missing, there); }, FileStep::Rename, missing, ENOENT,
         Refusal::None},
        {"make a folder that is there", [&] { return fs::MakeDirectory(subFolder); }, FileStep::MakeFolder,
         subFolder, EEXIST, Refusal::None},
        {"copy onto a file kept", [&] { return fs::CopyOneFile(there, there, true); }, FileStep::Copy, there, EEXIST,
         Refusal::None},
        {"link to a name taken", [&] { return fs::LinkOrCopyFile(there, there); }, FileStep::Link, there, EEXIST,
         Refusal::None},
        {"replace a folder", [&] { return fs::WriteFileAtomic(subFolder, "x"); }, FileStep::Replace, subFolder, 0,
         Refusal::NotRegularFile},
        {"read a folder", [&] { return fs::ReadWholeFile(subFolder, bytes); }, FileStep::Read, subFolder, 0,
         Refusal::NotRegularFile},
    };
    for (const Case& c : cases) {
        const fs::Status s = c.run();
        EXPECT_FALSE(s) << c.name;
        EXPECT_EQ(s.what, c.what) << c.name;
        EXPECT_EQ(s.file, c.file) << c.name;
        EXPECT_EQ(s.refusal, c.refusal) << c.name;
#ifdef _WIN32
        EXPECT_EQ(s.code != 0, c.code != 0) << c.name;
#else
        EXPECT_EQ(s.code, static_cast<std::uint32_t>(c.code)) << c.name;
        if (c.code) {
            EXPECT_EQ(ReasonText(s), text::FromUtf8(std::strerror(c.code))) << c.name;
        }
#endif
        EXPECT_FALSE(ReasonText(s).empty()) << c.name;
        EXPECT_EQ(DescribeFailure(s).rfind(c.file + L": ", 0), 0u) << c.name << ": the tools name the file first";
    }
    EXPECT_EQ(ReasonText(Outcome::Ok()), L"");
}

TEST(FileSystem, CreateDirectoryReportsAnExistingFolder) {
    TempDir dir;
    const std::wstring sub = fs::JoinPath(dir.path(), L"ZAVO\\");
    bool existed = true;
    EXPECT_TRUE(fs::MakeDirectory(sub, &existed));
    EXPECT_FALSE(existed);
    EXPECT_FALSE(fs::MakeDirectory(sub, &existed));
    EXPECT_TRUE(existed);
    EXPECT_TRUE(fs::DirectoryExists(sub));
}

TEST(FileSystem, ListFilesMatchesSuffixWithoutCaseAndSkipsFolders) {
    TempDir dir;
    for (const wchar_t* name : {L"a.ini", L"B.INI", L"c.txt", L"d.ini.bak"})
        ASSERT_TRUE(fs::WriteFileAtomic(fs::JoinPath(dir.path(), name), "x"));
    ASSERT_TRUE(fs::MakeDirectory(fs::JoinPath(dir.path(), L"e.ini")));
    auto names = fs::ListFiles(dir.path(), L".ini");
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::wstring>{L"B.INI", L"a.ini"}));
}

TEST(FileSystem, CopyFileHonoursFailIfExists) {
    TempDir dir;
    const std::wstring a = fs::JoinPath(dir.path(), L"a.ini"), b = fs::JoinPath(dir.path(), L"b.ini");
    ASSERT_TRUE(fs::WriteFileAtomic(a, "AAA"));
    ASSERT_TRUE(fs::WriteFileAtomic(b, "BBB"));
    EXPECT_FALSE(fs::CopyOneFile(a, b, true));
    std::string bytes;
    fs::ReadWholeFile(b, bytes);
    EXPECT_EQ(bytes, "BBB");
    EXPECT_TRUE(fs::CopyOneFile(a, b, false));
    fs::ReadWholeFile(b, bytes);
    EXPECT_EQ(bytes, "AAA");
}

// A read-only file is not replaced, whoever runs the program: the administrator
// passes every access check, so the file's own permission bits decide.
TEST(FileSystem, AtomicWriteRefusesAReadOnlyTarget) {
    TempDir dir;
    const std::wstring file = fs::JoinPath(dir.path(), L"Profile2.prof");
    ASSERT_TRUE(fs::WriteFileAtomic(file, "kept"));
#ifdef _WIN32
    const std::filesystem::path p(file);
#else
    const std::filesystem::path p(text::ToUtf8(file));
#endif
    std::filesystem::permissions(p, std::filesystem::perms::owner_read | std::filesystem::perms::group_read |
                                        std::filesystem::perms::others_read);
    const fs::Status s = fs::WriteFileAtomic(file, "replaced");
    std::filesystem::permissions(p, std::filesystem::perms::owner_write, std::filesystem::perm_options::add);
    EXPECT_FALSE(s);
    EXPECT_EQ(s.what, FileStep::Replace);
    EXPECT_NE(s.code, 0u) << "the system's reason";
    std::string bytes;
    ASSERT_TRUE(fs::ReadWholeFile(file, bytes));
    EXPECT_EQ(bytes, "kept");
    EXPECT_EQ(fs::ListFiles(dir.path(), L""), std::vector<std::wstring>{L"Profile2.prof"});
}

#ifndef _WIN32
// Only regular files are replaced or read. A link, a pipe, a device node and a
// folder keep their names and what they are; a pipe is refused before anything
// waits for its other end (this test holds that end open, so a read that took
// the pipe would wait for ever: the alarm ends the test instead).
TEST(FileSystem, SpecialFilesAreNeitherReplacedNorRead) {
    TempDir dir;
    const std::string base = text::ToUtf8(dir.path());
    ASSERT_TRUE(fs::WriteFileAtomic(dir.path() + L"real.ini", "kept"));
    ASSERT_EQ(::symlink((base + "real.ini").c_str(), (base + "link.ini").c_str()), 0);
    ASSERT_EQ(::mkfifo((base + "pipe").c_str(), 0644), 0);
    ASSERT_TRUE(fs::MakeDirectory(dir.path() + L"folder"));
    const int pipeEnd = ::open((base + "pipe").c_str(), O_RDWR | O_NONBLOCK);
    ASSERT_GE(pipeEnd, 0);
    ASSERT_EQ(::write(pipeEnd, "x", 1), 1);
    struct Kind {
        const char* name;
        mode_t type;
    };
    const Kind kinds[] = {{"link.ini", S_IFLNK}, {"pipe", S_IFIFO}, {"folder", S_IFDIR}};
    ::alarm(60);
    for (const Kind& k : kinds) {
        const std::wstring path = dir.path() + text::FromUtf8(k.name);
        const fs::Status written = fs::WriteFileAtomic(path, "replaced");
        EXPECT_EQ(written, fs::NotRegularFile(FileStep::Replace, path)) << k.name;
        struct stat st {};
        ASSERT_EQ(::lstat((base + k.name).c_str(), &st), 0) << k.name;
        EXPECT_EQ(st.st_mode & S_IFMT, k.type) << k.name;
    }
    std::string bytes;
    for (const char* source : {"pipe", "folder", "/dev/null"}) {
        const std::wstring path = source[0] == '/' ? text::FromUtf8(source) : dir.path() + text::FromUtf8(source);
        const fs::Status read = fs::ReadWholeFile(path, bytes);
        EXPECT_EQ(read, fs::NotRegularFile(FileStep::Read, path)) << source;
    }
    ::alarm(0);
    ::close(pipeEnd);
    // A link to a regular file is read as that file.
    ASSERT_TRUE(fs::ReadWholeFile(dir.path() + L"link.ini", bytes));
    EXPECT_EQ(bytes, "kept");
    std::vector<std::wstring> names = fs::ListFiles(dir.path(), L"");
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::wstring>{L"link.ini", L"real.ini"}));
}
#endif

// The temporary files of writers: which names are theirs, and which of them a
// clean-up may remove.
struct NameCase {
    const wchar_t* name;
    bool pending, old;
};

TEST(FileSystem, TemporaryNamesAreRecognisedExactly) {
    const NameCase cases[] = {
        {L"Profile0.prof.4711-1.zavotmp", true, false},
        {L"Config.config.1-23.ZAVOTMP", true, false},
        {L"x.4711-1.zavotmp", true, false},
        {L".4711-1.zavotmp", false, false},             // no target name
        {L"Profile0.prof.4711.zavotmp", false, false},  // no number
        {L"Profile0.prof.47a1-1.zavotmp", false, false},
        {L"Profile0.prof.4711-1.zavotmp.bak", false, false},
        {L"notes.zavotmp", false, false},
        {L"Profile0.prof.tmp10097", false, true},
        {L"Config.config.tmp1", false, true},
        {L"LightOption.ini.TMP42", false, true},
        {L"Profile0.prof.tmp", false, false},             // no process id
        {L"Profile0.prof.tmp12345678901", false, false},  // more digits than a process id has
        {L"report.txt.tmp123", false, false},             // not a settings file
        {L".prof.tmp123", false, false},
        {L"Profile0.prof", false, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(fs::IsPendingFileName(c.name), c.pending) << text::ToUtf8(c.name);
        EXPECT_EQ(fs::IsOldTemporaryName(c.name), c.old) << text::ToUtf8(c.name);
    }
}

namespace {

void PutFile(const std::wstring& path, const std::string& bytes) { ASSERT_TRUE(fs::WriteFileAtomic(path, bytes)); }

bool AnyName(std::wstring_view) { return true; }

std::vector<std::wstring> Sorted(std::vector<std::wstring> v) {
    std::sort(v.begin(), v.end());
    return v;
}

}  // namespace

TEST(FileSystem, CleanUpRemovesOnlyTemporariesNoWriterHolds) {
    TempDir dir;
    auto at = [&](const wchar_t* name) { return fs::JoinPath(dir.path(), name); };
    // Left by writers that died: nothing holds them.
    PutFile(at(L"Profile0.prof.999999-1.zavotmp"), std::string(5000, 'x'));
    PutFile(at(L"Config.config.999999-2.zavotmp"), "");
    PutFile(at(L"Profile1.prof.tmp10097"), "half");
    AgeFile(at(L"Profile1.prof.tmp10097"), std::chrono::minutes(10));
    // Kept: an earlier version's temporary file too young to be sure of, and
    // everything that is not a temporary file of a writer.
    PutFile(at(L"Profile2.prof.tmp10098"), "maybe still being written");
    const char* keep[] = {"Profile0.prof", "notes.zavotmp", "Profile0.prof.bak", "report.txt.tmp123"};
    for (const char* name : keep) {
        PutFile(at(text::FromUtf8(name).c_str()), name);
        AgeFile(at(text::FromUtf8(name).c_str()), std::chrono::minutes(10));
    }
    fs::PendingFile live(at(L"Profile3.prof"));
    ASSERT_TRUE(live.status());
    ASSERT_TRUE(live.Write("being written"));

    EXPECT_EQ(fs::RemoveStaleTemporaries(dir.path(), AnyName), 3u);
    const std::wstring liveName = live.path().substr(live.path().find_last_of(L"\\/") + 1);
    EXPECT_TRUE(fs::IsPendingFileName(liveName));
    EXPECT_EQ(Sorted(fs::ListFiles(dir.path(), L"")),
              Sorted({L"Profile0.prof", L"notes.zavotmp", L"Profile0.prof.bak", L"report.txt.tmp123",
                      L"Profile2.prof.tmp10098", liveName}));
    for (const char* name : keep) {
        std::string bytes;
        ASSERT_TRUE(fs::ReadWholeFile(at(text::FromUtf8(name).c_str()), bytes));
        EXPECT_EQ(bytes, name);
    }

    // The live writer finishes undisturbed.
    ASSERT_TRUE(live.Replace());
    std::string bytes;
    ASSERT_TRUE(fs::ReadWholeFile(at(L"Profile3.prof"), bytes));
    EXPECT_EQ(bytes, "being written");
}

// The caller says which files are its own: the temporaries of any other file
// stay, whatever their age and whether or not a writer holds them.
TEST(FileSystem, CleanUpRemovesOnlyTemporariesOfTheCallersFiles) {
    TempDir dir;
    auto at = [&](const wchar_t* name) { return fs::JoinPath(dir.path(), name); };
    const wchar_t* const names[] = {L"Profile0.prof.999999-1.zavotmp", L"Profile0.prof.tmp77", L"app.ini.tmp1234",
                                    L"game.prof.tmp77", L"game.prof.999999-3.zavotmp"};
    for (const wchar_t* name : names) {
        PutFile(at(name), "left over");
        AgeFile(at(name), std::chrono::minutes(10));
    }
    EXPECT_EQ(fs::RemoveStaleTemporaries(dir.path(), [](std::wstring_view n) { return n == L"Profile0.prof"; }), 2u);
    EXPECT_EQ(Sorted(fs::ListFiles(dir.path(), L"")),
              Sorted({L"app.ini.tmp1234", L"game.prof.tmp77", L"game.prof.999999-3.zavotmp"}));
}

TEST(FileSystem, AWriterThatGivesUpLeavesNothing) {
    TempDir dir;
    {
        fs::PendingFile abandoned(fs::JoinPath(dir.path(), L"Config.config"));
        ASSERT_TRUE(abandoned.Write("never used"));
    }
    EXPECT_TRUE(fs::ListFiles(dir.path(), L"").empty());
}

#ifndef _WIN32
// A writer killed half-way (as by a crash or kill -9): the system lets go of its
// file, and the next clean-up removes it.
TEST(FileSystem, CleanUpRemovesTheFileOfAKilledWriter) {
    TempDir dir;
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    struct Reap {
        pid_t pid;
        ~Reap() {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, nullptr, 0);
        }
    };
    if (child == 0) {
        fs::PendingFile file(fs::JoinPath(dir.path(), L"Profile0.prof"));
        file.Write(std::string(100000, 'x'));
        const char one = file.status() ? '1' : '0';
        if (::write(ready[1], &one, 1) != 1) ::_exit(1);
        for (;;) ::pause();
    }
    Reap reap{child};
    char got = 0;
    ASSERT_EQ(::read(ready[0], &got, 1), 1);
    ASSERT_EQ(got, '1');
    ::close(ready[0]);
    ::close(ready[1]);
    EXPECT_EQ(fs::RemoveStaleTemporaries(dir.path(), AnyName), 0u);  // still alive: kept
    ASSERT_EQ(fs::ListFiles(dir.path(), L"").size(), 1u);
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    EXPECT_EQ(fs::RemoveStaleTemporaries(dir.path(), AnyName), 1u);
    EXPECT_TRUE(fs::ListFiles(dir.path(), L"").empty());
}
#endif

#ifndef _WIN32
// The tool runs under Wine, where its LockFileEx becomes a record lock that the
// Wine server takes on the real file; zavocfg runs natively. Each must see the
// other's writer as alive: the clean-up keeps a file whose live byte a record
// lock holds, and a native writer's hold shows as such a lock.
TEST(FileSystem, WritersOfEitherBuildSeeEachOtherAlive) {
    TempDir dir;
    const std::wstring wine = fs::JoinPath(dir.path(), L"Profile0.prof.999999-1.zavotmp");
    PutFile(wine, "the Wine writer's bytes");
    struct flock live {};
    live.l_type = F_WRLCK;
    live.l_whence = SEEK_SET;
    live.l_start = static_cast<off_t>(fs::kLiveByte);
    live.l_len = 1;
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const int fd = ::open(text::ToUtf8(wine).c_str(), O_RDWR);
        const char one = fd >= 0 && ::fcntl(fd, F_SETLK, &live) == 0 ? '1' : '0';
        if (::write(ready[1], &one, 1) != 1) ::_exit(1);
        for (;;) ::pause();
    }
    char got = 0;
    ASSERT_EQ(::read(ready[0], &got, 1), 1);
    ::close(ready[0]);
    ::close(ready[1]);
    const size_t whileHeld = fs::RemoveStaleTemporaries(dir.path(), AnyName);
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    ASSERT_EQ(got, '1');
    EXPECT_EQ(whileHeld, 0u);
    EXPECT_EQ(fs::RemoveStaleTemporaries(dir.path(), AnyName), 1u);

    fs::PendingFile native(fs::JoinPath(dir.path(), L"Profile1.prof"));
    ASSERT_TRUE(native.status());
    const int probe = ::open(text::ToUtf8(native.path()).c_str(), O_RDWR);
    ASSERT_GE(probe, 0);
    struct flock asked = live;
    EXPECT_EQ(::fcntl(probe, F_GETLK, &asked), 0);
    EXPECT_EQ(asked.l_type, F_WRLCK);
    ::close(probe);
}
#endif
