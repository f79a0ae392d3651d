#include "pellimore/common/sha256.h"

#include <array>
#include <cstdint>

namespace {

constexpr std::array<std::uint32_t, 64> roundConstants = {
    0x428a2f98, 0x71374491, 0xb5c0fbcf, 0xe9b5dba5, 0x3956c25b, 0x59f111f1, 0x923f82a4, 0xab1c5ed5,
    0xd807aa98, 0x12835b01, 0x243185be, 0x550c7dc3, 0x72be5d74, 0x80deb1fe, 0x9bdc06a7, 0xc19bf174,
    0xe49b69c1, 0xefbe4786, 0x0fc19dc6, 0x240ca1cc, 0x2de92c6f, 0x4a7484aa, 0x5cb0a9dc, 0x76f988da,
    0x983e5152, 0xa831c66d, 0xb00327c8, 0xbf597fc7, 0xc6e00bf3, 0xd5a79147, 0x06ca6351, 0x14292967,
    0x27b70a85, 0x2e1b2138, 0x4d2c6dfc, 0x53380d13, 0x650a7354, 0x766a0abb, 0x81c2c92e, 0x92722c85,
    0xa2bfe8a1, 0xa81a664b, 0xc24b8b70, 0xc76c51a3, 0xd192e819, 0xd6990624, 0xf40e3585, 0x106aa070,
    0x19a4c116, 0x1e376c08, 0x2748774c, 0x34b0bcb5, 0x391c0cb3, 0x4ed8aa4a, 0x5b9cca4f, 0x682e6ff3,
    0x748f82ee, 0x78a5636f, 0x84c87814, 0x8cc70208, 0x90befffa, 0xa4506ceb, 0xbef9a3f7, 0xc67178f2};

using State = std::array<std::uint32_t, 8>;

constexpr std::uint32_t rotateRight(std::uint32_t value, int bits) { return (value >> bits) | (value << (32 - bits)); }

// Mixes one 64-byte block into the state.
void compressBlock(State& state, const unsigned char* block) {
    std::array<std::uint32_t, 64> words{};
    for (int index = 0; index < 16; ++index)
        words[index] = std::uint32_t(block[4 * index]) << 24 | std::uint32_t(block[4 * index + 1]) << 16 |
                       std::uint32_t(block[4 * index + 2]) << 8 | std::uint32_t(block[4 * index + 3]);
    for (int index = 16; index < 64; ++index) {
        const std::uint32_t s0 =
            rotateRight(words[index - 15], 7) ^ rotateRight(words[index - 15], 18) ^ (words[index - 15] >> 3);
        const std::uint32_t s1 =
            rotateRight(words[index - 2], 17) ^ rotateRight(words[index - 2], 19) ^ (words[index - 2] >> 10);
        words[index] = words[index - 16] + s0 + words[index - 7] + s1;
    }
    State work = state;
    for (int index = 0; index < 64; ++index) {
        const auto [a, b, c, d, e, f, g, h] = work;
        const std::uint32_t choice = (e & f) ^ (~e & g);
        const std::uint32_t t1 = h + (rotateRight(e, 6) ^ rotateRight(e, 11) ^ rotateRight(e, 25)) + choice +
                                 roundConstants[index] + words[index];
        const std::uint32_t majority = (a & b) ^ (a & c) ^ (b & c);
        const std::uint32_t t2 = (rotateRight(a, 2) ^ rotateRight(a, 13) ^ rotateRight(a, 22)) + majority;
        work = {t1 + t2, a, b, c, d + t1, e, f, g};
    }
    for (int index = 0; index < 8; ++index) state[index] += work[index];
}

}  // namespace

std::string sha256Hex(std::string_view bytes) {
    State state = {0x6a09e667, 0xbb67ae85, 0x3c6ef372, 0xa54ff53a, 0x510e527f, 0x9b05688c, 0x1f83d9ab, 0x5be0cd19};
    std::size_t offset = 0;
    for (; offset + 64 <= bytes.size(); offset += 64)
        compressBlock(state, reinterpret_cast<const unsigned char*>(bytes.data() + offset));
    // The last bytes, a 1 bit, zeros, and the length in bits: one block or two.
    std::array<unsigned char, 128> tail{};
    const std::size_t rest = bytes.size() - offset;
    for (std::size_t index = 0; index < rest; ++index) tail[index] = static_cast<unsigned char>(bytes[offset + index]);
    tail[rest] = 0x80;
    const std::size_t tailLength = rest + 9 <= 64 ? 64 : 128;
    const std::uint64_t bits = static_cast<std::uint64_t>(bytes.size()) * 8;
    for (int index = 0; index < 8; ++index)
        tail[tailLength - 1 - index] = static_cast<unsigned char>(bits >> (8 * index));
    for (std::size_t block = 0; block < tailLength; block += 64) compressBlock(state, tail.data() + block);
    static constexpr char digits[] = "0123456789abcdef";
    std::string hex;
    for (const std::uint32_t word : state)
        for (int shift = 28; shift >= 0; shift -= 4) hex += digits[(word >> shift) & 0xF];
    return hex;
}
