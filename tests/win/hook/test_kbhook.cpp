// KBHook.dll as the recorder uses it: loaded by name, entry points by name, real
// key input through SendInput, reports arriving as message 1034.
#include <gtest/gtest.h>
#include <windows.h>

#include <utility>
#include <vector>

namespace {

constexpr UINT WM_MACRO_KEY = 1034;
std::vector<std::pair<WPARAM, LPARAM>> g_reports;

LRESULT CALLBACK ReportProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_MACRO_KEY) {
        g_reports.emplace_back(wParam, lParam);
        return 1;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

void PumpFor(DWORD ms) {
    const DWORD start = GetTickCount();
    MSG msg;
    while (GetTickCount() - start < ms) {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(5);
    }
}

void SendKey(WORD vk, bool up) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &in, sizeof in);
}

class KBHookTest : public ::testing::Test {
protected:
    void SetUp() override {
        module_ = LoadLibraryW(L"KBHook.dll");
        ASSERT_NE(module_, nullptr);
        install_ = reinterpret_cast<BOOL (*)(HWND)>(reinterpret_cast<void*>(GetProcAddress(module_, "installhook")));
        remove_ = reinterpret_cast<BOOL (*)()>(reinterpret_cast<void*>(GetProcAddress(module_, "removehook")));
        ASSERT_NE(install_, nullptr);
        ASSERT_NE(remove_, nullptr);
        WNDCLASSW wc{};
        wc.lpfnWndProc = ReportProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"KBHookTestWindow";
        RegisterClassW(&wc);
        hwnd_ = CreateWindowW(L"KBHookTestWindow", L"recorder", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                              wc.hInstance, nullptr);
        ASSERT_NE(hwnd_, nullptr);
        g_reports.clear();
    }
    void TearDown() override {
        if (remove_) remove_();
        if (hwnd_) DestroyWindow(hwnd_);
        if (module_) FreeLibrary(module_);
    }
    HMODULE module_ = nullptr;
    BOOL (*install_)(HWND) = nullptr;
    BOOL (*remove_)() = nullptr;
    HWND hwnd_ = nullptr;
};

TEST_F(KBHookTest, ReportsPressesAndReleasesInOrder) {
    ASSERT_TRUE(install_(hwnd_));
    SendKey('A', false);
    SendKey('A', true);
    SendKey(VK_LSHIFT, false);
    SendKey(VK_LSHIFT, true);
    PumpFor(300);
    const std::vector<std::pair<WPARAM, LPARAM>> expected = {{'A', 0}, {'A', 1}, {VK_LSHIFT, 0}, {VK_LSHIFT, 1}};
    EXPECT_EQ(g_reports, expected);
}

TEST_F(KBHookTest, RemoveStopsReportsAndIsHarmlessTwice) {
    ASSERT_TRUE(install_(hwnd_));
    EXPECT_TRUE(remove_());
    EXPECT_TRUE(remove_());
    SendKey('B', false);
    SendKey('B', true);
    PumpFor(200);
    EXPECT_TRUE(g_reports.empty());
}

TEST_F(KBHookTest, InstallingAgainMovesReportsToTheNewWindowOnly) {
    ASSERT_TRUE(install_(hwnd_));
    HWND second = CreateWindowW(L"KBHookTestWindow", L"second", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    ASSERT_TRUE(install_(second));
    SendKey('C', false);
    SendKey('C', true);
    PumpFor(300);
    // Both windows share the procedure; exactly one press and one release arrive.
    const std::vector<std::pair<WPARAM, LPARAM>> expected = {{'C', 0}, {'C', 1}};
    EXPECT_EQ(g_reports, expected);
    remove_();
    DestroyWindow(second);
}

}  // namespace
