// How the host reads its rule files, group indexes and card files: in text
// mode (CR LF read as LF, nothing after a Ctrl-Z), a line at a time into a 256-byte buffer, so one
// read takes at most 255 characters with the line end among them, and the
// rest of a longer line is read as if it were the next line. The project's
// own readers read lines whole; this one shows what the host would see.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tandrel::testing {

// The lines the host reads, without their line ends.
std::vector<std::string> HostReadLines(std::string_view text);

// The lines the host reads from a group index: each read up to its first CR
// or NUL, as the host takes an index line.
std::vector<std::string> HostReadIndexLines(std::string_view text);

// Those lines joined again, each ended by CR LF (so that a line that ends
// in a CR of its own keeps it): a text whose lines are the host's, for the
// project's readers to take apart as the host would.
std::string AsTheHostReadsIt(std::string_view text);
std::string AsTheHostReadsAnIndex(std::string_view text);

}  // namespace tandrel::testing
