#include "skin/SkinLoader.h"

#include "app/AppState.h"
#include "config/Ini.h"
#include "skin/BitmapBtn.h"
#include "skin/SkinnedDialog.h"

namespace zavo {

std::wstring TooltipSource::Resolve(const ButtonEntry& entry) const {
    switch (kind) {
        case LANG_TEXT: return LangText(langIndex);
        case FIXED_TEXT: return text;
        case ENTRY_TEXT: break;
    }
    return entry.text;
}

ButtonEntry LoadSkinButton(const std::wstring& skinFile, const SkinButtonSpec& item, CWnd& parent,
                           HBITMAP main, HBITMAP over, HBITMAP down, HBITMAP disabled) {
    const FaceSet faces(main, over, down, disabled);
    return LoadSkinButton(skinFile, item, parent, faces);
}

ButtonEntry LoadSkinButton(const std::wstring& skinFile, const SkinButtonSpec& item, CWnd& parent,
                           const FaceSet& faces) {
    ButtonEntry entry = ParseButtonEntry(Settings().IniReadString(skinFile, L"BUTTONINFO", item.key, L""));
    if (!item.button) return entry;
    RECT rc{entry.rect.left, entry.rect.top, entry.rect.right, entry.rect.bottom};
    CBitmapBtn& button = *item.button;
    // A dialog object opened again builds its buttons again.
    if (button.m_hWnd) button.DestroyWindow();
    // A rectangle with its right or bottom edge before its left or top edge makes
    // a button that covers no pixels; it still exists.
    if (!button.Create(rc, &parent)) return entry;
    button.SetStateImages(faces, rc);
    button.SetLatched(entry.latched);
    button.SetTooltipText(item.tooltip.Resolve(entry));
    return entry;
}

std::vector<ButtonEntry> LoadSkin(CSkinDialog& dialog, const std::wstring& fileName,
                                  const std::vector<SkinButtonSpec>& entries) {
    const std::wstring skinFile = ProgramFolder + fileName;
    const std::wstring folder = SkinFolder();
    auto picturePath = [&](const wchar_t* key) { return folder + Settings().IniReadString(skinFile, L"SCREEN", key, L""); };

    LoadPictureFile(picturePath(L"Mask"), dialog.m_Mask);
    // "Main" is decoded once: the buttons cut their rest looks from it and it
    // then stays as the background.
    Picture down, over, disabled;
    LoadPictureFile(picturePath(L"Main"), dialog.m_Background);
    LoadPictureFile(picturePath(L"Down"), down);
    LoadPictureFile(picturePath(L"Over"), over);
    LoadPictureFile(picturePath(L"Disabled"), disabled);

    dialog.MoveWindow(0, 0, dialog.m_Background.Width(), dialog.m_Background.Height(), TRUE);

    std::vector<ButtonEntry> parsed;
    parsed.reserve(entries.size());
    {
        // Each face is selected once for all the buttons, and the background
        // given back before anything can paint it.
        const FaceSet faces(dialog.m_Background.Handle(), over.Handle(), down.Handle(), disabled.Handle());
        for (const SkinButtonSpec& item : entries) parsed.push_back(LoadSkinButton(skinFile, item, dialog, faces));
    }
    return parsed;  // the other three face pictures are released here
}

}  // namespace zavo
