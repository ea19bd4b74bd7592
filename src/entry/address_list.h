// A header value taken apart into address parts the way mail defines an
// address list: commas split only outside double-quoted strings (with
// backslash escapes), angle brackets and comments; a group "Name: a, b;"
// gives its members, an empty group nothing.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/characters.h"

namespace tandrel {

// The value unfolded: each CR LF before a blank or tab taken out, and each tab
// made a blank.
std::string UnfoldHeaderValue(std::string_view value);

// The address parts of an unfolded value, in order. A comma after the last
// part gives a last empty part, as a comma between two parts gives each. The
// characters are read with the host's lead-byte predicate: the second byte
// of a double-byte character is never a quote, a bracket or a backslash.
std::vector<std::string_view> SplitAddressList(std::string_view value,
                                               LeadBytePredicate is_lead_byte);

}  // namespace tandrel
