// A skinned window's face, loaded from its skin description file in one call:
// the pictures named by the file's "SCREEN" section (the shape's mask and the
// four looks "Main", "Over", "Down" and "Disabled") and the file itself, from
// which the window reads its buttons' entries.
//
// Every skinned window, the main window included, gets its face through
// LoadSkinFace and builds on it through CSkinDialog (SkinnedDialog.h).
#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "skin/FacePicture.h"
#include "skin/SkinEntry.h"
#include "skin/SkinWindows.h"

namespace zavo {

struct AppContext;
class CBitmapBtn;
class CWnd;
class FaceSet;

// Where a button's tooltip text comes from.
struct TooltipSource {
    enum Kind { LANG_TEXT, FIXED_TEXT, ENTRY_TEXT };
    Kind kind = ENTRY_TEXT;
    int langIndex = 0;  // LANG_TEXT: index into the language module's texts
    std::wstring text;  // FIXED_TEXT

    static TooltipSource Lang(int index) { return {LANG_TEXT, index, {}}; }
    static TooltipSource Fixed(std::wstring text) { return {FIXED_TEXT, 0, std::move(text)}; }
    static TooltipSource Entry() { return {ENTRY_TEXT, 0, {}}; }
    std::wstring Resolve(const ButtonEntry& entry, const AppContext& app) const;
};

// One button of a skin: its key in section "BUTTONINFO", the window's button,
// the source of its tooltip and what a click on it runs (nothing: the click
// reaches the window's OnCommand).
struct SkinButtonSpec {
    SkinButtonSpec(std::wstring key, CBitmapBtn* button, TooltipSource tooltip, std::function<void()> onClick = nullptr)
        : key(std::move(key)), button(button), tooltip(std::move(tooltip)), onClick(std::move(onClick)) {}

    std::wstring key;
    CBitmapBtn* button = nullptr;
    TooltipSource tooltip;
    std::function<void()> onClick;
};

class SkinFace {
public:
    // The description file's full path ("" for a window without a skin).
    std::wstring file;
    FacePicture mask;
    FacePicture main;
    FacePicture over;
    FacePicture down;
    FacePicture disabled;
    // The first picture the file names that is there but could not be decoded
    // (damaged, empty, or claiming a size it does not hold); "" when none.
    std::wstring damaged;

    // The text of `key` in `section` of the description file ("" when missing).
    std::wstring Read(const wchar_t* section, const std::wstring& key) const;
    // The parsed button entry `key` of `section`.
    ButtonEntry Entry(const wchar_t* section, const std::wstring& key) const;
};

// Reads `fileName` (for example "RepeatCount.ini") in `skinFolder` and the
// pictures it names, which lie in the same folder (FacePicture: mapped, or
// decoded when they are not BMPs the direct reader takes). A missing file or
// picture leaves that picture empty: the window still opens, showing nothing
// there. A picture that is there but cannot be read is empty too, and named in
// `damaged`.
SkinFace LoadSkinFace(const std::wstring& skinFolder, const std::wstring& fileName);

// The skin set a window drawn at `dpi` takes (SkinScaleForDpi over the skin's
// complete sets).
WindowScale SkinScaleAt(UINT dpi, const AppContext& app);
// Whether a new window of the skin opens unaware of the display's scale, to be
// stretched by the system: the skin lacks the set of the system's scale.
bool SkinOpensStretched(const AppContext& app);

// Creates `button` on `parent` at the entry's rectangle, cuts its four looks from
// `looks`, and sets its latched state, tooltip and click action. A button object created
// before (a dialog object opened again) is created anew. An entry whose
// rectangle covers no pixels still makes a button. A button remade while its
// window stays (a change of display scale) keeps its latched and enabled state.
// With `share`, the button draws its looks straight from `looks` instead of
// cutting its own (CBitmapBtn::ShareFaces): `looks` must outlive its window.
void CreateSkinButton(CBitmapBtn& button, const ButtonEntry& entry, const std::wstring& tooltip,
                      std::function<void()> onClick, CWnd& parent, const FaceSet& looks, bool share = false);

}  // namespace zavo
