// CSkinDialog: the base of every skinned dialog, with the behaviour they share:
// - creation loads the skin (LoadFace) and gives the window the shape of its
//   mask picture;
// - painting copies the "Main" picture to the client area;
// - a left-button press on the background (outside every button) drags the
//   window as if its caption had been grabbed;
// - destruction releases the pictures;
// - a modal dialog that does not move itself while it initialises is centred
//   over its owner (the dialog layer does this after OnInitDialog).
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "framework/Dialog.h"
#include "framework/Gdi.h"
#include "skin/Picture.h"
#include "skin/SkinLoader.h"

namespace zavo {

class CSkinDialog : public CDialog {
public:
    using CDialog::CDialog;

    Picture m_Mask;
    Picture m_Background;

    // The window's shape as it was given to the window (null when the mask gave
    // none); the window owns it.
    HRGN GetShape() const { return m_hShape; }

protected:
    // Loads the face and the buttons. The default runs LoadSkin with SkinFile()
    // and SkinButtons(); windows with further sections override it.
    virtual void LoadFace();
    virtual std::wstring SkinFile() const { return {}; }
    virtual std::vector<SkinButtonSpec> SkinButtons() { return {}; }

    int OnCreate(CREATESTRUCTW* cs) override;
    void OnPaint() override;
    void OnLButtonDown(UINT flags, POINT pt) override;
    void OnDestroy() override;

    // Draws the background picture into `dc` over the client area.
    void PaintFace(HDC dc);

    std::vector<ButtonEntry> m_ButtonEntries;

private:
    HRGN m_hShape = nullptr;
};

}  // namespace zavo
