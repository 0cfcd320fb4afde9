// What each platform's file seam provides to the shared part (FileSystem.cpp).
#pragma once
#include <string>

namespace zavo::fs::internal {

// Removes a PendingFile's file when no writer holds it; false when one does or
// the file could not be removed.
bool RemoveIfUnheld(const std::wstring& path);
// Seconds since the file was last changed (negative when it has no time).
double ModifiedSecondsAgo(const std::wstring& path);

}  // namespace zavo::fs::internal
