#include <gtest/gtest.h>

#include <algorithm>
#include <algorithm>
#include <cstdlib>
#include <string>

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
