#include "skin/SkinFace.h"

#include "app/AppContext.h"
#include "config/Ini.h"
#include "framework/Dpi.h"
#include "platform/FileSystem.h"
#include "skin/BitmapBtn.h"

namespace zavo {

std::wstring TooltipSource::Resolve(const ButtonEntry& entry, const AppContext& app) const {
    switch (kind) {
        case LANG_TEXT:
            return app.LangText(langIndex);
        case FIXED_TEXT:
            return text;
        case ENTRY_TEXT:
            break;
    }
    return entry.text;
}

std::wstring SkinFace::Read(const wchar_t* section, const std::wstring& key) const {
    if (file.empty()) return {};
    return Settings().IniReadString(file, section, key, L"");
}

ButtonEntry SkinFace::Entry(const wchar_t* section, const std::wstring& key) const {
    return ParseButtonEntry(Read(section, key));
}

SkinFace LoadSkinFace(const std::wstring& skinFolder, const std::wstring& fileName) {
    SkinFace face;
    if (fileName.empty()) return face;
    face.file = skinFolder + fileName;
    auto load = [&](const wchar_t* key, FacePicture& picture) {
        const std::wstring name = face.Read(L"SCREEN", key);
        if (name.empty() || picture.Load(skinFolder + name) || !face.damaged.empty()) return;
        if (fs::FileExists(skinFolder + name)) face.damaged = skinFolder + name;
    };
    // "Main" first: when several are damaged, the one a window cannot do
    // without is the one named.
    load(L"Main", face.main);
    load(L"Mask", face.mask);
    load(L"Over", face.over);
    load(L"Down", face.down);
    load(L"Disabled", face.disabled);
    return face;
}

WindowScale SkinScaleAt(UINT dpi, const AppContext& app) {
    return SkinScaleForDpi(static_cast<int>(dpi), app.skinScales);
}

bool SkinOpensStretched(const AppContext& app) { return SkinScaleAt(WindowDpi(nullptr), app).systemScaled; }

void CreateSkinButton(CBitmapBtn& button, const ButtonEntry& entry, const std::wstring& tooltip,
                      std::function<void()> onClick, CWnd& parent, const FaceSet& looks, bool share) {
    const RECT rc{entry.rect.left, entry.rect.top, entry.rect.right, entry.rect.bottom};
    // A button made anew in a window that stays (at another display scale)
    // keeps the state the window gave it.
    const bool remade = button.m_hWnd != nullptr;
    const bool latched = remade ? button.IsLatched() : entry.latched;
    const bool enabled = !remade || button.IsWindowEnabled();
    if (remade) button.DestroyWindow();
    if (!button.Create(rc, &parent)) return;
    if (share)
        button.ShareFaces(looks, rc);
    else
        button.SetStateImages(looks, rc);
    button.SetLatched(latched);
    if (!enabled) button.EnableWindow(FALSE);
    button.SetTooltipText(tooltip);
    button.OnClick(std::move(onClick));
}

}  // namespace zavo
