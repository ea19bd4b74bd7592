#include "addressbook/group_index_lines.h"

#include <algorithm>

#include "text/one_line.h"

namespace tandrel {

namespace {

constexpr std::string_view kCardNamePrefix = "FN:";
constexpr std::string_view kCardAddressPrefix = "EMAIL;PREF:";

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
                line.third = text.substr(field_start, at - field_start);
            } else if (line.fields == 5) {
                line.fifth = text.substr(field_start, at - field_start);
            }
            ++line.fields;
            field_start = at + 1;
        }
    }
    line.end = at;
    return line;
}

bool NeedsLineEndBeforeAppend(std::string_view last_bytes) {
    return !last_bytes.empty() && last_bytes.back() != '\n';
}

std::string CardBlock(const std::string& name, const std::string& address) {
    std::string block = "BEGIN:VCARD\r\n";
    block += kCardNamePrefix;
    block += name;
    block += kHostLineEnd;
    block += kCardAddressPrefix;
    block += address;
    block += kHostLineEnd;
    block += "END:VCARD\r\n";
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
