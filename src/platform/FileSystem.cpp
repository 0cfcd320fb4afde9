// The parts of the file seam that are the same on every platform.
#include "platform/FileSystem.h"

namespace zavo::fs {

std::wstring JoinPath(const std::wstring& folder, const std::wstring& name) {
    if (folder.empty()) return name;
    if (folder.back() == L'\\' || folder.back() == L'/') return folder + name;
    return folder + L'\\' + name;
}

}  // namespace zavo::fs
