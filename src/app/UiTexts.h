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
// A failed file step (app/FailureText.h): where, and why.
constexpr UiText kFailureFileLine{320, L"File: %1"};
constexpr UiText kFailureReasonLine{321, L"Reason: %1"};
// The main window's message when a save failed: the first line, then the
// file and reason lines, then the last line.
constexpr UiText kSaveFailed{322, L"The settings could not be saved."};
constexpr UiText kSaveFailedKept{323, L"Your changes are kept. Solve the problem and apply again."};
// The program's own refusals (platform/Outcome.h): Refusal r is id
// kRefusalTextBase + r (324 NotRegularFile .. 331 LineBreak), its English text
// RefusalText(r).
constexpr int kRefusalTextBase = 323;
// (end of ids 320-339)

// Backups, history and restore: ids 340-379.
// The restore window's entries, by what the entry was kept before: %1 the
// profile (I..V), %2 the date and time.
constexpr UiText kBackupBeforeSave{340, L"Before a save, %2"};
constexpr UiText kBackupBeforeApply{341, L"Before APPLY, %2"};
constexpr UiText kBackupBeforeReset{342, L"Before Reset of profile %1, %2"};
constexpr UiText kBackupBeforeLighting{343, L"Before a lighting change, %2"};
constexpr UiText kBackupBeforeImport{344, L"Before import into profile %1, %2"};
constexpr UiText kBackupBeforeRestore{345, L"Before a restore, %2"};
// (end of ids 340-379)

// Checking what is imported or read from outside: ids 380-399.
constexpr UiText kMacroFileTooLarge{380, L"The file is too large to be a macro file (a macro file is at most 256 KB)."};
// (end of ids 380-399)

// One instance, files changed behind the tool's back: ids 400-419.
// The question before a save when the settings files changed since the tool read them.
constexpr UiText kOutsideChangeTitle{400, L"The settings files were changed outside ZAVOConfig"};
constexpr UiText kOutsideChangeText{
    401, L"Since ZAVOConfig read them, another program (a restore, the keyboard service or a copy by hand) replaced these files:"};
constexpr UiText kOutsideChangeReload{
    402, L"Reload the files\nShow the settings as they are in the files now. Your changes that are not applied yet are dropped."};
constexpr UiText kOutsideChangeKeep{403, L"Keep my changes\nSave what this window shows over the files."};
constexpr UiText kOutsideChangeCancel{404, L"Cancel saves nothing now and keeps your changes."};
// (end of ids 400-419)

// The macro editor and its dialogs: ids 420-469.
constexpr UiText kMacroRecordOver{
    420, L"Recording starts this macro afresh: its steps are replaced by what you type. Record anyway?"};
constexpr UiText kMacroCloseUnsaved{421, L"The macro has changes that are not saved. Save them before the editor closes?"};
constexpr UiText kMacroDeleteAsk{422, L"Delete this macro? Its file is removed and cannot be brought back."};
constexpr UiText kMacroNameTooLong{
    423, L"This name is too long. In this folder a macro name can have at most this many characters: "};
constexpr UiText kMacroNameHint{424, L"Any characters except \\ / : * ? \" < > |"};
// Why a macro name is refused (macro/MacroFiles.h, MacroNameFault); a name that
// is too long is told with kMacroNameTooLong and the limit. %1 the name.
constexpr UiText kMacroNameExists{425, L"Macro name already exist!"};
constexpr UiText kMacroNameEmpty{426, L"Please type a name for the macro."};
constexpr UiText kMacroNameBadCharacter{
    427, L"A macro name cannot contain any of these characters: \\ / : * ? \" < > |"};
constexpr UiText kMacroNameReserved{428, L"\"%1\" is reserved by Windows and cannot be a macro name."};
constexpr UiText kMacroNameIniEnding{429, L"A macro name cannot end with \".ini\"."};
// The file dialogs' name of macro files.
constexpr UiText kMacroFileFilter{430, L"Macro File(*.ini)"};
// (end of ids 420-469)

// The lighting window and the lighting save: ids 470-494.
constexpr UiText kLightZonesNotSaved{470, L"The lit zones could not be saved."};
constexpr UiText kLightZonesSavedLater{471, L"The window shows your choice; it is saved with the zone's next change."};
// (end of ids 470-494)

// The key dialogs, the small dialogs and the main window's feedback: ids 495-519.
// The status line when a standard key is picked while eight keys already hold
// a macro or an application (MACRO and APP are greyed out then).
inline constexpr UiText kLentKeysFull{495, L"8 keys already have a macro or app: clear one first"};
// A macro that repeats a given number of times: %1 its name, %2 the count.
inline constexpr UiText kMacroRepeats{496, L"%1 (repeats %2 times)"};
// A macro that does not fit the profile: %1 its steps, %2 the room left, %3 the
// steps a profile holds.
inline constexpr UiText kMacroNoRoom{
    497, L"This macro has %1 steps, but this profile has room for only %2 more (%3 in all).\n\n"
         L"Clear or shorten another macro of this profile, or choose a shorter one."};
// Closing the main window (Alt+F4, the system menu) with changes not applied.
inline constexpr UiText kCloseUnapplied{
    498, L"Your changes are not applied yet.\n\nYes: apply them, then close.\nNo: close and drop them.\n"
         L"Cancel: keep working."};
// (end of ids 495-519)

// The main window's questions and everything else: ids 520-559.
// A refused profile file (light/ProfileExchange.h): ProfileRefusalKind k is id
// kProfileRefusalTextBase + k (540 TooLarge .. 547 UnusableMany), its English
// text ProfileRefusalTemplate(k).
constexpr int kProfileRefusalTextBase = 539;
// What is wrong with a settings value (config/ConfigCheck.h), its English text
// ProblemTemplate(k): ProblemKind k is id kProblemTextBase + k up to
// kLastProblemInFirstBlock (548 Missing .. 559 OverBudget), then id
// kLaterProblemTextBase + k (520 TKeyLentOut .. 528 FileMissing); see
// ProblemTextId (app/FailureText.h).
constexpr int kProblemTextBase = 548;
constexpr int kLastProblemInFirstBlock = 11;
constexpr int kLaterProblemTextBase = 508;
// The file dialogs' name of program files (the main window's application picker).
constexpr UiText kExeFileFilter{529, L"Exe file(*.exe)"};
// (end of ids 520-559)

// Profiles that follow the application in front: ids 560-609.
// The switcher's menu and tooltip (%1 the active profile, 1..5), the rules
// window, and what is wrong with a rule.
constexpr UiText kSwitchMenuPause{560, L"Pause switching"};
constexpr UiText kSwitchMenuResume{561, L"Resume switching"};
constexpr UiText kSwitchMenuOpen{562, L"Open ZAVOConfig"};
constexpr UiText kSwitchMenuQuit{563, L"Quit"};
constexpr UiText kSwitchTipProfile{564, L"ZAVOSwitch: profile %1"};
constexpr UiText kSwitchTipPaused{565, L"ZAVOSwitch: paused (profile %1)"};
constexpr UiText kAppsMenuItem{566, L"Profiles by application..."};
constexpr UiText kAppsTitle{567, L"Profiles by application"};
constexpr UiText kAppsIntro{568, L"When a program comes to the front, the keyboard switches to the profile of its rule."};
constexpr UiText kAppsProfileOfRule{569, L"Profile of the selected rule:"};
constexpr UiText kAppsAdd{570, L"Add..."};
constexpr UiText kAppsRemove{571, L"Remove"};
constexpr UiText kAppsFallback{572, L"When no rule matches:"};
constexpr UiText kAppsKeep{573, L"Keep the current profile"};
constexpr UiText kAppsProfileN{574, L"Profile %1"};
constexpr UiText kAppsAutomatic{575, L"Switch profiles automatically"};
constexpr UiText kAppsStartWithWindows{576, L"Start with Windows"};
constexpr UiText kAppsBrowse{577, L"Browse for a program..."};
constexpr UiText kAppsProblems{578, L"The rules file has problems; only the valid rules are shown, and APPLY keeps only these:"};
constexpr UiText kAppsApply{579, L"APPLY"};
constexpr UiText kAppsOk{580, L"OK"};
constexpr UiText kAppsCancel{581, L"Cancel"};
constexpr UiText kAppsSaveFailed{582, L"The rules could not be saved:"};
constexpr UiText kAppsRefused{583, L"This rule cannot be added:"};
constexpr UiText kBackupBeforeAppProfiles{584, L"Before a change of the profiles by application, %2"};
constexpr UiText kAppsExeFilter{585, L"Programs (*.exe)"};
constexpr UiText kAppsStartFailed{586, L"Start with Windows could not be set:"};
constexpr UiText kRuleEmptyApp{587, L"a rule without an application"};
constexpr UiText kRuleBadName{588, L"the application is not a valid file name or path"};
constexpr UiText kRuleBadProfile{589, L"profile outside 1..5"};
constexpr UiText kRuleDuplicate{590, L"a second rule for the same application (the first one counts)"};
constexpr UiText kRuleTooMany{591, L"more than 1000 rules: the rest are not read"};
constexpr UiText kRuleDamaged{592, L"no readable rule count: the rules are read up to the first missing one"};
constexpr UiText kRuleBadFallback{593, L"fallback outside 0..5: the profile is kept"};
constexpr UiText kAppsRuleLine{594, L"Rule %1 (%2): %3"};
// (end of ids 560-609)

// Display scaling: ids 610-639.
// (end of ids 610-639)

// The keyboard and screen readers: ids 640-699.
// A key of the on-screen keyboard as a screen reader names it: %1 its legend,
// %2 what it is assigned to.
constexpr UiText kKeyAssigned{640, L"%1, assigned: %2"};
// The on-screen keyboard as one control.
constexpr UiText kKeyboardMap{641, L"Keyboard"};
// The key dialogs and their menus to a screen reader: ids 642-669.
// The pop-up lists: the other profiles, the saved macros, the macro commands.
constexpr UiText kProfileMenuName{642, L"Profiles"};
constexpr UiText kMacroMenuName{643, L"Macros"};
constexpr UiText kCommandMenuName{644, L"Commands"};
// The single-key dialog's boxes: the edited key and the key it sends.
constexpr UiText kSingleKeySource{645, L"Key"};
constexpr UiText kSingleKeyTarget{646, L"Sends"};
// (end of ids 642-669)
// The macro editor, the lighting window and the small dialogs to a screen
// reader: ids 670-699.
// The lighting styles by style number 0..6.
constexpr UiText kLightStyleOff{670, L"Off"};
constexpr UiText kLightStyleStatic{671, L"Static"};
constexpr UiText kLightStyleBreathing{672, L"Breathing"};
constexpr UiText kLightStyleWave{673, L"Wave"};
constexpr UiText kLightStyleReactive{674, L"Reactive"};
constexpr UiText kLightStyleRipple{675, L"Ripple"};
constexpr UiText kLightStyleSpectrum{676, L"Spectrum"};
// The macro editor's two lists and two delay boxes.
constexpr UiText kMacroStepList{677, L"Macro steps"};
constexpr UiText kMacroDelayList{678, L"Delays"};
constexpr UiText kStepDelayBox{679, L"Delay of the selected step (ms)"};
constexpr UiText kDefaultDelayBox{680, L"Default delay (ms)"};
// The lighting window's zones as one control.
constexpr UiText kLightZoneMap{681, L"Lit zones"};
// (end of ids 670-699)
// (end of ids 640-699)

}  // namespace zavo
