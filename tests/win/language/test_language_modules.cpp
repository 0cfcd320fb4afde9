// The built language modules: each loads and gives all 85 texts, and the module a
// locale chooses is the one that loads.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "app/AppContext.h"
#include "app/FailureText.h"
#include "app/UiTexts.h"
#include "config/ConfigStore.h"
#include "config/KeyboardConfig.h"
#include "config/ProfileEdits.h"
#include "light/ProfileExchange.h"
#include "TempDir.h"
#include "app/Language.h"
#include "platform/FileSystem.h"

namespace {

// The build's bin folder as a Windows path with a trailing backslash.
std::wstring BinDir() {
    wchar_t buffer[4096];
    DWORD n = GetEnvironmentVariableW(L"ZAVO_BIN_DIR", buffer, 4096);
    std::wstring dir = n > 0 && n < 4096 ? std::wstring(buffer, n) : L"";
    if (!dir.empty() && dir[0] == L'/') {
        dir = L"Z:" + dir;
        for (auto& c : dir) {
            if (c == L'/') c = L'\\';
        }
    }
    if (!dir.empty() && dir.back() != L'\\') dir += L'\\';
    return dir;
}

struct Module {
    const wchar_t* folder;
    std::uint32_t lcid;
    const wchar_t* ok;      // entry 9
    const wchar_t* cancel;  // entry 8
};

const Module kModules[] = {
    {L"En", 0x0409, L"OK", L"Cancel"},
    {L"Deutsch", 0x0407, L"OK", L"Abbrechen"},
    {L"Japanese", 0x0411, L"OK", L"\u30AD\u30E3\u30F3\u30BB\u30EB"},
};

TEST(LanguageModules, EachGivesAll85TextsNonEmpty) {
    ASSERT_FALSE(BinDir().empty()) << "ZAVO_BIN_DIR is not set";
    for (const auto& m : kModules) {
        const std::wstring path = BinDir() + L"lan\\" + m.folder + L"\\lang.dll";
        ASSERT_NE(GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES) << "missing module " << m.folder;
        const std::vector<std::wstring> texts = zavo::LoadLanguageTexts(path);
        ASSERT_EQ(texts.size(), 85u);
        for (size_t i = 0; i < texts.size(); ++i) {
            EXPECT_FALSE(texts[i].empty()) << "module " << m.folder << " string " << 101 + i;
        }
        // The UTF-8 source reaches the program as the intended characters.
        EXPECT_EQ(texts[9], m.ok);
        EXPECT_EQ(texts[8], m.cancel);
    }
}

TEST(LanguageModules, TextsDifferBetweenLanguages) {
    auto load = [](const wchar_t* folder) {
        return zavo::LoadLanguageTexts(BinDir() + L"lan\\" + folder + L"\\lang.dll");
    };
    const auto en = load(L"En");
    const auto de = load(L"Deutsch");
    const auto jp = load(L"Japanese");
    ASSERT_EQ(en.size(), 85u);
    int sameDe = 0, sameJp = 0;
    for (size_t i = 0; i < en.size(); ++i) {
        sameDe += en[i] == de[i];
        sameJp += en[i] == jp[i];
    }
    // Only words that are the same in both languages (OK, Status, Page Up...).
    EXPECT_LT(sameDe, 10);
    EXPECT_LT(sameJp, 10);
}

TEST(LanguageModules, LocaleChoosesTheModule) {
    for (const auto& m : kModules) {
        const auto texts = zavo::LoadLanguageTexts(zavo::LanguageModulePath(BinDir(), m.lcid));
        ASSERT_EQ(texts.size(), 85u);
        EXPECT_EQ(texts[8], m.cancel) << std::hex << m.lcid;
    }
    // A locale whose module is not installed still gives 85 (empty) texts.
    const auto none = zavo::LoadLanguageTexts(zavo::LanguageModulePath(BinDir(), 0x0C04));
    ASSERT_EQ(none.size(), 85u);
    for (const auto& t : none) EXPECT_TRUE(t.empty());
}

// A German module that is there but damaged: the run's texts come from the
// English module instead of 85 empty ones.
TEST(LanguageModules, ADamagedModuleGivesTheEnglishTexts) {
    std::string real;
    ASSERT_TRUE(zavo::fs::ReadWholeFile(BinDir() + L"lan\\Deutsch\\lang.dll", real));
    const std::string damaged[] = {"", "MZ not a module at all", real.substr(0, 1024)};
    for (const std::string& bytes : damaged) {
        TempDir folder;
        ASSERT_TRUE(zavo::fs::MakeDirectory(folder.path() + L"lan"));
        ASSERT_TRUE(zavo::fs::MakeDirectory(folder.path() + L"lan\\Deutsch"));
        ASSERT_TRUE(zavo::fs::MakeDirectory(folder.path() + L"lan\\En"));
        ASSERT_TRUE(CopyFileW((BinDir() + L"lan\\En\\lang.dll").c_str(), (folder.path() + L"lan\\En\\lang.dll").c_str(),
                              FALSE));
        ASSERT_TRUE(zavo::fs::WriteFileAtomic(folder.path() + L"lan\\Deutsch\\lang.dll", bytes));
        std::wstring module;
        const auto texts = zavo::LoadRunLanguageTexts(folder.path(), 0x0407, module);
        ASSERT_EQ(texts.size(), 85u) << bytes.size();
        EXPECT_EQ(texts[8], L"Cancel") << bytes.size();
        EXPECT_NE(module.find(L"lan\\En\\"), std::wstring::npos);
    }
    // An intact module is its own.
    std::wstring module;
    EXPECT_EQ(zavo::LoadRunLanguageTexts(BinDir(), 0x0407, module)[8], L"Abbrechen");
}

// The backup texts (301 on): each shipped module has them all; a module without
// them (here the string ids past the last one) leaves the context to English.
TEST(LanguageModules, BackupTextsOrEnglish) {
    for (const auto& m : kModules) {
        zavo::AppContext app;
        app.moduleTexts = zavo::LoadLanguageTexts(BinDir() + L"lan\\" + m.folder + L"\\lang.dll",
                                                  zavo::BACKUP_FIRST_STRING_ID, zavo::BACKUP_TEXT_COUNT);
        ASSERT_EQ(app.moduleTexts.size(), static_cast<size_t>(zavo::BACKUP_TEXT_COUNT));
        for (size_t i = 0; i < app.moduleTexts.size(); ++i)
            EXPECT_FALSE(app.moduleTexts[i].empty()) << "module " << m.folder << " string " << 301 + i;
        EXPECT_EQ(app.Text(zavo::BackupText::CancelButton), m.cancel) << m.folder;
        app.moduleTexts =
            zavo::LoadLanguageTexts(BinDir() + L"lan\\" + m.folder + L"\\lang.dll", zavo::MODULE_TEXT_LAST_ID + 1,
                                    zavo::BACKUP_TEXT_COUNT);
        EXPECT_EQ(app.Text(zavo::BackupText::MenuRestore), L"Restore earlier settings...") << m.folder;
    }
}

// The texts of app/UiTexts.h: every id the English module gives, the German and
// Japanese modules give too, and none gives an id the English one lacks.
TEST(LanguageModules, ModulesGiveTheSameTextIds) {
    const auto english = zavo::LoadLanguageTexts(BinDir() + L"lan\\En\\lang.dll", zavo::MODULE_TEXT_FIRST_ID,
                                                 zavo::MODULE_TEXT_COUNT);
    for (const auto& m : kModules) {
        const auto texts = zavo::LoadLanguageTexts(BinDir() + L"lan\\" + m.folder + L"\\lang.dll",
                                                   zavo::MODULE_TEXT_FIRST_ID, zavo::MODULE_TEXT_COUNT);
        ASSERT_EQ(texts.size(), english.size());
        for (size_t i = 0; i < texts.size(); ++i)
            EXPECT_EQ(texts[i].empty(), english[i].empty())
                << "module " << m.folder << " string " << zavo::MODULE_TEXT_FIRST_ID + static_cast<int>(i);
    }
}

// A context with the module texts of lan\<folder>\lang.dll.
zavo::AppContext ContextOf(const wchar_t* folder, std::uint16_t languageId) {
    zavo::AppContext app;
    app.moduleTexts = zavo::LoadLanguageTexts(BinDir() + L"lan\\" + folder + L"\\lang.dll", zavo::MODULE_TEXT_FIRST_ID,
                                              zavo::MODULE_TEXT_COUNT);
    app.languageId = languageId;
    return app;
}

// The sentences kept by kind (the program's refusals, a refused profile file,
// what is wrong with a value): each module has each one, and the English
// module's is the English the tools print, so a kind without its text fails.
TEST(LanguageModules, EveryKindHasItsSentenceInEachModule) {
    struct KindText {
        int id;
        std::wstring english;
    };
    std::vector<KindText> kinds;
    for (int r = 1; r <= static_cast<int>(zavo::Refusal::LineBreak); ++r)
        kinds.push_back({zavo::kRefusalTextBase + r, zavo::RefusalText(static_cast<zavo::Refusal>(r))});
    for (int k = 1; k < static_cast<int>(zavo::ProfileRefusalKind::Unreadable); ++k) {
        const auto kind = static_cast<zavo::ProfileRefusalKind>(k);
        kinds.push_back({zavo::kProfileRefusalTextBase + k, zavo::ProfileRefusalTemplate(kind)});
    }
    for (int k = 0; k <= static_cast<int>(zavo::ProblemKind::BadAppRule); ++k) {
        const auto kind = static_cast<zavo::ProblemKind>(k);
        if (const int id = zavo::ProblemTextId(kind)) kinds.push_back({id, zavo::ProblemTemplate(kind)});
    }
    EXPECT_EQ(zavo::ProblemTextId(zavo::ProblemKind::FileMissing), 528) << "the last id of its block";
    for (const auto& m : kModules) {
        const zavo::AppContext app = ContextOf(m.folder, 0);
        for (const KindText& kind : kinds) {
            const std::wstring text = app.Text(zavo::UiText{kind.id, L""});
            EXPECT_FALSE(text.empty()) << "module " << m.folder << " string " << kind.id;
            if (m.lcid == 0x0409) EXPECT_EQ(text, kind.english) << "string " << kind.id;
            else EXPECT_NE(text, kind.english) << "module " << m.folder << " string " << kind.id << " is English";
        }
    }
}

TEST(LanguageModules, TheRunContextHoldsAllTexts) {
    // The test program is not beside a "lan" folder: every entry is empty, and
    // there are still 85 of them.
    const zavo::AppContext app = zavo::BuildAppContext();
    EXPECT_EQ(app.langTexts.size(), 85u);
    EXPECT_EQ(0, _wcsicmp(app.programFolder.c_str(), BinDir().c_str())) << app.programFolder;
    EXPECT_EQ(0, _wcsicmp(app.SkinFolder().c_str(), (BinDir() + L"Skins\\").c_str()));
    const std::wstring tail = L"\\Brimvale\\ZAVO\\";
    ASSERT_GT(app.dataFolder.size(), tail.size());
    EXPECT_EQ(app.dataFolder.substr(app.dataFolder.size() - tail.size()), tail);
}

// A save that failed tells the user in the language of the module: the German
// module's sentences with the file, and the system's reason asked for in German
// (the system's own language where it has no German text); the English module
// gives the message the window always showed.
TEST(FailureTexts, AFailedSaveInTheGermanModuleIsGermanWithTheSystemReason) {
    TempDir dir;
    auto config = std::make_unique<zavo::KeyboardConfig>();
    ASSERT_TRUE(zavo::SaveConfiguration(dir.path(), *config));
    const std::wstring locked = zavo::ConfigFilePath(dir.path());
    ASSERT_TRUE(SetFileAttributesW(locked.c_str(), FILE_ATTRIBUTE_READONLY));
    config->Mode = config->Mode == 0 ? 1 : 0;
    const zavo::Outcome failed = zavo::SaveConfiguration(dir.path(), *config);
    SetFileAttributesW(locked.c_str(), FILE_ATTRIBUTE_NORMAL);
    ASSERT_FALSE(failed);
    EXPECT_EQ(failed.file, locked);
    EXPECT_EQ(failed.code, static_cast<std::uint32_t>(ERROR_ACCESS_DENIED));

    const zavo::AppContext german = ContextOf(L"Deutsch", 0x0407), english = ContextOf(L"En", 0x0409);
    const std::wstring reason = zavo::SystemReasonText(failed.code, german.languageId);
    ASSERT_FALSE(reason.empty());
    EXPECT_EQ(zavo::SaveFailedMessage(german, failed),
              L"Die Einstellungen konnten nicht gespeichert werden.\n\nDatei: " + locked + L"\nGrund: " + reason +
                  L"\n\nIhre \u00c4nderungen bleiben erhalten. Beheben Sie das Problem und wenden Sie sie erneut an.");
    EXPECT_EQ(zavo::SaveFailedMessage(english, failed),
              L"The settings could not be saved.\n\nFile: " + locked + L"\nReason: " +
                  zavo::SystemReasonText(failed.code, english.languageId) +
                  L"\n\nYour changes are kept. Solve the problem and apply again.");

    // The program's own refusals come from the module too, English without one.
    const zavo::Outcome refused =
        zavo::Outcome::Refused(zavo::FileStep::Replace, locked, zavo::Refusal::NotRegularFile);
    EXPECT_EQ(zavo::FailureReason(german, refused).rfind(L"Dies ist keine gew\u00f6hnliche Datei", 0), 0u);
    EXPECT_EQ(zavo::FailureReason(zavo::AppContext{}, refused), zavo::RefusalText(zavo::Refusal::NotRegularFile));

    // A refused profile file: the reason and what is wrong are the module's
    // words; the English module and no module say what zavocfg prints.
    zavo::ProfileExchange spoilt;
    zavo::ResetProfile(spoilt.profile);
    spoilt.profile.Button[2].FunID = zavo::FUNID_MACRO;
    spoilt.profile.Button[2].Macro.RepeatOption = 77;
    const std::wstring file = dir.path() + L"spoilt.zavoprofile";
    ASSERT_TRUE(zavo::WriteProfileExchange(file, spoilt));
    zavo::ProfileExchange read;
    zavo::ProfileRefusal why;
    ASSERT_FALSE(zavo::ReadProfileExchange(file, read, why));
    const std::wstring text = zavo::ProfileRefusalText(german, why);
    EXPECT_EQ(text.rfind(file + L" enth\u00e4lt Einstellungen, die ZAVOConfig nicht verwenden kann (", 0), 0u) << text.c_str();
    EXPECT_NE(text.find(L"das erste: [MACROG2] RepeatOption: 77 liegt au\u00dferhalb von 1..4)."), std::wstring::npos)
        << text.c_str();
    EXPECT_EQ(zavo::ProfileRefusalText(english, why), zavo::DescribeProfileRefusal(why));
    EXPECT_EQ(zavo::ProfileRefusalText(zavo::AppContext{}, why), zavo::DescribeProfileRefusal(why));
}

// The problems of the keys' lending and of the files are the module's words
// too, not English inside a German sentence.
TEST(FailureTexts, TheKeysProblemsInTheGermanModule) {
    const zavo::AppContext german = ContextOf(L"Deutsch", 0x0407);
    const struct {
        zavo::ProblemKind kind;
        std::vector<std::wstring> values;
        const wchar_t* text;
    } cases[] = {
        {zavo::ProblemKind::KeyLentTwice, {L"7"}, L"der Standardtaste 7 sind zwei Pl\u00e4tze verliehen"},
        {zavo::ProblemKind::ChoiceUsedTwice, {L"3"}, L"die Instant-Shift-Auswahl 3 wird zweimal verwendet"},
        {zavo::ProblemKind::FileMissing, {}, L"die Datei fehlt"},
    };
    for (const auto& c : cases) {
        const zavo::ConfigProblem problem{L"p.prof", L"BUTTONG1", L"FunID", c.kind, c.values};
        EXPECT_EQ(zavo::ProblemText(german, problem), c.text);
        EXPECT_EQ(zavo::ProblemText(zavo::AppContext{}, problem), zavo::ProblemReason(problem));
    }
}

// The macro editor's refusals: the module's sentence with the name or the
// limit filled in, in German; without a module the English the editor showed.
TEST(FailureTexts, TheMacroEditorsRefusalsInTheGermanModule) {
    const zavo::AppContext german = ContextOf(L"Deutsch", 0x0407), none;
    auto refused = [](zavo::MacroFileResult::Code code, zavo::MacroNameFault fault, size_t limit = 0) {
        zavo::MacroFileResult r;
        r.code = code;
        r.nameCheck = {fault, limit};
        r.name = L"com1";
        return r;
    };
    using R = zavo::MacroFileResult;
    using F = zavo::MacroNameFault;
    const struct {
        zavo::MacroFileResult result;
        const wchar_t* german;
        const wchar_t* english;
    } cases[] = {
        {refused(R::AlreadyExists, F::None), L"Der Makroname existiert bereits!", L"Macro name already exist!"},
        {refused(R::InvalidName, F::Empty), L"Bitte geben Sie einen Namen f\u00fcr das Makro ein.",
         L"Please type a name for the macro."},
        {refused(R::InvalidName, F::TooLong, 165),
         L"Dieser Name ist zu lang. In diesem Ordner darf ein Makroname h\u00f6chstens so viele Zeichen haben: 165",
         L"This name is too long. In this folder a macro name can have at most this many characters: 165"},
        {refused(R::InvalidName, F::Reserved), L"\"com1\" ist von Windows reserviert und kann kein Makroname sein.",
         L"\"com1\" is reserved by Windows and cannot be a macro name."},
        {refused(R::InvalidName, F::IniEnding), L"Ein Makroname darf nicht auf \".ini\" enden.",
         L"A macro name cannot end with \".ini\"."},
        {refused(R::NotFound, F::None), L"", L""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(zavo::MacroFileText(german, c.result), c.german);
        EXPECT_EQ(zavo::MacroFileText(none, c.result), c.english);
    }
}

}  // namespace
