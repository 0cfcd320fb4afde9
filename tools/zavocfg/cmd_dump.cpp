// zavocfg dump --json [--data DIR]: the whole configuration as JSON (UTF-8).
// Macro event data is given as hexadecimal text, two digits per byte: the
// macro's MacroLength events, and any bytes after them up to the last that is
// not zero (the stored 10880 bytes are that text padded with zeros).
#include <algorithm>
#include <memory>
#include <nlohmann/json.hpp>

#include "Cli.h"
#include "config/ConfigStore.h"
#include "platform/TextCodec.h"

namespace {

using namespace zavo;
using nlohmann::ordered_json;

std::string U8(const std::wstring& s) { return text::ToUtf8(s); }

std::string MacroHex(const MacroGroup& m) {
    static const char kHex[] = "0123456789ABCDEF";
    size_t end = m.Macro.size();
    while (end > 0 && m.Macro[end - 1] == 0) --end;
    // A release (code, 0) at the end is part of the macro, zero or not. A length
    // past the budget (0xFFFF when the slot never held a macro) counts nothing.
    if (m.MacroLength <= MACRO_EVENT_MAX) end = std::max(end, 2 * static_cast<size_t>(m.MacroLength));
    std::string out;
    for (size_t i = 0; i < end; ++i) {
        out += kHex[m.Macro[i] >> 4];
        out += kHex[m.Macro[i] & 15];
    }
    return out;
}

ordered_json Light(const LightSettings& l) {
    return {{"LightStyle", l.LightStyle},        {"LightMode", l.LightMode},       {"WasdLight", l.WasdLight},
            {"PinyinLight", l.PinyinLight},      {"DirectLight", l.DirectLight},   {"NumberLight", l.NumberLight},
            {"Tt1To5Light", l.Tt1To5Light},      {"Tt6To10Light", l.Tt6To10Light}, {"DferLight", l.DferLight},
            {"OneToZeroLight", l.OneToZeroLight}};
}

ordered_json Slot(const ButtonConfig& b) {
    const MacroGroup& m = b.Macro;
    return {{"CurKey", b.CurKey},
            {"AssKey", b.AssKey},
            {"FunID", b.FunID},
            {"AppPath", U8(b.AppPath)},
            {"Mappinkey", b.Mappinkey},
            {"Macro",
             {{"MacroName", U8(m.MacroName)},
              {"MacroLength", m.MacroLength},
              {"Macro", MacroHex(m)},
              {"RepeatOption", m.RepeatOption},
              {"RepeatTimes", m.RepeatTimes}}},
            {"SingleKey", b.SingleKey}};
}

ordered_json Profile(const ProfileConfig& p) {
    ordered_json swap = ordered_json::array(), slots = ordered_json::array();
    for (const auto& e : p.SwapKey)
        swap.push_back({{"CurKey", e.CurKey},
                        {"AssKey", e.AssKey},
                        {"IsChanged", e.IsChanged},
                        {"FunID", e.FunID},
                        {"AppPath", U8(e.AppPath)}});
    for (const auto& b : p.Button) slots.push_back(Slot(b));
    const InstantShiftKeys& is = p.InstantShift;
    return {{"SwapKey", swap},
            {"InstantShift", {{"PreKey", is.PreKey}, {"NextKey", is.NextKey}, {"ProfileKey", is.ProfileKey}}},
            {"Button", slots}};
}

int Dump(zavocfg::Args args) {
    const std::wstring data = zavocfg::DataFolderFrom(args);
    if (!zavocfg::TakeFlag(args, L"--json")) return zavocfg::Fail(L"dump: --json is required");
    if (!args.empty()) return zavocfg::Fail(L"dump: unexpected argument " + args[0]);
    auto c = std::make_unique<KeyboardConfig>();
    std::wstring error;
    if (!ReadDataFolder(data, *c, error)) return zavocfg::Fail(error);
    ordered_json profiles = ordered_json::array();
    for (const auto& p : c->Profile) profiles.push_back(Profile(p));
    ordered_json j = {{"Mode", c->Mode},
                      {"DeviceState", c->DeviceState},
                      {"Light", Light(c->Light)},
                      {"CurrantProfile", c->CurrantProfile},
                      {"Profile", profiles}};
    zavocfg::Out(text::FromUtf8(j.dump(2)) + L"\n");
    return 0;
}

}  // namespace

ZAVOCFG_COMMAND("dump", "dump --json [--data DIR]  the whole configuration as JSON", Dump);
