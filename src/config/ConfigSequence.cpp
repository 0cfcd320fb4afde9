#include "config/ConfigSequence.h"

namespace zavo::seq {
namespace {

std::uint8_t ReadByte(IniAccess& io, const std::wstring& f, const std::wstring& sec, const wchar_t* key) {
    // A byte field keeps the low 8 bits of the integer: a missing key (-1) is 0xFF.
    return static_cast<std::uint8_t>(io.IniReadInt(f, sec, key, -1));
}

std::wstring Numbered(const wchar_t* prefix, int n) { return prefix + DecimalText(n); }

void ReadSlot(IniAccess& io, const std::wstring& f, int s, ButtonConfig& b) {
    const std::wstring sec = Numbered(L"BUTTONCONFIG", s);
    b.FunID = ReadByte(io, f, sec, L"FunID");
    b.Mappinkey = ReadByte(io, f, sec, L"Mappinkey");
    if (b.FunID == FUNID_SINGLEKEY) {
        b.SingleKey = ReadByte(io, f, sec, L"SingleKey");
        b.CurKey = ReadByte(io, f, sec, L"CurKey");
        b.AssKey = ReadByte(io, f, sec, L"AssKey");
    } else if (b.FunID == FUNID_APP) {
        b.AppPath = io.IniReadString(f, sec, L"APP Path", L"");
    }
    // The macro group is read whatever the FunID: a slot that once held a macro
    // keeps its old section, and the group comes back from it.
    const std::wstring mg = Numbered(L"MACROG", s);
    MacroGroup& m = b.Macro;
    m.RepeatOption = ReadByte(io, f, mg, L"RepeatOption");
    m.RepeatTimes = io.IniReadInt(f, mg, L"RepeatTimes", -1);
    std::wstring name = io.IniReadString(f, mg, L"MacroName", L"");
    if (!name.empty()) m.MacroName = std::move(name);
    io.IniReadStruct(f, mg, L"Macro", m.Macro.data(), m.Macro.size());  // invalid text leaves the data as it was
    m.MacroLength = static_cast<std::uint16_t>(io.IniReadInt(f, mg, L"MacroLength", -1));
}

void WriteSlot(IniAccess& io, const std::wstring& f, int s, const ButtonConfig& b, Failure& w) {
    const std::wstring sec = Numbered(L"BUTTONCONFIG", s);
    w(io.IniWriteInt(f, sec, L"FunID", b.FunID));
    w(io.IniWriteInt(f, sec, L"Mappinkey", b.Mappinkey));
    if (b.FunID == FUNID_SINGLEKEY) {
        w(io.IniWriteInt(f, sec, L"SingleKey", b.SingleKey));
        w(io.IniWriteInt(f, sec, L"CurKey", b.CurKey));
        w(io.IniWriteInt(f, sec, L"AssKey", b.AssKey));
    } else if (b.FunID == FUNID_APP) {
        w(io.IniWriteString(f, sec, L"APP Path", b.AppPath));
    } else if (b.FunID == FUNID_MACRO) {
        const std::wstring mg = Numbered(L"MACROG", s);
        const MacroGroup& m = b.Macro;
        w(io.IniWriteInt(f, mg, L"RepeatOption", m.RepeatOption));
        w(io.IniWriteInt(f, mg, L"RepeatTimes", m.RepeatTimes));
        if (!m.MacroName.empty()) w(io.IniWriteString(f, mg, L"MacroName", m.MacroName));
        w(io.IniWriteStruct(f, mg, L"Macro", m.Macro.data(), m.Macro.size()));
        w(io.IniWriteInt(f, mg, L"MacroLength", m.MacroLength));
    }
}

void ReadSwapKey(IniAccess& io, const std::wstring& f, int k, SwapKeyEntry& e) {
    const std::wstring sec = Numbered(L"MAXTRIXSWAPKEY", k);
    e.IsChanged = io.IniReadInt(f, sec, L"ISCHANGED", -1);
    e.CurKey = ReadByte(io, f, sec, L"CURKEY");
    e.AssKey = ReadByte(io, f, sec, L"ASSKEY");
    e.FunID = ReadByte(io, f, sec, L"FUNID");
    e.AppPath = io.IniReadString(f, sec, L"APPPATH", L"");  // written as "APPPath"; names match in any case
}

void WriteSwapKey(IniAccess& io, const std::wstring& f, int k, const SwapKeyEntry& e, Failure& w) {
    const std::wstring sec = Numbered(L"MAXTRIXSWAPKEY", k);
    w(io.IniWriteInt(f, sec, L"ISCHANGED", e.IsChanged));
    w(io.IniWriteInt(f, sec, L"CURKEY", e.CurKey));
    w(io.IniWriteInt(f, sec, L"ASSKEY", e.AssKey));
    w(io.IniWriteInt(f, sec, L"FUNID", e.FunID));
    w(io.IniWriteString(f, sec, L"APPPath", e.AppPath));
}

}  // namespace

void ReadLightOption(IniAccess& io, const std::wstring& path, LightSettings& l) {
    const wchar_t* sec = L"LIGHTOPTION";
    l.LightStyle = io.IniReadInt(path, sec, L"LIGHTSTYLE", -1);
    l.LightMode = io.IniReadInt(path, sec, L"LIGHTMODE", -1);
    l.WasdLight = io.IniReadInt(path, sec, L"WASDLIGHT", -1);
    l.DirectLight = io.IniReadInt(path, sec, L"DIRECTLIGHT", -1);
    l.NumberLight = io.IniReadInt(path, sec, L"NUMBERLIGHT", -1);
    l.PinyinLight = io.IniReadInt(path, sec, L"PINYINLIGHT", -1);
    l.DferLight = io.IniReadInt(path, sec, L"DFERLIGHT", -1);
    l.OneToZeroLight = io.IniReadInt(path, sec, L"10LIGHT", -1);
    l.Tt1To5Light = io.IniReadInt(path, sec, L"TT15", -1);
    l.Tt6To10Light = io.IniReadInt(path, sec, L"TT610", -1);
}

void WriteLightOption(IniAccess& io, const std::wstring& f, const LightSettings& l, Failure& w) {
    const wchar_t* sec = L"LIGHTOPTION";
    w(io.IniWriteInt(f, sec, L"LIGHTSTYLE", l.LightStyle));
    w(io.IniWriteInt(f, sec, L"LIGHTMODE", l.LightMode));
    w(io.IniWriteInt(f, sec, L"WASDLIGHT", l.WasdLight));
    w(io.IniWriteInt(f, sec, L"DIRECTLIGHT", l.DirectLight));
    w(io.IniWriteInt(f, sec, L"NUMBERLIGHT", l.NumberLight));
    w(io.IniWriteInt(f, sec, L"PINYINLIGHT", l.PinyinLight));
    w(io.IniWriteInt(f, sec, L"DFERLIGHT", l.DferLight));
    w(io.IniWriteInt(f, sec, L"10LIGHT", l.OneToZeroLight));
    w(io.IniWriteInt(f, sec, L"TT15", l.Tt1To5Light));
    w(io.IniWriteInt(f, sec, L"TT610", l.Tt6To10Light));
}

void ReadConfigFile(IniAccess& io, const std::wstring& path, KeyboardConfig& c) {
    c.CurrantProfile = io.IniReadInt(path, L"CONFIG", L"CURRENTPROFILE", -1);
    c.DeviceState = io.IniReadInt(path, L"CONFIG", L"DEVICEPSTATS", -1);
    c.Mode = io.IniReadInt(path, L"CONFIG", L"Mode", -1);
    ReadLightOption(io, path, c.Light);
}

void WriteConfigFile(IniAccess& io, const std::wstring& path, const KeyboardConfig& c, Failure& w) {
    w(io.IniWriteInt(path, L"CONFIG", L"CURRENTPROFILE", c.CurrantProfile));
    w(io.IniWriteInt(path, L"CONFIG", L"DEVICEPSTATS", c.DeviceState));
    w(io.IniWriteInt(path, L"CONFIG", L"Mode", c.Mode));
    WriteLightOption(io, path, c.Light, w);
}

void ReadProfileFile(IniAccess& io, const std::wstring& path, ProfileConfig& p) {
    const wchar_t* sec = L"ALTERNATE_PROFILE";
    p.InstantShift.PreKey = ReadByte(io, path, sec, L"PREKEY");
    p.InstantShift.NextKey = ReadByte(io, path, sec, L"NEXTKEY");
    for (int i = 0; i < PROFILE_COUNT; ++i)
        p.InstantShift.ProfileKey[i] = io.IniReadInt(path, sec, Numbered(L"PROFILE", i + 1), -1);
    for (int s = 0; s < SLOT_COUNT; ++s) ReadSlot(io, path, s, p.Button[s]);
    for (int k = 0; k < STANDARD_KEY_COUNT; ++k) ReadSwapKey(io, path, k, p.SwapKey[k]);
}

void WriteProfileFile(IniAccess& io, const std::wstring& path, const ProfileConfig& p, Failure& w) {
    const wchar_t* sec = L"ALTERNATE_PROFILE";
    w(io.IniWriteInt(path, sec, L"PREKEY", p.InstantShift.PreKey));
    w(io.IniWriteInt(path, sec, L"NEXTKEY", p.InstantShift.NextKey));
    for (int i = 0; i < PROFILE_COUNT; ++i)
        w(io.IniWriteInt(path, sec, Numbered(L"PROFILE", i + 1), p.InstantShift.ProfileKey[i]));
    for (int s = 0; s < SLOT_COUNT; ++s) WriteSlot(io, path, s, p.Button[s], w);
    for (int k = 0; k < STANDARD_KEY_COUNT; ++k) WriteSwapKey(io, path, k, p.SwapKey[k], w);
}

}  // namespace zavo::seq
