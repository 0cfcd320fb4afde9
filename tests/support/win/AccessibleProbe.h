// What a screen reader reads of a window: its client object fetched the way a
// reader fetches it (WM_GETOBJECT through oleacc), and the name, role, state
// and screen rectangle of the object or one of its elements.
#pragma once
#include <windows.h>
#include <oleacc.h>

#include <string>

namespace testsupport {

struct AccessibleRead {
    bool ok = false;  // the window answered and every question succeeded
    std::wstring name;
    long role = 0;
    long state = 0;
    RECT rect{};  // screen pixels
};

// The client object of `wnd` as a reader gets it (null when it has none).
// Needs COM on the calling thread.
inline IAccessible* FetchAccessible(HWND wnd) {
    IAccessible* object = nullptr;
    if (FAILED(::AccessibleObjectFromWindow(wnd, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                            reinterpret_cast<void**>(&object))))
        return nullptr;
    return object;
}

inline AccessibleRead ReadAccessible(IAccessible* object, long child = CHILDID_SELF) {
    AccessibleRead read;
    if (!object) return read;
    VARIANT id;
    ::VariantInit(&id);
    id.vt = VT_I4;
    id.lVal = child;
    BSTR name = nullptr;
    VARIANT role, state;
    ::VariantInit(&role);
    ::VariantInit(&state);
    long x = 0, y = 0, w = 0, h = 0;
    const bool named = SUCCEEDED(object->get_accName(id, &name));
    read.ok = named && SUCCEEDED(object->get_accRole(id, &role)) && role.vt == VT_I4 &&
              SUCCEEDED(object->get_accState(id, &state)) && state.vt == VT_I4 &&
              object->accLocation(&x, &y, &w, &h, id) == S_OK;
    if (name) read.name.assign(name, ::SysStringLen(name));
    ::SysFreeString(name);
    read.role = role.lVal;
    read.state = state.lVal;
    read.rect = RECT{x, y, x + w, y + h};
    return read;
}

inline AccessibleRead ReadAccessible(HWND wnd, long child = CHILDID_SELF) {
    IAccessible* object = FetchAccessible(wnd);
    AccessibleRead read = ReadAccessible(object, child);
    if (object) object->Release();
    return read;
}

}  // namespace testsupport
