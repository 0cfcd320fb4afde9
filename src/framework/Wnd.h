// CWnd: the base of every window object of the tool.
//
// A CWnd is bound to one HWND through a per-thread registry (HWND -> CWnd*),
// always before the window's first message, so WM_NCCREATE/WM_CREATE already
// reach the object:
// - child and pop-up windows that CreateEx makes of a class of the layer (one
//   from RegisterWndClass, or the layer's superclass of BUTTON) are bound at
//   WM_NCCREATE, their first message, from the creation parameters, which
//   point to a record of the creation in progress (the handlers still see the
//   caller's own parameter);
// - windows that get WM_GETMINMAXINFO before WM_NCCREATE (top-level ones,
//   sizing frames), windows of other system classes and dialogs built from
//   templates (CDialog::Create/DoModal, where OnCreate runs too) are bound
//   from a WH_CBT hook at HCBT_CREATEWND.
// Template controls are bound afterwards with SubclassDlgItem / DDX_Control.
//
// Messages are dispatched by ONE switch in CWnd::WindowProc to virtual
// handlers. A handler that is not overridden calls Default(), which passes the
// message being handled to the window's original procedure (the class
// procedure for subclassed windows, ::DefWindowProcW otherwise). Messages the
// switch does not know go straight to DefWindowProc; a derived class handles
// them by overriding WindowProc and calling the base for the rest.
//
// Owner-draw and colour requests are reflected: the parent's WM_DRAWITEM,
// WM_MEASUREITEM and WM_CTLCOLOR* call DrawItem / MeasureItem / CtlColor on the
// child's object when the child is bound, so a control draws itself. So is a
// control's WM_COMMAND (ReflectedCommand): a button runs its own click
// handler, and the parent's OnCommand sees only what no child handled.
#pragma once

#include <windows.h>

#include <string>

namespace zavo {

class CWnd {
public:
    CWnd() = default;
    // Destroys the window if it still exists (its handlers then run as CWnd's,
    // since the derived part is already gone: destroy windows explicitly first).
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd = nullptr;
    HWND GetSafeHwnd() const { return m_hWnd; }
    static HWND SafeHwnd(const CWnd* wnd) { return wnd ? wnd->m_hWnd : nullptr; }
    operator HWND() const { return m_hWnd; }

    // ----- registry ---------------------------------------------------------
    // The object bound to hWnd on this thread, or nullptr (no temporary objects
    // are made for foreign windows).
    static CWnd* FromHandle(HWND hWnd);
    // Binds an existing window without routing its messages through the object
    // (FromHandle and reflection work). False if this object or hWnd is bound.
    bool Attach(HWND hWnd);
    // Unbinds (restoring the original procedure if it was subclassed) and
    // returns the window, which keeps living.
    HWND Detach();
    // Binds hWnd and routes its messages through WindowProc.
    bool SubclassWindow(HWND hWnd);
    bool SubclassDlgItem(int id, CWnd* parent);
    HWND UnsubclassWindow() { return Detach(); }

    // ----- creation ---------------------------------------------------------
    // Registers (once per process) a window class whose procedure is the layer's
    // and returns its name; an empty name picks "ZavoWnd:<style>:<cursor>:..."
    // so equal requests share one class. Returns nullptr on failure.
    static const wchar_t* RegisterWndClass(UINT classStyle, HCURSOR cursor = nullptr, HBRUSH background = nullptr,
                                           HICON icon = nullptr, const wchar_t* name = nullptr);
    // Creates a window of any class (BUTTON through the layer's superclass,
    // other system classes subclassed) and binds it before its first message. For child windows `id` is the control id,
    // otherwise it is the menu handle value (usually 0).
    virtual BOOL CreateEx(DWORD exStyle, const wchar_t* className, const wchar_t* windowName, DWORD style, int x, int y,
                          int cx, int cy, HWND parent, UINT_PTR id, void* param = nullptr);
    BOOL CreateEx(DWORD exStyle, const wchar_t* className, const wchar_t* windowName, DWORD style, const RECT& rc,
                  CWnd* parent, UINT id, void* param = nullptr);
    BOOL Create(const wchar_t* className, const wchar_t* windowName, DWORD style, const RECT& rc, CWnd* parent,
                UINT id);
    virtual BOOL DestroyWindow();

    // ----- message handling -------------------------------------------------
    virtual LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam);
    // The original procedure of the window for this message.
    virtual LRESULT DefWindowProc(UINT msg, WPARAM wParam, LPARAM lParam);
    // Passes the message currently being handled to DefWindowProc.
    LRESULT Default();
    // The message currently being handled on this thread (nullptr outside a
    // window procedure).
    static const MSG* GetCurrentMessage();

    // Called by the message loops for a message before it is dispatched, for the
    // target window and each of its parents in turn; true = handled, do not
    // dispatch. The default returns false.
    virtual BOOL PreTranslateMessage(MSG* msg);

    // Called once after WM_NCDESTROY, when the object is unbound. Objects that
    // own themselves (heap pop-ups) may `delete this` here.
    virtual void PostNcDestroy() {}

    // ----- handlers (the default of each is Default()) -----------------------
    virtual int OnCreate(CREATESTRUCTW* cs);  // 0 = go on, -1 = fail creation
    virtual void OnDestroy();
    virtual void OnClose();
    virtual void OnPaint();
    virtual BOOL OnEraseBkgnd(HDC dc);
    virtual void OnTimer(UINT_PTR id);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);  // true = handled
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result);
    virtual void OnLButtonDown(UINT flags, POINT pt);
    virtual void OnLButtonUp(UINT flags, POINT pt);
    virtual void OnLButtonDblClk(UINT flags, POINT pt);
    virtual void OnRButtonDown(UINT flags, POINT pt);
    virtual void OnRButtonUp(UINT flags, POINT pt);
    virtual void OnMouseMove(UINT flags, POINT pt);
    virtual void OnMouseLeave();
    virtual void OnCaptureChanged(HWND newCapture);
    virtual BOOL OnSetCursor(HWND wnd, UINT hitTest, UINT message);
    virtual void OnKeyDown(UINT vk, UINT repeat, UINT flags);
    virtual void OnKeyUp(UINT vk, UINT repeat, UINT flags);
    virtual void OnChar(UINT ch, UINT repeat, UINT flags);
    virtual void OnSetFocus(HWND oldFocus);
    virtual void OnKillFocus(HWND newFocus);
    virtual void OnActivate(UINT state, HWND other, BOOL minimized);
    virtual void OnShowWindow(BOOL show, UINT status);
    virtual void OnEnable(BOOL enabled);
    virtual void OnSize(UINT type, int cx, int cy);
    virtual void OnMove(int x, int y);
    virtual void OnSysCommand(UINT id, LPARAM lParam);
    virtual HCURSOR OnQueryDragIcon();
    virtual UINT OnGetDlgCode();
    // The window moved to a display of `dpi` (or the display's scale changed);
    // `suggested` is the rectangle the platform proposes at that scale.
    virtual void OnDpiChanged(UINT dpi, const RECT& suggested);

    // Parent side of owner-draw and colour requests. The defaults reflect to the
    // child's object (see below) and fall back to Default() when there is none
    // or it does not handle the request.
    virtual void OnDrawItem(int id, DRAWITEMSTRUCT* dis);
    virtual void OnMeasureItem(int id, MEASUREITEMSTRUCT* mis);
    virtual HBRUSH OnCtlColor(HDC dc, HWND child, UINT ctlType);

    // Child side (reflected from the parent). DrawItem/MeasureItem do nothing by
    // default; CtlColor returns nullptr = not handled (the parent decides);
    // ReflectedCommand gets the notification code of the child's WM_COMMAND and
    // returns false = not handled (the parent's OnCommand decides).
    virtual void DrawItem(DRAWITEMSTRUCT* dis);
    virtual void MeasureItem(MEASUREITEMSTRUCT* mis);
    virtual HBRUSH CtlColor(HDC dc, UINT ctlType);
    virtual bool ReflectedCommand(UINT notifyCode);

    // ----- thin helpers -----------------------------------------------------
    HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
    int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
    HWND GetParent() const { return ::GetParent(m_hWnd); }
    HWND GetOwner() const { return ::GetWindow(m_hWnd, GW_OWNER); }
    BOOL IsWindow() const { return m_hWnd && ::IsWindow(m_hWnd); }
    BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
    BOOL IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
    BOOL ShowWindow(int cmd) { return ::ShowWindow(m_hWnd, cmd); }
    BOOL EnableWindow(BOOL enable = TRUE) { return ::EnableWindow(m_hWnd, enable); }
    void Invalidate(BOOL erase = TRUE) { ::InvalidateRect(m_hWnd, nullptr, erase); }
    void InvalidateRect(const RECT* rc, BOOL erase = TRUE) { ::InvalidateRect(m_hWnd, rc, erase); }
    void UpdateWindow() { ::UpdateWindow(m_hWnd); }
    void GetClientRect(RECT* rc) const { ::GetClientRect(m_hWnd, rc); }
    void GetWindowRect(RECT* rc) const { ::GetWindowRect(m_hWnd, rc); }
    void ClientToScreen(POINT* pt) const { ::ClientToScreen(m_hWnd, pt); }
    void ScreenToClient(POINT* pt) const { ::ScreenToClient(m_hWnd, pt); }
    void ScreenToClient(RECT* rc) const;
    BOOL MoveWindow(int x, int y, int cx, int cy, BOOL repaint = TRUE) {
        return ::MoveWindow(m_hWnd, x, y, cx, cy, repaint);
    }
    BOOL MoveWindow(const RECT& rc, BOOL repaint = TRUE) {
        return MoveWindow(rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, repaint);
    }
    BOOL SetWindowPos(HWND after, int x, int y, int cx, int cy, UINT flags) {
        return ::SetWindowPos(m_hWnd, after, x, y, cx, cy, flags);
    }
    UINT_PTR SetTimer(UINT_PTR id, UINT ms) { return ::SetTimer(m_hWnd, id, ms, nullptr); }
    BOOL KillTimer(UINT_PTR id) { return ::KillTimer(m_hWnd, id); }
    LRESULT SendMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::SendMessageW(m_hWnd, msg, wParam, lParam);
    }
    BOOL PostMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::PostMessageW(m_hWnd, msg, wParam, lParam);
    }
    void SetWindowText(const std::wstring& text) { ::SetWindowTextW(m_hWnd, text.c_str()); }
    std::wstring GetWindowText() const;
    void SetFont(HFONT font, BOOL redraw = TRUE) { SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw); }
    HFONT GetFont() const { return reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)); }
    DWORD GetStyle() const { return static_cast<DWORD>(::GetWindowLongPtrW(m_hWnd, GWL_STYLE)); }
    DWORD GetExStyle() const { return static_cast<DWORD>(::GetWindowLongPtrW(m_hWnd, GWL_EXSTYLE)); }
    HWND SetFocus() { return ::SetFocus(m_hWnd); }
    HWND SetCapture() { return ::SetCapture(m_hWnd); }
    // The window owns `rgn` once this succeeds (see ScopedRgn::Release).
    int SetWindowRgn(HRGN rgn, BOOL redraw = TRUE) { return ::SetWindowRgn(m_hWnd, rgn, redraw); }
    // Centres the window over `over` (default: a child window's parent, a
    // top-level window's owner) and keeps it inside the work area of the
    // monitor; centres on the work area when there is no visible, non-minimised
    // reference window. Pass GetDesktopWindow() to centre on the screen.
    void CenterWindow(HWND over = nullptr);

protected:
    // The procedure WindowProc falls back to (set when the window is bound).
    WNDPROC m_pfnSuper = nullptr;

private:
    friend struct WndRegistry;
    // Gives a control's WM_COMMAND to the control's object; true = handled.
    bool ReflectCommand(WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK StaticWndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
    bool m_subclassed = false;  // our procedure replaced the window's own
};

// Creation with a binding before the first message through a hook: sets the
// object that the next window created on this thread is bound to, and removes
// it again. Used by CWnd::CreateEx (for the windows it cannot bind at
// WM_NCCREATE) and CDialog; rarely needed elsewhere.
class CreationHook {
public:
    explicit CreationHook(CWnd* wnd);
    ~CreationHook();
    CreationHook(const CreationHook&) = delete;
    CreationHook& operator=(const CreationHook&) = delete;

private:
    HHOOK m_hook;
};

// Position from a mouse message's lParam (signed: negative on multi-monitor
// set-ups and during capture).
inline POINT PointFromLParam(LPARAM lp) {
    return POINT{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
}

}  // namespace zavo
