// Binding windows to objects, dispatch to the handlers, and reflection of
// owner-draw and colour requests to the control's own object.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "Recorder.h"
#include "TestIds.h"
#include "framework/Controls.h"
#include "framework/Gdi.h"

namespace zavo::test {
namespace {

using ::testing::ElementsAre;

class Binding : public ::testing::Test {
protected:
    void SetUp() override { Log().clear(); }
};

TEST_F(Binding, TemplateDialogIsBoundBeforeItsFirstMessage) {
    struct FirstMessage : CDialog {
        FirstMessage() : CDialog(IDD_TEST_PLAIN) {}
        bool sawNcCreate = false;
        LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override {
            if (msg == WM_NCCREATE) sawNcCreate = true;
            return CDialog::WindowProc(msg, wp, lp);
        }
        int OnCreate(CREATESTRUCTW* cs) override {
            Log().push_back("create");
            return CDialog::OnCreate(cs);
        }
        BOOL OnInitDialog() override {
            Log().push_back("init");
            return CDialog::OnInitDialog();
        }
    } dlg;
    ASSERT_TRUE(dlg.Create(IDD_TEST_PLAIN));
    EXPECT_TRUE(dlg.sawNcCreate);
    EXPECT_EQ(CWnd::FromHandle(dlg.m_hWnd), &dlg);
    EXPECT_THAT(Log(), ElementsAre("create", "init"));
    HWND hWnd = dlg.m_hWnd;
    dlg.DestroyWindow();
    EXPECT_EQ(dlg.m_hWnd, nullptr);
    EXPECT_EQ(CWnd::FromHandle(hWnd), nullptr);
}

TEST_F(Binding, CreationRefusedInOnCreateLeavesTheObjectUnbound) {
    struct Refuses : CWnd {
        int OnCreate(CREATESTRUCTW*) override { return -1; }
    } wnd;
    const wchar_t* cls = CWnd::RegisterWndClass(0);
    ASSERT_NE(cls, nullptr);
    EXPECT_FALSE(wnd.CreateEx(0, cls, L"", WS_POPUP, 0, 0, 10, 10, nullptr, 0));
    EXPECT_EQ(wnd.m_hWnd, nullptr);
    // The same request gives the same class.
    EXPECT_STREQ(CWnd::RegisterWndClass(0), cls);
}

TEST_F(Binding, SubclassRoutesMessagesAndDetachRestoresTheControl) {
    ScriptedDialog dlg("dlg", IDD_TEST_BUTTONS);
    ASSERT_TRUE(dlg.Create(IDD_TEST_BUTTONS));
    struct CharSpy : CEdit {
        void OnChar(UINT ch, UINT repeat, UINT flags) override {
            Log().push_back("char " + std::to_string(ch));
            CEdit::OnChar(ch, repeat, flags);  // the edit control still types it
        }
    } edit;
    HWND item = dlg.GetDlgItem(IDC_TEST_EDIT);
    LONG_PTR original = ::GetWindowLongPtrW(item, GWLP_WNDPROC);
    ASSERT_TRUE(edit.SubclassDlgItem(IDC_TEST_EDIT, &dlg));
    EXPECT_FALSE(CEdit().SubclassWindow(item)) << "a window is bound to one object";
    edit.SendMessage(WM_CHAR, L'x', 1);
    EXPECT_EQ(edit.GetWindowText(), L"x");
    EXPECT_EQ(edit.Detach(), item);
    EXPECT_EQ(::GetWindowLongPtrW(item, GWLP_WNDPROC), original);
    EXPECT_EQ(CWnd::FromHandle(item), nullptr);
    ::SendMessageW(item, WM_CHAR, L'y', 1);
    EXPECT_THAT(Log(), ElementsAre("dlg:create(bound)", "dlg:init", "char 120"));
    dlg.DestroyWindow();
}

TEST_F(Binding, DataExchangeBindsOnceAndMovesText) {
    struct Form : CDialog {
        Form() : CDialog(IDD_TEST_BUTTONS) {}
        CEdit edit;
        std::wstring text = L"first";
        void DoDataExchange(CDataExchange* dx) override {
            DDX_Control(dx, IDC_TEST_EDIT, edit);
            DDX_Text(dx, IDC_TEST_EDIT, text);
        }
    } form;
    ASSERT_TRUE(form.Create(IDD_TEST_BUTTONS));
    EXPECT_EQ(form.edit.m_hWnd, form.GetDlgItem(IDC_TEST_EDIT));
    EXPECT_EQ(form.edit.GetWindowText(), L"first");
    form.edit.SetWindowText(L"second");
    EXPECT_TRUE(form.UpdateData(TRUE));
    EXPECT_EQ(form.text, L"second");
    form.DestroyWindow();
}

TEST_F(Binding, DataExchangeWithAMissingControlFails) {
    struct Broken : CDialog {
        Broken() : CDialog(IDD_TEST_PLAIN) {}
        CEdit edit;
        std::wstring text = L"kept";
        void DoDataExchange(CDataExchange* dx) override {
            DDX_Control(dx, IDC_TEST_EDIT, edit);
            DDX_Text(dx, IDC_TEST_EDIT, text);
        }
    } dlg;
    ASSERT_TRUE(dlg.Create(IDD_TEST_PLAIN));
    EXPECT_FALSE(dlg.UpdateData(TRUE));
    EXPECT_EQ(dlg.text, L"kept");
    // OnOK does not end a dialog whose exchange failed.
    dlg.SendMessage(WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(dlg.IsWindow());
    dlg.DestroyWindow();
}

// Owner-drawn controls that record what their parent reflected to them.
struct DrawnButton : CButton {
    void DrawItem(DRAWITEMSTRUCT* dis) override {
        Log().push_back(dis->hwndItem == m_hWnd ? "draw(self)" : "draw(other)");
        ScopedBrush red(::CreateSolidBrush(RGB(255, 0, 0)));
        ::FillRect(dis->hDC, &dis->rcItem, red);
    }
};
struct TintedStatic : CStatic {
    ScopedBrush brush{::CreateSolidBrush(RGB(0, 0, 255))};
    HBRUSH CtlColor(HDC, UINT type) override { return type == CTLCOLOR_STATIC ? brush.Get() : nullptr; }
};
struct TallList : CListBox {
    explicit TallList(int h) : height(h) {}
    int height;
    void MeasureItem(MEASUREITEMSTRUCT* mis) override { mis->itemHeight = height; }
    void DrawItem(DRAWITEMSTRUCT*) override {}
};

struct OwnerDrawDialog : CDialog {
    OwnerDrawDialog() : CDialog(IDD_TEST_OWNERDRAW) {}
    DrawnButton button;
    TintedStatic label;
    void DoDataExchange(CDataExchange* dx) override {
        DDX_Control(dx, IDC_TEST_DRAWN, button);
        DDX_Control(dx, IDC_TEST_STATIC, label);
    }
};

TEST_F(Binding, DrawItemIsReflectedToTheButtonThatPaints) {
    OwnerDrawDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_TEST_OWNERDRAW));
    dlg.ShowWindow(SW_SHOWNA);
    dlg.button.Invalidate();
    dlg.button.UpdateWindow();
    ASSERT_FALSE(Log().empty());
    EXPECT_EQ(Log().back(), "draw(self)");

    // The picture is the button's own drawing.
    ClientDC screen(dlg.button);
    EXPECT_EQ(::GetPixel(screen, 3, 3), RGB(255, 0, 0));
    dlg.DestroyWindow();
}

TEST_F(Binding, ColourRequestsGoToTheChildAndFallBackToTheDialog) {
    OwnerDrawDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_TEST_OWNERDRAW));
    ClientDC dc(dlg);
    LRESULT fromChild = dlg.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.Get()),
                                        reinterpret_cast<LPARAM>(dlg.label.m_hWnd));
    EXPECT_EQ(reinterpret_cast<HBRUSH>(fromChild), dlg.label.brush.Get());
    // The button's object does not colour: the dialog's default answers.
    LRESULT fallback = dlg.SendMessage(WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc.Get()),
                                       reinterpret_cast<LPARAM>(dlg.button.m_hWnd));
    EXPECT_NE(reinterpret_cast<HBRUSH>(fallback), dlg.label.brush.Get());
    dlg.DestroyWindow();
}

TEST_F(Binding, MeasureItemReachesTheAskingListEvenWhenIdsAreShared) {
    ScriptedDialog dlg("dlg", IDD_TEST_PLAIN);
    ASSERT_TRUE(dlg.Create(IDD_TEST_PLAIN));
    TallList low(17), high(29);
    const DWORD style = LBS_OWNERDRAWVARIABLE | LBS_HASSTRINGS | LBS_NOTIFY | WS_VISIBLE;
    ASSERT_TRUE(low.Create(style, RECT{0, 0, 80, 100}, &dlg, 0));
    ASSERT_TRUE(high.Create(style, RECT{90, 0, 170, 100}, &dlg, 0));
    low.AddString(L"a");
    high.AddString(L"b");
    EXPECT_EQ(low.GetItemHeight(0), 17);
    EXPECT_EQ(high.GetItemHeight(0), 29);
    EXPECT_EQ(high.GetText(0), L"b");
    dlg.DestroyWindow();
}

TEST_F(Binding, SelfOwnedWindowIsDeletedAfterItsLastMessage) {
    static bool deleted = false;
    struct SelfOwned : CWnd {
        ~SelfOwned() override { deleted = true; }
        void PostNcDestroy() override { delete this; }
    };
    auto* wnd = new SelfOwned;
    ASSERT_TRUE(wnd->CreateEx(0, CWnd::RegisterWndClass(0), L"", WS_POPUP, 0, 0, 10, 10, nullptr, 0));
    HWND hWnd = wnd->m_hWnd;
    ::DestroyWindow(hWnd);
    EXPECT_TRUE(deleted);
    EXPECT_EQ(CWnd::FromHandle(hWnd), nullptr);
}

TEST_F(Binding, DestroyingTheObjectDestroysItsWindow) {
    HWND hWnd;
    {
        CWnd wnd;
        ASSERT_TRUE(wnd.CreateEx(0, CWnd::RegisterWndClass(0), L"", WS_POPUP, 0, 0, 10, 10, nullptr, 0));
        hWnd = wnd.m_hWnd;
    }
    EXPECT_FALSE(::IsWindow(hWnd));
    EXPECT_EQ(CWnd::FromHandle(hWnd), nullptr);
}

}  // namespace
}  // namespace zavo::test

namespace zavo::test {
namespace {

TEST_F(Binding, ChildrenCreatedInOnCreateAreBoundAsWellAsTheDialog) {
    struct WithButtons : CDialog {
        WithButtons() : CDialog(IDD_TEST_PLAIN) {}
        CButton first, second;
        int OnCreate(CREATESTRUCTW* cs) override {
            if (CDialog::OnCreate(cs) == -1) return -1;
            // Skinned buttons: id 0, owner-drawn, created before the dialog is initialised.
            first.Create(L"", WS_VISIBLE | BS_OWNERDRAW, RECT{0, 0, 20, 20}, this, 0);
            second.Create(L"", WS_VISIBLE | BS_OWNERDRAW, RECT{20, 0, 40, 20}, this, 0);
            return 0;
        }
    } dlg;
    ASSERT_TRUE(dlg.Create(IDD_TEST_PLAIN));
    EXPECT_EQ(CWnd::FromHandle(dlg.m_hWnd), &dlg);
    ASSERT_NE(dlg.first.m_hWnd, nullptr);
    ASSERT_NE(dlg.second.m_hWnd, nullptr);
    EXPECT_EQ(CWnd::FromHandle(dlg.first.m_hWnd), &dlg.first);
    EXPECT_EQ(CWnd::FromHandle(dlg.second.m_hWnd), &dlg.second);
    EXPECT_EQ(dlg.first.GetParent(), dlg.m_hWnd);
    dlg.DestroyWindow();
    EXPECT_EQ(dlg.first.m_hWnd, nullptr) << "children are unbound with their parent";
}

}  // namespace
}  // namespace zavo::test

namespace zavo::test {
namespace {

// Windows that CreateEx makes are bound by their first message, whichever way
// (at WM_NCCREATE from the creation parameters, or by the hook where
// WM_GETMINMAXINFO comes first), and their handlers see the caller's own
// creation parameter.
TEST_F(Binding, CodeMadeWindowsAreBoundAtTheirFirstMessage) {
    struct Spy : CWnd {
        UINT first = 0;
        bool boundAtFirst = false;
        void* createParam = nullptr;
        LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override {
            if (!first) {
                first = msg;
                boundAtFirst = FromHandle(m_hWnd) == this;
            }
            return CWnd::WindowProc(msg, wp, lp);
        }
        int OnCreate(CREATESTRUCTW* cs) override {
            createParam = cs->lpCreateParams;
            return CWnd::OnCreate(cs);
        }
    };
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, CWnd::RegisterWndClass(0), L"parent", WS_POPUP, 0, 0, 100, 100, nullptr, 0));
    const wchar_t* own = CWnd::RegisterWndClass(CS_DBLCLKS);
    struct Case {
        const char* what;
        const wchar_t* cls;
        DWORD style;
        bool child;
        UINT first;
    };
    const Case cases[] = {
        {"child of a layer class", own, WS_CHILD | WS_VISIBLE, true, WM_NCCREATE},
        {"button (the layer's superclass)", L"Button", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, true, WM_NCCREATE},
        {"pop-up of a layer class", own, WS_POPUP, false, WM_NCCREATE},
        {"top-level window (hook)", own, WS_OVERLAPPEDWINDOW, false, WM_GETMINMAXINFO},
        {"child with a sizing frame (hook)", own, WS_CHILD | WS_THICKFRAME, true, WM_GETMINMAXINFO},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Spy spy;
        int param = 0;
        ASSERT_TRUE(spy.CreateEx(0, c.cls, L"", c.style, 0, 0, 30, 30, c.child ? parent.m_hWnd : nullptr, 0, &param));
        EXPECT_EQ(spy.first, c.first);
        EXPECT_TRUE(spy.boundAtFirst);
        EXPECT_EQ(spy.createParam, &param);
        EXPECT_EQ(CWnd::FromHandle(spy.m_hWnd), &spy);
        spy.DestroyWindow();
    }
    parent.DestroyWindow();
}

TEST_F(Binding, ButtonStaysAButtonBoundAndDetached) {
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, CWnd::RegisterWndClass(0), L"parent", WS_POPUP, 0, 0, 100, 100, nullptr, 0));
    CButton button;
    ASSERT_TRUE(button.Create(L"go", WS_VISIBLE | BS_PUSHBUTTON, RECT{0, 0, 40, 20}, &parent, 7));
    button.SendMessage(BM_SETSTATE, TRUE);
    EXPECT_TRUE(button.SendMessage(BM_GETSTATE) & BST_PUSHED);
    EXPECT_EQ(button.GetWindowText(), L"go");
    const HWND hWnd = button.Detach();
    ::SendMessageW(hWnd, BM_SETSTATE, FALSE, 0);
    EXPECT_FALSE(::SendMessageW(hWnd, BM_GETSTATE, 0, 0) & BST_PUSHED) << "the button class still answers";
    ::SetWindowTextW(hWnd, L"stop");
    wchar_t text[16] = {};
    ::GetWindowTextW(hWnd, text, 16);
    EXPECT_STREQ(text, L"stop");
    ::DestroyWindow(hWnd);
    parent.DestroyWindow();
}

}  // namespace
}  // namespace zavo::test
