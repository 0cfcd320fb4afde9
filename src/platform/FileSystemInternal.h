// What each platform's file seam provides to the shared part (FileSystem.cpp).
#pragma once
#include <string>
#include <string_view>

namespace zavo::fs::internal {

// Whether `name` ends with `suffix`, ASCII letters compared without case.
inline bool EndsWithNoCase(std::wstring_view name, std::wstring_view suffix) {
    if (name.size() < suffix.size()) return false;
    for (size_t i = 0; i < suffix.size(); ++i) {
        wchar_t a = name[name.size() - suffix.size() + i], b = suffix[i];
        if (a >= L'A' && a <= L'Z') a += 32;
        if (b >= L'A' && b <= L'Z') b += 32;
        if (a != b) return false;
    }
    return true;
}

// Removes a PendingFile's file when no writer holds it; false when one does or
// the file could not be removed.
bool RemoveIfUnheld(const std::wstring& path);
// Removes the file when it is a regular file itself (not through a link).
bool RemoveIfRegular(const std::wstring& path);
// Seconds since the file was last changed (negative when it has no time).
double ModifiedSecondsAgo(const std::wstring& path);

}  // namespace zavo::fs::internal
