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
//   over its owner (the dialog layer does this after OnInitDialog);
// - the window is drawn with the skin set of its display's scale (Scale(),
//   SkinScaleForDpi) and places what it draws itself at that scale (Px); a
//   skin without that set opens the window unaware of the scale, stretched by
//   the system. WM_DPICHANGED loads the faces of the new scale, makes the
//   buttons, the shape and the template font anew and moves the window to the
//   suggested place (PlaceOwnControls lets a window place its own controls again).
// docs/architecture.md has the recipe for a new skinned window.
#pragma once
#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/AppContext.h"
#include "framework/Dialog.h"
#include "framework/Dpi.h"
#include "framework/FocusMark.h"
#include "framework/Gdi.h"
#include "skin/BitmapBtn.h"
#include "skin/SkinFace.h"
#include "skin/SkinWindows.h"

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

    // The scale, in percent, of the skin set the window is drawn with, and the
    // DPI its own text is drawn at.
    int Scale() const { return m_Scale; }
    UINT Dpi() const { return m_Dpi; }

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
    // Then places the window's own controls (PlaceOwnControls).
    BOOL OnInitDialog() override;
    // The dialog's font is the one made for its DPI once that changed; the Tab
    // order is set once WM_INITDIALOG is handled (see PreTranslateMessage).
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    bool CreatesUnaware(HWND owner) const override;
    void OnDpiChanged(UINT dpi, const RECT& suggested) override;
    // Places what the window places itself (edit boxes, lists) at its scale
    // and drops what it made for another DPI: at initialisation and after
    // each change of scale.
    virtual void PlaceOwnControls() {}

    // A coordinate or rectangle of the 100 % face at the window's scale.
    int Px(int v) const { return ScalePixel(v, m_Scale); }
    RECT PxRect(const SkinRect& r) const;
    // The folder of the window's skin set, with its separator.
    std::wstring SkinSetFolder() const;
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
    // Loads the face of the window's scale and makes its buttons; the window's
    // size when the face gives one.
    std::optional<SIZE> LoadFace();
    void ReleaseFace();
    void ApplyShape();
    void UpdateTemplateFont(UINT newDpi);
    // The other looks, kept for KeepsLooks() (released once the buttons are
    // made otherwise); m_pLooks draws them and goes first.
    FacePicture m_Over, m_Down, m_Disabled;
    std::unique_ptr<FaceSet> m_pLooks;
    HRGN m_hShape = nullptr;
    std::wstring m_DamagedPicture;
    COLORREF m_FocusColour = kDefaultFocusColour;
    ScopedBrush m_BoxBrush;  // the background of the edit boxes, made at their first paint
    int m_Scale = 100;
    UINT m_Dpi = kBaseDpi;
    // The template's font made for the window's DPI once it changed (the
    // dialog's own stays the one it was created with).
    ScopedFont m_TemplateFont;
};

}  // namespace zavo
