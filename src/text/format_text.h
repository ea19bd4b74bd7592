// Filling the "%s" placeholders of a string-table text.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tandrel {

// Each "%s" takes the next argument (missing ones: empty); "%%" is "%".
// Arguments are inserted as they are, so a "%" in them stays a "%".
std::string FormatText(std::string_view format, const std::vector<std::string>& arguments);

}  // namespace tandrel
