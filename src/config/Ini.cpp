// The settings engine: a cache of parsed files behind the six primitives.
#include "config/Ini.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <unordered_map>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "config/IniAccess.h"
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

constexpr size_t kMaxClean = 48;  // parses kept without pending changes

// A file's time stamp has a coarse grain (a few milliseconds here, up to two
// seconds on some file systems): another program may rewrite a file with the same
// size within the same tick. A parse taken less than this long after the file's
// last change is therefore confirmed by its content before it is trusted.
#ifdef _WIN32
constexpr std::int64_t kRacyTicks = 3 * 10000000LL;  // FILETIME units of 100 ns
std::int64_t NowTicks() {
    auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(
                  std::chrono::system_clock::now().time_since_epoch()).count();
    return ns / 100 + 116444736000000000LL;  // 1601 to 1970
}
#else
constexpr std::int64_t kRacyTicks = 3 * 1000000000LL;  // nanoseconds
std::int64_t NowTicks() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::system_clock::now().time_since_epoch()).count();
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

struct Engine {
    std::recursive_mutex mu;
    std::unordered_map<std::wstring, Entry> files;
    std::vector<std::wstring> dirtyOrder;  // paths of the changed files, in the order first changed
    int batchDepth = 0;
    std::uint64_t clock = 0;
    // The file of the last access: a save or load asks for one file a thousand
    // times in a row. Cleared whenever an entry is dropped.
    std::wstring lastPath;
    Entry* lastEntry = nullptr;
    std::vector<std::uint8_t> structBytes;  // a struct read decodes here before it touches the target
    std::string structDigits;               // the digits of a value that is not in 8-bit units

    // Byte buffers of dropped parses, read into again: a fresh buffer of a
    // large file costs more than reading it (new pages, zeroed), under Wine most.
    std::vector<std::string> spare;

    void Recycle(Entry& en) {
        std::string b = en.doc.TakeBytes();
        if (b.capacity() >= 4096 && spare.size() < 8) spare.push_back(std::move(b));
    }
    // The smallest spare buffer that holds `size` bytes, else an empty one.
    std::string Buffer(std::uint64_t size) {
        size_t best = spare.size();
        for (size_t i = 0; i < spare.size(); ++i)
            if (spare[i].capacity() >= size && (best == spare.size() || spare[i].capacity() < spare[best].capacity()))
                best = i;
        if (best == spare.size()) return {};
        std::string b = std::move(spare[best]);
        spare.erase(spare.begin() + static_cast<std::ptrdiff_t>(best));
        return b;
    }
    void Give(std::string b) {
        if (b.capacity() >= 4096 && spare.size() < 8) spare.push_back(std::move(b));
    }

    void Erase(std::unordered_map<std::wstring, Entry>::iterator it) {
        lastEntry = nullptr;
        Recycle(it->second);
        files.erase(it);
    }
};

// Never destroyed: code that runs while the process ends (a window saving on its
// way out) still finds the engine.
Engine& E() {
    static Engine* engine = new Engine;
    return *engine;
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

void EvictClean(Engine& e) {
    while (e.files.size() >= kMaxClean) {
        auto victim = e.files.end();
        for (auto it = e.files.begin(); it != e.files.end(); ++it)
            if (!it->second.dirty && (victim == e.files.end() || it->second.lastUse < victim->second.lastUse))
                victim = it;
        if (victim == e.files.end()) return;
        e.Erase(victim);
    }
}

// The kept parse of `path`, checked against the disk, or a fresh one. A missing
// file is an empty document. Null when the file exists but cannot be read (`why`
// set).
Entry* Lookup(const std::wstring& path, fs::Status* why) {
    Engine& e = E();
    std::wstring key = CacheKey(path);
    auto it = e.files.find(key);
    if (it != e.files.end()) {
        Entry& en = it->second;
        en.lastUse = ++e.clock;
        if (en.dirty || (e.batchDepth > 0 && en.checked)) return &en;
        fs::FileStamp now = fs::Stat(path);
        if (now == en.stamp && !en.racy) {
            en.checked = true;
            return &en;
        }
        if (now == en.stamp) {
            std::string bytes = e.Buffer(now.size);
            const bool same = fs::ReadWholeFile(path, bytes) &&
                              (en.bySource ? en.doc.Source() == std::optional<std::string_view>(bytes)
                                           : Hash(bytes) == en.hash);
            e.Give(std::move(bytes));
            if (same) {
                en.racy = IsRacy(now);
                en.checked = true;
                return &en;
            }
        }
        e.Erase(it);
    }
    Entry fresh;
    fresh.stamp = fs::Stat(path);
    if (fresh.stamp.exists) {
        std::string bytes = e.Buffer(fresh.stamp.size);
        fs::Status s = fs::ReadWholeFile(path, bytes);
        if (!s) {
            e.Give(std::move(bytes));
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
    fresh.lastUse = ++e.clock;
    EvictClean(e);  // before adding, so the new entry stays
    return &e.files.emplace(key, std::move(fresh)).first->second;
}

// Lookup, skipping the checks for the file just used while they still hold.
Entry* Open(const std::wstring& path, fs::Status* why = nullptr) {
    Engine& e = E();
    if (e.lastEntry && path == e.lastPath) {
        Entry& en = *e.lastEntry;
        if (en.dirty || (e.batchDepth > 0 && en.checked)) {
            en.lastUse = ++e.clock;
            return &en;
        }
    }
    Entry* en = Lookup(path, why);
    e.lastEntry = en;
    if (en) e.lastPath = path;
    return en;
}

fs::Status Flush(const std::wstring& path, const std::wstring& key) {
    Engine& e = E();
    auto it = e.files.find(key);
    if (it == e.files.end()) return fs::Status::Ok();
    const std::string bytes = it->second.doc.Serialize();
    fs::Status s = fs::WriteFileAtomic(path, bytes);
    if (!s) {
        e.Erase(it);  // memory must not claim what the disk does not hold
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

bool BadName(std::wstring_view name, bool isKey) {
    std::wstring_view t = ini::Trim(name);
    if (t.empty()) return true;
    if (isKey && t.front() == L'[') return true;
    for (wchar_t c : t)
        if (c == L'\r' || c == L'\n' || c == 0 || (isKey && c == L'=')) return true;
    return false;
}

// `hexValue`: the value is the engine's own hex text, so it needs no checking.
fs::Status Write(const std::wstring& file, std::wstring_view section, std::wstring_view key,
                 std::wstring_view value, bool hexValue = false) {
    if (BadName(section, false))
        return fs::Status::Fail(L"Invalid section name \"" + std::wstring(section) + L"\"");
    if (BadName(key, true)) return fs::Status::Fail(L"Invalid key name \"" + std::wstring(key) + L"\"");
    for (size_t i = 0; !hexValue && i < value.size(); ++i)
        if (value[i] == L'\r' || value[i] == L'\n' || value[i] == 0)
            return fs::Status::Fail(L"The value of \"" + std::wstring(key) + L"\" holds a line break");
    Engine& e = E();
    std::lock_guard<std::recursive_mutex> lock(e.mu);
    fs::Status why;
    Entry* en = Open(file, &why);
    if (!en) return why;
    bool wasDirty = en->dirty;
    if (!en->doc.Set(section, key, value, hexValue)) return fs::Status::Ok();
    if (e.batchDepth > 0) {
        if (!wasDirty) {
            en->dirty = true;
            e.dirtyOrder.push_back(file);
        }
        return fs::Status::Ok();
    }
    en->dirty = true;
    return Flush(file, CacheKey(file));
}

// The stored value as the platform's string and integer reads see it: quotes
// around the whole value are dropped. It lives while the engine's lock is held.
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

constexpr std::array<signed char, 256> kHexValue = [] {
    std::array<signed char, 256> t{};
    for (auto& v : t) v = -1;
    for (int i = 0; i < 10; ++i) t['0' + i] = static_cast<signed char>(i);
    for (int i = 0; i < 6; ++i) t['A' + i] = t['a' + i] = static_cast<signed char>(10 + i);
    return t;
}();

inline int HexDigit(std::uint32_t c) { return c < 256 ? kHexValue[c] : -1; }

// Decodes the 2 * count hex digits at `p` (either letter case) into `out`, adding
// the bytes into `sum`. False when a character is not a hex digit.
bool HexBytes(const char* p, size_t count, std::uint8_t* out, unsigned& sum) {
    size_t i = 0;
    unsigned total = 0;
#if defined(__SSE2__)
    // Sixteen digits at a step: each checked as a digit or (with bit 0x20 set) a
    // letter a-f, turned into its value, and pairs joined into bytes.
    const __m128i zero = _mm_setzero_si128();
    __m128i ok = _mm_set1_epi8(-1), sums = zero;
    for (; i + 8 <= count; i += 8) {
        const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 2 * i));
        const __m128i digit = _mm_and_si128(_mm_cmpgt_epi8(c, _mm_set1_epi8('0' - 1)),
                                            _mm_cmplt_epi8(c, _mm_set1_epi8('9' + 1)));
        const __m128i low = _mm_or_si128(c, _mm_set1_epi8(0x20));
        const __m128i letter = _mm_and_si128(_mm_cmpgt_epi8(low, _mm_set1_epi8('a' - 1)),
                                             _mm_cmplt_epi8(low, _mm_set1_epi8('f' + 1)));
        ok = _mm_and_si128(ok, _mm_or_si128(digit, letter));
        const __m128i v = _mm_or_si128(_mm_and_si128(digit, _mm_sub_epi8(c, _mm_set1_epi8('0'))),
                                       _mm_and_si128(letter, _mm_sub_epi8(low, _mm_set1_epi8('a' - 10))));
        // Lane k of 16 bits holds the high digit in its low byte, the low digit above.
        const __m128i bytes = _mm_or_si128(_mm_slli_epi16(_mm_and_si128(v, _mm_set1_epi16(0x00FF)), 4),
                                           _mm_srli_epi16(v, 8));
        _mm_storel_epi64(reinterpret_cast<__m128i*>(out + i), _mm_packus_epi16(bytes, bytes));
        sums = _mm_add_epi64(sums, _mm_sad_epu8(bytes, zero));
    }
    if (_mm_movemask_epi8(ok) != 0xFFFF) return false;
    total = static_cast<unsigned>(_mm_cvtsi128_si32(sums)) + static_cast<unsigned>(_mm_cvtsi128_si32(_mm_srli_si128(sums, 8)));
#endif
    for (; i < count; ++i) {
        const int hi = HexDigit(static_cast<unsigned char>(p[2 * i])), lo = HexDigit(static_cast<unsigned char>(p[2 * i + 1]));
        if ((hi | lo) < 0) return false;
        out[i] = static_cast<std::uint8_t>(hi * 16 + lo);
        total += out[i];
    }
    sum += total;
    return true;
}

}  // namespace

namespace {

std::wstring ReadStringV(const std::wstring& file, std::wstring_view section, std::wstring_view key,
                         std::wstring_view defaultValue) {
    Engine& e = E();
    std::lock_guard<std::recursive_mutex> lock(e.mu);
    if (std::optional<ini::ValueRef> v = Unquoted(file, section, key)) {
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

std::int32_t ReadIntV(const std::wstring& file, std::wstring_view section, std::wstring_view key,
                      std::int32_t defaultValue) {
    // The platform reads the value into 30 characters and converts it as its
    // system's string-to-integer call with base 0 does: leading blanks, a sign,
    // then "0x" (hex), "0o" (octal), "0b" (binary) or decimal digits up to the
    // first other character, wrapping at 32 bits. "abc" gives 0.
    Engine& e = E();
    std::lock_guard<std::recursive_mutex> lock(e.mu);
    const std::optional<ini::ValueRef> found = Unquoted(file, section, key);
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
        int d = HexDigit(v[i]);
        if (d < 0 || static_cast<unsigned>(d) >= base) break;
        n = n * base + static_cast<std::uint32_t>(d);
    }
    if (minus) n = 0u - n;
    return static_cast<std::int32_t>(n);
}

}  // namespace

bool IniReadRaw(const std::wstring& file, const std::wstring& section, const std::wstring& key,
                std::wstring& value) {
    Engine& e = E();
    std::lock_guard<std::recursive_mutex> lock(e.mu);
    Entry* en = Open(file);
    std::optional<ini::ValueRef> v;
    if (en) v = en->doc.Find(section, key);
    if (!v) return false;
    value = v->Text();
    return true;
}

namespace {

bool ReadStructV(const std::wstring& file, std::wstring_view section, std::wstring_view key, void* target,
                 size_t size) {
    Engine& e = E();
    std::lock_guard<std::recursive_mutex> lock(e.mu);
    Entry* en = Open(file);
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
    if (!HexBytes(digits, size + 1, scratch, sum)) return false;
    sum -= scratch[size];  // the checksum byte is not part of the sum
    if (scratch[size] != (sum & 0xFF)) return false;
    if (size) std::memcpy(target, scratch, size);
    return true;
}

fs::Status WriteStructV(const std::wstring& file, std::wstring_view section, std::wstring_view key,
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
    return Write(file, section, key, text, true);
}

}  // namespace

std::wstring IniReadString(const std::wstring& file, const std::wstring& section, const std::wstring& key,
                           const std::wstring& defaultValue) {
    return ReadStringV(file, section, key, defaultValue);
}

std::int32_t IniReadInt(const std::wstring& file, const std::wstring& section, const std::wstring& key,
                        std::int32_t defaultValue) {
    return ReadIntV(file, section, key, defaultValue);
}

bool IniReadStruct(const std::wstring& file, const std::wstring& section, const std::wstring& key, void* target,
                   size_t size) {
    return ReadStructV(file, section, key, target, size);
}

fs::Status IniWriteString(const std::wstring& file, const std::wstring& section, const std::wstring& key,
                          const std::wstring& value) {
    return Write(file, section, key, value);
}

fs::Status IniWriteInt(const std::wstring& file, const std::wstring& section, const std::wstring& key,
                       std::int32_t value) {
    return Write(file, section, key, DecimalText(value));
}

fs::Status IniWriteStruct(const std::wstring& file, const std::wstring& section, const std::wstring& key,
                          const void* source, size_t size) {
    return WriteStructV(file, section, key, source, size);
}

IniBatch::IniBatch() {
    Engine& e = E();
    std::lock_guard<std::recursive_mutex> lock(e.mu);
    if (e.batchDepth++ == 0)
        for (auto& [k, en] : e.files) en.checked = false;
}

IniBatch::~IniBatch() {
    if (!committed_) Commit();
}

IniFileStatus IniBatch::Commit() {
    if (committed_) return {};
    committed_ = true;
    Engine& e = E();
    std::lock_guard<std::recursive_mutex> lock(e.mu);
    if (--e.batchDepth > 0) return {};
    IniFileStatus first;
    std::vector<std::wstring> order;
    order.swap(e.dirtyOrder);
    for (const auto& path : order) {
        fs::Status s = Flush(path, CacheKey(path));
        if (!s && first.ok) first = IniFileStatus::Fail(path, s.error);
    }
    return first;
}

void IniDropCache() {
    Engine& e = E();
    std::lock_guard<std::recursive_mutex> lock(e.mu);
    e.lastEntry = nullptr;
    for (auto it = e.files.begin(); it != e.files.end();)
        if (it->second.dirty) {
            ++it;
        } else {
            e.Recycle(it->second);
            it = e.files.erase(it);
        }
}

namespace {

class EngineAccess final : public IniAccess {
public:
    std::wstring ReadString(const std::wstring& f, std::wstring_view s, std::wstring_view k,
                            std::wstring_view d) override {
        return ReadStringV(f, s, k, d);
    }
    std::int32_t ReadInt(const std::wstring& f, std::wstring_view s, std::wstring_view k, std::int32_t d) override {
        return ReadIntV(f, s, k, d);
    }
    bool ReadStruct(const std::wstring& f, std::wstring_view s, std::wstring_view k, void* t, size_t n) override {
        return ReadStructV(f, s, k, t, n);
    }
    fs::Status WriteString(const std::wstring& f, std::wstring_view s, std::wstring_view k,
                           const std::wstring& v) override {
        return Write(f, s, k, v);
    }
    fs::Status WriteStruct(const std::wstring& f, std::wstring_view s, std::wstring_view k, const void* src,
                           size_t n) override {
        return WriteStructV(f, s, k, src, n);
    }
};

}  // namespace

IniAccess& EngineIni() {
    static EngineAccess access;
    return access;
}

}  // namespace zavo
