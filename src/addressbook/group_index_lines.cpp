#include "addressbook/group_index_lines.h"

#include <algorithm>

#include "text/affixes.h"
#include "text/one_line.h"

namespace tandrel {

namespace {

constexpr std::string_view kCardNamePrefix = "FN:";
constexpr std::string_view kCardAddressPrefix = "EMAIL;PREF:";
constexpr std::string_view kCardBegin = "BEGIN:VCARD";
constexpr std::string_view kCardEnd = "END:VCARD";
constexpr std::string_view kCardAddressProperty = "EMAIL";

// The card line that starts at `start`, without its LF or CR LF; `next` is
// where the line after it starts.
std::string_view CardLineAt(std::string_view cards, std::size_t start, std::size_t& next) {
    const std::size_t end = std::min(cards.find('\n', start), cards.size());
    next = end + 1;
    std::string_view line = cards.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') {
        line.remove_suffix(1);
    }
    return line;
}

}  // namespace

IndexLineFields ReadIndexLine(std::string_view text, std::size_t start) {
    IndexLineFields line;
    const char* const data = text.data();
    std::size_t field_start = start;
    bool cut = false;  // a NUL ended the line's content
    std::size_t at = start;
    for (; at < text.size(); ++at) {
        const auto c = static_cast<unsigned char>(data[at]);
        if (c > '\r') {
            continue;  // the bytes that matter are NUL, TAB, LF and CR
        }
        if (c == '\r' || c == '\n') {
            break;
        }
        if (cut) {
            continue;
        }
        if (c == '\0') {
            cut = true;
        } else if (c == '\t') {
            if (line.fields == 3) {
                line.card_file = text.substr(field_start, at - field_start);
            } else if (line.fields == 5) {
                line.address = text.substr(field_start, at - field_start);
            }
            ++line.fields;
            field_start = at + 1;
        }
    }
    line.end = at;
    return line;
}

std::vector<std::string_view> IndexLineFieldTexts(std::string_view text, std::size_t start,
                                                  const IndexLineFields& line) {
    std::string_view content = text.substr(start, line.end - start);
    content = content.substr(0, content.find('\0'));
    std::vector<std::string_view> fields;
    for (std::size_t field_start = 0;;) {
        const std::size_t tab = content.find('\t', field_start);
        fields.push_back(content.substr(field_start, tab - field_start));
        if (tab == std::string_view::npos) {
            return fields;
        }
        field_start = tab + 1;
    }
}

std::optional<std::vector<std::string_view>> CardBlockAddresses(std::string_view cards,
                                                                std::uint64_t offset) {
    if (offset >= cards.size() ||
        cards.compare(static_cast<std::size_t>(offset), kCardBegin.size(), kCardBegin) != 0) {
        return std::nullopt;
    }
    std::size_t next = 0;
    if (CardLineAt(cards, static_cast<std::size_t>(offset), next) != kCardBegin) {
        return std::nullopt;
    }
    std::vector<std::string_view> addresses;
    while (next < cards.size()) {
        const std::string_view line = CardLineAt(cards, next, next);
        if (line == kCardEnd || line == kCardBegin) {
            break;
        }
        const std::size_t colon = line.find(':');
        const std::string_view property = line.substr(0, std::min(colon, line.find(';')));
        if (colon != std::string_view::npos && EqualIgnoringCase(property, kCardAddressProperty)) {
            addresses.push_back(line.substr(colon + 1));
        }
    }
    return addresses;
}

bool NeedsLineEndBeforeAppend(std::string_view last_bytes) {
    return !last_bytes.empty() && last_bytes.back() != '\n';
}

std::string CardBlock(const std::string& name, const std::string& address) {
    std::string block(kCardBegin);
    block += kHostLineEnd;
    block += kCardNamePrefix;
    block += name;
    block += kHostLineEnd;
    block += kCardAddressPrefix;
    block += address;
    block += kHostLineEnd;
    block += kCardEnd;
    block += kHostLineEnd;
    return block;
}

std::optional<std::size_t> DisplayNameRoom(std::uint64_t card_offset,
                                           const std::string& card_file_name,
                                           const std::string& address, int sequence) {
    const std::size_t index_line =
        IndexLine(card_offset, card_file_name, std::string(), address, sequence).size() -
        kHostLineEnd.size();
    if (index_line > kHostLineLimit ||
        kCardAddressPrefix.size() + address.size() > kHostLineLimit) {
        return std::nullopt;
    }
    return std::min(kHostLineLimit - index_line, kHostLineLimit - kCardNamePrefix.size());
}

std::string IndexLine(std::uint64_t card_offset, const std::string& card_file_name,
                      const std::string& name, const std::string& address, int sequence) {
    return std::to_string(card_offset) + "\t0\t" + card_file_name + "\t" + name + "\t" + address +
           "\t\t\t" + std::to_string(sequence) + std::string(kHostLineEnd);
}

}  // namespace tandrel
