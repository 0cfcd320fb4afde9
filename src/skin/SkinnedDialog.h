// CSkinDialog: the base of every skinned window, the main window included, with
// the behaviour they share:
// - creation loads the face (LoadSkinFace with SkinFile()), sizes the window to
//   the "Main" picture at (0, 0), creates the buttons on the four looks
//   (CreateButtons), and gives the window the shape of its mask picture;
// - painting copies the "Main" picture to the client area (PaintFace);
// - a window whose keys are drawn by itself keeps the four looks (KeepsLooks);
// - a left-button press on the background (outside every button) drags the
//   window as if its caption had been grabbed;
// - edit boxes are drawn in the face's colours (light text on a dark box);
// - destruction releases the pictures;
// - a modal dialog that does not move itself while it initialises is centred
//   over its owner (the dialog layer does this after OnInitDialog).
// docs/architecture.md has the recipe for a new skinned window.
#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "app/AppContext.h"
#include "framework/Dialog.h"
#include "framework/FocusMark.h"
#include "framework/Gdi.h"
#include "skin/BitmapBtn.h"
#include "skin/SkinFace.h"

namespace zavo {

class CSkinDialog : public CDialog {
public:
    CSkinDialog(UINT templateId, const AppContext& app, CWnd* parent = nullptr)
        : CDialog(templateId, parent), m_App(app) {}

    const AppContext& App() const { return m_App; }

    // Tab and Shift+Tab pass the window's controls in reading order, Enter and
    // Space press the focused button, and the first key that moves the focus
    // shows the focus mark, in the colour of the skin's "SCREEN" entry
    // "FocusColour" (the default skin's accent without one).
    BOOL PreTranslateMessage(MSG* msg) override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

    // The mask is held while the window is created: once the shape is made from
    // it, it is released.
    FacePicture m_Mask;
    FacePicture m_Background;

    // The window's shape as it was given to the window (null when the mask gave
    // none); the window owns it.
    HRGN GetShape() const { return m_hShape; }
    // The first picture of the skin that is there but could not be decoded
    // ("" when every picture was read or is missing).
    const std::wstring& DamagedPicture() const { return m_DamagedPicture; }

protected:
    // The skin description file below the skin folder ("" for none: the window
    // keeps its template's size and shape and paints a plain face).
    virtual std::wstring SkinFile() const = 0;
    // The buttons of section "BUTTONINFO", in their creation order.
    virtual std::vector<SkinButtonSpec> SkinButtons() { return {}; }
    // Creates the window's buttons on `looks`, cut from `face`. The default
    // creates SkinButtons() and keeps their entries in m_ButtonEntries; windows
    // with further sections override it.
    virtual void CreateButtons(const SkinFace& face, const FaceSet& looks);

    int OnCreate(CREATESTRUCTW* cs) override;
    void OnPaint() override;
    void OnLButtonDown(UINT flags, POINT pt) override;
    void OnDestroy() override;
    HBRUSH OnCtlColor(HDC dc, HWND child, UINT ctlType) override;

    // Draws the background picture into `dc` over the client area, or over
    // `area` of it (client coordinates).
    void PaintFace(HDC dc);
    void PaintFace(HDC dc, const RECT& area);

    // A window that draws keys itself (KeyPad) keeps its four looks after
    // creation for its paints (Looks()).
    virtual bool KeepsLooks() const { return false; }
    // A window whose controls the keyboard reaches (see PreTranslateMessage).
    virtual bool KeyboardReady() const { return false; }
    // The kept looks: null unless KeepsLooks(), or before creation.
    const FaceSet* Looks() const { return m_pLooks.get(); }
    // The colour of the focus mark (see PreTranslateMessage).
    COLORREF FocusColour() const { return m_FocusColour; }

    const AppContext& m_App;
    std::vector<ButtonEntry> m_ButtonEntries;

private:
    void LoadFace();
    // The other looks, kept for KeepsLooks() (released once the buttons are
    // made otherwise); m_pLooks draws them and goes first.
    FacePicture m_Over, m_Down, m_Disabled;
    std::unique_ptr<FaceSet> m_pLooks;
    HRGN m_hShape = nullptr;
    std::wstring m_DamagedPicture;
    COLORREF m_FocusColour = kDefaultFocusColour;
    ScopedBrush m_BoxBrush;  // the background of the edit boxes, made at their first paint
};

}  // namespace zavo
