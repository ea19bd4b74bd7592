// The header names a message offers for a rule, in header order.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tandrel {

struct HeaderNameChoices {
    std::vector<std::string> names;  // repeated names stay, "Received" is left out
    int selected = -1;               // the first name equal to the preferred one, or -1
};

// From a header block (lines separated by CR LF): for every line, the text
// from the line start to the next ":" (which may lie on a later line, and is
// taken whole), except "Received".
HeaderNameChoices ListHeaderNames(std::string_view header_block, std::string_view preferred);

}  // namespace tandrel
