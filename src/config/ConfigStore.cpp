#include "config/ConfigStore.h"

#include <memory>

namespace zavo {
namespace {

// The first failed write of a group of writes to one file.
struct WriteTracker {
    std::wstring path;
    SaveResult result;
    void operator()(const fs::Status& s) {
        if (!s && result.ok) result = SaveResult::Fail(path, s.error);
    }
};

std::uint8_t ReadByte(const std::wstring& f, const std::wstring& sec, const wchar_t* key) {
    // A byte field keeps the low 8 bits of the integer: a missing key (-1) is 0xFF.
    return static_cast<std::uint8_t>(IniReadInt(f, sec, key, -1));
}

std::wstring Numbered(const wchar_t* prefix, int n) { return prefix + std::to_wstring(n); }

void ReadSlot(const std::wstring& f, int s, ButtonConfig& b) {
    const std::wstring sec = Numbered(L"BUTTONCONFIG", s);
    b.FunID = ReadByte(f, sec, L"FunID");
    b.Mappinkey = ReadByte(f, sec, L"Mappinkey");
    if (b.FunID == FUNID_SINGLEKEY) {
        b.SingleKey = ReadByte(f, sec, L"SingleKey");
        b.CurKey = ReadByte(f, sec, L"CurKey");
        b.AssKey = ReadByte(f, sec, L"AssKey");
    } else if (b.FunID == FUNID_APP) {
        b.AppPath = IniReadString(f, sec, L"APP Path", L"");
    }
    // The macro group is read whatever the FunID: a slot that once held a macro
    // keeps its old section, and the group comes back from it.
    const std::wstring mg = Numbered(L"MACROG", s);
    MacroGroup& m = b.Macro;
    m.RepeatOption = ReadByte(f, mg, L"RepeatOption");
    m.RepeatTimes = IniReadInt(f, mg, L"RepeatTimes", -1);
    std::wstring name = IniReadString(f, mg, L"MacroName", L"");
    if (!name.empty()) m.MacroName = std::move(name);
    IniReadStruct(f, mg, L"Macro", m.Macro.data(), m.Macro.size());  // invalid text leaves the data as it was
    m.MacroLength = static_cast<std::uint16_t>(IniReadInt(f, mg, L"MacroLength", -1));
}

void WriteSlot(WriteTracker& w, int s, const ButtonConfig& b) {
    const std::wstring& f = w.path;
    const std::wstring sec = Numbered(L"BUTTONCONFIG", s);
    w(IniWriteInt(f, sec, L"FunID", b.FunID));
    w(IniWriteInt(f, sec, L"Mappinkey", b.Mappinkey));
    if (b.FunID == FUNID_SINGLEKEY) {
        w(IniWriteInt(f, sec, L"SingleKey", b.SingleKey));
        w(IniWriteInt(f, sec, L"CurKey", b.CurKey));
        w(IniWriteInt(f, sec, L"AssKey", b.AssKey));
    } else if (b.FunID == FUNID_APP) {
        w(IniWriteString(f, sec, L"APP Path", b.AppPath));
    } else if (b.FunID == FUNID_MACRO) {
        const std::wstring mg = Numbered(L"MACROG", s);
        const MacroGroup& m = b.Macro;
        w(IniWriteInt(f, mg, L"RepeatOption", m.RepeatOption));
        w(IniWriteInt(f, mg, L"RepeatTimes", m.RepeatTimes));
        if (!m.MacroName.empty()) w(IniWriteString(f, mg, L"MacroName", m.MacroName));
        w(IniWriteStruct(f, mg, L"Macro", m.Macro.data(), m.Macro.size()));
        w(IniWriteInt(f, mg, L"MacroLength", m.MacroLength));
    }
}

void ReadSwapKey(const std::wstring& f, int k, SwapKeyEntry& e) {
    const std::wstring sec = Numbered(L"MAXTRIXSWAPKEY", k);
    e.IsChanged = IniReadInt(f, sec, L"ISCHANGED", -1);
    e.CurKey = ReadByte(f, sec, L"CURKEY");
    e.AssKey = ReadByte(f, sec, L"ASSKEY");
    e.FunID = ReadByte(f, sec, L"FUNID");
    e.AppPath = IniReadString(f, sec, L"APPPATH", L"");  // written as "APPPath"; names match in any case
}

void WriteSwapKey(WriteTracker& w, int k, const SwapKeyEntry& e) {
    const std::wstring& f = w.path;
    const std::wstring sec = Numbered(L"MAXTRIXSWAPKEY", k);
    w(IniWriteInt(f, sec, L"ISCHANGED", e.IsChanged));
    w(IniWriteInt(f, sec, L"CURKEY", e.CurKey));
    w(IniWriteInt(f, sec, L"ASSKEY", e.AssKey));
    w(IniWriteInt(f, sec, L"FUNID", e.FunID));
    w(IniWriteString(f, sec, L"APPPath", e.AppPath));
}

void WriteLightKeys(WriteTracker& w, const LightSettings& l) {
    const std::wstring& f = w.path;
    const wchar_t* sec = L"LIGHTOPTION";
    w(IniWriteInt(f, sec, L"LIGHTSTYLE", l.LightStyle));
    w(IniWriteInt(f, sec, L"LIGHTMODE", l.LightMode));
    w(IniWriteInt(f, sec, L"WASDLIGHT", l.WasdLight));
    w(IniWriteInt(f, sec, L"DIRECTLIGHT", l.DirectLight));
    w(IniWriteInt(f, sec, L"NUMBERLIGHT", l.NumberLight));
    w(IniWriteInt(f, sec, L"PINYINLIGHT", l.PinyinLight));
    w(IniWriteInt(f, sec, L"DFERLIGHT", l.DferLight));
    w(IniWriteInt(f, sec, L"10LIGHT", l.OneToZeroLight));
    w(IniWriteInt(f, sec, L"TT15", l.Tt1To5Light));
    w(IniWriteInt(f, sec, L"TT610", l.Tt6To10Light));
}

// Ends the batch of one file's writes: a write refused before reaching the file
// (a value with a line break) is reported even when the file was written.
SaveResult Finish(IniBatch& batch, WriteTracker& w) {
    SaveResult flushed = batch.Commit();
    return flushed.ok ? w.result : flushed;
}

// Creates the data folder. The parents of its last level are created first when
// missing (on a new machine the maker's folder under the application-data folder
// does not exist yet); `created` tells whether the last level was made now.
bool MakeDataFolder(const std::wstring& folder, bool& created) {
    created = false;
    if (folder.empty()) return false;
    std::wstring path = folder;
    while (path.size() > 1 && (path.back() == L'\\' || path.back() == L'/')) path.pop_back();
    size_t cut = path.find_last_of(L"\\/");
    if (cut != std::wstring::npos && cut > 0) {
        std::wstring parent = path.substr(0, cut);
        if (!fs::DirectoryExists(parent)) {
            bool ignored = false;
            MakeDataFolder(parent + path[cut], ignored);
        }
    }
    bool exists = false;
    created = static_cast<bool>(fs::MakeDirectory(path, &exists));
    return created || exists;
}

}  // namespace

std::wstring ConfigFilePath(const std::wstring& dataFolder) { return dataFolder + L"Config.config"; }

std::wstring ProfileFilePath(const std::wstring& dataFolder, int profile) {
    return dataFolder + L"Profile" + std::to_wstring(profile) + L".prof";
}

void ClearSlot(ButtonConfig& slot) {
    slot.FunID = FUNID_NONE;
    slot.AppPath.clear();
    MacroGroup& m = slot.Macro;
    m.MacroName.clear();
    m.MacroLength = 0;
    m.Macro.fill(0);
    m.RepeatOption = 0;
    m.RepeatTimes = 0;
}

void ReadLightOption(const std::wstring& path, LightSettings& l) {
    IniBatch snapshot;
    const wchar_t* sec = L"LIGHTOPTION";
    l.LightStyle = IniReadInt(path, sec, L"LIGHTSTYLE", -1);
    l.LightMode = IniReadInt(path, sec, L"LIGHTMODE", -1);
    l.WasdLight = IniReadInt(path, sec, L"WASDLIGHT", -1);
    l.DirectLight = IniReadInt(path, sec, L"DIRECTLIGHT", -1);
    l.NumberLight = IniReadInt(path, sec, L"NUMBERLIGHT", -1);
    l.PinyinLight = IniReadInt(path, sec, L"PINYINLIGHT", -1);
    l.DferLight = IniReadInt(path, sec, L"DFERLIGHT", -1);
    l.OneToZeroLight = IniReadInt(path, sec, L"10LIGHT", -1);
    l.Tt1To5Light = IniReadInt(path, sec, L"TT15", -1);
    l.Tt6To10Light = IniReadInt(path, sec, L"TT610", -1);
}

SaveResult WriteLightOption(const std::wstring& path, const LightSettings& light) {
    IniBatch batch;
    WriteTracker w{path, {}};
    WriteLightKeys(w, light);
    return Finish(batch, w);
}

void ReadConfigFile(const std::wstring& path, KeyboardConfig& c) {
    IniBatch snapshot;
    c.CurrantProfile = IniReadInt(path, L"CONFIG", L"CURRENTPROFILE", -1);
    c.DeviceState = IniReadInt(path, L"CONFIG", L"DEVICEPSTATS", -1);
    c.Mode = IniReadInt(path, L"CONFIG", L"Mode", -1);
    ReadLightOption(path, c.Light);
}

SaveResult WriteConfigFile(const std::wstring& path, const KeyboardConfig& c) {
    IniBatch batch;
    WriteTracker w{path, {}};
    w(IniWriteInt(path, L"CONFIG", L"CURRENTPROFILE", c.CurrantProfile));
    w(IniWriteInt(path, L"CONFIG", L"DEVICEPSTATS", c.DeviceState));
    w(IniWriteInt(path, L"CONFIG", L"Mode", c.Mode));
    WriteLightKeys(w, c.Light);
    return Finish(batch, w);
}

SaveResult WriteConfigMode(const std::wstring& path, std::int32_t mode) {
    fs::Status s = IniWriteInt(path, L"CONFIG", L"Mode", mode);
    return s ? SaveResult{} : SaveResult::Fail(path, s.error);
}

void ReadProfileFile(const std::wstring& path, ProfileConfig& p) {
    IniBatch snapshot;
    const wchar_t* sec = L"ALTERNATE_PROFILE";
    p.InstantShift.PreKey = ReadByte(path, sec, L"PREKEY");
    p.InstantShift.NextKey = ReadByte(path, sec, L"NEXTKEY");
    for (int i = 0; i < PROFILE_COUNT; ++i)
        p.InstantShift.ProfileKey[i] = IniReadInt(path, sec, Numbered(L"PROFILE", i + 1), -1);
    for (int s = 0; s < SLOT_COUNT; ++s) ReadSlot(path, s, p.Button[s]);
    for (int k = 0; k < STANDARD_KEY_COUNT; ++k) ReadSwapKey(path, k, p.SwapKey[k]);
}

SaveResult WriteProfileFile(const std::wstring& path, const ProfileConfig& p) {
    IniBatch batch;
    WriteTracker w{path, {}};
    const wchar_t* sec = L"ALTERNATE_PROFILE";
    w(IniWriteInt(path, sec, L"PREKEY", p.InstantShift.PreKey));
    w(IniWriteInt(path, sec, L"NEXTKEY", p.InstantShift.NextKey));
    for (int i = 0; i < PROFILE_COUNT; ++i)
        w(IniWriteInt(path, sec, Numbered(L"PROFILE", i + 1), p.InstantShift.ProfileKey[i]));
    for (int s = 0; s < SLOT_COUNT; ++s) WriteSlot(w, s, p.Button[s]);
    for (int k = 0; k < STANDARD_KEY_COUNT; ++k) WriteSwapKey(w, k, p.SwapKey[k]);
    return Finish(batch, w);
}

LoadResult LoadConfiguration(const std::wstring& dataFolder, KeyboardConfig& c) {
    LoadResult r;
    const std::wstring config = ConfigFilePath(dataFolder);
    if (fs::FileExists(config)) {
        r.path = LoadPath::Loaded;
        ReadConfigFile(config, c);
        for (int p = 0; p < PROFILE_COUNT; ++p) ReadProfileFile(ProfileFilePath(dataFolder, p), c.Profile[p]);
        return r;
    }
    bool created = false;
    MakeDataFolder(dataFolder, created);
    if (created) {
        r.path = LoadPath::FolderCreated;
        r.written = WriteConfigFile(config, c);
        for (auto& profile : c.Profile)
            for (auto& slot : profile.Button) ClearSlot(slot);
        return r;
    }
    r.path = LoadPath::FolderExisted;
    ReadConfigFile(config, c);
    for (int p = 0; p < PROFILE_COUNT; ++p) {
        const std::wstring file = ProfileFilePath(dataFolder, p);
        if (fs::FileExists(file)) {
            ReadProfileFile(file, c.Profile[p]);
        } else {
            for (auto& slot : c.Profile[p].Button) slot.FunID = FUNID_NONE;
        }
    }
    return r;
}

SaveResult SaveConfiguration(const std::wstring& dataFolder, const KeyboardConfig& c) {
    const std::wstring config = ConfigFilePath(dataFolder);
    if (!fs::FileExists(config)) {
        bool created = false;
        MakeDataFolder(dataFolder, created);  // a failure shows in the writes below
    }
    IniBatch batch;
    SaveResult first = WriteConfigFile(config, c);
    for (int p = 0; p < PROFILE_COUNT; ++p) {
        SaveResult r = WriteProfileFile(ProfileFilePath(dataFolder, p), c.Profile[p]);
        if (!r && first.ok) first = r;
    }
    SaveResult flushed = batch.Commit();
    return first.ok ? flushed : first;
}

}  // namespace zavo
