// Loading the language module and opening the guide and the web page.
#include <windows.h>
#include <shellapi.h>

#include "app/AppContext.h"
#include "app/Language.h"
#include "platform/FileSystem.h"

namespace zavo {

namespace {

constexpr int kStringBufferChars = 520;

// A language module loaded for its resources, freed at the end of the reading.
class ResourceModule {
public:
    // A language module holds only strings: it is loaded as a resource image so
    // that no code from a file beside the program ever runs.
    explicit ResourceModule(const std::wstring& path)
        : m_h(::LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE)) {}
    ~ResourceModule() {
        if (m_h) ::FreeLibrary(m_h);
    }
    ResourceModule(const ResourceModule&) = delete;
    ResourceModule& operator=(const ResourceModule&) = delete;
    HMODULE Get() const { return m_h; }

private:
    HMODULE m_h;
};

}  // namespace

std::vector<std::wstring> LoadLanguageTexts(const std::wstring& path) {
    return LoadLanguageTexts(path, LANG_FIRST_STRING_ID, LANG_TEXT_COUNT);
}

std::vector<std::wstring> LoadLanguageTexts(const std::wstring& path, int firstId, int count) {
    const ResourceModule module(path);
    std::vector<std::wstring> texts;
    texts.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        wchar_t buffer[kStringBufferChars] = {};
        // A missing module or string leaves the entry empty; the list keeps `count`.
        if (module.Get()) ::LoadStringW(module.Get(), static_cast<UINT>(firstId + i), buffer, kStringBufferChars);
        texts.emplace_back(buffer);
    }
    return texts;
}

std::vector<std::wstring> LoadRunLanguageTexts(const std::wstring& programFolder, std::uint32_t lcid,
                                               std::wstring& module) {
    module = InstalledLanguageModulePath(programFolder, lcid, &fs::FileExists);
    std::vector<std::wstring> texts = LoadLanguageTexts(module);
    for (const std::wstring& text : texts)
        if (!text.empty()) return texts;
    module = EnglishModulePath(programFolder);
    return LoadLanguageTexts(module);
}

void OpenHelp(const std::wstring& programFolder) {
    // The guide is in the language of the window's texts: the system locale's,
    // which also picks the language module.
    const auto langId = static_cast<std::uint16_t>(LANGIDFROMLCID(::GetSystemDefaultLCID()));
    const std::wstring path = InstalledHelpPath(programFolder, langId, &fs::FileExists);
    // A missing page: the shell's failure is ignored, nothing is shown.
    ::ShellExecuteW(nullptr, L"open", path.c_str(), nullptr, nullptr, SW_SHOWMAXIMIZED);
}

void OpenWebSite(void* ownerHwnd) {
    ::ShellExecuteW(static_cast<HWND>(ownerHwnd), nullptr, kWebSiteUrl, nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace zavo
