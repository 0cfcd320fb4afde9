// LoadSkin and the behaviour every skinned dialog shares, on a test skin written
// into a temporary program folder.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <memory>
#include <vector>

#include "SkinTestSupport.h"
#include "TempDir.h"
#include "WidgetHost.h"
#include "app/AppContext.h"
#include "platform/TextCodec.h"
#include "skin/BitmapBtn.h"
#include "skin/SkinnedDialog.h"

using namespace zavo;
using skintest::FixturePath;

namespace {

constexpr UINT kTemplate = 900;  // an empty pop-up dialog in the test's resources
constexpr UINT WM_TEST_INIT = WM_APP + 1;
const COLORREF kMain = RGB(200, 100, 50), kOver = RGB(0, 160, 0), kDown = RGB(0, 0, 160), kOff = RGB(90, 90, 90);

const char* kSkin =
    "[SCREEN]\r\n"
    "Mask=mask.bmp\r\n"
    "Main=face.bmp\r\n"
    "Down=face-down.bmp\r\n"
    "Over=face-over.bmp\r\n"
    "Disabled=face-off.bmp\r\n"
    "[BUTTONINFO]\r\n"
    "1=OK,2,3,10,8,Okay,FALSE\r\n"
    "2=Cancel,22,3,12,8,Stop,TRUE\r\n"
    "3=Help,24,18,10,6,Help text,false\r\n";

class TestDialog : public CSkinDialog {
public:
    explicit TestDialog(const AppContext& app, CWnd* parent = nullptr) : CSkinDialog(kTemplate, app, parent) {}
    using CSkinDialog::PaintFace;
    CBitmapBtn m_Ok, m_Cancel, m_Help;
    std::function<void(TestDialog&)> onInit;

protected:
    std::wstring SkinFile() const override { return L"Test.ini"; }
    std::vector<SkinButtonSpec> SkinButtons() override {
        return {{L"1", &m_Ok, TooltipSource::Lang(9)},
                {L"2", &m_Cancel, TooltipSource::Fixed(L"Yes")},
                {L"3", &m_Help, TooltipSource::Entry()}};
    }
    BOOL OnInitDialog() override {
        PostMessage(WM_TEST_INIT);
        return CSkinDialog::OnInitDialog();
    }
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == WM_TEST_INIT && onInit) {
            onInit(*this);
            return 0;
        }
        return CSkinDialog::WindowProc(msg, wParam, lParam);
    }
};

void WriteFile(const std::wstring& path, const std::string& bytes) {
    std::ofstream out(text::ToUtf8(path).c_str(), std::ios::binary);
    out << bytes;
}

RECT RectInParent(HWND child) {
    RECT rc;
    GetWindowRect(child, &rc);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

COLORREF DrawnAt(CBitmapBtn& button, UINT state, int x, int y) {
    skintest::Surface s(12, 8);
    button.DrawLook(s.dc(), state);
    return s.At(x, y);
}

class SkinDialogTest : public testing::Test {
protected:
    void SetUp() override {
        CreateDirectoryW((folder_.path() + L"Skins").c_str(), nullptr);
        for (const wchar_t* name : {L"mask.bmp", L"face.bmp", L"face-down.bmp", L"face-over.bmp", L"face-off.bmp"})
            CopyFileW(FixturePath(name).c_str(), (folder_.path() + L"Skins\\" + name).c_str(), FALSE);
        WriteSkin(kSkin);
        app_.programFolder = folder_.path();
        app_.langTexts.assign(LANG_TEXT_COUNT, L"");
        app_.langTexts[9] = L"Accept";
    }
    void WriteSkin(const std::string& text) { WriteFile(folder_.path() + L"Skins\\Test.ini", text); }

    TempDir folder_;
    AppContext app_;
};

}  // namespace

TEST_F(SkinDialogTest, LoadsFaceButtonsAndTooltips) {
    TestDialog dlg(app_);
    ASSERT_TRUE(dlg.Create(kTemplate));
    RECT rc;
    dlg.GetWindowRect(&rc);
    EXPECT_EQ(40, rc.right - rc.left);
    EXPECT_EQ(30, rc.bottom - rc.top);

    EXPECT_EQ((RECT{2, 3, 12, 11}.right), RectInParent(dlg.m_Ok).right);
    EXPECT_EQ(2, RectInParent(dlg.m_Ok).left);
    EXPECT_EQ(11, RectInParent(dlg.m_Ok).bottom);
    for (CBitmapBtn* b : {&dlg.m_Ok, &dlg.m_Cancel, &dlg.m_Help}) {
        EXPECT_EQ(0, GetDlgCtrlID(*b));
        EXPECT_EQ(dlg.m_hWnd, GetParent(*b));
        EXPECT_TRUE(IsWindowVisible(*b) || !dlg.IsWindowVisible());
    }
    EXPECT_FALSE(dlg.m_Ok.IsLatched());
    EXPECT_TRUE(dlg.m_Cancel.IsLatched());
    EXPECT_FALSE(dlg.m_Help.IsLatched());  // the flag in small letters does not latch
    EXPECT_EQ(L"Accept", skintest::TooltipOf(dlg.m_Ok));
    EXPECT_EQ(L"Yes", skintest::TooltipOf(dlg.m_Cancel));
    EXPECT_EQ(L"Help text", skintest::TooltipOf(dlg.m_Help));
    dlg.DestroyWindow();
}

TEST_F(SkinDialogTest, ButtonsAreCutFromTheFourFaces) {
    TestDialog dlg(app_);
    ASSERT_TRUE(dlg.Create(kTemplate));
    // Help lies on the plain part of every face: each look has its face's colour.
    EXPECT_EQ(kMain, DrawnAt(dlg.m_Help, 0, 1, 1));
    EXPECT_EQ(kDown, DrawnAt(dlg.m_Help, ODS_SELECTED, 1, 1));
    EXPECT_EQ(kOff, DrawnAt(dlg.m_Help, ODS_DISABLED, 1, 1));
    EXPECT_EQ(kDown, DrawnAt(dlg.m_Cancel, 0, 1, 1));  // latched
    // OK starts at (2, 3), inside the dark block of the faces that ends at x 20.
    EXPECT_EQ(RGB(10, 20, 30), DrawnAt(dlg.m_Ok, 0, 0, 0));
    dlg.m_Help.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(1, 1));
    ASSERT_TRUE(dlg.m_Help.IsHover());
    EXPECT_EQ(kOver, DrawnAt(dlg.m_Help, 0, 1, 1));
    ReleaseCapture();
    dlg.DestroyWindow();
}

TEST_F(SkinDialogTest, ShapeComesFromTheMaskAndTheFaceIsPainted) {
    TestDialog dlg(app_);
    ASSERT_TRUE(dlg.Create(kTemplate));
    HRGN shape = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(ERROR, GetWindowRgn(dlg, shape));
    EXPECT_FALSE(PtInRegion(shape, 1, 1));  // the white corner
    EXPECT_TRUE(PtInRegion(shape, 5, 1));
    EXPECT_TRUE(PtInRegion(shape, 39, 29));
    DeleteObject(shape);
    skintest::Surface s(40, 30);
    dlg.PaintFace(s.dc());
    EXPECT_TRUE(skintest::Near(kMain, s.At(30, 20)));
    EXPECT_TRUE(skintest::Near(RGB(10, 20, 30), s.At(3, 3)));
    dlg.DestroyWindow();
    EXPECT_TRUE(dlg.m_Background.Empty());
    EXPECT_TRUE(dlg.m_Mask.Empty());
}

TEST_F(SkinDialogTest, PressOnTheBackgroundStartsACaptionDrag) {
    TestDialog dlg(app_);
    ASSERT_TRUE(dlg.Create(kTemplate));
    dlg.SetWindowPos(nullptr, 200, 150, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    dlg.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 20));
    MSG msg{};
    ASSERT_TRUE(PeekMessageW(&msg, dlg, WM_NCLBUTTONDOWN, WM_NCLBUTTONDOWN, PM_REMOVE));
    EXPECT_EQ(static_cast<WPARAM>(HTCAPTION), msg.wParam);
    POINT screen{30, 20};
    dlg.ClientToScreen(&screen);
    EXPECT_EQ(screen.x, static_cast<short>(LOWORD(msg.lParam)));
    EXPECT_EQ(screen.y, static_cast<short>(HIWORD(msg.lParam)));
    dlg.DestroyWindow();
}

TEST_F(SkinDialogTest, ModalDialogIsCentredOverItsOwner) {
    skintest::HostWnd owner;
    ASSERT_TRUE(owner.Open(300, 200, 400, 300));
    TestDialog dlg(app_, &owner);
    RECT placed{};
    dlg.onInit = [&](TestDialog& d) {
        d.GetWindowRect(&placed);
        d.EndDialog(IDOK);
    };
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ(300 + (400 - 40) / 2, placed.left);
    EXPECT_EQ(200 + (300 - 30) / 2, placed.top);
    EXPECT_EQ(40, placed.right - placed.left);
}

TEST_F(SkinDialogTest, MissingSkinStillOpensAPlainWindow) {
    WriteSkin("");
    DeleteFileW((folder_.path() + L"Skins\\Test.ini").c_str());
    TestDialog dlg(app_);
    ASSERT_TRUE(dlg.Create(kTemplate));
    EXPECT_TRUE(dlg.m_Background.Empty());
    HRGN shape = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(ERROR, GetWindowRgn(dlg, shape));  // keeps its rectangle
    DeleteObject(shape);
    ASSERT_TRUE(dlg.m_Ok.IsWindow());  // the buttons exist, covering nothing
    RECT rc = RectInParent(dlg.m_Ok);
    EXPECT_EQ(rc.left, rc.right);
    skintest::Surface s(4, 4);
    dlg.PaintFace(s.dc());
    dlg.m_Ok.DrawLook(s.dc(), 0);
    dlg.DestroyWindow();
}

TEST_F(SkinDialogTest, DamagedPicturesAreNamedAndTheWindowKeepsAVisibleSize) {
    struct Case {
        const char* what;
        std::vector<const wchar_t*> emptied;
        const wchar_t* named;
        bool templateSize;  // else the mask's 40 x 30
    };
    const Case cases[] = {
        {"face empty: the mask gives the size", {L"face.bmp"}, L"Skins\\face.bmp", false},
        {"face and mask empty: the template's size, the face named",
         {L"mask.bmp", L"face.bmp"},
         L"Skins\\face.bmp",
         true},
        {"a look empty: named, the face still sizes", {L"face-over.bmp"}, L"Skins\\face-over.bmp", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        for (const wchar_t* name : c.emptied) WriteFile(folder_.path() + L"Skins\\" + name, "");
        TestDialog dlg(app_);
        ASSERT_TRUE(dlg.Create(kTemplate));
        EXPECT_NE(dlg.DamagedPicture().find(c.named), std::wstring::npos) << text::ToUtf8(dlg.DamagedPicture());
        RECT rc;
        dlg.GetWindowRect(&rc);
        if (c.templateSize) {
            EXPECT_GT(rc.right - rc.left, 40);
            EXPECT_GT(rc.bottom - rc.top, 30);
        } else {
            EXPECT_EQ(40, rc.right - rc.left);
            EXPECT_EQ(30, rc.bottom - rc.top);
        }
        dlg.DestroyWindow();
    }
}

TEST_F(SkinDialogTest, EditedSkinTakesEffectAtTheNextOpening) {
    {
        TestDialog dlg(app_);
        ASSERT_TRUE(dlg.Create(kTemplate));
        EXPECT_EQ(2, RectInParent(dlg.m_Ok).left);
        dlg.DestroyWindow();
    }
    std::string edited = kSkin;
    edited.replace(edited.find("1=OK,2,"), 7, "1=OK,7,");
    WriteSkin(edited);
    TestDialog dlg(app_);
    ASSERT_TRUE(dlg.Create(kTemplate));
    EXPECT_EQ(7, RectInParent(dlg.m_Ok).left);
    dlg.DestroyWindow();
}

TEST_F(SkinDialogTest, ReopenedDialogObjectGetsFreshButtonsAndTooltips) {
    TestDialog dlg(app_);
    for (int i = 0; i < 2; ++i) {
        ASSERT_TRUE(dlg.Create(kTemplate));
        EXPECT_EQ(L"Accept", skintest::TooltipOf(dlg.m_Ok)) << i;
        dlg.DestroyWindow();
        EXPECT_EQ(nullptr, dlg.m_Ok.GetTooltip());
    }
}

TEST_F(SkinDialogTest, OpeningAndClosingReleasesEverything) {
    {
        TestDialog warmUp(app_);  // the first opening loads libraries and classes for good
        warmUp.Create(kTemplate);
        warmUp.DestroyWindow();
    }
    skintest::GuiCounts before;
    for (int i = 0; i < 50; ++i) {
        TestDialog dlg(app_);
        ASSERT_TRUE(dlg.Create(kTemplate));
        dlg.UpdateWindow();
        dlg.DestroyWindow();
    }
    skintest::PumpMessages();
    skintest::GuiCounts after;
    EXPECT_EQ(before.gdi, after.gdi);
    EXPECT_EQ(before.user, after.user);
}

// A window moved to a display of another scale (WM_DPICHANGED carries the new
// DPI; under Wine the window's own DPI stays the system's) is drawn from that
// scale's set: size, shape, face and button places, and back again.
class SkinDialogScaleTest : public SkinDialogTest {
protected:
    void SetUp() override {
        SkinDialogTest::SetUp();
        const std::wstring set = folder_.path() + L"Skins\\200\\";
        CreateDirectoryW(set.c_str(), nullptr);
        for (const wchar_t* name : {L"mask.bmp", L"face.bmp", L"face-down.bmp", L"face-over.bmp", L"face-off.bmp"})
            CopyFileW(FixturePath(std::wstring(L"200\\") + name).c_str(), (set + name).c_str(), FALSE);
        WriteFile(set + L"Test.ini",
                  "[SCREEN]\r\nMask=mask.bmp\r\nMain=face.bmp\r\nDown=face-down.bmp\r\nOver=face-over.bmp\r\n"
                  "Disabled=face-off.bmp\r\n[BUTTONINFO]\r\n1=OK,4,6,20,16,Okay,FALSE\r\n"
                  "2=Cancel,44,6,24,16,Stop,TRUE\r\n3=Help,48,36,20,12,Help text,false\r\n");
        app_.skinScales = {100, 200};
    }

    static void ChangeDpi(TestDialog& dlg, UINT dpi, const RECT& suggested) {
        dlg.SendMessage(WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    }
};

TEST_F(SkinDialogScaleTest, DpiChangeDrawsTheWindowFromTheNewScalesSet) {
    TestDialog dlg(app_);
    ASSERT_TRUE(dlg.Create(kTemplate));
    ASSERT_EQ(100, dlg.Scale());
    dlg.m_Help.EnableWindow(FALSE);
    dlg.m_Ok.SetLatched(true);

    ChangeDpi(dlg, 192, RECT{50, 60, 130, 120});
    EXPECT_EQ(200, dlg.Scale());
    RECT rc;
    dlg.GetWindowRect(&rc);
    EXPECT_EQ((RECT{50, 60, 130, 120}.left), rc.left);
    EXPECT_EQ(60, rc.top);
    EXPECT_EQ(80, rc.right - rc.left);
    EXPECT_EQ(60, rc.bottom - rc.top);
    // The buttons lie, and answer, at the rectangles of the 200 % file, and
    // keep the state the window gave them.
    EXPECT_EQ(4, RectInParent(dlg.m_Ok).left);
    EXPECT_EQ(24, RectInParent(dlg.m_Ok).right);
    EXPECT_EQ(22, RectInParent(dlg.m_Ok).bottom);
    EXPECT_EQ(dlg.m_Help.m_hWnd, ChildWindowFromPointEx(dlg, POINT{60, 45}, CWP_ALL));
    EXPECT_FALSE(dlg.m_Help.IsWindowEnabled());
    EXPECT_TRUE(dlg.m_Ok.IsLatched());
    // The 200 % face: its dark block ends at (40, 30), the 100 % one at (20, 15).
    skintest::Surface s(80, 60);
    dlg.PaintFace(s.dc());
    EXPECT_TRUE(skintest::Near(RGB(10, 20, 30), s.At(30, 20)));
    EXPECT_TRUE(skintest::Near(kMain, s.At(70, 50)));
    HRGN shape = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(ERROR, GetWindowRgn(dlg, shape));
    EXPECT_FALSE(PtInRegion(shape, 6, 6));  // the mask's corner, twice as large
    EXPECT_TRUE(PtInRegion(shape, 79, 59));
    DeleteObject(shape);

    // Back at 100 %, and at 150 %, which the skin has no set for: the window
    // keeps the 100 % faces and stays usable.
    for (const UINT dpi : {96u, 144u}) {
        ChangeDpi(dlg, dpi, RECT{10, 20, 70, 65});
        EXPECT_EQ(100, dlg.Scale()) << dpi;
        dlg.GetWindowRect(&rc);
        EXPECT_EQ(40, rc.right - rc.left) << dpi;
        EXPECT_EQ(12, RectInParent(dlg.m_Ok).right) << dpi;
        ChangeDpi(dlg, 192, RECT{0, 0, 80, 60});
    }
    dlg.DestroyWindow();
}

TEST_F(SkinDialogScaleTest, TwentyScaleChangesLeakNothing) {
    TestDialog dlg(app_);
    ASSERT_TRUE(dlg.Create(kTemplate));
    // The first change makes what stays for good (the template font at the new DPI).
    ChangeDpi(dlg, 192, RECT{0, 0, 80, 60});
    ChangeDpi(dlg, 96, RECT{0, 0, 40, 30});
    dlg.UpdateWindow();
    skintest::PumpMessages();
    skintest::GuiCounts before;
    for (int i = 0; i < 20; ++i) {
        ChangeDpi(dlg, i % 2 ? 96 : 192, RECT{0, 0, 80, 60});
        dlg.UpdateWindow();
    }
    ChangeDpi(dlg, 96, RECT{0, 0, 40, 30});
    skintest::PumpMessages();
    skintest::GuiCounts after;
    EXPECT_EQ(before.gdi, after.gdi);
    EXPECT_EQ(before.user, after.user);
    dlg.DestroyWindow();
}
