#include "config/IniFile.h"

#include "platform/TextCodec.h"

namespace zavo::ini {

bool IsBlank(wchar_t c) { return c == L' ' || (c >= L'\t' && c <= L'\r') || c == 0x1A; }

std::wstring FoldName(std::wstring_view name) {
    std::wstring out(name);
    for (auto& c : out) {
        // ASCII and Latin-1 letters; the names the files use are ASCII.
        if ((c >= L'A' && c <= L'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) c = static_cast<wchar_t>(c + 32);
    }
    return out;
}

std::wstring_view Trim(std::wstring_view s) {
    size_t b = 0, e = s.size();
    while (b < e && IsBlank(s[b])) ++b;
    while (e > b && IsBlank(s[e - 1])) --e;
    return s.substr(b, e - b);
}

namespace {

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
    return text::FromAnsi(bytes);
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
    if (close == std::wstring_view::npos || close == 0) return false;
    name.assign(trimmed.substr(1, close - 1));
    return true;
}

}  // namespace

Document::Document() { sections_.emplace_back(); }

Document::Line Document::MakeLine(std::wstring text, Eol eol) {
    Line line;
    line.text = std::move(text);
    line.eol = eol;
    std::wstring_view t(line.text);
    size_t b = 0, e = t.size();
    while (b < e && IsBlank(t[b])) ++b;
    while (e > b && IsBlank(t[e - 1])) --e;
    size_t eq = t.substr(0, e).find(L'=', b);
    if (eq == std::wstring_view::npos) {
        line.nameBegin = static_cast<std::uint32_t>(b);
        line.nameEnd = static_cast<std::uint32_t>(e);
        return line;
    }
    size_t ne = eq, vb = eq + 1;
    while (ne > b && IsBlank(t[ne - 1])) --ne;
    while (vb < e && IsBlank(t[vb])) ++vb;
    line.hasValue = true;
    line.nameBegin = static_cast<std::uint32_t>(b);
    line.nameEnd = static_cast<std::uint32_t>(ne);
    line.valueBegin = static_cast<std::uint32_t>(vb);
    line.valueEnd = static_cast<std::uint32_t>(e);
    return line;
}

Document::Line Document::MakeKeyLine(std::wstring_view name, std::wstring_view value) {
    std::wstring text;
    text.reserve(name.size() + 1 + value.size());
    text.append(name).append(1, L'=').append(value);
    return MakeLine(std::move(text), Eol::CrLf);
}

void Document::AppendLine(Section& s, Line line) {
    auto i = static_cast<std::uint32_t>(s.lines.size());
    if (line.nameEnd > line.nameBegin) {
        std::wstring_view name(line.text);
        s.keys.emplace(FoldName(name.substr(line.nameBegin, line.nameEnd - line.nameBegin)), i);
    }
    s.lines.push_back(std::move(line));
}

void Document::AppendSection(std::wstring name, Line header) {
    auto i = static_cast<std::uint32_t>(sections_.size());
    index_.emplace(FoldName(name), i);
    Section s;
    s.hasHeader = true;
    s.header = std::move(header);
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
    std::wstring all = Decode(bytes, doc.encoding_);
    std::wstring_view rest(all);
    while (!rest.empty()) {
        size_t nl = rest.find(L'\n');
        std::wstring_view raw = rest.substr(0, nl);
        Eol eol = Eol::None;
        if (nl != std::wstring_view::npos) {
            eol = Eol::Lf;
            if (!raw.empty() && raw.back() == L'\r') {
                raw.remove_suffix(1);
                eol = Eol::CrLf;
            }
            rest.remove_prefix(nl + 1);
        } else {
            rest = {};
        }
        std::wstring name;
        if (HeaderName(Trim(raw), name)) {
            doc.AppendSection(std::move(name), MakeLine(std::wstring(raw), eol));
            doc.sections_.back().header.nameEnd = 0;  // a header is no key line
        } else {
            doc.AppendLine(doc.sections_.back(), MakeLine(std::wstring(raw), eol));
        }
    }
    return doc;
}

std::optional<std::wstring_view> Document::Find(std::wstring_view section, std::wstring_view key) const {
    const Section* s = nullptr;
    std::wstring folded = FoldName(Trim(section));
    if (folded.empty()) {
        s = &sections_[0];  // the unnamed section comes first in the file
    } else {
        auto it = index_.find(folded);
        if (it == index_.end()) return std::nullopt;
        s = &sections_[it->second];
    }
    auto k = s->keys.find(FoldName(Trim(key)));
    if (k == s->keys.end()) return std::nullopt;
    const Line& line = s->lines[k->second];
    if (!line.hasValue) return std::nullopt;
    return std::wstring_view(line.text).substr(line.valueBegin, line.valueEnd - line.valueBegin);
}

bool Document::Set(std::wstring_view section, std::wstring_view key, std::wstring_view value) {
    section = Trim(section);
    key = Trim(key);
    value = Trim(value);  // blanks around a value are not part of it
    if (encoding_ == Encoding::Ansi) {
        // A character the code page cannot hold turns the file into UTF-16LE.
        std::string probe;
        if (!text::ToAnsi(value, probe) || !text::ToAnsi(key, probe) || !text::ToAnsi(section, probe))
            encoding_ = Encoding::Utf16LE;
    }
    std::wstring folded = FoldName(section);
    Section* s = nullptr;
    if (folded.empty()) {
        s = &sections_[0];
    } else if (auto it = index_.find(folded); it != index_.end()) {
        s = &sections_[it->second];
    }
    if (!s) {
        EndLastLine();
        std::wstring header = L"[" + std::wstring(section) + L"]";
        AppendSection(std::wstring(section), MakeLine(std::move(header), Eol::CrLf));
        sections_.back().header.nameEnd = 0;
        AppendLine(sections_.back(), MakeKeyLine(key, value));
        return true;
    }
    auto k = s->keys.find(FoldName(key));
    if (k != s->keys.end()) {
        Line& line = s->lines[k->second];
        std::wstring_view text(line.text);
        if (line.hasValue && text.substr(line.valueBegin, line.valueEnd - line.valueBegin) == value) return false;
        // The line keeps the key's name as the file spells it.
        std::wstring name(text.substr(line.nameBegin, line.nameEnd - line.nameBegin));
        line = MakeKeyLine(name, value);
        return true;
    }
    if (s == &sections_.back()) EndLastLine();
    AppendLine(*s, MakeKeyLine(key, value));
    return true;
}

std::string Document::Serialize() const {
    size_t total = 0;
    for (const auto& s : sections_) {
        total += s.header.text.size() + 2;
        for (const auto& l : s.lines) total += l.text.size() + 2;
    }
    std::wstring all;
    all.reserve(total);
    auto put = [&all](const Line& l) {
        all += l.text;
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

}  // namespace zavo::ini
