// A fast 64-bit hash of a file's bytes, to tell whether the bytes read now
// are the bytes read before without keeping them (not for security).
#pragma once

#include <cstdint>
#include <string_view>

namespace tandrel {

std::uint64_t ContentHash(std::string_view bytes);

}  // namespace tandrel
