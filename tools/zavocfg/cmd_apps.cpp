// zavocfg apps list | add APP N | remove APP | fallback N|keep: the profiles that
// follow the application in front, with the checks of the tool's own window
// (config/AppRules.h). N is 1..5 as the windows show profiles.
#include <string>

#include "Cli.h"
#include "config/AppRules.h"
#include "platform/FileSystem.h"

namespace zavocfg {
namespace {

using namespace zavo;

void NoExtraArgs(const Args& args, size_t expected) {
    if (args.size() > expected) throw UsageError{L"unexpected \"" + args[expected] + L"\""};
    if (args.size() < expected) throw UsageError{L"apps: missing argument (zavocfg apps --help)"};
}

int Profile(const std::wstring& word, bool allowKeep) {
    int profile = 0;
    if (!apps::ParseProfileArg(word, allowKeep, profile))
        throw UsageError{L"profile \"" + word + L"\": give 1 to 5" + (allowKeep ? L" or keep" : L"")};
    return profile;
}

std::wstring ProfileWord(int profile) {
    return profile == apps::KEEP_PROFILE ? L"keep" : std::to_wstring(profile + 1);
}

int List(const std::wstring& data) {
    std::vector<apps::RulesProblem> problems;
    const apps::AppRules rules = apps::ReadAppRules(apps::RulesFilePath(data), &problems);
    Out(std::wstring(L"switch automatically: ") + (rules.automatic ? L"on" : L"off") + L"\n");
    Out(L"when no rule matches: " + ProfileWord(rules.fallback) + L"\n");
    for (const apps::AppRule& r : rules.rules) Out(r.app + L" -> " + ProfileWord(r.profile) + L"\n");
    for (const ConfigProblem& p : apps::CheckRulesFile(data)) Out(L"problem: " + FormatProblem(p) + L"\n");
    return problems.empty() ? 0 : 1;
}

int Save(const std::wstring& data, const apps::AppRules& rules) {
    backup::KeepOutcome kept;
    if (IniFileStatus s = apps::SaveAppRules(data, rules, &kept); !s) return Fail(DescribeFailure(s));
    if (!kept) Err(L"zavocfg: the earlier rules could not be kept as a backup: " + DescribeFailure(kept.failure) + L"\n");
    return 0;
}

int Run(Args args) {
    const std::wstring data = DataFolderFrom(args);
    if (args.empty()) throw UsageError{L"apps: give list, add, remove or fallback"};
    const std::wstring verb = args.front();
    args.erase(args.begin());
    if (!fs::DirectoryExists(data)) return Fail(data + L": no such folder");
    if (verb == L"list") {
        NoExtraArgs(args, 0);
        return List(data);
    }
    apps::AppRules rules = apps::ReadAppRules(apps::RulesFilePath(data));
    if (verb == L"add") {
        NoExtraArgs(args, 2);
        const apps::RuleEditResult r = apps::SetRule(rules, args[0], Profile(args[1], false));
        if (r.edit == apps::RuleEdit::Refused) return Fail(L"\"" + args[0] + L"\": " + apps::FaultText(r.fault));
    } else if (verb == L"remove") {
        NoExtraArgs(args, 1);
        if (apps::RemoveRule(rules, args[0]).edit == apps::RuleEdit::NotFound)
            return Fail(L"no rule for \"" + args[0] + L"\"");
    } else if (verb == L"fallback") {
        NoExtraArgs(args, 1);
        rules.fallback = Profile(args[0], true);
    } else {
        throw UsageError{L"apps: unknown \"" + verb + L"\" (list, add, remove, fallback)"};
    }
    return Save(data, rules);
}

}  // namespace

ZAVOCFG_COMMAND("apps",
                "apps list | add APP N | remove APP | fallback N|keep [--data DIR]   profiles by application (N 1..5)",
                Run);

}  // namespace zavocfg
