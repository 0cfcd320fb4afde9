#include "config/AppRules.h"

#include <unordered_set>

#include "config/IniFile.h"

namespace zavo::apps {

namespace {

constexpr wchar_t kSwitch[] = L"SWITCH";
constexpr wchar_t kRules[] = L"RULES";

std::wstring Indexed(const wchar_t* key, size_t i) { return key + DecimalText(static_cast<std::int32_t>(i)); }

// A whole decimal number without sign or blanks; false for anything else.
bool ParseNumber(std::wstring_view text, long long& value) {
    text = ini::Trim(text);
    if (text.empty() || text.size() > 9) return false;
    value = 0;
    for (wchar_t c : text) {
        if (c < L'0' || c > L'9') return false;
        value = value * 10 + (c - L'0');
    }
    return true;
}

// "1".."5" -> 0..4; -1 for anything else.
int ProfileFromText(std::wstring_view text) {
    long long n = 0;
    return ParseNumber(text, n) && n >= 1 && n <= PROFILE_COUNT ? static_cast<int>(n - 1) : -1;
}

std::wstring_view FileNameOf(std::wstring_view path) {
    const size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring_view::npos ? path : path.substr(slash + 1);
}

int FindRule(const AppRules& rules, std::wstring_view app) {
    const std::wstring key = MatchKey(app);
    for (size_t i = 0; i < rules.rules.size(); ++i)
        if (MatchKey(rules.rules[i].app) == key) return static_cast<int>(i);
    return -1;
}

}  // namespace

const wchar_t* FaultText(RuleFault f) {
    switch (f) {
        case RuleFault::None:
            return L"";
        case RuleFault::Damaged:
            return L"no readable rule count: the rules are read up to the first missing one";
        case RuleFault::EmptyApp:
            return L"a rule without an application";
        case RuleFault::BadName:
            return L"the application is not a valid file name or path";
        case RuleFault::BadProfile:
            return L"profile outside 1..5";
        case RuleFault::Duplicate:
            return L"a second rule for the same application (the first one counts)";
        case RuleFault::TooMany:
            return L"more than 1000 rules: the rest are not read";
        case RuleFault::BadFallback:
            return L"fallback outside 0..5: the profile is kept";
    }
    return L"";
}

std::wstring RulesFilePath(const std::wstring& dataFolder) { return dataFolder + RULES_FILE_NAME; }

bool IsPathRule(std::wstring_view app) { return app.find_first_of(L"\\/") != std::wstring_view::npos; }

std::wstring MatchKey(std::wstring_view app) {
    std::wstring key = ini::FoldName(ini::Trim(app));
    for (wchar_t& c : key)
        if (c == L'/') c = L'\\';
    return key;
}

RuleFault CheckApp(std::wstring_view app) {
    app = ini::Trim(app);
    if (app.empty()) return RuleFault::EmptyApp;
    if (app.size() > kMaxAppLength) return RuleFault::BadName;
    for (size_t i = 0; i < app.size(); ++i) {
        const wchar_t c = app[i];
        // A drive letter's colon is the only one a path holds.
        if (c == L':' && !(i == 1 && IsPathRule(app))) return RuleFault::BadName;
        if (c < 0x20 || std::wstring_view(L"<>\"|?*").find(c) != std::wstring_view::npos) return RuleFault::BadName;
    }
    const std::wstring_view name = FileNameOf(app);
    if (name.empty() || name == L"." || name == L"..") return RuleFault::BadName;
    return RuleFault::None;
}

AppRules ReadAppRules(const std::wstring& path, std::vector<RulesProblem>* problems) {
    AppRules out;
    std::vector<RulesProblem> found;
    if (fs::FileExists(path)) {
        IniSnapshot snapshot(Settings());
        out.automatic = snapshot.IniReadInt(path, kSwitch, L"Automatic", 1) != 0;
        std::wstring text;
        if (snapshot.IniReadRaw(path, kSwitch, L"Fallback", text)) {
            long long n = 0;
            if (ParseNumber(text, n) && n <= PROFILE_COUNT)
                out.fallback = n == 0 ? KEEP_PROFILE : static_cast<int>(n - 1);
            else
                found.push_back({RuleFault::BadFallback, -1, L""});
        }
        long long count = 0;
        const bool counted = snapshot.IniReadRaw(path, kSwitch, L"Count", text) && ParseNumber(text, count);
        if (!counted) found.push_back({RuleFault::Damaged, -1, L""});
        if (count > static_cast<long long>(kMaxRules)) found.push_back({RuleFault::TooMany, -1, L""});
        const size_t last = counted ? std::min<size_t>(static_cast<size_t>(count), kMaxRules) : kMaxRules;
        std::unordered_set<std::wstring> seen;
        for (size_t i = 0; i < last; ++i) {
            std::wstring app;
            const bool hasApp = snapshot.IniReadRaw(path, kRules, Indexed(L"App", i), app);
            if (!counted && !hasApp) break;
            app = std::wstring(ini::Trim(app));
            const int index = static_cast<int>(i);
            if (const RuleFault f = CheckApp(app); f != RuleFault::None) {
                found.push_back({f, index, app});
                continue;
            }
            std::wstring profileText;
            snapshot.IniReadRaw(path, kRules, Indexed(L"Profile", i), profileText);
            const int profile = ProfileFromText(profileText);
            if (profile < 0) {
                found.push_back({RuleFault::BadProfile, index, app});
                continue;
            }
            if (!seen.insert(MatchKey(app)).second) {
                found.push_back({RuleFault::Duplicate, index, app});
                continue;
            }
            out.rules.push_back({app, profile});
        }
    }
    if (problems) *problems = std::move(found);
    return out;
}

std::vector<ConfigProblem> CheckRulesFile(const std::wstring& dataFolder) {
    std::vector<RulesProblem> found;
    const std::wstring path = RulesFilePath(dataFolder);
    ReadAppRules(path, &found);
    std::vector<ConfigProblem> out;
    for (const RulesProblem& p : found) {
        const bool rule = p.index >= 0;
        out.push_back({path, rule ? kRules : kSwitch,
                       rule ? Indexed(L"App", static_cast<size_t>(p.index))
                            : (p.fault == RuleFault::BadFallback ? L"Fallback" : L"Count"),
                       ProblemKind::BadAppRule, {FaultText(p.fault)}});
    }
    return out;
}

IniFileStatus WriteAppRules(const std::wstring& path, const AppRules& rules) {
    IniBatch batch(Settings());
    const size_t before = static_cast<size_t>(std::max(0, batch.IniReadInt(path, kSwitch, L"Count", 0)));
    fs::Status failed;
    auto write = [&](std::wstring_view section, const std::wstring& key, std::wstring_view value) {
        if (fs::Status s = batch.IniWriteString(path, section, key, value); !s && failed) failed = s;
    };
    write(kSwitch, L"Automatic", rules.automatic ? L"1" : L"0");
    write(kSwitch, L"Fallback", DecimalText(rules.fallback == KEEP_PROFILE ? 0 : rules.fallback + 1));
    write(kSwitch, L"Count", DecimalText(static_cast<std::int32_t>(rules.rules.size())));
    for (size_t i = 0; i < rules.rules.size(); ++i) {
        write(kRules, Indexed(L"App", i), rules.rules[i].app);
        write(kRules, Indexed(L"Profile", i), DecimalText(rules.rules[i].profile + 1));
    }
    for (size_t i = rules.rules.size(); i < std::min(before, kMaxRules); ++i) {
        write(kRules, Indexed(L"App", i), L"");
        write(kRules, Indexed(L"Profile", i), L"");
    }
    if (!failed) return failed;  // nothing written: the batch ends without its commit
    return batch.Commit();
}

IniFileStatus SaveAppRules(const std::wstring& dataFolder, const AppRules& rules, backup::KeepOutcome* kept) {
    backup::ActionBackup backup(dataFolder, backup::Action::AppProfiles);
    const IniFileStatus result = WriteAppRules(RulesFilePath(dataFolder), rules);
    const backup::KeepOutcome outcome = backup.Finish();
    if (kept) *kept = outcome;
    return result;
}

int ProfileFor(const AppRules& rules, std::wstring_view imagePath) {
    if (!imagePath.empty()) {
        const std::wstring full = MatchKey(imagePath);
        const std::wstring name = MatchKey(FileNameOf(imagePath));
        int byName = -1;
        for (const AppRule& r : rules.rules) {
            const std::wstring key = MatchKey(r.app);
            if (IsPathRule(r.app)) {
                if (key == full) return r.profile;
            } else if (byName < 0 && key == name) {
                byName = r.profile;
            }
        }
        if (byName >= 0) return byName;
    }
    return rules.fallback;
}

RuleEditResult SetRule(AppRules& rules, std::wstring_view app, int profile) {
    app = ini::Trim(app);
    if (const RuleFault f = CheckApp(app); f != RuleFault::None) return {RuleEdit::Refused, f};
    if (profile < 0 || profile >= PROFILE_COUNT) return {RuleEdit::Refused, RuleFault::BadProfile};
    if (const int i = FindRule(rules, app); i >= 0) {
        rules.rules[static_cast<size_t>(i)].profile = profile;
        return {RuleEdit::Changed, RuleFault::None};
    }
    if (rules.rules.size() >= kMaxRules) return {RuleEdit::Refused, RuleFault::TooMany};
    rules.rules.push_back({std::wstring(app), profile});
    return {RuleEdit::Added, RuleFault::None};
}

RuleEditResult RemoveRule(AppRules& rules, std::wstring_view app) {
    const int i = FindRule(rules, app);
    if (i < 0) return {RuleEdit::NotFound, RuleFault::None};
    rules.rules.erase(rules.rules.begin() + i);
    return {RuleEdit::Removed, RuleFault::None};
}

bool ParseProfileArg(std::wstring_view text, bool allowKeep, int& profile) {
    if (allowKeep && ini::FoldName(text) == ini::FoldName(L"keep")) {
        profile = KEEP_PROFILE;
        return true;
    }
    const int p = ProfileFromText(text);
    if (p < 0 || ini::Trim(text).size() != text.size()) return false;
    profile = p;
    return true;
}

SwitchAction DecideSwitch(const SwitchInputs& in) {
    if (!in.automatic || in.paused || in.configuring) return SwitchAction::None;
    if (in.target == KEEP_PROFILE || in.target == in.current) return SwitchAction::None;
    return in.servicePresent ? SwitchAction::Select : SwitchAction::WhenServiceUp;
}

}  // namespace zavo::apps
