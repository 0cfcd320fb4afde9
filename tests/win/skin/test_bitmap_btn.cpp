// CBitmapBtn: its looks (pixels drawn on a memory surface through the owner-draw
// reflection), its text, latching, tooltip, style and hover tracking.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <climits>

#include <memory>
#include <vector>

#include "SkinTestSupport.h"
#include "WidgetHost.h"
#include "framework/Gdi.h"
#include "skin/BitmapBtn.h"

using namespace zavo;
using skintest::Surface;

namespace {

constexpr RECT kButtonRect{10, 6, 70, 26};  // 60 x 20 in the host's client area
constexpr int kMain = 10, kOver = 20, kDown = 30, kDisabled = 40;

// A whole-face picture whose pixel (x, y) has red x, green y and blue `look`,
// so a drawn pixel tells both where it was cut and which face it came from.
HBITMAP MakeFace(int look) {
    void* bits = nullptr;
    ScopedBitmap dib = CreateDib32(100, 40, &bits);
    auto* px = static_cast<std::uint32_t*>(bits);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 100; ++x) px[y * 100 + x] = (x << 16) | (y << 8) | look;
    return dib.Release();
}

class BitmapBtnTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        host_ = new skintest::HostWnd;
        ASSERT_TRUE(host_->Open(100, 100, 200, 80));
        for (int look : {kMain, kOver, kDown, kDisabled}) faces_.emplace_back(MakeFace(look));
    }
    static void TearDownTestSuite() {
        delete host_;
        faces_.clear();
    }
    void SetUp() override {
        button_ = std::make_unique<CBitmapBtn>();
        ASSERT_TRUE(button_->Create(kButtonRect, host_));
        button_->SetStateImages(faces_[0], faces_[1], faces_[2], faces_[3], kButtonRect);
        ASSERT_TRUE(skintest::Activate(*host_));
        host_->clicks.clear();
    }
    void TearDown() override {
        ReleaseCapture();
        button_.reset();
    }

    // What the button draws for an owner-draw request with `state`.
    std::unique_ptr<Surface> Draw(UINT state) {
        auto s = std::make_unique<Surface>(60, 20);
        s->Fill(RGB(1, 2, 3));
        DRAWITEMSTRUCT dis{};
        dis.CtlType = ODT_BUTTON;
        dis.itemAction = ODA_DRAWENTIRE;
        dis.itemState = state;
        dis.hwndItem = *button_;
        dis.hDC = s->dc();
        dis.rcItem = RECT{0, 0, 60, 20};
        host_->SendMessage(WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis));
        return s;
    }
    // The face a drawn pixel came from; checks the cut position too.
    static int LookAt(const Surface& s, int x, int y) {
        COLORREF c = s.At(x, y);
        EXPECT_EQ(kButtonRect.left + x, GetRValue(c));
        EXPECT_EQ(kButtonRect.top + y, GetGValue(c));
        return GetBValue(c);
    }
    void Hover() { button_->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5)); }

    static skintest::HostWnd* host_;
    static std::vector<ScopedBitmap> faces_;
    std::unique_ptr<CBitmapBtn> button_;
};
skintest::HostWnd* BitmapBtnTest::host_ = nullptr;
std::vector<ScopedBitmap> BitmapBtnTest::faces_;

}  // namespace

TEST_F(BitmapBtnTest, LooksFollowTheirPriority) {
    struct Case {
        const char* what;
        bool latched, hover;
        UINT state;
        int look;
    } cases[] = {
        {"rest", false, false, 0, kMain},
        {"hover", false, true, 0, kOver},
        {"pressed over hover", false, true, ODS_SELECTED, kDown},
        {"latched over hover", true, true, 0, kDown},
        {"latched", true, false, 0, kDown},
        {"disabled over latched and pressed", true, true, ODS_DISABLED | ODS_SELECTED, kDisabled},
        {"disabled", false, false, ODS_DISABLED, kDisabled},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        button_->SetLatched(c.latched);
        if (c.hover) Hover();
        ASSERT_EQ(c.hover, button_->IsHover());
        auto s = Draw(c.state);
        EXPECT_EQ(c.look, LookAt(*s, 0, 0));
        EXPECT_EQ(c.look, LookAt(*s, 59, 19));
        button_->SendMessage(WM_KILLFOCUS);  // ends the hover
        ReleaseCapture();
    }
}

TEST_F(BitmapBtnTest, MissingLookFallsBackToTheRestPicture) {
    CBitmapBtn bare;
    ASSERT_TRUE(bare.Create(kButtonRect, host_));
    bare.SetStateImages(faces_[0], nullptr, nullptr, nullptr, kButtonRect);
    Surface s(60, 20);
    bare.DrawLook(s.dc(), ODS_DISABLED);
    EXPECT_EQ(kMain, LookAt(s, 3, 3));
}

// A button of a window that keeps its faces draws from them where it stands,
// with no looks of its own; a look without a face shows the rest look.
TEST_F(BitmapBtnTest, SharedFacesAreDrawnFromWhereTheButtonStands) {
    FaceSet faces(faces_[0], nullptr, faces_[2], faces_[3]);
    button_->ShareFaces(faces, kButtonRect);
    EXPECT_EQ(kDown, LookAt(*Draw(ODS_SELECTED), 59, 19));
    EXPECT_EQ(kDisabled, LookAt(*Draw(ODS_DISABLED), 0, 0));
    Hover();
    EXPECT_EQ(kMain, LookAt(*Draw(0), 3, 3)) << "no Over face: the rest look";
    button_->SendMessage(WM_KILLFOCUS);
    ReleaseCapture();
    // Cutting again gives it looks of its own, which outlive the faces.
    button_->SetStateImages(faces, kButtonRect);
    EXPECT_EQ(kDown, LookAt(*Draw(ODS_SELECTED), 3, 3));
}

// Cutting again: a look given a face is cut anew, one without keeps its own
// pixels; one face may serve for several looks.
TEST_F(BitmapBtnTest, CuttingAgainReplacesOnlyTheLooksGivenAFace) {
    constexpr RECT moved{30, 16, 90, 36};
    button_->SetStateImages(faces_[1], nullptr, faces_[1], nullptr, moved);
    auto at = [](const Surface& s, int x, int y, const RECT& cut) {
        COLORREF c = s.At(x, y);
        EXPECT_EQ(cut.left + x, GetRValue(c));
        EXPECT_EQ(cut.top + y, GetGValue(c));
        return GetBValue(c);
    };
    EXPECT_EQ(kOver, at(*Draw(0), 59, 19, moved));
    EXPECT_EQ(kOver, at(*Draw(ODS_SELECTED), 0, 0, moved));
    EXPECT_EQ(kDisabled, at(*Draw(ODS_DISABLED), 59, 19, kButtonRect));
    Hover();
    EXPECT_EQ(kOver, at(*Draw(0), 0, 0, kButtonRect));
}

// A damaged skin entry's rectangle: nothing is cut (no bitmap of gigabytes, no
// overflow), and the button still draws.
TEST_F(BitmapBtnTest, AbsurdRectanglesCutNothing) {
    const RECT absurd[] = {
        {INT_MIN, INT_MIN, INT_MAX, INT_MAX},
        {0, 0, 100000, 100000},
        {0, 0, 16385, 10},
        {INT_MAX, 0, INT_MIN, 10},
    };
    for (const RECT& rc : absurd) {
        button_->SetStateImages(faces_[0], faces_[1], faces_[2], faces_[3], rc);
        EXPECT_TRUE(Draw(0)) << rc.left << "," << rc.top << "," << rc.right << "," << rc.bottom;
    }
}

// A look smaller than the button covers only its own size: the rest of the
// button shows what was there, never the look stored beside it.
TEST_F(BitmapBtnTest, LookSmallerThanTheButtonCoversOnlyItsSize) {
    button_->SetStateImages(faces_[0], faces_[1], faces_[2], faces_[3], RECT{10, 6, 40, 16});
    for (UINT state : {0u, static_cast<UINT>(ODS_SELECTED), static_cast<UINT>(ODS_DISABLED)}) {
        auto s = Draw(state);
        EXPECT_EQ(39, GetRValue(s->At(29, 9)));  // the look's last pixel, from (39, 15) of its face
        EXPECT_EQ(15, GetGValue(s->At(29, 9)));
        EXPECT_EQ(static_cast<COLORREF>(RGB(1, 2, 3)), s->At(30, 5));
        EXPECT_EQ(static_cast<COLORREF>(RGB(1, 2, 3)), s->At(5, 10));
        EXPECT_EQ(static_cast<COLORREF>(RGB(1, 2, 3)), s->At(59, 19));
    }
}

namespace {

struct Ink {
    int minX = 1 << 30, maxX = -1, minY = 1 << 30, maxY = -1;
    bool any() const { return maxX >= 0; }
};

// Whether text changed the pixel: it no longer shows the rest picture. The
// text is antialiased, so its edges blend white with the picture.
bool Inked(const Surface& s, int x, int y) {
    return s.At(x, y) != RGB(kButtonRect.left + x, kButtonRect.top + y, kMain);
}

// Where the text lies on the drawn button.
Ink TextInk(const Surface& s) {
    Ink ink;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 60; ++x)
            if (Inked(s, x, y)) {
                ink.minX = std::min(ink.minX, x);
                ink.maxX = std::max(ink.maxX, x);
                ink.minY = std::min(ink.minY, y);
                ink.maxY = std::max(ink.maxY, y);
            }
    return ink;
}

}  // namespace

TEST_F(BitmapBtnTest, TextIsDrawnWhiteInItsAreaOverThePicture) {
    button_->SetText(L"Go");
    auto s = Draw(0);
    Ink ink = TextInk(*s);
    ASSERT_TRUE(ink.any());
    EXPECT_GE(ink.minX, 5);
    EXPECT_LT(ink.maxX, 30);  // left-aligned
    bool white = false;
    for (int y = ink.minY; y <= ink.maxY; ++y)
        for (int x = ink.minX; x <= ink.maxX; ++x) white |= s->At(x, y) == RGB(255, 255, 255);
    EXPECT_TRUE(white);
    // The text area runs from half the height minus half the text height down to
    // the bottom; the line is centred in it, so it sits below the middle.
    EXPECT_GE(ink.minY, 6);
    // Pixels beside the text keep the picture.
    EXPECT_EQ(kMain, LookAt(*s, 40, 2));
}

TEST_F(BitmapBtnTest, LongTextEndsWithAnEllipsisInsideTheArea) {
    button_->SetText(L"MMMMMMMMMMMMMMMMMMMMMMMM");
    auto drawn = Draw(0);
    Ink ink = TextInk(*drawn);
    ASSERT_TRUE(ink.any());
    EXPECT_LT(ink.maxX, 60 - 10);
    // The end of the area holds the dots of an ellipsis: single-pixel-thin
    // columns of ink separated by picture, unlike the wide letters.
    int inkColumns = 0;
    for (int x = ink.maxX - 8; x <= ink.maxX; ++x) {
        bool column = false;
        for (int y = 0; y < 20; ++y) column |= Inked(*drawn, x, y);
        inkColumns += column;
    }
    EXPECT_LT(inkColumns, 8);
    // The dots sit on the baseline: the ink near the end is low, not full height.
    int tallest = 0;
    for (int x = ink.maxX - 2; x <= ink.maxX; ++x) {
        int h = 0;
        for (int y = 0; y < 20; ++y) h += Inked(*drawn, x, y);
        tallest = std::max(tallest, h);
    }
    EXPECT_LE(tallest, 3);
}

TEST_F(BitmapBtnTest, SetTextWaitsForTheNextPaint) {
    button_->UpdateWindow();
    button_->SetText(L"new");
    RECT update;
    EXPECT_FALSE(GetUpdateRect(*button_, &update, FALSE));
}

TEST_F(BitmapBtnTest, LatchingRepaintsOnlyOnAChange) {
    button_->UpdateWindow();
    RECT update;
    button_->SetLatched(false);
    EXPECT_FALSE(GetUpdateRect(*button_, &update, FALSE));
    button_->SetLatched(true);
    EXPECT_TRUE(GetUpdateRect(*button_, &update, FALSE));
    EXPECT_TRUE(button_->IsLatched());
}

TEST_F(BitmapBtnTest, IsOwnerDrawnWithIdZeroAndNoTabStop) {
    LONG style = GetWindowLongW(*button_, GWL_STYLE);
    EXPECT_EQ(BS_OWNERDRAW, style & BS_TYPEMASK);
    EXPECT_FALSE(style & WS_TABSTOP);
    EXPECT_FALSE(style & WS_BORDER);
    EXPECT_TRUE(style & WS_VISIBLE);
    EXPECT_EQ(0, GetDlgCtrlID(*button_));
    RECT rc;
    button_->GetWindowRect(&rc);
    EXPECT_EQ(60, rc.right - rc.left);
}

// A platform button of a dialog template, bound afterwards, becomes owner-drawn
// and leaves the Tab order; cutting its looks takes its border away.
TEST_F(BitmapBtnTest, BoundTemplateButtonBecomesOwnerDrawnWithoutTabStopOrBorder) {
    HWND plain = CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | BS_PUSHBUTTON, 10,
                                 6, 60, 20, *host_, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(nullptr, plain);
    CBitmapBtn bound;
    ASSERT_TRUE(bound.SubclassWindow(plain));
    bound.PreSubclassWindow();
    LONG style = GetWindowLongW(plain, GWL_STYLE);
    EXPECT_EQ(BS_OWNERDRAW, style & BS_TYPEMASK);
    EXPECT_FALSE(style & WS_TABSTOP);
    EXPECT_TRUE(style & WS_BORDER);
    bound.SetStateImages(faces_[0], faces_[1], faces_[2], faces_[3], kButtonRect);
    EXPECT_FALSE(GetWindowLongW(plain, GWL_STYLE) & WS_BORDER);
}

TEST_F(BitmapBtnTest, ClickIsNotifiedWithTheButtonsHandle) {
    button_->SendMessage(BM_CLICK);
    ASSERT_EQ(1u, host_->clicks.size());
    EXPECT_EQ(button_->m_hWnd, host_->clicks[0]);
    EXPECT_EQ(0, host_->ids[0]);
}

// A button with a click action runs it once per click, however the click
// comes, and the parent's OnCommand never sees it; a release off the button
// is no click.
TEST_F(BitmapBtnTest, ClickActionRunsOncePerClickInsteadOfTheParent) {
    const LPARAM on = MAKELPARAM(5, 5), off = MAKELPARAM(150, 60);
    struct Step {
        UINT message;
        LPARAM at;
    };
    struct Case {
        const char* what;
        std::vector<Step> steps;
        int runs;
    };
    const Case cases[] = {
        {"BM_CLICK", {{BM_CLICK, 0}}, 1},
        {"press and release", {{WM_LBUTTONDOWN, on}, {WM_LBUTTONUP, on}}, 1},
        {"quick second click", {{WM_LBUTTONDOWN, on}, {WM_LBUTTONUP, on}, {WM_LBUTTONDBLCLK, on}, {WM_LBUTTONUP, on}}, 2},
        {"release off the button", {{WM_LBUTTONDOWN, on}, {WM_LBUTTONUP, off}}, 0},
    };
    for (const Case& c : cases) {
        int runs = 0;
        button_->OnClick([&runs] { ++runs; });
        host_->clicks.clear();
        for (const Step& step : c.steps)
            button_->SendMessage(step.message, step.message == BM_CLICK ? 0 : MK_LBUTTON, step.at);
        ReleaseCapture();
        EXPECT_EQ(c.runs, runs) << c.what;
        EXPECT_TRUE(host_->clicks.empty()) << c.what;
    }
}

// The tooltip window belongs to the button: it goes with the button's window
// and with the button object.
TEST_F(BitmapBtnTest, TooltipWindowGoesWithTheButton) {
    for (bool destroyWindowFirst : {true, false}) {
        auto b = std::make_unique<CBitmapBtn>();
        ASSERT_TRUE(b->Create(kButtonRect, host_));
        b->SetTooltipText(L"tip");
        HWND tip = b->GetTooltip();
        ASSERT_TRUE(IsWindow(tip));
        if (destroyWindowFirst) {
            b->DestroyWindow();
            EXPECT_FALSE(IsWindow(tip)) << "window destroyed";
        }
        b.reset();
        EXPECT_FALSE(IsWindow(tip)) << destroyWindowFirst;
    }
}

TEST_F(BitmapBtnTest, TooltipHasOneToolWithTheLastText) {
    button_->SetTooltipText(nullptr);
    EXPECT_EQ(nullptr, button_->GetTooltip());
    button_->SetTooltipText(L"first");
    button_->SetTooltipText(L"second");
    HWND tip = button_->GetTooltip();
    ASSERT_NE(nullptr, tip);
    EXPECT_EQ(1, SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0));
    wchar_t text[64] = {};
    TOOLINFOW ti{};
    ti.cbSize = TTTOOLINFOW_V2_SIZE;
    ti.hwnd = *button_;
    ti.uId = 1;
    ti.lpszText = text;
    SendMessageW(tip, TTM_GETTEXTW, 64, reinterpret_cast<LPARAM>(&ti));
    EXPECT_STREQ(L"second", text);
    EXPECT_EQ(nullptr, GetWindow(tip, GW_OWNER));
}

// Tooltip windows of this thread (they are top-level, owned by nobody).
int CountTooltipWindows() {
    int count = 0;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hwnd, LPARAM counter) -> BOOL {
            wchar_t cls[64] = {};
            GetClassNameW(hwnd, cls, 64);
            if (lstrcmpiW(cls, TOOLTIPS_CLASSW) == 0) ++*reinterpret_cast<int*>(counter);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count;
}

// A window of many buttons must not start with a hidden tooltip window per
// button: the window is made when the mouse first reaches the button.
TEST_F(BitmapBtnTest, TooltipWindowIsMadeWhenTheMouseFirstArrives) {
    const int before = CountTooltipWindows();
    button_->SetTooltipText(L"Apply");
    EXPECT_EQ(before, CountTooltipWindows());
    MSG msg{*button_, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5), GetTickCount(), {15, 11}};
    button_->PreTranslateMessage(&msg);
    EXPECT_EQ(before + 1, CountTooltipWindows());
    EXPECT_EQ(L"Apply", skintest::TooltipOf(*button_));
    // A text set once the window exists reaches it at once, still as one tool.
    button_->SetTooltipText(L"Apply all");
    EXPECT_EQ(L"Apply all", skintest::TooltipOf(*button_));
    EXPECT_EQ(1, SendMessageW(button_->GetTooltip(), TTM_GETTOOLCOUNT, 0, 0));
}

// A jump from the button straight off the program's windows brings no move
// under Wine; the leave notice ends the hover instead.
TEST_F(BitmapBtnTest, LeaveNoticeEndsTheHoverAndGivesBackTheCapture) {
    Hover();
    ASSERT_TRUE(button_->IsHover());
    button_->SendMessage(WM_MOUSELEAVE, 0, 0);
    EXPECT_FALSE(button_->IsHover());
    EXPECT_NE(button_->m_hWnd, GetCapture());
    // A second notice changes nothing.
    button_->SendMessage(WM_MOUSELEAVE, 0, 0);
    EXPECT_FALSE(button_->IsHover());
}

TEST_F(BitmapBtnTest, HoverTakesTheCaptureAndEndsOverAnotherWindow) {
    Hover();
    EXPECT_TRUE(button_->IsHover());
    EXPECT_EQ(button_->m_hWnd, GetCapture());
    // Still over the button: nothing changes.
    Hover();
    EXPECT_TRUE(button_->IsHover());
    // Over the host, outside the button (client coordinates of the button).
    button_->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(80, 10));
    EXPECT_FALSE(button_->IsHover());
    EXPECT_EQ(nullptr, GetCapture());
}

TEST_F(BitmapBtnTest, LeavingWithTheButtonHeldKeepsTheCapture) {
    Hover();
    button_->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(80, 10));
    EXPECT_FALSE(button_->IsHover());
    EXPECT_EQ(button_->m_hWnd, GetCapture());
    // Held down and not hovering: moves are ignored, even back over the button.
    button_->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_FALSE(button_->IsHover());
}

TEST_F(BitmapBtnTest, LosingTheCaptureKeepsHoverUntilTheFocusGoes) {
    Hover();
    SetCapture(*host_);  // another window takes the mouse
    EXPECT_TRUE(button_->IsHover());
    EXPECT_EQ(host_->m_hWnd, GetCapture());  // not taken back from it
    ReleaseCapture();
    button_->SetFocus();
    host_->SetFocus();
    EXPECT_FALSE(button_->IsHover());
}

TEST_F(BitmapBtnTest, NothingHappensWhileAnotherProgramIsInFront) {
    // A window of another thread in front leaves this thread without an active
    // window, as another program would.
    HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    struct Ctx {
        HANDLE ready, done;
    } ctx{ready, done};
    HANDLE thread = CreateThread(
        nullptr, 0,
        [](void* p) -> DWORD {
            auto* c = static_cast<Ctx*>(p);
            HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_VISIBLE, 400, 400, 50, 50, nullptr,
                                         nullptr, nullptr, nullptr);
            SetForegroundWindow(other);
            SetEvent(c->ready);
            while (WaitForSingleObject(c->done, 10) == WAIT_TIMEOUT) skintest::PumpMessages();
            DestroyWindow(other);
            return 0;
        },
        &ctx, 0, nullptr);
    WaitForSingleObject(ready, 5000);
    skintest::PumpMessages();
    bool staged = GetActiveWindow() == nullptr;
    if (staged) {
        Hover();
        EXPECT_FALSE(button_->IsHover());
        EXPECT_EQ(nullptr, GetCapture());
    }
    SetEvent(done);
    WaitForSingleObject(thread, 5000);
    CloseHandle(thread);
    CloseHandle(ready);
    CloseHandle(done);
    if (!staged) GTEST_SKIP() << "the other thread's window did not take the activation";
}

TEST_F(BitmapBtnTest, OpeningAndClosingReleasesEverything) {
    button_.reset();
    skintest::PumpMessages();
    skintest::GuiCounts before;
    for (int i = 0; i < 50; ++i) {
        CBitmapBtn b;
        ASSERT_TRUE(b.Create(kButtonRect, host_));
        b.SetStateImages(faces_[0], faces_[1], faces_[2], faces_[3], kButtonRect);
        b.SetText(L"text");
        b.SetTooltipText(L"tip");
        Surface s(60, 20);
        b.DrawLook(s.dc(), 0);
    }
    skintest::PumpMessages();
    skintest::GuiCounts after;
    EXPECT_EQ(before.gdi, after.gdi);
    EXPECT_EQ(before.user, after.user);
    button_ = std::make_unique<CBitmapBtn>();
}
