// The settings primitives: one value under one key of one section of one named
// file, in the text format of the platform's private-profile functions, behind
// one interface (IniAccess); the engine that implements them (SettingsEngine);
// the read snapshot (IniSnapshot); and the write batch (IniBatch), an explicit
// scope that groups the writes of a save so that each file is written once,
// atomically, when the batch is committed.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileSystem.h"

namespace zavo {

// Reads are capped at this many characters, as the platform's buffer of 2048 does.
constexpr size_t INI_MAX_VALUE = 2047;

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

// The settings primitives. Names are views, so that a sequence of calls builds no
// strings. The engine implements them; so does a write batch over the engine,
// and (for comparison and measurement, Windows only) the platform's own
// private-profile functions, so that the read and write sequences of the settings
// files (ConfigSequence.h) run through any of them.
class IniAccess {
public:
    virtual ~IniAccess() = default;

    virtual std::wstring IniReadString(const std::wstring& file, std::wstring_view section, std::wstring_view key,
                                       std::wstring_view defaultValue) = 0;
    virtual std::int32_t IniReadInt(const std::wstring& file, std::wstring_view section, std::wstring_view key,
                                    std::int32_t defaultValue) = 0;
    // True when the value is exactly 2n+2 hex digits with a matching checksum; the
    // target is changed only then.
    virtual bool IniReadStruct(const std::wstring& file, std::wstring_view section, std::wstring_view key, void* target,
                               size_t size) = 0;

    // Each write returns the outcome; a failure carries the system's reason.
    // A section or key name that is empty, holds a line break, or (for a key) an
    // equals sign or a leading '[', and a value holding a line break or a NUL, would
    // change the file's structure: the engine refuses such a write and nothing
    // changes.
    virtual fs::Status IniWriteString(const std::wstring& file, std::wstring_view section, std::wstring_view key,
                                      std::wstring_view value) = 0;
    // Integers are written as "%d" text.
    fs::Status IniWriteInt(const std::wstring& file, std::wstring_view section, std::wstring_view key,
                           std::int32_t value) {
        return IniWriteString(file, section, key, DecimalText(value));
    }
    virtual fs::Status IniWriteStruct(const std::wstring& file, std::wstring_view section, std::wstring_view key,
                                      const void* source, size_t size) = 0;
};

// The outcome of writing one or more files: on failure, the first file that could
// not be written, the step and the system's reason (platform/Outcome.h).
using IniFileStatus = Outcome;

class IniSnapshot;
class IniBatch;

// The parses the engine keeps without pending changes hold at most this much
// memory (a full data folder takes a few MB); beyond it the least recently used
// are dropped.
constexpr size_t SETTINGS_CACHE_MAX_BYTES = 32 * 1024 * 1024;

// The engine: keeps each file parsed between calls (validated by size and
// modification time), so a thousand writes to one file cost one parse, and every
// write outside a batch leaves the file complete on disk when it returns.
// It removes no file but its own temporaries: the owners of the data and macro
// folders clear what killed writers left there (fs::RemoveStaleTemporaries).
// Use one engine from one thread at a time; the tool shares the process's
// engine (Settings()), so every window sees what another has written.
class SettingsEngine final : public IniAccess {
public:
    SettingsEngine();
    ~SettingsEngine() override;
    SettingsEngine(const SettingsEngine&) = delete;
    SettingsEngine& operator=(const SettingsEngine&) = delete;

    std::wstring IniReadString(const std::wstring& file, std::wstring_view section, std::wstring_view key,
                               std::wstring_view defaultValue) override;
    std::int32_t IniReadInt(const std::wstring& file, std::wstring_view section, std::wstring_view key,
                            std::int32_t defaultValue) override;
    bool IniReadStruct(const std::wstring& file, std::wstring_view section, std::wstring_view key, void* target,
                       size_t size) override;
    fs::Status IniWriteString(const std::wstring& file, std::wstring_view section, std::wstring_view key,
                              std::wstring_view value) override;
    fs::Status IniWriteStruct(const std::wstring& file, std::wstring_view section, std::wstring_view key,
                              const void* source, size_t size) override;

    // The stored value exactly as the file holds it (trimmed, quotes kept, not
    // cut); false when the key is missing or its line has no '='. For checking tools.
    bool IniReadRaw(const std::wstring& file, std::wstring_view section, std::wstring_view key, std::wstring& value);

    // Drops every kept parse that has no pending change (the next access reads the
    // disk again). For tools and measurements.
    void DropCache();
    // The memory the kept parses without pending changes hold. For tests and
    // measurements.
    size_t KeptBytes();

private:
    friend class IniSnapshot;
    friend class IniBatch;
    struct State;
    std::unique_ptr<State> state_;
};

// The process's engine. Never destroyed: code that runs while the process ends
// (a window saving on its way out) still finds it.
SettingsEngine& Settings();

// The engine's scopes (a snapshot, a write batch): each passes the primitives on
// to its engine and lives on the caller's stack.
class IniScope : public IniAccess {
public:
    IniScope(const IniScope&) = delete;
    IniScope& operator=(const IniScope&) = delete;

    std::wstring IniReadString(const std::wstring& file, std::wstring_view section, std::wstring_view key,
                               std::wstring_view defaultValue) override {
        return engine_.IniReadString(file, section, key, defaultValue);
    }
    std::int32_t IniReadInt(const std::wstring& file, std::wstring_view section, std::wstring_view key,
                            std::int32_t defaultValue) override {
        return engine_.IniReadInt(file, section, key, defaultValue);
    }
    bool IniReadStruct(const std::wstring& file, std::wstring_view section, std::wstring_view key, void* target,
                       size_t size) override {
        return engine_.IniReadStruct(file, section, key, target, size);
    }
    fs::Status IniWriteString(const std::wstring& file, std::wstring_view section, std::wstring_view key,
                              std::wstring_view value) override {
        return engine_.IniWriteString(file, section, key, value);
    }
    fs::Status IniWriteStruct(const std::wstring& file, std::wstring_view section, std::wstring_view key,
                              const void* source, size_t size) override {
        return engine_.IniWriteStruct(file, section, key, source, size);
    }
    bool IniReadRaw(const std::wstring& file, std::wstring_view section, std::wstring_view key, std::wstring& value) {
        return engine_.IniReadRaw(file, section, key, value);
    }

protected:
    explicit IniScope(SettingsEngine& engine) : engine_(engine) {}
    ~IniScope() override = default;
    SettingsEngine& engine_;
};

// A read snapshot: while it lives, each file is checked against the disk only
// once, so its reads are consistent and a thousand of them cost one look at the
// disk. It defers no write: one made while it lives is written as it would be
// without it.
class IniSnapshot final : public IniScope {
public:
    explicit IniSnapshot(SettingsEngine& engine);
    ~IniSnapshot() override;
};

// A write batch: an explicit scope over an engine. While it lives, writes change
// only the kept parse of their file and reads see those changes; Commit then
// writes every changed file once, complete, in the order the files were first
// changed. Like a snapshot it checks each file against the disk only once.
// Everything done through the engine while a batch of it is open is part of that
// batch; batches nest, and only the outermost one writes.
//
// A batch that ends without Commit writes nothing: the outermost one discards its
// pending changes (the kept parses of the changed files are dropped, so later
// reads see the disk as it was). A scope left early, by a return on a failed
// step or by an exception, thus never writes half a change. An inner batch has
// no changes of its own: what was written through it belongs to the outermost.
class IniBatch final : public IniScope {
public:
    explicit IniBatch(SettingsEngine& engine);
    ~IniBatch() override;

    // Writes the changed files (outermost batch only; an inner batch returns ok)
    // and ends the batch; a second call does nothing and returns ok. Every file is
    // attempted; the result names the first failure. A file that could not be
    // written is dropped from the kept parses, so later reads see what is on disk.
    [[nodiscard]] IniFileStatus Commit();

    // The files the commit will write, as their writes named them, in the order
    // first changed: only files whose content the writes changed. For making a
    // backup of exactly those before they are replaced.
    std::vector<std::wstring> PendingFiles() const;

private:
    bool open_ = true;
};

}  // namespace zavo
