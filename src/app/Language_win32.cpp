// Loading the language module and opening the guide and the web page.
#include <windows.h>
#include <shellapi.h>

#include "app/AppState.h"
#include "app/Language.h"

namespace zavo {

namespace {

constexpr int kStringBufferChars = 520;

std::wstring ExecutableFolder() {
    wchar_t path[MAX_PATH] = {};
    const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    return FolderOfModulePath(std::wstring(path, n));
}

// The module is loaded once per run and kept; a second call finds it loaded.
HMODULE LanguageModule(const std::wstring& path) {
    // A language module holds only strings: load it as a resource image so that
    // no code from a file beside the program ever runs.
    return LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
}

}  // namespace

std::vector<std::wstring> LoadLanguageTexts(const std::wstring& path) {
    static std::wstring loadedPath;
    static HMODULE module = nullptr;
    if (!module || loadedPath != path) {
        HMODULE m = LanguageModule(path);
        if (m) {
            module = m;
            loadedPath = path;
        }
    }
    HMODULE use = loadedPath == path ? module : nullptr;
    std::vector<std::wstring> texts;
    texts.reserve(LANG_TEXT_COUNT);
    for (int i = 0; i < LANG_TEXT_COUNT; ++i) {
        wchar_t buffer[kStringBufferChars] = {};
        // A missing module or string leaves the entry empty; the list keeps 85.
        if (use) LoadStringW(use, static_cast<UINT>(LANG_FIRST_STRING_ID + i), buffer, kStringBufferChars);
        texts.emplace_back(buffer);
    }
    return texts;
}

void LoadLanguage() {
    const std::wstring path = LanguageModulePath(ExecutableFolder(), GetSystemDefaultLCID());
    LangTexts = LoadLanguageTexts(path);
}

void OpenHelp() {
    const std::wstring folder = ProgramFolder.empty() ? ExecutableFolder() : ProgramFolder;
    const std::wstring path = HelpPath(folder, GetUserDefaultLangID());
    // A missing page: the shell's failure is ignored, nothing is shown.
    ShellExecuteW(nullptr, L"open", path.c_str(), nullptr, nullptr, SW_SHOWMAXIMIZED);
}

void OpenWebSite(void* ownerHwnd) {
    ShellExecuteW(static_cast<HWND>(ownerHwnd), nullptr, kWebSiteUrl, nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace zavo
