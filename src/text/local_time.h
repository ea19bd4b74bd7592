// Times as Tandrel shows them, in the machine's local time.
#pragma once

#include <cstdint>
#include <string>

namespace tandrel {

enum class ClockDetail { Minutes, Seconds };

// "2026-12-09 14:05" (Minutes) or "2026-12-09 14:05:31" (Seconds): seconds
// since 1970-01-01 UTC in the machine's local time.
std::string FormatLocalTime(std::int64_t seconds, ClockDetail detail);

}  // namespace tandrel
