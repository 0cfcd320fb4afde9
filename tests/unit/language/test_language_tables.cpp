// The locale and guide tables that choose the language module and the user guide.
#include <gtest/gtest.h>

#include <set>

#include <cstdint>
#include <string>

#include "app/Language.h"

namespace {

using zavo::HelpFileForLangId;
using zavo::LanguageFolderForLcid;

struct LcidCase {
    std::uint32_t lcid;
    const wchar_t* folder;
};

TEST(LanguageFolder, EveryTableRowAndItsNeighbours) {
    const LcidCase cases[] = {
        {0x0404, L"CHT\\"},
        {0x0C04, L"CHT\\"},
        {0x1004, L"CHT\\"},
        {0x1404, L"CHT\\"},
        {0x0804, L"CHS\\"},
        {0x0405, L"Czech\\"},
        {0x0407, L"Deutsch\\"},
        {0x0807, L"Deutsch\\"},
        {0x0C07, L"Deutsch\\"},
        {0x1007, L"Deutsch\\"},
        {0x1407, L"Deutsch\\"},
        {0x0408, L"Greece\\"},
        {0x040A, L"Spanish\\"},
        {0x500A, L"Spanish\\"},
        {0x240A, L"Spanish\\"},
        {0x040C, L"French\\"},
        {0x180C, L"French\\"},
        {0x0410, L"Italian\\"},
        {0x0411, L"Japanese\\"},
        {0x0412, L"Korean\\"},
        {0x0415, L"Polish\\"},
        {0x0416, L"Brazil\\"},
        {0x0816, L"Brazil\\"},
        {0x0419, L"Russian\\"},
        {0x041F, L"Turkish\\"},
        // these two keep their module directly in "lan\"
        {0x040E, L""},
        {0x0422, L""},
        // not in the table: English
        {0x0409, L"En\\"},
        {0x0809, L"En\\"},
        {0x2007, L"En\\"},
        {0x200A, L"En\\"},
        {0x1C0C, L"En\\"},
        {0x0000, L"En\\"},
        {0xFFFFFFFF, L"En\\"},
        {0x00010407, L"En\\"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LanguageFolderForLcid(c.lcid), c.folder) << std::hex << c.lcid;
    }
}

TEST(LanguageFolder, ModulePathJoinsFolderAndFile) {
    EXPECT_EQ(zavo::LanguageModulePath(L"C:\\Z\\", 0x0411), L"C:\\Z\\lan\\Japanese\\lang.dll");
    EXPECT_EQ(zavo::LanguageModulePath(L"C:\\Z\\", 0x0422), L"C:\\Z\\lan\\lang.dll");
    EXPECT_EQ(zavo::LanguageModulePath(L"C:\\Z\\", 0x0409), L"C:\\Z\\lan\\En\\lang.dll");
}

struct GuideCase {
    std::uint16_t langId;
    const wchar_t* suffix;
};

TEST(HelpFile, PrimaryLanguageAndChineseSubLanguage) {
    const GuideCase cases[] = {
        {0x0804, L"SC"},  // Chinese, PRC
        {0x0404, L"TC"},  // Chinese, Taiwan
        {0x0C04, L"en"},  // Chinese, Hong Kong: neither row, English
        {0x1004, L"en"},  // Chinese, Singapore
        {0x1404, L"en"},  // Chinese, Macao
        {0x0405, L"cz"}, {0x0407, L"ge"}, {0x0807, L"ge"}, {0x0408, L"gr"},  {0x0C0A, L"SP"},
        {0x040C, L"fr"}, {0x0410, L"it"}, {0x0411, L"jp"}, {0x0412, L"ko"},  {0x0415, L"Po"},
        {0x0416, L"PB"}, {0x0816, L"PB"}, {0x0419, L"RU"}, {0x041F, L"TUR"}, {0x0409, L"en"},
        {0x0809, L"en"}, {0x0413, L"en"}, {0x0000, L"en"}, {0xFFFF, L"en"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(HelpFileForLangId(c.langId), std::wstring(L"UserInterfaceSetupGuide_") + c.suffix + L".html")
            << std::hex << c.langId;
    }
}

TEST(HelpFile, PathIsBelowTheProgramFolder) {
    EXPECT_EQ(zavo::HelpPath(L"C:\\Z\\", 0x0407), L"C:\\Z\\Help\\UserInterfaceSetupGuide_ge.html");
}

TEST(ModuleFolder, KeepsDriveAndFolderWithTrailingSeparator) {
    EXPECT_EQ(zavo::FolderOfModulePath(L"C:\\Tools\\ZAVO\\ZAVOConfig.exe"), L"C:\\Tools\\ZAVO\\");
    EXPECT_EQ(zavo::FolderOfModulePath(L"C:\\ZAVOConfig.exe"), L"C:\\");
    EXPECT_EQ(zavo::FolderOfModulePath(L"C:ZAVOConfig.exe"), L"C:");
    EXPECT_EQ(zavo::FolderOfModulePath(L"ZAVOConfig.exe"), L"");
    EXPECT_EQ(zavo::FolderOfModulePath(L""), L"");
}

TEST(InstalledFiles, AMissingLanguageModuleOrGuideFallsBackToEnglish) {
    const std::wstring root = L"C:\\Z\\";
    // Shipped: English and German modules, English and German guides.
    const std::set<std::wstring> shipped = {root + L"lan\\En\\lang.dll", root + L"lan\\Deutsch\\lang.dll",
                                            root + L"Help\\UserInterfaceSetupGuide_en.html",
                                            root + L"Help\\UserInterfaceSetupGuide_ge.html"};
    const zavo::FileExistsFn exists = [&](const std::wstring& p) { return shipped.count(p) > 0; };
    const struct {
        const char* what;
        std::uint32_t lcid;
        const wchar_t* module;
    } modules[] = {
        {"German: its own", 0x0407, L"lan\\Deutsch\\lang.dll"},
        {"French: in the table, not shipped", 0x040C, L"lan\\En\\lang.dll"},
        {"a locale outside the table", 0x7777, L"lan\\En\\lang.dll"},
    };
    for (const auto& m : modules)
        EXPECT_EQ(zavo::InstalledLanguageModulePath(root, m.lcid, exists), root + m.module) << m.what;
    EXPECT_EQ(zavo::InstalledHelpPath(root, 0x0407, exists), root + L"Help\\UserInterfaceSetupGuide_ge.html");
    EXPECT_EQ(zavo::InstalledHelpPath(root, 0x0411, exists), root + L"Help\\UserInterfaceSetupGuide_en.html");
}

}  // namespace
