#include "app/AppContext.h"

#include "config/Ini.h"
#include "platform/FileSystem.h"

namespace zavo {

std::wstring MissingMainSkinFile(const AppContext& app) {
    const std::wstring description = app.SkinFolder() + MAIN_SKIN_FILE;
    if (!fs::FileExists(description)) return description;
    for (const wchar_t* key : {L"Mask", L"Main", L"Down", L"Over", L"Disabled"}) {
        const std::wstring name = Settings().IniReadString(description, L"SCREEN", key, L"");
        const std::wstring picture = app.SkinFolder() + name;
        if (name.empty() || !fs::FileExists(picture)) return name.empty() ? description + L" [SCREEN] " + key : picture;
    }
    return {};
}

const std::wstring& AppContext::LangText(int index) const {
    static const std::wstring empty;
    if (index < 0 || static_cast<size_t>(index) >= langTexts.size()) return empty;
    return langTexts[static_cast<size_t>(index)];
}

}  // namespace zavo
