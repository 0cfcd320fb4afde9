#include "framework/Dialog.h"

#include <optional>

#include "framework/Dpi.h"
#include "framework/MessageLoop.h"
#include "framework/WinApp.h"

namespace zavo {

namespace {

// The owner of a dialog: the top-level window of `parent`, or of the
// application's main window when no parent is given (none for the main
// window itself).
HWND DialogOwner(CWnd* parent, const CWnd* self) {
    HWND h = CWnd::SafeHwnd(parent);
    if (!h) {
        CWnd* main = AfxGetMainWnd();
        if (main != self) h = CWnd::SafeHwnd(main);
    }
    if (h) {
        if (HWND root = ::GetAncestor(h, GA_ROOT)) h = root;
    }
    return h;
}

}  // namespace

struct DialogInternals {
    // After WM_INITDIALOG: a dialog that starts hidden, did not move itself, is
    // not a child, has no enabled owner (modal or unowned) and does not leave
    // centring to the system (DS_CENTER) is centred over its owner, as the
    // platform's dialog framework does.
    static void CentreAfterInit(CDialog& dlg, const RECT& before, DWORD styleBefore) {
        if (!dlg.IsWindow() || (styleBefore & (WS_VISIBLE | WS_CHILD))) return;
        DWORD style = dlg.GetStyle();
        if (style & (WS_VISIBLE | WS_CHILD | DS_CENTER | DS_CENTERMOUSE | DS_ABSALIGN)) return;
        RECT after;
        dlg.GetWindowRect(&after);
        if (after.left != before.left || after.top != before.top) return;
        HWND owner = dlg.GetOwner();
        if (owner && ::IsWindowEnabled(owner)) return;
        dlg.CenterWindow();
    }

    static void RunModalLoop(CDialog& dlg) {
        while (dlg.m_bContinueModal && dlg.IsWindow()) {
            int quitCode = 0;
            if (!PumpMessage(&quitCode)) {
                // Every outer loop must end as well.
                ::PostQuitMessage(quitCode);
                dlg.m_nModalResult = -1;
                break;
            }
        }
        dlg.m_bContinueModal = false;
    }
};

bool CDialog::CreatesUnaware(HWND) const { return false; }

BOOL CDialog::CreateFromTemplate(HWND owner) {
    HWND hWnd;
    {
        std::optional<UnawareWindowCreation> unaware;
        if (CreatesUnaware(owner)) unaware.emplace();
        CreationHook hook(this);
        hWnd = ::CreateDialogParamW(AfxGetResourceHandle(), MAKEINTRESOURCEW(m_nIDTemplate), owner,
                                    &CDialog::StaticDlgProc, 0);
    }
    if (!hWnd && m_hWnd) Detach();  // refused before WM_NCDESTROY could unbind it
    return hWnd != nullptr && hWnd == m_hWnd;
}

INT_PTR CDialog::DoModal() {
    if (m_hWnd) return -1;  // already has a window
    HWND owner = DialogOwner(m_pParentWnd, this);
    bool disabledOwner = owner && ::IsWindowEnabled(owner);
    if (disabledOwner) ::EnableWindow(owner, FALSE);

    m_bModal = true;
    m_bContinueModal = true;
    m_nModalResult = -1;
    if (CreateFromTemplate(owner)) {
        // Shown even when the template is not visible, as a modal dialog is;
        // unless OnInitDialog already ended it.
        if (m_bContinueModal && !IsWindowVisible()) ShowWindow(SW_SHOWNORMAL);
        DialogInternals::RunModalLoop(*this);
    }

    // The owner comes back before the dialog goes, so activation returns to it
    // and not to some other application.
    if (disabledOwner) ::EnableWindow(owner, TRUE);
    if (owner && m_hWnd && ::GetActiveWindow() == m_hWnd) ::SetActiveWindow(owner);
    m_bModal = false;
    if (m_hWnd) DestroyWindow();
    return m_nModalResult;
}

BOOL CDialog::Create(UINT templateId, CWnd* parent) {
    if (m_hWnd) return FALSE;
    m_nIDTemplate = templateId;
    if (parent) m_pParentWnd = parent;
    m_bModal = false;
    return CreateFromTemplate(DialogOwner(m_pParentWnd, this));
}

void CDialog::EndDialog(INT_PTR result) {
    if (m_bModal) {
        m_nModalResult = result;
        m_bContinueModal = false;
        // Wakes the loop when this runs inside GetMessage (a message sent from
        // another thread), where no posted message would follow.
        if (m_hWnd) ::PostMessageW(m_hWnd, WM_NULL, 0, 0);
    } else if (m_hWnd) {
        ::ShowWindow(m_hWnd, SW_HIDE);
    }
}

BOOL CDialog::DestroyWindow() {
    m_bContinueModal = false;
    return CWnd::DestroyWindow();
}

BOOL CDialog::UpdateData(BOOL saveAndValidate) {
    if (!m_hWnd) return FALSE;
    CDataExchange dx(this, saveAndValidate != FALSE);
    DoDataExchange(&dx);
    return !dx.Failed();
}

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK() {
    if (UpdateData(TRUE)) EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::DoDataExchange(CDataExchange*) {}

BOOL CDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
    // Buttons notify BN_CLICKED (0); menus and accelerators carry no window.
    if (HIWORD(wParam) != BN_CLICKED && lParam != 0) return FALSE;
    switch (LOWORD(wParam)) {
        case IDOK:
            OnOK();
            return TRUE;
        case IDCANCEL:
            OnCancel();
            return TRUE;
        default:
            return FALSE;
    }
}

BOOL CDialog::PreTranslateMessage(MSG* msg) {
    if (msg->message < WM_KEYFIRST || msg->message > WM_KEYLAST || !m_hWnd) return FALSE;
    if (msg->hwnd != m_hWnd && !::IsChild(m_hWnd, msg->hwnd)) return FALSE;
    return ::IsDialogMessageW(m_hWnd, msg);
}

LRESULT CDialog::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_INITDIALOG) {
        RECT before;
        GetWindowRect(&before);
        DWORD styleBefore = GetStyle();
        BOOL result = OnInitDialog();
        DialogInternals::CentreAfterInit(*this, before, styleBefore);
        return result;
    }
    return CWnd::WindowProc(msg, wParam, lParam);
}

// Every message reaches the object through its window procedure first; the
// dialog procedure has nothing left to do.
INT_PTR CALLBACK CDialog::StaticDlgProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

void DDX_Control(CDataExchange* dx, int id, CWnd& control) {
    if (control.m_hWnd) return;
    if (!control.SubclassDlgItem(id, dx->m_pDlgWnd)) dx->Fail();
}

void DDX_Text(CDataExchange* dx, int id, std::wstring& value) {
    HWND item = ::GetDlgItem(dx->m_pDlgWnd->m_hWnd, id);
    if (!item) {
        dx->Fail();
        return;
    }
    if (dx->m_bSaveAndValidate) {
        int len = ::GetWindowTextLengthW(item);
        std::wstring text(static_cast<size_t>(len) + 1, L'\0');
        int got = ::GetWindowTextW(item, text.data(), len + 1);
        text.resize(got > 0 ? static_cast<size_t>(got) : 0);
        value = std::move(text);
    } else {
        ::SetWindowTextW(item, value.c_str());
    }
}

bool IsEnterOrEscKey(const MSG* msg) {
    return (msg->message == WM_KEYDOWN || msg->message == WM_KEYUP) &&
           (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE);
}

}  // namespace zavo
