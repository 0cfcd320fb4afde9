// zavocfg show | check | roundtrip | demo: the data folder's six settings files.
//   show [--data DIR]              the configuration as the main window holds it
//   check [--data DIR]             one line per problem; exit 1 when there are any
//   roundtrip --data DIR [--out DIR] [--force]
//                                  load, then save (into --out, or back); refused
//                                  when the save would replace damaged values or
//                                  merge into settings files already in --out
//   demo --out DIR                 writes a small demo configuration
#include <algorithm>
#include <cstdio>
#include <initializer_list>
#include <memory>

#include "Cli.h"
#include "config/ConfigCheck.h"
#include "config/ConfigStore.h"
#include "config/Ini.h"
#include "macro/KeyNames.h"
#include "macro/KeyTables.h"
#include "platform/FileSystem.h"

namespace {

using namespace zavo;
using zavocfg::Out;

const wchar_t* const kRoman[] = {L"I", L"II", L"III", L"IV", L"V"};

std::wstring Hex2(unsigned v) {
    wchar_t buf[8];
    std::swprintf(buf, 8, L"0x%02X", v & 0xFF);
    return buf;
}

// "A (0x04)", or the code alone when it has no name.
std::wstring CodeName(std::uint8_t code) {
    const std::wstring& name = KeyName(code);
    return name.empty() ? Hex2(code) : name + L" (" + Hex2(code) + L")";
}

// "Enter (key 70)" by the key code the on-screen key sends, or "key 130".
std::wstring StandardKeyName(int index) {
    std::uint8_t code = KeyIndexToKeyCode(index);
    const std::wstring& name = code ? KeyName(code) : KeyName(0);
    return name.empty() ? L"key " + std::to_wstring(index) : name + L" (key " + std::to_wstring(index) + L")";
}

std::wstring MacroText(const MacroGroup& m) {
    std::wstring s = L"macro \"" + m.MacroName + L"\", " + std::to_wstring(m.MacroLength) + L" events, repeat option " +
                     std::to_wstring(m.RepeatOption);
    if (m.RepeatOption == 4) s += L" (" + std::to_wstring(m.RepeatTimes) + L" times)";
    return s;
}

std::wstring SlotText(const ButtonConfig& b) {
    switch (b.FunID) {
        case FUNID_SINGLEKEY:
            return L"single key -> " + CodeName(b.SingleKey);
        case FUNID_APP:
            return L"application " + b.AppPath;
        case FUNID_MACRO:
            return MacroText(b.Macro);
        default:
            return L"";
    }
}

int MacroBudget(const ProfileConfig& p) {
    int used = 0;
    for (const auto& b : p.Button)
        if (b.FunID == FUNID_MACRO) used += b.Macro.MacroLength;
    return used;
}

void ShowInstantShift(const InstantShiftKeys& is) {
    auto key = [](std::uint8_t k) { return IsKeySet(k) ? CodeName(k) : std::wstring(L"none"); };
    std::wstring line = L"  Instant shift: previous " + key(is.PreKey) + L", next " + key(is.NextKey);
    for (int i = 0; i < PROFILE_COUNT; ++i)
        if (is.ProfileKey[i] != 0)
            line += L", choice " + std::to_wstring(is.ProfileKey[i]) + L" -> Profile " + kRoman[i];
    Out(line + L"\n");
}

void ShowStandardKeys(const ProfileConfig& p) {
    for (int k = 0; k < STANDARD_KEY_COUNT; ++k) {
        const SwapKeyEntry& e = p.SwapKey[k];
        std::wstring what;
        if (e.IsChanged == 1 && e.FunID == FUNID_SINGLEKEY) what = L"single key -> " + CodeName(e.AssKey);
        for (int s = FIRST_LENT_SLOT; s < SLOT_COUNT && what.empty(); ++s) {
            const ButtonConfig& b = p.Button[s];
            if (b.Mappinkey == k && (b.FunID == FUNID_APP || b.FunID == FUNID_MACRO))
                what = SlotText(b) + L" (slot " + std::to_wstring(s) + L")";
        }
        if (!what.empty()) Out(L"    " + StandardKeyName(k) + L": " + what + L"\n");
    }
}

// The profile the main window shows for the stored value: 0..4 as they are, 5
// (no profile, every key locked) as it is, and anything else (-1 when the key
// is missing, 204 when it was never set) as profile I, as the window corrects
// it at start.
int ActiveProfile(std::int32_t stored) { return stored >= 0 && stored <= NO_PROFILE ? stored : 0; }

std::wstring ActiveProfileText(std::int32_t stored) {
    const int p = ActiveProfile(stored);
    std::wstring s = p == NO_PROFILE ? L"none (every key locked)" : L"profile " + std::wstring(kRoman[p]);
    if (p != stored) s += L" (stored as " + std::to_wstring(stored) + L")";
    return s;
}

void ShowProfile(const KeyboardConfig& c, int p) {
    const ProfileConfig& pr = c.Profile[p];
    Out(L"\nProfile " + std::wstring(kRoman[p]) + (p == ActiveProfile(c.CurrantProfile) ? L" (active)" : L"") + L"\n");
    ShowInstantShift(pr.InstantShift);
    Out(L"  Macro budget: " + std::to_wstring(MacroBudget(pr)) + L" of " + std::to_wstring(MACRO_EVENT_MAX) +
        L" events\n");
    for (int s = 0; s < TKEY_COUNT; ++s) {
        std::wstring what = SlotText(pr.Button[s]);
        Out(L"  T" + std::to_wstring(s + 1) + (s < 9 ? L"  " : L" ") + (what.empty() ? L"-" : what) + L"\n");
    }
    Out(L"  Standard keys:\n");
    ShowStandardKeys(pr);
}

void ShowHeader(const KeyboardConfig& c) {
    const LightSettings& l = c.Light;
    Out(L"Mode " + std::to_wstring(c.Mode) +
        (c.Mode == 1   ? L" (T-keys and standard keys)"
         : c.Mode == 0 ? L" (T-keys only)"
                       : L"") +
        L", active " + ActiveProfileText(c.CurrantProfile) + L", device state " + std::to_wstring(c.DeviceState) +
        L"\n");
    Out(L"Lighting: style " + std::to_wstring(l.LightStyle) + L", light profile " + std::to_wstring(l.LightMode) +
        L", WASD " + std::to_wstring(l.WasdLight) + L", pinyin " + std::to_wstring(l.PinyinLight) + L", direction " +
        std::to_wstring(l.DirectLight) + L", number pad " + std::to_wstring(l.NumberLight) + L", T1-T5 " +
        std::to_wstring(l.Tt1To5Light) + L", T6-T10 " + std::to_wstring(l.Tt6To10Light) + L", DFER " +
        std::to_wstring(l.DferLight) + L", 1-0 " + std::to_wstring(l.OneToZeroLight) + L"\n");
}

int Show(zavocfg::Args args) {
    const std::wstring data = zavocfg::DataFolderFrom(args);
    if (!args.empty()) return zavocfg::Fail(L"show: unexpected argument " + args[0]);
    auto c = std::make_unique<KeyboardConfig>();
    std::wstring error;
    if (!ReadDataFolder(data, *c, error)) return zavocfg::Fail(error);
    Out(L"Data folder: " + data + L"\n");
    ShowHeader(*c);
    for (int p = 0; p < PROFILE_COUNT; ++p) ShowProfile(*c, p);
    return 0;
}

int Check(zavocfg::Args args) {
    const std::wstring data = zavocfg::DataFolderFrom(args);
    if (!args.empty()) return zavocfg::Fail(L"check: unexpected argument " + args[0]);
    if (!fs::DirectoryExists(data)) return zavocfg::Fail(data + L": no such folder");
    // A file that cannot be read would otherwise show as hundreds of missing keys.
    if (std::wstring bad = zavocfg::UnreadableSettingsFile(data); !bad.empty()) return zavocfg::Fail(bad);
    auto problems = CheckDataFolder(data);
    for (const auto& p : problems) Out(FormatProblem(p) + L"\n");
    if (problems.empty()) Out(L"no problems\n");
    return problems.empty() ? 0 : 1;
}

// The problems check finds in `data` whose stored text a save of `c` would not
// write back as it is: a damaged macro saved as zeros, a number that is not one
// saved as what it reads as. Found by saving into a scratch folder and comparing
// the stored texts; values that are missing (the save only adds them) and rules
// between values (the save keeps them as they are) are left out.
std::vector<ConfigProblem> DamageASaveReplaces(const std::wstring& data, const KeyboardConfig& c) {
    std::vector<ConfigProblem> damage;
    std::vector<ConfigProblem> problems = CheckDataFolder(data);
    problems.erase(std::remove_if(problems.begin(), problems.end(),
                                  [&](const ConfigProblem& p) {
                                      std::wstring stored;
                                      return p.key.empty() || !Settings().IniReadRaw(p.file, p.section, p.key, stored);
                                  }),
                   problems.end());
    if (problems.empty()) return damage;
    zavocfg::ScratchFolder scratch;
    // Without a scratch save there is no telling: every damaged stored value counts.
    if (scratch.path().empty() || !SaveConfiguration(scratch.path(), c)) return problems;
    for (const ConfigProblem& p : problems) {
        std::wstring before, after;
        Settings().IniReadRaw(p.file, p.section, p.key, before);
        const std::wstring saved = scratch.path() + p.file.substr(data.size());
        if (!Settings().IniReadRaw(saved, p.section, p.key, after) || after != before) damage.push_back(p);
    }
    return damage;
}

// Names of the six settings files already in `folder`.
std::wstring SettingsFilesIn(const std::wstring& folder) {
    std::wstring names;
    for (const std::wstring& f : zavocfg::SettingsFiles(folder))
        if (fs::FileExists(f)) names += (names.empty() ? L"" : L", ") + f.substr(folder.size());
    return names;
}

int Roundtrip(zavocfg::Args args) {
    std::wstring data, out;
    const bool force = zavocfg::TakeFlag(args, L"--force");
    const bool toOut = zavocfg::TakeOption(args, L"--out", out);
    if (!zavocfg::TakeOption(args, L"--data", data)) return zavocfg::Fail(L"roundtrip: --data DIR is required");
    if (!args.empty()) return zavocfg::Fail(L"roundtrip: unexpected argument " + args[0]);
    data = zavocfg::WithSeparator(data);
    out = toOut ? zavocfg::WithSeparator(out) : data;
    auto c = std::make_unique<KeyboardConfig>();
    std::wstring error;
    if (!ReadDataFolder(data, *c, error)) return zavocfg::Fail(error);  // LoadConfiguration would create it
    LoadConfiguration(data, *c);

    // The save rewrites whole files, but keys it does not write stay in a file
    // that is already there: into another folder's files that is a merge.
    const std::wstring existing = out != data ? SettingsFilesIn(out) : L"";
    if (!existing.empty() && !force)
        return zavocfg::Fail(L"roundtrip: " + out + L" already holds " + existing +
                             L"; the save would merge into them (keys it does not write stay); nothing was "
                             L"written (--force merges)");

    const std::vector<ConfigProblem> damage = DamageASaveReplaces(data, *c);
    for (const ConfigProblem& p : damage)
        zavocfg::Err(L"warning: " + FormatProblem(p) + L"; the save replaces this value\n");
    if (!damage.empty() && !force) {
        zavocfg::Err(L"zavocfg: roundtrip: the save would replace " + std::to_wstring(damage.size()) +
                     L" damaged value(s); nothing was written (--force saves anyway)\n");
        return 1;
    }

    SaveResult r = SaveConfiguration(out, *c);
    if (!r) return zavocfg::Fail(DescribeFailure(r));
    if (!existing.empty()) Out(L"merged into the settings files already in " + out + L"\n");
    Out(L"saved " + data + L" to " + out + L"\n");
    return 0;
}

void DemoMacro(MacroGroup& m, const std::wstring& name, std::initializer_list<std::uint8_t> bytes) {
    m = MacroGroup{};
    m.MacroName = name;
    m.MacroLength = static_cast<std::uint16_t>(bytes.size() / 2);
    std::copy(bytes.begin(), bytes.end(), m.Macro.begin());
    m.RepeatOption = 1;
}

// A standard key lent a slot for a macro or an application.
void Lend(ProfileConfig& p, int slot, int key) {
    p.Button[slot].Mappinkey = static_cast<std::uint8_t>(key);
    SwapKeyEntry& e = p.SwapKey[key];
    e.CurKey = e.AssKey = KeyIndexToKeyCode(key);
    if (p.Button[slot].FunID == FUNID_APP) {
        e.IsChanged = 1;
        e.FunID = FUNID_APP;
        e.AppPath = p.Button[slot].AppPath;
    }
}

std::unique_ptr<KeyboardConfig> DemoConfig() {
    auto c = std::make_unique<KeyboardConfig>();
    c->Mode = 1;
    c->DeviceState = 1;
    ProfileConfig& fps = c->Profile[0];
    fps.InstantShift.ProfileKey = {1, 2, 0, 0, 0};
    fps.Button[0].FunID = FUNID_SINGLEKEY;
    fps.Button[0].SingleKey = fps.Button[0].AssKey = 0x18;  // F1
    fps.Button[1].FunID = FUNID_APP;
    fps.Button[1].AppPath = L"C:\\Windows\\notepad.exe";
    fps.Button[2].FunID = FUNID_MACRO;
    DemoMacro(fps.Button[2].Macro, L"Quick reload", {0x2A, 1, 0xFF, 1, 0x2A, 0});  // R, 50 ms, R up
    fps.Button[10].FunID = FUNID_MACRO;
    DemoMacro(fps.Button[10].Macro, L"Grenade", {0x2D, 1, 0xFF, 2, 0x2D, 0, 0x14, 1, 0x14, 0});
    Lend(fps, 10, 20);
    SwapKeyEntry& enter = fps.SwapKey[ENTER_KEY_INDEX];
    enter = {KeyIndexToKeyCode(ENTER_KEY_INDEX), 0x57, 1, FUNID_SINGLEKEY, L""};  // Enter sends Space
    ProfileConfig& rts = c->Profile[1];
    rts.Button[0].FunID = FUNID_MACRO;
    DemoMacro(rts.Button[0].Macro, L"Build order", {0x14, 1, 0x14, 0, 0xFF, 4, 0x1C, 1, 0x1C, 0, 0xFF, 4});
    rts.Button[0].Macro.RepeatOption = 4;
    rts.Button[0].Macro.RepeatTimes = 3;
    rts.Button[4].FunID = FUNID_APP;
    rts.Button[4].AppPath = L"C:\\Games\\Launcher\\launcher.exe";
    rts.Button[10].FunID = FUNID_APP;
    rts.Button[10].AppPath = L"C:\\Windows\\System32\\calc.exe";
    Lend(rts, 10, 30);
    return c;
}

int Demo(zavocfg::Args args) {
    std::wstring out;
    if (!zavocfg::TakeOption(args, L"--out", out)) return zavocfg::Fail(L"demo: --out DIR is required");
    if (!args.empty()) return zavocfg::Fail(L"demo: unexpected argument " + args[0]);
    out = zavocfg::WithSeparator(out);
    SaveResult r = SaveConfiguration(out, *DemoConfig());
    if (!r) return zavocfg::Fail(DescribeFailure(r));
    Out(L"demo configuration written to " + out + L"\n");
    return 0;
}

}  // namespace

ZAVOCFG_COMMAND("show", "show [--data DIR]      the configuration, profile by profile", Show);
ZAVOCFG_COMMAND("check", "check [--data DIR]     validates the six settings files; exit 1 on problems", Check);
ZAVOCFG_COMMAND("roundtrip",
                "roundtrip --data DIR [--out DIR] [--force]  loads and saves again (into --out, or back); "
                "--force saves over damaged values and merges into files already in --out",
                Roundtrip);
ZAVOCFG_COMMAND("demo", "demo --out DIR         writes a small demo configuration", Demo);
