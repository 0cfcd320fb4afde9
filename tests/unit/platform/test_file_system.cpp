#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#ifndef _WIN32
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "platform/FileSystem.h"
#include "platform/TextCodec.h"
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

TEST(FileSystem, FailuresCarryTheSystemReason) {
    TempDir dir;
    std::string bytes;
    fs::Status s = fs::ReadWholeFile(fs::JoinPath(dir.path(), L"missing.ini"), bytes);
    EXPECT_FALSE(s.ok);
    EXPECT_FALSE(s.error.empty());
    s = fs::WriteFileAtomic(fs::JoinPath(dir.path(), L"no\\such\\folder.ini"), "x");
    EXPECT_FALSE(s.ok);
    EXPECT_FALSE(s.error.empty());
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

// Moves the file's modification time back.
void Age(const std::wstring& path, std::chrono::minutes by) {
#ifdef _WIN32
    const std::filesystem::path p(path);
#else
    std::wstring slashes = path;
    std::replace(slashes.begin(), slashes.end(), L'\\', L'/');
    const std::filesystem::path p(text::ToUtf8(slashes));
#endif
    std::filesystem::last_write_time(p, std::filesystem::last_write_time(p) - by);
}

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
    Age(at(L"Profile1.prof.tmp10097"), std::chrono::minutes(10));
    // Kept: an earlier version's temporary file too young to be sure of, and
    // everything that is not a temporary file of a writer.
    PutFile(at(L"Profile2.prof.tmp10098"), "maybe still being written");
    const char* keep[] = {"Profile0.prof", "notes.zavotmp", "Profile0.prof.bak", "report.txt.tmp123"};
    for (const char* name : keep) {
        PutFile(at(text::FromUtf8(name).c_str()), name);
        Age(at(text::FromUtf8(name).c_str()), std::chrono::minutes(10));
    }
    fs::PendingFile live(at(L"Profile3.prof"));
    ASSERT_TRUE(live.status());
    ASSERT_TRUE(live.Write("being written"));

    EXPECT_EQ(fs::RemoveStaleTemporaries(dir.path()), 3u);
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
    EXPECT_EQ(fs::RemoveStaleTemporaries(dir.path()), 0u);  // still alive: kept
    ASSERT_EQ(fs::ListFiles(dir.path(), L"").size(), 1u);
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    EXPECT_EQ(fs::RemoveStaleTemporaries(dir.path()), 1u);
    EXPECT_TRUE(fs::ListFiles(dir.path(), L"").empty());
}
#endif
