// What the window-access tests share: language texts that tell which text a
// name came from, reading a control's name, and keys delivered the way the
// windows' own loop delivers them.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "AccessibleProbe.h"
#include "app/AppContext.h"
#include "framework/MessageLoop.h"

namespace accesstest {

// Language texts "L<index>", so a name tells which text it came from.
inline std::vector<std::wstring> NumberedTexts() {
    std::vector<std::wstring> texts;
    for (int i = 0; i < zavo::LANG_TEXT_COUNT; ++i) texts.push_back(L"L" + std::to_wstring(i));
    return texts;
}

inline std::wstring NameOf(HWND control) { return testsupport::ReadAccessible(control).name; }

// A message as the windows' loop gets it: offered to the windows first.
inline void Deliver(MSG msg) {
    if (!zavo::PreTranslateWalk(&msg)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

// A key press (no release) aimed at the focus.
inline void TypeKey(UINT vk) { Deliver(MSG{::GetFocus(), WM_KEYDOWN, vk, 1, 0, {}}); }

}  // namespace accesstest
