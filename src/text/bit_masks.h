// Bit counting for the scans that compare many bytes at a time and get one
// bit per byte back.
#pragma once

#include <cstdint>

namespace tandrel {

// The position of the lowest set bit; `bits` must not be 0.
inline unsigned LowestSetBit(std::uint64_t bits) {
#if defined(__GNUC__) || defined(__clang__)
    return static_cast<unsigned>(__builtin_ctzll(bits));
#else
    unsigned bit = 0;
    for (; (bits & 1U) == 0; bits >>= 1U) {
        ++bit;
    }
    return bit;
#endif
}

// How many bits are set.
inline int CountSetBits(std::uint64_t bits) {
#if defined(__POPCNT__)
    return __builtin_popcountll(bits);
#else
    // Without the instruction the builtin is a library call; this is not.
    bits -= (bits >> 1U) & 0x5555555555555555U;
    bits = (bits & 0x3333333333333333U) + ((bits >> 2U) & 0x3333333333333333U);
    bits = (bits + (bits >> 4U)) & 0x0F0F0F0F0F0F0F0FU;
    return static_cast<int>((bits * 0x0101010101010101U) >> 56U);
#endif
}

}  // namespace tandrel
