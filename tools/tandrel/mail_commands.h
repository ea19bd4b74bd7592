// "tandrel mail ...": what the Rule entry dialog offers for a mail file.
#pragma once

#include <string>
#include <vector>

#include "tandrel/command_support.h"

namespace tandrel::cli {

// `args` excludes "mail".
int RunMailCommand(const std::vector<std::string>& args, Context& context);

}  // namespace tandrel::cli
