#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "FileAge.h"
#include "MacroFixture.h"
#include "TempDir.h"
#include "config/Ini.h"
#include "macro/MacroFiles.h"
#include "platform/FileSystem.h"
#include "platform/TextCodec.h"

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

using namespace zavo;
using namespace macrotest;

namespace {

using Events = std::vector<MacroEvent>;
using Names = std::vector<std::wstring>;

class MacroFiles : public ::testing::Test {
protected:
    MacroFiles() : folder(MacroFolderOf(temp.path())) { EXPECT_TRUE(fs::MakeDirectory(folder)); }

    std::wstring PathOf(const std::wstring& name) const { return MacroFilePathOf(folder, name); }

    void WriteMacro(const std::wstring& name, const Events& events) {
        ASSERT_TRUE(SaveMacroFile(PathOf(name), MacroOf(events)));
    }

    std::string Bytes(const std::wstring& path) {
        std::string bytes;
        EXPECT_TRUE(fs::ReadWholeFile(path, bytes));
        return bytes;
    }

    Names Sorted(Names n) {
        std::sort(n.begin(), n.end());
        return n;
    }

    TempDir temp;
    std::wstring folder;
    Names names;
};

TEST_F(MacroFiles, SaveWritesTheKeysInOrderAndLoadReadsThemBack) {
    MacroRecording m = MacroOf({Press(A), Wait(8), Cmd(2), Wait(0), Release(A)});
    m.DefaultDelay = 1;
    m.DefaultDelayValue = 120;
    const std::wstring path = PathOf(L"order");
    ASSERT_TRUE(SaveMacroFile(path, m));

    const std::string text = Bytes(path);
    size_t at = text.find("[Setting]");
    for (const char* key :
         {"MacroFilePath=", "IgnoreDelay=0", "DefaultDelay=1", "DefaultDelayValue=120", "Count=5", "Macro="}) {
        size_t next = text.find(key, at);
        ASSERT_NE(next, std::string::npos) << key;
        at = next;
    }
    EXPECT_EQ(Settings().IniReadString(path, L"Setting", L"MacroFilePath", L""), path);

    MacroRecording back;
    LoadMacroFile(path, back);
    EXPECT_EQ(EventsOf(back), EventsOf(m));
    EXPECT_EQ(back.Events, m.Events);
    EXPECT_EQ(back.DefaultDelay, 1);
    EXPECT_EQ(back.IgnoreDelay, 0);
    EXPECT_EQ(back.DefaultDelayValue, 120);
}

TEST_F(MacroFiles, EmptyMacroHasNoMacroKey) {
    MacroRecording m;
    m.Events[0] = Press(A);  // ignored past Count
    ASSERT_TRUE(SaveMacroFile(PathOf(L"empty"), m));
    EXPECT_EQ(Bytes(PathOf(L"empty")).find("Macro="), std::string::npos);
    MacroRecording back = MacroOf({Press(B)});
    LoadMacroFile(PathOf(L"empty"), back);
    EXPECT_EQ(back.Count, 0);
    EXPECT_EQ(back.Events[0], MacroEvent{});
}

TEST_F(MacroFiles, MissingFileLoadsTheDefaults) {
    MacroRecording m = MacroOf({Press(A)});
    m.IgnoreDelay = 1;
    m.DefaultDelayValue = 700;
    LoadMacroFile(PathOf(L"nothing here"), m);
    EXPECT_EQ(m.Count, 0);
    EXPECT_EQ(m.IgnoreDelay, 0);
    EXPECT_EQ(m.DefaultDelay, 0);
    EXPECT_EQ(m.DefaultDelayValue, 50);
    EXPECT_EQ(m.Events[0], MacroEvent{});
}

TEST_F(MacroFiles, CountAndFlagsFromHandEditedFiles) {
    struct Case {
        const wchar_t* count;
        int expected;
    } const counts[] = {{L"10", 10}, {L"99999", MACRO_EVENT_MAX}, {L"-3", 0}, {L"x", 0}};
    WriteMacro(L"m", {Press(A), Wait(1), Release(A), Wait(2)});
    for (const Case& c : counts) {
        ASSERT_TRUE(Settings().IniWriteString(PathOf(L"m"), L"Setting", L"Count", c.count));
        MacroRecording m;
        LoadMacroFile(PathOf(L"m"), m);
        EXPECT_EQ(m.Count, c.expected) << c.count;
        EXPECT_EQ(m.Events[3], Wait(2));
        EXPECT_EQ(m.Events[4], MacroEvent{}) << "zeros after the stored events";
    }

    const std::wstring path = PathOf(L"m");
    ASSERT_TRUE(Settings().IniWriteInt(path, L"Setting", L"IgnoreDelay", 1));
    ASSERT_TRUE(Settings().IniWriteInt(path, L"Setting", L"DefaultDelay", 1));
    MacroRecording m;
    LoadMacroFile(path, m);
    EXPECT_EQ(m.IgnoreDelay, 1);
    EXPECT_EQ(m.DefaultDelay, 0) << "never both set";
    ASSERT_TRUE(Settings().IniWriteInt(path, L"Setting", L"IgnoreDelay", 7));
    LoadMacroFile(path, m);
    EXPECT_EQ(m.IgnoreDelay, 0);
    EXPECT_EQ(m.DefaultDelay, 1);
}

TEST_F(MacroFiles, CorruptEventDataLoadsAsZeros) {
    WriteMacro(L"bad", {Press(A), Wait(1)});
    ASSERT_TRUE(Settings().IniWriteString(PathOf(L"bad"), L"Setting", L"Macro", L"14011FF0"));
    MacroRecording m;
    LoadMacroFile(PathOf(L"bad"), m);
    EXPECT_EQ(m.Count, 2);
    EXPECT_EQ(m.Events[0], MacroEvent{});
}

TEST_F(MacroFiles, NameListFromTheFolder) {
    WriteMacro(L"a", {});
    WriteMacro(L"b.ini2", {});
    ASSERT_TRUE(fs::WriteFileAtomic(folder + L"Upper.INI", "[Setting]\r\n"));
    ASSERT_TRUE(fs::WriteFileAtomic(folder + L"notes.txt", "x"));
    ASSERT_TRUE(fs::MakeDirectory(folder + L"dir.ini"));
    // Names the name check refuses are not listed: they could not be opened,
    // saved or deleted by that name. Device names (CON is the console) can only
    // be files where the system is not Windows, or in a folder copied from there.
    std::vector<const wchar_t*> refused = {L"c.ini.ini"};
#ifndef _WIN32
    refused.insert(refused.end(), {L"CON.ini", L"lpt1.ini"});
#endif
    for (const wchar_t* name : refused)
        ASSERT_TRUE(fs::WriteFileAtomic(folder + name, "[Setting]\r\nCount=0\r\n")) << name;
    names = {L"stale"};
    EXPECT_TRUE(RefillMacroNameList(folder, names));
    EXPECT_EQ(Sorted(names), (Names{L"Upper", L"a", L"b.ini2"}));

    EXPECT_FALSE(RefillMacroNameList(temp.path() + L"missing\\", names));
    EXPECT_TRUE(names.empty());
}

TEST_F(MacroFiles, NameCheck) {
    // A trailing dot or blank is harmless: ".ini" always follows ("a." is a..ini).
    const wchar_t* valid[] = {L"Macro 1", L"a..b", L" lead", L"\u540D\u524D", L"COM10", L"CONSOLE", L"a(2)",
                              L"x.y",     L"a.",   L"b ",    L"..",           L".",     L"a.ini2",  L"   "};
    for (const wchar_t* name : valid) EXPECT_TRUE(CheckMacroName(folder, name)) << name;

    // Each refusal names its fault: the editor words each fault differently.
    using F = MacroNameFault;
    const std::pair<const wchar_t*, MacroNameFault> invalid[] = {
        {L"", F::Empty},
        {L"a.ini", F::IniEnding},
        {L"B.INI", F::IniEnding},
        {L"x y.Ini", F::IniEnding},
        {L"a/b", F::BadCharacter},
        {L"a\\b", F::BadCharacter},
        {L"del\x7f", F::BadCharacter},
        {L"a:b", F::BadCharacter},
        {L"a*b", F::BadCharacter},
        {L"a?", F::BadCharacter},
        {L"<a>", F::BadCharacter},
        {L"a|b", F::BadCharacter},
        {L"\"q\"", F::BadCharacter},
        {L"tab\t", F::BadCharacter},
        {L"..\\..\\evil", F::BadCharacter},
        {L"CON", F::Reserved},
        {L"con.txt", F::Reserved},
        {L"Nul", F::Reserved},
        {L"COM1", F::Reserved},
        {L"lpt9", F::Reserved},
        {L"AUX .x", F::Reserved},
    };
    for (const auto& [name, fault] : invalid) {
        const MacroNameCheck check = CheckMacroName(folder, name);
        EXPECT_FALSE(check) << name;
        EXPECT_EQ(check.fault, fault) << name;
    }
}

TEST(MacroNameLength, TheWholePathOfTheTemporaryFileFits) {
    // "<folder><name>.ini.<pid>-<n>.zavotmp" with ten-digit numbers must stay
    // within 259 characters and its file name within 255.
    struct Case {
        size_t folderLength;
        size_t limit;
    } const cases[] = {
        {3, 221},   // a short folder: one path component is the bound
        {4, 221},   //
        {5, 220},   // from here on the path is
        {60, 165},  // the usual data folder under a user profile
        {224, 1},   //
        {225, 0},   // no room for any name
        {400, 0},   //
    };
    for (const Case& c : cases) {
        const std::wstring folder = std::wstring(c.folderLength - 1, L'f') + L"\\";
        EXPECT_EQ(MaxMacroNameLength(folder), c.limit) << c.folderLength;
        if (c.limit == 0) continue;
        const std::wstring atLimit(c.limit, L'x');
        ASSERT_TRUE(CheckMacroName(folder, atLimit)) << c.folderLength;
        EXPECT_LE(MacroFilePathOf(folder, atLimit).size() + std::string(".4294967295-4294967295.zavotmp").size(), 259u);
        const MacroNameCheck over = CheckMacroName(folder, atLimit + L"x");
        EXPECT_FALSE(over) << c.folderLength;
        EXPECT_EQ(over.maxLength, c.limit);
        EXPECT_EQ(over.fault, MacroNameFault::TooLong);
    }
}

TEST_F(MacroFiles, CreateSavesTheCurrentMacroFirstThenClears) {
    MacroRecording current = MacroOf({Press(A), Wait(3)});
    current.IgnoreDelay = 1;
    MacroFileResult r = CreateMacro(folder, L"new", current, names);
    ASSERT_TRUE(r.ok()) << r.code;
    EXPECT_EQ(r.name, L"new");
    EXPECT_EQ(names, Names{L"new"});
    EXPECT_EQ(r.index, 0);
    EXPECT_EQ(current.Count, 0);
    EXPECT_EQ(current.IgnoreDelay, 0);
    EXPECT_EQ(current.DefaultDelayValue, 50);

    MacroRecording written;
    LoadMacroFile(PathOf(L"new"), written);
    EXPECT_EQ(EventsOf(written), (Events{Press(A), Wait(3)}));
    EXPECT_EQ(written.IgnoreDelay, 1);
}

TEST_F(MacroFiles, CreateRefusesExistingAndInvalidNames) {
    WriteMacro(L"taken", {Press(A)});
    MacroRecording current = MacroOf({Press(B)});
    MacroFileResult r = CreateMacro(folder, L"taken", current, names);
    EXPECT_EQ(r.code, MacroFileResult::AlreadyExists);
    EXPECT_EQ(EventsOf(current), Events{Press(B)}) << "nothing else happens";

    r = CreateMacro(folder, L"..\\evil", current, names);
    EXPECT_EQ(r.code, MacroFileResult::InvalidName);
    EXPECT_EQ(r.nameCheck.fault, MacroNameFault::BadCharacter);
    EXPECT_EQ(r.name, L"..\\evil") << "the refused name, for the editor's sentence";
    EXPECT_FALSE(fs::FileExists(temp.path() + L"evil.ini"));
    EXPECT_EQ(EventsOf(current), Events{Press(B)});
}

TEST_F(MacroFiles, MissingFolderIsMadeByEveryWrite) {
    TempDir elsewhere;
    const std::wstring source = elsewhere.path() + L"src.ini";
    ASSERT_TRUE(SaveMacroFile(source, MacroOf({Press(C)})));
    struct Case {
        const char* what;
        std::function<MacroFileResult(const std::wstring&, MacroRecording&)> run;
        const wchar_t* name;
    } const cases[] = {
        {"save", [&](const std::wstring& f, MacroRecording& m) { return SaveMacroByName(f, L"s", m, names); }, L"s"},
        {"create", [&](const std::wstring& f, MacroRecording& m) { return CreateMacro(f, L"c", m, names); }, L"c"},
        {"import", [&](const std::wstring& f, MacroRecording& m) { return ImportMacroFile(f, source, m, names); },
         L"src"},
    };
    for (const Case& c : cases) {
        TempDir data;
        const std::wstring missing = MacroFolderOf(data.path());
        MacroRecording m = MacroOf({Press(B)});
        MacroFileResult r = c.run(missing, m);
        ASSERT_TRUE(r.ok()) << c.what << ": " << r.code;
        EXPECT_TRUE(fs::FileExists(MacroFilePathOf(missing, c.name))) << c.what;
        EXPECT_EQ(names, Names{c.name}) << c.what;
    }
}

TEST_F(MacroFiles, AFolderThatCannotBeMadeFailsAndKeepsTheMacro) {
    ASSERT_TRUE(fs::WriteFileAtomic(temp.path() + L"plain", "a file, not a folder"));
    const std::wstring blocked = temp.path() + L"plain\\Macro Setting\\";
    MacroRecording current = MacroOf({Press(B)});
    EXPECT_EQ(CreateMacro(blocked, L"m", current, names).code, MacroFileResult::WriteFailed);
    EXPECT_EQ(EventsOf(current), Events{Press(B)});

    TempDir elsewhere;
    const std::wstring source = elsewhere.path() + L"in.ini";
    ASSERT_TRUE(SaveMacroFile(source, MacroOf({Press(C)})));
    EXPECT_EQ(ImportMacroFile(blocked, source, current, names).code, MacroFileResult::WriteFailed);
    EXPECT_EQ(EventsOf(current), Events{Press(B)}) << "a failed import leaves the editor's macro";
}

TEST_F(MacroFiles, ImportTakesTheFirstFreeName) {
    WriteMacro(L"a", {});
    WriteMacro(L"a(2)", {});
    TempDir elsewhere;
    const std::wstring source = elsewhere.path() + L"a.ini";
    ASSERT_TRUE(SaveMacroFile(source, MacroOf({Press(C), Wait(4)})));

    MacroRecording m;
    MacroFileResult r = ImportMacroFile(folder, source, m, names);
    ASSERT_TRUE(r.ok()) << r.code;
    EXPECT_EQ(r.name, L"a(3)");
    EXPECT_EQ(names[static_cast<size_t>(r.index)], L"a(3)");
    EXPECT_EQ(Sorted(names), (Names{L"a", L"a(2)", L"a(3)"}));
    EXPECT_EQ(EventsOf(m), (Events{Press(C), Wait(4)}));
    EXPECT_EQ(Bytes(PathOf(L"a(3)")), Bytes(source)) << "copied byte for byte";
}

TEST_F(MacroFiles, ImportOfOtherExtensionsAndLongPaths) {
    TempDir elsewhere;
    const std::wstring source = elsewhere.path() + L"b.mac";
    ASSERT_TRUE(SaveMacroFile(source, MacroOf({Press(A)})));
    MacroRecording m;
    MacroFileResult r = ImportMacroFile(folder, source, m, names);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.name, L"b");
    EXPECT_TRUE(fs::FileExists(PathOf(L"b")));
}

TEST_F(MacroFiles, RefusedImportLeavesTheEditorsMacro) {
    TempDir elsewhere;
    const std::wstring longPath = elsewhere.path() + std::wstring(130, L'x') + L".ini";
    const std::wstring reserved = elsewhere.path() + L"CON.ini";   // base name CON; never written
    const std::wstring endsIni = elsewhere.path() + L"m.ini.ini";  // base name m.ini
    ASSERT_TRUE(SaveMacroFile(longPath, MacroOf({Press(C), Wait(9)})));
    ASSERT_TRUE(SaveMacroFile(endsIni, MacroOf({Press(C), Wait(9)})));
    // A sound macro file with a long comment after it.
    const std::wstring padded = elsewhere.path() + L"padded.ini";
    ASSERT_TRUE(SaveMacroFile(padded, MacroOf({Press(C), Wait(9)})));
    std::string bytes;
    ASSERT_TRUE(fs::ReadWholeFile(padded, bytes));
    ASSERT_TRUE(fs::WriteFileAtomic(padded, bytes + ";" + std::string(MACRO_FILE_MAX_BYTES, 'p')));
    struct Case {
        const char* what;
        std::wstring path;
        MacroFileResult::Code code;
    } const cases[] = {
        {"long path", longPath, MacroFileResult::PathTooLong},
        {"reserved name", reserved, MacroFileResult::InvalidName},
        {"name ending in .ini", endsIni, MacroFileResult::InvalidName},
        {"missing file", elsewhere.path() + L"absent.ini", MacroFileResult::NotFound},
        {"file larger than any macro file", padded, MacroFileResult::TooLarge},
    };
    for (const Case& c : cases) {
        MacroRecording current = MacroOf({Press(B)});
        current.IgnoreDelay = 1;
        EXPECT_EQ(ImportMacroFile(folder, c.path, current, names).code, c.code) << c.what;
        EXPECT_EQ(EventsOf(current), Events{Press(B)}) << c.what;
        EXPECT_EQ(current.IgnoreDelay, 1) << c.what;
        EXPECT_TRUE(fs::ListFiles(folder, L".ini").empty()) << c.what;
    }
}

#ifndef _WIN32
// A pipe would make the import wait for ever for a writer; a device node or a
// link chosen as export target would be replaced by a file. Both are refused
// with the reason, and the editor's macro and the folder stay as they were.
TEST_F(MacroFiles, SpecialFilesAreRefusedWithTheirReason) {
    TempDir elsewhere;
    const std::string base = text::ToUtf8(elsewhere.path());
    ASSERT_EQ(::mkfifo((base + "pipe.ini").c_str(), 0644), 0);
    ASSERT_TRUE(SaveMacroFile(elsewhere.path() + L"real.ini", MacroOf({Press(C)})));
    ASSERT_EQ(::symlink((base + "real.ini").c_str(), (base + "link.ini").c_str()), 0);
    const std::string real = Bytes(elsewhere.path() + L"real.ini");
    MacroRecording current = MacroOf({Press(B)});
    const MacroFileResult imported = ImportMacroFile(folder, elsewhere.path() + L"pipe.ini", current, names);
    EXPECT_EQ(imported.code, MacroFileResult::WriteFailed);
    EXPECT_EQ(imported.failure, fs::NotRegularFile(FileStep::Read, elsewhere.path() + L"pipe.ini"));
    EXPECT_EQ(EventsOf(current), Events{Press(B)});
    EXPECT_TRUE(fs::ListFiles(folder, L"").empty());
    for (const char* target : {"pipe.ini", "link.ini"}) {
        const MacroFileResult exported = ExportMacroFile(elsewhere.path() + text::FromUtf8(target), current);
        EXPECT_EQ(exported.code, MacroFileResult::WriteFailed) << target;
        EXPECT_EQ(exported.failure.refusal, Refusal::NotRegularFile) << target;
        EXPECT_EQ(exported.failure.file, elsewhere.path() + text::FromUtf8(target)) << target;
    }
    struct stat st {};
    EXPECT_TRUE(::lstat((base + "link.ini").c_str(), &st) == 0 && S_ISLNK(st.st_mode));
    EXPECT_TRUE(::lstat((base + "pipe.ini").c_str(), &st) == 0 && S_ISFIFO(st.st_mode));
    EXPECT_EQ(Bytes(elsewhere.path() + L"real.ini"), real);
}
#endif

// The macro folder holds macro files; what killed writers left of them goes
// with the next save, create or import, and nothing else there is touched.
TEST_F(MacroFiles, SavesClearOnlyLeftOversOfMacroFiles) {
    const wchar_t* const leftOvers[] = {L"Dead.ini.999999-1.zavotmp", L"Old.ini.tmp42"};
    const wchar_t* const foreign[] = {L"notes.txt.999999-2.zavotmp", L"a.ini.ini.999999-3.zavotmp", L"app.prof.tmp9"};
    for (const wchar_t* name : leftOvers) ASSERT_TRUE(fs::WriteFileAtomic(folder + name, "left"));
    for (const wchar_t* name : foreign) ASSERT_TRUE(fs::WriteFileAtomic(folder + name, "theirs"));
    for (const wchar_t* name : {leftOvers[1], foreign[2]}) AgeFile(folder + name, std::chrono::minutes(10));
    ASSERT_TRUE(SaveMacroByName(folder, L"Kept", MacroOf({Press(A)}), names).ok());
    EXPECT_EQ(Sorted(fs::ListFiles(folder, L"")),
              Sorted({L"Kept.ini", L"notes.txt.999999-2.zavotmp", L"a.ini.ini.999999-3.zavotmp", L"app.prof.tmp9"}));
}

TEST_F(MacroFiles, ExportWritesWhereTheUserChose) {
    TempDir elsewhere;
    MacroRecording m = MacroOf({Press(A), Wait(2)});
    EXPECT_TRUE(ExportMacroFile(elsewhere.path() + L"out.ini", m).ok());
    MacroRecording back;
    LoadMacroFile(elsewhere.path() + L"out.ini", back);
    EXPECT_EQ(EventsOf(back), EventsOf(m));
    EXPECT_EQ(ExportMacroFile(elsewhere.path(), m).code, MacroFileResult::NoFileName);
}

TEST_F(MacroFiles, DeleteRemovesTheFileByNameAndEmptiesTheMacro) {
    WriteMacro(L"one", {});
    WriteMacro(L"two", {});
    RefillMacroNameList(folder, names);
    MacroRecording current = MacroOf({Press(A), Wait(2), Release(A)});
    current.DefaultDelay = 1;
    EXPECT_TRUE(DeleteMacro(folder, L"one", current, names).ok());
    EXPECT_EQ(names, Names{L"two"});
    EXPECT_FALSE(fs::FileExists(PathOf(L"one")));
    EXPECT_TRUE(fs::FileExists(PathOf(L"two")));
    EXPECT_EQ(current.Count, 0) << "a macro created next starts empty";
    EXPECT_EQ(current.Events[0], MacroEvent{});
    EXPECT_EQ(current.DefaultDelay, 1);

    // The name, not a position in a list refilled meanwhile, picks the file.
    WriteMacro(L"aaa", {});
    EXPECT_TRUE(DeleteMacro(folder, L"two", current, names).ok());
    EXPECT_EQ(names, Names{L"aaa"});
}

TEST_F(MacroFiles, RefusedDeleteChangesNothing) {
    ASSERT_TRUE(fs::WriteFileAtomic(temp.path() + L"outside.ini", "keep"));
    WriteMacro(L"kept", {});
    RefillMacroNameList(folder, names);
    MacroRecording current = MacroOf({Press(A)});
    EXPECT_EQ(DeleteMacro(folder, L"..\\outside", current, names).code, MacroFileResult::InvalidName);
    EXPECT_TRUE(fs::FileExists(temp.path() + L"outside.ini"));
    EXPECT_EQ(names, Names{L"kept"}) << "the list keeps its names";
    EXPECT_EQ(EventsOf(current), Events{Press(A)});
}

TEST_F(MacroFiles, NamesEarlierVersionsWroteCanBeSavedAndDeleted) {
    for (const wchar_t* name : {L"a.", L"b "}) {
        MacroRecording m = MacroOf({Press(A)});
        MacroFileResult r = SaveMacroByName(folder, name, m, names);
        ASSERT_TRUE(r.ok()) << r.code;
        EXPECT_NE(std::find(names.begin(), names.end(), name), names.end());
        EXPECT_TRUE(DeleteMacro(folder, name, m, names).ok());
        EXPECT_EQ(std::find(names.begin(), names.end(), name), names.end());
    }
    EXPECT_TRUE(fs::ListFiles(folder, L".ini").empty());
}

TEST_F(MacroFiles, SaveByNameRefusesInvalidNames) {
    MacroFileResult r = SaveMacroByName(folder, L"../up", MacroOf({Press(A)}), names);
    EXPECT_EQ(r.code, MacroFileResult::InvalidName);
    EXPECT_FALSE(fs::FileExists(temp.path() + L"up.ini"));
    r = SaveMacroByName(folder, L"fine", MacroOf({Press(A)}), names);
    EXPECT_TRUE(r.ok());
    EXPECT_EQ(names, Names{L"fine"});
}

TEST_F(MacroFiles, LoadForKeyExpandsCommands) {
    WriteMacro(L"copy", {Cmd(2)});
    ExpandedMacro out = LoadMacroForKey(PathOf(L"copy"));
    EXPECT_EQ(Events(out.Events.begin(), out.Events.begin() + out.Length),
              (Events{{0x88, 1}, {0xFF, 1}, {0x26, 1}, {0xFF, 1}, {0x26, 0}, {0xFF, 1}, {0x88, 0}}));

    WriteMacro(L"short", {Press(A), Wait(1), Release(A)});
    ASSERT_TRUE(Settings().IniWriteInt(PathOf(L"short"), L"Setting", L"Count", 2));
    EXPECT_EQ(LoadMacroForKey(PathOf(L"short")).Length, 2);

    EXPECT_EQ(LoadMacroForKey(PathOf(L"absent")).Length, 0);
    // Events that fail their checksum make an empty macro, not Count empty events.
    WriteMacro(L"damaged", {Press(A), Wait(1), Release(A)});
    ASSERT_TRUE(Settings().IniWriteString(PathOf(L"damaged"), L"Setting", L"Macro", L"14011FF0"));
    EXPECT_EQ(LoadMacroForKey(PathOf(L"damaged")).Length, 0);
    ASSERT_TRUE(fs::WriteFileAtomic(PathOf(L"nocount"), "[Setting]\r\nIgnoreDelay=0\r\n"));
    EXPECT_EQ(LoadMacroForKey(PathOf(L"nocount")).Length, 0);
}

// A file in the macro folder larger than any macro file is not read: the key
// dialog and the editor get an empty macro, and nothing of it stays in memory.
TEST_F(MacroFiles, OversizedFilesAreNotRead) {
    WriteMacro(L"huge", {Press(A), Wait(1), Release(A)});
    const std::string bytes = Bytes(PathOf(L"huge"));
    ASSERT_TRUE(fs::WriteFileAtomic(PathOf(L"huge"), bytes + ";" + std::string(MACRO_FILE_MAX_BYTES, 'p')));
    Settings().DropCache();
    EXPECT_EQ(LoadMacroForKey(PathOf(L"huge")).Length, 0);
    MacroRecording m = MacroOf({Press(B)});
    LoadMacroFile(PathOf(L"huge"), m);
    EXPECT_EQ(m.Count, 0);
    EXPECT_LT(Settings().KeptBytes(), MACRO_FILE_MAX_BYTES);
}

}  // namespace
