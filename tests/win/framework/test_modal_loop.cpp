// The modal loop: who sees a message before it is dispatched, which keys end a
// dialog, and how nested loops and WM_QUIT end.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "Recorder.h"
#include "TestIds.h"
#include "framework/WinApp.h"

namespace zavo::test {
namespace {

using ::testing::ElementsAre;

// A window that records the pings it gets and, as the main window, the pings
// offered to its PreTranslateMessage (naming the target window).
class PingWindow : public CDialog {
public:
    explicit PingWindow(std::string name) : CDialog(IDD_TEST_PLAIN), m_name(std::move(name)) {}
    HWND other = nullptr;

    BOOL PreTranslateMessage(MSG* msg) override {
        if (msg->message == WM_TEST_PING) {
            const char* target = msg->hwnd == m_hWnd ? "self" : msg->hwnd == other ? "other" : "?";
            Log().push_back(m_name + ":pre(" + target + ")");
        }
        return CDialog::PreTranslateMessage(msg);
    }
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override {
        if (msg == WM_TEST_PING) {
            Log().push_back(m_name + ":ping");
            return 0;
        }
        return CDialog::WindowProc(msg, wp, lp);
    }

private:
    std::string m_name;
};

class ModalLoop : public ::testing::Test {
protected:
    void SetUp() override { Log().clear(); }
    void TearDown() override {
        // Nothing a test posted may reach the next one.
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
    }
};

TEST_F(ModalLoop, MainWindowSeesMessagesPostedWhileADialogIsModal) {
    CWinApp app;
    PingWindow main("main");
    PingWindow other("other");
    ASSERT_TRUE(main.Create(IDD_TEST_PLAIN));
    // An unowned window outside the main window: it gets the last chance path.
    ASSERT_TRUE(other.Create(IDD_TEST_PLAIN));
    ::SetWindowLongPtrW(other, GWLP_HWNDPARENT, 0);
    main.other = other.m_hWnd;
    app.m_pMainWnd = &main;

    bool mainEnabledWhileModal = true;
    ScriptedDialog dlg("dlg", IDD_TEST_BUTTONS);
    dlg.onInit = [&](ScriptedDialog& d) {
        mainEnabledWhileModal = main.IsWindowEnabled();
        main.PostMessage(WM_TEST_PING);
        other.PostMessage(WM_TEST_PING);
        d.PostMessage(WM_TEST_STEP);
    };
    dlg.onStep = [](ScriptedDialog& d) { d.EndDialog(3); };

    EXPECT_EQ(dlg.DoModal(), 3);
    EXPECT_FALSE(mainEnabledWhileModal);
    EXPECT_TRUE(main.IsWindowEnabled());
    EXPECT_EQ(dlg.m_hWnd, nullptr);
    EXPECT_THAT(Log(), ElementsAre("dlg:create(bound)", "dlg:init", "main:pre(self)", "main:ping", "other:pre(self)",
                                   "main:pre(other)", "other:ping", "dlg:step", "dlg:destroy"));
    app.m_pMainWnd = nullptr;
}

// Keys are posted as the platform posts them: to the focused control.
struct KeyCase {
    bool swallowEnterEsc;
    WPARAM key;
    INT_PTR expected;
    const char* lastEvent;
};

class EnterEsc : public ModalLoop, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(EnterEsc, EndsTheDialogOnlyThroughDialogKeyProcessing) {
    const KeyCase& c = GetParam();
    ScriptedDialog dlg("dlg", IDD_TEST_BUTTONS);
    dlg.swallowEnterEsc = c.swallowEnterEsc;
    dlg.onInit = [&](ScriptedDialog& d) {
        HWND target = d.GetDlgItem(IDC_TEST_EDIT);
        ::PostMessageW(target, WM_KEYDOWN, c.key, 1);
        ::PostMessageW(target, WM_KEYUP, c.key, 0xC0000001);
        d.PostMessage(WM_TEST_STEP);
    };
    dlg.onStep = [](ScriptedDialog& d) { d.EndDialog(77); };

    EXPECT_EQ(dlg.DoModal(), c.expected);
    EXPECT_EQ(Log()[Log().size() - 2], c.lastEvent);
}

INSTANTIATE_TEST_SUITE_P(Keys, EnterEsc,
                         ::testing::Values(KeyCase{false, VK_RETURN, IDOK, "dlg:ok"},
                                           KeyCase{false, VK_ESCAPE, IDCANCEL, "dlg:cancel"},
                                           KeyCase{true, VK_RETURN, 77, "dlg:step"},
                                           KeyCase{true, VK_ESCAPE, 77, "dlg:step"}));

TEST_F(ModalLoop, NestedDialogsEndInnermostFirstAndGiveTheOwnerBack) {
    ScriptedDialog outer("outer", IDD_TEST_BUTTONS);
    ScriptedDialog inner("inner", IDD_TEST_PLAIN, &outer);
    outer.onInit = [](ScriptedDialog& d) { d.PostMessage(WM_TEST_STEP); };
    outer.onStep = [&](ScriptedDialog& d) {
        INT_PTR r = inner.DoModal();
        d.Record("inner returned " + std::to_string(r));
        d.Record(std::string("enabled ") + (d.IsWindowEnabled() ? "yes" : "no"));
        d.EndDialog(6);
    };
    inner.onInit = [&](ScriptedDialog& d) {
        d.Record(std::string("owner enabled ") + (outer.IsWindowEnabled() ? "yes" : "no"));
        d.Record(d.GetOwner() == outer.m_hWnd ? "owned by outer" : "other owner");
        d.PostMessage(WM_TEST_STEP);
    };
    inner.onStep = [](ScriptedDialog& d) { d.EndDialog(5); };

    EXPECT_EQ(outer.DoModal(), 6);
    EXPECT_THAT(Log(), ElementsAre("outer:create(bound)", "outer:init", "outer:step", "inner:create(bound)",
                                   "inner:init", "inner:owner enabled no", "inner:owned by outer", "inner:step",
                                   "inner:destroy", "outer:inner returned 5", "outer:enabled yes", "outer:destroy"));
}

TEST_F(ModalLoop, QuitEndsEveryLoopAndStaysQueued) {
    ScriptedDialog outer("outer", IDD_TEST_PLAIN);
    ScriptedDialog inner("inner", IDD_TEST_PLAIN, &outer);
    outer.onInit = [](ScriptedDialog& d) { d.PostMessage(WM_TEST_STEP); };
    outer.onStep = [&](ScriptedDialog& d) { d.Record("inner returned " + std::to_string(inner.DoModal())); };
    inner.onInit = [](ScriptedDialog& d) { ::PostQuitMessage(9); };

    EXPECT_EQ(outer.DoModal(), -1);
    EXPECT_THAT(Log(), ElementsAre("outer:create(bound)", "outer:init", "outer:step", "inner:create(bound)",
                                   "inner:init", "inner:destroy", "outer:inner returned -1", "outer:destroy"));
    MSG msg;
    ASSERT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 9u);
}

TEST_F(ModalLoop, DialogEndedDuringInitIsNeverShownAndReturnsItsResult) {
    struct ShowSpy : ScriptedDialog {
        using ScriptedDialog::ScriptedDialog;
        void OnShowWindow(BOOL show, UINT status) override {
            if (show) Record("show");
            ScriptedDialog::OnShowWindow(show, status);
        }
    } dlg("dlg", IDD_TEST_BUTTONS);
    dlg.onInit = [](ScriptedDialog& d) { d.EndDialog(IDCANCEL); };
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_THAT(Log(), ElementsAre("dlg:create(bound)", "dlg:init", "dlg:destroy"));
}

TEST_F(ModalLoop, MissingTemplateFailsWithoutDisablingTheOwner) {
    ScriptedDialog owner("owner", IDD_TEST_PLAIN);
    ASSERT_TRUE(owner.Create(IDD_TEST_PLAIN));
    ScriptedDialog dlg("dlg", 4242, &owner);
    EXPECT_EQ(dlg.DoModal(), -1);
    EXPECT_TRUE(owner.IsWindowEnabled());
    EXPECT_EQ(dlg.m_hWnd, nullptr);
}

TEST_F(ModalLoop, ModalDialogWithoutPositionIsCentredOverItsOwner) {
    ScriptedDialog owner("owner", IDD_TEST_PLAIN);
    ASSERT_TRUE(owner.Create(IDD_TEST_PLAIN));
    owner.MoveWindow(100, 120, 600, 400);
    owner.ShowWindow(SW_SHOWNA);
    ScriptedDialog dlg("dlg", IDD_TEST_BUTTONS, &owner);
    RECT rc{};
    dlg.onInit = [](ScriptedDialog& d) { d.PostMessage(WM_TEST_STEP); };
    dlg.onStep = [&](ScriptedDialog& d) {
        d.GetWindowRect(&rc);
        d.EndDialog(IDOK);
    };
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_NEAR((rc.left + rc.right) / 2, 400, 1);
    EXPECT_NEAR((rc.top + rc.bottom) / 2, 320, 1);
}

}  // namespace
}  // namespace zavo::test
