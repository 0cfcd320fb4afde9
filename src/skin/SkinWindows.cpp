#include "skin/SkinWindows.h"

#include "app/AppContext.h"
#include "config/KeyboardConfig.h"

#include <iterator>

namespace zavo {

std::wstring SkinScaleFolder(int percent) { return percent == 100 ? std::wstring() : std::to_wstring(percent) + L"\\"; }

namespace {

// The step of a scale in SKIN_SCALES, or -1 for a percent without a set.
int ScaleStep(int percent) {
    for (int i = 0; i < static_cast<int>(std::size(SKIN_SCALES)); ++i)
        if (SKIN_SCALES[i] == percent) return i;
    return -1;
}

}  // namespace

int SkinScaleForDpi(unsigned dpi) {
    // percent / 100 >= dpi / 96, without rounding the display's scale first.
    for (int percent : SKIN_SCALES)
        if (static_cast<unsigned long long>(percent) * 96 >= static_cast<unsigned long long>(dpi) * 100) return percent;
    return SKIN_SCALES[std::size(SKIN_SCALES) - 1];
}

int ScaledPictureId(int id, int percent) {
    const int step = ScaleStep(percent);
    return step > 0 ? id + 1000 * step : id;
}

std::wstring ScaledPictureName(const std::wstring& name, int percent) {
    return ScaleStep(percent) > 0 ? name + std::to_wstring(percent) : name;
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
