// Text encodings of the files the tool reads and writes.
//
// In memory every text is a std::wstring. On Windows wchar_t is UTF-16; natively
// (Linux) it is UTF-32, so these functions convert surrogate pairs as needed.
#pragma once
#include <string>
#include <string_view>

namespace zavo::text {

// UTF-16 little-endian bytes (no BOM) to wide text and back. An odd trailing
// byte is ignored; an unpaired surrogate becomes U+FFFD natively.
std::wstring FromUtf16LE(std::string_view bytes);
std::string ToUtf16LE(std::wstring_view text);

// UTF-8, for the console and JSON output of the tools. Invalid bytes become U+FFFD.
std::wstring FromUtf8(std::string_view bytes);
std::string ToUtf8(std::wstring_view text);

// The system's 8-bit code page, as the platform's settings functions use it for
// files without a byte-order mark. Windows: CP_ACP. Natively: Windows-1252, the
// code page Wine and an English Windows use.
std::wstring FromAnsi(std::string_view bytes);
// Returns false (and leaves a best-effort `out`) when a character has no exact
// representation in the code page, so the caller can choose UTF-16 instead.
bool ToAnsi(std::wstring_view text, std::string& out);

}  // namespace zavo::text
