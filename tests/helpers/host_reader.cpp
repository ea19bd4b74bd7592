#include "helpers/host_reader.h"

#include <algorithm>

namespace tandrel::testing {

namespace {

// One read of the host's: at most this many characters, the line end included.
constexpr std::size_t kHostReadSize = 255;

std::string Joined(const std::vector<std::string>& lines) {
    std::string joined;
    for (const std::string& line : lines) {
        joined += line;
        joined += "\r\n";
    }
    return joined;
}

}  // namespace

std::vector<std::string> HostReadLines(std::string_view text) {
    // Text mode: a Ctrl-Z ends the file, and a CR right before a LF is not seen.
    text = text.substr(0, text.find('\x1A'));
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

std::vector<std::string> HostReadIndexLines(std::string_view text) {
    std::vector<std::string> lines = HostReadLines(text);
    for (std::string& line : lines) {
        line.resize(std::min({line.find('\r'), line.find('\0'), line.size()}));
    }
    return lines;
}

std::string AsTheHostReadsIt(std::string_view text) {
    return Joined(HostReadLines(text));
}

std::string AsTheHostReadsAnIndex(std::string_view text) {
    return Joined(HostReadIndexLines(text));
}

}  // namespace tandrel::testing
