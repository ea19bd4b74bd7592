// Every place a short text stands in a large one. The search filters on the
// two bytes of the needle that are rarest in a sample of the text, many
// places at a time, so that text made of lines much like the needle (a rule
// file searched for one of its own conditions) is still crossed quickly.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace tandrel {

// The offsets where `needle` starts in `text`, ascending; overlapping places
// count. Nothing for an empty needle.
std::vector<std::size_t> FindAllOccurrences(std::string_view text, std::string_view needle);

}  // namespace tandrel
