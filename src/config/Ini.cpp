// The settings engine: a cache of parsed files behind the six primitives.
#include "config/Ini.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstring>
#include <mutex>
#include <unordered_map>
#include <vector>

#include "config/IniFastPaths.h"
#include "config/IniFile.h"

namespace zavo {
namespace {

struct Entry {
    ini::Document doc;
    fs::FileStamp stamp;     // of the file the parse came from (or after our write)
    std::uint64_t hash = 0;  // of those bytes
    bool bySource = false;   // the parse still holds those bytes: compare with them instead of a hash
    bool racy = false;       // modified so recently that the stamp cannot vouch for it
    bool dirty = false;      // changed inside a batch, not yet written
    bool checked = false;    // compared with the disk during the current batch
    std::uint64_t lastUse = 0;
};

constexpr size_t kMaxClean = 48;  // parses kept without pending changes, and at most
                                  // SETTINGS_CACHE_MAX_BYTES of them

// A file's time stamp has a coarse grain (a few milliseconds here, up to two
// seconds on some file systems): another program may rewrite a file with the same
// size within the same tick. A parse taken less than this long after the file's
// last change is therefore confirmed by its content before it is trusted.
#ifdef _WIN32
constexpr std::int64_t kRacyTicks = 3 * 10000000LL;  // FILETIME units of 100 ns
std::int64_t NowTicks() {
    auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::system_clock::now().time_since_epoch())
                  .count();
    return ns / 100 + 116444736000000000LL;  // 1601 to 1970
}
#else
constexpr std::int64_t kRacyTicks = 3 * 1000000000LL;  // nanoseconds
std::int64_t NowTicks() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::system_clock::now().time_since_epoch())
        .count();
}
#endif

bool IsRacy(const fs::FileStamp& s) { return s.exists && NowTicks() - s.mtime < kRacyTicks; }

// A 64-bit hash of a file's bytes, eight bytes at a step.
std::uint64_t Hash(std::string_view bytes) {
    std::uint64_t h = 0x9E3779B97F4A7C15ULL ^ bytes.size();
    size_t i = 0;
    for (; i + 8 <= bytes.size(); i += 8) {
        std::uint64_t w;
        std::memcpy(&w, bytes.data() + i, 8);
        h = (h ^ w) * 0xFF51AFD7ED558CCDULL;
        h ^= h >> 29;
    }
    for (; i < bytes.size(); ++i) h = (h ^ static_cast<unsigned char>(bytes[i])) * 0x100000001B3ULL;
    return h ^ (h >> 32);
}

// The cache key: on Windows the same file may be named with other letter case or
// separators.
std::wstring CacheKey(const std::wstring& path) {
#ifdef _WIN32
    std::wstring k = ini::FoldName(path);
    for (auto& c : k)
        if (c == L'/') c = L'\\';
    return k;
#else
    return path;
#endif
}

bool BadName(std::wstring_view name, bool isKey) {
    std::wstring_view t = ini::Trim(name);
    if (t.empty()) return true;
    if (isKey && t.front() == L'[') return true;
    for (wchar_t c : t)
        if (c == L'\r' || c == L'\n' || c == 0 || (isKey && c == L'=')) return true;
    return false;
}

}  // namespace

struct SettingsEngine::State {
    std::recursive_mutex mu;
    std::unordered_map<std::wstring, Entry> files;
    std::vector<std::wstring> dirtyOrder;  // paths of the changed files, in the order first changed
    int scopeDepth = 0;  // open snapshots and batches: each file is checked once while one is open
    int batchDepth = 0;  // open batches: writes wait for the outermost one's commit
    std::uint64_t clock = 0;
    // The file of the last access: a save or load asks for one file a thousand
    // times in a row. Cleared whenever an entry is dropped.
    std::wstring lastPath;
    Entry* lastEntry = nullptr;
    std::vector<std::uint8_t> structBytes;  // a struct read decodes here before it touches the target
    std::string structDigits;               // the digits of a value that is not in 8-bit units
    ini::BufferPool buffers;

    void Erase(std::unordered_map<std::wstring, Entry>::iterator it) {
        lastEntry = nullptr;
        buffers.Give(it->second.doc.TakeBytes());
        files.erase(it);
    }

    size_t CleanBytes() const {
        size_t bytes = 0;
        for (const auto& [key, en] : files)
            if (!en.dirty) bytes += en.doc.MemoryBytes();
        return bytes;
    }

    // Makes room for a parse of `incoming` bytes: drops the least recently used
    // parses without pending changes until the count and the bytes are in bounds.
    // A parse larger than the bound alone is kept only until the next file is read.
    void EvictClean(size_t incoming) {
        while (files.size() >= kMaxClean || CleanBytes() + incoming > SETTINGS_CACHE_MAX_BYTES) {
            auto victim = files.end();
            for (auto it = files.begin(); it != files.end(); ++it)
                if (!it->second.dirty && (victim == files.end() || it->second.lastUse < victim->second.lastUse))
                    victim = it;
            if (victim == files.end()) return;
            Erase(victim);
        }
    }

    // The kept parse of `path`, checked against the disk, or a fresh one. A missing
    // file is an empty document. Null when the file exists but cannot be read (`why`
    // set).
    Entry* Lookup(const std::wstring& path, fs::Status* why) {
        std::wstring key = CacheKey(path);
        auto it = files.find(key);
        if (it != files.end()) {
            Entry& en = it->second;
            en.lastUse = ++clock;
            if (en.dirty || (scopeDepth > 0 && en.checked)) return &en;
            fs::FileStamp now = fs::Stat(path);
            if (now == en.stamp && !en.racy) {
                en.checked = true;
                return &en;
            }
            if (now == en.stamp) {
                std::string bytes = buffers.Take(now.size);
                const bool same =
                    fs::ReadWholeFile(path, bytes) &&
                    (en.bySource ? en.doc.Source() == std::optional<std::string_view>(bytes) : Hash(bytes) == en.hash);
                buffers.Give(std::move(bytes));
                if (same) {
                    en.racy = IsRacy(now);
                    en.checked = true;
                    return &en;
                }
            }
            Erase(it);
        }
        Entry fresh;
        fresh.stamp = fs::Stat(path);
        if (fresh.stamp.exists) {
            std::string bytes = buffers.Take(fresh.stamp.size);
            fs::Status s = fs::ReadWholeFile(path, bytes);
            if (!s) {
                buffers.Give(std::move(bytes));
                if (why) *why = s;
                return nullptr;
            }
            // Only a racy parse is ever confirmed by content: by the bytes the parse
            // keeps, or by a hash where it turns them around (UTF-16BE).
            fresh.racy = IsRacy(fresh.stamp);
            const bool turned = bytes.size() >= 2 && bytes[0] == '\xFE' && bytes[1] == '\xFF';
            if (fresh.racy && turned) fresh.hash = Hash(bytes);
            fresh.bySource = fresh.racy && !turned;
            fresh.doc = ini::Document::Parse(std::move(bytes));
        }
        fresh.checked = true;
        fresh.lastUse = ++clock;
        EvictClean(fresh.doc.MemoryBytes());  // before adding, so the new entry stays
        return &files.emplace(key, std::move(fresh)).first->second;
    }

    // Lookup, skipping the checks for the file just used while they still hold.
    Entry* Open(const std::wstring& path, fs::Status* why = nullptr) {
        if (lastEntry && path == lastPath) {
            Entry& en = *lastEntry;
            if (en.dirty || (scopeDepth > 0 && en.checked)) {
                en.lastUse = ++clock;
                return &en;
            }
        }
        Entry* en = Lookup(path, why);
        lastEntry = en;
        if (en) lastPath = path;
        return en;
    }

    fs::Status Flush(const std::wstring& path) {
        auto it = files.find(CacheKey(path));
        if (it == files.end()) return fs::Status::Ok();
        const std::string bytes = it->second.doc.Serialize();
        fs::Status s = fs::WriteFileAtomic(path, bytes);
        if (!s) {
            Erase(it);  // memory must not claim what the disk does not hold
            return s;
        }
        Entry& en = it->second;
        en.dirty = false;
        en.stamp = fs::Stat(path);
        en.hash = Hash(bytes);
        en.bySource = false;
        en.racy = IsRacy(en.stamp);
        return s;
    }

    // Writes the changed files in the order first changed. The engine removes no
    // other file: it writes into folders that are not the program's own (an
    // export), so clearing what dead writers left is for the owners of the data
    // and macro folders, who know which names are theirs.
    IniFileStatus Commit() {
        IniFileStatus first;
        std::vector<std::wstring> order;
        order.swap(dirtyOrder);
        for (const auto& path : order) {
            fs::Status s = Flush(path);
            if (!s && first.ok()) first = s.At(path);
        }
        return first;
    }

    // Drops the pending changes: the parses of the changed files go, so later
    // reads see the disk.
    void Discard() {
        std::vector<std::wstring> order;
        order.swap(dirtyOrder);
        for (const auto& path : order)
            if (auto it = files.find(CacheKey(path)); it != files.end()) Erase(it);
    }

    // A snapshot or batch opens: the first of them has every file checked again.
    void OpenScope() {
        if (scopeDepth++ == 0)
            for (auto& [k, en] : files) en.checked = false;
    }

    // `hexValue`: the value is the engine's own hex text, so it needs no checking.
    fs::Status Write(const std::wstring& file, std::wstring_view section, std::wstring_view key,
                     std::wstring_view value, bool hexValue) {
        if (BadName(section, false))
            return Outcome::Refused(FileStep::Write, file, Refusal::BadName);
        if (BadName(key, true)) return Outcome::Refused(FileStep::Write, file, Refusal::BadName);
        for (size_t i = 0; !hexValue && i < value.size(); ++i)
            if (value[i] == L'\r' || value[i] == L'\n' || value[i] == 0)
                return Outcome::Refused(FileStep::Write, file, Refusal::LineBreak);
        std::lock_guard<std::recursive_mutex> lock(mu);
        fs::Status why;
        Entry* en = Open(file, &why);
        if (!en) return why;
        const bool wasDirty = en->dirty;
        if (!en->doc.Set(section, key, value, hexValue)) return fs::Status::Ok();
        en->dirty = true;
        if (!wasDirty) dirtyOrder.push_back(file);
        if (batchDepth > 0) return fs::Status::Ok();
        // Outside a batch a write is a commit of its own.
        const IniFileStatus written = Commit();
        return written;
    }

    // The stored value as the platform's string and integer reads see it: quotes
    // around the whole value are dropped. It lives while the lock is held.
    std::optional<ini::ValueRef> Unquoted(const std::wstring& file, std::wstring_view section, std::wstring_view key) {
        Entry* en = Open(file);
        if (!en) return std::nullopt;
        std::optional<ini::ValueRef> v = en->doc.Find(section, key);
        if (v && v->size() >= 2) {
            const std::uint32_t q = (*v)[0];
            if ((q == '"' || q == '\'') && (*v)[v->size() - 1] == q) return v->Sub(1, v->size() - 1);
        }
        return v;
    }
};

SettingsEngine::SettingsEngine() : state_(std::make_unique<State>()) {}
SettingsEngine::~SettingsEngine() = default;

std::wstring SettingsEngine::IniReadString(const std::wstring& file, std::wstring_view section, std::wstring_view key,
                                           std::wstring_view defaultValue) {
    State& e = *state_;
    std::lock_guard<std::recursive_mutex> lock(e.mu);
    if (std::optional<ini::ValueRef> v = e.Unquoted(file, section, key)) {
        // No character takes more than four units: the first 4 * cap + 4 units
        // hold the characters that are kept, so a long value is not decoded whole.
        constexpr size_t units = 4 * INI_MAX_VALUE + 4;
        std::wstring text = (v->size() > units ? v->Sub(0, units) : *v).Text();
        if (text.size() > INI_MAX_VALUE) text.resize(INI_MAX_VALUE);
        return text;
    }
    // A default loses its trailing spaces.
    std::wstring_view out = defaultValue;
    while (!out.empty() && out.back() == L' ') out.remove_suffix(1);
    return std::wstring(out.substr(0, INI_MAX_VALUE));
}

std::int32_t SettingsEngine::IniReadInt(const std::wstring& file, std::wstring_view section, std::wstring_view key,
                                        std::int32_t defaultValue) {
    // The platform reads the value into 30 characters and converts it as its
    // system's string-to-integer call with base 0 does: leading blanks, a sign,
    // then "0x" (hex), "0o" (octal), "0b" (binary) or decimal digits up to the
    // first other character, wrapping at 32 bits. "abc" gives 0.
    State& e = *state_;
    std::lock_guard<std::recursive_mutex> lock(e.mu);
    const std::optional<ini::ValueRef> found = e.Unquoted(file, section, key);
    if (!found || found->empty()) return defaultValue;
    // Only ASCII units are ever looked at, each one character: the first 29 units
    // are the first 29 characters.
    const ini::ValueRef v = found->size() > 29 ? found->Sub(0, 29) : *found;
    size_t i = 0;
    while (i < v.size() && v[i] <= ' ') ++i;
    bool minus = false;
    if (i < v.size() && (v[i] == '+' || v[i] == '-')) minus = v[i++] == '-';
    unsigned base = 10;
    if (i + 1 < v.size() && v[i] == '0') {
        const std::uint32_t p = v[i + 1];
        base = p == 'x' ? 16 : p == 'o' ? 8 : p == 'b' ? 2 : 10;
        if (base != 10) i += 2;
    }
    std::uint32_t n = 0;
    for (; i < v.size(); ++i) {
        int d = ini::HexDigit(v[i]);
        if (d < 0 || static_cast<unsigned>(d) >= base) break;
        n = n * base + static_cast<std::uint32_t>(d);
    }
    if (minus) n = 0u - n;
    return static_cast<std::int32_t>(n);
}

bool SettingsEngine::IniReadRaw(const std::wstring& file, std::wstring_view section, std::wstring_view key,
                                std::wstring& value) {
    State& e = *state_;
    std::lock_guard<std::recursive_mutex> lock(e.mu);
    Entry* en = e.Open(file);
    std::optional<ini::ValueRef> v;
    if (en) v = en->doc.Find(section, key);
    if (!v) return false;
    value = v->Text();
    return true;
}

bool SettingsEngine::IniReadStruct(const std::wstring& file, std::wstring_view section, std::wstring_view key,
                                   void* target, size_t size) {
    State& e = *state_;
    std::lock_guard<std::recursive_mutex> lock(e.mu);
    Entry* en = e.Open(file);
    if (!en) return false;
    std::optional<ini::ValueRef> v = en->doc.Find(section, key);
    if (!v || v->size() != 2 * size + 2) return false;
    // The digits as bytes: straight from a file in 8-bit units; otherwise each
    // unit narrowed, anything but ASCII made a non-digit.
    const char* digits = v->Bytes();
    if (!digits) {
        e.structDigits.resize(v->size());
        for (size_t i = 0; i < v->size(); ++i) {
            const std::uint32_t c = (*v)[i];
            e.structDigits[i] = static_cast<char>(c < 0x80 ? c : 0xFF);
        }
        digits = e.structDigits.data();
    }
    // Decoded completely and checked before the target is touched.
    if (e.structBytes.size() < size + 1) e.structBytes.resize(size + 1);
    std::uint8_t* scratch = e.structBytes.data();
    unsigned sum = 0;
    if (!ini::HexBytes(digits, size + 1, scratch, sum)) return false;
    sum -= scratch[size];  // the checksum byte is not part of the sum
    if (scratch[size] != (sum & 0xFF)) return false;
    if (size) std::memcpy(target, scratch, size);
    return true;
}

fs::Status SettingsEngine::IniWriteString(const std::wstring& file, std::wstring_view section, std::wstring_view key,
                                          std::wstring_view value) {
    return state_->Write(file, section, key, value, false);
}

fs::Status SettingsEngine::IniWriteStruct(const std::wstring& file, std::wstring_view section, std::wstring_view key,
                                          const void* source, size_t size) {
    static const wchar_t kHex[] = L"0123456789ABCDEF";
    // The two digits of every byte value, written with one copy per byte.
    static const auto kPairs = [] {
        std::array<std::array<wchar_t, 2>, 256> t{};
        for (int b = 0; b < 256; ++b) t[static_cast<size_t>(b)] = {kHex[b >> 4], kHex[b & 15]};
        return t;
    }();
    const auto* p = static_cast<const std::uint8_t*>(source);
    std::wstring text(2 * size + 2, L'0');
    wchar_t* d = text.data();
    unsigned sum = 0;
    for (size_t i = 0; i < size; ++i) {
        std::memcpy(d + 2 * i, kPairs[p[i]].data(), 2 * sizeof(wchar_t));
        sum += p[i];
    }
    text[2 * size] = kHex[(sum >> 4) & 15];
    text[2 * size + 1] = kHex[sum & 15];
    return state_->Write(file, section, key, text, true);
}

size_t SettingsEngine::KeptBytes() {
    std::lock_guard<std::recursive_mutex> lock(state_->mu);
    return state_->CleanBytes();
}

void SettingsEngine::DropCache() {
    State& e = *state_;
    std::lock_guard<std::recursive_mutex> lock(e.mu);
    e.lastEntry = nullptr;
    for (auto it = e.files.begin(); it != e.files.end();)
        if (it->second.dirty) {
            ++it;
        } else {
            e.buffers.Give(it->second.doc.TakeBytes());
            it = e.files.erase(it);
        }
}

SettingsEngine& Settings() {
    static SettingsEngine* engine = new SettingsEngine;
    return *engine;
}

IniSnapshot::IniSnapshot(SettingsEngine& engine) : IniScope(engine) {
    std::lock_guard<std::recursive_mutex> lock(engine_.state_->mu);
    engine_.state_->OpenScope();
}

IniSnapshot::~IniSnapshot() {
    std::lock_guard<std::recursive_mutex> lock(engine_.state_->mu);
    --engine_.state_->scopeDepth;
}

IniBatch::IniBatch(SettingsEngine& engine) : IniScope(engine) {
    SettingsEngine::State& e = *engine_.state_;
    std::lock_guard<std::recursive_mutex> lock(e.mu);
    e.OpenScope();
    ++e.batchDepth;
}

IniBatch::~IniBatch() {
    if (!open_) return;
    SettingsEngine::State& e = *engine_.state_;
    std::lock_guard<std::recursive_mutex> lock(e.mu);
    --e.scopeDepth;
    if (--e.batchDepth == 0) e.Discard();
}

IniFileStatus IniBatch::Commit() {
    if (!open_) return {};
    open_ = false;
    SettingsEngine::State& e = *engine_.state_;
    std::lock_guard<std::recursive_mutex> lock(e.mu);
    --e.scopeDepth;
    if (--e.batchDepth > 0) return {};
    return e.Commit();
}

std::vector<std::wstring> IniBatch::PendingFiles() const {
    SettingsEngine::State& e = *engine_.state_;
    std::lock_guard<std::recursive_mutex> lock(e.mu);
    return e.dirtyOrder;
}

}  // namespace zavo
