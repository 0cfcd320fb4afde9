// skinview.exe: opens one skin description file as a skinned dialog, the way the
// windows load it, so that a skin can be looked at (and photographed) under the
// real platform before, or apart from, the window that uses it.
//
//   skinview.exe FILE [--latch K,K] [--disable K,K] [--text K=TEXT]
//                [--edit X,Y,W,H[=TEXT]] [--list X,Y,W,H] [--close-after MS]
//
// FILE is the description file below the program folder ("Skins\TKeys.ini").
// Every "BUTTONINFO" key 1..60 present in it becomes a button with its entry's
// text as tooltip. --latch and --disable set button states, --text writes a
// button's text, --edit and --list place the program's own controls where the
// windows put them, --close-after ends the dialog by itself.
#include <windows.h>

#include <cwchar>
#include <memory>
#include <string>
#include <vector>

#include "app/AppContext.h"
#include "app/Language.h"
#include "config/Ini.h"
#include "framework/GdiplusSession.h"
#include "framework/WinApp.h"
#include "skin/BitmapBtn.h"
#include "skin/SkinnedDialog.h"

namespace zavo {
namespace {

constexpr UINT kTemplate = 100;
constexpr UINT_PTR kCloseTimer = 1;
constexpr int kMaxButtonKey = 60;

struct Options {
    std::wstring file;
    std::vector<std::wstring> latch, disable;
    std::vector<std::pair<std::wstring, std::wstring>> texts;  // key, text
    std::vector<std::pair<RECT, std::wstring>> edits;
    std::vector<RECT> lists;
    UINT closeAfter = 0;
};

std::vector<std::wstring> Split(const std::wstring& s, wchar_t sep) {
    std::vector<std::wstring> parts;
    size_t start = 0;
    for (size_t i = 0; i <= s.size(); ++i) {
        if (i == s.size() || s[i] == sep) {
            parts.push_back(s.substr(start, i - start));
            start = i + 1;
        }
    }
    return parts;
}

// "X,Y,W,H" -> rectangle; false when it is not four numbers.
bool ParseRect(const std::wstring& s, RECT& r) {
    int x, y, w, h;
    if (std::swscanf(s.c_str(), L"%d,%d,%d,%d", &x, &y, &w, &h) != 4) return false;
    r = {x, y, x + w, y + h};
    return true;
}

Options ParseOptions(int argc, wchar_t** argv) {
    Options o;
    for (int i = 1; i < argc; ++i) {
        const std::wstring a = argv[i];
        const std::wstring v = i + 1 < argc ? argv[i + 1] : L"";
        if (a == L"--latch")
            o.latch = Split(v, L','), ++i;
        else if (a == L"--disable")
            o.disable = Split(v, L','), ++i;
        else if (a == L"--close-after")
            o.closeAfter = static_cast<UINT>(_wtoi(v.c_str())), ++i;
        else if (a == L"--text") {
            const size_t eq = v.find(L'=');
            if (eq != std::wstring::npos) o.texts.emplace_back(v.substr(0, eq), v.substr(eq + 1));
            ++i;
        } else if (a == L"--edit" || a == L"--list") {
            const size_t eq = v.find(L'=');
            RECT r;
            if (ParseRect(v.substr(0, eq), r)) {
                if (a == L"--edit")
                    o.edits.emplace_back(r, eq == std::wstring::npos ? L"" : v.substr(eq + 1));
                else
                    o.lists.push_back(r);
            }
            ++i;
        } else {
            o.file = a;
        }
    }
    return o;
}

class CSkinView : public CSkinDialog {
public:
    CSkinView(const AppContext& app, const Options& o) : CSkinDialog(kTemplate, app), m_Options(o) {}

protected:
    // FILE is given below the program folder; the skin folder is where skins lie.
    std::wstring SkinFile() const override {
        const std::wstring prefix = L"Skins\\";
        const std::wstring& f = m_Options.file;
        if (f.size() > prefix.size() && _wcsnicmp(f.c_str(), prefix.c_str(), prefix.size()) == 0)
            return f.substr(prefix.size());
        return f;
    }

    std::vector<SkinButtonSpec> SkinButtons() override {
        std::vector<SkinButtonSpec> buttonList;
        const std::wstring path = m_App.SkinFolder() + SkinFile();
        for (int k = 1; k <= kMaxButtonKey; ++k) {
            std::wstring raw;
            if (!Settings().IniReadRaw(path, L"BUTTONINFO", std::to_wstring(k), raw)) continue;
            m_Buttons.push_back(std::make_unique<CBitmapBtn>());
            m_Keys.push_back(std::to_wstring(k));
            buttonList.push_back({m_Keys.back(), m_Buttons.back().get(), TooltipSource::Entry()});
        }
        return buttonList;
    }

    BOOL OnInitDialog() override {
        CSkinDialog::OnInitDialog();
        SetWindowText(L"Skin preview");
        for (const auto& k : m_Options.latch)
            if (CBitmapBtn* b = Button(k)) b->SetLatched(true);
        for (const auto& k : m_Options.disable)
            if (CBitmapBtn* b = Button(k)) b->EnableWindow(FALSE);
        for (const auto& [k, text] : m_Options.texts) {
            if (CBitmapBtn* b = Button(k)) {
                b->SetText(text);
                b->Invalidate();
            }
        }
        for (const auto& [r, text] : m_Options.edits) AddControl(L"EDIT", ES_AUTOHSCROLL, r, text);
        // The first list shows steps, the next ones delays, as in the macro editor.
        static const std::vector<const wchar_t*> kSamples[] = {{L"A Press", L"A Release", L"Copy", L"W Press"},
                                                               {L"100 ms", L"50 ms", L"0 ms", L"0 ms"}};
        for (size_t i = 0; i < m_Options.lists.size(); ++i) {
            HWND list = AddControl(L"LISTBOX", WS_VSCROLL | LBS_NOINTEGRALHEIGHT, m_Options.lists[i], L"");
            for (const wchar_t* line : kSamples[i == 0 ? 0 : 1])
                ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line));
        }
        if (m_Options.closeAfter) SetTimer(kCloseTimer, m_Options.closeAfter);
        return TRUE;
    }

    void OnTimer(UINT_PTR id) override {
        if (id == kCloseTimer) EndDialog(IDCANCEL);
    }

    // Lists show white text on black, as the macro editor draws them.
    HBRUSH OnCtlColor(HDC dc, HWND child, UINT ctlType) override {
        if (ctlType != CTLCOLOR_LISTBOX) return CSkinDialog::OnCtlColor(dc, child, ctlType);
        SetTextColor(dc, RGB(255, 255, 255));
        SetBkColor(dc, RGB(0, 0, 0));
        return static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    }

private:
    CBitmapBtn* Button(const std::wstring& key) {
        for (size_t i = 0; i < m_Keys.size(); ++i)
            if (m_Keys[i] == key) return m_Buttons[i].get();
        return nullptr;
    }

    HWND AddControl(const wchar_t* cls, DWORD style, const RECT& r, const std::wstring& text) {
        return ::CreateWindowExW(0, cls, text.c_str(), WS_CHILD | WS_VISIBLE | WS_BORDER | style, r.left, r.top,
                                 r.right - r.left, r.bottom - r.top, m_hWnd, nullptr, GetModuleHandleW(nullptr),
                                 nullptr);
    }

    const Options& m_Options;
    std::vector<std::unique_ptr<CBitmapBtn>> m_Buttons;
    std::vector<std::wstring> m_Keys;
};

class CSkinViewApp : public CWinApp {
public:
    BOOL InitInstance() override {
        GdiplusSession gdiplus;
        const AppContext app = BuildAppContext();
        int argc = 0;
        wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
        const Options options = ParseOptions(argc, argv);
        LocalFree(argv);
        if (options.file.empty()) return FALSE;
        CSkinView view(app, options);
        m_pMainWnd = &view;
        view.DoModal();
        m_pMainWnd = nullptr;
        return FALSE;
    }
};

CSkinViewApp theApp;

}  // namespace
}  // namespace zavo

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE prev, LPWSTR cmdLine, int cmdShow) {
    return zavo::AfxWinMain(instance, prev, cmdLine, cmdShow);
}
