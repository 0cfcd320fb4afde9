// The settings primitives: one value under one key of one section of one named
// file, in the text format of the platform's private-profile functions.
//
// The engine keeps each file parsed between calls (validated by size and
// modification time), so a thousand writes to one file cost one parse, and every
// write leaves the file complete on disk when it returns. IniBatch groups the
// writes of a save so that each file is written once, atomically.
#pragma once
#include <cstdint>
#include <string>

#include "platform/FileSystem.h"

namespace zavo {

// Reads are capped at this many characters, as the platform's buffer of 2048 does.
constexpr size_t INI_MAX_VALUE = 2047;

std::wstring IniReadString(const std::wstring& file, const std::wstring& section, const std::wstring& key,
                           const std::wstring& defaultValue);
std::int32_t IniReadInt(const std::wstring& file, const std::wstring& section, const std::wstring& key,
                        std::int32_t defaultValue);
// True when the value is exactly 2n+2 hex digits with a matching checksum; the
// target is changed only then.
bool IniReadStruct(const std::wstring& file, const std::wstring& section, const std::wstring& key, void* target,
                   size_t size);

// Each write returns the outcome; a failure carries the system's reason.
fs::Status IniWriteString(const std::wstring& file, const std::wstring& section, const std::wstring& key,
                          const std::wstring& value);
fs::Status IniWriteInt(const std::wstring& file, const std::wstring& section, const std::wstring& key,
                       std::int32_t value);
fs::Status IniWriteStruct(const std::wstring& file, const std::wstring& section, const std::wstring& key,
                          const void* source, size_t size);

}  // namespace zavo
