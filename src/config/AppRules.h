// Profiles that follow the application in front: the rules (an application ->
// one of the five profiles), the fallback when no rule matches, and the two
// switches of the switcher, kept in "AppProfiles.ini" in the data folder and
// written through the settings engine like the other settings files:
//
//   [SWITCH]
//   Automatic=1          switch profiles automatically (1) or not (0)
//   Fallback=0           when no rule matches: 0 keep the profile, 1..5 that profile
//   Count=2              rules App0/Profile0 .. App<Count-1>/Profile<Count-1>
//   [RULES]
//   App0=game.exe        an executable's file name, or its full path
//   Profile0=2           1..5, as the windows show profiles
//
// An application is matched without regard to letter case; a rule with a path
// ("C:\Games\game.exe") matches only that program and wins over a rule by
// name. Reading keeps what is valid and names the rest (RulesProblem), so a
// damaged or hand-edited file never stops the switcher.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "config/Backups.h"
#include "config/ConfigCheck.h"
#include "config/Ini.h"

namespace zavo::apps {

constexpr wchar_t RULES_FILE_NAME[] = L"AppProfiles.ini";
// More rules than this are not read (a file of ten thousand is named as such).
constexpr size_t kMaxRules = 1000;
// An application's name or path is at most this long (the platform's MAX_PATH).
constexpr size_t kMaxAppLength = 259;
// The fallback "keep the current profile".
constexpr int KEEP_PROFILE = -1;

struct AppRule {
    std::wstring app;
    int profile = 0;  // 0..4
    bool operator==(const AppRule& o) const { return app == o.app && profile == o.profile; }
};

struct AppRules {
    std::vector<AppRule> rules;
    int fallback = KEEP_PROFILE;  // or 0..4
    bool automatic = true;
    bool operator==(const AppRules& o) const {
        return rules == o.rules && fallback == o.fallback && automatic == o.automatic;
    }
    bool operator!=(const AppRules& o) const { return !(*this == o); }
};

// What is wrong with a rules file or with a rule a user gives.
enum class RuleFault {
    None,
    Damaged,     // the file has no readable rule count
    EmptyApp,    // a rule without an application
    BadName,     // a character no file name holds, or too long
    BadProfile,  // a profile outside 1..5
    Duplicate,   // a second rule for the same application (the first one counts)
    TooMany,     // more than kMaxRules rules (the rest are not read)
    BadFallback, // a fallback that is neither 0 nor 1..5
};

struct RulesProblem {
    RuleFault fault = RuleFault::None;
    int index = -1;        // the rule's number in the file, -1 for the whole file
    std::wstring app;      // the application the rule names, when it has one
    bool operator==(const RulesProblem& o) const { return fault == o.fault && index == o.index && app == o.app; }
};

// One short English sentence for the tools ("profile outside 1..5").
const wchar_t* FaultText(RuleFault f);

// "<dataFolder>AppProfiles.ini".
std::wstring RulesFilePath(const std::wstring& dataFolder);

// Reads the rules file; a missing file reads as no rules, fallback "keep",
// switching on. What is not valid is left out and named in `problems` (when
// given).
AppRules ReadAppRules(const std::wstring& path, std::vector<RulesProblem>* problems = nullptr);

// The problems of the data folder's rules file in the tools' form (section
// RULES, key App<n>); none when the file is missing or sound.
std::vector<ConfigProblem> CheckRulesFile(const std::wstring& dataFolder);

// Writes the whole rules file once, complete, through the settings engine.
// Rules of a longer earlier file beyond the new count are emptied, so no old
// rule comes back when the count is edited by hand.
IniFileStatus WriteAppRules(const std::wstring& path, const AppRules& rules);

// WriteAppRules into the data folder as one user action: the earlier file is
// kept by the backup layer when the save changed it.
IniFileStatus SaveAppRules(const std::wstring& dataFolder, const AppRules& rules,
                           backup::KeepOutcome* kept = nullptr);

// ---- Matching -------------------------------------------------------------------

// True when the application names a path (holds a folder separator).
bool IsPathRule(std::wstring_view app);
// The form two applications are compared in: letter case folded, '/' as '\'.
std::wstring MatchKey(std::wstring_view app);
// Whether a rule's application is acceptable: RuleFault::None, EmptyApp or BadName.
RuleFault CheckApp(std::wstring_view app);

// The profile (0..4) for the program whose executable is `imagePath` (a full
// path; empty when the foreground process could not be opened): the rule with
// that path, else the rule with that file name, else the fallback. KEEP_PROFILE
// when the fallback keeps the profile.
int ProfileFor(const AppRules& rules, std::wstring_view imagePath);

// ---- Edits (the window and zavocfg apps make the same checks) --------------------

enum class RuleEdit { Added, Changed, Removed, NotFound, Refused };
struct RuleEditResult {
    RuleEdit edit = RuleEdit::Refused;
    RuleFault fault = RuleFault::None;  // why it was refused
};

// Gives `app` the profile (0..4): changes the profile of its rule, or adds one.
RuleEditResult SetRule(AppRules& rules, std::wstring_view app, int profile);
// Removes the rule of `app` (compared as MatchKey does).
RuleEditResult RemoveRule(AppRules& rules, std::wstring_view app);

// "1".."5" as the windows show profiles -> 0..4; "keep" (any case) ->
// KEEP_PROFILE when `allowKeep`; anything else -> false.
bool ParseProfileArg(std::wstring_view text, bool allowKeep, int& profile);

// ---- The switcher's decision -----------------------------------------------------

struct SwitchInputs {
    bool automatic = true;       // the rules file's switch
    bool paused = false;         // the user paused the switcher
    bool configuring = false;    // the main window is open
    bool servicePresent = true;  // the device service's window is there
    int target = KEEP_PROFILE;   // ProfileFor the application in front
    int current = 0;             // the active profile (Config.config)
};

enum class SwitchAction {
    None,            // nothing to do
    Select,          // select the target profile
    WhenServiceUp,   // select it once the service is there
};

SwitchAction DecideSwitch(const SwitchInputs& in);

}  // namespace zavo::apps
