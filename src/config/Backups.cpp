#include "config/Backups.h"

#include <algorithm>
#include <memory>

#include "config/ConfigSequence.h"
#include "config/AppRules.h"
#include "config/ConfigStore.h"
#include "platform/TextCodec.h"

namespace zavo::backup {
namespace {

// The label file of a generation: what it was kept before.
constexpr wchar_t kLabelFile[] = L"Generation.ini";
// Generations looked into by one rotation: more than the rule can keep
// (kKeptVersions for each of the settings files).
constexpr size_t kAnalysedGenerations = 200;
// Endings of the folders a generation is made in and removed through.
constexpr wchar_t kPartialEnding[] = L".partial";
constexpr wchar_t kRemovedEnding[] = L".removed";
// The number within one second has at most six digits.
constexpr unsigned kLastNumber = 999999;
// A generation dated further ahead of the clock than this was named by a clock
// that was wrong: new names do not follow it.
constexpr std::time_t kClockSlack = 24 * 60 * 60;

// The open outermost ActionBackup of this thread of work (see ActionBackup).
ActionBackup* g_open = nullptr;

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

unsigned Number(std::wstring_view digits) {
    unsigned n = 0;
    for (wchar_t c : digits) n = n * 10 + static_cast<unsigned>(c - L'0');
    return n;
}

// "yyyymmdd-hhmmss" or "yyyymmdd-hhmmss-n" (n from 2, at most six digits), a
// real date and time; false for any other name.
bool ParseName(const std::wstring& name, NameKey& key) {
    const std::wstring_view v(name);
    if (name.size() < 15 || name[8] != L'-' || !AllDigits(v.substr(0, 8)) || !AllDigits(v.substr(9, 6)))
        return false;
    const unsigned month = Number(v.substr(4, 2)), day = Number(v.substr(6, 2));
    if (month < 1 || month > 12 || day < 1 || day > 31 || Number(v.substr(9, 2)) > 23 ||
        Number(v.substr(11, 2)) > 59 || Number(v.substr(13, 2)) > 60)
        return false;
    key.stamp = name.substr(0, 15);
    key.n = 1;
    if (name.size() == 15) return true;
    const std::wstring_view tail = v.substr(16);
    if (name[15] != L'-' || !AllDigits(tail) || tail.size() > 6 || tail[0] == L'0') return false;
    key.n = Number(tail);
    return key.n >= 2;
}

std::wstring NameOf(const NameKey& key) {
    return key.n == 1 ? key.stamp : key.stamp + L"-" + std::to_wstring(key.n);
}

std::wstring FolderPath(const std::wstring& dataFolder, const std::wstring& name) {
    return BackupFolder(dataFolder) + name + L"\\";
}

std::wstring WithoutSeparator(std::wstring path) {
    while (!path.empty() && (path.back() == L'\\' || path.back() == L'/')) path.pop_back();
    return path;
}

bool EndsWith(const std::wstring& s, std::wstring_view end) {
    return s.size() > end.size() && s.compare(s.size() - end.size(), end.size(), end) == 0;
}

// The names a generation folder can hold: the settings files, the label, and the
// temporaries a write into it killed half-way leaves.
bool IsOwnFileName(const std::wstring& name) {
    if (name == kLabelFile) return true;
    for (const std::wstring& own : SettingsFileNames()) {
        if (name == own) return true;
        if (fs::IsPendingFileName(name) && name.size() > own.size() && name.compare(0, own.size(), own) == 0 &&
            name[own.size()] == L'.')
            return true;
    }
    return false;
}

// Removes a folder of the backup folder: only the names a generation can hold,
// only plain files, never through a link; the folder itself only when that
// leaves it empty. False when it stays.
bool RemoveOwnFolder(const std::wstring& folder) {
    const std::wstring plain = WithoutSeparator(folder);
    if (!fs::IsPlainFolder(plain)) return false;
    for (const std::wstring& name : fs::ListPlainEntries(plain).files)
        if (IsOwnFileName(name)) fs::RemoveFile(fs::JoinPath(plain, name));
    return static_cast<bool>(fs::RemoveEmptyFolder(plain));
}

// Takes a generation away as one step (renamed out of the generations' names),
// then empties and removes what was renamed.
bool RemoveGeneration(const std::wstring& dataFolder, const std::wstring& name) {
    const std::wstring from = WithoutSeparator(FolderPath(dataFolder, name));
    const std::wstring to = from + kRemovedEnding;
    if (!fs::IsPlainFolder(from)) return false;
    if (fs::IsPlainFolder(to)) RemoveOwnFolder(to);
    if (!fs::RenameFile(from, to)) return false;
    RemoveOwnFolder(to);
    return true;
}

std::string LabelBytes(Action action, int profile) {
    std::string s = "[GENERATION]\r\nAction=" + text::ToUtf8(ActionWord(action)) + "\r\n";
    if (profile >= 0 && profile < PROFILE_COUNT) s += "Profile=" + std::to_string(profile + 1) + "\r\n";
    return s;
}

// Reads the label file of a generation; a missing or foreign one leaves `g` as
// a save's.
void ReadLabel(const std::wstring& folder, Generation& g) {
    const std::wstring path = folder + kLabelFile;
    std::string bytes;
    if (fs::Stat(path).size > 4096 || !fs::IsPlainFile(path) || !fs::ReadWholeFile(path, bytes)) return;
    size_t at = 0;
    while (at < bytes.size()) {
        size_t end = bytes.find_first_of("\r\n", at);
        if (end == std::string::npos) end = bytes.size();
        const std::string line = bytes.substr(at, end - at);
        at = end + 1;
        if (line.rfind("Action=", 0) == 0) {
            const std::wstring word = text::FromUtf8(line.substr(7));
            for (Action a : {Action::Save, Action::Apply, Action::Reset, Action::Lighting, Action::Import,
                             Action::Restore, Action::AppProfiles})
                if (word == ActionWord(a)) g.action = a;
        } else if (line.size() == 9 && line.rfind("Profile=", 0) == 0 && line[8] >= '1' &&
                   line[8] < '1' + PROFILE_COUNT) {
            g.profile = line[8] - '1';
        }
    }
}

struct Listed {
    NameKey key;
    bool ahead = false;  // dated more than a day after the clock
    Generation gen;
};

// What a listing of generations reads of each: its name only, or also the
// files it holds and its label.
enum class Detail { Names, Labels };

// The settings files a generation folder holds, in SettingsFileNames order.
std::vector<std::wstring> HeldFiles(const std::wstring& dataFolder, const std::wstring& name) {
    const std::vector<std::wstring> entries = fs::ListPlainEntries(FolderPath(dataFolder, name)).files;
    std::vector<std::wstring> held;
    for (const std::wstring& file : SettingsFileNames())
        if (std::find(entries.begin(), entries.end(), file) != entries.end()) held.push_back(file);
    return held;
}

// The generations among `names` (the plain folders of the backup folder),
// newest first, those from a wrong clock last.
std::vector<Listed> Generations(const std::wstring& dataFolder, const std::vector<std::wstring>& names,
                                std::time_t now, Detail detail) {
    const std::wstring aheadOf = GenerationStamp(now + kClockSlack);
    std::vector<Listed> found;
    for (const std::wstring& name : names) {
        NameKey key;
        if (!ParseName(name, key) || NameOf(key) != name) continue;
        Listed l{key, key.stamp > aheadOf, Generation{name, {}}};
        if (detail == Detail::Labels) {
            l.gen.files = HeldFiles(dataFolder, name);
            ReadLabel(FolderPath(dataFolder, name), l.gen);
        }
        found.push_back(std::move(l));
    }
    std::sort(found.begin(), found.end(), [](const Listed& a, const Listed& b) {
        return a.ahead != b.ahead ? b.ahead : b.key < a.key;
    });
    return found;
}

// The name of a new generation: from the clock; after the newest when that one
// is ahead of the clock by less than a day (the clock went back a little), so
// the list keeps the order of the saves. A name from a wrong clock is not followed.
NameKey NewKey(const std::vector<Listed>& gens, std::time_t now) {
    NameKey key{GenerationStamp(now), 1};
    for (const Listed& l : gens) {
        if (l.ahead) continue;
        if (!(l.key < key) && l.key.n < kLastNumber) key = {l.key.stamp, l.key.n + 1};
        break;  // newest first: the first one not ahead is the newest
    }
    return key;
}

// Makes the folder a new generation is written in.
fs::Status MakePartialFolder(const std::wstring& dataFolder, std::time_t now, std::wstring& folder) {
    const std::wstring backupFolder = BackupFolder(dataFolder);
    bool exists = false;
    if (fs::Status s = fs::MakeDirectory(backupFolder, &exists); !s && !exists) return s;
    // A backup folder that is a link leads elsewhere: nothing is written or removed through it.
    if (!fs::IsPlainFolder(WithoutSeparator(backupFolder)))
        return Outcome::Refused(FileStep::MakeFolder, backupFolder, Refusal::NotOurFolder);
    for (int k = 1; k <= 100; ++k) {
        const std::wstring path = backupFolder + GenerationStamp(now) + L"-" + std::to_wstring(k) + kPartialEnding;
        exists = false;
        if (fs::Status s = fs::MakeDirectory(path, &exists); s) {
            folder = path + L"\\";
            return s;
        } else if (!exists) {
            return s;
        }
    }
    return Outcome::Refused(FileStep::MakeFolder, backupFolder, Refusal::NoFreeName);
}

// Writes the generation of `files` (index in SettingsFileNames, earlier bytes)
// and gives it its name; `name` gets it.
fs::Status WriteGeneration(const std::wstring& dataFolder, const std::vector<std::pair<size_t, std::string>>& files,
                           Action action, int profile, std::time_t now, std::wstring& name) {
    std::wstring partial;
    if (fs::Status s = MakePartialFolder(dataFolder, now, partial); !s) return s;
    auto fail = [&](const fs::Status& s) {
        RemoveOwnFolder(partial);
        return s;
    };
    for (const auto& [index, bytes] : files)
        if (fs::Status s = fs::WriteFileAtomic(partial + SettingsFileNames()[index], bytes); !s) return fail(s);
    if (fs::Status s = fs::WriteFileAtomic(partial + kLabelFile, LabelBytes(action, profile)); !s) return fail(s);
    const std::vector<Listed> gens =
        Generations(dataFolder, fs::ListPlainEntries(BackupFolder(dataFolder)).folders, now, Detail::Names);
    NameKey key = NewKey(gens, now);
    for (int attempt = 0; attempt < 1000 && key.n <= kLastNumber; ++attempt, ++key.n) {
        const std::wstring target = WithoutSeparator(FolderPath(dataFolder, NameOf(key)));
        if (fs::DirectoryExists(target)) continue;
        fs::Status s = fs::RenameFile(WithoutSeparator(partial), target);
        if (s) {
            name = NameOf(key);
            return s;
        }
        if (!fs::DirectoryExists(target)) return fail(s);
    }
    return fail(Outcome::Refused(FileStep::Rename, BackupFolder(dataFolder), Refusal::NoFreeName));
}

std::optional<std::string> ReadIfThere(const std::wstring& path) {
    std::string bytes;
    if (!fs::IsPlainFile(path) || !fs::ReadWholeFile(path, bytes)) return std::nullopt;
    return bytes;
}

// Replaces each target with its bytes, all or none: every new content is
// written beside its file first; when a replace fails, the files replaced
// before it get `previous` back.
IniFileStatus ReplaceTogether(const std::vector<std::pair<std::wstring, std::string>>& changes,
                              const std::vector<std::optional<std::string>>& previous) {
    std::vector<std::unique_ptr<fs::PendingFile>> pending;
    for (const auto& [target, bytes] : changes) {
        pending.push_back(std::make_unique<fs::PendingFile>(target));
        fs::PendingFile& p = *pending.back();
        fs::Status s = p.status() ? p.Write(bytes) : p.status();
        if (!s) return s.At(target);  // the temporaries go with `pending`
    }
    for (size_t i = 0; i < pending.size(); ++i) {
        if (fs::Status s = pending[i]->Replace(); !s) {
            for (size_t j = 0; j < i; ++j) {
                if (previous[j])
                    fs::WriteFileAtomic(changes[j].first, *previous[j]);
                else
                    fs::RemoveFile(changes[j].first);
            }
            return s.At(changes[i].first);
        }
    }
    return {};
}

}  // namespace

std::wstring BackupFolder(const std::wstring& dataFolder) { return dataFolder + L"Backup\\"; }

const std::vector<std::wstring>& SettingsFileNames() {
    static const std::vector<std::wstring> names = [] {
        std::vector<std::wstring> n = {ConfigFilePath(L"")};
        for (int p = 0; p < PROFILE_COUNT; ++p) n.push_back(ProfileFilePath(L"", p));
        n.push_back(L"LightOption.ini");  // the light state file (light/LightStateFile.h)
        n.push_back(apps::RULES_FILE_NAME);
        return n;
    }();
    return names;
}

const wchar_t* ActionWord(Action a) {
    switch (a) {
        case Action::Apply:
            return L"Apply";
        case Action::Reset:
            return L"Reset";
        case Action::Lighting:
            return L"Lighting";
        case Action::Import:
            return L"Import";
        case Action::Restore:
            return L"Restore";
        case Action::AppProfiles:
            return L"AppProfiles";
        case Action::Save:
            break;
    }
    return L"Save";
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
    std::vector<Generation> gens;
    for (Listed& l : Generations(dataFolder, fs::ListPlainEntries(BackupFolder(dataFolder)).folders,
                                 std::time(nullptr), Detail::Labels))
        gens.push_back(std::move(l.gen));
    return gens;
}

size_t Rotate(const std::wstring& dataFolder, std::time_t now) {
    const std::wstring backupFolder = BackupFolder(dataFolder);
    if (!fs::IsPlainFolder(WithoutSeparator(backupFolder))) return 0;
    const std::vector<std::wstring> names = fs::ListPlainEntries(backupFolder).folders;
    size_t removed = 0;
    // What killed runs left: folders being made or being removed.
    for (const std::wstring& name : names) {
        if (removed == kRemovalsPerSave) return removed;
        if ((EndsWith(name, kPartialEnding) || EndsWith(name, kRemovedEnding)) &&
            RemoveOwnFolder(backupFolder + name + L"\\"))
            ++removed;
    }
    std::vector<Listed> gens = Generations(dataFolder, names, now, Detail::Names);
    // Newest first: a generation is needed while it holds one of the last
    // kKeptVersions earlier contents of any of its files. Only the newest
    // kAnalysedGenerations are looked into: the rule never keeps more than
    // kKeptVersions for each of the settings files, so any beyond them came from
    // elsewhere and goes oldest first.
    std::vector<size_t> seen(SettingsFileNames().size(), 0);
    const size_t analysed = std::min(gens.size(), kAnalysedGenerations);
    std::vector<bool> needed(gens.size(), false);
    for (size_t i = 0; i < analysed; ++i) {
        gens[i].gen.files = HeldFiles(dataFolder, gens[i].gen.name);
        for (const std::wstring& file : gens[i].gen.files) {
            const size_t f = static_cast<size_t>(
                std::find(SettingsFileNames().begin(), SettingsFileNames().end(), file) - SettingsFileNames().begin());
            if (seen[f]++ < kKeptVersions) needed[i] = true;
        }
    }
    // Oldest first. A generation older than the one removed resolves the files
    // it lacks through the later ones (SourcesAsOf), so it gets a copy of each
    // such file first: every step leaves each generation whole.
    for (size_t i = gens.size(); i-- > 0 && removed < kRemovalsPerSave;) {
        if (needed[i] || (i >= analysed && i + 1 != gens.size())) continue;
        const std::wstring folder = FolderPath(dataFolder, gens[i].gen.name);
        bool handedOn = true;
        if (i + 1 < gens.size()) {
            Generation& older = gens[i + 1].gen;
            const std::wstring olderFolder = FolderPath(dataFolder, older.name);
            for (const std::wstring& file : gens[i].gen.files) {
                if (std::find(older.files.begin(), older.files.end(), file) != older.files.end()) continue;
                if (!fs::LinkOrCopyFile(folder + file, olderFolder + file)) {
                    handedOn = false;
                    break;
                }
                older.files.push_back(file);
            }
        }
        if (!handedOn || !RemoveGeneration(dataFolder, gens[i].gen.name)) continue;
        ++removed;
        gens.erase(gens.begin() + static_cast<std::ptrdiff_t>(i));
        needed.erase(needed.begin() + static_cast<std::ptrdiff_t>(i));
    }
    return removed;
}

ActionBackup::ActionBackup(std::wstring dataFolder, Action action, int profile)
    : dataFolder_(std::move(dataFolder)), action_(action), profile_(profile) {
    if (g_open && g_open->dataFolder_ == dataFolder_) {
        outer_ = false;
        return;
    }
    enclosing_ = g_open;
    g_open = this;
    for (const std::wstring& file : SettingsFileNames()) before_.push_back(ReadIfThere(dataFolder_ + file));
}

ActionBackup::~ActionBackup() { Finish(); }

KeepOutcome ActionBackup::Finish(std::time_t now) {
    KeepOutcome out;
    if (!outer_ || finished_) return out;
    finished_ = true;
    g_open = enclosing_;
    std::vector<std::pair<size_t, std::string>> changed;
    for (size_t i = 0; i < before_.size(); ++i) {
        if (!before_[i]) continue;
        const std::optional<std::string> nowBytes = ReadIfThere(dataFolder_ + SettingsFileNames()[i]);
        if (nowBytes != before_[i]) changed.emplace_back(i, std::move(*before_[i]));
    }
    before_.clear();
    if (changed.empty()) return out;
    std::wstring name;
    if (fs::Status s = WriteGeneration(dataFolder_, changed, action_, profile_, now, name); !s) {
        out.failure = s;
        return out;
    }
    out.generation = name;
    Rotate(dataFolder_, now);
    return out;
}

std::wstring GenerationTime(const Generation& g) {
    NameKey key;
    if (!ParseName(g.name, key)) return g.name;
    const std::wstring& t = key.stamp;
    std::wstring label = t.substr(0, 4) + L"-" + t.substr(4, 2) + L"-" + t.substr(6, 2) + L" " + t.substr(9, 2) +
                         L":" + t.substr(11, 2) + L":" + t.substr(13, 2);
    if (key.n > 1) label += L" (" + std::to_wstring(key.n) + L")";
    return label;
}

std::wstring GenerationLabel(const Generation& g) {
    std::wstring label = GenerationTime(g) + L"   ";
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
    IniSnapshot snapshot(Settings());
    seq::ReadLightOption(snapshot, sources[0], config.Light);
    for (int p = 0; p < PROFILE_COUNT; ++p) seq::ReadProfileFile(snapshot, sources[1 + p], config.Profile[p]);
}

RestoredBytes RestoredBytesAsOf(const std::wstring& dataFolder, const std::vector<Generation>& gens, size_t index) {
    const std::vector<std::wstring> sources = SourcesAsOf(dataFolder, gens, index);
    RestoredBytes kept;
    for (int p = 0; p < PROFILE_COUNT; ++p)
        kept.present[p] = fs::FileExists(sources[1 + p]) && fs::ReadWholeFile(sources[1 + p], kept.bytes[p]);
    for (size_t i = kFirstWholeFileIndex; i < sources.size(); ++i) {
        const std::wstring& name = SettingsFileNames()[i];
        kept.whole.push_back({name, ReadIfThere(sources[i]), ReadIfThere(dataFolder + name)});
    }
    return kept;
}

IniFileStatus PutBackUnchanged(const std::wstring& dataFolder, const KeyboardConfig& loaded,
                               const RestoredBytes& kept, const KeyboardConfig& config) {
    IniFileStatus first;
    auto putBack = [&](const std::wstring& file, const std::string& bytes) {
        std::string now;
        if (fs::ReadWholeFile(file, now) && now == bytes) return;
        if (fs::Status s = fs::WriteFileAtomic(file, bytes); !s && first) first = s.At(file);
    };
    for (int p = 0; p < PROFILE_COUNT; ++p)
        if (kept.present[p] && config.Profile[p] == loaded.Profile[p])
            putBack(ProfileFilePath(dataFolder, p), kept.bytes[p]);
    for (const RestoredBytes::WholeFile& w : kept.whole) {
        const std::wstring file = dataFolder + w.name;
        if (w.asOf && ReadIfThere(file) == w.atLoad) putBack(file, *w.asOf);
    }
    return first;
}

IniFileStatus RestoreFiles(const std::wstring& dataFolder, const std::vector<Generation>& gens, size_t index,
                           KeepOutcome& kept, std::vector<std::wstring>& written) {
    // Everything is read before anything is kept: keeping may rotate out the very
    // generation being restored.
    const std::vector<std::wstring> sources = SourcesAsOf(dataFolder, gens, index);
    std::vector<std::pair<std::wstring, std::string>> changes;
    std::vector<std::optional<std::string>> previous;
    for (size_t i = 0; i < sources.size(); ++i) {
        const std::wstring target = dataFolder + SettingsFileNames()[i];
        if (sources[i] == target || !fs::FileExists(sources[i])) continue;
        std::string old;
        if (fs::Status s = fs::ReadWholeFile(sources[i], old); !s) return s.At(sources[i]);
        std::optional<std::string> now = ReadIfThere(target);
        if (now == old) continue;
        changes.emplace_back(target, std::move(old));
        previous.push_back(std::move(now));
    }
    ActionBackup backup(dataFolder, Action::Restore);
    const IniFileStatus result = ReplaceTogether(changes, previous);
    kept = backup.Finish();
    if (result)
        for (const auto& c : changes) written.push_back(c.first);
    return result;
}

}  // namespace zavo::backup
