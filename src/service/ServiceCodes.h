// The window-message protocol between the tool and the device service: window
// titles, message numbers, and the command and notification codes.
#pragma once

namespace zavo::svc {

// Window titles, found with FindWindowW (no class name).
inline constexpr wchar_t SERVICE_WINDOW_TITLE[] = L"VARNOSHid";
inline constexpr wchar_t MAIN_WINDOW_TITLE[] = L"VARNOS";
inline constexpr wchar_t LIGHT_WINDOW_TITLE[] = L"ZVLight";
inline constexpr wchar_t LOADING_WINDOW_TITLE[] = L"DLGLoading";

// Messages.
constexpr unsigned WM_SERVICE_NOTIFY = 2025;   // WM_USER + 1001, service to main window
constexpr unsigned WM_SERVICE_COMMAND = 2026;  // WM_USER + 1002, both directions
constexpr unsigned WM_LIGHT_SYNC = 6590;       // service to "ZVLight"
constexpr unsigned WM_LIGHT_RELOAD = 11149;    // service to "ZVLight"
constexpr unsigned WM_LIGHT_CHANGED = 291;     // lighting dialog to main window (posted)
constexpr unsigned WM_MACRO_KEY = 1034;        // keyboard hook to the recording window

// Commands, tool to service (wParam of WM_SERVICE_COMMAND).
constexpr unsigned SVC_FILES_CHANGED = 0;       // posted; lParam 0 or the profile
constexpr unsigned SVC_APPLY_PROFILE = 1;       // posted; lParam profile 0..4
constexpr unsigned SVC_SELECT_PROFILE = 3;      // posted; lParam profile 0..4
constexpr unsigned SVC_APPLY_LIGHT = 5;         // sent, 100 ms after a posted code 0
constexpr unsigned SVC_SET_MODE = 6;            // sent; lParam Mode
constexpr unsigned SVC_LIGHT_WINDOW_OPEN = 32;  // posted
constexpr unsigned SVC_TOOL_EXIT = 33;          // posted

// Requests, service to the main window (wParam of a posted WM_SERVICE_COMMAND).
constexpr unsigned SVC_REQUEST_SAVE = 18;
constexpr unsigned SVC_REQUEST_EXIT = 170;

// Notifications, service to the main window (lParam of WM_SERVICE_NOTIFY).
constexpr long NOTIFY_RELOAD_ALL = 1025;     // WM_USER + 1
constexpr long NOTIFY_RELOAD_CONFIG = 1026;  // WM_USER + 2
constexpr long NOTIFY_MODE_1 = 11147;
constexpr long NOTIFY_MODE_0 = 11148;
constexpr long NOTIFY_LIGHT = 11149;

// The pause between a posted SVC_FILES_CHANGED and the sent SVC_APPLY_LIGHT.
constexpr unsigned LIGHT_APPLY_PAUSE_MS = 100;

}  // namespace zavo::svc
