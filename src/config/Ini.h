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

// The stored value exactly as the file holds it (trimmed, quotes kept, not cut);
// false when the key is missing or its line has no '='. For checking tools.
bool IniReadRaw(const std::wstring& file, const std::wstring& section, const std::wstring& key,
                std::wstring& value);

// Each write returns the outcome; a failure carries the system's reason.
// A section or key name that is empty, holds a line break, or (for a key) an
// equals sign or a leading '[', and a value holding a line break or a NUL, would
// change the file's structure: such a write is refused and nothing changes.
fs::Status IniWriteString(const std::wstring& file, const std::wstring& section, const std::wstring& key,
                          const std::wstring& value);
fs::Status IniWriteInt(const std::wstring& file, const std::wstring& section, const std::wstring& key,
                       std::int32_t value);
fs::Status IniWriteStruct(const std::wstring& file, const std::wstring& section, const std::wstring& key,
                          const void* source, size_t size);

// The outcome of writing one or more files: on failure, the first file that could
// not be written and the system's reason.
struct IniFileStatus {
    bool ok = true;
    std::wstring file;
    std::wstring reason;
    explicit operator bool() const { return ok; }
    static IniFileStatus Fail(std::wstring file, std::wstring reason) {
        return {false, std::move(file), std::move(reason)};
    }
};

// While an IniBatch lives, writes change only the kept parse of their file and
// reads see those changes; Commit (or the destructor) then writes every changed
// file once, complete, in the order the files were first changed. Each file is
// also checked against the disk only once per batch, so a batch of reads is a
// consistent snapshot. Batches nest: only the outermost one writes.
// One batch covers the whole process; use it from one thread at a time.
class IniBatch {
public:
    IniBatch();
    ~IniBatch();
    IniBatch(const IniBatch&) = delete;
    IniBatch& operator=(const IniBatch&) = delete;

    // Writes the changed files (outermost batch only; an inner batch returns ok).
    // Every file is attempted; the result names the first failure. A file that
    // could not be written is dropped from the kept parses, so later reads see
    // what is on disk.
    IniFileStatus Commit();

private:
    bool committed_ = false;
};

// Drops every kept parse that has no pending change (the next access reads the
// disk again). For tools and measurements.
void IniDropCache();

}  // namespace zavo
