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
        return WriteString(file, section, key, std::to_wstring(value));
    }
    virtual fs::Status WriteStruct(const std::wstring& file, std::wstring_view section, std::wstring_view key,
                                   const void* source, size_t size) = 0;
};

// The engine of Ini.h.
IniAccess& EngineIni();

}  // namespace zavo
