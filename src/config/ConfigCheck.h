// Validation of a data folder's six settings files: that every value is there and
// well formed, within its range, and that the profiles keep the invariants the
// editing windows maintain (lent slots, macro budget, instant-shift choices).
// Reads only; never writes or creates anything.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "config/KeyboardConfig.h"

namespace zavo {

// What is wrong with a value; the values it concerns are ConfigProblem::values,
// in the order of the places %1, %2, .. of its sentence (ProblemTemplate).
enum class ProblemKind : std::uint8_t {
    Missing,             // -
    NotDecimal,          // the text
    OutOfRange,          // the value, lowest, highest
    WrongLength,         // its length, the length it must have
    NotHex,              // -
    ChecksumMismatch,    // -
    UnknownFunction,     // the function code
    UnexpandedCommand,   // the event's index
    KeyCodeZero,         // the event's index
    NotPressOrRelease,   // the event's index
    DataAfterEnd,        // -
    OverBudget,          // the events used, the budget
    TKeyLentOut,         // the standard key
    NoSuchStandardKey,   // the index
    KeyLentTwice,        // the standard key
    AppKeyNotMarked,     // the slot
    MacroKeyMarked,      // the slot
    ChangedKeyFunction,  // the function code
    EmptyAppPath,        // -
    ChoiceUsedTwice,     // the instant-shift choice
    FileMissing,         // -
    BadAppRule,          // what is wrong with the rule (English)
};

struct ConfigProblem {
    std::wstring file;     // full path
    std::wstring section;  // "" for a problem with the whole file
    std::wstring key;      // "" for a problem with a whole section
    ProblemKind kind = ProblemKind::Missing;
    std::vector<std::wstring> values;
    bool operator==(const ConfigProblem& o) const {
        return file == o.file && section == o.section && key == o.key && kind == o.kind && values == o.values;
    }
};

// The English sentence of a kind, with places %1.. for its values.
const wchar_t* ProblemTemplate(ProblemKind kind);

// The English sentence of what is wrong ("5 is outside 0..3").
std::wstring ProblemReason(const ConfigProblem& p);

// "[section] key: " (the parts a problem has), written before its reason.
std::wstring ProblemPlace(const ConfigProblem& p);

// Checks "Config.config" and "Profile0.prof" .. "Profile4.prof" in `dataFolder`
// (with its trailing separator). An empty list means the folder is sound.
std::vector<ConfigProblem> CheckDataFolder(const std::wstring& dataFolder);

// Checks a file that holds one profile's sections and a [LIGHTOPTION] section (a
// profile file made for exchange) by the same rules as the data folder's files.
std::vector<ConfigProblem> CheckProfileAndLighting(const std::wstring& file);

// The invariants of one loaded profile alone (no file access); `file` is used to
// name where each problem lies.
std::vector<ConfigProblem> CheckProfile(const ProfileConfig& profile, const std::wstring& file);

// "file [section] key: reason", the form the tools print.
std::wstring FormatProblem(const ConfigProblem& p);

}  // namespace zavo
