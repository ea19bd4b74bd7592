#include "text/content_hash.h"

#include <algorithm>
#include <cstring>

namespace tandrel {

namespace {

constexpr std::uint64_t kMultiplier1 = 0x9E3779B97F4A7C15ULL;  // 2^64 over the golden ratio
constexpr std::uint64_t kMultiplier2 = 0xC2B2AE3D27D4EB4FULL;
constexpr std::uint64_t kMultiplier3 = 0x165667B19E3779F9ULL;
constexpr std::size_t kStripe = 32;

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
ContentHasher::ContentHasher()
    : lanes_{kMultiplier1 + kMultiplier2, kMultiplier2, 0, 0 - kMultiplier1} {}

void ContentHasher::MixStripe(const char* stripe) {
    lanes_[0] = Mix(lanes_[0], Load(stripe));
    lanes_[1] = Mix(lanes_[1], Load(stripe + 8));
    lanes_[2] = Mix(lanes_[2], Load(stripe + 16));
    lanes_[3] = Mix(lanes_[3], Load(stripe + 24));
}

void ContentHasher::Add(std::string_view piece) {
    size_ += piece.size();
    const char* at = piece.data();
    std::size_t left = piece.size();
    if (pending_size_ > 0) {
        const std::size_t taken = std::min(left, kStripe - pending_size_);
        std::memcpy(pending_.data() + pending_size_, at, taken);
        pending_size_ += taken;
        at += taken;
        left -= taken;
        if (pending_size_ < kStripe) {
            return;
        }
        MixStripe(pending_.data());
        pending_size_ = 0;
    }
    for (; left >= kStripe; at += kStripe, left -= kStripe) {
        MixStripe(at);
    }
    std::memcpy(pending_.data(), at, left);
    pending_size_ = left;
}

std::uint64_t ContentHasher::Finish() const {
    std::uint64_t hash = kMultiplier3 + size_;
    if (size_ >= kStripe) {
        hash += RotateLeft(lanes_[0], 1) + RotateLeft(lanes_[1], 7) + RotateLeft(lanes_[2], 12) +
                RotateLeft(lanes_[3], 18);
        for (const std::uint64_t lane : lanes_) {
            hash = (hash ^ Mix(0, lane)) * kMultiplier1 + kMultiplier3;
        }
    }
    const char* at = pending_.data();
    std::size_t left = pending_size_;
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

std::uint64_t ContentHash(std::string_view bytes) {
    ContentHasher hasher;
    hasher.Add(bytes);
    return hasher.Finish();
}

}  // namespace tandrel
