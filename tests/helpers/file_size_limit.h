// Makes real writes fail at a chosen byte: runs a function in a child process
// whose files may not grow beyond a limit (writes past it fail with EFBIG).
#pragma once

#include <sys/resource.h>

#include <functional>

namespace tandrel::testing {

enum class ChildResult { True, False, Crashed };

// Runs `write` in a child process limited to files of `limit` bytes and
// returns what it returned. Any file the child makes or grows is capped.
ChildResult WithFileSizeLimit(rlim_t limit, const std::function<bool()>& write);

}  // namespace tandrel::testing
