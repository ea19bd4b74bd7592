// Finding one field in a message's header block (lines separated by CR LF).
#pragma once

#include <string>
#include <string_view>

namespace tandrel {

// The value of the first field named exactly `name` (case-sensitive): the text
// after its ":" up to the line end, leading blanks kept, continuation lines not
// added. False and an empty `value` when there is no such field.
bool FindHeaderField(std::string_view header_block, std::string_view name, std::string& value);

}  // namespace tandrel
