#include "config/IniFile.h"

#include <algorithm>
#include <cstring>

#include "config/IniFastPaths.h"
#include "platform/TextCodec.h"

namespace zavo::ini {

bool IsBlank(wchar_t c) { return c == L' ' || (c >= L'\t' && c <= L'\r') || c == 0x1A; }

std::wstring_view Trim(std::wstring_view s) {
    size_t b = 0, e = s.size();
    while (b < e && IsBlank(s[b])) ++b;
    while (e > b && IsBlank(s[e - 1])) --e;
    return s.substr(b, e - b);
}

namespace {

bool IsBlankUnit(std::uint32_t c) { return c == ' ' || (c >= '\t' && c <= '\r') || c == 0x1A; }

bool IsAscii(std::wstring_view s) {
    wchar_t any = 0;
    for (wchar_t c : s) any |= c;
    return static_cast<std::uint32_t>(any) < 0x80;
}

// Bytes below 0x80 are ASCII in the 8-bit code page and in UTF-8: those need no
// table.
std::wstring WidenAscii(const char* p, size_t n) {
    std::wstring out(n, L'\0');
    for (size_t i = 0; i < n; ++i) out[i] = static_cast<wchar_t>(static_cast<unsigned char>(p[i]));
    return out;
}

std::uint32_t Fold(std::uint32_t c) {
    return (c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7) ? c + 32 : c;
}

constexpr std::uint64_t kFnvBasis = 1469598103934665603ULL, kFnvPrime = 1099511628211ULL;

std::uint64_t FoldHash(std::wstring_view name) {
    std::uint64_t h = kFnvBasis;
    for (wchar_t c : name) h = (h ^ Fold(static_cast<std::uint32_t>(c))) * kFnvPrime;
    return h;
}

bool SameName(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (Fold(static_cast<std::uint32_t>(a[i])) != Fold(static_cast<std::uint32_t>(b[i]))) return false;
    return true;
}

// The hash of a stored name: ASCII units hash as they are; a name with other
// characters is decoded first, so that it hashes as the same name asked for.
std::uint64_t NameHash(const ValueRef& r) {
    if (const wchar_t* w = r.Wide()) return FoldHash(std::wstring_view(w, r.size()));
    std::uint64_t h = kFnvBasis;
    for (size_t i = 0; i < r.size(); ++i) {
        std::uint32_t c = r[i];
        if (c >= 0x80) return FoldHash(r.Text());
        h = (h ^ Fold(c)) * kFnvPrime;
    }
    return h;
}

// Compares the units `at(0)..at(n-1)` of a stored name with `name`. While the
// units are ASCII each is one character, so the first that differs decides; a
// unit that is not ASCII needs the decoded name.
template <class At>
bool UnitsMatch(const ValueRef& stored, std::wstring_view name, At at) {
    const size_t n = stored.size();
    for (size_t i = 0; i < n; ++i) {
        const std::uint32_t u = at(i);
        if (u >= 0x80) return SameName(stored.Text(), name);
        if (i >= name.size() || Fold(u) != Fold(static_cast<std::uint32_t>(name[i]))) return false;
    }
    return n == name.size();
}

bool NameMatches(const ValueRef& stored, std::wstring_view name) {
    if (const wchar_t* w = stored.Wide()) return SameName(std::wstring_view(w, stored.size()), name);
    if (const char* p = stored.Bytes())
        return UnitsMatch(stored, name,
                          [p](size_t i) { return static_cast<std::uint32_t>(static_cast<unsigned char>(p[i])); });
    return UnitsMatch(stored, name, [&stored](size_t i) { return stored[i]; });
}

std::uint64_t Mix(std::uint64_t h, std::uint32_t section) {
    h ^= (static_cast<std::uint64_t>(section) + 1) * 0x9E3779B97F4A7C15ULL;
    h ^= h >> 31;
    h *= 0xBF58476D1CE4E5B9ULL;
    h ^= h >> 29;
    return h ? h : 1;  // 0 marks an empty slot
}

}  // namespace

std::wstring FoldName(std::wstring_view name) {
    std::wstring out(name);
    for (auto& c : out) c = static_cast<wchar_t>(Fold(static_cast<std::uint32_t>(c)));
    return out;
}

std::wstring ValueRef::Text() const {
    if (w_) return std::wstring(w_, n_);
    if (width_ == 2) return text::FromUtf16LE(std::string_view(b_, 2 * n_));
    unsigned char any = 0;
    for (size_t i = 0; i < n_; ++i) any |= static_cast<unsigned char>(b_[i]);
    if (any < 0x80) return WidenAscii(b_, n_);
    return enc_ == Encoding::Utf8Bom ? text::FromUtf8(std::string_view(b_, n_))
                                     : text::FromAnsi(std::string_view(b_, n_));
}

bool ValueRef::Equals(std::wstring_view text) const {
    if (w_) return std::wstring_view(w_, n_) == text;
    // While the units are ASCII each is one character; the first other unit
    // needs the decoded text.
    for (size_t i = 0; i < n_; ++i) {
        std::uint32_t u = (*this)[i];
        if (u >= 0x80) return Text() == text;
        if (i >= text.size() || static_cast<std::uint32_t>(text[i]) != u) return false;
    }
    return n_ == text.size();
}

Document::Document() { sections_.emplace_back(); }

// Finds the name and value of a line: both without the surrounding blanks.
void Document::Split(Line& line, const ValueRef& t) {
    size_t b = 0, e = t.size();
    while (b < e && IsBlankUnit(t[b])) ++b;
    while (e > b && IsBlankUnit(t[e - 1])) --e;
    size_t eq = std::wstring_view::npos;
    if (const char* p = t.Bytes()) {
        if (const char* f = FindByte(p + b, e - b, '=')) eq = static_cast<size_t>(f - p);
    } else {
        for (size_t i = b; i < e; ++i)
            if (t[i] == '=') {
                eq = i;
                break;
            }
    }
    line.nameBegin = static_cast<std::uint32_t>(b);
    if (eq == std::wstring_view::npos) {
        line.hasValue = false;
        line.nameEnd = static_cast<std::uint32_t>(e);
        return;
    }
    size_t ne = eq, vb = eq + 1;
    while (ne > b && IsBlankUnit(t[ne - 1])) --ne;
    while (vb < e && IsBlankUnit(t[vb])) ++vb;
    line.hasValue = true;
    line.nameEnd = static_cast<std::uint32_t>(ne);
    line.valueBegin = static_cast<std::uint32_t>(vb);
    line.valueEnd = static_cast<std::uint32_t>(e);
}

Document::Line Document::KeyLine(std::wstring_view name, std::wstring_view value) {
    Line line;
    line.owned = true;
    line.own.reserve(name.size() + 1 + value.size());
    line.own.append(name).append(1, L'=').append(value);
    Split(line, ValueRef(std::wstring_view(line.own)));
    return line;
}

ValueRef Document::SectionName(const Section& s) const {
    if (s.nameDecoded) return ValueRef(std::wstring_view(s.decodedName));
    return Text(s.header).Sub(s.nameBegin, s.nameEnd);
}

template <class Same>
size_t Document::Probe(const std::vector<Slot>& table, std::uint64_t hash, Same same) {
    const size_t mask = table.size() - 1;
    size_t i = hash & mask;
    while (table[i].hash && !(table[i].hash == hash && same(table[i]))) i = (i + 1) & mask;
    return i;
}

template <class Same>
const Document::Slot* Document::FindSlot(const std::vector<Slot>& table, std::uint64_t hash, Same same) {
    if (table.empty()) return nullptr;
    const Slot& s = table[Probe(table, hash, same)];
    return s.hash ? &s : nullptr;
}

void Document::IndexAdd(std::uint64_t hash, std::uint32_t section, std::uint32_t line) {
    std::vector<Slot>& t = line == UINT32_MAX ? names_ : keys_;
    size_t& count = line == UINT32_MAX ? nameCount_ : keyCount_;
    auto none = [](const Slot&) { return false; };  // a probe for the free slot
    if ((count + 1) * 2 > t.size()) {
        std::vector<Slot> old(std::max<size_t>(64, t.size() * 2));
        old.swap(t);
        for (const Slot& s : old)
            if (s.hash) t[Probe(t, s.hash, none)] = s;
    }
    t[Probe(t, hash, none)] = {hash, section, line};
    ++count;
}

// Only the first line of a name in a section is indexed: the first one counts.
// A line read from the file goes to lines_ (its section is the last one read).
void Document::AppendLine(std::uint32_t section, Line line, bool parsed) {
    Section& s = sections_[section];
    if (line.nameEnd > line.nameBegin) {
        const ValueRef name = Name(line);
        const std::uint64_t h = Mix(NameHash(name), section);
        const bool first = !FindSlot(keys_, h, [&](const Slot& k) {
            return k.section == section && NameMatches(Name(LineAt(s, k.line)), name.Text());
        });
        if (first) IndexAdd(h, section, static_cast<std::uint32_t>(s.size()));
    }
    if (parsed) {
        lines_.push_back(std::move(line));
        ++s.count;
    } else {
        s.added.push_back(std::move(line));
    }
}

// Only the first section of a name is indexed.
void Document::AppendSection(Section s) {
    const auto index = static_cast<std::uint32_t>(sections_.size());
    sections_.push_back(std::move(s));
    const Section& added = sections_.back();
    const ValueRef name = SectionName(added);
    const std::uint64_t h = Mix(NameHash(name), UINT32_MAX);
    const bool first = !FindSlot(
        names_, h, [&](const Slot& n) { return NameMatches(SectionName(sections_[n.section]), name.Text()); });
    if (first) IndexAdd(h, index, UINT32_MAX);
}

void Document::EndLastLine() {
    for (auto it = sections_.rbegin(); it != sections_.rend(); ++it) {
        if (it->size()) {
            Line& last = LineAt(*it, it->size() - 1);
            if (last.eol == Eol::None) last.eol = Eol::CrLf;
            return;
        }
        if (it->hasHeader) {
            if (it->header.eol == Eol::None) it->header.eol = Eol::CrLf;
            return;
        }
    }
}

template <int W>
void Document::Index() {
    const char* p = base_.data() + off_;
    const size_t n = (base_.size() - off_) / W;  // an odd last byte of UTF-16 is no unit
    auto at = [p](size_t i) -> std::uint32_t {
        if constexpr (W == 1)
            return static_cast<unsigned char>(p[i]);
        else
            return static_cast<unsigned char>(p[2 * i]) | (static_cast<unsigned char>(p[2 * i + 1]) << 8);
    };
    // The first unit `c` in [from, to), or npos.
    auto find = [&](size_t from, size_t to, char c) -> size_t {
        if constexpr (W == 1) {
            if (const char* f = FindByte(p + from, to - from, c)) return static_cast<size_t>(f - p);
        } else {
            for (size_t i = from; i < to; ++i)
                if (at(i) == static_cast<std::uint32_t>(c)) return i;
        }
        return std::wstring_view::npos;
    };
    // A line ends at LF, at CR LF or at a CR alone, as the platform reads it. The
    // next LF is searched once and kept: in a file of CR line ends it lies far
    // ahead (or nowhere), and each line then only looks for a CR before it.
    size_t pos = 0, nextLf = 0;
    bool lfSearched = false;
    while (pos < n) {
        const size_t start = pos;
        if (!lfSearched || (nextLf != std::wstring_view::npos && nextLf < pos)) {
            nextLf = find(pos, n, '\n');
            lfSearched = true;
        }
        const size_t limit = nextLf == std::wstring_view::npos ? n : nextLf;
        const size_t cr = find(pos, limit, '\r');
        Line line;
        size_t end = limit;
        if (cr != std::wstring_view::npos && cr + 1 == nextLf) {
            line.eol = Eol::CrLf;
            end = cr;
            pos = nextLf + 1;
        } else if (cr != std::wstring_view::npos) {
            line.eol = Eol::Cr;
            end = cr;
            pos = cr + 1;
        } else if (nextLf != std::wstring_view::npos) {
            line.eol = Eol::Lf;
            pos = nextLf + 1;
        } else {
            line.eol = Eol::None;
            pos = n;
        }
        line.begin = static_cast<std::uint32_t>(start);
        line.length = static_cast<std::uint32_t>(end - start);
        const ValueRef raw = Text(line);
        Split(line, raw);
        // The line without its blanks: a header when it starts with '[' and holds a ']'.
        const size_t b = line.nameBegin, e = line.hasValue ? line.valueEnd : line.nameEnd;
        if (b < e && raw[b] == '[') {
            bool ascii = true;
            size_t close = std::wstring_view::npos;
            for (size_t i = b; i < e; ++i) {
                const std::uint32_t c = raw[i];
                if (c >= 0x80) ascii = false;
                if (c == ']') close = i;
            }
            Section s;
            s.first = static_cast<std::uint32_t>(lines_.size());
            if (!ascii && baseEnc_ == Encoding::Ansi) {
                // In a multi-byte code page a ']' byte may be half of a character:
                // such a header is read from its decoded text.
                const std::wstring text = raw.Sub(b, e).Text();
                const size_t c = text.rfind(L']');
                if (c == std::wstring::npos) {
                    AppendLine(static_cast<std::uint32_t>(sections_.size() - 1), std::move(line), true);
                    continue;
                }
                s.decodedName = text.substr(1, c - 1);
                s.nameDecoded = true;
            } else if (close == std::wstring_view::npos) {
                AppendLine(static_cast<std::uint32_t>(sections_.size() - 1), std::move(line), true);
                continue;
            }
            s.hasHeader = true;
            s.nameBegin = static_cast<std::uint32_t>(b + 1);
            s.nameEnd = static_cast<std::uint32_t>(close == std::wstring_view::npos ? b + 1 : close);
            s.header = std::move(line);
            s.header.nameEnd = s.header.nameBegin;  // a header is no key line
            AppendSection(std::move(s));
            continue;
        }
        AppendLine(static_cast<std::uint32_t>(sections_.size() - 1), std::move(line), true);
    }
}

Document Document::Parse(std::string_view bytes) { return Parse(std::string(bytes)); }

Document Document::Parse(std::string&& bytes) {
    Document doc;
    doc.base_ = std::move(bytes);
    auto starts = [&doc](std::string_view bom) { return std::string_view(doc.base_).substr(0, bom.size()) == bom; };
    if (starts("\xEF\xBB\xBF")) {
        doc.encoding_ = doc.baseEnc_ = Encoding::Utf8Bom;
        doc.off_ = 3;
    } else if (starts("\xFF\xFE")) {
        doc.encoding_ = doc.baseEnc_ = Encoding::Utf16LE;
        doc.off_ = 2;
        doc.width_ = 2;
    } else if (starts("\xFE\xFF")) {
        // Kept as UTF-16LE units; turned back when written.
        doc.encoding_ = Encoding::Utf16BE;
        doc.baseEnc_ = Encoding::Utf16LE;
        doc.off_ = 2;
        doc.width_ = 2;
        for (size_t i = 2; i + 1 < doc.base_.size(); i += 2) std::swap(doc.base_[i], doc.base_[i + 1]);
    }
    doc.sections_.reserve(64);
    if (doc.width_ == 1)
        doc.Index<1>();
    else
        doc.Index<2>();
    return doc;
}

const Document::Section* Document::FindSection(std::wstring_view name) const {
    if (name.empty()) return &sections_[0];  // the unnamed section comes first in the file
    if (lastSection_ && name == lastName_) return &sections_[lastSection_];
    const Slot* found = FindSlot(names_, Mix(FoldHash(name), UINT32_MAX),
                                 [&](const Slot& n) { return NameMatches(SectionName(sections_[n.section]), name); });
    if (!found) return nullptr;
    lastName_.assign(name);
    lastSection_ = found->section;
    return &sections_[found->section];
}

std::int64_t Document::FindLine(std::uint32_t section, std::wstring_view key) const {
    const Section& s = sections_[section];
    const Slot* found = FindSlot(keys_, Mix(FoldHash(key), section), [&](const Slot& k) {
        return k.section == section && NameMatches(Name(LineAt(s, k.line)), key);
    });
    return found ? static_cast<std::int64_t>(found->line) : -1;
}

std::optional<ValueRef> Document::Find(std::wstring_view section, std::wstring_view key) const {
    const Section* s = FindSection(Trim(section));
    const std::int64_t i = s ? FindLine(static_cast<std::uint32_t>(s - sections_.data()), Trim(key)) : -1;
    if (i < 0) return std::nullopt;
    const Line* line = &LineAt(*s, static_cast<size_t>(i));
    if (!line->hasValue) return std::nullopt;
    return Text(*line).Sub(line->valueBegin, line->valueEnd);
}

std::vector<Document::Entry> Document::SectionEntries(std::wstring_view section) const {
    std::vector<Entry> entries;
    const Section* s = FindSection(Trim(section));
    if (!s) return entries;
    ForEachLine(*s, [&](const Line& line) {
        Entry entry{Name(line).Text(), std::nullopt};
        if (line.hasValue) entry.value = Text(line).Sub(line.valueBegin, line.valueEnd).Text();
        if (!entry.name.empty() || entry.value) entries.push_back(std::move(entry));
    });
    return entries;
}

bool Document::Set(std::wstring_view section, std::wstring_view key, std::wstring_view value, bool asciiValue) {
    section = Trim(section);
    key = Trim(key);
    value = Trim(value);  // blanks around a value are not part of it
    if (encoding_ == Encoding::Ansi) {
        // A character the code page cannot hold turns the file into UTF-16LE.
        std::string probe;
        auto fits = [&probe](std::wstring_view s) { return IsAscii(s) || text::ToAnsi(s, probe); };
        if (!(asciiValue || fits(value)) || !fits(key) || !fits(section)) encoding_ = Encoding::Utf16LE;
    }
    const Section* found = FindSection(section);
    if (!found) {
        EndLastLine();
        Section s;
        s.hasHeader = true;
        s.header.owned = true;
        s.header.own = L"[" + std::wstring(section) + L"]";
        s.nameBegin = 1;
        s.nameEnd = static_cast<std::uint32_t>(1 + section.size());
        AppendSection(std::move(s));
        AppendLine(static_cast<std::uint32_t>(sections_.size() - 1), KeyLine(key, value), false);
        return true;
    }
    const auto si = static_cast<std::uint32_t>(found - sections_.data());
    if (const std::int64_t i = FindLine(si, key); i >= 0) {
        Line& line = LineAt(sections_[si], static_cast<size_t>(i));
        if (line.hasValue && Text(line).Sub(line.valueBegin, line.valueEnd).Equals(value)) return false;
        // The line keeps the key's name as the file spells it.
        const std::wstring name = Name(line).Text();
        line = KeyLine(name, value);
        return true;
    }
    if (si == sections_.size() - 1) EndLastLine();
    AppendLine(si, KeyLine(key, value), false);
    return true;
}

// The file in the 8-bit code page or in UTF-8: lines the engine did not change
// are copied byte for byte. False when a line the engine wrote does not fit the
// code page.
bool Document::SerializeNarrow(std::string& out) const {
    const size_t bom = encoding_ == Encoding::Utf8Bom ? 3 : 0;
    size_t total = bom;
    for (const auto& s : sections_) {
        total += (s.header.owned ? s.header.own.size() : s.header.length) + 2;
        ForEachLine(s, [&total](const Line& l) { total += (l.owned ? l.own.size() : l.length) + 2; });
    }
    out.assign(total, '\0');
    if (bom) out.replace(0, 3, "\xEF\xBB\xBF");
    size_t at = bom;
    std::string converted;
    auto put = [&](const Line& l) {
        if (!l.owned) {
            std::memcpy(out.data() + at, base_.data() + off_ + l.begin, l.length);
            at += l.length;
        } else {
            // One pass for the common ASCII line; any other is converted again.
            char* d = out.data() + at;
            std::uint32_t any = 0;
            for (wchar_t c : l.own) {
                any |= static_cast<std::uint32_t>(c);
                *d++ = static_cast<char>(c);
            }
            if (any < 0x80) {
                at += l.own.size();
            } else {
                if (encoding_ == Encoding::Utf8Bom)
                    converted = text::ToUtf8(l.own);
                else if (!text::ToAnsi(l.own, converted))
                    return false;
                if (converted.size() > l.own.size()) out.resize(out.size() + converted.size() - l.own.size());
                std::memcpy(out.data() + at, converted.data(), converted.size());
                at += converted.size();
            }
        }
        if (l.eol != Eol::None && l.eol != Eol::Lf) out[at++] = '\r';  // a CR alone becomes CR LF
        if (l.eol != Eol::None) out[at++] = '\n';
        return true;
    };
    for (const auto& s : sections_) {
        if (s.hasHeader && !put(s.header)) return false;
        bool ok = true;
        ForEachLine(s, [&](const Line& l) { ok = ok && put(l); });
        if (!ok) return false;
    }
    out.resize(at);
    return true;
}

// The file's text as UTF-16LE units, without byte-order mark.
std::string Document::SerializeUtf16() const {
    std::string out;
    size_t total = 0;
    for (const auto& s : sections_) {
        total += (s.header.owned ? s.header.own.size() : s.header.length) + 2;
        ForEachLine(s, [&total](const Line& l) { total += (l.owned ? l.own.size() : l.length) + 2; });
    }
    out.reserve(2 * total);
    auto put = [&](const Line& l) {
        if (l.owned)
            out += text::ToUtf16LE(l.own);
        else if (width_ == 2)
            out.append(base_, off_ + 2 * static_cast<size_t>(l.begin), 2 * static_cast<size_t>(l.length));
        else
            out += text::ToUtf16LE(Text(l).Text());
        if (l.eol == Eol::CrLf || l.eol == Eol::Cr)
            out.append("\r\0\n\0", 4);
        else if (l.eol == Eol::Lf)
            out.append("\n\0", 2);
    };
    for (const auto& s : sections_) {
        if (s.hasHeader) put(s.header);
        ForEachLine(s, put);
    }
    return out;
}

std::string Document::Serialize() const {
    if (encoding_ == Encoding::Ansi || encoding_ == Encoding::Utf8Bom) {
        std::string out;
        if (SerializeNarrow(out)) return out;
        return "\xFF\xFE" + SerializeUtf16();
    }
    std::string body = SerializeUtf16();
    if (encoding_ == Encoding::Utf16BE) {
        for (size_t i = 0; i + 1 < body.size(); i += 2) std::swap(body[i], body[i + 1]);
        return "\xFE\xFF" + body;
    }
    return "\xFF\xFE" + body;
}

}  // namespace zavo::ini
