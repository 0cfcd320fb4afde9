#include "config/Backups.h"

#include <algorithm>

#include "config/ConfigSequence.h"
#include "config/ConfigStore.h"

namespace zavo::backup {
namespace {

// A generation's name split into its time stamp and its number within that
// second (1 for a name without "-n").
struct NameKey {
    std::wstring stamp;
    unsigned n = 1;
    bool operator<(const NameKey& o) const { return stamp != o.stamp ? stamp < o.stamp : n < o.n; }
};

bool AllDigits(std::wstring_view s) {
    return !s.empty() && std::all_of(s.begin(), s.end(), [](wchar_t c) { return c >= L'0' && c <= L'9'; });
}

// "yyyymmdd-hhmmss" or "yyyymmdd-hhmmss-n" (n from 2); false for any other name.
bool ParseName(const std::wstring& name, NameKey& key) {
    if (name.size() < 15 || name[8] != L'-' || !AllDigits(std::wstring_view(name).substr(0, 8)) ||
        !AllDigits(std::wstring_view(name).substr(9, 6)))
        return false;
    key.stamp = name.substr(0, 15);
    key.n = 1;
    if (name.size() == 15) return true;
    const std::wstring_view tail = std::wstring_view(name).substr(16);
    if (name[15] != L'-' || !AllDigits(tail) || tail.size() > 6) return false;
    key.n = static_cast<unsigned>(std::stoul(std::wstring(tail)));
    return key.n >= 2;
}

std::wstring NameOf(const NameKey& key) {
    return key.n == 1 ? key.stamp : key.stamp + L"-" + std::to_wstring(key.n);
}

std::wstring FolderPath(const std::wstring& dataFolder, const std::wstring& name) {
    return BackupFolder(dataFolder) + name + L"\\";
}

std::wstring NameInFolder(const std::wstring& dataFolder, const std::wstring& path) {
    return path.compare(0, dataFolder.size(), dataFolder) == 0 ? path.substr(dataFolder.size()) : path;
}

// Removes a generation folder and the files in it; false when it stays.
bool RemoveGeneration(const std::wstring& folder) {
    for (const std::wstring& f : fs::ListFiles(folder, L"")) fs::RemoveFile(folder + f);
    return static_cast<bool>(fs::RemoveEmptyFolder(folder));
}

// Makes the folder of a new generation, named after `now` but never before
// `newest`; `name` gets its name.
fs::Status MakeGenerationFolder(const std::wstring& dataFolder, const std::vector<Generation>& gens, std::time_t now,
                                std::wstring& name) {
    const std::wstring backupFolder = BackupFolder(dataFolder);
    if (!fs::DirectoryExists(backupFolder)) {
        bool exists = false;
        if (fs::Status s = fs::MakeDirectory(backupFolder, &exists); !s && !exists) return s;
    }
    NameKey key{GenerationStamp(now), 1};
    NameKey newest;
    if (!gens.empty() && ParseName(gens.front().name, newest) && !(newest < key)) key = {newest.stamp, newest.n + 1};
    for (int attempt = 0; attempt < 1000; ++attempt, ++key.n) {
        bool exists = false;
        fs::Status s = fs::MakeDirectory(FolderPath(dataFolder, NameOf(key)), &exists);
        if (s) {
            name = NameOf(key);
            return s;
        }
        if (!exists) return s;
    }
    return fs::Status::Fail(L"no free name for a new backup folder");
}

}  // namespace

std::wstring BackupFolder(const std::wstring& dataFolder) { return dataFolder + L"Backup\\"; }

const std::vector<std::wstring>& SettingsFileNames() {
    static const std::vector<std::wstring> names = [] {
        std::vector<std::wstring> n = {ConfigFilePath(L"")};
        for (int p = 0; p < PROFILE_COUNT; ++p) n.push_back(ProfileFilePath(L"", p));
        return n;
    }();
    return names;
}

std::wstring GenerationStamp(std::time_t t) {
    std::tm tm{};
#ifdef _WIN32
    localtime_s(&tm, &t);
#else
    localtime_r(&t, &tm);
#endif
    wchar_t buf[32];
    std::swprintf(buf, 32, L"%04d%02d%02d-%02d%02d%02d", tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour,
                  tm.tm_min, tm.tm_sec);
    return buf;
}

std::vector<Generation> ListGenerations(const std::wstring& dataFolder) {
    std::vector<std::pair<NameKey, Generation>> found;
    const std::wstring backupFolder = BackupFolder(dataFolder);
    for (const std::wstring& name : fs::ListFolders(backupFolder)) {
        NameKey key;
        if (!ParseName(name, key) || NameOf(key) != name) continue;
        Generation g{name, {}};
        for (const std::wstring& file : SettingsFileNames())
            if (fs::FileExists(FolderPath(dataFolder, name) + file)) g.files.push_back(file);
        found.emplace_back(std::move(key), std::move(g));
    }
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return b.first < a.first; });
    std::vector<Generation> gens;
    for (auto& f : found) gens.push_back(std::move(f.second));
    return gens;
}

KeepOutcome KeepBeforeReplace(const std::wstring& dataFolder, const std::vector<std::wstring>& paths,
                              std::time_t now) {
    KeepOutcome out;
    std::vector<std::wstring> present;
    for (const std::wstring& p : paths)
        if (fs::FileExists(p)) present.push_back(p);
    if (present.empty()) return out;
    std::vector<Generation> gens = ListGenerations(dataFolder);
    std::wstring name;
    if (fs::Status s = MakeGenerationFolder(dataFolder, gens, now, name); !s) {
        out.ok = false;
        out.reason = BackupFolder(dataFolder) + L": " + s.error;
        return out;
    }
    const std::wstring folder = FolderPath(dataFolder, name);
    for (const std::wstring& p : present) {
        if (fs::Status s = fs::LinkOrCopyFile(p, folder + NameInFolder(dataFolder, p)); !s) {
            // Half a generation would restore a mix: it goes again.
            RemoveGeneration(folder);
            out.ok = false;
            out.reason = folder + NameInFolder(dataFolder, p) + L": " + s.error;
            return out;
        }
    }
    out.generation = name;
    gens.insert(gens.begin(), Generation{name, {}});
    for (size_t i = kKeptGenerations; i < gens.size(); ++i) RemoveGeneration(FolderPath(dataFolder, gens[i].name));
    return out;
}

std::wstring GenerationLabel(const Generation& g) {
    NameKey key;
    if (!ParseName(g.name, key)) return g.name;
    const std::wstring& t = key.stamp;
    std::wstring label = t.substr(0, 4) + L"-" + t.substr(4, 2) + L"-" + t.substr(6, 2) + L" " + t.substr(9, 2) +
                         L":" + t.substr(11, 2) + L":" + t.substr(13, 2);
    if (key.n > 1) label += L" (" + std::to_wstring(key.n) + L")";
    label += L"   ";
    for (size_t i = 0; i < g.files.size(); ++i) label += (i ? L", " : L"") + g.files[i];
    return label;
}

int FindGeneration(const std::vector<Generation>& gens, const std::wstring& when) {
    if (when.empty()) return gens.empty() ? -1 : 0;
    for (size_t i = 0; i < gens.size(); ++i)
        if (gens[i].name == when) return static_cast<int>(i);
    for (size_t i = 0; i < gens.size(); ++i)
        if (gens[i].name.compare(0, when.size(), when) == 0) return static_cast<int>(i);
    return -1;
}

std::vector<std::wstring> SourcesAsOf(const std::wstring& dataFolder, const std::vector<Generation>& gens,
                                      size_t index) {
    std::vector<std::wstring> sources;
    for (const std::wstring& file : SettingsFileNames()) {
        std::wstring source = dataFolder + file;
        // From the generation itself towards the newest: the first that kept the file.
        for (size_t j = index + 1; j-- > 0;) {
            const auto& held = gens[j].files;
            if (std::find(held.begin(), held.end(), file) != held.end()) {
                source = FolderPath(dataFolder, gens[j].name) + file;
                break;
            }
        }
        sources.push_back(std::move(source));
    }
    return sources;
}

void LoadAsOf(const std::wstring& dataFolder, const std::vector<Generation>& gens, size_t index,
              KeyboardConfig& config) {
    const std::vector<std::wstring> sources = SourcesAsOf(dataFolder, gens, index);
    IniBatch snapshot(Settings());
    seq::ReadLightOption(snapshot, sources[0], config.Light);
    for (int p = 0; p < PROFILE_COUNT; ++p) seq::ReadProfileFile(snapshot, sources[1 + p], config.Profile[p]);
}

ProfileBytes ProfileBytesAsOf(const std::wstring& dataFolder, const std::vector<Generation>& gens, size_t index) {
    const std::vector<std::wstring> sources = SourcesAsOf(dataFolder, gens, index);
    ProfileBytes kept;
    for (int p = 0; p < PROFILE_COUNT; ++p)
        kept.present[p] = fs::FileExists(sources[1 + p]) && fs::ReadWholeFile(sources[1 + p], kept.bytes[p]);
    return kept;
}

IniFileStatus PutBackUnchangedProfiles(const std::wstring& dataFolder, const KeyboardConfig& loaded,
                                       const ProfileBytes& kept, const KeyboardConfig& config) {
    IniFileStatus first;
    for (int p = 0; p < PROFILE_COUNT; ++p) {
        if (!kept.present[p] || config.Profile[p] != loaded.Profile[p]) continue;
        const std::wstring file = ProfileFilePath(dataFolder, p);
        std::string now;
        if (fs::ReadWholeFile(file, now) && now == kept.bytes[p]) continue;
        if (fs::Status s = fs::WriteFileAtomic(file, kept.bytes[p]); !s && first.ok)
            first = IniFileStatus::Fail(file, s.error);
    }
    return first;
}

IniFileStatus RestoreFiles(const std::wstring& dataFolder, const std::vector<Generation>& gens, size_t index,
                           KeepOutcome& kept, std::vector<std::wstring>& written) {
    // Everything is read before anything is kept: keeping may rotate out the very
    // generation being restored.
    const std::vector<std::wstring> sources = SourcesAsOf(dataFolder, gens, index);
    std::vector<std::pair<std::wstring, std::string>> changes;
    for (size_t i = 0; i < sources.size(); ++i) {
        const std::wstring target = dataFolder + SettingsFileNames()[i];
        if (sources[i] == target || !fs::FileExists(sources[i])) continue;
        std::string old, now;
        if (fs::Status s = fs::ReadWholeFile(sources[i], old); !s) return IniFileStatus::Fail(sources[i], s.error);
        if (fs::FileExists(target) && fs::ReadWholeFile(target, now) && now == old) continue;
        changes.emplace_back(target, std::move(old));
    }
    std::vector<std::wstring> targets;
    for (const auto& c : changes) targets.push_back(c.first);
    kept = KeepBeforeReplace(dataFolder, targets);
    IniFileStatus first;
    for (const auto& [target, bytes] : changes) {
        fs::Status s = fs::WriteFileAtomic(target, bytes);
        if (s)
            written.push_back(target);
        else if (first.ok)
            first = IniFileStatus::Fail(target, s.error);
    }
    return first;
}

}  // namespace zavo::backup
