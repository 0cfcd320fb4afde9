// The context of a run: the main skin's files checked before the window opens.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "TempDir.h"
#include "app/AppContext.h"
#include "platform/FileSystem.h"

namespace zavo {
namespace {

TEST(AppContext, MissingMainSkinFileNamesTheFirstFileThatIsNotThere) {
    TempDir program;
    AppContext app;
    app.programFolder = program.path();
    const std::wstring skins = app.SkinFolder();
    EXPECT_EQ(MissingMainSkinFile(app), skins + L"main.ini");  // no Skins folder at all

    ASSERT_TRUE(fs::MakeDirectory(skins));
    ASSERT_TRUE(fs::WriteFileAtomic(skins + L"main.ini",
                                    "[SCREEN]\r\nMask=m.bmp\r\nMain=a.bmp\r\nDown=d.bmp\r\nOver=o.bmp\r\n"));
    EXPECT_EQ(MissingMainSkinFile(app), skins + L"m.bmp");
    for (const char* name : {"m.bmp", "a.bmp", "d.bmp", "o.bmp"})
        ASSERT_TRUE(fs::WriteFileAtomic(skins + std::wstring(name, name + std::strlen(name)), "x"));
    // A picture the file does not name at all is as missing as an absent file.
    EXPECT_EQ(MissingMainSkinFile(app), skins + L"main.ini [SCREEN] Disabled");
    ASSERT_TRUE(fs::WriteFileAtomic(skins + L"main.ini",
                                    "[SCREEN]\r\nMask=m.bmp\r\nMain=a.bmp\r\nDown=d.bmp\r\n"
                                    "Over=o.bmp\r\nDisabled=o.bmp\r\n"));
    EXPECT_EQ(MissingMainSkinFile(app), L"");
}

TEST(AppContext, BackupTextsFallBackToEnglish) {
    struct Case {
        const char* name;
        std::vector<std::wstring> module;
        std::wstring want;
    };
    const Case cases[] = {
        {"module has it", {L"Frühere Einstellungen wiederherstellen..."}, L"Frühere Einstellungen wiederherstellen..."},
        {"module without backup texts", {}, L"Restore earlier settings..."},
        {"empty string in the module", {L""}, L"Restore earlier settings..."},
    };
    for (const Case& c : cases) {
        AppContext app;
        app.moduleTexts = c.module;
        EXPECT_EQ(app.Text(BackupText::MenuRestore), c.want) << c.name;
    }
    for (int i = 0; i < BACKUP_TEXT_COUNT; ++i)
        EXPECT_NE(std::wstring(EnglishBackupText(static_cast<BackupText>(i))), L"") << i;
}

}  // namespace
}  // namespace zavo
