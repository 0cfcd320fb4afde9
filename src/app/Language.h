// The language module and the user guide.
//
// The language module is a resource library "lan\<folder>lang.dll" beside the
// executable, chosen by the system's default locale; its string resources 101 to
// 185 become the context's langTexts (app/AppContext.h). The user guide is an HTML page in "Help\" chosen by the
// user's default language. The tables are pure functions so that every row can
// be checked without a system.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace zavo {

// The project's web page, opened by the main window's web button.
extern const wchar_t* const kWebSiteUrl;

// The language folder for a system locale id, with its trailing backslash
// ("Deutsch\", "Japanese\", ...). Two locales keep their module directly in
// "lan\" and give ""; every locale not in the table gives "En\".
std::wstring LanguageFolderForLcid(std::uint32_t lcid);

// "lan\" + language folder + "lang.dll" below `programFolder` (which ends in a
// backslash).
std::wstring LanguageModulePath(const std::wstring& programFolder, std::uint32_t lcid);

// The user guide's file name ("UserInterfaceSetupGuide_ge.html", ...) for a user
// language id. The primary language is the low 10 bits; for Chinese the
// sub-language bits (id & 0xFC00) pick simplified (0x0800) or traditional
// (0x0400). Chinese with any other sub-language (Hong Kong, Singapore, Macao)
// and every language without a page of its own get the English guide.
std::wstring HelpFileForLangId(std::uint16_t langId);

// programFolder + "Help\" + HelpFileForLangId(langId).
std::wstring HelpPath(const std::wstring& programFolder, std::uint16_t langId);

// Whether a file is there (fs::FileExists in the program; a table in tests).
using FileExistsFn = std::function<bool(const std::wstring& path)>;

// The language module a run loads: the system locale's, or the English one when
// the locale's is not installed (a locale of the table whose module was not
// shipped would otherwise leave every tooltip empty).
std::wstring InstalledLanguageModulePath(const std::wstring& programFolder, std::uint32_t lcid,
                                         const FileExistsFn& exists);
// programFolder + "lan\En\lang.dll".
std::wstring EnglishModulePath(const std::wstring& programFolder);

// The guide page a run opens: the user's language's, or the English page when
// that one is not installed.
std::wstring InstalledHelpPath(const std::wstring& programFolder, std::uint16_t langId, const FileExistsFn& exists);

// The drive and folder of a full module path, with a trailing backslash
// ("C:\Tools\ZAVO\ZAVOConfig.exe" -> "C:\Tools\ZAVO\"); "" when it has none.
std::wstring FolderOfModulePath(const std::wstring& modulePath);

#ifdef _WIN32
// The 85 strings of the language module at `path` ("" for each string it cannot
// give, and for all of them when the module is missing). The module is loaded
// as a resource image for the reading only.
std::vector<std::wstring> LoadLanguageTexts(const std::wstring& path);
// `count` strings from resource id `firstId` on, the same way.
std::vector<std::wstring> LoadLanguageTexts(const std::wstring& path, int firstId, int count);

// The 85 texts of a run and, in `module`, the module they came from:
// InstalledLanguageModulePath, unless that module is there but gives no text
// at all (damaged, truncated, not a module): then the English one.
std::vector<std::wstring> LoadRunLanguageTexts(const std::wstring& programFolder, std::uint32_t lcid,
                                               std::wstring& module);

// Opens the user guide of the user's language below `programFolder`,
// maximised; a missing page is ignored (the shell reports it, nothing else
// happens).
void OpenHelp(const std::wstring& programFolder);

// Opens kWebSiteUrl in the default browser, owned by `owner`.
void OpenWebSite(void* ownerHwnd);
#endif

}  // namespace zavo
