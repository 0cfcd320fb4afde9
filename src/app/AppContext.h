// The state of one run that the windows share: where the program and the user's
// settings live, the texts of the language module and the keyboard layout of
// the main skin.
//
// The application object builds one context at start (BuildAppContext) and
// hands it to the main window, which hands it to every window it opens. Nothing
// here is process-wide: a test builds its own context for the window it drives.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace zavo {

constexpr int LANG_TEXT_COUNT = 85;
constexpr int LANG_FIRST_STRING_ID = 101;

// The texts of the backup and profile-file items (the main window's system menu,
// the restore window, their messages): string resources 301 on of the language
// module. A module made before them lacks them; each missing one is the English
// text of EnglishBackupText.
enum class BackupText : int {
    MenuRestore,        // "Restore earlier settings..."
    MenuExport,         // "Export profile..."
    MenuImport,         // "Import profile..."
    RestoreTitle,       // the restore window's title
    RestoreIntro,       // what restoring does
    RestoreButton,      // "Restore"
    CancelButton,       // "Cancel"
    NoBackups,          // the list when there is none
    BackupFailed,       // status text, followed by the reason
    RestoreLoaded,      // status text; %1 is the backup's date and time
    ImportLoaded,       // status text
    ExportDone,         // status text
    ImportRefused,      // message box text, followed by the reason
    ExportFailed,       // message box text, followed by the reason
    ProfileFileFilter,  // the file dialogs' name of .zavoprofile files
    COUNT
};
constexpr int BACKUP_TEXT_COUNT = static_cast<int>(BackupText::COUNT);
constexpr int BACKUP_FIRST_STRING_ID = 301;
const wchar_t* EnglishBackupText(BackupText t);

// A text of the windows beyond the 85: its string resource id in the language
// module and the English text a module without it gives. The ids of
// MODULE_TEXT_FIRST_ID on are read from the module once at start
// (AppContext::moduleTexts); the texts themselves are named in app/UiTexts.h.
struct UiText {
    int id;
    const wchar_t* english;
};
constexpr int MODULE_TEXT_FIRST_ID = BACKUP_FIRST_STRING_ID;
constexpr int MODULE_TEXT_LAST_ID = 699;
constexpr int MODULE_TEXT_COUNT = MODULE_TEXT_LAST_ID - MODULE_TEXT_FIRST_ID + 1;

struct AppContext {
    // The executable's folder with a trailing backslash.
    std::wstring programFolder;
    // The per-user data folder with a trailing backslash; "" when the platform
    // could not name it (the settings files are then addressed relative to the
    // current folder).
    std::wstring dataFolder;
    // The 85 texts of the language module; entry i is string resource 101 + i.
    std::vector<std::wstring> langTexts;
    // The module's texts of MODULE_TEXT_FIRST_ID on (entry i is string
    // resource 301 + i: the backup texts first, then the UiTexts); may be
    // shorter or hold empty entries.
    std::vector<std::wstring> moduleTexts;
    // The keyboard layout code of the main skin; "JP" selects the Japanese key names.
    std::wstring layoutCode = L"EN";
    // The language of the module the texts come from (a Windows language id:
    // the system locale's, 0x0409 when the English module stands in); the
    // system's reasons for failures are asked for in it. 0: the system's own.
    std::uint16_t languageId = 0;
    // The display scales, in percent, whose complete set the skin holds (100
    // always): a window on a display of another scale is drawn at 100 % and
    // stretched by the system (SkinScaleForDpi). Filled at start from the skin
    // folder (CompleteSkinScales).
    std::vector<int> skinScales{100};

    // programFolder + "Skins\".
    std::wstring SkinFolder() const { return programFolder + L"Skins\\"; }
    // langTexts[index], or "" when there is no such entry.
    const std::wstring& LangText(int index) const;
    // The module's text, or the English one when the module has none.
    std::wstring Text(BackupText t) const;
    // The module's text of `t.id`, or `t.english` when the module has none.
    std::wstring Text(const UiText& t) const;
    bool IsJapaneseLayout() const { return layoutCode == L"JP"; }
};

// The description file of the main window's skin, below the skin folder.
constexpr const wchar_t* MAIN_SKIN_FILE = L"main.ini";

// The first file of the main skin that is not there: the description file, or a
// picture its "SCREEN" section names (the mask and the four looks); "" when all
// are there. Without them the main window would have no size and no face.
std::wstring MissingMainSkinFile(const AppContext& app);

#ifdef _WIN32
// The context of this run: the program folder from the executable's path, the
// data folder "%APPDATA%\Brimvale\ZAVO\", the language module of the system
// locale and the layout code of the main skin.
AppContext BuildAppContext();
// The folders and the module's texts of MODULE_TEXT_FIRST_ID on, without the 85
// texts and the skin: for the profile switcher, which shows only a menu and a
// tooltip.
AppContext BuildTextContext();
#endif

}  // namespace zavo
