// The Japanese language module's texts, drawn the way the tool draws them under
// a Japanese system locale (this test runs with LC_ALL=ja_JP.UTF-8): with the
// main window's status line face and with the restore dialog's own face, every
// character has a glyph. A character without one shows as the font's "missing"
// box, the same picture an unassigned code point gives, or as nothing.
#include <gtest/gtest.h>
#include <windows.h>

#include <set>
#include <string>
#include <vector>

#include "app/AppContext.h"
#include "app/Language.h"
#include "dialogs/DlgRestoreSettings.h"
#include "framework/Gdi.h"
#include "mainwnd/MainDlg.h"

using namespace zavo;

namespace {

std::wstring BinDir() {
    wchar_t buffer[4096];
    DWORD n = GetEnvironmentVariableW(L"ZAVO_BIN_DIR", buffer, 4096);
    std::wstring dir = n > 0 && n < 4096 ? std::wstring(buffer, n) : L"";
    if (!dir.empty() && dir[0] == L'/') dir = L"Z:" + dir;
    for (auto& c : dir)
        if (c == L'/') c = L'\\';
    if (!dir.empty() && dir.back() != L'\\') dir += L'\\';
    return dir;
}

bool IsSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDFFF; }

// The characters beyond ASCII of the Japanese module's texts: the first 85 and
// those of app/UiTexts.h (messages, refusals, file dialog names).
std::set<wchar_t> JapaneseCharacters() {
    const std::wstring module = BinDir() + L"lan\\Japanese\\lang.dll";
    std::vector<std::wstring> texts = LoadLanguageTexts(module);
    for (std::wstring& text : LoadLanguageTexts(module, MODULE_TEXT_FIRST_ID, MODULE_TEXT_COUNT))
        texts.push_back(std::move(text));
    std::set<wchar_t> out;
    for (const std::wstring& text : texts)
        for (wchar_t c : text)
            if (c > 0x7F && !IsSurrogate(c)) out.insert(c);
    return out;
}

// The pixels one character leaves when drawn alone with `font`.
class Canvas {
public:
    explicit Canvas(HFONT font)
        : m_bitmap(CreateDib32(kSize, kSize, &m_bits)), m_selectBitmap(m_dc, m_bitmap), m_selectFont(m_dc, font) {
        SetTextColor(m_dc, RGB(255, 255, 255));
        SetBkColor(m_dc, RGB(0, 0, 0));
    }
    std::vector<DWORD> Draw(wchar_t c) {
        const RECT all{0, 0, kSize, kSize};
        ExtTextOutW(m_dc, 4, 4, ETO_OPAQUE, &all, &c, 1, nullptr);
        GdiFlush();
        const DWORD* pixels = static_cast<const DWORD*>(m_bits);
        return std::vector<DWORD>(pixels, pixels + kSize * kSize);
    }

private:
    static constexpr int kSize = 48;
    // In this order: the selections are undone before the bitmap and the DC go.
    MemoryDC m_dc;
    void* m_bits = nullptr;
    ScopedBitmap m_bitmap;
    ScopedSelect m_selectBitmap;
    ScopedSelect m_selectFont;
};

bool Blank(const std::vector<DWORD>& pixels) {
    for (DWORD p : pixels)
        if ((p & 0xFFFFFF) != 0) return false;
    return true;
}

// The characters that `font` draws as a box or as nothing.
std::wstring WithoutGlyph(HFONT font) {
    Canvas canvas(font);
    // Unassigned code points: what the font draws where it has no glyph.
    const std::vector<DWORD> missing[] = {canvas.Draw(L'\x0378'), canvas.Draw(L'\xFFFF')};
    std::wstring out;
    for (wchar_t c : JapaneseCharacters()) {
        if (c == L'\x3000' || c == L'\xA0') continue;  // spaces draw nothing
        const std::vector<DWORD> drawn = canvas.Draw(c);
        if (Blank(drawn) || drawn == missing[0] || drawn == missing[1]) out += c;
    }
    return out;
}

std::string Utf8(const std::wstring& w) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
    std::string s(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), s.data(), n, nullptr, nullptr);
    return s;
}

class JapaneseGlyphs : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(PRIMARYLANGID(LANGIDFROMLCID(GetSystemDefaultLCID())), LANG_JAPANESE)
            << "run under a Japanese system locale (LC_ALL=ja_JP.UTF-8; tools/install-deps.sh makes it)";
        ASSERT_GT(JapaneseCharacters().size(), 100u) << "the Japanese module did not load";
    }
};

}  // namespace

TEST_F(JapaneseGlyphs, StatusLineDrawsEveryCharacter) {
    const ScopedFont font = CZAVOConfigDlg::CreateStatusFont();
    ASSERT_TRUE(font);
    EXPECT_EQ(Utf8(WithoutGlyph(font)), "");
}

TEST_F(JapaneseGlyphs, RestoreDialogDrawsEveryCharacter) {
    // The dialog's own face, from its template, as the dialog shows its texts.
    HWND dialog = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(CDlgRestoreSettings::IDD), nullptr,
                                     [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; }, 0);
    ASSERT_TRUE(dialog);
    const auto font = reinterpret_cast<HFONT>(SendDlgItemMessageW(dialog, CDlgRestoreSettings::IDC_INTRO, WM_GETFONT, 0, 0));
    ASSERT_TRUE(font);
    EXPECT_EQ(Utf8(WithoutGlyph(font)), "");
    DestroyWindow(dialog);
}
