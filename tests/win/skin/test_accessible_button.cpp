// CBitmapBtn as a screen reader sees it: the name, role, state and rectangle of
// its client object, the events that tell a reader something changed, the
// default action, and a reader that keeps the object past the button's end.
#include <windows.h>
#include <oleacc.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "AccessibleProbe.h"
#include "WidgetHost.h"
#include "framework/FocusMark.h"
#include "framework/PlatformSessions.h"
#include "skin/BitmapBtn.h"

using namespace zavo;
using testsupport::ReadAccessible;

namespace {

constexpr RECT kRect{10, 6, 70, 26};

// The events raised for one window, as a reader's out-of-context hook gets them.
struct EventLog {
    static EventLog* current;
    HWND watched = nullptr;
    std::vector<DWORD> events;
    static void CALLBACK OnEvent(HWINEVENTHOOK, DWORD event, HWND wnd, LONG object, LONG child, DWORD, DWORD) {
        if (current && wnd == current->watched && object == OBJID_CLIENT && child == CHILDID_SELF)
            current->events.push_back(event);
    }
};
EventLog* EventLog::current = nullptr;

void Pump() {
    MSG msg;
    for (int round = 0; round < 3; ++round) {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(1);
    }
}

class AccessibleButtonTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        ASSERT_TRUE(Sessions().NeedOle());
        host_ = new skintest::HostWnd;
        ASSERT_TRUE(host_->Open(100, 100, 200, 80));
    }
    static void TearDownTestSuite() { delete host_; }
    void SetUp() override {
        button_ = std::make_unique<CBitmapBtn>();
        ASSERT_TRUE(button_->Create(kRect, host_));
        host_->clicks.clear();
    }

    static skintest::HostWnd* host_;
    std::unique_ptr<CBitmapBtn> button_;
};
skintest::HostWnd* AccessibleButtonTest::host_ = nullptr;

}  // namespace

TEST_F(AccessibleButtonTest, NameRoleAndStateFollowTheButton) {
    struct Case {
        const char* what;
        const wchar_t* text;
        const wchar_t* tooltip;
        bool latched, enabled;
        long role;
        const wchar_t* name;
        long present, absent;
    } cases[] = {
        {"tooltip names a picture button", L"", L"Profile 2", false, true, ROLE_SYSTEM_PUSHBUTTON, L"Profile 2", 0,
         STATE_SYSTEM_PRESSED | STATE_SYSTEM_UNAVAILABLE},
        {"latched reports pressed", L"", L"Profile 2", true, true, ROLE_SYSTEM_PUSHBUTTON, L"Profile 2",
         STATE_SYSTEM_PRESSED, STATE_SYSTEM_UNAVAILABLE},
        {"disabled reports unavailable", L"", L"Clear", false, false, ROLE_SYSTEM_PUSHBUTTON, L"Clear",
         STATE_SYSTEM_UNAVAILABLE, STATE_SYSTEM_PRESSED | STATE_SYSTEM_FOCUSABLE},
        {"its text wins over the tooltip", L"Apply done", L"Status", false, false, ROLE_SYSTEM_STATICTEXT,
         L"Apply done", STATE_SYSTEM_UNAVAILABLE, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        button_->SetText(c.text);
        button_->SetTooltipText(c.tooltip);
        button_->SetLatched(c.latched);
        button_->EnableWindow(c.enabled);
        button_->SetAccessibleRole(c.role);
        const testsupport::AccessibleRead read = ReadAccessible(*button_);
        ASSERT_TRUE(read.ok);
        EXPECT_EQ(c.name, read.name);
        EXPECT_EQ(c.role, read.role);
        EXPECT_EQ(c.present, read.state & c.present);
        EXPECT_EQ(0, read.state & c.absent);
        RECT screen;
        button_->GetWindowRect(&screen);
        EXPECT_TRUE(EqualRect(&screen, &read.rect));
    }
}

TEST_F(AccessibleButtonTest, LatchEnableAndTextChangesAreAnnounced) {
    EventLog log;
    log.watched = *button_;
    EventLog::current = &log;
    HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_STATECHANGE, EVENT_OBJECT_NAMECHANGE, nullptr,
                                         &EventLog::OnEvent, GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    ASSERT_NE(nullptr, hook);
    struct Step {
        const char* what;
        void (*change)(CBitmapBtn&);
        DWORD event;  // 0: nothing changed, nothing is said
    } steps[] = {
        {"latch", [](CBitmapBtn& b) { b.SetLatched(true); }, EVENT_OBJECT_STATECHANGE},
        {"latch again", [](CBitmapBtn& b) { b.SetLatched(true); }, 0},
        {"disable", [](CBitmapBtn& b) { b.EnableWindow(FALSE); }, EVENT_OBJECT_STATECHANGE},
        {"new text", [](CBitmapBtn& b) { b.SetText(L"Saved"); }, EVENT_OBJECT_NAMECHANGE},
        {"same text", [](CBitmapBtn& b) { b.SetText(L"Saved"); }, 0},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.what);
        Pump();
        log.events.clear();
        s.change(*button_);
        Pump();
        if (s.event)
            EXPECT_NE(log.events.end(), std::find(log.events.begin(), log.events.end(), s.event));
        else
            EXPECT_TRUE(log.events.empty());
    }
    UnhookWinEvent(hook);
    EventLog::current = nullptr;
}

TEST_F(AccessibleButtonTest, DefaultActionClicksOnlyAnEnabledButton) {
    button_->SetTooltipText(L"Apply");
    IAccessible* object = testsupport::FetchAccessible(*button_);
    ASSERT_NE(nullptr, object);
    VARIANT self;
    VariantInit(&self);
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    EXPECT_EQ(S_OK, object->accDoDefaultAction(self));
    Pump();
    ASSERT_EQ(1u, host_->clicks.size());
    EXPECT_EQ(static_cast<HWND>(*button_), host_->clicks[0]);

    button_->EnableWindow(FALSE);
    EXPECT_NE(S_OK, object->accDoDefaultAction(self));
    Pump();
    EXPECT_EQ(1u, host_->clicks.size());
    object->Release();
}

TEST_F(AccessibleButtonTest, ObjectKeptPastTheButtonSaysDisconnected) {
    button_->SetTooltipText(L"Apply");
    IAccessible* object = testsupport::FetchAccessible(*button_);
    ASSERT_NE(nullptr, object);
    button_->DestroyWindow();
    VARIANT self;
    VariantInit(&self);
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    EXPECT_EQ(RPC_E_DISCONNECTED, object->get_accName(self, &name));
    EXPECT_EQ(nullptr, name);
    object->Release();
}

TEST_F(AccessibleButtonTest, FocusMarkOnlyOnceTheKeyboardMovedTheFocus) {
    constexpr COLORREF kAccent = RGB(200, 10, 20);
    button_->SetFocusColour(kAccent);
    const auto edgeAfterDrawing = [&](UINT state) {
        HDC screen = GetDC(nullptr);
        HDC dc = CreateCompatibleDC(screen);
        HBITMAP canvas = CreateCompatibleBitmap(screen, 60, 20);
        HGDIOBJ old = SelectObject(dc, canvas);
        DRAWITEMSTRUCT dis{};
        dis.CtlType = ODT_BUTTON;
        dis.itemAction = ODA_DRAWENTIRE;
        dis.itemState = state;
        dis.hwndItem = *button_;
        dis.hDC = dc;
        dis.rcItem = RECT{0, 0, 60, 20};
        host_->SendMessage(WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis));
        const COLORREF edge = GetPixel(dc, 0, 10);
        SelectObject(dc, old);
        DeleteObject(canvas);
        DeleteDC(dc);
        ReleaseDC(nullptr, screen);
        return edge;
    };
    HideFocusCues(*host_);
    EXPECT_NE(kAccent, edgeAfterDrawing(ODS_FOCUS));
    ShowFocusCues(*button_);
    EXPECT_TRUE(FocusCuesShown(*host_));
    EXPECT_EQ(kAccent, edgeAfterDrawing(ODS_FOCUS));
    EXPECT_NE(kAccent, edgeAfterDrawing(0));
    HideFocusCues(*host_);
}

TEST_F(AccessibleButtonTest, EnterPressesOnceWhateverItsRepeats) {
    struct Case {
        const char* what;
        LPARAM flags;
        size_t clicks;
    } cases[] = {{"a press", 1, 1}, {"a held key's repeat", 1 | (KF_REPEAT << 16), 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        host_->clicks.clear();
        button_->SendMessage(WM_KEYDOWN, VK_RETURN, c.flags);
        Pump();
        EXPECT_EQ(c.clicks, host_->clicks.size());
    }
}
