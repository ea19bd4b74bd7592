// A fast 64-bit hash of a file's bytes, to tell whether the bytes read now
// are the bytes read before without keeping them (not for security).
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace tandrel {

// The hash of bytes handed over a piece at a time, as a file is read: the
// same as ContentHash of the pieces joined.
class ContentHasher {
  public:
    ContentHasher();
    void Add(std::string_view piece);
    std::uint64_t Finish() const;

  private:
    void MixStripe(const char* stripe);

    std::array<std::uint64_t, 4> lanes_{};
    std::array<char, 32> pending_{};  // the start of a stripe not yet whole
    std::size_t pending_size_ = 0;
    std::uint64_t size_ = 0;
};

std::uint64_t ContentHash(std::string_view bytes);

}  // namespace tandrel
