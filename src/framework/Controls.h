// Thin wrappers of the standard controls. Each is a CWnd, so it can be
// created by the layer (Create) or bound to a template control (DDX_Control /
// SubclassDlgItem), and an owner-drawn one draws itself in DrawItem /
// MeasureItem, reflected from its parent.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "framework/Accessible.h"
#include "framework/Wnd.h"

namespace zavo {

// What a button runs when it is clicked, set where the button is made. A
// click is BN_CLICKED, and BN_DOUBLECLICKED for the quick second click of a
// button that reports it so (owner-drawn ones): each is a press of its own.
class ClickAction {
public:
    void Set(std::function<void()> run) { m_Run = std::move(run); }
    bool IsSet() const { return static_cast<bool>(m_Run); }
    // Runs the action for a click notification; false when it is none or
    // there is no action. The action runs from a copy: it may destroy the
    // button that holds it.
    bool Run(UINT notifyCode) const {
        if (!m_Run || (notifyCode != BN_CLICKED && notifyCode != BN_DOUBLECLICKED)) return false;
        const std::function<void()> run = m_Run;
        run();
        return true;
    }

private:
    std::function<void()> m_Run;
};

// Push button. Owner-drawn buttons are created with BS_OWNERDRAW and override
// DrawItem. A click runs the button's OnClick action; without one it reaches
// the parent's OnCommand.
class CButton : public CWnd {
public:
    BOOL Create(const wchar_t* caption, DWORD style, const RECT& rc, CWnd* parent, UINT id);
    void OnClick(std::function<void()> run) { m_Click.Set(std::move(run)); }
    bool ReflectedCommand(UINT notifyCode) override { return m_Click.Run(notifyCode); }
    UINT GetState() const { return static_cast<UINT>(SendMessage(BM_GETSTATE)); }
    void SetState(BOOL highlight) { SendMessage(BM_SETSTATE, highlight); }
    int GetCheck() const { return static_cast<int>(SendMessage(BM_GETCHECK)); }
    void SetCheck(int check) { SendMessage(BM_SETCHECK, check); }

private:
    ClickAction m_Click;
};

// List box. Owner-drawn variable lists are created with LBS_OWNERDRAWVARIABLE
// (and LBS_HASSTRINGS to keep the texts) and override DrawItem and
// MeasureItem. Index results are LB_ERR (-1) when there is no such item.
class CListBox : public CWnd {
public:
    BOOL Create(DWORD style, const RECT& rc, CWnd* parent, UINT id);
    int GetCount() const { return static_cast<int>(SendMessage(LB_GETCOUNT)); }
    int AddString(const std::wstring& text) {
        return static_cast<int>(SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
    }
    int InsertString(int index, const std::wstring& text) {
        return static_cast<int>(SendMessage(LB_INSERTSTRING, index, reinterpret_cast<LPARAM>(text.c_str())));
    }
    int DeleteString(int index) { return static_cast<int>(SendMessage(LB_DELETESTRING, index)); }
    void ResetContent() { SendMessage(LB_RESETCONTENT); }
    // The text of item `index` ("" when there is none or the list keeps no texts).
    std::wstring GetText(int index) const;
    int GetCurSel() const { return static_cast<int>(SendMessage(LB_GETCURSEL)); }
    int SetCurSel(int index) { return static_cast<int>(SendMessage(LB_SETCURSEL, index)); }
    int GetTopIndex() const { return static_cast<int>(SendMessage(LB_GETTOPINDEX)); }
    int SetTopIndex(int index) { return static_cast<int>(SendMessage(LB_SETTOPINDEX, index)); }
    LPARAM GetItemData(int index) const { return SendMessage(LB_GETITEMDATA, index); }
    int SetItemData(int index, LPARAM data) { return static_cast<int>(SendMessage(LB_SETITEMDATA, index, data)); }
    int GetItemHeight(int index) const { return static_cast<int>(SendMessage(LB_GETITEMHEIGHT, index)); }
    int SetItemHeight(int index, int height) {
        return static_cast<int>(SendMessage(LB_SETITEMHEIGHT, index, MAKELPARAM(height, 0)));
    }
    bool GetItemRect(int index, RECT* rc) const {
        return SendMessage(LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(rc)) != LB_ERR;
    }
    // The item nearest to client point `pt`; *outside is true when `pt` lies
    // outside every item (as LB_ITEMFROMPOINT reports it).
    int ItemFromPoint(POINT pt, bool* outside) const;
};

class CEdit : public CWnd {
public:
    BOOL Create(DWORD style, const RECT& rc, CWnd* parent, UINT id);
    void SetLimitText(UINT max) { SendMessage(EM_LIMITTEXT, max); }
    void SetSel(int start, int end) { SendMessage(EM_SETSEL, start, end); }
};

// An edit box whose label is painted on the window's picture rather than a
// label control: it tells a screen reader the name it is given, and its text as
// its value.
class CNamedEdit : public CEdit, public AccessibleSource {
public:
    void SetAccessibleName(std::wstring name) { m_AccessibleName = std::move(name); }
    AccessibleFacts Describe(long child) const override;

private:
    std::wstring m_AccessibleName;
};

class CStatic : public CWnd {
public:
    BOOL Create(const wchar_t* text, DWORD style, const RECT& rc, CWnd* parent, UINT id);
    // Shows `bmp` (SS_BITMAP controls); returns the bitmap shown before. The
    // caller keeps owning both.
    HBITMAP SetBitmap(HBITMAP bmp) {
        return reinterpret_cast<HBITMAP>(SendMessage(STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bmp)));
    }
    HBITMAP GetBitmap() const { return reinterpret_cast<HBITMAP>(SendMessage(STM_GETIMAGE, IMAGE_BITMAP)); }
};

}  // namespace zavo
