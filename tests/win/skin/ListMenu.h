// A pop-up menu holding a CListBoxEx, set up the way the tool's menus set theirs
// up; it records whether it was destroyed through its virtual DestroyWindow.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "skin/ListBoxEx.h"

namespace skintest {

constexpr COLORREF kMenuHighlight = RGB(24, 25, 21);
constexpr COLORREF kMenuBackground = RGB(91, 91, 94);

class ListMenu : public zavo::CWnd {
public:
    static constexpr int kWidth = 120;
    static constexpr int kHeight = 80;

    // Hidden menus are enough where nothing depends on the screen, and close
    // faster under Wine.
    bool Open(int x, int y, const std::vector<std::wstring>& items, bool visible = true) {
        const wchar_t* cls = RegisterWndClass(0, LoadCursorW(nullptr, IDC_ARROW));
        DWORD style = WS_POPUP | (visible ? WS_VISIBLE : 0);
        if (!CreateEx(WS_EX_TOOLWINDOW, cls, L"menu", style, x, y, kWidth, kHeight, nullptr, 0)) return false;
        RECT rc{0, 0, kWidth, kHeight};
        if (!list.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOTIFY | LBS_OWNERDRAWVARIABLE | LBS_HASSTRINGS, rc,
                         this, 7))
            return false;
        for (const auto& item : items) list.SetItemData(list.AddString(item), 0);
        list.m_HighlightColour = kMenuHighlight;
        list.m_BackgroundBrush.Reset(CreateSolidBrush(kMenuBackground));
        list.m_TextColour = RGB(255, 255, 255);
        list.m_HighlightTextColour = RGB(255, 255, 255);
        list.Invalidate();
        return true;
    }
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
        if (HIWORD(wParam) == LBN_SELCHANGE && onSelChange) onSelChange();
        return CWnd::OnCommand(wParam, lParam);
    }
    BOOL DestroyWindow() override {
        destroyedByVirtual = true;
        return CWnd::DestroyWindow();
    }

    zavo::CListBoxEx list;
    bool destroyedByVirtual = false;
    // Called for each selection change the list reports.
    std::function<void()> onSelChange;
};

}  // namespace skintest
