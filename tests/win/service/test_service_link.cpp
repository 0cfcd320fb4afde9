// ServiceLink against a stand-in service: a window titled "VARNOSHid" running on
// its own thread (as the real service runs in its own process), which records
// every WM_SERVICE_COMMAND it gets and whether it was posted or sent.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

#include "service/ServiceCodes.h"
#include "service/ServiceLink.h"

using namespace zavo;
using Clock = std::chrono::steady_clock;

namespace {

struct Received {
    unsigned code;
    std::intptr_t lParam;
    bool sent;
    Clock::time_point at;
};

class FakeService {
public:
    // hangOnSend: a sent command blocks the service thread until Release().
    explicit FakeService(bool hangOnSend = false) : m_hang(hangOnSend) {
        m_thread = std::thread([this] { Run(); });
        std::unique_lock<std::mutex> lock(m_mutex);
        m_cv.wait(lock, [this] { return m_ready; });
    }
    ~FakeService() {
        Release();
        PostMessageW(m_hwnd, WM_CLOSE, 0, 0);
        m_thread.join();
    }
    void Release() { SetEvent(m_release); }

    std::vector<Received> Log() {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_log;
    }
    // Waits until `n` commands have arrived (posted ones need the thread to run).
    std::vector<Received> WaitFor(size_t n) {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_cv.wait_for(lock, std::chrono::seconds(5), [&] { return m_log.size() >= n; });
        return m_log;
    }

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
        auto* self = reinterpret_cast<FakeService*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (msg == svc::WM_SERVICE_COMMAND && self) {
            bool sent = InSendMessage() != FALSE;
            {
                std::lock_guard<std::mutex> lock(self->m_mutex);
                self->m_log.push_back({static_cast<unsigned>(wp), lp, sent, Clock::now()});
            }
            self->m_cv.notify_all();
            if (sent && self->m_hang) WaitForSingleObject(self->m_release, INFINITE);
            return 1;
        }
        if (msg == WM_CLOSE) {
            DestroyWindow(hwnd);
            return 0;
        }
        if (msg == WM_DESTROY) PostQuitMessage(0);
        return DefWindowProcW(hwnd, msg, wp, lp);
    }

    void Run() {
        WNDCLASSW wc{};
        wc.lpfnWndProc = Proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"ZavoFakeService";
        RegisterClassW(&wc);
        m_hwnd = CreateWindowW(wc.lpszClassName, svc::SERVICE_WINDOW_TITLE, WS_OVERLAPPED, 0, 0, 10, 10, nullptr,
                               nullptr, wc.hInstance, nullptr);
        SetWindowLongPtrW(m_hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_ready = true;
        }
        m_cv.notify_all();
        MSG msg;
        while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    }

    bool m_hang;
    HANDLE m_release = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HWND m_hwnd = nullptr;
    std::thread m_thread;
    std::mutex m_mutex;
    std::condition_variable m_cv;
    bool m_ready = false;
    std::vector<Received> m_log;
};

// The lighting unit's pauses, recorded as they are taken.
std::vector<unsigned> g_pauses;
void RecordPause(unsigned ms) {
    g_pauses.push_back(ms);
    Sleep(ms);
}

}  // namespace

TEST(ServiceLink, WithoutServiceEveryCommandIsSkippedAtOnce) {
    ASSERT_EQ(FindWindowW(nullptr, svc::SERVICE_WINDOW_TITLE), nullptr) << "a service window is already open";
    ServiceLink link;
    EXPECT_FALSE(ServiceLink::IsRunning());
    EXPECT_FALSE(link.Post(svc::SVC_SELECT_PROFILE, 2));
    EXPECT_EQ(link.Send(svc::SVC_SET_MODE, 1), SendResult::NoService);
    g_pauses.clear();
    ServiceLink watched(ServiceLink::DEFAULT_SEND_TIMEOUT_MS, RecordPause);
    EXPECT_EQ(watched.FilesChangedThenApplyLight(3), SendResult::NoService);
    // No service, no pause: the 100 ms wait belongs to the unit only.
    EXPECT_TRUE(g_pauses.empty());
}

TEST(ServiceLink, PostsAndSendsCommandsWithTheirParameters) {
    FakeService service;
    ServiceLink link;
    EXPECT_TRUE(ServiceLink::IsRunning());
    EXPECT_TRUE(link.Post(svc::SVC_SELECT_PROFILE, 4));
    EXPECT_EQ(link.Send(svc::SVC_SET_MODE, 1), SendResult::Handled);
    auto log = service.WaitFor(2);
    ASSERT_EQ(log.size(), 2u);
    // The send returns only once handled, so it is recorded; the post may come
    // before or after it.
    bool sawPost = false, sawSend = false;
    for (const auto& r : log) {
        if (r.code == svc::SVC_SELECT_PROFILE) {
            sawPost = true;
            EXPECT_EQ(r.lParam, 4);
            EXPECT_FALSE(r.sent);
        } else if (r.code == svc::SVC_SET_MODE) {
            sawSend = true;
            EXPECT_EQ(r.lParam, 1);
            EXPECT_TRUE(r.sent);
        }
    }
    EXPECT_TRUE(sawPost);
    EXPECT_TRUE(sawSend);
}

TEST(ServiceLink, LightUnitPostsZeroPausesThenSendsFive) {
    FakeService service;
    g_pauses.clear();
    ServiceLink link(ServiceLink::DEFAULT_SEND_TIMEOUT_MS, RecordPause);
    EXPECT_EQ(link.FilesChangedThenApplyLight(2), SendResult::Handled);
    EXPECT_EQ(g_pauses, std::vector<unsigned>{svc::LIGHT_APPLY_PAUSE_MS});
    auto log = service.Log();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].code, svc::SVC_FILES_CHANGED);
    EXPECT_EQ(log[0].lParam, 0);
    EXPECT_FALSE(log[0].sent);
    EXPECT_EQ(log[1].code, svc::SVC_APPLY_LIGHT);
    EXPECT_EQ(log[1].lParam, 2);
    EXPECT_TRUE(log[1].sent);
}

TEST(ServiceLink, HungServiceDoesNotFreezeTheCaller) {
    FakeService service(/*hangOnSend=*/true);
    ServiceLink link(300);
    EXPECT_EQ(link.Send(svc::SVC_SET_MODE, 0), SendResult::TimedOut);
    // The caller came back while the service was still stuck in its handler
    // (it stays there until released below).
    EXPECT_EQ(service.Log().size(), 1u);
    // Posting still works: it never waits.
    EXPECT_TRUE(link.Post(svc::SVC_TOOL_EXIT, 0));
    service.Release();
    EXPECT_EQ(service.WaitFor(2).size(), 2u);
}
