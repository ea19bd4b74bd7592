#include "text/local_time.h"

#include <array>
#include <ctime>

namespace tandrel {

std::string FormatLocalTime(std::int64_t seconds, ClockDetail detail) {
    const auto time = static_cast<std::time_t>(seconds);
    std::tm local{};
#ifdef _WIN32
    const bool converted = localtime_s(&local, &time) == 0;
#else
    const bool converted = localtime_r(&time, &local) != nullptr;
#endif
    const char* format = detail == ClockDetail::Seconds ? "%Y-%m-%d %H:%M:%S" : "%Y-%m-%d %H:%M";
    std::array<char, 32> text{};
    if (!converted || std::strftime(text.data(), text.size(), format, &local) == 0) {
        return "(unknown time)";
    }
    return text.data();
}

}  // namespace tandrel
