// One settings file in memory: its lines exactly as read, with an index of the
// sections and keys, so that values can be looked up and replaced without
// disturbing anything else in the file.
//
// Text rules (those of the platform's private-profile functions):
// - lines end with LF or CR LF; a line "[name]" (the last ']' closes it) starts a
//   section; a line with '=' holds a key and its value, both without the
//   surrounding blanks; any other line is a key without a value;
// - names match without regard to letter case; the first section of a name and
//   the first key of a name within it are the ones used;
// - lines before the first section header belong to the unnamed section "".
// Lines the engine does not change (comments, blank lines, odd spacing, lines
// that end with LF only) are written back exactly as they were. A line the engine
// writes is "name=value" with CR LF.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace zavo::ini {

enum class Encoding { Ansi, Utf8Bom, Utf16LE, Utf16BE };

// Blanks around names and values: ASCII white space and Ctrl-Z (an old end-of-
// file mark that the platform also treats as a blank).
bool IsBlank(wchar_t c);
// Letter case folded for name matching.
std::wstring FoldName(std::wstring_view name);
std::wstring_view Trim(std::wstring_view s);

class Document {
public:
    // A file that does not exist yet: empty, 8-bit code page.
    Document();
    // Decodes the bytes (byte-order mark: UTF-8, UTF-16LE or UTF-16BE; otherwise
    // the 8-bit code page) and indexes the lines. Any bytes are accepted.
    static Document Parse(std::string_view bytes);

    // The value of the key (trimmed, quotes kept), or nothing when the section or
    // key is missing or the key line has no '='. The view lives until the next Set.
    std::optional<std::wstring_view> Find(std::wstring_view section, std::wstring_view key) const;
    // Replaces the value in place or appends the key at the end of its section (a
    // new section at the end of the file). Names are trimmed; the caller checks
    // them. Returns false when the stored value was already exactly `value`.
    // `asciiValue` tells that the value is known to be ASCII (no check needed).
    bool Set(std::wstring_view section, std::wstring_view key, std::wstring_view value, bool asciiValue = false);

    // The file's bytes in its encoding. A file in the 8-bit code page whose text
    // holds a character the code page cannot represent is written as UTF-16LE with
    // a byte-order mark instead, so no character is lost.
    std::string Serialize() const;
    Encoding encoding() const { return encoding_; }

private:
    enum class Eol : std::uint8_t { None, Lf, CrLf };
    // A line's text lives in the decoded file (`base_`) until the engine replaces
    // it; then the line owns its new text.
    struct Line {
        std::uint32_t begin = 0, length = 0;  // in base_, while not owned
        std::wstring own;
        bool owned = false;
        bool hasValue = false;
        Eol eol = Eol::CrLf;
        std::uint32_t nameBegin = 0, nameEnd = 0, valueBegin = 0, valueEnd = 0;  // within the text
    };
    struct Section {
        bool hasHeader = false;
        Line header;
        std::wstring name;  // as between the brackets
        std::vector<Line> lines;
        std::unordered_map<std::uint64_t, std::uint32_t> keys;  // hash of the folded name -> first line
    };

    std::wstring_view Text(const Line& l) const {
        return l.owned ? std::wstring_view(l.own) : std::wstring_view(base_).substr(l.begin, l.length);
    }
    std::wstring_view Name(const Line& l) const { return Text(l).substr(l.nameBegin, l.nameEnd - l.nameBegin); }
    static void Split(Line& line, std::wstring_view text);
    static Line KeyLine(std::wstring_view name, std::wstring_view value);
    const Section* FindSection(std::wstring_view trimmedName) const;
    const Line* FindLine(const Section& s, std::wstring_view trimmedKey) const;
    void AppendLine(Section& s, Line line);
    void AppendSection(std::wstring name, Line header);
    void EndLastLine();
    std::string NarrowAscii(size_t capacity) const;

    Encoding encoding_ = Encoding::Ansi;
    std::wstring base_;                                      // the decoded file as read
    std::vector<Section> sections_;                          // [0] is the unnamed section
    std::unordered_map<std::uint64_t, std::uint32_t> index_;  // hash of the folded name -> first section
};

}  // namespace zavo::ini
