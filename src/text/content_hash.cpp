#include "text/content_hash.h"

#include <array>
#include <cstring>

namespace tandrel {

namespace {

constexpr std::uint64_t kMultiplier1 = 0x9E3779B97F4A7C15ULL;  // 2^64 over the golden ratio
constexpr std::uint64_t kMultiplier2 = 0xC2B2AE3D27D4EB4FULL;
constexpr std::uint64_t kMultiplier3 = 0x165667B19E3779F9ULL;

std::uint64_t RotateLeft(std::uint64_t value, int bits) {
    return (value << bits) | (value >> (64 - bits));
}

std::uint64_t Load(const char* at) {
    std::uint64_t value = 0;
    std::memcpy(&value, at, sizeof value);
    return value;
}

std::uint64_t Mix(std::uint64_t state, std::uint64_t input) {
    return RotateLeft(state + input * kMultiplier2, 31) * kMultiplier1;
}

}  // namespace

// Four independent lanes over 32 bytes a step, so that the multiplications
// overlap; then the rest eight bytes and one byte at a time, and a final
// mix that spreads every input bit over the whole result.
std::uint64_t ContentHash(std::string_view bytes) {
    const char* at = bytes.data();
    std::size_t left = bytes.size();
    std::uint64_t hash = kMultiplier3 + bytes.size();
    if (left >= 32) {
        std::array<std::uint64_t, 4> lanes = {kMultiplier1 + kMultiplier2, kMultiplier2, 0,
                                              0 - kMultiplier1};
        for (; left >= 32; at += 32, left -= 32) {
            lanes[0] = Mix(lanes[0], Load(at));
            lanes[1] = Mix(lanes[1], Load(at + 8));
            lanes[2] = Mix(lanes[2], Load(at + 16));
            lanes[3] = Mix(lanes[3], Load(at + 24));
        }
        hash += RotateLeft(lanes[0], 1) + RotateLeft(lanes[1], 7) + RotateLeft(lanes[2], 12) +
                RotateLeft(lanes[3], 18);
        for (const std::uint64_t lane : lanes) {
            hash = (hash ^ Mix(0, lane)) * kMultiplier1 + kMultiplier3;
        }
    }
    for (; left >= 8; at += 8, left -= 8) {
        hash = RotateLeft(hash ^ Mix(0, Load(at)), 27) * kMultiplier1 + kMultiplier3;
    }
    for (; left > 0; ++at, --left) {
        hash =
            RotateLeft(hash ^ (static_cast<unsigned char>(*at) * kMultiplier3), 11) * kMultiplier1;
    }
    hash ^= hash >> 33;
    hash *= kMultiplier2;
    hash ^= hash >> 29;
    hash *= kMultiplier3;
    return hash ^ (hash >> 32);
}

}  // namespace tandrel
