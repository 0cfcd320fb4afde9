// Skins written to hurt: pictures that claim huge or no dimensions, empty
// picture files, description files with thousands of buttons or absurd
// rectangles. Loaded through LoadSkinFace by a skinned dialog, whichever decoder
// reads the pictures: the window must open, keep its buttons and paint, and
// release everything it took.
#include <windows.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <string>

#include "GuiResources.h"
#include "SkinTestSupport.h"
#include "TempDir.h"
#include "app/AppContext.h"
#include "platform/TextCodec.h"
#include "skin/BitmapBtn.h"
#include "skin/SkinnedDialog.h"

using namespace zavo;
using skintest::FixturePath;

namespace {

constexpr UINT kTemplate = 900;  // an empty pop-up dialog in the test's resources

class HostileDialog : public CSkinDialog {
public:
    explicit HostileDialog(const AppContext& app) : CSkinDialog(kTemplate, app) {}
    using CSkinDialog::PaintFace;
    CBitmapBtn m_Ok, m_Cancel;

protected:
    std::wstring SkinFile() const override { return L"Hostile.ini"; }
    std::vector<SkinButtonSpec> SkinButtons() override {
        return {{L"1", &m_Ok, TooltipSource::Entry()}, {L"2", &m_Cancel, TooltipSource::Entry()}};
    }
};

void WriteBytes(const std::wstring& path, const std::string& bytes) {
    std::ofstream out(text::ToUtf8(path).c_str(), std::ios::binary);
    out << bytes;
}

template <typename T>
void Put(std::string& out, T value) {
    for (size_t i = 0; i < sizeof(T); ++i) out += static_cast<char>((static_cast<std::uint64_t>(value) >> (8 * i)) & 0xFF);
}

// A BMP whose header claims `width` x `height` at `bits` per pixel but that
// carries only `pixelBytes` bytes of pixels.
std::string ClaimingBmp(std::int32_t width, std::int32_t height, std::uint16_t bits, size_t pixelBytes) {
    std::string b = "BM";
    Put<std::uint32_t>(b, static_cast<std::uint32_t>(54 + pixelBytes));
    Put<std::uint32_t>(b, 0);
    Put<std::uint32_t>(b, 54);
    Put<std::uint32_t>(b, 40);
    Put<std::int32_t>(b, width);
    Put<std::int32_t>(b, height);
    Put<std::uint16_t>(b, 1);
    Put<std::uint16_t>(b, bits);
    Put<std::uint32_t>(b, 0);  // BI_RGB
    Put<std::uint32_t>(b, 0);
    Put<std::int32_t>(b, 2835);
    Put<std::int32_t>(b, 2835);
    Put<std::uint32_t>(b, 0);
    Put<std::uint32_t>(b, 0);
    b.append(pixelBytes, '\x7f');
    return b;
}

std::string SkinText(const std::string& buttons, const char* main = "face.bmp", const char* mask = "mask.bmp") {
    return std::string("[SCREEN]\r\nMask=") + mask + "\r\nMain=" + main +
           "\r\nDown=face.bmp\r\nOver=face.bmp\r\nDisabled=face.bmp\r\n[BUTTONINFO]\r\n" + buttons;
}

const std::string kPlainButtons = "1=OK,2,3,10,8,Okay,FALSE\r\n2=Cancel,22,3,12,8,Stop,TRUE\r\n";

std::string ThousandsOfButtons() {
    std::string lines;
    for (int i = 1; i <= 5000; ++i)
        lines += std::to_string(i) + "=B" + std::to_string(i) + "," + std::to_string(i % 40) + "," +
                 std::to_string(i % 30) + ",10,8,Button " + std::to_string(i) + ",FALSE\r\n";
    return lines;
}

struct HostileCase {
    const char* name;
    std::string skin;          // the description file
    const char* picture;       // a picture file written beside it ("" for none)
    std::string pictureBytes;  // its bytes
};

}  // namespace

TEST(HostileSkins, EveryWindowOpensPaintsAndReleasesWhatItTook) {
    const HostileCase cases[] = {
        {"main face claiming 100000 x 100000 pixels", SkinText(kPlainButtons, "huge.bmp"), "huge.bmp",
         ClaimingBmp(100000, 100000, 32, 64)},
        {"mask claiming 65535 x -65535 pixels", SkinText(kPlainButtons, "face.bmp", "huge.bmp"), "huge.bmp",
         ClaimingBmp(65535, -65535, 24, 64)},
        {"main face of zero width and height", SkinText(kPlainButtons, "zero.bmp"), "zero.bmp", ClaimingBmp(0, 0, 24, 0)},
        {"main face and mask as empty files", SkinText(kPlainButtons, "empty.bmp", "empty.bmp"), "empty.bmp", ""},
        {"main face with a negative width", SkinText(kPlainButtons, "neg.bmp"), "neg.bmp", ClaimingBmp(-40, 30, 24, 64)},
        {"5000 buttons", SkinText(ThousandsOfButtons()), "", ""},
        {"absurd rectangles",
         SkinText("1=OK,-2147483648,-2147483648,2147483647,2147483647,Okay,FALSE\r\n"
                  "2=Cancel,2147483647,2147483647,-5,-5,Stop,TRUE\r\n"),
         "", ""},
        {"a rectangle far outside the face", SkinText("1=OK,100000,100000,100000,100000,Okay,FALSE\r\n"), "", ""},
    };
    for (const HostileCase& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir folder;
        const std::wstring skins = folder.path() + L"Skins\\";
        CreateDirectoryW(skins.c_str(), nullptr);
        for (const wchar_t* name : {L"mask.bmp", L"face.bmp"})
            CopyFileW(FixturePath(name).c_str(), (skins + name).c_str(), FALSE);
        WriteBytes(skins + L"Hostile.ini", c.skin);
        if (*c.picture) WriteBytes(skins + text::FromUtf8(c.picture), c.pictureBytes);
        AppContext app;
        app.programFolder = folder.path();
        app.langTexts.assign(LANG_TEXT_COUNT, L"");

        // Each skin is opened twice and counted over the second opening: the first
        // opening of the two huge pictures leaves objects that stay for the process
        // (4 and 15 GDI objects under Wine, none at any later opening), while a
        // leak would grow with every opening.
        GuiObjectCounts before;
        for (int opening = 0; opening < 2; ++opening) {
            before = CountGuiObjects();
            HostileDialog dlg(app);
            ASSERT_TRUE(dlg.Create(kTemplate));
            EXPECT_TRUE(dlg.m_Ok.IsWindow());
            // The window is no larger than a picture it could have read.
            RECT rc{};
            GetWindowRect(dlg, &rc);
            EXPECT_LE(rc.right - rc.left, 20000);
            EXPECT_LE(rc.bottom - rc.top, 20000);
            ShowWindow(dlg, SW_SHOWNOACTIVATE);
            UpdateWindow(dlg);
            skintest::Surface s(40, 30);
            dlg.PaintFace(s.dc());
            dlg.m_Ok.DrawLook(s.dc(), 0);
            dlg.DestroyWindow();
        }
        EXPECT_EQ(CountGuiObjects(), before);
    }
}
