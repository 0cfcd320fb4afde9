#include "SimState.h"

#include <windows.h>

#include <cstdio>

#include "service/ServiceCodes.h"

namespace devicesim {

const wchar_t* CommandName(unsigned code) {
    namespace svc = zavo::svc;
    switch (code) {
        case svc::SVC_FILES_CHANGED:
            return L"SVC_FILES_CHANGED";
        case svc::SVC_APPLY_PROFILE:
            return L"SVC_APPLY_PROFILE";
        case svc::SVC_SELECT_PROFILE:
            return L"SVC_SELECT_PROFILE";
        case svc::SVC_APPLY_LIGHT:
            return L"SVC_APPLY_LIGHT";
        case svc::SVC_SET_MODE:
            return L"SVC_SET_MODE";
        case svc::SVC_LIGHT_WINDOW_OPEN:
            return L"SVC_LIGHT_WINDOW_OPEN";
        case svc::SVC_TOOL_EXIT:
            return L"SVC_TOOL_EXIT";
        default:
            return L"";
    }
}

std::wstring ClockNow() {
    SYSTEMTIME t;
    GetLocalTime(&t);
    wchar_t text[16];
    std::swprintf(text, 16, L"%02u:%02u:%02u", t.wHour, t.wMinute, t.wSecond);
    return text;
}

}  // namespace devicesim
