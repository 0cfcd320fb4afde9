#include "platform/TextCodec.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace zavo::text {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

void AppendCodePoint(std::wstring& out, char32_t cp) {
    if constexpr (sizeof(wchar_t) == 2) {
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out.push_back(static_cast<wchar_t>(0xD800 + (cp >> 10)));
            out.push_back(static_cast<wchar_t>(0xDC00 + (cp & 0x3FF)));
            return;
        }
    }
    out.push_back(static_cast<wchar_t>(cp));
}

// Reads one code point from wide text at `i`, advancing `i`.
char32_t NextCodePoint(std::wstring_view text, size_t& i) {
    char32_t c = static_cast<char32_t>(text[i++]);
    if constexpr (sizeof(wchar_t) == 2) {
        if (c >= 0xD800 && c < 0xDC00 && i < text.size()) {
            char32_t lo = static_cast<char32_t>(text[i]);
            if (lo >= 0xDC00 && lo < 0xE000) {
                ++i;
                return 0x10000 + ((c - 0xD800) << 10) + (lo - 0xDC00);
            }
        }
    }
    return c;
}

#ifndef _WIN32
// Windows-1252 bytes 0x80..0x9F; 0 marks the five unassigned bytes.
constexpr char16_t kCp1252High[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                      0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                      0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
#endif

}  // namespace

std::wstring FromUtf16LE(std::string_view bytes) {
    std::wstring out;
    out.reserve(bytes.size() / 2);
    const size_t n = bytes.size() / 2;
    for (size_t i = 0; i < n; ++i) {
        char32_t u = static_cast<unsigned char>(bytes[2 * i]) | (static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
        if constexpr (sizeof(wchar_t) == 2) {
            out.push_back(static_cast<wchar_t>(u));
        } else {
            if (u >= 0xD800 && u < 0xDC00 && i + 1 < n) {
                char32_t lo =
                    static_cast<unsigned char>(bytes[2 * i + 2]) | (static_cast<unsigned char>(bytes[2 * i + 3]) << 8);
                if (lo >= 0xDC00 && lo < 0xE000) {
                    out.push_back(static_cast<wchar_t>(0x10000 + ((u - 0xD800) << 10) + (lo - 0xDC00)));
                    ++i;
                    continue;
                }
            }
            if (u >= 0xD800 && u < 0xE000) u = kReplacement;
            out.push_back(static_cast<wchar_t>(u));
        }
    }
    return out;
}

std::string ToUtf16LE(std::wstring_view text) {
    std::string out;
    out.reserve(text.size() * 2);
    auto put = [&out](char32_t u) {
        out.push_back(static_cast<char>(u & 0xFF));
        out.push_back(static_cast<char>((u >> 8) & 0xFF));
    };
    for (size_t i = 0; i < text.size();) {
        if constexpr (sizeof(wchar_t) == 2) {
            put(static_cast<char32_t>(text[i++]));
        } else {
            char32_t cp = static_cast<char32_t>(text[i++]);
            if (cp >= 0x10000 && cp <= 0x10FFFF) {
                cp -= 0x10000;
                put(0xD800 + (cp >> 10));
                put(0xDC00 + (cp & 0x3FF));
            } else {
                put(cp > 0x10FFFF ? kReplacement : cp);
            }
        }
    }
    return out;
}

std::wstring FromUtf8(std::string_view bytes) {
    std::wstring out;
    out.reserve(bytes.size());
    const size_t n = bytes.size();
    size_t i = 0;
    while (i < n) {
        unsigned char c = static_cast<unsigned char>(bytes[i]);
        if (c < 0x80) {
            out.push_back(static_cast<wchar_t>(c));
            ++i;
            continue;
        }
        int extra = (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : -1;
        bool ok = extra > 0 && i + extra < n;
        char32_t cp = ok ? (c & (0x3F >> extra)) : 0;
        for (int k = 1; ok && k <= extra; ++k) {
            unsigned char cc = static_cast<unsigned char>(bytes[i + k]);
            ok = (cc & 0xC0) == 0x80;
            cp = (cp << 6) | (cc & 0x3F);
        }
        if (!ok || cp > 0x10FFFF || (cp >= 0xD800 && cp < 0xE000)) {
            AppendCodePoint(out, kReplacement);
            ++i;
            continue;
        }
        AppendCodePoint(out, cp);
        i += static_cast<size_t>(extra) + 1;
    }
    return out;
}

std::string ToUtf8(std::wstring_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        char32_t cp = NextCodePoint(text, i);
        if (cp >= 0xD800 && cp < 0xE000) cp = kReplacement;
        if (cp < 0x80) {
            out.push_back(static_cast<char>(cp));
        } else if (cp < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else if (cp < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        }
    }
    return out;
}

#ifdef _WIN32

std::wstring FromAnsi(std::string_view bytes) {
    if (bytes.empty()) return {};
    int n = MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), out.data(), n);
    return out;
}

bool ToAnsi(std::wstring_view text, std::string& out) {
    out.clear();
    if (text.empty()) return true;
    BOOL usedDefault = FALSE;
    const int len = static_cast<int>(text.size());
    int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), len, nullptr, 0, nullptr, &usedDefault);
    out.assign(static_cast<size_t>(n), '\0');
    usedDefault = FALSE;
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), len, out.data(), n, nullptr, &usedDefault);
    // A lossless conversion must also come back unchanged (catches code pages
    // that map several characters to one byte without reporting a default).
    return !usedDefault && FromAnsi(out) == text;
}

#else

std::wstring FromAnsi(std::string_view bytes) {
    std::wstring out;
    out.reserve(bytes.size());
    for (unsigned char c : bytes) {
        if (c >= 0x80 && c < 0xA0) {
            char16_t u = kCp1252High[c - 0x80];
            out.push_back(static_cast<wchar_t>(u ? u : c));  // unassigned bytes map to C1 controls, as Windows does
        } else {
            out.push_back(static_cast<wchar_t>(c));
        }
    }
    return out;
}

bool ToAnsi(std::wstring_view text, std::string& out) {
    out.clear();
    out.reserve(text.size());
    bool exact = true;
    for (size_t i = 0; i < text.size();) {
        char32_t cp = NextCodePoint(text, i);
        if (cp < 0x80 || (cp >= 0xA0 && cp < 0x100)) {
            out.push_back(static_cast<char>(cp));
            continue;
        }
        int found = -1;
        for (int k = 0; k < 32; ++k) {
            char16_t u = kCp1252High[k];
            if ((u && u == cp) || (!u && cp == static_cast<char32_t>(0x80 + k))) {
                found = k;
                break;
            }
        }
        if (found >= 0) {
            out.push_back(static_cast<char>(0x80 + found));
        } else {
            out.push_back('?');
            exact = false;
        }
    }
    return exact;
}

#endif

}  // namespace zavo::text
