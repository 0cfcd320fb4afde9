// The six primitives behind an interface, so that the read and write sequences of
// the settings files (ConfigSequence.h) can run through the engine or, for
// comparison and measurement, through another implementation of the same calls.
#pragma once
#include <cstdint>
#include <string>

#include "platform/FileSystem.h"

namespace zavo {

class IniAccess {
public:
    virtual ~IniAccess() = default;
    virtual std::wstring ReadString(const std::wstring& file, const std::wstring& section, const std::wstring& key,
                                    const std::wstring& defaultValue) = 0;
    virtual std::int32_t ReadInt(const std::wstring& file, const std::wstring& section, const std::wstring& key,
                                 std::int32_t defaultValue) = 0;
    virtual bool ReadStruct(const std::wstring& file, const std::wstring& section, const std::wstring& key,
                            void* target, size_t size) = 0;
    virtual fs::Status WriteString(const std::wstring& file, const std::wstring& section, const std::wstring& key,
                                   const std::wstring& value) = 0;
    // Integers are written as "%d" text.
    fs::Status WriteInt(const std::wstring& file, const std::wstring& section, const std::wstring& key,
                        std::int32_t value) {
        return WriteString(file, section, key, std::to_wstring(value));
    }
    virtual fs::Status WriteStruct(const std::wstring& file, const std::wstring& section, const std::wstring& key,
                                   const void* source, size_t size) = 0;
};

// The engine of Ini.h.
IniAccess& EngineIni();

}  // namespace zavo
