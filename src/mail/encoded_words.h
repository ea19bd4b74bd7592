// Display names sent as encoded words ("=?UTF-8?B?5bGx55Sw?=", "=?ISO-8859-1?Q?Jos=E9?="),
// decoded into the host's code page.
#pragma once

#include <string>
#include <string_view>

#include "platform/charsets.h"

namespace tandrel {

// The name with each encoded word (B or Q encoding) decoded and converted to
// the host's code page; encoded words with only blanks between them are
// joined without the blanks, and the bytes of adjacent words of one charset
// are converted together. Text outside encoded words is kept as it is. When
// any word does not decode, or its charset is unknown, or a character has no
// place in the host's code page, the name is returned as it was received.
std::string DecodeEncodedWords(std::string_view name, Charsets& charsets);

}  // namespace tandrel
