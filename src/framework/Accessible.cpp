#include "framework/Accessible.h"

#include <atomic>

#include "framework/PlatformSessions.h"
#include "framework/Wnd.h"
#include "platform/Win32Handle.h"

namespace zavo {

namespace {

// A string for a reader; null for an empty one, which MSAA reads as "none".
BSTR ToBstr(const std::wstring& text) {
    return text.empty() ? nullptr : ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
}

void SetI4(VARIANT* out, long value) {
    ::VariantInit(out);
    out->vt = VT_I4;
    out->lVal = value;
}

// The client object of one window: name, role, state and the elements from the
// window's AccessibleSource, the rest from the system's standard object.
class WindowAccessible final : public IAccessible {
public:
    explicit WindowAccessible(HWND wnd) : m_Wnd(wnd) {
        ::CreateStdAccessibleObject(wnd, OBJID_CLIENT, __uuidof(IAccessible), m_Std.PutVoid());
    }

    // ----- IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IDispatch || iid == __uuidof(IAccessible)) {
            *out = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_Refs; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --m_Refs;
        if (left == 0) delete this;
        return left;
    }

    // ----- IDispatch: readers call IAccessible directly.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (count) *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
        return E_NOTIMPL;
    }

    // ----- IAccessible
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        if (!Alive()) return RPC_E_DISCONNECTED;
        return m_Std ? m_Std->get_accParent(parent) : E_FAIL;
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
        if (!count) return E_POINTER;
        const AccessibleSource* source = Source();
        if (!source) return RPC_E_DISCONNECTED;
        if (source->Elements() > 0) {
            *count = source->Elements();
            return S_OK;
        }
        return m_Std ? m_Std->get_accChildCount(count) : (*count = 0, S_OK);
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        const AccessibleSource* source = Source();
        if (!source) return RPC_E_DISCONNECTED;
        // Elements are simple children: the parent answers for them.
        if (source->Elements() > 0) return Child(child, *source) > 0 ? S_FALSE : E_INVALIDARG;
        return m_Std ? m_Std->get_accChild(child, out) : E_INVALIDARG;
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        return Answer(child, name, [](const AccessibleFacts& f) { return ToBstr(f.name); });
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        return Answer(child, value, [](const AccessibleFacts& f) { return ToBstr(f.value); });
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT, BSTR* text) override {
        if (text) *text = nullptr;
        return Source() ? S_FALSE : RPC_E_DISCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        return AnswerNumber(child, role, [](const AccessibleFacts& f) { return f.role; });
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        return AnswerNumber(child, state, [](const AccessibleFacts& f) { return f.state; });
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT, BSTR* help) override {
        if (help) *help = nullptr;
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT, long* topic) override {
        if (file) *file = nullptr;
        if (topic) *topic = 0;
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT, BSTR* shortcut) override {
        if (shortcut) *shortcut = nullptr;
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
        if (!focus) return E_POINTER;
        ::VariantInit(focus);
        const AccessibleSource* source = Source();
        if (!source) return RPC_E_DISCONNECTED;
        if (::GetFocus() != m_Wnd) return m_Std ? m_Std->get_accFocus(focus) : S_FALSE;
        SetI4(focus, source->FocusedElement());
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
        if (!selection) return E_POINTER;
        ::VariantInit(selection);
        return Source() ? S_FALSE : RPC_E_DISCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        return Answer(child, action, [](const AccessibleFacts& f) { return ToBstr(f.action); });
    }
    HRESULT STDMETHODCALLTYPE accSelect(long, VARIANT) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override {
        if (!left || !top || !width || !height) return E_POINTER;
        const AccessibleSource* source = Source();
        if (!source) return RPC_E_DISCONNECTED;
        const long c = Child(child, *source);
        if (c < 0) return E_INVALIDARG;
        RECT rc{};
        if (c == 0) {
            ::GetClientRect(m_Wnd, &rc);
            ::MapWindowPoints(m_Wnd, nullptr, reinterpret_cast<POINT*>(&rc), 2);
        } else if (!source->ElementRect(c, &rc)) {
            return S_FALSE;
        }
        *left = rc.left;
        *top = rc.top;
        *width = rc.right - rc.left;
        *height = rc.bottom - rc.top;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long dir, VARIANT start, VARIANT* end) override {
        if (!end) return E_POINTER;
        ::VariantInit(end);
        const AccessibleSource* source = Source();
        if (!source) return RPC_E_DISCONNECTED;
        const long count = source->Elements();
        const long from = Child(start, *source);
        if (from < 0) return E_INVALIDARG;
        if (count == 0 || (from == 0 && dir != NAVDIR_FIRSTCHILD && dir != NAVDIR_LASTCHILD))
            return m_Std ? m_Std->accNavigate(dir, start, end) : S_FALSE;
        long to = 0;
        switch (dir) {
            case NAVDIR_FIRSTCHILD: to = from == 0 ? 1 : 0; break;
            case NAVDIR_LASTCHILD: to = from == 0 ? count : 0; break;
            case NAVDIR_NEXT: to = from < count ? from + 1 : 0; break;
            case NAVDIR_PREVIOUS: to = from > 1 ? from - 1 : 0; break;
            default: break;
        }
        if (to == 0) return S_FALSE;
        SetI4(end, to);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* hit) override {
        if (!hit) return E_POINTER;
        ::VariantInit(hit);
        const AccessibleSource* source = Source();
        if (!source) return RPC_E_DISCONNECTED;
        if (source->Elements() > 0) {
            POINT pt{x, y};
            RECT rc;
            ::GetClientRect(m_Wnd, &rc);
            ::MapWindowPoints(m_Wnd, nullptr, reinterpret_cast<POINT*>(&rc), 2);
            if (!::PtInRect(&rc, pt)) return S_FALSE;
            SetI4(hit, source->ElementAt(pt));
            return S_OK;
        }
        return m_Std ? m_Std->accHitTest(x, y, hit) : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        AccessibleSource* source = Source();
        if (!source) return RPC_E_DISCONNECTED;
        const long c = Child(child, *source);
        if (c < 0) return E_INVALIDARG;
        return source->DoDefaultAction(c) ? S_OK : DISP_E_MEMBERNOTFOUND;
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

private:
    ~WindowAccessible() = default;

    bool Alive() const { return ::IsWindow(m_Wnd) && Source(); }
    AccessibleSource* Source() const { return dynamic_cast<AccessibleSource*>(CWnd::FromHandle(m_Wnd)); }
    // The child a VARIANT names: 0 for the window, 1..Elements(); -1 for none.
    static long Child(const VARIANT& child, const AccessibleSource& source) {
        if (child.vt != VT_I4) return -1;
        return child.lVal >= 0 && child.lVal <= source.Elements() ? child.lVal : -1;
    }
    template <class Pick>
    HRESULT AnswerNumber(const VARIANT& child, VARIANT* out, Pick pick) const {
        if (!out) return E_POINTER;
        const AccessibleSource* source = Source();
        if (!source) return RPC_E_DISCONNECTED;
        const long c = Child(child, *source);
        if (c < 0) return E_INVALIDARG;
        SetI4(out, pick(source->Describe(c)));
        return S_OK;
    }
    template <class Pick>
    HRESULT Answer(const VARIANT& child, BSTR* out, Pick pick) const {
        if (!out) return E_POINTER;
        *out = nullptr;
        const AccessibleSource* source = Source();
        if (!source) return RPC_E_DISCONNECTED;
        const long c = Child(child, *source);
        if (c < 0) return E_INVALIDARG;
        *out = pick(source->Describe(c));
        return *out ? S_OK : S_FALSE;
    }

    HWND m_Wnd;
    ComPtr<IAccessible> m_Std;
    std::atomic<ULONG> m_Refs{1};
};

}  // namespace

LRESULT AnswerGetObject(HWND wnd, WPARAM flags, LPARAM objectId) {
    if (static_cast<LONG>(objectId) != OBJID_CLIENT) return 0;
    if (!dynamic_cast<AccessibleSource*>(CWnd::FromHandle(wnd))) return 0;
    // Handing the object over marshals it, which needs COM on this thread.
    if (!Sessions().NeedOle()) return 0;
    WindowAccessible* object = new WindowAccessible(wnd);
    const LRESULT result = ::LresultFromObject(__uuidof(IAccessible), flags, object);
    object->Release();
    return result > 0 ? result : 0;
}

long WindowState(HWND wnd) {
    long state = 0;
    const LONG_PTR style = ::GetWindowLongPtrW(wnd, GWL_STYLE);
    if (!::IsWindowVisible(wnd)) state |= STATE_SYSTEM_INVISIBLE;
    if (!::IsWindowEnabled(wnd))
        state |= STATE_SYSTEM_UNAVAILABLE;
    else if (style & WS_TABSTOP)
        state |= STATE_SYSTEM_FOCUSABLE;
    if (::GetFocus() == wnd) state |= STATE_SYSTEM_FOCUSED | STATE_SYSTEM_FOCUSABLE;
    return state;
}

AccessibleFacts ListFacts(HWND wnd, std::wstring name) {
    AccessibleFacts facts;
    facts.name = std::move(name);
    facts.role = ROLE_SYSTEM_LIST;
    facts.state = WindowState(wnd);
    return facts;
}

AccessibleFacts ListItemFacts(std::wstring name, bool selected, bool focused) {
    AccessibleFacts facts;
    facts.name = std::move(name);
    facts.role = ROLE_SYSTEM_LISTITEM;
    facts.state = STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE;
    if (selected) facts.state |= STATE_SYSTEM_SELECTED;
    if (focused) facts.state |= STATE_SYSTEM_FOCUSED;
    return facts;
}

void RaiseAccessibleEvent(HWND wnd, DWORD event, long child) {
    if (wnd) ::NotifyWinEvent(event, wnd, OBJID_CLIENT, child);
}

}  // namespace zavo
