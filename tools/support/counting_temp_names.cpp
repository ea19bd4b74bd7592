#include "support/counting_temp_names.h"

#include <string_view>

namespace tandrel {

std::string CountingTempNames::TempFileName(const std::string& prefix) {
    counter_ = (counter_ % 0xFFFFU) + 1;
    constexpr std::string_view kHex = "0123456789ABCDEF";
    std::string digits(4, '0');
    for (int i = 3, value = static_cast<int>(counter_); i >= 0; --i, value >>= 4) {
        digits[static_cast<std::size_t>(i)] = kHex[static_cast<std::size_t>(value & 0xF)];
    }
    return folder_ + prefix + digits + ".tmp";
}

}  // namespace tandrel
