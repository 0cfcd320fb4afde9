// One settings file in memory: its bytes exactly as read, with an index of the
// sections and keys, so that values can be looked up and replaced without
// disturbing anything else in the file. The text is not widened as a whole: a
// value is decoded when it is read.
//
// Text rules (those of the platform's private-profile functions):
// - lines end with LF, CR LF or a CR alone; a line "[name]" (the last ']'
//   closes it) starts a section; a line with '=' holds a key and its value, both
//   without the surrounding blanks; any other line is a key without a value;
// - names match without regard to letter case; the first section of a name and
//   the first key of a name within it are the ones used;
// - lines before the first section header belong to the unnamed section "".
// Lines the engine does not change (comments, blank lines, odd spacing, lines
// that end with LF only) are written back exactly as they were, but for a CR alone
// at a line's end, which becomes CR LF. A line the engine writes is "name=value"
// with CR LF.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zavo::ini {

enum class Encoding { Ansi, Utf8Bom, Utf16LE, Utf16BE };

// Blanks around names and values: ASCII white space and Ctrl-Z (an old end-of-
// file mark that the platform also treats as a blank).
bool IsBlank(wchar_t c);
// Letter case folded for name matching.
std::wstring FoldName(std::wstring_view name);
std::wstring_view Trim(std::wstring_view s);

// A value as the file holds it, without widening the file: either wide text (a
// line the engine wrote) or a run of the file's own code units (bytes of the
// 8-bit code page or of UTF-8, or UTF-16LE units), decoded only when asked.
class ValueRef {
public:
    ValueRef() = default;
    ValueRef(std::wstring_view wide) : w_(wide.data()), n_(wide.size()) {}
    ValueRef(const char* units, size_t n, int width, Encoding enc) : b_(units), n_(n), width_(width), enc_(enc) {}

    size_t size() const { return n_; }  // in code units
    bool empty() const { return n_ == 0; }
    std::uint32_t operator[](size_t i) const {
        if (w_) return static_cast<std::uint32_t>(w_[i]);
        if (width_ == 1) return static_cast<unsigned char>(b_[i]);
        return static_cast<unsigned char>(b_[2 * i]) | (static_cast<unsigned char>(b_[2 * i + 1]) << 8);
    }
    ValueRef Sub(size_t b, size_t e) const {
        ValueRef r = *this;
        if (w_)
            r.w_ += b;
        else
            r.b_ += b * static_cast<size_t>(width_);
        r.n_ = e - b;
        return r;
    }
    // The units as bytes when each is one byte of the file (else null).
    const char* Bytes() const { return !w_ && width_ == 1 ? b_ : nullptr; }
    // The units as UTF-16LE bytes when they are the file's (else null).
    const char* Utf16Bytes() const { return !w_ && width_ == 2 ? b_ : nullptr; }
    const wchar_t* Wide() const { return w_; }
    // The text of the units, decoded from the file's encoding.
    std::wstring Text() const;
    bool Equals(std::wstring_view text) const;

private:
    const wchar_t* w_ = nullptr;
    const char* b_ = nullptr;
    size_t n_ = 0;
    int width_ = 1;
    Encoding enc_ = Encoding::Ansi;
};

class Document {
public:
    // A file that does not exist yet: empty, 8-bit code page.
    Document();
    // Indexes the lines of the file's bytes (byte-order mark: UTF-8, UTF-16LE or
    // UTF-16BE; otherwise the 8-bit code page) without decoding them: values are
    // decoded when read. Any bytes are accepted.
    static Document Parse(std::string_view bytes);
    static Document Parse(std::string&& bytes);

    // The bytes the document was parsed from, while the file text is kept as read
    // (not for UTF-16BE, whose units are turned around); a change does not alter it.
    std::optional<std::string_view> Source() const {
        if (encoding_ == Encoding::Utf16BE) return std::nullopt;
        return std::string_view(base_);
    }

    // The value of the key (trimmed, quotes kept), or nothing when the section or
    // key is missing or the key line has no '='. The value lives until the next Set.
    std::optional<ValueRef> Find(std::wstring_view section, std::wstring_view key) const;
    // One line of a section as the engine reads it: the key's name and, for a
    // line with '=', its value.
    struct Entry {
        std::wstring name;
        std::optional<std::wstring> value;
    };
    // The lines of the first section of that name in file order, blank lines
    // left out (a ';' comment reads as a key without a value, as it does for the
    // platform's functions). Empty when there is no such section.
    std::vector<Entry> SectionEntries(std::wstring_view section) const;

    // Replaces the value in place or appends the key at the end of its section (a
    // new section at the end of the file). Names are trimmed; the caller checks
    // them. Returns false when the stored value was already exactly `value`.
    // `asciiValue` tells that the value is known to be ASCII (no check needed).
    bool Set(std::wstring_view section, std::wstring_view key, std::wstring_view value, bool asciiValue = false);

    // The file's bytes in its encoding. A file in the 8-bit code page whose text
    // holds a character the code page cannot represent is written as UTF-16LE with
    // a byte-order mark instead, so no character is lost. Lines the engine did not
    // change are copied as the file held them.
    std::string Serialize() const;
    Encoding encoding() const { return encoding_; }
    // About how much memory the document holds: its bytes and its index.
    size_t MemoryBytes() const {
        return base_.capacity() + lines_.capacity() * sizeof(Line) + sections_.capacity() * sizeof(Section) +
               (keys_.capacity() + names_.capacity()) * sizeof(Slot);
    }
    // Empties the document and hands over the buffer of its bytes, for reuse.
    std::string TakeBytes() {
        std::string b;
        b.swap(base_);
        *this = Document();
        return b;
    }

private:
    // Cr: a CR alone ended the line; it is written as CR LF, so that the file reads
    // the same to readers that end lines only at LF.
    enum class Eol : std::uint8_t { None, Lf, CrLf, Cr };
    // A line's text lives in the file's units (`base_`) until the engine replaces
    // it; then the line owns its new (wide) text.
    struct Line {
        std::uint32_t begin = 0, length = 0;  // in units of base_, while not owned
        std::wstring own;
        bool owned = false;
        bool hasValue = false;
        Eol eol = Eol::CrLf;
        std::uint32_t nameBegin = 0, nameEnd = 0, valueBegin = 0, valueEnd = 0;  // within the text
    };
    struct Section {
        bool hasHeader = false;
        Line header;
        std::uint32_t nameBegin = 0, nameEnd = 0;  // within the header's text, between the brackets
        std::wstring decodedName;                  // the name, for a header with other than ASCII
        bool nameDecoded = false;
        // Its lines as read lie in lines_ [first, first + count); lines the engine
        // adds follow in `added`.
        std::uint32_t first = 0, count = 0;
        std::vector<Line> added;
        size_t size() const { return count + added.size(); }
    };
    // Open addressing: name hash -> (section, line), several entries per hash.
    struct Slot {
        std::uint64_t hash = 0;  // 0: empty
        std::uint32_t section = 0, line = 0;
    };

    ValueRef Text(const Line& l) const {
        return l.owned
                   ? ValueRef(std::wstring_view(l.own))
                   : ValueRef(base_.data() + off_ + static_cast<size_t>(l.begin) * width_, l.length, width_, baseEnc_);
    }
    ValueRef Name(const Line& l) const { return Text(l).Sub(l.nameBegin, l.nameEnd); }
    ValueRef SectionName(const Section& s) const;
    const Line& LineAt(const Section& s, size_t i) const {
        return i < s.count ? lines_[s.first + i] : s.added[i - s.count];
    }
    Line& LineAt(Section& s, size_t i) { return i < s.count ? lines_[s.first + i] : s.added[i - s.count]; }
    template <class F>
    void ForEachLine(const Section& s, F f) const {
        for (std::uint32_t i = 0; i < s.count; ++i) f(lines_[s.first + i]);
        for (const Line& l : s.added) f(l);
    }
    static void Split(Line& line, const ValueRef& text);
    static Line KeyLine(std::wstring_view name, std::wstring_view value);
    const Section* FindSection(std::wstring_view trimmedName) const;
    // The index of the key's line in its section, or -1.
    std::int64_t FindLine(std::uint32_t section, std::wstring_view trimmedKey) const;
    void AppendLine(std::uint32_t section, Line line, bool parsed);
    void AppendSection(Section s);
    void EndLastLine();
    // The one probe of both indexes (open addressing, linear steps): the index of
    // the first slot of `hash` that `same` accepts, else of the free slot where the
    // probe ends, which is where `hash` goes. `table` is not empty.
    template <class Same>
    static size_t Probe(const std::vector<Slot>& table, std::uint64_t hash, Same same);
    // The slot of `hash` that `same` accepts, or null.
    template <class Same>
    static const Slot* FindSlot(const std::vector<Slot>& table, std::uint64_t hash, Same same);
    void IndexAdd(std::uint64_t hash, std::uint32_t section, std::uint32_t line);
    template <int W>
    void Index();
    bool SerializeNarrow(std::string& out) const;
    std::string SerializeUtf16() const;

    Encoding encoding_ = Encoding::Ansi;  // of the file when written
    Encoding baseEnc_ = Encoding::Ansi;   // of base_: Ansi, Utf8Bom or Utf16LE
    int width_ = 1;                       // bytes per unit of base_
    std::string base_;                    // the file as read; its text starts after the byte-order mark
    size_t off_ = 0;                      // length of the byte-order mark
    std::vector<Section> sections_;       // [0] is the unnamed section
    std::vector<Line> lines_;             // the lines as read, in file order, but for headers
    std::vector<Slot> keys_;              // (section, key) index; size a power of two
    std::vector<Slot> names_;             // section index
    size_t keyCount_ = 0, nameCount_ = 0;
    // The last section found: reads ask for one section several times in a row.
    mutable std::wstring lastName_;
    mutable size_t lastSection_ = 0;  // 0: none (the unnamed section needs no lookup)
};

}  // namespace zavo::ini
