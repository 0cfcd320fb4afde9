// zavocfg as a user runs it: exit codes, one-line errors naming the path once
// with the system's reason, that read-only commands write nothing, and that a
// roundtrip never replaces damaged values or merges into other files unasked.
// Natively it runs zavocfg through the shell; in the Windows build (under Wine)
// zavocfg.exe through cmd.exe. Arguments are quoted with double quotes, which
// both understand.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "ConfigFixtures.h"
#include "FileAge.h"
#include "TempDir.h"
#include "config/ConfigStore.h"
#include "config/Ini.h"
#include "platform/TextCodec.h"

using namespace zavo;

namespace {

struct Outcome {
    int status = -1;
    std::string out;  // standard output
    std::string err;  // standard error
    std::string all() const { return out + err; }
};

#ifdef _WIN32
// zavocfg.exe beside this test program.
std::wstring Program() {
    wchar_t path[MAX_PATH] = {};
    std::wstring self(path, GetModuleFileNameW(nullptr, path, MAX_PATH));
    return self.substr(0, self.find_last_of(L'\\') + 1) + L"zavocfg.exe";
}
#endif

Outcome Zavocfg(const std::string& args) {
    Outcome r;
#ifdef _WIN32
    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, temp);
    const std::wstring errFile = temp + (L"test_zavocfg_err_" + std::to_wstring(GetCurrentProcessId()));
    // cmd.exe /c takes the line after the outer quotes as it is.
    const std::wstring cmd = L"\"\"" + Program() + L"\" " + text::FromUtf8(args) + L" 2>\"" + errFile + L"\"\"";
    FILE* p = _wpopen(cmd.c_str(), L"rb");
#else
    const std::wstring errFile = L"/tmp/test_zavocfg_err_" + std::to_wstring(getpid());
    const char* bin = std::getenv("ZAVO_BIN_DIR");
    const std::string cmd = std::string(bin ? bin : ".") + "/zavocfg " + args + " 2>" + text::ToUtf8(errFile);
    FILE* p = popen(cmd.c_str(), "r");
#endif
    if (!p) return r;
    char buf[4096];
    while (size_t n = fread(buf, 1, sizeof buf, p)) r.out.append(buf, n);
#ifdef _WIN32
    r.status = _pclose(p);
#else
    const int st = pclose(p);
    r.status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
#endif
    r.err = zavo::testing::Bytes(errFile);
    fs::RemoveFile(errFile);
    // Text as the tests compare it: lines end with "\n" on both systems.
    for (std::string* text : {&r.out, &r.err}) text->erase(std::remove(text->begin(), text->end(), '\r'), text->end());
    return r;
}

std::string Dir(const TempDir& d) { return text::ToUtf8(d.path()); }

size_t Count(const std::string& text, const std::string& part) {
    size_t n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size())) ++n;
    return n;
}

// The bytes of the six settings files, to show that nothing changed.
std::string AllFiles(const std::wstring& dir) {
    std::string all = zavo::testing::Bytes(ConfigFilePath(dir));
    for (int p = 0; p < PROFILE_COUNT; ++p) all += zavo::testing::Bytes(ProfileFilePath(dir, p));
    return all;
}

TEST(Zavocfg, DemoShowCheckAndDump) {
    TempDir d;
    ASSERT_EQ(Zavocfg("demo --out " + Dir(d)).status, 0);
    Outcome show = Zavocfg("show --data " + Dir(d));
    EXPECT_EQ(show.status, 0);
    EXPECT_NE(show.out.find("T3  macro \"Quick reload\", 3 events"), std::string::npos) << show.out;
    EXPECT_NE(show.out.find("Enter (key 70): single key -> Space Bar (0x57)"), std::string::npos) << show.out;
    EXPECT_EQ(Zavocfg("check --data " + Dir(d)).status, 0);
    Outcome dump = Zavocfg("dump --json --data " + Dir(d));
    ASSERT_EQ(dump.status, 0);
    auto j = nlohmann::json::parse(dump.out);
    EXPECT_EQ(j["Mode"], 1);
    EXPECT_EQ(j["Profile"][1]["Button"][0]["Macro"]["MacroName"], "Build order");
    // Up to the macro's length: the closing release "2A 00" is kept, the padding is not.
    EXPECT_EQ(j["Profile"][0]["Button"][2]["Macro"]["Macro"], "2A01FF012A00");
    EXPECT_EQ(j["Profile"][0]["SwapKey"].size(), static_cast<size_t>(STANDARD_KEY_COUNT));
}

TEST(Zavocfg, CheckReportsProblemsWithExitOne) {
    TempDir d;
    ASSERT_EQ(Zavocfg("demo --out " + Dir(d)).status, 0);
    ASSERT_EQ(Zavocfg("ini set " + Dir(d) + "Profile2.prof ALTERNATE_PROFILE PROFILE1 2").status, 0);
    ASSERT_EQ(Zavocfg("ini set " + Dir(d) + "Profile2.prof ALTERNATE_PROFILE PROFILE2 2").status, 0);
    Outcome check = Zavocfg("check --data " + Dir(d));
    EXPECT_EQ(check.status, 1);
    EXPECT_NE(check.out.find("Profile2.prof [ALTERNATE_PROFILE] PROFILE2: instant-shift choice 2 is used twice"),
              std::string::npos)
        << check.out;
    // A rule between values is kept as it is by a save: no reason to refuse it.
    EXPECT_EQ(Zavocfg("roundtrip --data " + Dir(d)).status, 0);
}

TEST(Zavocfg, ErrorsNameThePathAndExitTwo) {
    TempDir d;
    const std::string missing = Dir(d) + "nowhere";
    for (const std::string& cmd : {"show --data " + missing, "check --data " + missing, "dump --json --data " + missing,
                                   "roundtrip --data " + missing, "ini get " + missing + "/x.ini A k"}) {
        Outcome r = Zavocfg(cmd);
        EXPECT_EQ(r.status, 2) << cmd;
        EXPECT_NE(r.err.find("nowhere"), std::string::npos) << cmd << ": " << r.err;
        const std::string all = r.all();
        EXPECT_EQ(std::count(all.begin(), all.end(), '\n'), 1) << all;
    }
    EXPECT_FALSE(fs::DirectoryExists(d.path() + L"nowhere"));
    EXPECT_EQ(Zavocfg("ini get-struct " + Dir(d) + "x.ini A k 0").status, 2);
    EXPECT_EQ(Zavocfg("ini set-struct " + Dir(d) + "x.ini A k 2 0G01").status, 2);
    EXPECT_EQ(Zavocfg("show --data " + Dir(d)).status, 2);  // a folder without Config.config
}

TEST(Zavocfg, IniPrimitivesAndRoundtrip) {
    TempDir d;
    const std::string f = Dir(d) + "x.ini";
    EXPECT_EQ(Zavocfg("ini set " + f + " Sec Key \"two words\"").status, 0);
    EXPECT_EQ(Zavocfg("ini get " + f + " SEC key").out, "two words\n");
    EXPECT_EQ(Zavocfg("ini get " + f + " Sec other").status, 1);
    EXPECT_EQ(Zavocfg("ini set-struct " + f + " Sec data 3 01ff10").status, 0);
    EXPECT_EQ(zavo::testing::Bytes(d.path() + L"x.ini"), "[Sec]\r\nKey=two words\r\ndata=01FF1010\r\n");
    EXPECT_EQ(Zavocfg("ini get-struct " + f + " Sec data 3").out, "01FF10\n");
    EXPECT_EQ(Zavocfg("ini get-struct " + f + " Sec data 4").status, 1);

    TempDir data, out;
    ASSERT_TRUE(SaveConfiguration(data.path(), *zavo::testing::RichConfig()));
    const std::string before = zavo::testing::Bytes(ProfileFilePath(data.path(), 2));
    ASSERT_EQ(Zavocfg("show --data " + Dir(data)).status, 0);
    ASSERT_EQ(Zavocfg("roundtrip --data " + Dir(data) + " --out " + Dir(out) + "copy").status, 0);
    EXPECT_EQ(zavo::testing::Bytes(ProfileFilePath(out.path() + L"copy/", 2)), before);
    EXPECT_EQ(zavo::testing::Bytes(ProfileFilePath(data.path(), 2)), before);
}

TEST(Zavocfg, CommandLine) {
    struct Case {
        const char* name;
        std::string args;
        int status;
        const char* out;  // expected in standard output ("" for nothing at all)
        const char* err;  // expected in standard error ("" for nothing at all)
    };
    const Case cases[] = {
        {"help", "--help", 0, "usage: zavocfg COMMAND", ""},
        {"help of one command", "roundtrip --help", 0, "roundtrip --data DIR [--out DIR] [--force]", ""},
        {"no command", "", 2, "", "usage: zavocfg COMMAND"},
        {"unknown command", "bogus", 2, "", "zavocfg: unknown command \"bogus\""},
        {"empty --out", "demo --out \"\"", 2, "", "zavocfg: --out needs a value"},
        {"empty --data", "show --data \"\"", 2, "", "zavocfg: --data needs a value"},
        {"roundtrip into an empty --out", "roundtrip --data nowhere --out \"\"", 2, "", "--out needs a value"},
    };
    for (const Case& c : cases) {
        Outcome r = Zavocfg(c.args);
        EXPECT_EQ(r.status, c.status) << c.name;
        if (*c.out) {
            EXPECT_NE(r.out.find(c.out), std::string::npos) << c.name << ": " << r.out;
        } else {
            EXPECT_EQ(r.out, "") << c.name;
        }
        if (*c.err) {
            EXPECT_NE(r.err.find(c.err), std::string::npos) << c.name << ": " << r.err;
        } else {
            EXPECT_EQ(r.err, "") << c.name;
        }
    }
    EXPECT_FALSE(fs::FileExists(L"Config.config"));  // an empty folder is not the current one
}

// Makes a file exist but refuse to be read while the object lives: on Windows
// it is held open without sharing; natively it becomes a link to /proc/self/mem,
// which opens but refuses to be read, even for root.
class UnreadableFile {
public:
    explicit UnreadableFile(const std::wstring& path) {
#ifdef _WIN32
        handle_ = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ok_ = handle_ != INVALID_HANDLE_VALUE;
#else
        const std::string p = text::ToUtf8(path);
        ok_ = std::remove(p.c_str()) == 0 && symlink("/proc/self/mem", p.c_str()) == 0;
#endif
    }
    ~UnreadableFile() {
#ifdef _WIN32
        if (ok_) CloseHandle(handle_);
#endif
    }
    UnreadableFile(const UnreadableFile&) = delete;
    UnreadableFile& operator=(const UnreadableFile&) = delete;
    bool ok() const { return ok_; }

private:
    bool ok_ = false;
#ifdef _WIN32
    HANDLE handle_ = INVALID_HANDLE_VALUE;
#endif
};

// A file that is there but cannot be read is one line with the system's reason,
// not hundreds of "missing" keys.
TEST(Zavocfg, UnreadableFileIsOneLineWithItsReason) {
    for (const char* file : {"Config.config", "Profile3.prof"}) {
        TempDir d;
        ASSERT_EQ(Zavocfg("demo --out " + Dir(d)).status, 0);
        const std::string path = Dir(d) + file;
        UnreadableFile locked(text::FromUtf8(path));
        ASSERT_TRUE(locked.ok()) << path;
        for (const char* command : {"check", "show", "dump --json", "roundtrip"}) {
            const std::string cmd = command;
            Outcome r = Zavocfg(cmd + " --data " + Dir(d));
            EXPECT_EQ(r.status, 2) << cmd << " " << file;
            EXPECT_EQ(r.out, "") << cmd << " " << file;
            EXPECT_EQ(Count(r.err, "\n"), 1u) << cmd << " " << file << ": " << r.err;
            EXPECT_EQ(r.err.find("zavocfg: " + path + ": "), 0u) << cmd << " " << file << ": " << r.err;
        }
    }
}

#ifndef _WIN32
// The folder's own reason, naming the path once: making a folder in /sys is
// not permitted, while a write into the folder that is not there would only say
// "No such file or directory".
TEST(Zavocfg, FolderThatCannotBeMadeGivesItsReason) {
    for (const char* command : {"demo --out /sys/zavocfg-test/data", "roundtrip --out /sys/zavocfg-test"}) {
        const std::string cmd = command;
        TempDir d;
        ASSERT_EQ(Zavocfg("demo --out " + Dir(d) + "src").status, 0);
        Outcome r = Zavocfg(cmd + (cmd.rfind("roundtrip", 0) == 0 ? " --data " + Dir(d) + "src" : ""));
        EXPECT_EQ(r.status, 2) << cmd;
        EXPECT_EQ(r.err.find("No such file"), std::string::npos) << cmd << ": " << r.err;
        EXPECT_EQ(Count(r.err, "/sys/zavocfg-test"), 1u) << cmd << ": " << r.err;
    }
}
#endif

TEST(Zavocfg, ShowsTheActiveProfileAsTheMainWindowDoes) {
    struct Case {
        const char* stored;
        const char* header;
        const char* active;  // heading marked active, "" for none
    };
    const Case cases[] = {
        {"3", "active profile IV,", "Profile IV (active)"},
        {"-1", "active profile I (stored as -1),", "Profile I (active)"},
        {"204", "active profile I (stored as 204),", "Profile I (active)"},
        {"5", "active none (every key locked),", ""},
    };
    TempDir d;
    ASSERT_EQ(Zavocfg("demo --out " + Dir(d)).status, 0);
    for (const Case& c : cases) {
        ASSERT_EQ(Zavocfg("ini set " + Dir(d) + "Config.config CONFIG CURRENTPROFILE " + c.stored).status, 0);
        Outcome show = Zavocfg("show --data " + Dir(d));
        ASSERT_EQ(show.status, 0) << c.stored;
        EXPECT_NE(show.out.find(c.header), std::string::npos) << c.stored << ": " << show.out;
        EXPECT_EQ(Count(show.out, "(active)"), *c.active ? 1u : 0u) << c.stored;
        if (*c.active) {
            EXPECT_NE(show.out.find(c.active), std::string::npos) << c.stored;
        }
    }
}

// A Config.config holding only Mode=0, saved back: -1 where nothing was written
// is no problem.
TEST(Zavocfg, RoundtripOfAConfigHoldingOnlyModeChecksSound) {
    TempDir d;
    zavo::testing::Put(ConfigFilePath(d.path()), "[CONFIG]\r\nMode=0\r\n");
    ASSERT_EQ(Zavocfg("roundtrip --data " + Dir(d)).status, 0);
    Outcome check = Zavocfg("check --data " + Dir(d));
    EXPECT_EQ(check.status, 0) << check.out;
    EXPECT_EQ(check.out, "no problems\n");
}

// Damage a save would replace (a macro saved as zeros, a number saved as what
// it reads as) is named, and nothing is written unless --force says so.
TEST(Zavocfg, RoundtripRefusesToReplaceDamagedValues) {
    struct Case {
        const char* name;
        std::function<void(const std::wstring& profile0)> damage;
        const char* where;
    };
    const Case cases[] = {
        {"macro value cut short",
         [](const std::wstring& f) { Settings().IniWriteString(f, L"MACROG2", L"Macro", L"2A01FF"); },
         "[MACROG2] Macro"},
        {"macro checksum",
         [](const std::wstring& f) {
             std::wstring v;
             Settings().IniReadRaw(f, L"MACROG2", L"Macro", v);
             v.back() = v.back() == L'0' ? L'1' : L'0';
             Settings().IniWriteString(f, L"MACROG2", L"Macro", v);
         },
         "[MACROG2] Macro"},
        {"function code not a number",
         [](const std::wstring& f) { Settings().IniWriteString(f, L"BUTTONCONFIG0", L"FunID", L"sixteen"); },
         "[BUTTONCONFIG0] FunID"},
    };
    for (const Case& c : cases) {
        TempDir d, out;
        ASSERT_EQ(Zavocfg("demo --out " + Dir(d)).status, 0);
        c.damage(ProfileFilePath(d.path(), 0));
        const std::string before = AllFiles(d.path());
        for (const std::string& target : {std::string(), " --out " + Dir(out) + "copy"}) {
            Outcome r = Zavocfg("roundtrip --data " + Dir(d) + target);
            EXPECT_EQ(r.status, 1) << c.name << target;
            EXPECT_NE(r.err.find(std::string("warning: ") + Dir(d) + "Profile0.prof " + c.where), std::string::npos)
                << c.name << ": " << r.err;
            EXPECT_NE(r.err.find("nothing was written (--force saves anyway)"), std::string::npos) << r.err;
            EXPECT_EQ(AllFiles(d.path()), before) << c.name;
            EXPECT_FALSE(fs::DirectoryExists(out.path() + L"copy")) << c.name;
        }
        Outcome forced = Zavocfg("roundtrip --force --data " + Dir(d));
        EXPECT_EQ(forced.status, 0) << c.name << ": " << forced.err;
        EXPECT_NE(forced.err.find("warning: "), std::string::npos) << c.name;
        // The value is now well formed (what it means is the user's to judge).
        Outcome check = Zavocfg("check --data " + Dir(d));
        for (const char* damage : {"characters long", "checksum", "not a decimal number"})
            EXPECT_EQ(check.out.find(damage), std::string::npos) << c.name << ": " << check.out;
    }
}

TEST(Zavocfg, RoundtripIntoAFolderWithFilesMergesOnlyWhenForced) {
    TempDir d, out;
    ASSERT_TRUE(SaveConfiguration(d.path(), *zavo::testing::RichConfig()));
    ASSERT_EQ(Zavocfg("demo --out " + Dir(out)).status, 0);
    Settings().IniWriteString(ProfileFilePath(out.path(), 1), L"MACROG7", L"MacroName", L"left over");
    const std::string before = AllFiles(out.path());
    Outcome refused = Zavocfg("roundtrip --data " + Dir(d) + " --out " + Dir(out));
    EXPECT_EQ(refused.status, 2);
    EXPECT_NE(refused.err.find("would merge into them"), std::string::npos) << refused.err;
    EXPECT_EQ(AllFiles(out.path()), before);

    Outcome merged = Zavocfg("roundtrip --force --data " + Dir(d) + " --out " + Dir(out));
    EXPECT_EQ(merged.status, 0) << merged.err;
    EXPECT_NE(merged.out.find("merged into the settings files already in " + Dir(out)), std::string::npos)
        << merged.out;
    EXPECT_EQ(Settings().IniReadString(ProfileFilePath(out.path(), 1), L"MACROG7", L"MacroName", L""), L"left over");
}

// A macro file whose events cannot be read says so instead of listing them as
// releases of no key.
TEST(Zavocfg, MacroShowNamesAMissingOrInvalidMacroValue) {
    struct Case {
        const char* name;
        const char* extra;  // lines after Count=3
        const char* note;
    };
    const Case cases[] = {
        {"missing", "", "note: the file has no \"Macro\" value, so its 3 events cannot be read"},
        {"cut short", "Macro=1401FF0814\r\n", "note: the \"Macro\" value is not valid event data (10 characters;"},
    };
    for (const Case& c : cases) {
        TempDir d;
        zavo::testing::Put(d.path() + L"m.ini",
                           std::string("[Setting]\r\nIgnoreDelay=0\r\nDefaultDelay=0\r\nCount=3\r\n") + c.extra);
        for (const char* sub : {"show", "expand"}) {
            Outcome r = Zavocfg(std::string("macro ") + sub + " " + Dir(d) + "m.ini");
            EXPECT_EQ(r.status, 0) << c.name << " " << sub;
            EXPECT_NE(r.out.find(c.note), std::string::npos) << c.name << " " << sub << ": " << r.out;
            if (std::string(sub) == "show") {
                EXPECT_EQ(r.out.find("Release"), std::string::npos) << r.out;
            }
        }
    }
}

}  // namespace

namespace {

// The backup and profile commands: a reset by mistake undone with restore, a
// profile moved from 1 to 3, refusals with their exit codes.
TEST(Zavocfg, BackupRestoreAndProfileCommands) {
    TempDir d;
    ASSERT_EQ(Zavocfg("demo --out " + Dir(d)).status, 0);
    const std::string data = " --data " + Dir(d);
    EXPECT_NE(Zavocfg("backup list" + data).out.find("No backups"), std::string::npos);

    const std::string file = Dir(d) + "one.zavoprofile";
    ASSERT_EQ(Zavocfg("profile export 1 " + file + data).status, 0);
    const std::string three = zavo::testing::Bytes(ProfileFilePath(d.path(), 2));
    Outcome imported = Zavocfg("profile import " + file + " 3" + data);
    ASSERT_EQ(imported.status, 0) << imported.all();
    EXPECT_NE(imported.out.find("Kept the replaced files as backup "), std::string::npos) << imported.out;
    ASSERT_EQ(Zavocfg("profile export 3 " + Dir(d) + "three.zavoprofile" + data).status, 0);
    EXPECT_EQ(zavo::testing::Bytes(d.path() + L"three.zavoprofile"),
              zavo::testing::Bytes(d.path() + L"one.zavoprofile"));

    Outcome list = Zavocfg("backup list" + data);
    EXPECT_EQ(list.status, 0);
    EXPECT_NE(list.out.find("Import 3  Profile2.prof"), std::string::npos) << list.out;
    ASSERT_EQ(Zavocfg("restore" + data).status, 0);
    EXPECT_EQ(zavo::testing::Bytes(ProfileFilePath(d.path(), 2)), three);

    struct Case {
        const char* name;
        std::string args;
        int status;
        const char* err;
    };
    ASSERT_TRUE(fs::WriteFileAtomic(d.path() + L"foreign.zavoprofile", "[CONFIG]\r\nMode=1\r\n"));
    // A profile file with a right digest over settings that check refuses (export
    // does not check), and a sound one padded far beyond any profile file.
    TempDir spoiledData;
    auto spoiled = zavo::testing::RichConfig();
    spoiled->Profile[0].Button[2].Macro.RepeatOption = 77;
    spoiled->Profile[0].Button[12] = spoiled->Profile[0].Button[10];
    ASSERT_TRUE(SaveConfiguration(spoiledData.path(), *spoiled));
    ASSERT_EQ(Zavocfg("profile export 1 " + Dir(d) + "spoiled.zavoprofile --data " + Dir(spoiledData)).status, 0);
    ASSERT_TRUE(fs::WriteFileAtomic(d.path() + L"padded.zavoprofile",
                                    zavo::testing::Bytes(d.path() + L"one.zavoprofile") +
                                        std::string(5 * 1024 * 1024, ';')));
    const Case cases[] = {
        {"settings check refuses", "profile import " + Dir(d) + "spoiled.zavoprofile 2" + data, 1,
         "holds settings ZAVOConfig cannot use (2 problems; the first: [MACROG2] RepeatOption: 77 is outside 1..4). "
         "Nothing was changed."},
        {"padded profile file", "profile import " + Dir(d) + "padded.zavoprofile 2" + data, 1,
         "a profile file is at most 4 MB. Nothing was changed."},
        {"foreign profile file", "profile import " + Dir(d) + "foreign.zavoprofile 2" + data, 1,
         "is not a ZAVOConfig profile file. Nothing was changed."},
        {"missing profile file", "profile import " + Dir(d) + "nowhere.zavoprofile 2" + data, 2,
         "nowhere.zavoprofile: "},
        {"profile out of range", "profile export 6 " + file + data, 2, "give 1 to 5"},
        {"no such backup", "restore --at 19990101" + data, 2, "no backup \"19990101\""},
        {"backup without list", "backup" + data, 2, "backup: give \"list\""},
    };
    const std::string before = AllFiles(d.path());
    for (const Case& c : cases) {
        Outcome r = Zavocfg(c.args);
        EXPECT_EQ(r.status, c.status) << c.name;
        EXPECT_NE(r.err.find(c.err), std::string::npos) << c.name << ": " << r.err;
    }
    EXPECT_EQ(AllFiles(d.path()), before);
}

// An export writes into a folder that is not the program's: whatever other
// programs keep there stays, left-over temporaries of theirs included.
TEST(Zavocfg, ExportLeavesOtherProgramsFilesInItsFolder) {
    TempDir d, out;
    ASSERT_EQ(Zavocfg("demo --out " + Dir(d)).status, 0);
    const wchar_t* const foreign[] = {L"app.ini.tmp1234", L"game.prof.tmp77", L"save.dat.999999-1.zavotmp",
                                      L"p.zavoprofile.999999-2.zavotmp"};
    for (const wchar_t* name : foreign) {
        ASSERT_TRUE(fs::WriteFileAtomic(out.path() + name, "theirs"));
        AgeFile(out.path() + name, std::chrono::minutes(10));
    }
    ASSERT_EQ(Zavocfg("profile export 1 " + Dir(out) + "p.zavoprofile --data " + Dir(d)).status, 0);
    for (const wchar_t* name : foreign) EXPECT_EQ(zavo::testing::Bytes(out.path() + name), "theirs");
    EXPECT_EQ(fs::ListFiles(out.path(), L"").size(), std::size(foreign) + 1);
}

#ifndef _WIN32
// Special files are neither replaced by an export nor read by an import: a pipe
// would make the import wait for ever, and the administrator's export onto a
// device node would replace it with a file.
TEST(Zavocfg, ProfileFilesThatAreNotRegularFilesAreRefused) {
    TempDir d;
    ASSERT_EQ(Zavocfg("demo --out " + Dir(d)).status, 0);
    const std::string data = " --data " + Dir(d);
    const std::string dir = Dir(d);
    ASSERT_EQ(::mkfifo((dir + "pipe").c_str(), 0644), 0);
    ASSERT_TRUE(fs::WriteFileAtomic(d.path() + L"real.zavoprofile", "kept"));
    ASSERT_EQ(::symlink((dir + "real.zavoprofile").c_str(), (dir + "link.zavoprofile").c_str()), 0);
    const bool device = ::mknod((dir + "null").c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0;  // needs root
    const auto kind = [&](const char* name) {
        struct stat st {};
        return ::lstat((dir + name).c_str(), &st) == 0 ? st.st_mode & S_IFMT : 0;
    };
    const std::string before = AllFiles(d.path());
    std::vector<std::string> cases = {"profile export 1 " + dir + "pipe",
                                      "profile export 1 " + dir + "link.zavoprofile",
                                      "profile import " + dir + "pipe 2"};
    if (device) cases.push_back("profile export 1 " + dir + "null");
    for (const std::string& c : cases) {
        Outcome r = Zavocfg(c + data);
        EXPECT_EQ(r.status, 2) << c;
        EXPECT_NE(r.err.find("not a regular file"), std::string::npos) << c << ": " << r.err;
    }
    EXPECT_EQ(kind("pipe"), static_cast<unsigned>(S_IFIFO));
    EXPECT_EQ(kind("link.zavoprofile"), static_cast<unsigned>(S_IFLNK));
    EXPECT_EQ(zavo::testing::Bytes(d.path() + L"real.zavoprofile"), "kept");
    if (device) EXPECT_EQ(kind("null"), static_cast<unsigned>(S_IFCHR));
    EXPECT_EQ(AllFiles(d.path()), before);
}
#endif

}  // namespace

// The rules of the profiles by application: each command with the window's
// checks, what is refused leaves the file as it was, and check names a damaged rule.
TEST(Zavocfg, AppsCommands) {
    TempDir d;
    ASSERT_EQ(Zavocfg("demo --out " + Dir(d)).status, 0);
    const std::string data = " --data " + Dir(d);
    struct Case {
        std::string args;
        int status;
        const char* shown;  // in the output of "apps list" afterwards, or in the error
    } cases[] = {
        {"apps add game.exe 2", 0, "game.exe -> 2"},
        {"apps add GAME.EXE 4", 0, "game.exe -> 4"},
        {"apps add \"C:\\Tools\\editor.exe\" 1", 0, "C:\\Tools\\editor.exe -> 1"},
        {"apps fallback 5", 0, "when no rule matches: 5"},
        {"apps fallback keep", 0, "when no rule matches: keep"},
        {"apps add game.exe 6", 2, "give 1 to 5"},
        {"apps add \"a|b.exe\" 1", 2, "not a valid file name"},
        {"apps add \" \" 1", 2, "without an application"},
        {"apps fallback 0", 2, "give 1 to 5 or keep"},
        {"apps remove nothing.exe", 2, "no rule for"},
        {"apps remove Game.exe", 0, "switch automatically: on"},
        {"apps frobnicate", 2, "unknown"},
    };
    for (const Case& c : cases) {
        const std::string before = zavo::testing::Bytes(d.path() + L"AppProfiles.ini");
        auto r = Zavocfg(c.args + data);
        EXPECT_EQ(r.status, c.status) << c.args << "\n" << r.all();
        if (c.status != 0) {
            EXPECT_EQ(zavo::testing::Bytes(d.path() + L"AppProfiles.ini"), before) << c.args;
        }
        const std::string shown = c.status == 0 ? Zavocfg("apps list" + data).out : r.err;
        EXPECT_NE(shown.find(c.shown), std::string::npos) << c.args << "\n" << shown;
    }
    EXPECT_EQ(Zavocfg("apps list" + data).out.find("game.exe"), std::string::npos);
    EXPECT_EQ(Zavocfg("check" + data).status, 0);

    ASSERT_EQ(Zavocfg("ini set " + Dir(d) + "AppProfiles.ini RULES Profile0 9").status, 0);
    auto check = Zavocfg("check" + data);
    EXPECT_EQ(check.status, 1);
    EXPECT_NE(check.out.find("AppProfiles.ini [RULES] App0: profile outside 1..5"), std::string::npos) << check.out;
    EXPECT_EQ(Zavocfg("apps list" + data).status, 1);
}
