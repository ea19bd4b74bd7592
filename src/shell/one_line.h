// Texts that go into one line or one field of a host file.
#pragma once

#include <string>
#include <string_view>

namespace tandrel {

// CR, LF and NUL dropped, a tab made a blank: the text cannot add lines or
// fields wherever it is written.
std::string ToOneLine(std::string_view text);

// Without leading and trailing blanks.
std::string_view TrimBlanks(std::string_view text);

}  // namespace tandrel
