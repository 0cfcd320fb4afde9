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

const wchar_t* EnglishBackupText(BackupText t) {
    static const wchar_t* const kTexts[BACKUP_TEXT_COUNT] = {
        L"Restore earlier settings...",
        L"Export profile...",
        L"Import profile...",
        L"Restore earlier settings",
        L"Choose the settings to go back to. They are loaded as a change: nothing reaches the keyboard until you "
        L"press APPLY, and the settings you have now are kept as a backup then.",
        L"Restore",
        L"Cancel",
        L"No earlier settings have been kept yet.",
        L"Earlier settings could not be kept: ",
        L"Settings of %1 loaded: press APPLY to use them.",
        L"Profile imported: press APPLY to use it.",
        L"Profile exported.",
        L"The profile was not imported. Nothing was changed.",
        L"The profile could not be exported.",
        L"ZAVOConfig profiles",
    };
    const int i = static_cast<int>(t);
    return i >= 0 && i < BACKUP_TEXT_COUNT ? kTexts[i] : L"";
}

std::wstring AppContext::Text(BackupText t) const {
    return Text(UiText{BACKUP_FIRST_STRING_ID + static_cast<int>(t), EnglishBackupText(t)});
}

std::wstring AppContext::Text(const UiText& t) const {
    const int i = t.id - MODULE_TEXT_FIRST_ID;
    if (i >= 0 && static_cast<size_t>(i) < moduleTexts.size() && !moduleTexts[static_cast<size_t>(i)].empty())
        return moduleTexts[static_cast<size_t>(i)];
    return t.english;
}

}  // namespace zavo
