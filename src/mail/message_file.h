// A message file as a mail client keeps it (header lines ending CR LF, an
// empty line, the body), and its header fields as the client hands them to
// the plug-in.
#pragma once

#include <string>
#include <string_view>

namespace tandrel {

// What ends each line of a header block.
constexpr std::string_view kHeaderLineEnd = "\r\n";

// The header block of a message file as the host hands it over: the lines
// before the empty line, each with its CR LF, up to the first NUL (the host's
// texts are NUL-terminated).
std::string HeaderBlockOf(const std::string& message);

// The first field named `name` (without regard to case) of a header block,
// without its leading blanks, continuation lines kept as stored.
std::string FieldOf(const std::string& header_block, const std::string& name);

}  // namespace tandrel
