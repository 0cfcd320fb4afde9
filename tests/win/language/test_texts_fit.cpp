// The plain windows (the restore window, the profiles by application) with
// the texts of each language module, at the DPI the test runs at (also run
// per display scale, see CMakeLists.txt): every label, button and check box
// shows its whole text in its box, in the font the window gives it. A text the
// box cuts off is a word the user never reads.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "Harness.h"
#include "TempDir.h"
#include "app/AppContext.h"
#include "app/Language.h"
#include "dialogs/DlgAppProfiles.h"
#include "dialogs/DlgRestoreSettings.h"
#include "framework/Gdi.h"
#include "win/Later.h"

using namespace zavo;
using zavo::e2e::BinDir;

namespace {

std::wstring ClassOf(HWND w) {
    wchar_t name[64] = {};
    GetClassNameW(w, name, 64);
    return name;
}

// What of `control`'s text does not fit its box, or "" when all of it does.
std::wstring Overflow(HWND control) {
    const int length = GetWindowTextLengthW(control);
    if (length == 0 || !IsWindowVisible(control)) return L"";
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    GetWindowTextW(control, text.data(), length + 1);
    text.resize(static_cast<size_t>(length));
    RECT box{};
    GetClientRect(control, &box);
    const ClientDC dc(control);
    ScopedSelect font(dc.Get(), reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    const LONG style = GetWindowLongW(control, GWL_STYLE);
    const bool isButton = ClassOf(control) == L"Button";
    const LONG kind = style & BS_TYPEMASK;
    const bool check = isButton && (kind == BS_CHECKBOX || kind == BS_AUTOCHECKBOX || kind == BS_RADIOBUTTON ||
                                    kind == BS_AUTORADIOBUTTON || kind == BS_3STATE || kind == BS_AUTO3STATE);
    if (isButton && kind == BS_GROUPBOX) return L"";
    // The room the text has: a check box's square and gap, a push button's
    // edges, nothing for a label.
    int room = box.right - box.left;
    if (check) room -= GetSystemMetrics(SM_CXMENUCHECK) + GetSystemMetrics(SM_CXEDGE) * 2;
    else if (isButton) room -= GetSystemMetrics(SM_CXEDGE) * 4;
    RECT need{0, 0, room, 0};
    const bool wraps = !isButton ? !(style & (SS_LEFTNOWORDWRAP | SS_SIMPLE)) : (style & BS_MULTILINE) != 0;
    DrawTextW(dc.Get(), text.c_str(), length, &need, DT_CALCRECT | DT_NOPREFIX | (wraps ? DT_WORDBREAK : DT_SINGLELINE));
    if (need.right - need.left > room || need.bottom - need.top > box.bottom - box.top)
        return text + L" needs " + std::to_wstring(need.right - need.left) + L" x " +
               std::to_wstring(need.bottom - need.top) + L", has " + std::to_wstring(room) + L" x " +
               std::to_wstring(box.bottom - box.top);
    return L"";
}

void ExpectTextsFit(HWND dialog, const char* window, const wchar_t* language) {
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const std::wstring name = ClassOf(child);
        if (name != L"Static" && name != L"Button") continue;
        const std::wstring overflow = Overflow(child);
        EXPECT_EQ(overflow, L"") << window << " in " << std::string(language, language + wcslen(language))
                                 << " (control " << GetDlgCtrlID(child) << ")";
    }
}

class TextsFit : public testing::TestWithParam<const wchar_t*> {
protected:
    void SetUp() override {
        const std::wstring module = BinDir() + L"lan\\" + GetParam() + L"\\lang.dll";
        app_.langTexts = LoadLanguageTexts(module);
        app_.moduleTexts = LoadLanguageTexts(module, MODULE_TEXT_FIRST_ID, MODULE_TEXT_COUNT);
        ASSERT_FALSE(app_.langTexts.empty());
        app_.dataFolder = dir_.path();
        app_.programFolder = dir_.path();
    }
    TempDir dir_;
    AppContext app_;
};

}  // namespace

TEST_P(TextsFit, RestoreWindow) {
    CDlgRestoreSettings dlg(app_, {{L"20261210-183702", {L"Profile2.prof"}, backup::Action::Apply}});
    Later later(300, [&] {
        ExpectTextsFit(dlg.m_hWnd, "restore window", GetParam());
        dlg.EndDialog(IDCANCEL);
    });
    dlg.DoModal();
}

TEST_P(TextsFit, ProfilesByApplication) {
    CDlgAppProfiles dlg(app_, 1);
    Later later(300, [&] {
        ExpectTextsFit(dlg.m_hWnd, "profiles by application", GetParam());
        dlg.EndDialog(IDCANCEL);
    });
    dlg.DoModal();
}

INSTANTIATE_TEST_SUITE_P(Languages, TextsFit, testing::Values(L"En", L"Deutsch", L"Japanese"),
                         [](const testing::TestParamInfo<const wchar_t*>& info) {
                             const std::wstring name = info.param;
                             return std::string(name.begin(), name.end());
                         });
