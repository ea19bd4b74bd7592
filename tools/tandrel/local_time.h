// Times as the tool prints them.
#pragma once

#include <cstdint>
#include <string>

namespace tandrel::cli {

// "2026-12-09 14:05:31": seconds since 1970-01-01 UTC in the machine's local time.
std::string FormatLocalTime(std::int64_t seconds);

}  // namespace tandrel::cli
