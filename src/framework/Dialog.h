// CDialog: a window built from a dialog template of the executable's
// resources, modal (DoModal) or modeless (Create).
//
// The dialog window is bound to the object before its first message (see
// Wnd.h), so OnCreate runs for it; then WM_INITDIALOG calls OnInitDialog.
//
// DoModal creates the dialog modeless from its template with the owner
// disabled and runs its own message loop (PumpMessage in MessageLoop.h)
// until EndDialog; for every message PreTranslateMessage is
// offered to the target window and each of its parents, then to the
// application's main window, before it is dispatched. The base
// CDialog::PreTranslateMessage does the dialog-key processing
// (IsDialogMessage: Tab, arrows, Enter = default button, Esc = IDCANCEL), so a
// dialog that returns false for a key without calling the base keeps that key
// away from it. WM_QUIT ends the loop and is posted again so every outer loop
// ends too; DoModal then returns -1.
#pragma once

#include <windows.h>

#include <string>

#include "framework/Wnd.h"

namespace zavo {

class CDialog;

// Direction and context of a data exchange (DoDataExchange).
class CDataExchange {
public:
    CDataExchange(CDialog* dlg, bool saveAndValidate) : m_pDlgWnd(dlg), m_bSaveAndValidate(saveAndValidate) {}
    CDialog* m_pDlgWnd;
    bool m_bSaveAndValidate;  // true: controls -> members; false: members -> controls
    // Marks the exchange as failed; UpdateData then returns false.
    void Fail() { m_bFailed = true; }
    bool Failed() const { return m_bFailed; }

private:
    bool m_bFailed = false;
};

class CDialog : public CWnd {
public:
    CDialog() = default;
    // `parent` is the owner used by DoModal and Create when none is given there;
    // nullptr = the application's main window (for DoModal) or none.
    explicit CDialog(UINT templateId, CWnd* parent = nullptr) : m_nIDTemplate(templateId), m_pParentWnd(parent) {}

    // Runs the dialog modally; returns the EndDialog result, -1 when the window
    // could not be created or the loop ended by WM_QUIT.
    virtual INT_PTR DoModal();
    // Creates the dialog modeless (visible if the template says so).
    BOOL Create(UINT templateId, CWnd* parent = nullptr);
    // Ends a modal dialog with `result` (the loop ends and DoModal destroys the
    // window); a modeless dialog is hidden (destroy it with DestroyWindow).
    void EndDialog(INT_PTR result);
    bool IsModal() const { return m_bModal; }

    // Exchange between the members and the controls through DoDataExchange.
    BOOL UpdateData(BOOL saveAndValidate = TRUE);

    // Handlers.
    // Default: UpdateData(FALSE); returns TRUE (focus to the first tab stop).
    virtual BOOL OnInitDialog();
    // Default: UpdateData(TRUE), and EndDialog(IDOK) if it succeeded.
    virtual void OnOK();
    // Default: EndDialog(IDCANCEL).
    virtual void OnCancel();
    // Default: nothing bound.
    virtual void DoDataExchange(CDataExchange* dx);
    // Default: IDOK -> OnOK, IDCANCEL -> OnCancel (by control id, so skinned
    // buttons with id 0 never reach them); returns whether it handled it.
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    // Default: dialog-key processing for keyboard input aimed at this dialog or
    // one of its controls.
    BOOL PreTranslateMessage(MSG* msg) override;

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    BOOL DestroyWindow() override;

protected:
    // Whether the window is created unaware of the display's scale (the system
    // then stretches it); `owner` is the window it will belong to.
    virtual bool CreatesUnaware(HWND owner) const;

    UINT m_nIDTemplate = 0;
    CWnd* m_pParentWnd = nullptr;

private:
    friend struct DialogInternals;
    BOOL CreateFromTemplate(HWND owner);
    static INT_PTR CALLBACK StaticDlgProc(HWND, UINT, WPARAM, LPARAM);
    bool m_bModal = false;
    bool m_bContinueModal = false;
    INT_PTR m_nModalResult = -1;
};

// True for a press or release of Enter or Esc. Most skinned windows answer
// those keys "not handled" in PreTranslateMessage without calling the base, so
// the dialog-key processing never turns them into OK or Cancel.
bool IsEnterOrEscKey(const MSG* msg);

// Binds template control `id` of the dialog to `control` (subclassing it)
// the first time; later exchanges leave it as it is.
void DDX_Control(CDataExchange* dx, int id, CWnd& control);
// Text of control `id` <-> `value`.
void DDX_Text(CDataExchange* dx, int id, std::wstring& value);

}  // namespace zavo
