// The busy indicator of every apply. One second after it opens it asks the
// device service to reload the settings files and apply a profile; it closes
// when the service answers, at once when there is no service, and when the
// service window goes away while it waits (a service that quits or crashes
// must not leave the tool stuck behind this window).
#pragma once
#include <memory>

#include "framework/Dialog.h"
#include "service/ServiceLink.h"

namespace zavo {

class ImageEx;

class CDlgLoading : public CDialog {
public:
    static constexpr UINT IDD = 141;
    static constexpr UINT_PTR TIMER_START = 10001;
    static constexpr UINT START_DELAY_MS = 1000;
    // While waiting for the answer, how often the service window is looked for.
    static constexpr UINT_PTR TIMER_WATCH = 10002;
    static constexpr UINT WATCH_PERIOD_MS = 250;

    // The one loading dialog of a run is made by the main window and reused for
    // every apply; `service` is the main window's link to the device service.
    explicit CDlgLoading(const ServiceLink& service);
    ~CDlgLoading() override;

    // The profile sent to the service; the caller sets it before every showing.
    int m_Profile = 0;

    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* msg) override;
    void OnTimer(UINT_PTR id) override;
    void OnDestroy() override;

private:
    void AskServiceToApply();
    const ServiceLink& m_Service;
    std::unique_ptr<ImageEx> m_Image;
    HWND m_hService = nullptr;  // the service window the requests went to
};

}  // namespace zavo
