// zavocfg as a user runs it: exit codes, one-line errors naming the path, and that
// read-only commands write nothing.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/wait.h>

#include "ConfigFixtures.h"
#include "TempDir.h"
#include "config/ConfigStore.h"
#include "platform/TextCodec.h"

using namespace zavo;

namespace {

struct Outcome {
    int status = -1;
    std::string out;
};

Outcome Zavocfg(const std::string& args) {
    const char* bin = std::getenv("ZAVO_BIN_DIR");
    std::string cmd = std::string(bin ? bin : ".") + "/zavocfg " + args + " 2>&1";
    Outcome r;
    FILE* p = popen(cmd.c_str(), "r");
    if (!p) return r;
    char buf[4096];
    while (size_t n = fread(buf, 1, sizeof buf, p)) r.out.append(buf, n);
    int st = pclose(p);
    r.status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
    return r;
}

std::string Dir(const TempDir& d) { return text::ToUtf8(d.path()); }

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
    EXPECT_EQ(j["Profile"][0]["Button"][2]["Macro"]["Macro"], "2A01FF012A");  // trailing zeros left out
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
}

TEST(Zavocfg, ErrorsNameThePathAndExitTwo) {
    TempDir d;
    const std::string missing = Dir(d) + "nowhere";
    for (const std::string& cmd : {"show --data " + missing, "check --data " + missing,
                                   "dump --json --data " + missing, "roundtrip --data " + missing,
                                   "ini get " + missing + "/x.ini A k"}) {
        Outcome r = Zavocfg(cmd);
        EXPECT_EQ(r.status, 2) << cmd;
        EXPECT_NE(r.out.find("nowhere"), std::string::npos) << cmd << ": " << r.out;
        EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 1) << r.out;
    }
    EXPECT_FALSE(fs::DirectoryExists(d.path() + L"nowhere"));
    EXPECT_EQ(Zavocfg("ini get-struct " + Dir(d) + "x.ini A k 0").status, 2);
    EXPECT_EQ(Zavocfg("ini set-struct " + Dir(d) + "x.ini A k 2 0G01").status, 2);
    EXPECT_EQ(Zavocfg("show --data " + Dir(d)).status, 2);  // a folder without Config.config
}

TEST(Zavocfg, IniPrimitivesAndRoundtrip) {
    TempDir d;
    const std::string f = Dir(d) + "x.ini";
    EXPECT_EQ(Zavocfg("ini set " + f + " Sec Key 'two words'").status, 0);
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

}  // namespace
