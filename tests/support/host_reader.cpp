#include "host_reader.h"

#include <algorithm>

namespace tandrel::testing {

namespace {

// One read of the host's: at most this many characters, the line end included.
constexpr std::size_t kHostReadSize = 255;

}  // namespace

std::vector<std::string> HostReadLines(std::string_view text) {
    // Text mode: a CR right before a LF is not seen.
    std::string seen;
    seen.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) {
            seen += text[i];
        }
    }
    std::vector<std::string> lines;
    for (std::size_t at = 0; at < seen.size();) {
        const std::size_t line_feed = seen.find('\n', at);
        const std::size_t through = line_feed == std::string::npos ? seen.size() : line_feed + 1;
        const std::size_t take = std::min(through - at, kHostReadSize);
        std::string line = seen.substr(at, take);
        if (!line.empty() && line.back() == '\n') {
            line.pop_back();
        }
        lines.push_back(line);
        at += take;
    }
    return lines;
}

std::string AsTheHostReadsIt(std::string_view text) {
    std::string joined;
    for (const std::string& line : HostReadLines(text)) {
        joined += line;
        joined += '\n';
    }
    return joined;
}

}  // namespace tandrel::testing
