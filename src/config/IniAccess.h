// The six primitives behind an interface (names as views, so that a sequence of
// calls builds no strings), so that the read and write sequences of
// the settings files (ConfigSequence.h) can run through the engine or, for
// comparison and measurement, through another implementation of the same calls.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/FileSystem.h"

namespace zavo {

// "%d" text of an integer, without the C library's formatted printing (slow
// under Wine, and a save formats thousands of integers).
inline std::wstring DecimalText(std::int32_t value) {
    wchar_t buf[12];
    wchar_t* end = buf + 12;
    wchar_t* p = end;
    std::uint32_t v = value < 0 ? 0u - static_cast<std::uint32_t>(value) : static_cast<std::uint32_t>(value);
    do {
        *--p = static_cast<wchar_t>(L'0' + v % 10);
        v /= 10;
    } while (v);
    if (value < 0) *--p = L'-';
    return std::wstring(p, end);
}

class IniAccess {
public:
    virtual ~IniAccess() = default;
    virtual std::wstring ReadString(const std::wstring& file, std::wstring_view section, std::wstring_view key,
                                    std::wstring_view defaultValue) = 0;
    virtual std::int32_t ReadInt(const std::wstring& file, std::wstring_view section, std::wstring_view key,
                                 std::int32_t defaultValue) = 0;
    virtual bool ReadStruct(const std::wstring& file, std::wstring_view section, std::wstring_view key,
                            void* target, size_t size) = 0;
    virtual fs::Status WriteString(const std::wstring& file, std::wstring_view section, std::wstring_view key,
                                   const std::wstring& value) = 0;
    // Integers are written as "%d" text.
    fs::Status WriteInt(const std::wstring& file, std::wstring_view section, std::wstring_view key,
                        std::int32_t value) {
        return WriteString(file, section, key, DecimalText(value));
    }
    virtual fs::Status WriteStruct(const std::wstring& file, std::wstring_view section, std::wstring_view key,
                                   const void* source, size_t size) = 0;
};

// The engine of Ini.h.
IniAccess& EngineIni();

}  // namespace zavo
