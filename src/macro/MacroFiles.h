// Macro files: one settings file per macro in the macro folder, section
// "Setting", named after the macro. Saving, loading, creating, importing,
// exporting and deleting them, the list of macro names, and the T-key dialog's
// loading of a macro for a key.
//
// A macro name becomes a file name, so every operation that takes a name checks
// it first (CheckMacroName) and never reaches a file outside the macro folder.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "macro/MacroCommands.h"
#include "macro/MacroModel.h"
#include "platform/FileSystem.h"

namespace zavo {

// The macro folder of a data folder: dataFolder + "Macro Setting\". The windows
// that share the list of its macro names get both from their opener.
std::wstring MacroFolderOf(const std::wstring& dataFolder);
// folder + name + ".ini". The name must have passed CheckMacroName.
std::wstring MacroFilePathOf(const std::wstring& folder, const std::wstring& name);

// No macro file this program writes comes near this size (the events take 21762
// characters, the whole file stays under 50 KB even as UTF-16); a larger file is
// neither read nor imported.
constexpr std::uint64_t MACRO_FILE_MAX_BYTES = 256 * 1024;

// Why a name cannot be the file name of a macro; the editor words each one.
enum class MacroNameFault : std::uint8_t {
    None,
    Empty,         // no name typed
    TooLong,       // longer than the folder allows (MacroNameCheck::maxLength)
    BadCharacter,  // a control character or one of \ / : * ? " < > |
    Reserved,      // a device name of the system ("CON", "lpt1.txt")
    IniEnding,     // ends with ".ini", which the name list would take off
};

// Whether a name can be the file name of a macro in `folder`, and why not.
struct MacroNameCheck {
    MacroNameFault fault = MacroNameFault::None;
    size_t maxLength = 0;  // set when the name is refused for its length: the limit
    explicit operator bool() const { return fault == MacroNameFault::None; }
};
MacroNameCheck CheckMacroName(const std::wstring& folder, const std::wstring& name);

// The longest macro name the folder allows: its file and the temporary file it
// is written through must fit one path component and the platform's path limit
// (the program is not long-path aware). 0 when the folder's path leaves no room.
size_t MaxMacroNameLength(const std::wstring& folder);

// Empties `names`, then appends the name of every "*.ini" file of the folder in
// the order the platform enumerates them, without its trailing ".ini" (in any
// letter case), when CheckMacroName accepts that name ("CON.ini" is not listed).
// False when the folder cannot be listed (the list stays empty).
bool RefillMacroNameList(const std::wstring& folder, std::vector<std::wstring>& names);

// Removes from the macro folder the temporary files that killed writers left of
// macro files ("<name>.ini" with a name CheckMacroName accepts), and nothing
// else. Saving, creating and importing a macro do it after their write.
size_t RemoveStaleMacroTemporaries(const std::wstring& folder);

// Writes the macro to the file, key by key: "MacroFilePath" (the path itself),
// "IgnoreDelay", "DefaultDelay", "DefaultDelayValue", "Count", and "Macro" (all
// 10880 bytes) when Count is above 0. The file is written once, complete.
fs::Status SaveMacroFile(const std::wstring& path, const MacroRecording& macro);

// Reads the file into the macro. A missing file, a file above
// MACRO_FILE_MAX_BYTES, or a missing key gives the defaults (both
// flags 0, 50 ms, no events); a "Count" outside 0..5440 is taken as 0 or 5440; a
// flag other than 0 or 1 counts as 0, and a file with both flags set keeps only
// IgnoreDelay, so the two are never both 1.
void LoadMacroFile(const std::wstring& path, MacroRecording& macro);

// Outcome of the operations by name.
struct MacroFileResult {
    enum Code {
        Done,
        InvalidName,    // nameCheck says why; `name` is the refused name
        AlreadyExists,  // a macro of that name is there (or no free "name(n)")
        PathTooLong,    // import of a path of 127 characters or more: no message
        NoFileName,     // export to a path without a file name part: no message
        WriteFailed,    // failure: what failed on which file, and why
        NotFound,       // the file to import is not there: nothing changed, no message
        TooLarge,       // the file to import is above MACRO_FILE_MAX_BYTES: nothing changed
    };
    Code code = Done;
    MacroNameCheck nameCheck;  // why the name was refused (InvalidName)
    Outcome failure;           // the failed file step of WriteFailed
    std::wstring name;         // the macro's name after create or import, or the refused name
    int index = -1;            // its position in the refilled name list, -1 when absent
    bool ok() const { return code == Done; }
};

// Saves the editor's macro under `name`, then refills the name list.
MacroFileResult SaveMacroByName(const std::wstring& folder, const std::wstring& name, const MacroRecording& macro,
                                std::vector<std::wstring>& names);

// A new macro `name`: refused when the name is invalid or its file exists.
// Otherwise the current macro is written to the new file first, then `current`
// becomes an empty macro, and the name list is refilled.
MacroFileResult CreateMacro(const std::wstring& folder, const std::wstring& name, MacroRecording& current,
                            std::vector<std::wstring>& names);

// Imports a macro file: copies it byte for byte into the folder under its base
// name, or the first free of "name(2)", "name(3)", ..., refills the name list and
// only then loads it into `macro`. Paths of 127 characters or more, a base name
// that fails the check, a missing source, a source above MACRO_FILE_MAX_BYTES and
// a failed copy leave `macro` and the folder as they were; so does a source that
// is no regular file (a pipe, a device, a folder: WriteFailed with the reason).
// The folder is made when missing (also by saving and creating).
MacroFileResult ImportMacroFile(const std::wstring& folder, const std::wstring& sourcePath, MacroRecording& macro,
                                std::vector<std::wstring>& names);

// Writes the macro to a path the user chose; the path needs a file name part.
MacroFileResult ExportMacroFile(const std::wstring& targetPath, const MacroRecording& macro);

// Deletes the macro `name`: checks the name, deletes its file, refills the name
// list and empties `current` (no events, Count 0; its delay settings stay). A
// refused name or a file that stays changes neither `current` nor the folder.
MacroFileResult DeleteMacro(const std::wstring& folder, const std::wstring& name, MacroRecording& current,
                            std::vector<std::wstring>& names);

// The T-key dialog's reading of a macro file: "Count" and "Macro" only, with the
// commands expanded. A missing file, a file above MACRO_FILE_MAX_BYTES, or events
// that cannot be read, give an empty macro.
ExpandedMacro LoadMacroForKey(const std::wstring& path);

}  // namespace zavo
