#include "tandrel/local_time.h"

#include <array>
#include <ctime>

namespace tandrel::cli {

std::string FormatLocalTime(std::int64_t seconds) {
    const auto time = static_cast<std::time_t>(seconds);
    std::tm local{};
#ifdef _WIN32
    const bool converted = localtime_s(&local, &time) == 0;
#else
    const bool converted = localtime_r(&time, &local) != nullptr;
#endif
    std::array<char, 32> text{};
    if (!converted || std::strftime(text.data(), text.size(), "%Y-%m-%d %H:%M:%S", &local) == 0) {
        return "(unknown time)";
    }
    return text.data();
}

}  // namespace tandrel::cli
