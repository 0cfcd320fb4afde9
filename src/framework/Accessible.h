// What a window tells assistive technology (screen readers, magnifiers, voice
// control), through Microsoft Active Accessibility.
//
// MSAA rather than UI Automation: every reader in use speaks it, Windows turns
// it into UI Automation for the clients that want that, and Wine carries it
// (oleacc) where its UI Automation core is still partial, so what is built here
// is tested where the program is tested. A skinned control is a picture to the
// system: its window answers WM_GETOBJECT with an IAccessible whose name, role
// and state come from the control (AccessibleSource); where it sits, its parent
// and its neighbours come from the system's own description of the window.
// Parts of a window that are no windows (the keys of the on-screen keyboard)
// are its elements: children 1..n of its object, each with its own name, role,
// state and rectangle.
#pragma once
#include <windows.h>
#include <oleacc.h>

#include <string>

namespace zavo {

// Name, role (ROLE_SYSTEM_*) and state (STATE_SYSTEM_* bits) of one object.
struct AccessibleFacts {
    std::wstring name;
    long role = ROLE_SYSTEM_PUSHBUTTON;
    long state = 0;
    // Its value: the text of an edit box; empty for none.
    std::wstring value;
    // What its default action is called ("Press"); empty: it has none.
    std::wstring action;
};

// A window object that describes itself. Child 0 is the window; 1..Elements()
// are its elements without windows.
class AccessibleSource {
public:
    virtual ~AccessibleSource() = default;
    virtual AccessibleFacts Describe(long child) const = 0;
    virtual long Elements() const { return 0; }
    // Screen rectangle of element `child` (1..Elements()); false: none.
    virtual bool ElementRect(long /*child*/, RECT* /*screen*/) const { return false; }
    // The element that has the focus while the window has it (0: none).
    virtual long FocusedElement() const { return 0; }
    // The element at a screen point (0: none).
    virtual long ElementAt(POINT /*screen*/) const { return 0; }
    // Runs the default action of `child`; false when it has none.
    virtual bool DoDefaultAction(long /*child*/) { return false; }
};

// The answer to WM_GETOBJECT for `wnd`, whose bound object is an
// AccessibleSource: its own IAccessible for the client object, the system's
// answer (0) for any other object id. The object holds only the window handle
// and finds the source again at every question, so a reader that keeps it past
// the window's end gets "disconnected", never a dead object.
LRESULT AnswerGetObject(HWND wnd, WPARAM flags, LPARAM objectId);

// The state bits that follow from the window alone: unavailable, invisible,
// focusable (a Tab stop that is enabled) and focused.
long WindowState(HWND wnd);

// A list of elements, `wnd` itself, named `name`.
AccessibleFacts ListFacts(HWND wnd, std::wstring name);
// One of its items: selectable and focusable, selected and focused as given.
AccessibleFacts ListItemFacts(std::wstring name, bool selected, bool focused);

// Raises an event (EVENT_OBJECT_FOCUS, _STATECHANGE, _NAMECHANGE ...) for the
// client object of `wnd` or one of its elements.
void RaiseAccessibleEvent(HWND wnd, DWORD event, long child = CHILDID_SELF);

}  // namespace zavo
