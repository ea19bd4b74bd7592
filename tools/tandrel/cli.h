// The tandrel command-line tool: inspecting and editing a host data folder
// without the host. Exit codes: 0 success, 1 refused or failed (with a message
// on stderr), 2 usage error.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "platform/files.h"

namespace tandrel::cli {

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

struct Context {
    Files& files;
    std::ostream& out;
    std::ostream& err;
};

// Runs one command line; `args` excludes the program name.
int RunTandrel(const std::vector<std::string>& args, Context& context);

// Reports a usage error with the command's help hint; returns kExitUsage.
int UsageError(Context& context, const std::string& command, const std::string& problem);

// Reports a failure; returns kExitFailed.
int Failure(Context& context, const std::string& problem);

}  // namespace tandrel::cli
