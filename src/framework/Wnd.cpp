#include "framework/Wnd.h"

#include <cwchar>
#include <unordered_map>
#include <unordered_set>

#include "framework/Accessible.h"
#include "framework/WinApp.h"

namespace zavo {

namespace {

// One frame per window procedure call on this thread: the message being
// handled (for Default) and the chain of windows being dispatched (to find the
// list box asking its parent for an item height).
struct DispatchFrame {
    MSG msg;
    const DispatchFrame* outer;
};

thread_local const DispatchFrame* t_frame = nullptr;
// The object the next window created on this thread is bound to (creation
// through the hook).
thread_local CWnd* t_pending = nullptr;

// A window being created without the hook: its creation parameters point to
// this record, which names the object to bind at the window's first message
// (WM_NCCREATE) and the caller's own parameter. Nested creations (windows made
// while another is being made) form a chain, innermost first.
struct PendingCreation {
    CWnd* wnd;
    void* param;
    const PendingCreation* outer;
};
thread_local const PendingCreation* t_creations = nullptr;

// The record `createParams` points to when it is one of this thread's
// creations in progress (never dereferenced otherwise: any window's creation
// parameters can be any value).
const PendingCreation* CreationOf(const void* createParams) {
    for (const PendingCreation* c = t_creations; c; c = c->outer) {
        if (c == createParams) return c;
    }
    return nullptr;
}

// System classes whose windows the layer creates by the hundred (the skinned
// buttons): made through a class of the layer's own with the same behaviour (a
// superclass), so their first message already reaches the layer's procedure
// and no creation hook is needed; the system class's procedure stays their
// original one.
struct Superclass {
    const wchar_t* system;
    const wchar_t* own;
    WNDPROC original;  // set once registered
    ATOM atom;
};
Superclass g_superclasses[] = {
    {L"BUTTON", L"ZavoButton", nullptr, 0},
};

Superclass* SuperclassOf(const wchar_t* className) {
    if (IS_INTRESOURCE(className)) return nullptr;
    for (Superclass& s : g_superclasses) {
        if (_wcsicmp(className, s.system) == 0) return &s;
    }
    return nullptr;
}

using Registry = std::unordered_map<HWND, CWnd*>;
// Never destroyed: window objects with static storage (dialogs kept for the
// whole run) may still destroy their windows while the process exits, after
// thread-local objects are gone.
Registry& Map() {
    thread_local Registry* map = new Registry;
    return *map;
}

// The system's IME helper windows are created on the thread too; they must
// never take the place of the window being created.
bool IsImeWindow(HWND hWnd) {
    if (::GetClassLongPtrW(hWnd, GCL_STYLE) & CS_IME) return true;
    wchar_t name[16] = {};
    ::GetClassNameW(hWnd, name, 16);
    return _wcsicmp(name, L"IME") == 0;
}

// The procedure a window of a layer class passes messages on to: the system
// class's for a superclass, DefWindowProc otherwise.
WNDPROC ClassOriginal(HWND hWnd) {
    const auto atom = static_cast<ATOM>(::GetClassLongPtrW(hWnd, GCW_ATOM));
    for (const Superclass& s : g_superclasses) {
        if (s.atom && s.atom == atom) return s.original;
    }
    return ::DefWindowProcW;
}

}  // namespace

struct WndRegistry {
    // Binds `wnd` to `hWnd`; with `route` the window's messages go through
    // StaticWndProc (subclassing it unless its class procedure is ours).
    static void Bind(CWnd* wnd, HWND hWnd, bool route) {
        Map()[hWnd] = wnd;
        wnd->m_hWnd = hWnd;
        auto current = reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(hWnd, GWLP_WNDPROC));
        if (current == &CWnd::StaticWndProc) {
            wnd->m_pfnSuper = ClassOriginal(hWnd);
            wnd->m_subclassed = false;
        } else if (route) {
            ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::StaticWndProc));
            wnd->m_pfnSuper = current;
            wnd->m_subclassed = true;
        }
    }

    static void Unbind(CWnd* wnd) {
        HWND hWnd = wnd->m_hWnd;
        if (wnd->m_subclassed &&
            reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(hWnd, GWLP_WNDPROC)) == &CWnd::StaticWndProc) {
            ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(wnd->m_pfnSuper));
        }
        Map().erase(hWnd);
        wnd->m_hWnd = nullptr;
        wnd->m_pfnSuper = nullptr;
        wnd->m_subclassed = false;
    }

    static LRESULT CALLBACK CbtProc(int code, WPARAM wParam, LPARAM lParam) {
        if (code == HCBT_CREATEWND && t_pending) {
            auto hWnd = reinterpret_cast<HWND>(wParam);
            if (!IsImeWindow(hWnd)) {
                CWnd* wnd = t_pending;
                t_pending = nullptr;
                Bind(wnd, hWnd, true);
            }
        }
        return ::CallNextHookEx(nullptr, code, wParam, lParam);
    }

    // Registers the layer's class for `s` once; false when the system class is
    // unknown. The classic system class is taken, not the one the program's
    // manifest redirects to (common controls 6): the layer's buttons draw
    // themselves, and the classic class spares loading the common controls
    // before the first tooltip needs them.
    static bool RegisterSuperclass(Superclass& s) {
        if (s.atom) return true;
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        // Asked by its atom, a class is not redirected. Where class names are
        // global atoms (Wine) the global atom of the name is the class's;
        // elsewhere that atom may stand for another class or none, so it is
        // taken only when the class atom of that value has the class's own
        // name, and otherwise the lookup by name gives the redirected class.
        const ATOM classic = ::GlobalFindAtomW(s.system);
        wchar_t atomName[32] = {};
        const bool byAtom = classic && ::GetClipboardFormatNameW(classic, atomName, 32) > 0 &&
                            _wcsicmp(atomName, s.system) == 0 && ::GetClassInfoExW(nullptr, MAKEINTATOM(classic), &wc);
        if (!byAtom && !::GetClassInfoExW(nullptr, s.system, &wc)) return false;
        const WNDPROC original = wc.lpfnWndProc;
        wc.cbSize = sizeof(wc);
        wc.style &= ~static_cast<UINT>(CS_GLOBALCLASS);
        wc.lpfnWndProc = &CWnd::StaticWndProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = s.own;
        const ATOM atom = ::RegisterClassExW(&wc);
        if (!atom) return false;
        s.original = original;
        s.atom = atom;
        return true;
    }

    // True when windows of `className` run the layer's procedure from their
    // first message.
    static bool IsLayerClass(const wchar_t* className) {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        return ::GetClassInfoExW(::GetModuleHandleW(nullptr), className, &wc) && wc.lpfnWndProc == &CWnd::StaticWndProc;
    }

    static CWnd* ChildBeingDispatched(HWND parent, int id) {
        for (const DispatchFrame* f = t_frame; f; f = f->outer) {
            HWND h = f->msg.hwnd;
            if (h != parent && ::GetParent(h) == parent && ::GetDlgCtrlID(h) == id) {
                if (CWnd* w = CWnd::FromHandle(h)) return w;
            }
        }
        return nullptr;
    }
};

// ----- creation hook ---------------------------------------------------------

CreationHook::CreationHook(CWnd* wnd) {
    t_pending = wnd;
    m_hook = ::SetWindowsHookExW(WH_CBT, &WndRegistry::CbtProc, nullptr, ::GetCurrentThreadId());
}

CreationHook::~CreationHook() {
    // Creation failed before any window existed: the object stays unbound.
    t_pending = nullptr;
    if (m_hook) ::UnhookWindowsHookEx(m_hook);
}

// ----- registry --------------------------------------------------------------

CWnd::~CWnd() {
    if (m_hWnd) {
        if (::IsWindow(m_hWnd)) ::DestroyWindow(m_hWnd);
        // Still bound (the window belongs to another thread or refused to die):
        // never leave a dangling pointer in the registry.
        if (m_hWnd) WndRegistry::Unbind(this);
    }
}

CWnd* CWnd::FromHandle(HWND hWnd) {
    if (!hWnd) return nullptr;
    auto& map = Map();
    auto it = map.find(hWnd);
    return it == map.end() ? nullptr : it->second;
}

bool CWnd::Attach(HWND hWnd) {
    if (m_hWnd || !hWnd || !::IsWindow(hWnd) || FromHandle(hWnd)) return false;
    WndRegistry::Bind(this, hWnd, false);
    return true;
}

HWND CWnd::Detach() {
    HWND hWnd = m_hWnd;
    if (hWnd) WndRegistry::Unbind(this);
    return hWnd;
}

bool CWnd::SubclassWindow(HWND hWnd) {
    if (m_hWnd || !hWnd || !::IsWindow(hWnd) || FromHandle(hWnd)) return false;
    WndRegistry::Bind(this, hWnd, true);
    return true;
}

bool CWnd::SubclassDlgItem(int id, CWnd* parent) { return parent && SubclassWindow(::GetDlgItem(parent->m_hWnd, id)); }

// ----- creation --------------------------------------------------------------

const wchar_t* CWnd::RegisterWndClass(UINT classStyle, HCURSOR cursor, HBRUSH background, HICON icon,
                                      const wchar_t* name) {
    static std::unordered_set<std::wstring> names;  // stable storage for the names
    std::wstring className;
    if (name && *name) {
        className = name;
    } else {
        wchar_t buf[96];
        std::swprintf(buf, 96, L"ZavoWnd:%x:%p:%p:%p", classStyle, static_cast<void*>(cursor),
                      static_cast<void*>(background), static_cast<void*>(icon));
        className = buf;
    }
    HINSTANCE inst = ::GetModuleHandleW(nullptr);
    const wchar_t* stored = names.insert(className).first->c_str();
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    if (::GetClassInfoExW(inst, stored, &wc)) return stored;
    wc = WNDCLASSEXW{};
    wc.cbSize = sizeof(wc);
    wc.style = classStyle;
    wc.lpfnWndProc = &CWnd::StaticWndProc;
    wc.hInstance = inst;
    wc.hCursor = cursor;
    wc.hbrBackground = background;
    wc.hIcon = icon;
    wc.lpszClassName = stored;
    return ::RegisterClassExW(&wc) ? stored : nullptr;
}

BOOL CWnd::CreateEx(DWORD exStyle, const wchar_t* className, const wchar_t* windowName, DWORD style, int x, int y,
                    int cx, int cy, HWND parent, UINT_PTR id, void* param) {
    if (m_hWnd) return FALSE;
    bool ownClass = false;
    if (Superclass* super = SuperclassOf(className); super && WndRegistry::RegisterSuperclass(*super)) {
        className = super->own;
        ownClass = true;
    } else {
        ownClass = WndRegistry::IsLayerClass(className);
    }
    // A top-level window or one with a sizing frame gets WM_GETMINMAXINFO before
    // WM_NCCREATE: those few are bound by the hook, which runs before either.
    const bool firstIsNcCreate = (style & (WS_CHILD | WS_POPUP)) && !(style & WS_THICKFRAME);
    HWND hWnd;
    if (ownClass && firstIsNcCreate) {
        // Bound at WM_NCCREATE from the creation parameters (StaticWndProc).
        const PendingCreation creation{this, param, t_creations};
        t_creations = &creation;
        hWnd =
            ::CreateWindowExW(exStyle, className, windowName, style, x, y, cx, cy, parent, reinterpret_cast<HMENU>(id),
                              ::GetModuleHandleW(nullptr), const_cast<PendingCreation*>(&creation));
        t_creations = creation.outer;
    } else {
        CreationHook hook(this);
        hWnd = ::CreateWindowExW(exStyle, className, windowName, style, x, y, cx, cy, parent,
                                 reinterpret_cast<HMENU>(id), ::GetModuleHandleW(nullptr), param);
    }
    // A window refused in WM_NCCREATE/WM_CREATE was destroyed and unbound again
    // by its WM_NCDESTROY; one refused by a hook never got that far.
    if (!hWnd && m_hWnd) Detach();
    return hWnd != nullptr && hWnd == m_hWnd;
}

BOOL CWnd::CreateEx(DWORD exStyle, const wchar_t* className, const wchar_t* windowName, DWORD style, const RECT& rc,
                    CWnd* parent, UINT id, void* param) {
    return CreateEx(exStyle, className, windowName, style, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top,
                    SafeHwnd(parent), id, param);
}

BOOL CWnd::Create(const wchar_t* className, const wchar_t* windowName, DWORD style, const RECT& rc, CWnd* parent,
                  UINT id) {
    return CreateEx(0, className, windowName, style | WS_CHILD, rc, parent, id);
}

BOOL CWnd::DestroyWindow() {
    if (!m_hWnd) return FALSE;
    return ::DestroyWindow(m_hWnd);
}

// ----- dispatch ------------------------------------------------------------

LRESULT CALLBACK CWnd::StaticWndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    CWnd* wnd = FromHandle(hWnd);
    CREATESTRUCTW callerView;
    if ((msg == WM_NCCREATE || msg == WM_CREATE) && lParam) {
        const auto* cs = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        if (const PendingCreation* creation = CreationOf(cs->lpCreateParams)) {
            // A window CreateEx is making without the hook: bound at its first
            // message, WM_NCCREATE.
            if (!wnd && msg == WM_NCCREATE && !creation->wnd->m_hWnd) {
                WndRegistry::Bind(creation->wnd, hWnd, true);
                wnd = creation->wnd;
            }
            // Its handlers and its class see the caller's own parameter.
            callerView = *cs;
            callerView.lpCreateParams = creation->param;
            lParam = reinterpret_cast<LPARAM>(&callerView);
        }
    }
    // Unbound windows of our classes (or bound with Attach only) behave as
    // windows of the class the layer's class stands for.
    if (!wnd || !wnd->m_pfnSuper) return ::CallWindowProcW(ClassOriginal(hWnd), hWnd, msg, wParam, lParam);

    DispatchFrame frame{MSG{hWnd, msg, wParam, lParam, 0, {0, 0}}, t_frame};
    t_frame = &frame;
    LRESULT result = wnd->WindowProc(msg, wParam, lParam);
    t_frame = frame.outer;
    if (msg == WM_NCDESTROY && wnd->m_hWnd == hWnd) {
        WndRegistry::Unbind(wnd);
        wnd->PostNcDestroy();  // may delete the object
    }
    return result;
}

const MSG* CWnd::GetCurrentMessage() { return t_frame ? &t_frame->msg : nullptr; }

LRESULT CWnd::DefWindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (m_pfnSuper) return ::CallWindowProcW(m_pfnSuper, m_hWnd, msg, wParam, lParam);
    return ::DefWindowProcW(m_hWnd, msg, wParam, lParam);
}

LRESULT CWnd::Default() {
    const MSG* m = GetCurrentMessage();
    if (!m || m->hwnd != m_hWnd) return 0;
    return DefWindowProc(m->message, m->wParam, m->lParam);
}

LRESULT CWnd::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_CREATE:
            return OnCreate(reinterpret_cast<CREATESTRUCTW*>(lp));
        case WM_DESTROY:
            OnDestroy();
            return 0;
        case WM_CLOSE:
            OnClose();
            return 0;
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_ERASEBKGND:
            return OnEraseBkgnd(reinterpret_cast<HDC>(wp));
        case WM_TIMER:
            OnTimer(wp);
            return 0;
        case WM_COMMAND:
            if (ReflectCommand(wp, lp) || OnCommand(wp, lp)) return 0;
            break;
        case WM_NOTIFY: {
            LRESULT result = 0;
            if (OnNotify(wp, lp, &result)) return result;
            break;
        }
        case WM_LBUTTONDOWN:
            OnLButtonDown(static_cast<UINT>(wp), PointFromLParam(lp));
            return 0;
        case WM_LBUTTONUP:
            OnLButtonUp(static_cast<UINT>(wp), PointFromLParam(lp));
            return 0;
        case WM_LBUTTONDBLCLK:
            OnLButtonDblClk(static_cast<UINT>(wp), PointFromLParam(lp));
            return 0;
        case WM_RBUTTONDOWN:
            OnRButtonDown(static_cast<UINT>(wp), PointFromLParam(lp));
            return 0;
        case WM_RBUTTONUP:
            OnRButtonUp(static_cast<UINT>(wp), PointFromLParam(lp));
            return 0;
        case WM_MOUSEMOVE:
            OnMouseMove(static_cast<UINT>(wp), PointFromLParam(lp));
            return 0;
        case WM_MOUSELEAVE:
            OnMouseLeave();
            return 0;
        case WM_CAPTURECHANGED:
            OnCaptureChanged(reinterpret_cast<HWND>(lp));
            return 0;
        case WM_SETCURSOR:
            return OnSetCursor(reinterpret_cast<HWND>(wp), LOWORD(lp), HIWORD(lp));
        case WM_KEYDOWN:
            OnKeyDown(static_cast<UINT>(wp), LOWORD(lp), HIWORD(lp));
            return 0;
        case WM_KEYUP:
            OnKeyUp(static_cast<UINT>(wp), LOWORD(lp), HIWORD(lp));
            return 0;
        case WM_CHAR:
            OnChar(static_cast<UINT>(wp), LOWORD(lp), HIWORD(lp));
            return 0;
        case WM_SETFOCUS:
            OnSetFocus(reinterpret_cast<HWND>(wp));
            return 0;
        case WM_KILLFOCUS:
            OnKillFocus(reinterpret_cast<HWND>(wp));
            return 0;
        case WM_ACTIVATE:
            OnActivate(LOWORD(wp), reinterpret_cast<HWND>(lp), HIWORD(wp) != 0);
            return 0;
        case WM_SHOWWINDOW:
            OnShowWindow(static_cast<BOOL>(wp), static_cast<UINT>(lp));
            return 0;
        case WM_ENABLE:
            OnEnable(static_cast<BOOL>(wp));
            return 0;
        case WM_SIZE:
            OnSize(static_cast<UINT>(wp), LOWORD(lp), HIWORD(lp));
            return 0;
        case WM_MOVE:
            OnMove(static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp)));
            return 0;
        case WM_SYSCOMMAND:
            OnSysCommand(static_cast<UINT>(wp), lp);
            return 0;
        case WM_QUERYDRAGICON:
            return reinterpret_cast<LRESULT>(OnQueryDragIcon());
        case WM_GETDLGCODE:
            return OnGetDlgCode();
        case WM_DPICHANGED:
            // The new DPI comes with the message: the window's own may still
            // be the old one while it is handled (and under some platforms
            // follows only the system's).
            if (lp) OnDpiChanged(HIWORD(wp), *reinterpret_cast<const RECT*>(lp));
            return 0;
        case WM_GETOBJECT:
            // A window that describes itself answers for its client object.
            if (LRESULT answer = AnswerGetObject(m_hWnd, wp, lp)) return answer;
            break;
        case WM_DRAWITEM:
            OnDrawItem(static_cast<int>(wp), reinterpret_cast<DRAWITEMSTRUCT*>(lp));
            return TRUE;
        case WM_MEASUREITEM:
            OnMeasureItem(static_cast<int>(wp), reinterpret_cast<MEASUREITEMSTRUCT*>(lp));
            return TRUE;
        case WM_CTLCOLORMSGBOX:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC:
            return reinterpret_cast<LRESULT>(
                OnCtlColor(reinterpret_cast<HDC>(wp), reinterpret_cast<HWND>(lp), msg - WM_CTLCOLORMSGBOX));
        default:
            break;
    }
    return DefWindowProc(msg, wp, lp);
}

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

// ----- default handlers --------------------------------------------------------

int CWnd::OnCreate(CREATESTRUCTW*) { return static_cast<int>(Default()); }
void CWnd::OnDestroy() { Default(); }
void CWnd::OnClose() { Default(); }
void CWnd::OnPaint() { Default(); }
BOOL CWnd::OnEraseBkgnd(HDC) { return static_cast<BOOL>(Default()); }
void CWnd::OnTimer(UINT_PTR) { Default(); }
BOOL CWnd::OnCommand(WPARAM, LPARAM) { return FALSE; }
void CWnd::OnDpiChanged(UINT, const RECT&) { Default(); }
BOOL CWnd::OnNotify(WPARAM, LPARAM, LRESULT*) { return FALSE; }
void CWnd::OnLButtonDown(UINT, POINT) { Default(); }
void CWnd::OnLButtonUp(UINT, POINT) { Default(); }
void CWnd::OnLButtonDblClk(UINT, POINT) { Default(); }
void CWnd::OnRButtonDown(UINT, POINT) { Default(); }
void CWnd::OnRButtonUp(UINT, POINT) { Default(); }
void CWnd::OnMouseMove(UINT, POINT) { Default(); }
void CWnd::OnMouseLeave() { Default(); }
void CWnd::OnCaptureChanged(HWND) { Default(); }
BOOL CWnd::OnSetCursor(HWND, UINT, UINT) { return static_cast<BOOL>(Default()); }
void CWnd::OnKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnChar(UINT, UINT, UINT) { Default(); }
void CWnd::OnSetFocus(HWND) { Default(); }
void CWnd::OnKillFocus(HWND) { Default(); }
void CWnd::OnActivate(UINT, HWND, BOOL) { Default(); }
void CWnd::OnShowWindow(BOOL, UINT) { Default(); }
void CWnd::OnEnable(BOOL) { Default(); }
void CWnd::OnSize(UINT, int, int) { Default(); }
void CWnd::OnMove(int, int) { Default(); }
void CWnd::OnSysCommand(UINT, LPARAM) { Default(); }
HCURSOR CWnd::OnQueryDragIcon() { return reinterpret_cast<HCURSOR>(Default()); }
UINT CWnd::OnGetDlgCode() { return static_cast<UINT>(Default()); }

// ----- reflection ------------------------------------------------------------

void CWnd::OnDrawItem(int, DRAWITEMSTRUCT* dis) {
    if (dis && dis->CtlType != ODT_MENU) {
        CWnd* child = FromHandle(dis->hwndItem);
        if (child && child != this) {
            child->DrawItem(dis);
            return;
        }
    }
    Default();
}

void CWnd::OnMeasureItem(int id, MEASUREITEMSTRUCT* mis) {
    if (mis && mis->CtlType != ODT_MENU) {
        // Several controls may share an id (skinned buttons all have 0): prefer
        // the control whose own procedure is asking right now.
        CWnd* child = WndRegistry::ChildBeingDispatched(m_hWnd, id);
        if (!child) child = FromHandle(::GetDlgItem(m_hWnd, id));
        if (child && child != this) {
            child->MeasureItem(mis);
            return;
        }
    }
    Default();
}

HBRUSH CWnd::OnCtlColor(HDC dc, HWND childWnd, UINT ctlType) {
    CWnd* child = FromHandle(childWnd);
    if (child && child != this) {
        if (HBRUSH brush = child->CtlColor(dc, ctlType)) return brush;
    }
    return reinterpret_cast<HBRUSH>(Default());
}

// Menus and accelerators carry no window; a control's object may handle its
// own notification. The object may be gone once it returns (a click that
// closes the window), so nothing of it is touched after.
bool CWnd::ReflectCommand(WPARAM wParam, LPARAM lParam) {
    const HWND from = reinterpret_cast<HWND>(lParam);
    if (!from || from == m_hWnd) return false;
    CWnd* child = FromHandle(from);
    return child && child != this && child->ReflectedCommand(HIWORD(wParam));
}

void CWnd::DrawItem(DRAWITEMSTRUCT*) {}
void CWnd::MeasureItem(MEASUREITEMSTRUCT*) {}
HBRUSH CWnd::CtlColor(HDC, UINT) { return nullptr; }
bool CWnd::ReflectedCommand(UINT) { return false; }

// ----- helpers -----------------------------------------------------------------

void CWnd::ScreenToClient(RECT* rc) const { ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(rc), 2); }

std::wstring CWnd::GetWindowText() const {
    int len = ::GetWindowTextLengthW(m_hWnd);
    std::wstring text(static_cast<size_t>(len) + 1, L'\0');
    int got = ::GetWindowTextW(m_hWnd, text.data(), len + 1);
    text.resize(got > 0 ? static_cast<size_t>(got) : 0);
    return text;
}

void CWnd::CenterWindow(HWND over) {
    bool child = (GetStyle() & WS_CHILD) != 0;
    HWND ref = over ? over : (child ? ::GetParent(m_hWnd) : ::GetWindow(m_hWnd, GW_OWNER));
    RECT rc;
    GetWindowRect(&rc);
    int cx = rc.right - rc.left, cy = rc.bottom - rc.top;

    RECT area, center;
    if (child) {
        ::GetClientRect(ref, &area);
        center = area;
    } else {
        MONITORINFO mi{};
        mi.cbSize = sizeof(mi);
        HWND monitorOf = (ref && ref != ::GetDesktopWindow()) ? ref : m_hWnd;
        ::GetMonitorInfoW(::MonitorFromWindow(monitorOf, MONITOR_DEFAULTTONEAREST), &mi);
        area = mi.rcWork;
        center = area;
        if (ref && ref != ::GetDesktopWindow() && ::IsWindowVisible(ref) && !::IsIconic(ref)) {
            ::GetWindowRect(ref, &center);
        }
    }
    int x = (center.left + center.right - cx) / 2;
    int y = (center.top + center.bottom - cy) / 2;
    if (x + cx > area.right) x = area.right - cx;
    if (x < area.left) x = area.left;
    if (y + cy > area.bottom) y = area.bottom - cy;
    if (y < area.top) y = area.top;
    SetWindowPos(nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace zavo
