// The loading dialog's exchange with the device service, against a stand-in
// service window of this process, the warning dialog's results, and what the
// keyboard can reach in the small skinned dialogs.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <map>
#include <memory>

#include "GuiResources.h"
#include "Harness.h"
#include "win/Later.h"
#include "app/AppContext.h"
#include "dialogs/DlgLoading.h"
#include "dialogs/DlgNewMacro.h"
#include "dialogs/DlgRepeatTimes.h"
#include "dialogs/DlgRestoreSettings.h"
#include "dialogs/DlgWarning.h"
#include "keydlg/DlgSingleKey.h"
#include "macro/KeyNames.h"
#include "service/ServiceCodes.h"

using namespace zavo;
using namespace zavo::e2e;

namespace {

HWND LoadingWindow() { return FindTopWindow(svc::LOADING_WINDOW_TITLE, GetCurrentProcessId()); }

void PostToLoading(UINT msg, WPARAM w, LPARAM l) { PostMessageW(LoadingWindow(), msg, w, l); }

// Runs the loading dialog for `profile` until it ends; its result. One dialog
// object serves every test, as the main window's one serves every apply.
INT_PTR ShowLoading(int profile) {
    static const ServiceLink link;
    static CDlgLoading loading(link);
    loading.m_Profile = profile;
    return loading.DoModal();
}

std::vector<std::pair<WPARAM, LPARAM>> Commands(const RecordingWindow& service) {
    std::vector<std::pair<WPARAM, LPARAM>> out;
    for (const auto& m : service.Received())
        if (m.msg == svc::WM_SERVICE_COMMAND && !m.sent) out.emplace_back(m.wParam, m.lParam);
    return out;
}

using Codes = std::vector<std::pair<WPARAM, LPARAM>>;

}  // namespace

TEST(LoadingDialog, AsksAfterOneSecondAndClosesOnTheServiceAnswer) {
    RecordingWindow service(svc::SERVICE_WINDOW_TITLE);
    bool openWhenAnswered = false;
    Codes askedBeforeAnswer;
    Later answer(1500, [&] {
        openWhenAnswered = LoadingWindow() != nullptr;
        askedBeforeAnswer = Commands(service);
        PostToLoading(svc::WM_SERVICE_COMMAND, 7, 0);
    });
    const INT_PTR result = ShowLoading(2);
    Pump();
    EXPECT_EQ(result, -1);
    // It asked for the apply and then waited for the answer, however long.
    EXPECT_TRUE(openWhenAnswered);
    EXPECT_EQ(askedBeforeAnswer, (Codes{{svc::SVC_FILES_CHANGED, 2}, {svc::SVC_APPLY_PROFILE, 2}}));
    EXPECT_EQ(Commands(service),
              (Codes{{svc::SVC_FILES_CHANGED, 2}, {svc::SVC_APPLY_PROFILE, 2}, {svc::SVC_SELECT_PROFILE, 2}}));
    EXPECT_EQ(LoadingWindow(), nullptr);
}

TEST(LoadingDialog, AnAnswerBeforeTheFirstSecondClosesItWithoutAsking) {
    RecordingWindow service(svc::SERVICE_WINDOW_TITLE);
    Later answer(200, [] { PostToLoading(svc::WM_SERVICE_COMMAND, 0, 0); });
    EXPECT_EQ(ShowLoading(4), -1);
    Pump();
    EXPECT_EQ(Commands(service), (Codes{{svc::SVC_SELECT_PROFILE, 4}}));
    EXPECT_EQ(LoadingWindow(), nullptr);
}

TEST(LoadingDialog, WithoutServiceItClosesByItselfAndIgnoresEnterAndEsc) {
    // Twice in a row: the one dialog object is reused. Enter or Esc would end it
    // with 1 or 2; closing by itself gives -1.
    for (int round = 0; round < 2; ++round) {
        Later keys(200, [] {
            for (WPARAM key : {VK_RETURN, VK_ESCAPE}) {
                PostToLoading(WM_KEYDOWN, key, 0);
                PostToLoading(WM_KEYUP, key, 0);
            }
        });
        EXPECT_EQ(ShowLoading(0), -1) << round;
        EXPECT_EQ(LoadingWindow(), nullptr) << round;
    }
}

TEST(LoadingDialog, AServiceThatDisappearsWhileItWaitsEndsTheWait) {
    auto service = std::make_unique<RecordingWindow>(svc::SERVICE_WINDOW_TITLE);
    Later gone(1400, [&service] { service.reset(); });
    // Only a dialog that never noticed would still be open when this fires.
    bool forced = false;
    Later guard(30000, [&forced] {
        forced = LoadingWindow() != nullptr;
        PostToLoading(svc::WM_SERVICE_COMMAND, 0, 0);
    });
    EXPECT_EQ(ShowLoading(1), -1);
    EXPECT_FALSE(forced);
}

class WarningDialog : public ::testing::Test {
protected:
    void SetUp() override {
        app_.programFolder = BinDir();
        app_.langTexts.assign(LANG_TEXT_COUNT, L"");
        app_.langTexts[8] = L"Cancel text";
        app_.langTexts[9] = L"OK text";
    }

    // Shows the warning of `kind`; `act` runs once it is up.
    INT_PTR Show(int kind, const std::function<void(CDlgWarning&)>& act) {
        CDlgWarning dlg(app_, kind);
        Later later(300, [&] { act(dlg); });
        return dlg.DoModal();
    }

    AppContext app_;
};

TEST_F(WarningDialog, ResultsOfButtonsKeysAndClosing) {
    auto click = [](CBitmapBtn CDlgWarning::*button) {
        return [button](CDlgWarning& d) { SendMessageW((d.*button).m_hWnd, BM_CLICK, 0, 0); };
    };
    auto key = [](WPARAM vk) {
        return [vk](CDlgWarning& d) {
            PostMessageW(d.m_hWnd, WM_KEYDOWN, vk, 0);
            PostMessageW(d.m_hWnd, WM_KEYUP, vk, 0);
        };
    };
    auto close = [](CDlgWarning& d) { PostMessageW(d.m_hWnd, WM_SYSCOMMAND, SC_CLOSE, 0); };
    struct Case {
        const char* what;
        int kind;
        std::function<void(CDlgWarning&)> act;
        INT_PTR result;
    } cases[] = {
        {"kind 0 OK", 0, click(&CDlgWarning::m_btnOk), IDOK},
        {"kind 0 Cancel", 0, click(&CDlgWarning::m_btnCancel), IDCANCEL},
        {"kind 1 its button", 1, click(&CDlgWarning::m_btnOkSingle), IDOK},
        {"kind 1 Enter", 1, key(VK_RETURN), IDOK},
        {"kind 1 Esc", 1, key(VK_ESCAPE), IDCANCEL},
        {"kind 2 OK", 2, click(&CDlgWarning::m_btnOk), IDOK},
        {"kind 2 Cancel", 2, click(&CDlgWarning::m_btnCancel), IDCANCEL},
        {"kind 2 closed", 2, close, IDCANCEL},
    };
    for (const Case& c : cases) EXPECT_EQ(Show(c.kind, c.act), c.result) << c.what;
}

TEST_F(WarningDialog, EachKindCreatesOnlyItsButtonsWithTheirTooltips) {
    auto tip = [](CBitmapBtn& b) {
        wchar_t text[80] = {};
        TOOLINFOW ti{};
        ti.cbSize = sizeof(ti);
        ti.hwnd = b.m_hWnd;
        ti.uId = 1;
        ti.lpszText = text;
        SendMessageW(b.GetTooltip(), TTM_GETTEXTW, 80, reinterpret_cast<LPARAM>(&ti));
        return std::wstring(text);
    };
    Show(1, [&](CDlgWarning& d) {
        EXPECT_TRUE(d.m_btnOkSingle.m_hWnd);
        EXPECT_FALSE(d.m_btnOk.m_hWnd);
        EXPECT_FALSE(d.m_btnCancel.m_hWnd);
        EXPECT_EQ(tip(d.m_btnOkSingle), L"Yes");
        d.EndDialog(IDOK);
    });
    Show(2, [&](CDlgWarning& d) {
        EXPECT_FALSE(d.m_btnOkSingle.m_hWnd);
        EXPECT_EQ(tip(d.m_btnOk), L"OK text");
        EXPECT_EQ(tip(d.m_btnCancel), L"Cancel text");
        // The skin gives the window its size and shape.
        EXPECT_FALSE(d.m_Background.Empty());
        EXPECT_TRUE(d.GetShape());
        d.EndDialog(IDOK);
    });
}

// Tab walks only through controls the user sees: each tab stop lies inside the
// window's shape, so Space or Enter never presses a button that is not drawn.
// Typing 77, Tab, Space in the repeat count box (or a name, Tab, Space in the
// new-macro box): Tab goes on to the skinned OK, which Space presses, and the
// dialog returns exactly what it showed.
TEST_F(WarningDialog, TabReachesOnlyWhatTheSmallDialogsShow) {
    auto post = [](HWND to, UINT msg, WPARAM w) { PostMessageW(to, msg, w, 0); };
    auto typeThenTabSpace = [&](HWND box, const std::wstring& text) {
        for (wchar_t c : text) post(box, WM_CHAR, c);
        post(box, WM_KEYDOWN, VK_TAB);
        post(box, WM_KEYUP, VK_TAB);
    };
    auto pressSpaceOnFocus = [&] {
        post(GetFocus(), WM_KEYDOWN, VK_SPACE);
        post(GetFocus(), WM_KEYUP, VK_SPACE);
    };
    // Every tab stop of `dlg`, from the focus on, lies within its shape.
    auto tabStopsInsideShape = [](HWND dlg, const char* what) {
        HRGN shape = CreateRectRgn(0, 0, 0, 0);
        const bool shaped = GetWindowRgn(dlg, shape) != ERROR;
        HWND first = GetNextDlgTabItem(dlg, nullptr, FALSE);
        HWND item = first;
        for (int i = 0; item && i < 20; ++i) {
            RECT r{};
            GetWindowRect(item, &r);
            MapWindowPoints(HWND_DESKTOP, dlg, reinterpret_cast<POINT*>(&r), 2);
            RECT client{};
            GetClientRect(dlg, &client);
            const POINT centre{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
            EXPECT_TRUE(IsWindowVisible(item)) << what;
            EXPECT_TRUE(PtInRect(&client, centre)) << what << " control " << GetDlgCtrlID(item);
            if (shaped) EXPECT_TRUE(PtInRegion(shape, centre.x, centre.y)) << what << " control " << GetDlgCtrlID(item);
            item = GetNextDlgTabItem(dlg, item, FALSE);
            if (item == first) break;
        }
        DeleteObject(shape);
    };

    {
        CDlgRepeatTimes dlg(app_);
        dlg.m_Count = 5;
        bool openAfterSpace = false;
        Later type(300, [&] {
            tabStopsInsideShape(dlg.m_hWnd, "repeat count");
            dlg.m_CountBox.SetWindowText(L"");
            typeThenTabSpace(dlg.m_CountBox.m_hWnd, L"77");
        });
        Later space(500, pressSpaceOnFocus);
        Later ok(800, [&] {
            openAfterSpace = IsWindow(dlg.m_hWnd) != FALSE;
            SendMessageW(dlg.m_btnOk.m_hWnd, BM_CLICK, 0, 0);
        });
        EXPECT_EQ(dlg.DoModal(), IDOK);
        EXPECT_FALSE(openAfterSpace) << "Space pressed OK";
        EXPECT_EQ(dlg.m_Count, 77);
    }
    {
        CDlgNewMacro dlg(app_);
        bool openAfterSpace = false;
        std::wstring shown;
        Later type(300, [&] {
            tabStopsInsideShape(dlg.m_hWnd, "new macro");
            typeThenTabSpace(dlg.m_NameBox.m_hWnd, L"Combo");
        });
        Later space(500, pressSpaceOnFocus);
        Later ok(800, [&] {
            openAfterSpace = IsWindow(dlg.m_hWnd) != FALSE;
            shown = dlg.m_NameBox.GetWindowText();
            SendMessageW(dlg.m_btnOk.m_hWnd, BM_CLICK, 0, 0);
        });
        EXPECT_EQ(dlg.DoModal(), IDOK);
        EXPECT_FALSE(openAfterSpace) << "Space pressed OK";
        EXPECT_EQ(dlg.m_Name, L"Combo");
    }
    for (int kind : {0, 2}) {
        CDlgWarning dlg(app_, kind);
        Later look(300, [&] {
            tabStopsInsideShape(dlg.m_hWnd, "warning");
            dlg.EndDialog(IDCANCEL);
        });
        dlg.DoModal();
    }
}

// The single-key dialog's 44-pixel boxes show long key names whole (in a
// smaller face), and the Menu key is captured as the App key instead of
// opening the box's context menu.
TEST_F(WarningDialog, SingleKeyBoxesShowWholeNamesAndTakeTheMenuKey) {
    auto fits = [](const CEdit& box) {
        const std::wstring text = box.GetWindowText();
        RECT area{};
        SendMessageW(box.m_hWnd, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&area));
        HDC dc = GetDC(box.m_hWnd);
        HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(box.m_hWnd, WM_GETFONT, 0, 0)));
        SIZE size{};
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
        SelectObject(dc, old);
        ReleaseDC(box.m_hWnd, dc);
        EXPECT_LE(size.cx, area.right - area.left) << "text width against the box's room";
        return size.cx <= area.right - area.left;
    };
    const struct {
        std::uint8_t src, dst;
        const wchar_t *srcName, *dstName;
    } cases[] = {{0x53, 0x69, L"Backspace", L"Pagedown"}, {0x86, 0x1B, L"R Shift", L"Caps Lock"}};
    for (const auto& c : cases) {
        CDlgSingleKey dlg(app_);
        dlg.m_SrcKeyCode = c.src;
        dlg.m_DstKeyCode = c.dst;
        Later look(300, [&] {
            EXPECT_EQ(dlg.m_SrcBox.GetWindowText(), c.srcName);
            EXPECT_EQ(dlg.m_DstBox.GetWindowText(), c.dstName);
            EXPECT_TRUE(fits(dlg.m_SrcBox)) << c.srcName;
            EXPECT_TRUE(fits(dlg.m_DstBox)) << c.dstName;
            PostMessageW(dlg.m_DstBox.m_hWnd, WM_KEYDOWN, VK_APPS, 0x015D0001);
            PostMessageW(dlg.m_DstBox.m_hWnd, WM_KEYUP, VK_APPS, 0xC15D0001);
            // The request for a context menu that may still follow the key.
            PostMessageW(dlg.m_DstBox.m_hWnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(dlg.m_DstBox.m_hWnd), -1);
        });
        Later ok(700, [&] {
            EXPECT_EQ(dlg.m_DstBox.GetWindowText(), L"App");
            const HWND menu = FindWindowW(L"#32768", nullptr);
            EXPECT_FALSE(menu && IsWindowVisible(menu)) << "no context menu over the box";
            if (menu && IsWindowVisible(menu)) EndMenu();
            SendMessageW(dlg.m_btnOk.m_hWnd, BM_CLICK, 0, 0);
        });
        EXPECT_EQ(dlg.DoModal(), IDOK);
        EXPECT_EQ(dlg.m_DstKeyCode, 0x9A);
    }
}

// Every key name of both layouts in the single-key dialog's boxes: whole in a
// face no smaller than the readable minimum, or cut with an ellipsis and a
// tooltip over the box that shows it whole.
TEST_F(WarningDialog, EveryKeyNameFitsItsBoxOrHasATooltip) {
    auto shown = [](const CEdit& box, const KeyNameBox& name, const std::wstring& expected) {
        std::wstring tip;
        if (HWND tooltip = name.Tooltip()) {
            wchar_t text[80] = L"";
            TOOLINFOW ti{};
            ti.cbSize = TTTOOLINFOW_V2_SIZE;
            ti.lpszText = text;
            if (SendMessageW(tooltip, TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(&ti))) tip = text;
        }
        RECT area{};
        SendMessageW(box.m_hWnd, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&area));
        const std::wstring text = box.GetWindowText();
        HDC dc = GetDC(box.m_hWnd);
        HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(box.m_hWnd, WM_GETFONT, 0, 0)));
        SIZE size{};
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
        TEXTMETRICW tm{};
        GetTextMetricsW(dc, &tm);
        SelectObject(dc, old);
        ReleaseDC(box.m_hWnd, dc);
        EXPECT_LE(size.cx, area.right - area.left) << "what the box shows fits it";
        EXPECT_GE(tm.tmHeight, KeyNameBox::kMinTextHeight) << "in a readable face";
        if (text == expected) {
            EXPECT_EQ(tip, L"") << "a whole name needs no tooltip";
        } else {
            EXPECT_EQ(tip, expected) << "a cut name has its tooltip";
            EXPECT_EQ(text.back(), L'\u2026') << "and shows that it is cut";
        }
    };
    for (const wchar_t* layout : {L"EN", L"JP"}) {
        app_.layoutCode = layout;
        CDlgSingleKey dlg(app_);
        Later look(300, [&] {
            for (int code = 0; code < 256; ++code) {
                const std::wstring name = KeyNameForLayout(static_cast<std::uint8_t>(code), layout);
                if (name.empty()) continue;
                dlg.m_DstName.Show(name);
                shown(dlg.m_DstBox, dlg.m_DstName, name);
                dlg.m_SrcName.Show(name);
                shown(dlg.m_SrcBox, dlg.m_SrcName, name);
                if (HasFailure()) {
                    ADD_FAILURE() << "key code " << code;
                    break;
                }
            }
            SendMessageW(dlg.m_btnCancel.m_hWnd, BM_CLICK, 0, 0);
        });
        dlg.DoModal();
    }
}

// The restore window: the generations newest first with their files, the newest
// selected; Restore returns the one chosen, and with nothing to restore it
// cannot be pressed. Its texts come from the context.
// The restore window: the generations newest first, each named by what it was
// kept before and when, the newest selected; Restore returns the one chosen, and
// with nothing to restore it cannot be pressed. Its texts come from the context.
TEST(RestoreWindow, ListsTheBackupsAndReturnsTheOneChosen) {
    AppContext app;
    app.moduleTexts = {L"", L"", L"", L"Frühere Einstellungen"};
    const std::vector<backup::Generation> gens = {
        {L"20261210-183702", {L"Profile2.prof"}, backup::Action::Apply},
        {L"20261210-183700-2", {L"Config.config", L"Profile2.prof"}, backup::Action::Reset, 2}};
    struct Case {
        const char* name;
        std::vector<backup::Generation> gens;
        std::function<void(CDlgRestoreSettings&)> act;
        INT_PTR result;
        int chosen;
    };
    auto key = [](WPARAM vk) {
        return [vk](CDlgRestoreSettings& d) {
            SetForegroundWindow(d.m_hWnd);
            PostMessageW(d.m_List.m_hWnd, WM_KEYDOWN, vk, 0);
            PostMessageW(d.m_List.m_hWnd, WM_KEYUP, vk, 0);
        };
    };
    auto second = [](CDlgRestoreSettings& d) {
        d.m_List.SetCurSel(1);
        SendMessageW(d.m_hWnd, WM_COMMAND, IDOK, 0);
    };
    const Case cases[] = {
        {"Enter takes the newest", gens, key(VK_RETURN), IDOK, 0},
        {"an older one", gens, second, IDOK, 1},
        {"Esc", gens, key(VK_ESCAPE), IDCANCEL, -1},
        {"nothing kept: Restore does nothing",
         {},
         [](CDlgRestoreSettings& d) {
             SendMessageW(d.m_hWnd, WM_COMMAND, IDOK, 0);
             EXPECT_TRUE(IsWindow(d.m_hWnd));
             EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d.m_hWnd, IDOK)));
             d.EndDialog(IDCANCEL);
         },
         IDCANCEL,
         -1},
    };
    for (const Case& c : cases) {
        CDlgRestoreSettings dlg(app, c.gens);
        Later later(300, [&] {
            EXPECT_EQ(WindowText(dlg.m_hWnd), L"Frühere Einstellungen") << c.name;
            if (!c.gens.empty()) {
                EXPECT_EQ(dlg.m_List.GetText(0), L"Before APPLY, 2026-12-10 18:37:02") << c.name;
                EXPECT_EQ(dlg.m_List.GetText(1), L"Before Reset of profile III, 2026-12-10 18:37:00 (2)") << c.name;
                EXPECT_EQ(dlg.m_List.GetCurSel(), 0) << c.name;
            } else {
                EXPECT_EQ(dlg.m_List.GetText(0), L"No earlier settings have been kept yet.") << c.name;
            }
            c.act(dlg);
        });
        EXPECT_EQ(dlg.DoModal(), c.result) << c.name;
        EXPECT_EQ(dlg.m_nChosen, c.chosen) << c.name;
    }
}

TEST(RestoreWindow, FiftyOpeningsLeaveNoHandles) {
    AppContext app;
    const std::vector<backup::Generation> gens = {{L"20261210-183702", {L"Profile2.prof"}}};
    auto open = [&] {
        CDlgRestoreSettings dlg(app, gens);
        Later later(50, [&] { dlg.EndDialog(IDCANCEL); });
        dlg.DoModal();
    };
    open();
    Pump();
    const GuiObjectCounts before = CountGuiObjects();
    for (int i = 0; i < 50; ++i) open();
    Pump();
    const GuiObjectCounts after = CountGuiObjects();
    EXPECT_LE(after.gdi, before.gdi + 2);
    EXPECT_LE(after.user, before.user + 2);
}
