#include "framework/FileDialog.h"

#include <commdlg.h>

namespace zavo {

std::wstring FileFilter(std::wstring_view description, std::wstring_view pattern) {
    // Pairs of NUL-ended texts; a second NUL ends the list.
    std::wstring f(description);
    f.push_back(L'\0');
    f += pattern;
    f.push_back(L'\0');
    f.push_back(L'\0');
    return f;
}

std::optional<std::wstring> AskFilePath(const FileChoice& choice) {
    wchar_t file[MAX_PATH] = {};
    choice.name.copy(file, MAX_PATH - 1);
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = choice.owner;
    ofn.lpstrFilter = choice.filter.empty() ? nullptr : choice.filter.c_str();
    ofn.lpstrFile = file;
    ofn.nMaxFile = MAX_PATH;
    ofn.lpstrInitialDir = choice.startFolder.empty() ? nullptr : choice.startFolder.c_str();
    ofn.lpstrDefExt = choice.extension.empty() ? nullptr : choice.extension.c_str();
    ofn.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
    ofn.Flags |= choice.mustExist ? OFN_FILEMUSTEXIST : OFN_OVERWRITEPROMPT;
    const BOOL chosen = choice.mustExist ? ::GetOpenFileNameW(&ofn) : ::GetSaveFileNameW(&ofn);
    if (!chosen) return std::nullopt;
    return std::wstring(file);
}

}  // namespace zavo
