// What the window-access tests share: language texts that tell which text a
// name came from, reading a control's name, and keys delivered the way the
// windows' own loop delivers them.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
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

// Checks that the names of a Tab walk follow `order` round after round, from
// wherever the walk started.
inline void ExpectWalkInOrder(const std::vector<std::wstring>& walked, const std::vector<std::wstring>& order) {
    ASSERT_FALSE(walked.empty());
    const auto start = std::find(order.begin(), order.end(), walked[0]);
    ASSERT_NE(order.end(), start) << "first stop not in the order";
    std::vector<std::wstring> expected;
    for (size_t i = 0; i < walked.size(); ++i)
        expected.push_back(order[(static_cast<size_t>(start - order.begin()) + i) % order.size()]);
    EXPECT_EQ(expected, walked);
}

}  // namespace accesstest
