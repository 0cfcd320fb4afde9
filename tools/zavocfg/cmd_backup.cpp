// zavocfg backup list | restore [--at WHEN] | profile export N FILE | profile import FILE N:
// the backup generations of the data folder and the profile file, with the
// same rules as the tool's own system menu (Backups.h, ProfileExchange.h).
#include <string>

#include "Cli.h"
#include "config/Backups.h"
#include "config/ConfigStore.h"
#include "light/ProfileExchange.h"
#include "platform/FileSystem.h"

namespace zavocfg {
namespace {

using namespace zavo;

void NoExtraArgs(const Args& args) {
    if (!args.empty()) throw UsageError{L"unexpected \"" + args.front() + L"\""};
}

// "1".."5" (profile I..V as the window shows them) as 0..4.
int ProfileNumber(const std::wstring& word) {
    if (word.size() == 1 && word[0] >= L'1' && word[0] < L'1' + PROFILE_COUNT) return word[0] - L'1';
    throw UsageError{L"profile \"" + word + L"\": give 1 to " + std::to_wstring(PROFILE_COUNT)};
}

std::wstring Joined(const std::vector<std::wstring>& names) {
    std::wstring s;
    for (const auto& n : names) s += (s.empty() ? L"" : L", ") + n;
    return s;
}

// The data folder's configuration, or exit 2 naming what cannot be read.
bool ReadConfig(const std::wstring& data, KeyboardConfig& config, int& exitCode) {
    std::wstring error;
    if (ReadDataFolder(data, config, error)) return true;
    exitCode = Fail(error);
    return false;
}

void ReportKept(const backup::KeepOutcome& kept) {
    if (!kept) Err(L"zavocfg: warning: no backup of the replaced files: " + DescribeFailure(kept.failure) + L"\n");
    else if (!kept.generation.empty()) Out(L"Kept the replaced files as backup " + kept.generation + L"\n");
}

int BackupCmd(const Args& argsIn) {
    Args args = argsIn;
    const std::wstring data = DataFolderFrom(args);
    if (args.empty() || args.front() != L"list") throw UsageError{L"backup: give \"list\""};
    args.erase(args.begin());
    NoExtraArgs(args);
    const auto gens = backup::ListGenerations(data);
    if (gens.empty()) Out(L"No backups in " + backup::BackupFolder(data) + L"\n");
    for (const auto& g : gens) {
        std::wstring what = backup::ActionWord(g.action);
        if (g.profile >= 0) what += L" " + std::to_wstring(g.profile + 1);
        Out(g.name + L"  " + what + L"  " + Joined(g.files) + L"\n");
    }
    return 0;
}

int RestoreCmd(const Args& argsIn) {
    Args args = argsIn;
    const std::wstring data = DataFolderFrom(args);
    std::wstring when;
    TakeOption(args, L"--at", when);
    NoExtraArgs(args);
    if (std::wstring bad = UnreadableSettingsFile(data); !bad.empty()) return Fail(bad);
    const auto gens = backup::ListGenerations(data);
    const int index = backup::FindGeneration(gens, when);
    if (index < 0)
        return Fail(gens.empty() ? L"no backups in " + backup::BackupFolder(data)
                                 : L"no backup \"" + when + L"\" (zavocfg backup list shows them)");
    backup::KeepOutcome kept;
    std::vector<std::wstring> written;
    const IniFileStatus result = backup::RestoreFiles(data, gens, static_cast<size_t>(index), kept, written);
    ReportKept(kept);
    if (!result) return Fail(DescribeFailure(result));
    Out(written.empty() ? L"The settings already are as of " + gens[index].name + L"\n"
                        : L"Restored as of " + gens[index].name + L": " + Joined(written) + L"\n");
    return 0;
}

int ProfileCmd(const Args& argsIn) {
    Args args = argsIn;
    const std::wstring data = DataFolderFrom(args);
    if (args.size() != 3 || (args[0] != L"export" && args[0] != L"import"))
        throw UsageError{L"profile: give \"export N FILE\" or \"import FILE N\""};
    int code = 0;
    KeyboardConfig config;
    if (args[0] == L"export") {
        const int p = ProfileNumber(args[1]);
        if (!ReadConfig(data, config, code)) return code;
        const IniFileStatus written = WriteProfileExchange(args[2], ProfileForExport(data, config, p));
        if (!written) return Fail(DescribeFailure(written));
        Out(L"Exported profile " + args[1] + L" to " + args[2] + L"\n");
        return 0;
    }
    const int p = ProfileNumber(args[2]);
    ProfileExchange x;
    ProfileRefusal refused;
    std::string bytes;
    if (fs::Status s = fs::ReadWholeFile(args[1], bytes); !s) return Fail(DescribeFailure(s.At(args[1])));
    // A foreign or damaged file is refused before anything is read or written.
    if (!ReadProfileExchange(args[1], x, refused)) {
        Err(L"zavocfg: " + DescribeProfileRefusal(refused) + L" Nothing was changed.\n");
        return 1;
    }
    if (!ReadConfig(data, config, code)) return code;
    PutImportedProfile(config, p, x);
    // The profile and its zones are one import: one backup of what they replace.
    backup::ActionBackup backup(data, backup::Action::Import, p);
    const SaveResult saved = SaveConfiguration(data, config);
    const IniFileStatus zones = saved ? WriteImportedZones(data, x) : IniFileStatus{};
    ReportKept(backup.Finish());
    if (!saved) return Fail(DescribeFailure(saved));
    if (!zones) return Fail(DescribeFailure(zones));
    Out(L"Imported " + args[1] + L" into profile " + args[2] + L"\n");
    return 0;
}

}  // namespace

ZAVOCFG_COMMAND("backup", "backup list [--data DIR]   the backup generations, newest first, with their files",
                BackupCmd);
ZAVOCFG_COMMAND("restore",
                "restore [--at WHEN] [--data DIR]   the settings files as they were before that backup (folder name "
                "or date-time prefix; default the newest)",
                RestoreCmd);
ZAVOCFG_COMMAND("profile",
                "profile export N FILE | profile import FILE N [--data DIR]   profile N (1-5) to or from a "
                ".zavoprofile file",
                ProfileCmd);

}  // namespace zavocfg
