#include "skin/SkinWindows.h"

#include <iterator>

#include "app/AppContext.h"
#include "config/Ini.h"
#include "config/KeyboardConfig.h"
#include "platform/FileSystem.h"

namespace zavo {

std::wstring SkinScaleFolder(int percent) { return percent == 100 ? std::wstring() : std::to_wstring(percent) + L"\\"; }

namespace {

// The step of a scale in SKIN_SCALES, or -1 for a percent without a set.
int ScaleStep(int percent) {
    for (int i = 0; i < static_cast<int>(std::size(SKIN_SCALES)); ++i)
        if (SKIN_SCALES[i] == percent) return i;
    return -1;
}

// The pictures a window's description file names in its "SCREEN" section.
constexpr const wchar_t* kFacePictureKeys[] = {L"Main", L"Mask", L"Over", L"Down", L"Disabled"};
// The pictures of the list menus, named by the windows themselves.
constexpr const wchar_t* kListMenuPictures[] = {L"Profile_cmd.JPG", L"MacroMenu.jpg"};

bool ScaleSetComplete(const std::wstring& folder) {
    if (!fs::DirectoryExists(folder)) return false;
    for (const SkinWindowKeys& window : SkinnedWindowKeys()) {
        const std::wstring description = folder + window.file;
        if (!fs::FileExists(description)) return false;
        for (const wchar_t* key : kFacePictureKeys) {
            const std::wstring name = Settings().IniReadString(description, L"SCREEN", key, L"");
            if (!name.empty() && !fs::FileExists(folder + name)) return false;
        }
        const std::wstring enter = Settings().IniReadString(description, L"SCREEN", L"EnterRgn", L"");
        if (!enter.empty() && !fs::FileExists(folder + enter + L"_normal.bmp")) return false;
    }
    for (const wchar_t* name : kListMenuPictures)
        if (!fs::FileExists(folder + name)) return false;
    return true;
}

}  // namespace

int DisplayScale(unsigned dpi) {
    // percent / 100 >= dpi / 96, without rounding the display's scale first.
    for (int percent : SKIN_SCALES)
        if (static_cast<unsigned long long>(percent) * 96 >= static_cast<unsigned long long>(dpi) * 100) return percent;
    return SKIN_SCALES[std::size(SKIN_SCALES) - 1];
}

WindowScale SkinScaleForDpi(int dpi, const std::vector<int>& completeScales) {
    const int wanted = DisplayScale(dpi > 0 ? static_cast<unsigned>(dpi) : 0u);
    if (wanted == 100) return {};
    for (const int percent : completeScales)
        if (percent == wanted) return {wanted, false};
    return {100, true};
}

int ScaledPictureId(int id, int percent) {
    const int step = ScaleStep(percent);
    return step > 0 ? id + 1000 * step : id;
}

std::wstring ScaledPictureName(const std::wstring& name, int percent) {
    return ScaleStep(percent) > 0 ? name + std::to_wstring(percent) : name;
}

std::vector<int> CompleteSkinScales(const std::wstring& skinFolder) {
    std::vector<int> scales{100};
    for (const int percent : SKIN_SCALES)
        if (percent != 100 && ScaleSetComplete(skinFolder + SkinScaleFolder(percent))) scales.push_back(percent);
    return scales;
}

std::vector<std::wstring> NumberedKeys(int count) {
    std::vector<std::wstring> keys;
    for (int i = 1; i <= count; ++i) keys.push_back(std::to_wstring(i));
    return keys;
}

std::vector<SkinWindowKeys> SkinnedWindowKeys() {
    const std::vector<std::wstring> okCancel = NumberedKeys(2);
    return {
        {MAIN_SKIN_FILE, {{L"BUTTONINFO", NumberedKeys(MAIN_COMMAND_BUTTONS)}, {L"T-KEYS", NumberedKeys(TKEY_COUNT)}}},
        {L"SingleKey.ini", {{L"BUTTONINFO", okCancel}}},
        {L"TKeys.ini", {{L"BUTTONINFO", NumberedKeys(TKEY_DIALOG_BUTTONS)}}},
        {L"Commands_menu.ini", {{L"BUTTONINFO", NumberedKeys(COMMAND_MENU_ITEMS)}}},
        {L"INSTANTSHIFTSYS.ini", {{L"BUTTONINFO", NumberedKeys(INSTANT_SHIFT_BUTTONS)}}},
        {L"MacroSetting.ini", {{L"BUTTONINFO", NumberedKeys(MACRO_EDITOR_BUTTONS)}}},
        {L"LightOption.ini",
         {{L"BUTTONINFO", std::vector<std::wstring>(std::begin(LIGHT_WINDOW_BUTTONS), std::end(LIGHT_WINDOW_BUTTONS))}}},
        {L"Warning1_skin.ini", {{L"BUTTONINFO", okCancel}}},
        {L"Warning2_skin.ini", {{L"BUTTONINFO", NumberedKeys(1)}}},
        {L"Warning3_skin.ini", {{L"BUTTONINFO", okCancel}}},
        {L"CreateNewmacro.ini", {{L"BUTTONINFO", okCancel}}},
        {L"RepeatCount.ini", {{L"BUTTONINFO", okCancel}}},
    };
}

}  // namespace zavo
