// The loading dialog's close: a stand-in service window of this process takes
// the apply, and the answer is posted 200 ms after the dialog asks; measured is the time from the
// answer to DoModal's return (the dialog gone, its animation thread joined).
// Beside it, the floor: a bare dialog shown and activated the same way, then
// hidden and destroyed, timed call by call. Under Wine with its default of
// windows managed by a window manager, on an X server without one (Xvfb),
// both take about 2 s: Wine waits for a manager to withdraw the window. With a
// manager running, or with the unmanaged windows tools/wine-run.sh sets up,
// both take a few milliseconds.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "Harness.h"
#include "win/Later.h"
#include "dialogs/DlgLoading.h"
#include "service/ServiceCodes.h"

using namespace zavo;

namespace {

constexpr int kRounds = 3;

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

void LoadingDialog() {
    static const ServiceLink link;
    CDlgLoading loading(link);
    std::vector<double> closed;
    for (int r = 0; r < kRounds; ++r) {
        e2e::RecordingWindow service(svc::SERVICE_WINDOW_TITLE);
        double answeredAt = 0;
        // The dialog asks after its first second; the answer comes 200 ms later.
        Later answer(CDlgLoading::START_DELAY_MS + 200, [&] {
            answeredAt = e2e::NowMs();
            PostMessageW(FindWindowW(nullptr, svc::LOADING_WINDOW_TITLE), svc::WM_SERVICE_COMMAND, 0, 0);
        });
        loading.m_Profile = 1;
        loading.DoModal();
        closed.push_back(e2e::NowMs() - answeredAt);
    }
    std::printf("loading dialog: answer -> DoModal returns  %8.1f ms (median of %d)\n", Median(closed), kRounds);
}

INT_PTR CALLBACK BareProc(HWND, UINT msg, WPARAM, LPARAM) { return msg == WM_INITDIALOG; }

// A bare popup dialog from an in-memory template, shown and activated.
HWND ShowBareDialog() {
    struct {
        DLGTEMPLATE t;
        WORD menu, cls, title;
    } tpl{};
    tpl.t.style = WS_POPUP | WS_VISIBLE;
    tpl.t.cx = 80;
    tpl.t.cy = 40;
    HWND dialog = CreateDialogIndirectW(GetModuleHandleW(nullptr), &tpl.t, nullptr, BareProc);
    SetForegroundWindow(dialog);
    e2e::Pump();
    return dialog;
}

void Floor() {
    std::vector<double> hide, destroy;
    for (int r = 0; r < kRounds; ++r) {
        HWND dialog = ShowBareDialog();
        double t = e2e::NowMs();
        ShowWindow(dialog, SW_HIDE);
        hide.push_back(e2e::NowMs() - t);
        DestroyWindow(dialog);

        dialog = ShowBareDialog();
        t = e2e::NowMs();
        DestroyWindow(dialog);
        destroy.push_back(e2e::NowMs() - t);
    }
    std::printf("floor: ShowWindow(SW_HIDE) of a shown dialog   %8.1f ms\n", Median(hide));
    std::printf("floor: DestroyWindow of a shown dialog         %8.1f ms\n", Median(destroy));
}

}  // namespace

int wmain() {
    LoadingDialog();
    Floor();
    return 0;
}
