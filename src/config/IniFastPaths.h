// The settings engine's hot loops, each fast version beside a plain reference
// version that gives the same results (the tests compare the two on random
// input), and the pool of byte buffers files are read into.
//
// The fast versions work sixteen bytes at a step where the compiler offers SSE2
// (both builds here): the C library's byte search is a plain loop under Wine,
// and a profile holds about a hundred thousand hex digits.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace zavo::ini {

// The first `c` in the n bytes at `p`, or null.
const char* FindByte(const char* p, size_t n, char c);
const char* FindByteReference(const char* p, size_t n, char c);

// The value of a hex digit (either letter case), or -1 for any other unit.
int HexDigit(std::uint32_t c);

// Decodes the 2 * count hex digits at `p` into count bytes at `out` and adds
// those bytes to `sum`. False when a character is not a hex digit; `out` and
// `sum` then hold no meaning.
bool HexBytes(const char* p, size_t count, std::uint8_t* out, unsigned& sum);
bool HexBytesReference(const char* p, size_t count, std::uint8_t* out, unsigned& sum);

// Byte buffers of dropped parses, read into again: a fresh buffer of a large file
// (new pages, zeroed) costs more than reading the file, under Wine most. Keeps a
// few buffers of 4 KB to 4 MB (a settings file is smaller; the buffer of a
// larger file someone handed over goes back to the system).
class BufferPool {
public:
    // An empty buffer: the smallest kept one that holds `size` bytes, else a new one.
    std::string Take(std::uint64_t size);
    // Keeps the buffer for a later Take (a small one, or one past the limit, is freed).
    void Give(std::string buffer);
    size_t kept() const { return spare_.size(); }

    static constexpr size_t kMinCapacity = 4096;
    static constexpr size_t kMaxCapacity = 4 * 1024 * 1024;
    static constexpr size_t kMaxKept = 8;

private:
    std::vector<std::string> spare_;
};

}  // namespace zavo::ini
