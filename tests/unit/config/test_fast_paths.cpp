// The engine's sixteen-byte loops against their plain reference versions on
// random input, and the buffer pool.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "config/IniFastPaths.h"

using namespace zavo::ini;

namespace {

TEST(FastPaths, ByteSearchFindsWhatThePlainLoopFinds) {
    // Few distinct bytes, so that hits are frequent, at every alignment and
    // length around the sixteen-byte step, bytes above 0x7F included.
    const char alphabet[] = {'a', '=', '\n', '\r', '\0', '\x80', '\xFF', '\x3D' + 0x40};
    std::mt19937 rng(20261210);
    std::vector<char> buf(128);
    for (int round = 0; round < 20000; ++round) {
        const size_t offset = rng() % 16, n = rng() % 100;
        for (size_t i = 0; i < offset + n; ++i) buf[i] = alphabet[rng() % sizeof alphabet];
        const char needle = alphabet[rng() % sizeof alphabet];
        ASSERT_EQ(FindByte(buf.data() + offset, n, needle), FindByteReference(buf.data() + offset, n, needle))
            << "round " << round << ", offset " << offset << ", length " << n;
    }
}

TEST(FastPaths, HexDecodingAgreesWithThePlainLoop) {
    const char digits[] = "0123456789abcdefABCDEF";
    // Units next to the digit and letter ranges, with bit 0x20 that the fast
    // version folds, and bytes that are letters once the top bit is dropped.
    const char wrong[] = {'/',  ':',    '@',    'G',    '`',    'g',    ' ',
                          '\0', '\x80', '\xB0', '\xC1', '\xE6', '\xFF', 'F' ^ 0x20 ^ 0x40};
    std::mt19937 rng(4711);
    std::string text;
    std::vector<std::uint8_t> fast(64), plain(64);
    for (int round = 0; round < 20000; ++round) {
        const size_t count = rng() % 40, offset = rng() % 16;
        text.assign(offset + 2 * count, '0');
        for (size_t i = 0; i < 2 * count; ++i) text[offset + i] = digits[rng() % (sizeof digits - 1)];
        if (count && rng() % 2) text[offset + rng() % (2 * count)] = wrong[rng() % sizeof wrong];
        const unsigned start = rng() % 1000;
        unsigned fastSum = start, plainSum = start;
        const bool a = HexBytes(text.data() + offset, count, fast.data(), fastSum);
        const bool b = HexBytesReference(text.data() + offset, count, plain.data(), plainSum);
        ASSERT_EQ(a, b) << "round " << round << ": " << text.substr(offset);
        if (!a) continue;
        ASSERT_EQ(fastSum, plainSum) << text.substr(offset);
        ASSERT_EQ(std::memcmp(fast.data(), plain.data(), count), 0) << text.substr(offset);
    }
}

TEST(FastPaths, BufferPoolHandsBackTheSmallestBufferThatFits) {
    BufferPool pool;
    std::string small(100, 'x'), mid(10000, 'x'), big(100000, 'x');
    const char* midData = mid.data();
    pool.Give(std::move(small));  // too small to keep
    pool.Give(std::move(big));
    pool.Give(std::move(mid));
    EXPECT_EQ(pool.kept(), 2u);

    std::string got = pool.Take(5000);
    EXPECT_TRUE(got.empty());  // empty, its capacity kept
    EXPECT_EQ(got.data(), midData);
    EXPECT_LT(pool.Take(200000).capacity(), 200000u);  // none fits: a new one
    EXPECT_EQ(pool.kept(), 1u);

    pool.Give(std::string(BufferPool::kMaxCapacity + 1, 'z'));  // a huge file's buffer goes back to the system
    EXPECT_EQ(pool.kept(), 1u);

    for (int i = 0; i < 20; ++i) pool.Give(std::string(5000, 'y'));
    EXPECT_EQ(pool.kept(), BufferPool::kMaxKept);
}

}  // namespace
