#include "Harness.h"

namespace zavo::e2e {

namespace {

struct FindData {
    const std::wstring* title;
    DWORD pid;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND hwnd, LPARAM param) {
    auto* data = reinterpret_cast<FindData*>(param);
    if (WindowText(hwnd) != *data->title) return TRUE;
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (data->pid && pid != data->pid) return TRUE;
    data->found = hwnd;
    return FALSE;
}

}  // namespace

std::wstring WindowText(HWND window) {
    wchar_t text[512] = {};
    // InternalGetWindowText never sends a message, so a hung window cannot block us.
    int n = InternalGetWindowText(window, text, 512);
    return std::wstring(text, n > 0 ? n : 0);
}

double NowMs() {
    static const LARGE_INTEGER freq = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return 1000.0 * static_cast<double>(t.QuadPart) / static_cast<double>(freq.QuadPart);
}

std::wstring ChildTexts(HWND window) {
    std::wstring texts;
    EnumChildWindows(
        window,
        [](HWND child, LPARAM lp) -> BOOL {
            *reinterpret_cast<std::wstring*>(lp) += WindowText(child) + L"\n";
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&texts));
    return texts;
}

HWND FindTopWindow(const std::wstring& title, DWORD pid) {
    FindData data{&title, pid, nullptr};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&data));
    return data.found;
}

HWND WaitForWindow(const std::wstring& title, Ms timeout, DWORD pid) {
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindTopWindow(title, pid)) != nullptr; }, timeout);
    return found;
}

bool WaitForWindowGone(const std::wstring& title, Ms timeout, DWORD pid) {
    return WaitUntil([&] { return FindTopWindow(title, pid) == nullptr; }, timeout);
}

bool PostTo(const std::wstring& title, UINT msg, WPARAM wParam, LPARAM lParam) {
    HWND target = FindTopWindow(title);
    return target && PostMessageW(target, msg, wParam, lParam);
}

std::optional<LRESULT> SendTo(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, Ms timeout) {
    if (!window) return std::nullopt;
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(window, msg, wParam, lParam, SMTO_ABORTIFHUNG, static_cast<UINT>(timeout.count()),
                             &result)) {
        return std::nullopt;
    }
    return static_cast<LRESULT>(result);
}

std::optional<LRESULT> SendTo(const std::wstring& title, UINT msg, WPARAM wParam, LPARAM lParam, Ms timeout) {
    return SendTo(FindTopWindow(title), msg, wParam, lParam, timeout);
}

RecordingWindow::RecordingWindow(const std::wstring& title) {
    static const wchar_t* CLASS_NAME = L"ZavoE2eRecordingWindow";
    WNDCLASSW wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = CLASS_NAME;
    RegisterClassW(&wc);  // fails harmlessly when already registered
    m_hWnd = CreateWindowW(CLASS_NAME, title.c_str(), WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, wc.hInstance, nullptr);
    SetWindowLongPtrW(m_hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

RecordingWindow::~RecordingWindow() {
    if (m_hWnd) {
        SetWindowLongPtrW(m_hWnd, GWLP_USERDATA, 0);
        DestroyWindow(m_hWnd);
    }
}

LRESULT CALLBACK RecordingWindow::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<RecordingWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self && msg >= WM_USER) {
        self->m_received.push_back({msg, wParam, lParam, InSendMessage() != FALSE});
        return 1;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

std::optional<RecordingWindow::Message> RecordingWindow::WaitFor(UINT msg, Ms timeout) {
    std::optional<Message> found;
    WaitUntil(
        [&] {
            for (const auto& m : m_received) {
                if (m.msg == msg) {
                    found = m;
                    return true;
                }
            }
            return false;
        },
        timeout);
    return found;
}

}  // namespace zavo::e2e
