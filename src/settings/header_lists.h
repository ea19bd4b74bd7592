// Header-name lists of the settings: names each followed by ":", as in
// "From:Sender:Reply-To:". Text after the last ":" is not a name.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tandrel {

// Puts the next name of `list` into `name` and advances `position` past its
// ":"; sets `position` to -1 when the list is exhausted (the name of that
// call, if any, is not a name). Start with position 0.
void SplitHeaderList(std::string_view list, std::string& name, int& position);

// Every name of the list, as the SplitHeaderList loop yields them.
std::vector<std::string> HeaderListNames(std::string_view list);

// The names joined back, each followed by ":".
std::string JoinHeaderList(const std::vector<std::string>& names);

}  // namespace tandrel
