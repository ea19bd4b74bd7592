// The tandrel command-line tool: inspecting and editing a host data folder
// without the host.
#pragma once

#include <string>
#include <vector>

#include "tandrel/command_support.h"

namespace tandrel::cli {

// Runs one command line; `args` excludes the program name.
int RunTandrel(const std::vector<std::string>& args, Context& context);

}  // namespace tandrel::cli
