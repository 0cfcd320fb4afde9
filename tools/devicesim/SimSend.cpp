#include "SimSend.h"

#include "SimWindow.h"

namespace devicesim {

int DeliverToRunningSimulator(const Request& request, std::wstring& message) {
    HWND sim = FindWindowW(SIM_WINDOW_CLASS, nullptr);
    if (!sim) {
        message = L"no device simulator is running";
        return SEND_NO_SIMULATOR;
    }
    RequestWire wire{static_cast<std::uint32_t>(request.target), request.message, request.wParam, request.lParam,
                     request.count};
    COPYDATASTRUCT data{REQUEST_TAG, sizeof wire, &wire};
    DWORD_PTR answer = 0;
    // A simulator run with --hang may be stuck in a command; do not wait for ever.
    // A flood takes longer to post: a millisecond more for each message.
    const UINT timeoutMs = 5000 + request.count;
    if (!SendMessageTimeoutW(sim, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG, timeoutMs,
                             &answer)) {
        message = L"the device simulator does not answer";
        return SEND_NO_SIMULATOR;
    }
    if (answer == static_cast<DWORD_PTR>(REQUEST_DELIVERED)) return SEND_DELIVERED;
    message = std::wstring(L"no window \"") + TargetTitle(request.target) + L"\" to deliver to";
    return SEND_NO_TARGET;
}

}  // namespace devicesim
