// Building the context of a run from the platform: the executable's path, the
// user's application-data folder, the system locale and the main skin.
#include <windows.h>
#include <shlobj.h>

#include "app/AppContext.h"
#include "app/Language.h"
#include "config/Ini.h"
#include "platform/FileSystem.h"

namespace zavo {

namespace {

std::wstring ExecutableFolder() {
    wchar_t path[MAX_PATH] = {};
    const DWORD n = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    return FolderOfModulePath(std::wstring(path, n));
}

std::wstring UserDataFolder() {
    wchar_t buffer[MAX_PATH] = {};
    if (FAILED(::SHGetFolderPathW(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr, 0, buffer))) return {};
    return std::wstring(buffer) + L"\\Brimvale\\ZAVO\\";
}

}  // namespace

AppContext BuildAppContext() {
    AppContext app;
    app.programFolder = ExecutableFolder();
    app.dataFolder = UserDataFolder();
    ::OutputDebugStringW((app.dataFolder + L"\n").c_str());
    std::wstring module;
    app.langTexts = LoadRunLanguageTexts(app.programFolder, ::GetSystemDefaultLCID(), module);
    app.moduleTexts = LoadLanguageTexts(module, MODULE_TEXT_FIRST_ID, MODULE_TEXT_COUNT);
    constexpr std::uint16_t kEnglishUs = 0x0409;
    app.languageId = module == EnglishModulePath(app.programFolder)
                         ? kEnglishUs
                         : static_cast<std::uint16_t>(LANGIDFROMLCID(::GetSystemDefaultLCID()));
    const std::wstring code =
        Settings().IniReadString(app.SkinFolder() + MAIN_SKIN_FILE, L"Driver_Version", L"StrFont", L"");
    if (!code.empty()) app.layoutCode = code;
    return app;
}

}  // namespace zavo
