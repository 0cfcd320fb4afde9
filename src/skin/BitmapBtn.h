// CBitmapBtn: the push button of every skinned window.
//
// An owner-drawn platform button whose whole look is one of four pictures cut out
// of the window's face pictures: at rest, under the mouse, pressed (or latched)
// and disabled, in this priority: disabled, latched, pressed, hover, rest. It can
// show a line of white text over its picture, lights up while the mouse is over
// it by holding the mouse capture, and has a tooltip of its own. A click runs
// the action the window gave the button where it made it (OnClick; the
// parent's WM_COMMAND is reflected to the button); every skinned button has
// control id 0.
#pragma once
#include <windows.h>

#include <optional>
#include <string>

#include "framework/Accessible.h"
#include "framework/Controls.h"
#include "framework/FocusMark.h"
#include "framework/Gdi.h"
#include "skin/FacePicture.h"

namespace zavo {

// The four whole-window face pictures (rest, under the mouse, pressed,
// disabled) that a window's buttons and keys take their looks from. A face
// drawn from its file (FacePicture) is drawn from there; a decoded one is
// selected once into a memory surface of its own, so that drawing the looks of
// many buttons selects no face per button. It does not own the pictures, which
// must outlive it and stay selected nowhere else meanwhile. A null or empty
// face is a missing one.
class FaceSet {
public:
    enum Look { MAIN = 0, OVER = 1, DOWN = 2, DISABLED = 3, LOOK_COUNT = 4 };

    FaceSet(HBITMAP main, HBITMAP over, HBITMAP down, HBITMAP disabled);
    FaceSet(const FacePicture& main, const FacePicture& over, const FacePicture& down, const FacePicture& disabled);
    ~FaceSet();
    FaceSet(const FaceSet&) = delete;
    FaceSet& operator=(const FaceSet&) = delete;

    bool Has(int look) const { return m_Source[look] || m_File[look]; }
    // Copies `cx` x `cy` pixels from (`srcX`, `srcY`) of the face of `look`
    // to (`x`, `y`) of `dc`; false when that face is missing.
    bool Draw(int look, HDC dc, int x, int y, int cx, int cy, int srcX, int srcY) const;
    // The screen's context, which new looks are made compatible with, and a
    // spare memory surface for writing a button's looks: made when first asked
    // for (a window whose buttons draw from the faces never asks, and holds no
    // screen context for its life).
    HDC Screen() const;
    HDC Target() const;

private:
    void Select(int look, HBITMAP face);

    mutable std::optional<ClientDC> m_Screen;
    mutable std::optional<MemoryDC> m_Target;
    std::optional<MemoryDC> m_Surfaces[LOOK_COUNT];  // made for decoded faces only
    HGDIOBJ m_Previous[LOOK_COUNT] = {};
    HDC m_Source[LOOK_COUNT] = {};               // a decoded face's surface
    const FacePicture* m_File[LOOK_COUNT] = {};  // a face drawn from its file
};

class CBitmapBtn : public CButton, public AccessibleSource {
public:
    CBitmapBtn() = default;
    ~CBitmapBtn() override;

    // Creates the button as a visible owner-drawn child of `parent` at `rc`, with
    // an empty caption and control id 0.
    BOOL Create(const RECT& rc, CWnd* parent);
    // Makes the attached button owner-drawn and takes it out of the Tab order;
    // Create calls it, and so must whoever binds a template button.
    void PreSubclassWindow();

    // Cuts the four looks out of the window's whole-face pictures at `rc`
    // (client pixels of the window). A null source leaves that look as it was.
    void SetStateImages(HBITMAP main, HBITMAP over, HBITMAP down, HBITMAP disabled, const RECT& rc);
    // The same from faces prepared once for all the buttons of a window.
    void SetStateImages(const FaceSet& faces, const RECT& rc);
    // Draws each look straight from `faces` at `rc` instead of cutting looks of
    // its own: for a window that keeps its faces (they must outlive the
    // button's window).
    void ShareFaces(const FaceSet& faces, const RECT& rc);
    // Latched: shown pressed whatever the mouse does. Repaints only on a change.
    void SetLatched(bool latched);
    bool IsLatched() const { return m_Latched; }
    // Text drawn over the picture; SetText does not repaint. It is also the
    // button's name to a reader, who is told when it changes.
    void SetText(const std::wstring& text) {
        if (text == m_Text) return;
        m_Text = text;
        RaiseAccessibleEvent(m_hWnd, EVENT_OBJECT_NAMECHANGE);
    }
    const std::wstring& GetText() const { return m_Text; }
    // Gives the button a tooltip showing `text`; a null text changes nothing.
    void SetTooltipText(const wchar_t* text);
    void SetTooltipText(const std::wstring& text) { SetTooltipText(text.c_str()); }

    bool IsHover() const { return m_Hover; }
    // The tooltip window, made on demand once a text is set (null without one).
    HWND GetTooltip();

    BOOL PreTranslateMessage(MSG* msg) override;
    void DrawItem(DRAWITEMSTRUCT* dis) override;

    // What a screen reader hears (BitmapBtnAccessible.cpp): the text, else the
    // tooltip, as its name; a push button (or `role`, for a button that only
    // shows a text), pressed while latched.
    void SetAccessibleRole(long role) { m_AccessibleRole = role; }
    AccessibleFacts Describe(long child) const override;
    bool DoDefaultAction(long child) override;
    // The colour of the frame shown while the button has the keyboard focus.
    void SetFocusColour(COLORREF colour) { m_FocusColour = colour; }
    // Shows the frame without the focus: for a button that a control over it
    // (CKeyMapWnd) moves the keyboard through. Repaints only on a change.
    void SetMarked(bool marked);
    // A button that such a control describes to a reader as one of its
    // elements: the button itself then reads as part of the picture
    // (invisible), so a reader meets it once.
    void SetDescribedByMap(bool described) { m_DescribedByMap = described; }
    bool DescribedByMap() const { return m_DescribedByMap; }

    // Draws the look that the item state selects into `dc` (client-sized).
    void DrawLook(HDC dc, UINT itemState);

protected:
    void OnMouseMove(UINT flags, POINT pt) override;
    void OnMouseLeave() override;
    void OnLButtonDown(UINT flags, POINT pt) override;
    void OnKillFocus(HWND newFocus) override;
    void OnEnable(BOOL enabled) override;
    // Enter presses the focused button as Space does (BitmapBtnAccessible.cpp).
    void OnKeyDown(UINT vk, UINT repeat, UINT flags) override;
    UINT OnGetDlgCode() override;
    void OnCaptureChanged(HWND newCapture) override;
    BOOL OnEraseBkgnd(HDC dc) override;
    void OnDestroy() override;

private:
    // The look the item state selects (a FaceSet::Look); -1 when the button
    // has no picture at all.
    int ChooseLook(UINT itemState) const;
    bool HasLook(int look) const;
    // Copies look `look` into `dc` at (0, 0), at most `width` x `height` pixels.
    void CopyLook(HDC dc, int look, int width, int height) const;
    void DrawCaption(HDC dc, const RECT& client);
    void EnsureTooltip();
    void ApplyTooltipText() const;

    // The four looks of this button in one bitmap of its own, one above the
    // other in FaceSet::Look order, each at the top-left corner of a slot of
    // m_SlotHeight rows: one bitmap per button instead of four. A look of
    // size 0 x 0 is missing.
    ScopedBitmap m_Looks;
    SIZE m_LookSize[FaceSet::LOOK_COUNT] = {};
    // Faces shared with the window instead of m_Looks (null: own looks), and
    // the button's place on them.
    const FaceSet* m_pShared = nullptr;
    RECT m_SharedRect{};
    int m_SlotHeight = 0;
    bool m_Latched = false;
    bool m_Hover = false;
    std::wstring m_Text;
    ScopedFont m_TextFont;  // made at the first paint of a text, kept with the window
    // The tooltip window is made when the mouse first reaches the button (or
    // when asked for): a window of many buttons then starts without a hidden
    // tooltip window each, and each button still has its own.
    bool m_HasTooltipText = false;
    std::wstring m_TooltipText;
    ScopedWindow m_Tooltip;
    long m_AccessibleRole = ROLE_SYSTEM_PUSHBUTTON;
    COLORREF m_FocusColour = kDefaultFocusColour;
    bool m_Marked = false;
    bool m_DescribedByMap = false;
};

}  // namespace zavo
