// The context of a run: the main skin's files checked before the window opens.
#include <gtest/gtest.h>

#include <cstring>

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

}  // namespace
}  // namespace zavo
