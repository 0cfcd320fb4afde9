// The file dialog: what it returns for a typed name, a cancel, and a name typed
// without its extension, and that it leaves the current folder alone.
#include <gtest/gtest.h>
#include <windows.h>

#include <cwchar>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "TempDir.h"
#include "framework/FileDialog.h"

namespace zavo::test {
namespace {

// What the dialog is answered with once it shows: a text for its name box, or
// nothing for Cancel.
std::optional<std::wstring> g_answer;

BOOL CALLBACK FindDialog(HWND w, LPARAM out) {
    wchar_t cls[16] = L"";
    ::GetClassNameW(w, cls, 16);
    if (std::wcscmp(cls, L"#32770") != 0 || !::IsWindowVisible(w)) return TRUE;
    *reinterpret_cast<HWND*>(out) = w;
    return FALSE;
}

// Runs in the dialog's own loop until the dialog is there, then answers it by
// messages: its name box (cmb13 of the Explorer-style dialog, edt1 of the old
// one), then OK; or Cancel.
void CALLBACK Answer(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND dialog = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&dialog));
    if (!dialog) return;
    ::KillTimer(nullptr, timer);
    if (!g_answer) {
        ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        return;
    }
    HWND box = ::GetDlgItem(dialog, 0x47c);
    if (!box) box = ::GetDlgItem(dialog, 0x480);
    ::SetWindowTextW(box, g_answer->c_str());
    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog, IDOK)));
}

std::wstring CurrentFolder() {
    wchar_t buf[MAX_PATH] = L"";
    ::GetCurrentDirectoryW(MAX_PATH, buf);
    return buf;
}

struct DialogCase {
    const char* what;
    bool mustExist;
    const wchar_t* extension;
    std::optional<std::wstring> typed;     // nothing: the user cancels
    std::optional<std::wstring> expected;  // the name returned, in the start folder
};

TEST(FileDialog, ReturnsTheChosenPathOrNothing) {
    TempDir dir;
    std::ofstream(std::filesystem::path(dir.path() + L"have.ini")) << "[S]\n";
    const DialogCase cases[] = {
        {"open: a name in the start folder", true, L"ini", L"have.ini", L"have.ini"},
        {"save: the extension added to a bare name", false, L"ini", L"out", L"out.ini"},
        {"save: no extension asked for, none added", false, L"", L"out", L"out"},
        {"open cancelled", true, L"ini", std::nullopt, std::nullopt},
        {"save cancelled", false, L"ini", std::nullopt, std::nullopt},
    };
    const std::wstring before = CurrentFolder();
    for (const DialogCase& c : cases) {
        SCOPED_TRACE(c.what);
        FileChoice choice;
        choice.filter = FileFilter(L"Settings (*.ini)", L"*.ini");
        choice.startFolder = dir.path();
        choice.extension = c.extension;
        choice.mustExist = c.mustExist;
        g_answer = c.typed;
        ::SetTimer(nullptr, 0, 50, Answer);
        const std::optional<std::wstring> got = AskFilePath(choice);
        ASSERT_EQ(got.has_value(), c.expected.has_value());
        if (got) EXPECT_EQ(_wcsicmp(got->c_str(), (dir.path() + *c.expected).c_str()), 0) << *got;
        EXPECT_EQ(CurrentFolder(), before) << "the dialog leaves the current folder as it was";
    }
}

}  // namespace
}  // namespace zavo::test
