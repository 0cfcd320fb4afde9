#include "config/ConfigCheck.h"

#include <algorithm>
#include <cstddef>
#include <memory>
#include <optional>
#include <set>

#include "config/ConfigStore.h"
#include "config/Ini.h"
#include "platform/FileSystem.h"
#include "platform/TextFill.h"

namespace zavo {
namespace {

const std::wstring kMissing = L"\x01missing";  // a default no file value can equal

struct Checker {
    std::wstring file;
    std::vector<ConfigProblem>& out;
    IniSnapshot* ini = nullptr;  // where the file's text is read (the checks of a read profile need none)

    void Add(const std::wstring& section, const std::wstring& key, ProblemKind kind,
             std::vector<std::wstring> values = {}) {
        out.push_back({file, section, key, kind, std::move(values)});
    }

    // The value as text, or nothing (and a problem) when the key is missing.
    std::optional<std::wstring> Text(const std::wstring& sec, const std::wstring& key) {
        std::wstring v = ini->IniReadString(file, sec, key, kMissing);
        if (v == kMissing) {
            Add(sec, key, ProblemKind::Missing);
            return std::nullopt;
        }
        return v;
    }

    // The whole stored text of a long value (string reads are cut).
    std::optional<std::wstring> Raw(const std::wstring& sec, const std::wstring& key) {
        std::wstring v;
        if (!ini->IniReadRaw(file, sec, key, v)) {
            Add(sec, key, ProblemKind::Missing);
            return std::nullopt;
        }
        return v;
    }

    // A decimal integer within lo..hi; a problem otherwise.
    std::optional<long long> Int(const std::wstring& sec, const std::wstring& key, long long lo, long long hi) {
        auto v = Text(sec, key);
        if (!v) return std::nullopt;
        const std::wstring& t = *v;
        size_t i = (!t.empty() && t[0] == L'-') ? 1 : 0;
        bool digits = i < t.size() && t.size() - i <= 10;
        for (size_t j = i; digits && j < t.size(); ++j) digits = t[j] >= L'0' && t[j] <= L'9';
        if (!digits) {
            Add(sec, key, ProblemKind::NotDecimal, {t});
            return std::nullopt;
        }
        long long n = std::stoll(t);
        if (n < lo || n > hi) {
            Add(sec, key, ProblemKind::OutOfRange, {std::to_wstring(n), std::to_wstring(lo), std::to_wstring(hi)});
            return std::nullopt;
        }
        return n;
    }

    // Like Int, but also takes the value's read default -1: a value the tool
    // never wrote reads as -1 and a save writes it back so.
    std::optional<long long> IntOrUnset(const std::wstring& sec, const std::wstring& key, long long lo, long long hi) {
        return Int(sec, key, std::min(lo, -1LL), hi);
    }

    void Struct(const std::wstring& sec, const std::wstring& key, size_t size) {
        auto v = Raw(sec, key);
        if (!v) return;
        if (v->size() != 2 * size + 2) {
            Add(sec, key, ProblemKind::WrongLength, {std::to_wstring(v->size()), std::to_wstring(2 * size + 2)});
            return;
        }
        for (wchar_t c : *v) {
            bool hex = (c >= L'0' && c <= L'9') || (c >= L'A' && c <= L'F') || (c >= L'a' && c <= L'f');
            if (!hex) {
                Add(sec, key, ProblemKind::NotHex);
                return;
            }
        }
        std::vector<std::uint8_t> data(size);
        if (!ini->IniReadStruct(file, sec, key, data.data(), size)) Add(sec, key, ProblemKind::ChecksumMismatch);
    }
};

std::wstring Numbered(const wchar_t* prefix, int n) { return prefix + std::to_wstring(n); }

void CheckLightOptionText(Checker& c) {
    c.IntOrUnset(L"LIGHTOPTION", L"LIGHTSTYLE", 0, 6);
    c.IntOrUnset(L"LIGHTOPTION", L"LIGHTMODE", 1, 5);
    for (const wchar_t* key :
         {L"WASDLIGHT", L"DIRECTLIGHT", L"NUMBERLIGHT", L"PINYINLIGHT", L"DFERLIGHT", L"10LIGHT", L"TT15", L"TT610"})
        c.IntOrUnset(L"LIGHTOPTION", key, 0, 1);
}

void CheckConfigText(Checker& c) {
    c.IntOrUnset(L"CONFIG", L"CURRENTPROFILE", 0, NO_PROFILE);
    c.Int(L"CONFIG", L"DEVICEPSTATS", INT32_MIN, INT32_MAX);
    c.IntOrUnset(L"CONFIG", L"Mode", 0, 1);
    CheckLightOptionText(c);
}

// Presence and form of every key the tool writes; what the values mean together
// is CheckProfile's part.
void CheckProfileText(Checker& c) {
    const wchar_t* alt = L"ALTERNATE_PROFILE";
    c.Int(alt, L"PREKEY", 0, 255);
    c.Int(alt, L"NEXTKEY", 0, 255);
    for (int i = 1; i <= PROFILE_COUNT; ++i) c.Int(alt, Numbered(L"PROFILE", i), INT32_MIN, INT32_MAX);
    for (int s = 0; s < SLOT_COUNT; ++s) {
        const std::wstring sec = Numbered(L"BUTTONCONFIG", s);
        auto fun = c.Int(sec, L"FunID", 0, 255);
        c.Int(sec, L"Mappinkey", 0, 255);
        if (!fun) continue;
        if (*fun == FUNID_SINGLEKEY) {
            for (const wchar_t* key : {L"SingleKey", L"CurKey", L"AssKey"}) c.Int(sec, key, 0, 255);
        } else if (*fun == FUNID_APP) {
            c.Text(sec, L"APP Path");
        } else if (*fun == FUNID_MACRO) {
            const std::wstring mg = Numbered(L"MACROG", s);
            c.Int(mg, L"RepeatOption", 1, 4);
            c.IntOrUnset(mg, L"RepeatTimes", 0, INT32_MAX);
            c.Struct(mg, L"Macro", MACRO_DATA_SIZE);
            c.Int(mg, L"MacroLength", 0, MACRO_EVENT_MAX);
        } else if (*fun != FUNID_NONE && *fun != KEY_NONE && *fun != KEY_UNSET) {
            c.Add(sec, L"FunID", ProblemKind::UnknownFunction, {std::to_wstring(*fun)});
        }
    }
    for (int k = 0; k < STANDARD_KEY_COUNT; ++k) {
        const std::wstring sec = Numbered(L"MAXTRIXSWAPKEY", k);
        // A profile read without its file holds -1 here; every reader takes it,
        // like 0, as "unchanged".
        c.IntOrUnset(sec, L"ISCHANGED", 0, 1);
        for (const wchar_t* key : {L"CURKEY", L"ASSKEY", L"FUNID"}) c.Int(sec, key, 0, 255);
        c.Text(sec, L"APPPATH");
    }
}

void CheckMacro(Checker& c, int s, const MacroGroup& m) {
    const std::wstring mg = Numbered(L"MACROG", s);
    if (m.MacroLength > MACRO_EVENT_MAX) return;  // reported with the file's text
    for (int e = 0; e < m.MacroLength; ++e) {
        std::uint8_t code = m.Macro[2 * e], arg = m.Macro[2 * e + 1];
        if (code == MACRO_COMMAND_CODE) {
            c.Add(mg, L"Macro", ProblemKind::UnexpandedCommand, {std::to_wstring(e)});
            return;
        }
        if (code == 0) {
            c.Add(mg, L"Macro", ProblemKind::KeyCodeZero, {std::to_wstring(e)});
            return;
        }
        if (code != MACRO_DELAY_CODE && arg > 1) {
            c.Add(mg, L"Macro", ProblemKind::NotPressOrRelease, {std::to_wstring(e)});
            return;
        }
    }
    for (size_t i = 2 * static_cast<size_t>(m.MacroLength); i < m.Macro.size(); ++i) {
        if (m.Macro[i] != 0) {
            c.Add(mg, L"Macro", ProblemKind::DataAfterEnd);
            return;
        }
    }
}

void CheckLentSlots(Checker& c, const ProfileConfig& p) {
    std::set<int> lentTo;
    for (int s = 0; s < SLOT_COUNT; ++s) {
        const ButtonConfig& b = p.Button[s];
        const std::wstring sec = Numbered(L"BUTTONCONFIG", s);
        if (!IsKeySet(b.Mappinkey)) continue;
        if (s < FIRST_LENT_SLOT) {
            c.Add(sec, L"Mappinkey", ProblemKind::TKeyLentOut, {std::to_wstring(b.Mappinkey)});
            continue;
        }
        if (b.Mappinkey >= STANDARD_KEY_COUNT) {
            c.Add(sec, L"Mappinkey", ProblemKind::NoSuchStandardKey, {std::to_wstring(b.Mappinkey)});
            continue;
        }
        if (!lentTo.insert(b.Mappinkey).second)
            c.Add(sec, L"Mappinkey", ProblemKind::KeyLentTwice, {std::to_wstring(b.Mappinkey)});
        const SwapKeyEntry& k = p.SwapKey[b.Mappinkey];
        const std::wstring ks = Numbered(L"MAXTRIXSWAPKEY", b.Mappinkey);
        if (b.FunID == FUNID_APP && (k.IsChanged != 1 || k.FunID != FUNID_APP))
            c.Add(ks, L"FUNID", ProblemKind::AppKeyNotMarked, {std::to_wstring(s)});
        if (b.FunID == FUNID_MACRO && k.IsChanged != 0)
            c.Add(ks, L"ISCHANGED", ProblemKind::MacroKeyMarked, {std::to_wstring(s)});
    }
}

void CheckSwapKeys(Checker& c, const ProfileConfig& p) {
    for (int k = 0; k < STANDARD_KEY_COUNT; ++k) {
        const SwapKeyEntry& e = p.SwapKey[k];
        if (e.IsChanged != 1) continue;
        const std::wstring sec = Numbered(L"MAXTRIXSWAPKEY", k);
        if (e.FunID != FUNID_SINGLEKEY && e.FunID != FUNID_APP)
            c.Add(sec, L"FUNID", ProblemKind::ChangedKeyFunction, {std::to_wstring(e.FunID)});
        else if (e.FunID == FUNID_APP && e.AppPath.empty())
            c.Add(sec, L"APPPATH", ProblemKind::EmptyAppPath);
    }
}

void CheckInstantShift(Checker& c, const InstantShiftKeys& is) {
    bool used[4] = {};
    for (int i = 0; i < PROFILE_COUNT; ++i) {
        const std::wstring key = Numbered(L"PROFILE", i + 1);
        int v = is.ProfileKey[i];
        // -1 (the read default of a profile saved without its file) means none.
        if (v == -1) continue;
        if (v < 0 || v > 3) {
            c.Add(L"ALTERNATE_PROFILE", key, ProblemKind::OutOfRange, {std::to_wstring(v), L"0", L"3"});
        } else if (v != 0 && used[v]) {
            c.Add(L"ALTERNATE_PROFILE", key, ProblemKind::ChoiceUsedTwice, {std::to_wstring(v)});
        } else {
            used[v] = true;
        }
    }
}

}  // namespace

std::vector<ConfigProblem> CheckProfile(const ProfileConfig& p, const std::wstring& file) {
    std::vector<ConfigProblem> out;
    Checker c{file, out};
    CheckInstantShift(c, p.InstantShift);
    int budget = 0;
    for (int s = 0; s < SLOT_COUNT; ++s) {
        const ButtonConfig& b = p.Button[s];
        if (b.FunID != FUNID_MACRO) continue;
        budget += b.Macro.MacroLength;
        CheckMacro(c, s, b.Macro);
    }
    if (budget > MACRO_EVENT_MAX)
        c.Add(L"", L"", ProblemKind::OverBudget, {std::to_wstring(budget), std::to_wstring(MACRO_EVENT_MAX)});
    CheckLentSlots(c, p);
    CheckSwapKeys(c, p);
    return out;
}

namespace {

// The profile sections of `file`: the form of their text, then the invariants of
// the profile they read as, each value reported once.
void CheckProfileSections(IniSnapshot& snapshot, const std::wstring& file, std::vector<ConfigProblem>& out) {
    const size_t first = out.size();
    Checker c{file, out, &snapshot};
    CheckProfileText(c);
    auto profile = std::make_unique<ProfileConfig>();
    ReadProfileFile(file, *profile);
    // A value whose text is damaged is reported once: what it reads as (a macro
    // that could not be decoded reads as zeros) says nothing more.
    for (ConfigProblem& p : CheckProfile(*profile, file)) {
        const bool known = std::any_of(out.begin() + static_cast<std::ptrdiff_t>(first), out.end(),
                                       [&](const ConfigProblem& q) { return q.section == p.section && q.key == p.key; });
        if (!known) out.push_back(std::move(p));
    }
}

}  // namespace

std::vector<ConfigProblem> CheckDataFolder(const std::wstring& dataFolder) {
    std::vector<ConfigProblem> out;
    IniSnapshot snapshot(Settings());  // reads only: each file is read once
    const std::wstring config = ConfigFilePath(dataFolder);
    if (!fs::FileExists(config)) {
        out.push_back({config, L"", L"", ProblemKind::FileMissing, {}});
    } else {
        Checker c{config, out, &snapshot};
        CheckConfigText(c);
    }
    for (int p = 0; p < PROFILE_COUNT; ++p) {
        const std::wstring file = ProfileFilePath(dataFolder, p);
        if (!fs::FileExists(file)) {
            out.push_back({file, L"", L"", ProblemKind::FileMissing, {}});
            continue;
        }
        CheckProfileSections(snapshot, file, out);
    }
    return out;
}

std::vector<ConfigProblem> CheckProfileAndLighting(const std::wstring& file) {
    std::vector<ConfigProblem> out;
    IniSnapshot snapshot(Settings());
    Checker c{file, out, &snapshot};
    CheckLightOptionText(c);
    CheckProfileSections(snapshot, file, out);
    return out;
}

const wchar_t* ProblemTemplate(ProblemKind kind) {
    switch (kind) {
        case ProblemKind::Missing: return L"missing";
        case ProblemKind::NotDecimal: return L"\"%1\" is not a decimal number";
        case ProblemKind::OutOfRange: return L"%1 is outside %2..%3";
        case ProblemKind::WrongLength: return L"is %1 characters long, not %2";
        case ProblemKind::NotHex: return L"holds a character that is not a hexadecimal digit";
        case ProblemKind::ChecksumMismatch: return L"checksum does not match";
        case ProblemKind::UnknownFunction: return L"unknown function code %1";
        case ProblemKind::UnexpandedCommand: return L"event %1 is an unexpanded command event";
        case ProblemKind::KeyCodeZero: return L"event %1 has key code 0, which names no key";
        case ProblemKind::NotPressOrRelease: return L"key event %1 is neither press nor release";
        case ProblemKind::DataAfterEnd: return L"data after the last event is not zero";
        case ProblemKind::OverBudget: return L"the macros use %1 events, more than the budget of %2";
        case ProblemKind::TKeyLentOut: return L"a T-key slot is lent to standard key %1";
        case ProblemKind::NoSuchStandardKey: return L"no standard key has index %1";
        case ProblemKind::KeyLentTwice: return L"standard key %1 is lent two slots";
        case ProblemKind::AppKeyNotMarked:
            return L"the key launches an application through slot %1 but is not marked as changed to an application";
        case ProblemKind::MacroKeyMarked: return L"the key plays the macro of slot %1 but is marked as changed";
        case ProblemKind::ChangedKeyFunction: return L"a changed key needs function 16 or 17, not %1";
        case ProblemKind::EmptyAppPath: return L"the key launches an application but the path is empty";
        case ProblemKind::ChoiceUsedTwice: return L"instant-shift choice %1 is used twice";
        case ProblemKind::FileMissing: return L"the file is missing";
        case ProblemKind::BadAppRule: return L"%1";
    }
    return L"";
}

std::wstring ProblemReason(const ConfigProblem& p) { return FillIn(ProblemTemplate(p.kind), p.values); }

std::wstring ProblemPlace(const ConfigProblem& p) {
    std::wstring where = p.section.empty() ? L"" : L"[" + p.section + L"] ";
    if (!p.key.empty()) where += p.key + L": ";
    return where;
}

std::wstring FormatProblem(const ConfigProblem& p) {
    std::wstring s = p.file;
    if (!p.section.empty()) s += L" [" + p.section + L"]";
    if (!p.key.empty()) s += L" " + p.key;
    return s + L": " + ProblemReason(p);
}

}  // namespace zavo
