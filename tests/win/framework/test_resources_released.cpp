// Opening and closing dialogs leaves the process's GDI and USER object counts
// where they were.
#include <gtest/gtest.h>

#include "Recorder.h"
#include "TestIds.h"
#include "framework/Controls.h"
#include "framework/Gdi.h"
#include "GuiResources.h"

namespace zavo::test {
namespace {

TEST(GuiCounts, SeeOneMoreBrushAndOneMoreWindow) {
    GuiObjectCounts before = CountGuiObjects();
    ScopedBrush brush(::CreateSolidBrush(RGB(1, 2, 3)));
    CWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, CWnd::RegisterWndClass(0), L"", WS_POPUP, 0, 0, 5, 5, nullptr, 0));
    GuiObjectCounts during = CountGuiObjects();
    EXPECT_GT(during.gdi, before.gdi);
    EXPECT_GT(during.user, before.user);
    wnd.DestroyWindow();
    brush.Reset();
    EXPECT_EQ(CountGuiObjects(), before);
}

// A dialog that uses every owner of Gdi.h the way the skinned windows do: a
// shape region given to the window, a font on a control, a brush for a
// control's colour, a back buffer drawn through a memory DC while painting.
struct BusyDialog : CDialog {
    BusyDialog() : CDialog(IDD_TEST_OWNERDRAW) {}
    ScopedFont font;
    ScopedBrush brush;
    CStatic label;
    CButton drawn;

    void DoDataExchange(CDataExchange* dx) override {
        DDX_Control(dx, IDC_TEST_STATIC, label);
        DDX_Control(dx, IDC_TEST_DRAWN, drawn);
    }
    int OnCreate(CREATESTRUCTW* cs) override {
        ScopedRgn shape(::CreateRoundRectRgn(0, 0, 200, 120, 16, 16));
        if (SetWindowRgn(shape, FALSE)) shape.Release();
        return CDialog::OnCreate(cs);
    }
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        font.Reset(::CreateFontW(-12, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma"));
        label.SetFont(font);
        brush.Reset(::CreateSolidBrush(RGB(20, 20, 30)));
        PostMessage(WM_CLOSE);
        return TRUE;
    }
    HBRUSH OnCtlColor(HDC dc, HWND child, UINT type) override { return brush; }
    void OnPaint() override {
        PaintDC dc(m_hWnd);
        RECT rc;
        GetClientRect(&rc);
        MemoryDC mem(dc);
        ScopedBitmap back(::CreateCompatibleBitmap(dc, rc.right, rc.bottom));
        ScopedSelect keep(mem, back);
        ScopedPen pen(::CreatePen(PS_SOLID, 2, RGB(200, 40, 40)));
        ScopedSelect keepPen(mem, pen);
        ::FillRect(mem, &rc, brush);
        ::MoveToEx(mem, 0, 0, nullptr);
        ::LineTo(mem, rc.right, rc.bottom);
        ::BitBlt(dc, 0, 0, rc.right, rc.bottom, mem, 0, 0, SRCCOPY);
    }
};

TEST(ResourcesReleased, FiftyModalOpeningsLeaveTheCountsAsTheyWere) {
    {
        BusyDialog warmUp;
        warmUp.DoModal();
    }  // first use loads classes, fonts, themes
    GuiObjectCounts before = CountGuiObjects();
    for (int i = 0; i < 50; ++i) {
        BusyDialog dlg;
        ASSERT_EQ(dlg.DoModal(), IDCANCEL) << "opening " << i;
    }
    EXPECT_EQ(CountGuiObjects().gdi, before.gdi);
    EXPECT_EQ(CountGuiObjects().user, before.user);
}

}  // namespace
}  // namespace zavo::test
