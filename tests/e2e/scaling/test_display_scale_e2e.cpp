// The tool on a display of the DPI its Wine prefix runs at (ZAVO_DPI; see
// tools/dpi-prefix.sh): the main window and the skinned dialogs open at the
// size of their skin set for that scale and show that set's pictures pixel for
// pixel (a face the system enlarged would be blurred and miss them), and the
// indicator is the one drawn for the scale.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "ToolRun.h"
#include "config/Ini.h"
#include "platform/TextCodec.h"
#include "platform/Win32Handle.h"
#include "resource.h"
#include "skin/SkinWindows.h"

using namespace zavo;
using namespace zavo::e2e;

namespace {

constexpr int KEY_Q = 46;  // a standard key of the skin's keyboard (STANDER-KEYS k + 20)

// The face picture `key` ("Main", "Mask" ...) a description file of the run's
// set names, loaded as a bitmap (BMP faces only; null for others).
ScopedBitmap SetFace(const std::wstring& file, const wchar_t* key) {
    const std::wstring name = Settings().IniReadString(SkinSetPath(file), L"SCREEN", key, L"");
    return ScopedBitmap(static_cast<HBITMAP>(
        LoadImageW(nullptr, SkinSetPath(name).c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
}

SIZE BitmapSize(HBITMAP bmp) {
    BITMAP info{};
    GetObjectW(bmp, sizeof(info), &info);
    return SIZE{info.bmWidth, info.bmHeight};
}

SIZE ClientSize(HWND window) {
    RECT r{};
    GetClientRect(window, &r);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

// The window shows its set's "Main" face unchanged over `r` (client pixels).
bool ShowsFace(HWND window, const std::wstring& file, const SkinRect& r) {
    const ScopedBitmap face = SetFace(file, L"Main");
    const RECT place{r.left, r.top, r.right, r.bottom};
    const std::vector<DWORD> expected = BitmapPixels(face.Get(), r.left, r.top, r.right - r.left, r.bottom - r.top);
    return !expected.empty() && CapturePixels(window, place) == expected;
}

class DisplayScale : public testing::Test {
protected:
    void SetUp() override {
        // Mode 1: every key can be chosen, so all show their rest face.
        auto config = PresentConfig();
        config->Mode = 1;
        WriteSettings(run_.Data(), *config);
        ASSERT_TRUE(run_.Start());
    }
    ToolRun run_;
};

}  // namespace

// The prefix really runs at its DPI: without this every other check here would
// test 100 % again.
TEST(DisplayScalePrefix, TheSystemRunsAtTheDpiOfThePrefix) { EXPECT_EQ(GetDpiForSystem(), RunDpi()); }

TEST_F(DisplayScale, MainWindowHasItsSetsSizeFaceAndIndicator) {
    const ScopedBitmap face = SetFace(L"main.ini", L"Main");
    ASSERT_TRUE(face) << text::ToUtf8(SkinSetPath(L"main.ini"));
    const SIZE expected = BitmapSize(face.Get()), shown = ClientSize(run_.Main());
    EXPECT_EQ(shown.cx, expected.cx);
    EXPECT_EQ(shown.cy, expected.cy);
    Shot(L"display-scale-main-" + std::to_wstring(RunScale()), run_.Main());

    // Keys at rest, a T-key and standard keys across the board, show the set's
    // face where the set's description puts them.
    for (const SkinRect& key : {TKeyRect(0), TKeyRect(9), StandardKeyRect(KEY_Q), StandardKeyRect(0)})
        EXPECT_EQ(FaceShownAt(run_.Main(), key), KeyLook::Rest) << key.left << "," << key.top;

    const ScopedModule exe(LoadLibraryExW(BinPath(L"ZAVOConfig.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
    EXPECT_TRUE(IndicatorShows(run_.Main(), exe.Get(), IDB_INDICATOR_DEFAULT));
}

// Each skinned dialog a command opens: the size of its set's face, and that
// face shown unchanged along its top edge.
TEST_F(DisplayScale, DialogsOpenAtTheirSetsSizeWithItsFace) {
    struct Case {
        int command;
        const wchar_t* file;
    } cases[] = {
        {cmd::ASSIGN_KEY, L"SingleKey.ini"},
        {cmd::ASSIGN_MACRO, L"TKeys.ini"},
        {cmd::INSTANT_SHIFT, L"INSTANTSHIFTSYS.ini"},
        {cmd::MACRO_EDITOR, L"MacroSetting.ini"},
    };
    ASSERT_TRUE(ClickAt(run_.Main(), StandardKeyPoint(KEY_Q)));
    for (const Case& c : cases) {
        SCOPED_TRACE(text::ToUtf8(c.file));
        ASSERT_TRUE(run_.ClickCommand(c.command));
        const HWND dialog = run_.WaitOtherWindow();
        ASSERT_TRUE(dialog);
        const ScopedBitmap face = SetFace(c.file, L"Main");
        ASSERT_TRUE(face);
        const SIZE expected = BitmapSize(face.Get());
        // The window waits until it has painted before it is looked at.
        ASSERT_TRUE(WaitUntil([&] { return ClientSize(dialog).cx == expected.cx; }, Ms(3000)))
            << ClientSize(dialog).cx << " wide, the face " << expected.cx;
        EXPECT_EQ(ClientSize(dialog).cy, expected.cy);
        const int mid = expected.cx / 2, top = ScalePixel(2, RunScale());
        EXPECT_TRUE(WaitUntil([&] { return ShowsFace(dialog, c.file, SkinRect{mid - 8, top, mid + 8, top + 4}); },
                              Ms(3000)));
        Shot(L"display-scale-" + std::to_wstring(RunScale()) + L"-" + c.file, dialog);
        PostMessageW(dialog, WM_CLOSE, 0, 0);
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); }, Ms(5000)));
    }
}
