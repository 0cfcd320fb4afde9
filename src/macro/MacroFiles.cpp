#include "macro/MacroFiles.h"

#include <algorithm>
#include <cwctype>

#include "config/Ini.h"

namespace zavo {

namespace {

const std::wstring kSection = L"Setting";
const std::wstring kExtension = L".ini";
// A macro file is written through a temporary file beside it, named
// "<name>.ini.<process id>-<number>.zavotmp": the name must leave room for the
// longest such ending (two numbers of up to ten digits).
constexpr size_t kPendingEndingMax = 1 + 10 + 1 + 10 + fs::kPendingSuffix.size();
// Longest file name of one path component, and longest path the program opens
// (it is not long-path aware: MAX_PATH less the terminating zero).
constexpr size_t kMaxComponent = 255;
constexpr size_t kMaxPath = 259;
// Import refuses source paths this long or longer.
constexpr size_t kMaxImportPath = 127;
// Import tries "name(2)" up to "name(9999)".
constexpr int kMaxImportSuffix = 9999;

std::wstring Upper(std::wstring s) {
    for (wchar_t& c : s) c = static_cast<wchar_t>(std::towupper(c));
    return s;
}

// Device names Windows reserves whatever extension follows them.
bool IsReservedDeviceName(const std::wstring& name) {
    std::wstring base = Upper(name.substr(0, name.find(L'.')));
    while (!base.empty() && base.back() == L' ') base.pop_back();
    static const wchar_t* const kFixed[] = {L"CON", L"PRN", L"AUX", L"NUL", L"CONIN$", L"CONOUT$"};
    for (const wchar_t* r : kFixed) {
        if (base == r) return true;
    }
    return base.size() == 4 && (base.compare(0, 3, L"COM") == 0 || base.compare(0, 3, L"LPT") == 0) &&
           base[3] >= L'1' && base[3] <= L'9';
}

MacroFileResult Result(MacroFileResult::Code code) {
    MacroFileResult r;
    r.code = code;
    return r;
}

MacroFileResult Refused(const MacroNameCheck& check, const std::wstring& name) {
    MacroFileResult r = Result(MacroFileResult::InvalidName);
    r.nameCheck = check;
    r.name = name;
    return r;
}

MacroFileResult Failed(const Outcome& failure) {
    MacroFileResult r;
    r.code = MacroFileResult::WriteFailed;
    r.failure = failure;
    return r;
}

MacroFileResult Named(const std::wstring& name, const std::vector<std::wstring>& names) {
    MacroFileResult r;
    r.name = name;
    auto it = std::find(names.begin(), names.end(), name);
    r.index = it == names.end() ? -1 : static_cast<int>(it - names.begin());
    return r;
}

size_t NamePartStart(const std::wstring& path) {
    size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? 0 : slash + 1;
}

// The file name of a path without its folder and its extension.
std::wstring BaseName(const std::wstring& path) {
    std::wstring file = path.substr(NamePartStart(path));
    size_t dot = file.rfind(L'.');
    return dot == std::wstring::npos ? file : file.substr(0, dot);
}

// A file too large to be a macro file is not read at all.
bool TooLargeForAMacro(const std::wstring& path) {
    const fs::FileStamp stamp = fs::Stat(path);
    return stamp.exists && stamp.size > MACRO_FILE_MAX_BYTES;
}

// The macro folder is made when it is missing, so a first save does not fail
// for want of it (its parent, the data folder, is made at start-up).
fs::Status EnsureMacroFolder(const std::wstring& folder) {
    if (fs::DirectoryExists(folder)) return fs::Status::Ok();
    return fs::MakeDirectory(folder);
}

// Whether a file of the macro folder is a macro file the program writes there.
bool IsOwnMacroFile(std::wstring_view file) {
    if (file.size() <= kExtension.size() ||
        Upper(std::wstring(file.substr(file.size() - kExtension.size()))) != L".INI")
        return false;
    // The folder's path does not matter here: a file that is there already has
    // a name its folder could hold.
    return static_cast<bool>(CheckMacroName(L"", std::wstring(file.substr(0, file.size() - kExtension.size()))));
}

}  // namespace

size_t RemoveStaleMacroTemporaries(const std::wstring& folder) {
    return fs::RemoveStaleTemporaries(folder, IsOwnMacroFile);
}

std::wstring MacroFolderOf(const std::wstring& dataFolder) { return dataFolder + L"Macro Setting\\"; }

std::wstring MacroFilePathOf(const std::wstring& folder, const std::wstring& name) {
    return folder + name + kExtension;
}

size_t MaxMacroNameLength(const std::wstring& folder) {
    const size_t ending = kExtension.size() + kPendingEndingMax;
    const size_t byComponent = kMaxComponent - ending;
    const size_t used = folder.size() + ending;
    const size_t byPath = used >= kMaxPath ? 0 : kMaxPath - used;
    return std::min(byComponent, byPath);
}

MacroNameCheck CheckMacroName(const std::wstring& folder, const std::wstring& name) {
    // The file name is always the name followed by ".ini", so a trailing dot or
    // blank inside it is harmless ("a." is the file "a..ini"); only what would
    // leave the folder, break the file name or list as another macro is refused.
    if (name.empty()) return {MacroNameFault::Empty};
    if (const size_t limit = MaxMacroNameLength(folder); name.size() > limit) return {MacroNameFault::TooLong, limit};
    for (wchar_t c : name) {
        if (c < 32 || c == 127 || std::wstring_view(L"\\/:*?\"<>|").find(c) != std::wstring_view::npos)
            return {MacroNameFault::BadCharacter};
    }
    if (IsReservedDeviceName(name)) return {MacroNameFault::Reserved};
    if (name.size() >= kExtension.size() && Upper(name.substr(name.size() - kExtension.size())) == L".INI")
        return {MacroNameFault::IniEnding};
    return {};
}

bool RefillMacroNameList(const std::wstring& folder, std::vector<std::wstring>& names) {
    names.clear();
    if (!fs::DirectoryExists(folder)) return false;
    // Only the trailing ".ini", in any letter case, is the extension: "a.ini.ini"
    // lists as "a.ini", the name its file is saved and deleted under. A file whose
    // name the name check refuses ("CON.ini", "a.ini.ini") is not listed: it could
    // be neither opened by that name nor saved or deleted under it.
    for (std::wstring file : fs::ListFiles(folder, kExtension)) {
        file.resize(file.size() - kExtension.size());
        if (CheckMacroName(L"", file)) names.push_back(std::move(file));
    }
    return true;
}

fs::Status SaveMacroFile(const std::wstring& path, const MacroRecording& macro) {
    IniBatch batch(Settings());
    batch.IniWriteString(path, kSection, L"MacroFilePath", path);
    batch.IniWriteInt(path, kSection, L"IgnoreDelay", macro.IgnoreDelay);
    batch.IniWriteInt(path, kSection, L"DefaultDelay", macro.DefaultDelay);
    batch.IniWriteInt(path, kSection, L"DefaultDelayValue", macro.DefaultDelayValue);
    batch.IniWriteInt(path, kSection, L"Count", macro.ValidCount());
    if (macro.ValidCount() > 0)
        batch.IniWriteStruct(path, kSection, L"Macro", macro.Events.data(), sizeof(macro.Events));
    return batch.Commit();
}

void LoadMacroFile(const std::wstring& path, MacroRecording& macro) {
    if (TooLargeForAMacro(path)) {
        macro = MacroRecording{};
        return;
    }
    SettingsEngine& ini = Settings();
    macro.IgnoreDelay = ini.IniReadInt(path, kSection, L"IgnoreDelay", 0) == 1 ? 1 : 0;
    const bool defaultDelay = ini.IniReadInt(path, kSection, L"DefaultDelay", 0) == 1;
    macro.DefaultDelay = defaultDelay && macro.IgnoreDelay == 0 ? 1 : 0;
    macro.DefaultDelayValue = ini.IniReadInt(path, kSection, L"DefaultDelayValue", MACRO_DEFAULT_DELAY_MS);
    macro.Count = std::clamp<std::int32_t>(ini.IniReadInt(path, kSection, L"Count", 0), 0, MACRO_EVENT_MAX);
    macro.Events.fill(MacroEvent{});
    ini.IniReadStruct(path, kSection, L"Macro", macro.Events.data(), sizeof(macro.Events));
}

MacroFileResult SaveMacroByName(const std::wstring& folder, const std::wstring& name, const MacroRecording& macro,
                                std::vector<std::wstring>& names) {
    if (MacroNameCheck check = CheckMacroName(folder, name); !check) return Refused(check, name);
    fs::Status saved = EnsureMacroFolder(folder);
    if (saved) saved = SaveMacroFile(MacroFilePathOf(folder, name), macro);
    RemoveStaleMacroTemporaries(folder);
    RefillMacroNameList(folder, names);
    if (!saved) return Failed(saved);
    return Named(name, names);
}

MacroFileResult CreateMacro(const std::wstring& folder, const std::wstring& name, MacroRecording& current,
                            std::vector<std::wstring>& names) {
    if (MacroNameCheck check = CheckMacroName(folder, name); !check) return Refused(check, name);
    const std::wstring path = MacroFilePathOf(folder, name);
    if (fs::FileExists(path)) return Result(MacroFileResult::AlreadyExists);
    // The new file starts with what the editor holds; the editor then starts empty.
    fs::Status saved = EnsureMacroFolder(folder);
    if (saved) saved = SaveMacroFile(path, current);
    RemoveStaleMacroTemporaries(folder);
    if (!saved) return Failed(saved);
    current.Clear();
    RefillMacroNameList(folder, names);
    return Named(name, names);
}

MacroFileResult ImportMacroFile(const std::wstring& folder, const std::wstring& sourcePath, MacroRecording& macro,
                                std::vector<std::wstring>& names) {
    if (sourcePath.size() >= kMaxImportPath) return Result(MacroFileResult::PathTooLong);
    const std::wstring base = BaseName(sourcePath);
    if (MacroNameCheck check = CheckMacroName(folder, base); !check) return Refused(check, base);
    if (fs::IsSpecialFile(sourcePath)) return Failed(fs::NotRegularFile(FileStep::Read, sourcePath));
    if (!fs::FileExists(sourcePath)) return Result(MacroFileResult::NotFound);
    if (TooLargeForAMacro(sourcePath)) return Result(MacroFileResult::TooLarge);
    std::wstring name = base;
    for (int n = 2; fs::FileExists(MacroFilePathOf(folder, name)); ++n) {
        if (n > kMaxImportSuffix) return Result(MacroFileResult::AlreadyExists);
        name = base + L"(" + std::to_wstring(n) + L")";
    }
    // The editor takes the imported macro only once its copy is in the folder:
    // a refused or failed import leaves the current macro as it was.
    fs::Status copied = EnsureMacroFolder(folder);
    if (copied) copied = fs::CopyOneFile(sourcePath, MacroFilePathOf(folder, name), true);
    RemoveStaleMacroTemporaries(folder);
    RefillMacroNameList(folder, names);
    if (!copied) return Failed(copied);
    LoadMacroFile(MacroFilePathOf(folder, name), macro);
    return Named(name, names);
}

MacroFileResult ExportMacroFile(const std::wstring& targetPath, const MacroRecording& macro) {
    if (NamePartStart(targetPath) >= targetPath.size()) return Result(MacroFileResult::NoFileName);
    fs::Status saved = SaveMacroFile(targetPath, macro);
    if (!saved) return Failed(saved);
    return Result(MacroFileResult::Done);
}

MacroFileResult DeleteMacro(const std::wstring& folder, const std::wstring& name, MacroRecording& current,
                            std::vector<std::wstring>& names) {
    if (MacroNameCheck check = CheckMacroName(folder, name); !check) return Refused(check, name);
    const std::wstring path = MacroFilePathOf(folder, name);
    fs::Status removed = fs::RemoveFile(path);
    // Only a file that is still there counts as a failure.
    const bool stillThere = fs::FileExists(path);
    RefillMacroNameList(folder, names);
    if (!removed && stillThere) return Failed(removed);
    // The editor's events go with the file, Count too, so that a macro created
    // next starts empty.
    current.Events.fill(MacroEvent{});
    current.Count = 0;
    return Result(MacroFileResult::Done);
}

ExpandedMacro LoadMacroForKey(const std::wstring& path) {
    if (TooLargeForAMacro(path)) return {};
    SettingsEngine& ini = Settings();
    const std::int32_t count = ini.IniReadInt(path, kSection, L"Count", 0);
    MacroEvents events{};
    // Events that cannot be read (missing, short, bad checksum) make an empty
    // macro, not "Count" empty events.
    if (!ini.IniReadStruct(path, kSection, L"Macro", events.data(), sizeof(events))) return {};
    return ExpandMacroCommands(events, count);
}

}  // namespace zavo
