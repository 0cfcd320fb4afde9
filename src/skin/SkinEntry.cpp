#include "skin/SkinEntry.h"

#include <cstdint>
#include <limits>

namespace zavo {
namespace {

constexpr std::int64_t kMin32 = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kMax32 = std::numeric_limits<std::int32_t>::max();

std::int32_t Clamp32(std::int64_t v) {
    if (v < kMin32) return static_cast<std::int32_t>(kMin32);
    if (v > kMax32) return static_cast<std::int32_t>(kMax32);
    return static_cast<std::int32_t>(v);
}

bool IsScanSpace(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\n' || c == L'\v' || c == L'\f' || c == L'\r'; }

// Reads one "%d" at `pos`: white space, an optional sign, then at least one
// decimal digit. On success `pos` moves past the number; on failure it is left
// where it was. Values beyond 32 bits are held at the nearest 32-bit value.
bool ScanInt(const std::wstring& s, size_t& pos, std::int32_t& out) {
    size_t i = pos;
    while (i < s.size() && IsScanSpace(s[i])) ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == L'+' || s[i] == L'-')) negative = s[i++] == L'-';
    if (i >= s.size() || s[i] < L'0' || s[i] > L'9') return false;
    std::int64_t magnitude = 0;
    for (; i < s.size() && s[i] >= L'0' && s[i] <= L'9'; ++i) {
        if (magnitude <= kMax32 + 1) magnitude = magnitude * 10 + (s[i] - L'0');
    }
    out = Clamp32(negative ? -magnitude : magnitude);
    pos = i;
    return true;
}

// "%d,%d,%d,%d": up to four numbers, each but the first after a comma that
// directly follows the previous number. Returns how many were read.
int ScanFourInts(const std::wstring& s, std::int32_t (&v)[4]) {
    size_t pos = 0;
    for (int n = 0; n < 4; ++n) {
        if (n > 0) {
            if (pos >= s.size() || s[pos] != L',') return n;
            ++pos;
        }
        if (!ScanInt(s, pos, v[n])) return n;
    }
    return 4;
}

// Keeps at most `limit` characters, without leaving half of a surrogate pair.
std::wstring Limit(std::wstring s, size_t limit) {
    if (s.size() <= limit) return s;
    s.resize(limit);
    if (!s.empty() && s.back() >= 0xD800 && s.back() <= 0xDBFF) s.pop_back();
    return s;
}

std::wstring TextField(const std::wstring& rest) {
    size_t lastComma = rest.rfind(L',');
    if (lastComma == std::wstring::npos) return {};
    std::wstring cut = rest.substr(0, lastComma);
    size_t prevComma = cut.rfind(L',');
    return prevComma == std::wstring::npos ? cut : cut.substr(prevComma + 1);
}

}  // namespace

ButtonEntry ParseButtonEntry(const std::wstring& value) {
    ButtonEntry entry;
    size_t firstComma = value.find(L',');
    std::wstring rest = value;
    if (firstComma != std::wstring::npos) {
        entry.name = Limit(value.substr(0, firstComma), BUTTON_NAME_MAX);
        rest = value.substr(firstComma + 1);
    }

    std::int32_t v[4] = {0, 0, 0, 0};
    ScanFourInts(rest, v);
    entry.rect.left = v[0];
    entry.rect.top = v[1];
    entry.rect.right = Clamp32(std::int64_t{v[0]} + v[2]);
    entry.rect.bottom = Clamp32(std::int64_t{v[1]} + v[3]);

    entry.latched = rest.find(L"TRUE") != std::wstring::npos;
    entry.text = Limit(TextField(rest), BUTTON_TEXT_MAX);
    return entry;
}

}  // namespace zavo
