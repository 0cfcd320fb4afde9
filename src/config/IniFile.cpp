#include "config/IniFile.h"

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

bool IsAscii(std::wstring_view s) {
    wchar_t any = 0;
    for (wchar_t c : s) any |= c;
    return static_cast<std::uint32_t>(any) < 0x80;
}

// The 8-bit code page agrees with ASCII below 0x80; only other bytes need the
// code page's table.
std::wstring FromAnsiFast(std::string_view bytes) {
    unsigned char any = 0;
    for (char c : bytes) any |= static_cast<unsigned char>(c);
    if (any >= 0x80) return text::FromAnsi(bytes);
    std::wstring out(bytes.size(), L'\0');
    for (size_t i = 0; i < bytes.size(); ++i) out[i] = static_cast<wchar_t>(static_cast<unsigned char>(bytes[i]));
    return out;
}

std::wstring Decode(std::string_view bytes, Encoding& enc) {
    auto starts = [&](std::string_view bom) { return bytes.substr(0, bom.size()) == bom; };
    if (starts("\xEF\xBB\xBF")) {
        enc = Encoding::Utf8Bom;
        return text::FromUtf8(bytes.substr(3));
    }
    if (starts("\xFF\xFE")) {
        enc = Encoding::Utf16LE;
        return text::FromUtf16LE(bytes.substr(2));
    }
    if (starts("\xFE\xFF")) {
        enc = Encoding::Utf16BE;
        std::string swapped(bytes.substr(2));
        for (size_t i = 0; i + 1 < swapped.size(); i += 2) std::swap(swapped[i], swapped[i + 1]);
        return text::FromUtf16LE(swapped);
    }
    enc = Encoding::Ansi;
    return FromAnsiFast(bytes);
}

std::string Utf16WithBom(std::wstring_view text, bool bigEndian) {
    std::string out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    std::string body = text::ToUtf16LE(text);
    if (bigEndian)
        for (size_t i = 0; i + 1 < body.size(); i += 2) std::swap(body[i], body[i + 1]);
    return out + body;
}

// The section name of a header line "[name]...", or false when the line is not one.
bool HeaderName(std::wstring_view trimmed, std::wstring& name) {
    if (trimmed.empty() || trimmed[0] != L'[') return false;
    size_t close = trimmed.rfind(L']');
    if (close == std::wstring_view::npos) return false;
    name.assign(trimmed.substr(1, close - 1));
    return true;
}

wchar_t Fold(wchar_t c) {
    return (c >= L'A' && c <= L'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7) ? static_cast<wchar_t>(c + 32) : c;
}

std::uint64_t FoldHash(std::wstring_view name) {
    std::uint64_t h = 1469598103934665603ULL;
    for (wchar_t c : name) h = (h ^ static_cast<std::uint64_t>(Fold(c))) * 1099511628211ULL;
    return h;
}

bool SameName(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (Fold(a[i]) != Fold(b[i])) return false;
    return true;
}

}  // namespace

std::wstring FoldName(std::wstring_view name) {
    std::wstring out(name);
    for (auto& c : out) c = Fold(c);
    return out;
}

Document::Document() { sections_.emplace_back(); }

// Finds the name and value of a line: both without the surrounding blanks.
void Document::Split(Line& line, std::wstring_view t) {
    size_t b = 0, e = t.size();
    while (b < e && IsBlank(t[b])) ++b;
    while (e > b && IsBlank(t[e - 1])) --e;
    size_t eq = t.substr(0, e).find(L'=', b);
    line.nameBegin = static_cast<std::uint32_t>(b);
    if (eq == std::wstring_view::npos) {
        line.hasValue = false;
        line.nameEnd = static_cast<std::uint32_t>(e);
        return;
    }
    size_t ne = eq, vb = eq + 1;
    while (ne > b && IsBlank(t[ne - 1])) --ne;
    while (vb < e && IsBlank(t[vb])) ++vb;
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
    Split(line, line.own);
    return line;
}

void Document::AppendLine(Section& s, Line line) {
    if (line.nameEnd > line.nameBegin)
        s.keys.emplace(FoldHash(Name(line)), static_cast<std::uint32_t>(s.lines.size()));
    s.lines.push_back(std::move(line));
}

void Document::AppendSection(std::wstring name, Line header) {
    index_.emplace(FoldHash(name), static_cast<std::uint32_t>(sections_.size()));
    Section s;
    s.hasHeader = true;
    s.header = std::move(header);
    s.header.nameEnd = s.header.nameBegin;  // a header is no key line
    s.name = std::move(name);
    sections_.push_back(std::move(s));
}

void Document::EndLastLine() {
    for (auto it = sections_.rbegin(); it != sections_.rend(); ++it) {
        if (!it->lines.empty()) {
            if (it->lines.back().eol == Eol::None) it->lines.back().eol = Eol::CrLf;
            return;
        }
        if (it->hasHeader) {
            if (it->header.eol == Eol::None) it->header.eol = Eol::CrLf;
            return;
        }
    }
}

Document Document::Parse(std::string_view bytes) {
    Document doc;
    doc.base_ = Decode(bytes, doc.encoding_);
    const std::wstring_view all(doc.base_);
    size_t at = 0;
    std::wstring name;
    while (at < all.size()) {
        size_t nl = all.find(L'\n', at);
        size_t end = nl == std::wstring_view::npos ? all.size() : nl;
        Line line;
        line.eol = nl == std::wstring_view::npos ? Eol::None : Eol::Lf;
        if (line.eol == Eol::Lf && end > at && all[end - 1] == L'\r') {
            line.eol = Eol::CrLf;
            --end;
        }
        line.begin = static_cast<std::uint32_t>(at);
        line.length = static_cast<std::uint32_t>(end - at);
        std::wstring_view raw = all.substr(at, end - at);
        at = nl == std::wstring_view::npos ? all.size() : nl + 1;
        Split(line, raw);
        if (HeaderName(Trim(raw), name)) doc.AppendSection(std::move(name), std::move(line));
        else doc.AppendLine(doc.sections_.back(), std::move(line));
    }
    return doc;
}

const Document::Section* Document::FindSection(std::wstring_view name) const {
    if (name.empty()) return &sections_[0];  // the unnamed section comes first in the file
    auto it = index_.find(FoldHash(name));
    if (it == index_.end()) return nullptr;
    if (SameName(sections_[it->second].name, name)) return &sections_[it->second];
    for (const auto& s : sections_)  // two names with one hash: the first by name
        if (s.hasHeader && SameName(s.name, name)) return &s;
    return nullptr;
}

const Document::Line* Document::FindLine(const Section& s, std::wstring_view key) const {
    auto it = s.keys.find(FoldHash(key));
    if (it == s.keys.end()) return nullptr;
    if (SameName(Name(s.lines[it->second]), key)) return &s.lines[it->second];
    for (const auto& l : s.lines)
        if (l.nameEnd > l.nameBegin && SameName(Name(l), key)) return &l;
    return nullptr;
}

std::optional<std::wstring_view> Document::Find(std::wstring_view section, std::wstring_view key) const {
    const Section* s = FindSection(Trim(section));
    const Line* line = s ? FindLine(*s, Trim(key)) : nullptr;
    if (!line || !line->hasValue) return std::nullopt;
    return Text(*line).substr(line->valueBegin, line->valueEnd - line->valueBegin);
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
    auto* s = const_cast<Section*>(FindSection(section));
    if (!s) {
        EndLastLine();
        Line header;
        header.owned = true;
        header.own = L"[" + std::wstring(section) + L"]";
        AppendSection(std::wstring(section), std::move(header));
        AppendLine(sections_.back(), KeyLine(key, value));
        return true;
    }
    if (auto* line = const_cast<Line*>(FindLine(*s, key))) {
        std::wstring_view text = Text(*line);
        if (line->hasValue && text.substr(line->valueBegin, line->valueEnd - line->valueBegin) == value) return false;
        // The line keeps the key's name as the file spells it.
        *line = KeyLine(std::wstring(Name(*line)), value);
        return true;
    }
    if (s == &sections_.back()) EndLastLine();
    AppendLine(*s, KeyLine(key, value));
    return true;
}

std::string Document::Serialize() const {
    size_t total = 0;
    for (const auto& s : sections_) {
        total += Text(s.header).size() + 2;
        for (const auto& l : s.lines) total += Text(l).size() + 2;
    }
    if (encoding_ == Encoding::Ansi) {
        std::string ansi = NarrowAscii(total);
        if (!ansi.empty() || total == 0) return ansi;
    }
    std::wstring all;
    all.reserve(total);
    auto put = [&](const Line& l) {
        all += Text(l);
        if (l.eol == Eol::CrLf) all += L"\r\n";
        else if (l.eol == Eol::Lf) all += L'\n';
    };
    for (const auto& s : sections_) {
        if (s.hasHeader) put(s.header);
        for (const auto& l : s.lines) put(l);
    }
    switch (encoding_) {
    case Encoding::Utf8Bom: return "\xEF\xBB\xBF" + text::ToUtf8(all);
    case Encoding::Utf16LE: return Utf16WithBom(all, false);
    case Encoding::Utf16BE: return Utf16WithBom(all, true);
    case Encoding::Ansi: break;
    }
    std::string ansi;
    if (text::ToAnsi(all, ansi)) return ansi;
    return Utf16WithBom(all, false);
}

// The common case of a file in the code page holding only ASCII: one pass, byte
// for character. Empty when some character is not ASCII.
std::string Document::NarrowAscii(size_t capacity) const {
    std::string out(capacity, '\0');
    char* p = out.data();
    std::uint32_t any = 0;
    auto put = [&](const Line& l) {
        for (wchar_t c : Text(l)) {
            any |= static_cast<std::uint32_t>(c);
            *p++ = static_cast<char>(c);
        }
        if (l.eol == Eol::CrLf) *p++ = '\r';
        if (l.eol != Eol::None) *p++ = '\n';
    };
    for (const auto& s : sections_) {
        if (s.hasHeader) put(s.header);
        for (const auto& l : s.lines) put(l);
    }
    if (any >= 0x80) return {};
    out.resize(static_cast<size_t>(p - out.data()));
    return out;
}

}  // namespace zavo::ini
