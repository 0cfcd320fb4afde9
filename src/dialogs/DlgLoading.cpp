#include "dialogs/DlgLoading.h"

#include "framework/PlatformSessions.h"
#include "service/ServiceCodes.h"
#include "skin/ImageEx.h"
#include "skin/SkinWindows.h"

namespace zavo {

CDlgLoading::CDlgLoading(const ServiceLink& service) : CDialog(IDD), m_Service(service) {}
CDlgLoading::~CDlgLoading() = default;

BOOL CDlgLoading::OnInitDialog() {
    CDialog::OnInitDialog();
    SetWindowText(svc::LOADING_WINDOW_TITLE);
    m_hService = nullptr;

    // GDI+ draws nothing else: it starts with the first apply of the run.
    if (Sessions().NeedGdiplus()) {
        // The animation drawn for the window's display scale, at its own size.
        m_Image = std::make_unique<ImageEx>(DisplayScale(::GetDpiForWindow(m_hWnd)));
        MoveWindow(0, 0, static_cast<int>(m_Image->GetWidth()), static_cast<int>(m_Image->GetHeight()), TRUE);
        CenterWindow();
        m_Image->SetTarget(m_hWnd, POINT{0, 0});
        m_Image->StartAnimation();
    } else {
        CenterWindow();
    }

    // The dialog's button-face background disappears: only the animation shows.
    ::SetWindowLongW(m_hWnd, GWL_EXSTYLE, static_cast<LONG>(GetExStyle() | WS_EX_LAYERED));
    ::SetLayeredWindowAttributes(m_hWnd, ::GetSysColor(COLOR_BTNFACE), 0, LWA_COLORKEY);

    SetTimer(TIMER_START, START_DELAY_MS);
    return TRUE;
}

void CDlgLoading::AskServiceToApply() {
    m_hService = ServiceLink::Window();
    if (!m_hService) {
        EndDialog(-1);
        return;
    }
    ServiceLink::PostTo(m_hService, svc::SVC_FILES_CHANGED, m_Profile);
    ServiceLink::PostTo(m_hService, svc::SVC_APPLY_PROFILE, m_Profile);
    SetTimer(TIMER_WATCH, WATCH_PERIOD_MS);
}

void CDlgLoading::OnTimer(UINT_PTR id) {
    if (id == TIMER_START) {
        KillTimer(TIMER_START);
        AskServiceToApply();
    } else if (id == TIMER_WATCH) {
        // The service that was asked is gone: no answer can come any more.
        if (!m_hService || !::IsWindow(m_hService)) {
            KillTimer(TIMER_WATCH);
            EndDialog(-1);
        }
    }
    CDialog::OnTimer(id);
}

BOOL CDlgLoading::PreTranslateMessage(MSG* msg) {
    // Neither Enter nor Esc closes the dialog.
    if (IsEnterOrEscKey(msg)) return FALSE;
    if (msg->message == svc::WM_SERVICE_COMMAND && msg->hwnd == m_hWnd) {
        m_Service.Post(svc::SVC_SELECT_PROFILE, m_Profile);
        KillTimer(TIMER_START);
        KillTimer(TIMER_WATCH);
        EndDialog(-1);
    }
    return CDialog::PreTranslateMessage(msg);
}

void CDlgLoading::OnDestroy() {
    KillTimer(TIMER_START);
    KillTimer(TIMER_WATCH);
    // Stops and joins the animation thread before the window goes away.
    m_Image.reset();
    m_hService = nullptr;
    CDialog::OnDestroy();
}

}  // namespace zavo
