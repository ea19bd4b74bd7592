// Header-name lists of the settings: names each followed by ":", as in
// "From:Sender:Reply-To:". Text after the last ":" is not a name.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tandrel {

// Every name of the list: each text up to a ":" (text after the last ":" is
// no name), in order.
std::vector<std::string> HeaderListNames(std::string_view list);

// The names joined back, each followed by ":".
std::string JoinHeaderList(const std::vector<std::string>& names);

}  // namespace tandrel
