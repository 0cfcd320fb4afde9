// Fills the numbered places of a language text: "%1" takes the first value,
// "%2" the second, and so on (1 to 9). Each place is filled in one pass from
// left to right, so a value that itself holds "%2" stays as it is; a place
// without a value, and a lone "%", stay in the text.
#pragma once
#include <initializer_list>
#include <string>
#include <vector>

namespace zavo {

inline std::wstring FillIn(const std::wstring& text, const std::wstring* values, size_t count) {
    std::wstring out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const wchar_t next = i + 1 < text.size() ? text[i + 1] : L'\0';
        if (text[i] == L'%' && next >= L'1' && next <= L'9' && static_cast<size_t>(next - L'1') < count) {
            out += values[next - L'1'];
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

inline std::wstring FillIn(const std::wstring& text, std::initializer_list<std::wstring> values) {
    return FillIn(text, values.begin(), values.size());
}

inline std::wstring FillIn(const std::wstring& text, const std::vector<std::wstring>& values) {
    return FillIn(text, values.data(), values.size());
}

}  // namespace zavo
