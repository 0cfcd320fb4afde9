#include "config/IniFastPaths.h"

#include <array>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace zavo::ini {
namespace {

constexpr std::array<signed char, 256> kHexValue = [] {
    std::array<signed char, 256> t{};
    for (auto& v : t) v = -1;
    for (int i = 0; i < 10; ++i) t['0' + i] = static_cast<signed char>(i);
    for (int i = 0; i < 6; ++i) t['A' + i] = t['a' + i] = static_cast<signed char>(10 + i);
    return t;
}();

}  // namespace

int HexDigit(std::uint32_t c) { return c < 256 ? kHexValue[c] : -1; }

const char* FindByteReference(const char* p, size_t n, char c) {
    for (size_t i = 0; i < n; ++i)
        if (p[i] == c) return p + i;
    return nullptr;
}

const char* FindByte(const char* p, size_t n, char c) {
    size_t i = 0;
#if defined(__SSE2__)
    const __m128i needle = _mm_set1_epi8(c);
    for (; i + 16 <= n; i += 16) {
        const int m =
            _mm_movemask_epi8(_mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i)), needle));
        if (m) return p + i + __builtin_ctz(static_cast<unsigned>(m));
    }
#endif
    return FindByteReference(p + i, n - i, c);
}

bool HexBytesReference(const char* p, size_t count, std::uint8_t* out, unsigned& sum) {
    unsigned total = 0;
    for (size_t i = 0; i < count; ++i) {
        const int hi = HexDigit(static_cast<unsigned char>(p[2 * i]));
        const int lo = HexDigit(static_cast<unsigned char>(p[2 * i + 1]));
        if ((hi | lo) < 0) return false;
        out[i] = static_cast<std::uint8_t>(hi * 16 + lo);
        total += out[i];
    }
    sum += total;
    return true;
}

bool HexBytes(const char* p, size_t count, std::uint8_t* out, unsigned& sum) {
    size_t i = 0;
    unsigned total = 0;
#if defined(__SSE2__)
    // Sixteen digits at a step: each checked as a digit or (with bit 0x20 set) a
    // letter a-f, turned into its value, and pairs joined into bytes.
    const __m128i zero = _mm_setzero_si128();
    __m128i ok = _mm_set1_epi8(-1), sums = zero;
    for (; i + 8 <= count; i += 8) {
        const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 2 * i));
        const __m128i digit =
            _mm_and_si128(_mm_cmpgt_epi8(c, _mm_set1_epi8('0' - 1)), _mm_cmplt_epi8(c, _mm_set1_epi8('9' + 1)));
        const __m128i low = _mm_or_si128(c, _mm_set1_epi8(0x20));
        const __m128i letter =
            _mm_and_si128(_mm_cmpgt_epi8(low, _mm_set1_epi8('a' - 1)), _mm_cmplt_epi8(low, _mm_set1_epi8('f' + 1)));
        ok = _mm_and_si128(ok, _mm_or_si128(digit, letter));
        const __m128i v = _mm_or_si128(_mm_and_si128(digit, _mm_sub_epi8(c, _mm_set1_epi8('0'))),
                                       _mm_and_si128(letter, _mm_sub_epi8(low, _mm_set1_epi8('a' - 10))));
        // Lane k of 16 bits holds the high digit in its low byte, the low digit above.
        const __m128i bytes =
            _mm_or_si128(_mm_slli_epi16(_mm_and_si128(v, _mm_set1_epi16(0x00FF)), 4), _mm_srli_epi16(v, 8));
        _mm_storel_epi64(reinterpret_cast<__m128i*>(out + i), _mm_packus_epi16(bytes, bytes));
        sums = _mm_add_epi64(sums, _mm_sad_epu8(bytes, zero));
    }
    if (_mm_movemask_epi8(ok) != 0xFFFF) return false;
    total = static_cast<unsigned>(_mm_cvtsi128_si32(sums)) +
            static_cast<unsigned>(_mm_cvtsi128_si32(_mm_srli_si128(sums, 8)));
#endif
    if (!HexBytesReference(p + 2 * i, count - i, out + i, total)) return false;
    sum += total;
    return true;
}

std::string BufferPool::Take(std::uint64_t size) {
    size_t best = spare_.size();
    for (size_t i = 0; i < spare_.size(); ++i)
        if (spare_[i].capacity() >= size && (best == spare_.size() || spare_[i].capacity() < spare_[best].capacity()))
            best = i;
    if (best == spare_.size()) return {};
    std::string b = std::move(spare_[best]);
    spare_.erase(spare_.begin() + static_cast<std::ptrdiff_t>(best));
    b.clear();
    return b;
}

void BufferPool::Give(std::string buffer) {
    if (buffer.capacity() >= kMinCapacity && buffer.capacity() <= kMaxCapacity && spare_.size() < kMaxKept)
        spare_.push_back(std::move(buffer));
}

}  // namespace zavo::ini
