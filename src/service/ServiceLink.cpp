#include "service/ServiceLink.h"

#include "service/ServiceCodes.h"

namespace zavo {

HWND ServiceLink::Window() { return FindWindowW(nullptr, svc::SERVICE_WINDOW_TITLE); }

bool ServiceLink::IsRunning() { return Window() != nullptr; }

bool ServiceLink::PostTo(HWND service, unsigned code, std::intptr_t lParam) {
    if (!service) return false;
    return PostMessageW(service, svc::WM_SERVICE_COMMAND, code, static_cast<LPARAM>(lParam)) != FALSE;
}

bool ServiceLink::Post(unsigned code, std::intptr_t lParam) const { return PostTo(Window(), code, lParam); }

SendResult ServiceLink::Send(unsigned code, std::intptr_t lParam) const {
    HWND service = Window();
    if (!service) return SendResult::NoService;
    DWORD_PTR ignored = 0;
    // SMTO_ABORTIFHUNG returns at once when the service's thread has not looked
    // at its queue for a while; the timeout bounds the wait for a busy one.
    LRESULT ok = SendMessageTimeoutW(service, svc::WM_SERVICE_COMMAND, code, static_cast<LPARAM>(lParam),
                                     SMTO_ABORTIFHUNG, m_nSendTimeoutMs, &ignored);
    if (ok) return SendResult::Handled;
    // The window may have gone between the lookup and the send: that is the same
    // as no service at all.
    return IsWindow(service) ? SendResult::TimedOut : SendResult::NoService;
}

SendResult ServiceLink::FilesChangedThenApplyLight(std::intptr_t lightParam) const {
    if (!Post(svc::SVC_FILES_CHANGED, 0)) return SendResult::NoService;
    if (m_pause)
        m_pause(svc::LIGHT_APPLY_PAUSE_MS);
    else
        Sleep(svc::LIGHT_APPLY_PAUSE_MS);
    return Send(svc::SVC_APPLY_LIGHT, lightParam);
}

}  // namespace zavo
