// "tandrel book ...": the address book of a data folder.
#pragma once

#include <string>
#include <vector>

#include "tandrel/command_support.h"

namespace tandrel::cli {

// `args` excludes "book".
int RunBookCommand(const std::vector<std::string>& args, Context& context);

}  // namespace tandrel::cli
