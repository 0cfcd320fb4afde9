// Loading a skinned window's face: the "SCREEN" pictures of its skin
// description file and its "BUTTONINFO" buttons.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "skin/SkinEntry.h"

namespace zavo {

class CBitmapBtn;
class CSkinDialog;
class FaceSet;
class CWnd;

// Where a button's tooltip text comes from.
struct TooltipSource {
    enum Kind { LANG_TEXT, FIXED_TEXT, ENTRY_TEXT };
    Kind kind = ENTRY_TEXT;
    int langIndex = 0;   // LANG_TEXT: index into LangTexts
    std::wstring text;   // FIXED_TEXT

    static TooltipSource Lang(int index) { return {LANG_TEXT, index, {}}; }
    static TooltipSource Fixed(std::wstring text) { return {FIXED_TEXT, 0, std::move(text)}; }
    static TooltipSource Entry() { return {ENTRY_TEXT, 0, {}}; }
    std::wstring Resolve(const ButtonEntry& entry) const;
};

// One button of a skin: its "BUTTONINFO" key, the dialog's button and the
// source of its tooltip.
struct SkinButtonSpec {
    std::wstring key;
    CBitmapBtn* button = nullptr;
    TooltipSource tooltip;
};

// Loads the skin of a dialog: `fileName` is the description file's path below
// ProgramFolder (for example "Skins\RepeatCount.ini"). Fills the dialog's mask
// and background, moves it to (0, 0) with the background's size, and creates
// every button in the given order. Returns the parsed entries in that order
// (windows that keep their buttons' places use them).
std::vector<ButtonEntry> LoadSkin(CSkinDialog& dialog, const std::wstring& fileName,
                                  const std::vector<SkinButtonSpec>& entries);

// One button of a skin, for windows that run the loading steps themselves:
// reads and parses the entry `key` of section "BUTTONINFO" in `skinFile` (a
// full path), creates `button` on `parent` at its rectangle, cuts its looks,
// sets its latched state and its tooltip.
ButtonEntry LoadSkinButton(const std::wstring& skinFile, const SkinButtonSpec& item, CWnd& parent,
                           HBITMAP main, HBITMAP over, HBITMAP down, HBITMAP disabled);
// The same with the faces prepared once for all the buttons of a window.
ButtonEntry LoadSkinButton(const std::wstring& skinFile, const SkinButtonSpec& item, CWnd& parent,
                           const FaceSet& faces);

}  // namespace zavo
