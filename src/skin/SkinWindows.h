// What the skinned windows read from their skin description files, and the
// places where the main window draws on its face itself. The windows build
// their buttons from these lists and `zavocfg skin-check` checks a skin against
// the same lists, so the checker never asks for a key a window does not read
// nor misses one it does.
#pragma once
#include <string>
#include <utility>
#include <vector>

#include "skin/SkinRect.h"

namespace zavo {

// The main window: command buttons [BUTTONINFO] 1 .. 22, T-keys [T-KEYS] 1 .. 10
// and standard keys [STANDER-KEYS] from 20 (key index + 20).
constexpr int MAIN_COMMAND_BUTTONS = 22;
constexpr int MAIN_FIRST_STANDARD_KEY = 20;

// Where the main window draws on its face, in client pixels of the 100 % face:
// the assignment indicator (a 22 x 22 picture), the top left corner of the
// status text (drawn on the status display, a command button, whose text is at most
// MAIN_STATUS_TEXT_HEIGHT high) and the place of the version text.
constexpr SkinRect MAIN_INDICATOR_PLACE{221, 362, 221 + 22, 362 + 22};
constexpr int MAIN_STATUS_TEXT_X = 256;
constexpr int MAIN_STATUS_TEXT_Y = 369;
constexpr int MAIN_STATUS_TEXT_HEIGHT = 11;
constexpr SkinRect MAIN_VERSION_PLACE{733, 433, 783, 445};

// The [BUTTONINFO] keys 1 .. n of the windows that read a numbered row of buttons.
constexpr int COMMAND_MENU_ITEMS = 22;
constexpr int MACRO_EDITOR_BUTTONS = 21;
constexpr int TKEY_DIALOG_BUTTONS = 7;
constexpr int INSTANT_SHIFT_BUTTONS = 6;

// The lighting window's [BUTTONINFO] keys in the order it creates them.
constexpr const wchar_t* LIGHT_WINDOW_BUTTONS[] = {
    L"1",  L"2",  L"3",  L"4",  L"17", L"37", L"38", L"32", L"33", L"34", L"35",
    L"36", L"13", L"19", L"20", L"21", L"22", L"23", L"24", L"25", L"26", L"27",
    L"28", L"29", L"30", L"31", L"15", L"16", L"9",  L"10", L"6",  L"7",  L"8",
};

// The display scales a skin is drawn at, in percent: the 100 % skin in the
// skin folder, each larger scale in a folder named after its percentage
// ("125\\" .. "200\\") with the same file names.
constexpr int SKIN_SCALES[] = {100, 125, 150, 175, 200};
// The folder of a scale within the skin folder, with its separator; empty for 100.
std::wstring SkinScaleFolder(int percent);
// A 100 % coordinate at a scale, as the skin generator places it: halves
// round up, so edges that meet at 100 % meet at every scale.
constexpr int ScalePixel(int v, int percent) {
    const long long scaled = static_cast<long long>(v) * percent;
    return static_cast<int>(scaled >= 0 ? (scaled + 50) / 100 : -((-scaled + 49) / 100));
}
constexpr SkinRect ScaleRect(const SkinRect& r, int percent) {
    return {ScalePixel(r.left, percent), ScalePixel(r.top, percent), ScalePixel(r.right, percent),
            ScalePixel(r.bottom, percent)};
}

// The scale a window opens with on a display of `dpi` (96 = 100 %).
struct WindowScale {
    int percent = 100;
    // The skin lacks the set of the display's scale: the window is drawn at
    // 100 % and the system stretches it to the display's scale.
    bool systemScaled = false;
};
// DisplayScale(dpi), when `completeScales` holds it; otherwise 100 %
// stretched by the system. A display at 100 % or less always gets the 100 %
// set itself.
WindowScale SkinScaleForDpi(int dpi, const std::vector<int>& completeScales);
// The scales whose set `skinFolder` (with its separator) holds complete: 100,
// then each larger one whose folder has every description file the windows
// open and every picture those files name. A scale with a file missing is left
// out, so no window opens half drawn.
std::vector<int> CompleteSkinScales(const std::wstring& skinFolder);

// The scale of the set drawn for a display of `dpi` (96 at 100 %): the set
// drawn for that scale, the next larger one when the display's scale lies
// between two (a picture shrunk by the system stays sharper than one it
// enlarges), the largest above 200 % and the 100 % set below it.
int DisplayScale(unsigned dpi);

// The executable's own pictures (the assignment indicators, the loading
// animation) are built in at every scale of SKIN_SCALES: picture `id` at
// `percent` is resource id + 1000 per scale step (143 -> 1143 at 125 %), the
// named one `name` + percent ("LOAD" -> "LOAD125"). A percent that is not a
// scale of the sets gives the 100 % picture.
int ScaledPictureId(int id, int percent);
std::wstring ScaledPictureName(const std::wstring& name, int percent);

// "1" .. "count", the keys of a section numbered from 1.
std::vector<std::wstring> NumberedKeys(int count);

// One description file and the button keys a window reads from it, by section.
struct SkinWindowKeys {
    std::wstring file;
    std::vector<std::pair<std::wstring, std::vector<std::wstring>>> buttons;
};

// Every description file a window opens with its required button keys (the
// main window's standard keys are optional and not listed).
std::vector<SkinWindowKeys> SkinnedWindowKeys();

}  // namespace zavo
