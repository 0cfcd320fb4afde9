#include "skin/SkinWindows.h"

#include "app/AppContext.h"
#include "config/KeyboardConfig.h"

namespace zavo {

std::wstring SkinScaleFolder(int percent) { return percent == 100 ? std::wstring() : std::to_wstring(percent) + L"\\"; }

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
