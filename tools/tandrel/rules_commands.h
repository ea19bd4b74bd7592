// "tandrel rules ...": add, show, check and undo on a sorting-rule file.
#pragma once

#include <string>
#include <vector>

#include "tandrel/command_support.h"

namespace tandrel::cli {

// `args` excludes "rules".
int RunRulesCommand(const std::vector<std::string>& args, Context& context);

}  // namespace tandrel::cli
