// The executable's resources: every dialog template opens with its controls,
// the icon and indicators load at their sizes, and the loading animation has
// the frames and timing the loading dialog plays.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include <windows.h>
#include <objidl.h>
#include <propidl.h>
namespace Gdiplus {
using std::max;
using std::min;
}  // namespace Gdiplus
#include <gdiplus.h>

#include "framework/Dialog.h"
#include "framework/Gdi.h"
#include "framework/GdiplusSession.h"
#include "resource.h"
#include "skin/SkinWindows.h"

namespace zavo::test {
namespace {

struct TemplateCase {
    UINT id;
    std::vector<int> controls;  // ids the windows bind
    DWORD style;                // styles the window must have
};

class Templates : public ::testing::TestWithParam<TemplateCase> {};

TEST_P(Templates, OpenWithTheirControls) {
    const TemplateCase& c = GetParam();
    CDialog dlg(c.id);
    ASSERT_TRUE(dlg.Create(c.id)) << "template " << c.id;
    for (int id : c.controls) EXPECT_NE(dlg.GetDlgItem(id), nullptr) << "control " << id;
    // Nothing else: a control the window does not place would sit where the
    // skin draws nothing, unseen, and could still take the focus.
    size_t children = 0;
    for (HWND child = ::GetWindow(dlg.m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) ++children;
    EXPECT_EQ(children, c.controls.size()) << "template " << c.id;
    EXPECT_EQ(dlg.GetStyle() & c.style, c.style);
    EXPECT_EQ(dlg.GetStyle() & (WS_CAPTION | WS_THICKFRAME), 0u) << "skinned windows have no frame";
    dlg.DestroyWindow();
}

INSTANTIATE_TEST_SUITE_P(
    All, Templates,
    ::testing::Values(TemplateCase{IDD_ZAVOCONFIG_DIALOG, {}, WS_POPUP | WS_VISIBLE},
                      TemplateCase{IDD_SINGLEKEY, {IDC_SRC_KEY, IDC_DST_KEY}, WS_POPUP | WS_SYSMENU},
                      TemplateCase{IDD_TKEY, {}, WS_POPUP | WS_SYSMENU}, TemplateCase{IDD_PROFILE_MENU, {}, WS_POPUP},
                      TemplateCase{IDD_CMD_MENU, {}, WS_POPUP}, TemplateCase{IDD_INSTSHIFT, {}, WS_POPUP | WS_SYSMENU},
                      TemplateCase{IDD_REPEAT_TIMES, {IDC_REPEAT_COUNT}, WS_POPUP | WS_SYSMENU},
                      TemplateCase{IDD_MACRO_SETTING,
                                   {IDC_EVENT_LIST, IDC_DELAY_LIST, IDC_DELAY_VALUE, IDC_DEFAULT_DELAY},
                                   WS_POPUP | WS_SYSMENU},
                      TemplateCase{IDD_NEW_MACRO, {IDC_MACRO_NAME}, WS_POPUP | WS_SYSMENU},
                      TemplateCase{IDD_LIGHT_OPTION, {}, WS_POPUP | WS_SYSMENU},
                      TemplateCase{IDD_WARNING, {}, WS_POPUP | WS_SYSMENU},
                      TemplateCase{IDD_MACRO_NAME_MENU, {}, WS_POPUP},
                      TemplateCase{IDD_LOADING, {}, WS_POPUP | WS_SYSMENU}));

TEST(Resources, TemplateControlsCarryTheirStartTexts) {
    CDialog editor(IDD_MACRO_SETTING);
    ASSERT_TRUE(editor.Create(IDD_MACRO_SETTING));
    wchar_t text[8];
    ::GetDlgItemTextW(editor, IDC_DELAY_VALUE, text, 8);
    EXPECT_STREQ(text, L"0");
    ::GetDlgItemTextW(editor, IDC_DEFAULT_DELAY, text, 8);
    EXPECT_STREQ(text, L"50");
    EXPECT_TRUE(::GetWindowLongPtrW(editor.GetDlgItem(IDC_DELAY_VALUE), GWL_STYLE) & ES_NUMBER);
    editor.DestroyWindow();

    CDialog single(IDD_SINGLEKEY);
    ASSERT_TRUE(single.Create(IDD_SINGLEKEY));
    EXPECT_FALSE(::IsWindowEnabled(single.GetDlgItem(IDC_SRC_KEY)));
    EXPECT_TRUE(::IsWindowEnabled(single.GetDlgItem(IDC_DST_KEY)));
    single.DestroyWindow();
}

// At every display scale each indicator is built in under the id the main
// window asks for, and fills the scaled indicator place exactly (22 x 22 at
// 100 %, 28 x 27 at 125 %): drawn for it, not stretched into it.
TEST(Resources, IndicatorsFillTheirPlaceAtEveryScale) {
    for (const int percent : SKIN_SCALES) {
        const SkinRect place = ScaleRect(MAIN_INDICATOR_PLACE, percent);
        for (int id : {IDB_INDICATOR_DEFAULT, IDB_INDICATOR_LAUNCH, IDB_INDICATOR_KEY, IDB_INDICATOR_MACRO}) {
            ScopedBitmap bmp(
                ::LoadBitmapW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(ScaledPictureId(id, percent))));
            ASSERT_TRUE(bmp) << id << " at " << percent;
            BITMAP info{};
            ::GetObjectW(bmp, sizeof(info), &info);
            EXPECT_EQ(info.bmWidth, place.right - place.left) << id << " at " << percent;
            EXPECT_EQ(info.bmHeight, place.bottom - place.top) << id << " at " << percent;
        }
    }
}

// The small and large icon at every display scale (16/32 at 100 % .. 32/64 at
// 200 %) are drawn at their size, not resized by the system.
TEST(Resources, IconHasTheSizesTheShellAsksFor) {
    for (int size : {16, 20, 24, 32, 40, 48, 64}) {
        HICON icon = static_cast<HICON>(
            ::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME), IMAGE_ICON, size, size, 0));
        ASSERT_NE(icon, nullptr) << size;
        ICONINFO info{};
        ASSERT_TRUE(::GetIconInfo(icon, &info));
        BITMAP bm{};
        ::GetObjectW(info.hbmColor, sizeof(bm), &bm);
        EXPECT_EQ(bm.bmWidth, size);
        ::DeleteObject(info.hbmColor);
        ::DeleteObject(info.hbmMask);
        ::DestroyIcon(icon);
    }
}

// The animation resource `name`: `side` pixels square, twelve frames of
// 20/100 s that loop for ever.
void ExpectLoadAnimation(const std::wstring& name, UINT side) {
    HMODULE self = ::GetModuleHandleW(nullptr);
    HRSRC res = ::FindResourceW(self, name.c_str(), L"GIF");
    ASSERT_NE(res, nullptr);
    DWORD size = ::SizeofResource(self, res);
    const void* data = ::LockResource(::LoadResource(self, res));
    HGLOBAL copy = ::GlobalAlloc(GMEM_MOVEABLE, size);
    std::copy_n(static_cast<const char*>(data), size, static_cast<char*>(::GlobalLock(copy)));
    ::GlobalUnlock(copy);
    IStream* stream = nullptr;
    ASSERT_EQ(::CreateStreamOnHGlobal(copy, TRUE, &stream), S_OK);
    {
        Gdiplus::Image image(stream);
        ASSERT_EQ(image.GetLastStatus(), Gdiplus::Ok);
        EXPECT_EQ(image.GetWidth(), side);
        EXPECT_EQ(image.GetHeight(), side);
        GUID dimension = Gdiplus::FrameDimensionTime;
        EXPECT_EQ(image.GetFrameCount(&dimension), 12u);

        UINT delaySize = image.GetPropertyItemSize(PropertyTagFrameDelay);
        std::vector<char> delayBuf(delaySize);
        auto* delays = reinterpret_cast<Gdiplus::PropertyItem*>(delayBuf.data());
        ASSERT_EQ(image.GetPropertyItem(PropertyTagFrameDelay, delaySize, delays), Gdiplus::Ok);
        ASSERT_EQ(delays->length, 12 * sizeof(LONG));
        for (int i = 0; i < 12; ++i) EXPECT_EQ(static_cast<LONG*>(delays->value)[i], 20) << i;

        UINT loopSize = image.GetPropertyItemSize(PropertyTagLoopCount);
        std::vector<char> loopBuf(loopSize);
        auto* loop = reinterpret_cast<Gdiplus::PropertyItem*>(loopBuf.data());
        ASSERT_EQ(image.GetPropertyItem(PropertyTagLoopCount, loopSize, loop), Gdiplus::Ok);
        EXPECT_EQ(*static_cast<SHORT*>(loop->value), 0) << "0 = loop for ever";
    }
    stream->Release();
}

// At every display scale: 173 x 173 at 100 %, that size scaled at the others.
TEST(Resources, LoadAnimationIsTwelveLoopingFramesOfTwentyHundredths) {
    GdiplusSession gdiplus;
    ASSERT_TRUE(gdiplus.Ok());
    for (const int percent : SKIN_SCALES) {
        SCOPED_TRACE(percent);
        ExpectLoadAnimation(ScaledPictureName(L"LOAD", percent), static_cast<UINT>(ScalePixel(173, percent)));
    }
}

}  // namespace
}  // namespace zavo::test
