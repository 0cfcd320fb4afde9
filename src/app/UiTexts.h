// The texts of the windows beyond the 85 of the first string table, each with
// its string resource id in the language modules (lang\<Language>\lang.rc) and
// its English text, shown when a module lacks it. A text is read with
// AppContext::Text(kSomeText).
//
// Ids are kept in blocks by area so that each area grows on its own; every id
// used here is in all three language modules (the LanguageModules tests check
// that the modules agree). Ids 301-319 are the backup texts (BackupText).
#pragma once
#include "app/AppContext.h"

namespace zavo {

// Files that are not ours, special files and unsafe targets: ids 320-339.
// (end of ids 320-339)

// Backups, history and restore: ids 340-379.
// (end of ids 340-379)

// Checking what is imported or read from outside: ids 380-399.
// (end of ids 380-399)

// One instance, files changed behind the tool's back: ids 400-419.
// (end of ids 400-419)

// The macro editor and its dialogs: ids 420-469.
constexpr UiText kMacroRecordOver{
    420, L"Recording starts this macro afresh: its steps are replaced by what you type. Record anyway?"};
constexpr UiText kMacroCloseUnsaved{421, L"The macro has changes that are not saved. Save them before the editor closes?"};
constexpr UiText kMacroDeleteAsk{422, L"Delete this macro? Its file is removed and cannot be brought back."};
constexpr UiText kMacroNameTooLong{
    423, L"This name is too long. In this folder a macro name can have at most this many characters: "};
constexpr UiText kMacroNameHint{424, L"Any characters except \\ / : * ? \" < > |"};
// (end of ids 420-469)

// The lighting window and the lighting save: ids 470-494.
// (end of ids 470-494)

// The key dialogs, the small dialogs and the main window's feedback: ids 495-519.
// (end of ids 495-519)

// The main window's questions and everything else: ids 520-559.
// (end of ids 520-559)

}  // namespace zavo
