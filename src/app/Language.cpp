#include "app/Language.h"

#include <algorithm>
#include <iterator>

namespace zavo {

const wchar_t* const kWebSiteUrl = L"https://zavoconfig.example/";

namespace {

struct LcidRow {
    std::uint32_t lcid;
    const wchar_t* folder;
};

// System locale -> language folder. Locales that are missing use "En\".
const LcidRow kLcidFolders[] = {
    {0x0404, L"CHT\\"},     {0x0C04, L"CHT\\"},      {0x1004, L"CHT\\"},     {0x1404, L"CHT\\"},
    {0x0804, L"CHS\\"},     {0x0405, L"Czech\\"},    {0x0407, L"Deutsch\\"}, {0x0807, L"Deutsch\\"},
    {0x0C07, L"Deutsch\\"}, {0x1007, L"Deutsch\\"},  {0x1407, L"Deutsch\\"}, {0x0408, L"Greece\\"},
    {0x040A, L"Spanish\\"}, {0x080A, L"Spanish\\"},  {0x0C0A, L"Spanish\\"}, {0x100A, L"Spanish\\"},
    {0x140A, L"Spanish\\"}, {0x180A, L"Spanish\\"},  {0x1C0A, L"Spanish\\"}, {0x240A, L"Spanish\\"},
    {0x280A, L"Spanish\\"}, {0x2C0A, L"Spanish\\"},  {0x300A, L"Spanish\\"}, {0x340A, L"Spanish\\"},
    {0x3C0A, L"Spanish\\"}, {0x400A, L"Spanish\\"},  {0x440A, L"Spanish\\"}, {0x480A, L"Spanish\\"},
    {0x4C0A, L"Spanish\\"}, {0x500A, L"Spanish\\"},  {0x040C, L"French\\"},  {0x080C, L"French\\"},
    {0x0C0C, L"French\\"},  {0x100C, L"French\\"},   {0x140C, L"French\\"},  {0x180C, L"French\\"},
    {0x0410, L"Italian\\"}, {0x0411, L"Japanese\\"}, {0x0412, L"Korean\\"},  {0x0415, L"Polish\\"},
    {0x0416, L"Brazil\\"},  {0x0816, L"Brazil\\"},   {0x0419, L"Russian\\"}, {0x041F, L"Turkish\\"},
    {0x040E, L""},          {0x0422, L""},
};

struct GuideRow {
    std::uint16_t primary;
    const wchar_t* suffix;
};

// Primary language -> guide page suffix (Chinese is decided separately).
const GuideRow kGuides[] = {
    {0x05, L"cz"}, {0x07, L"ge"}, {0x08, L"gr"}, {0x0A, L"SP"}, {0x0C, L"fr"}, {0x10, L"it"},
    {0x11, L"jp"}, {0x12, L"ko"}, {0x15, L"Po"}, {0x16, L"PB"}, {0x19, L"RU"}, {0x1F, L"TUR"},
};

constexpr std::uint16_t kLangChinese = 0x04;

}  // namespace

std::wstring LanguageFolderForLcid(std::uint32_t lcid) {
    auto it = std::find_if(std::begin(kLcidFolders), std::end(kLcidFolders),
                           [lcid](const LcidRow& row) { return row.lcid == lcid; });
    return it == std::end(kLcidFolders) ? L"En\\" : it->folder;
}

std::wstring LanguageModulePath(const std::wstring& programFolder, std::uint32_t lcid) {
    return programFolder + L"lan\\" + LanguageFolderForLcid(lcid) + L"lang.dll";
}

std::wstring HelpFileForLangId(std::uint16_t langId) {
    const std::uint16_t primary = langId & 0x03FF;
    const wchar_t* suffix = L"en";
    if (primary == kLangChinese) {
        const std::uint16_t sub = langId & 0xFC00;
        if (sub == 0x0800) suffix = L"SC";
        if (sub == 0x0400) suffix = L"TC";
        // Other Chinese sub-languages have no page of their own: English.
    } else {
        auto it = std::find_if(std::begin(kGuides), std::end(kGuides),
                               [primary](const GuideRow& row) { return row.primary == primary; });
        if (it != std::end(kGuides)) suffix = it->suffix;
    }
    return std::wstring(L"UserInterfaceSetupGuide_") + suffix + L".html";
}

std::wstring HelpPath(const std::wstring& programFolder, std::uint16_t langId) {
    return programFolder + L"Help\\" + HelpFileForLangId(langId);
}

std::wstring EnglishModulePath(const std::wstring& programFolder) { return programFolder + L"lan\\En\\lang.dll"; }

std::wstring InstalledLanguageModulePath(const std::wstring& programFolder, std::uint32_t lcid,
                                         const FileExistsFn& exists) {
    const std::wstring path = LanguageModulePath(programFolder, lcid);
    return exists(path) ? path : EnglishModulePath(programFolder);
}

std::wstring InstalledHelpPath(const std::wstring& programFolder, std::uint16_t langId, const FileExistsFn& exists) {
    const std::wstring path = HelpPath(programFolder, langId);
    return exists(path) ? path : programFolder + L"Help\\UserInterfaceSetupGuide_en.html";
}

std::wstring FolderOfModulePath(const std::wstring& modulePath) {
    const size_t slash = modulePath.find_last_of(L"\\/");
    if (slash == std::wstring::npos) {
        // "C:name" keeps its drive; a bare name has no folder.
        return modulePath.size() >= 2 && modulePath[1] == L':' ? modulePath.substr(0, 2) : L"";
    }
    return modulePath.substr(0, slash + 1);
}

}  // namespace zavo
