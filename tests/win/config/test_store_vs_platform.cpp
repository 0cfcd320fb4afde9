// The six settings files written and read through the engine against the same
// sequence of calls through the platform's private-profile functions.
#include <gtest/gtest.h>

#include <memory>

#include "../../unit/config/ConfigFixtures.h"
#include "PlatformPair.h"
#include "config/ConfigSequence.h"
#include "config/ConfigStore.h"

using namespace zavo;
using zavo::testing::Bytes;
using zavo::testing::RichConfig;
using zavo::testing::Show;

namespace {

// What the platform's functions leave in `folder` for a save in the same order.
void PlatformSave(const std::wstring& folder, const KeyboardConfig& c) {
    seq::Failure f;
    seq::WriteConfigFile(PlatformIni(), ConfigFilePath(folder), c, f);
    for (int p = 0; p < PROFILE_COUNT; ++p)
        seq::WriteProfileFile(PlatformIni(), ProfileFilePath(folder, p), c.Profile[p], f);
    ASSERT_FALSE(f.failed) << text::ToUtf8(DescribeFailure(f.first));
}

void ExpectSameFolders(const std::wstring& a, const std::wstring& b) {
    std::vector<std::wstring> files = {L"Config.config"};
    for (int p = 0; p < PROFILE_COUNT; ++p) files.push_back(L"Profile" + std::to_wstring(p) + L".prof");
    for (const auto& name : files) {
        std::string x = Bytes(a + name), y = Bytes(b + name);
        EXPECT_FALSE(x.empty()) << text::ToUtf8(name);
        if (x != y) {
            size_t at = 0;
            while (at < x.size() && at < y.size() && x[at] == y[at]) ++at;
            size_t from = at > 120 ? at - 120 : 0;
            ADD_FAILURE() << text::ToUtf8(name) << " differs at byte " << at << "\nengine:\n"
                          << Show(x.substr(from, 240)) << "\nplatform:\n"
                          << Show(y.substr(from, 240));
        }
    }
}

// RichConfig with macros in profile 0 only: the platform's functions rewrite the
// whole file on every write, and a macro makes a profile file large.
std::unique_ptr<KeyboardConfig> Config() {
    auto c = RichConfig();
    for (int p = 1; p < PROFILE_COUNT; ++p) {
        ClearSlot(c->Profile[p].Button[2]);
        ClearSlot(c->Profile[p].Button[10]);
        c->Profile[p].Button[10].Mappinkey = KEY_NONE;
    }
    return c;
}

// A configuration whose later saves change every kind of value: a macro slot
// cleared, a remap turned into an application, a new macro, other lighting.
void Edit(KeyboardConfig& c) {
    c.Mode = 0;
    c.CurrantProfile = 4;
    c.Light.LightMode = 3;
    for (auto& p : c.Profile) {
        ClearSlot(p.Button[2]);
        p.Button[0].FunID = FUNID_APP;
        p.Button[0].AppPath = L"C:\\Tools\\notepad.exe";
        p.SwapKey[ENTER_KEY_INDEX].AssKey = 0x29;
        p.InstantShift.ProfileKey = {0, 3, 0, 0, 0};
    }
    c.Profile[0].Button[5].FunID = FUNID_MACRO;
    zavo::testing::FillMacro(c.Profile[0].Button[5].Macro, L"", 12);  // no name: the key is not written
}

void CopyFolder(const std::wstring& from, const std::wstring& to) {
    fs::CopyOneFile(ConfigFilePath(from), ConfigFilePath(to), false);
    for (int p = 0; p < PROFILE_COUNT; ++p) fs::CopyOneFile(ProfileFilePath(from, p), ProfileFilePath(to, p), false);
}

// The platform's functions take seconds for a save, so the folders are made once:
// a fresh save, then a save of an edited configuration over it, through both.
class StoreVsPlatform : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        engine_ = new TempDir;
        platform_ = new TempDir;
        auto c = Config();
        ASSERT_TRUE(SaveConfiguration(engine_->path(), *c));
        PlatformSave(platform_->path(), *c);
        ExpectSameFolders(engine_->path(), platform_->path());
        Edit(*c);
        ASSERT_TRUE(SaveConfiguration(engine_->path(), *c));
        PlatformSave(platform_->path(), *c);
    }
    static void TearDownTestSuite() {
        delete engine_;
        delete platform_;
    }
    static const std::wstring& Engine() { return engine_->path(); }
    static const std::wstring& Platform() { return platform_->path(); }

private:
    static inline TempDir* engine_ = nullptr;
    static inline TempDir* platform_ = nullptr;
};

TEST_F(StoreVsPlatform, SavesWriteTheSameBytes) {
    // The fresh saves were compared while the folders were made.
    ExpectSameFolders(Engine(), Platform());
}

TEST_F(StoreVsPlatform, FolderWrittenByThePlatformSurvivesLoadAndSave) {
    // The platform's folder holds stale sections and keys from its first save.
    TempDir folder;
    CopyFolder(Platform(), folder.path());
    auto loaded = std::make_unique<KeyboardConfig>();
    EXPECT_EQ(LoadConfiguration(folder.path(), *loaded).path, LoadPath::Loaded);
    ASSERT_TRUE(SaveConfiguration(folder.path(), *loaded));
    ExpectSameFolders(folder.path(), Platform());
}

TEST_F(StoreVsPlatform, LoadReadsWhatThePlatformReads) {
    auto viaEngine = std::make_unique<KeyboardConfig>();
    auto viaPlatform = std::make_unique<KeyboardConfig>();
    LoadConfiguration(Platform(), *viaEngine);
    seq::ReadConfigFile(PlatformIni(), ConfigFilePath(Platform()), *viaPlatform);
    for (int p = 0; p < PROFILE_COUNT; ++p)
        seq::ReadProfileFile(PlatformIni(), ProfileFilePath(Platform(), p), viaPlatform->Profile[p]);
    EXPECT_TRUE(*viaEngine == *viaPlatform);
    EXPECT_EQ(viaEngine->Profile[0].Button[2].Macro.MacroName, L"Combo 0");  // the stale section came back
}

}  // namespace
