// The application object: InitInstance, then its own loop or not, then
// ExitInstance, whose result is the exit code.
#include <gtest/gtest.h>

#include "Recorder.h"
#include "TestIds.h"
#include "framework/WinApp.h"

namespace zavo::test {
namespace {

// Runs like the tool: the main window is a modal dialog inside InitInstance.
struct DialogApp : CWinApp {
    int exitCalls = 0;
    BOOL InitInstance() override {
        ScriptedDialog main("main", IDD_TEST_PLAIN);
        m_pMainWnd = &main;
        main.onInit = [](ScriptedDialog&) { AfxPostQuitMessage(0); };
        Log().push_back("DoModal " + std::to_string(main.DoModal()));
        m_pMainWnd = nullptr;
        return FALSE;
    }
    int ExitInstance() override {
        ++exitCalls;
        return 42;
    }
};

TEST(WinApp, ModalMainWindowEndsByQuitThenExitInstanceRunsOnce) {
    Log().clear();
    DialogApp app;
    EXPECT_EQ(AfxGetApp(), &app);
    EXPECT_EQ(AfxWinMain(::GetModuleHandleW(nullptr), nullptr, nullptr, SW_SHOW), 42);
    EXPECT_EQ(app.exitCalls, 1);
    ASSERT_EQ(Log().size(), 4u);
    EXPECT_EQ(Log().back(), "DoModal -1");
    MSG quit;
    EXPECT_TRUE(::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "re-posted for outer loops";
}

TEST(WinApp, OwnLoopRunsUntilQuitAndReturnsItsCode) {
    struct LoopApp : CWinApp {
        BOOL InitInstance() override {
            ::PostQuitMessage(5);
            return TRUE;
        }
    } app;
    EXPECT_EQ(AfxWinMain(::GetModuleHandleW(nullptr), nullptr, nullptr, SW_SHOW), 5);
}

}  // namespace
}  // namespace zavo::test
