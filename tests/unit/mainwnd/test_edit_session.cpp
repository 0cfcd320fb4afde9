// The main window's edit session: what the next save is kept as and owes
// after each sequence of user actions, and what a save and a reload end.
#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <memory>

#include "../config/ConfigFixtures.h"
#include "TempDir.h"
#include "config/AppRules.h"
#include "config/ConfigStore.h"
#include "light/LightStateFile.h"
#include "light/ProfileExchange.h"
#include "mainwnd/EditSession.h"
#include "platform/FileSystem.h"

using namespace zavo;
using zavo::testing::Bytes;

namespace {

enum class Step { Import, Restore, Reset, DropImport, Saved, Reload };

class EditSessionTest : public ::testing::Test {
protected:
    TempDir dir;
    const std::wstring& data = dir.path();
    EditSession session;

    // The data folder holds the rich settings and one generation, kept when
    // profile 3's slot 5 got an application.
    void SetUp() override {
        auto config = zavo::testing::RichConfig();
        ASSERT_TRUE(SaveConfiguration(data, *config));
        config->Profile[2].Button[5].FunID = FUNID_APP;
        config->Profile[2].Button[5].AppPath = L"C:\\Tools\\calc.exe";
        backup::KeepOutcome kept;
        ASSERT_TRUE(SaveConfiguration(data, *config, &kept));
        ASSERT_EQ(backup::ListGenerations(data).size(), 1u);
        LoadConfiguration(data, session.Config());
    }
    std::unique_ptr<ProfileExchange> Exchange() {
        auto x = std::make_unique<ProfileExchange>(ProfileForExport(data, session.Config(), 0));
        x->zones.fill(0);
        x->zones[0] = 1;
        return x;
    }
    void Run(Step step) {
        switch (step) {
            case Step::Import:
                session.TakeImport(session.Config().CurrantProfile, Exchange());
                break;
            case Step::Restore:
                session.LoadRestore(data, backup::ListGenerations(data), 0);
                break;
            case Step::Reset:
                session.NoteProfileCleared(session.Config().CurrantProfile);
                break;
            case Step::DropImport:
                session.DropImport();
                break;
            case Step::Saved:
                ASSERT_TRUE(SaveConfiguration(data, session.Config()));
                ASSERT_TRUE(session.Saved(data));
                break;
            case Step::Reload:
                session.Discard();
                break;
        }
    }
};

TEST_F(EditSessionTest, WhatTheNextSaveIsKeptAsAndOwes) {
    constexpr int kActive = 2;  // the rich settings' active profile
    struct Case {
        const char* name;
        std::initializer_list<Step> steps;
        backup::Action action;
        int actionProfile;
        bool modified;
        int cleared;
        bool importWaits;
    } cases[] = {
        {"nothing done", {}, backup::Action::Apply, -1, false, -1, false},
        {"import", {Step::Import}, backup::Action::Import, kActive, true, -1, true},
        {"restore", {Step::Restore}, backup::Action::Restore, -1, true, -1, false},
        {"a restore drops an import's zones",
         {Step::Import, Step::Restore},
         backup::Action::Restore,
         -1,
         true,
         -1,
         false},
        {"an import after a restore is part of it",
         {Step::Restore, Step::Import},
         backup::Action::Restore,
         -1,
         true,
         -1,
         true},
        {"reset", {Step::Reset}, backup::Action::Apply, -1, false, kActive, false},
        {"the lighting window took the zones",
         {Step::Import, Step::DropImport},
         backup::Action::Apply,
         -1,
         true,
         -1,
         false},
        {"a save settles what it owed, not the apply",
         {Step::Import, Step::Reset, Step::Saved},
         backup::Action::Apply,
         -1,
         true,
         -1,
         false},
        {"a saved restore is over", {Step::Restore, Step::Saved}, backup::Action::Apply, -1, true, -1, false},
        {"a reload discards everything",
         {Step::Restore, Step::Import, Step::Reset, Step::Reload},
         backup::Action::Apply,
         -1,
         false,
         -1,
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        session.Discard();
        LoadConfiguration(data, session.Config());
        for (Step step : c.steps) Run(step);
        EXPECT_EQ(session.SaveAction(), c.action);
        EXPECT_EQ(session.SaveActionProfile(), c.actionProfile);
        EXPECT_EQ(session.Modified(), c.modified);
        EXPECT_EQ(session.ClearedProfile(), c.cleared);
        EXPECT_EQ(session.WaitingImport() != nullptr, c.importWaits);
    }
}

// A restore saved unedited gives back the kept profile file byte for byte,
// not the layout the save alone writes.
TEST_F(EditSessionTest, ASavedRestorePutsBackTheKeptFiles) {
    const auto gens = backup::ListGenerations(data);
    const std::string kept = Bytes(backup::BackupFolder(data) + gens[0].name + L"\\" + ProfileFilePath(L"", 2));
    session.LoadRestore(data, gens, 0);
    ASSERT_TRUE(SaveConfiguration(data, session.Config()));
    ASSERT_TRUE(session.Saved(data));
    EXPECT_EQ(Bytes(ProfileFilePath(data, 2)), kept);
}

// The rules of the profiles by application come back with a restore as the
// profiles do, the rules replaced kept as a generation of their own (so the
// restore can be undone), unless the rules changed after the restore was loaded.
TEST_F(EditSessionTest, ASavedRestoreBringsBackTheApplicationRules) {
    const std::wstring rulesFile = apps::RulesFilePath(data);
    apps::AppRules rules;
    ASSERT_EQ(apps::SetRule(rules, L"game.exe", 1).edit, apps::RuleEdit::Added);
    ASSERT_TRUE(apps::SaveAppRules(data, rules));
    const std::string earlier = Bytes(rulesFile);
    ASSERT_EQ(apps::SetRule(rules, L"editor.exe", 3).edit, apps::RuleEdit::Added);
    ASSERT_TRUE(apps::SaveAppRules(data, rules));
    const std::string current = Bytes(rulesFile);
    const std::string later = "[SWITCH]\r\nAutomatic=0\r\nFallback=0\r\nCount=0\r\n";

    struct Case {
        const char* name;
        bool changedAfterLoad;
        const std::string& expected;
    } cases[] = {{"restored", false, earlier}, {"a later change of the rules wins", true, later}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(fs::WriteFileAtomic(rulesFile, current));
        // The newest generation the rules window kept: before editor.exe was added.
        auto gens = backup::ListGenerations(data);
        const auto byWindow = std::find_if(gens.begin(), gens.end(), [](const backup::Generation& g) {
            return g.action == backup::Action::AppProfiles;
        });
        ASSERT_NE(byWindow, gens.end());
        session.LoadRestore(data, gens, static_cast<size_t>(byWindow - gens.begin()));
        if (c.changedAfterLoad) {
            ASSERT_TRUE(fs::WriteFileAtomic(rulesFile, later));
        }
        const std::string replaced = Bytes(rulesFile);
        {
            // As the window's APPLY saves: one backup around the save and what it owes.
            backup::ActionBackup action(data, session.SaveAction());
            ASSERT_TRUE(SaveConfiguration(data, session.Config()));
            ASSERT_TRUE(session.Saved(data));
            ASSERT_TRUE(action.Finish());
        }
        EXPECT_EQ(Bytes(rulesFile), c.expected);
        if (c.changedAfterLoad) continue;
        gens = backup::ListGenerations(data);
        ASSERT_EQ(gens[0].action, backup::Action::Restore);
        EXPECT_EQ(Bytes(backup::BackupFolder(data) + gens[0].name + L"\\" + apps::RULES_FILE_NAME), replaced);
    }
}

// Zone states that cannot be written stay waiting, and the next save writes them.
TEST_F(EditSessionTest, ZonesThatCouldNotBeWrittenWaitForTheNextSave) {
    session.TakeImport(2, Exchange());
    const std::wstring light = LightStateFilePath(data);
    fs::RemoveFile(light);
    ASSERT_TRUE(fs::MakeDirectory(light));  // a folder where the file belongs: refused
    const IniFileStatus failed = session.Saved(data);
    EXPECT_FALSE(failed);
    ASSERT_NE(session.WaitingImport(), nullptr);
    ASSERT_TRUE(fs::RemoveEmptyFolder(light));
    EXPECT_TRUE(session.Saved(data));
    EXPECT_EQ(session.WaitingImport(), nullptr);
    EXPECT_EQ(ReadLightZones(light, LightProfileOfMode(session.Config().Light.LightMode))[0], 1);
}

TEST(EditSessionNotice, OnlyTheFirstFailedBackupIsTold) {
    EditSession session;
    backup::KeepOutcome failed;
    failed.failure = Outcome::System(FileStep::Copy, L"Config.config", 5);
    struct Case {
        const char* name;
        bool ok;
        bool told;
    } cases[] = {{"a backup made", true, false}, {"the first failure", false, true}, {"a later one", false, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(session.FirstBackupFailure(c.ok ? backup::KeepOutcome{} : failed), c.told);
    }
}

}  // namespace
