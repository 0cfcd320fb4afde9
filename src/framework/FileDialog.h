// The platform's file dialog, for choosing one file to open or to save.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace zavo {

// What a file dialog asks for.
struct FileChoice {
    // The window the dialog belongs to: it is disabled while the dialog is open,
    // so its selection cannot change under the dialog.
    HWND owner = nullptr;
    // The kinds of file offered, as FileFilter makes them.
    std::wstring filter;
    // The folder shown first; empty: the platform's choice (the folder used last).
    std::wstring startFolder;
    // The name offered in the name field, e.g. "*.exe" or a suggested file name.
    std::wstring name;
    // Added to a name typed without an extension (without the dot); empty: none.
    std::wstring extension;
    // True: an existing file is opened (the dialog refuses a name that is not
    // there). False: a file is saved (the dialog asks before replacing one).
    bool mustExist = true;
};

// One kind of file for FileChoice::filter: its description and its pattern.
std::wstring FileFilter(std::wstring_view description, std::wstring_view pattern);

// Shows the open dialog (mustExist) or the save dialog, modal to the owner. The
// process's current folder stays as it was. The chosen path, or nothing when
// the user cancels (or the dialog cannot be shown).
std::optional<std::wstring> AskFilePath(const FileChoice& choice);

}  // namespace zavo
