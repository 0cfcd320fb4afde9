// ServiceLink: the tool's side of the device service protocol. It looks up the
// service window "VARNOSHid" before every command and posts or sends it
// WM_SERVICE_COMMAND with a code; when the service is not running the command is
// skipped and the caller goes on.
//
// Sends never block for ever: a service that stops answering is given a bounded
// time (SendMessageTimeoutW with SMTO_ABORTIFHUNG), after which the tool carries
// on as if the command had been handled.
#pragma once
#include <windows.h>

#include <cstdint>

namespace zavo {

enum class SendResult {
    NoService,  // no window "VARNOSHid": nothing was sent
    Handled,    // the service handled the message
    TimedOut,   // the service did not answer in time (or is hung); the tool went on
};

class ServiceLink {
public:
    static constexpr unsigned DEFAULT_SEND_TIMEOUT_MS = 5000;
    // How the lighting unit pauses; the platform's Sleep unless a test watches it.
    using PauseFn = void (*)(unsigned ms);

    explicit ServiceLink(unsigned sendTimeoutMs = DEFAULT_SEND_TIMEOUT_MS, PauseFn pause = nullptr)
        : m_nSendTimeoutMs(sendTimeoutMs), m_pause(pause) {}

    // True when the service window exists right now.
    static bool IsRunning();
    // The service window right now (null when the service is not running), for a
    // caller that must notice when that same window goes away.
    static HWND Window();
    // Posts WM_SERVICE_COMMAND(code, lParam) to `service`. False when it is null
    // or the post failed.
    static bool PostTo(HWND service, unsigned code, std::intptr_t lParam);

    // Posts WM_SERVICE_COMMAND(code, lParam). False when there is no service.
    bool Post(unsigned code, std::intptr_t lParam) const;

    // Sends WM_SERVICE_COMMAND(code, lParam) and waits until the service has
    // handled it, at most the send timeout.
    SendResult Send(unsigned code, std::intptr_t lParam) const;

    // The lighting unit: post SVC_FILES_CHANGED (lParam 0), pause 100 ms, then
    // send SVC_APPLY_LIGHT with `lightParam`. With no service neither is issued
    // and there is no pause.
    SendResult FilesChangedThenApplyLight(std::intptr_t lightParam) const;

    unsigned SendTimeoutMs() const { return m_nSendTimeoutMs; }

private:
    unsigned m_nSendTimeoutMs;
    PauseFn m_pause;
};

}  // namespace zavo
