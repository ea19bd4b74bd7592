#include "addressbook/group_index.h"

namespace tandrel {

GroupIndexScan ScanGroupIndex(std::string_view index_text, std::string_view address) {
    // One pass over the bytes: each line is read up to its CR or LF, and its
    // fields up to a NUL, which ends what counts of the line.
    GroupIndexScan scan;
    std::string_view card_file_name;
    const char* const data = index_text.data();
    const std::size_t size = index_text.size();
    std::size_t at = 0;
    while (at < size) {
        std::size_t field_start = at;
        std::string_view fifth;
        int fields = 1;
        bool cut = false;  // a NUL ended the line's content
        for (; at < size; ++at) {
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
                if (fields == 3) {
                    card_file_name = index_text.substr(field_start, at - field_start);
                } else if (fields == 5) {
                    fifth = index_text.substr(field_start, at - field_start);
                }
                ++fields;
                field_start = at + 1;
            }
        }
        ++at;  // past the line end
        if (fields != 8) {
            continue;
        }
        if (fifth == address) {
            scan.duplicate = true;
            break;
        }
        ++scan.entry_count;
    }
    scan.card_file_name = std::string(card_file_name);
    return scan;
}

std::string CardBlock(const std::string& name, const std::string& address) {
    return "BEGIN:VCARD\r\nFN:" + name + "\r\nEMAIL;PREF:" + address + "\r\nEND:VCARD\r\n";
}

std::string IndexLine(std::uint64_t card_offset, const std::string& card_file_name,
                      const std::string& name, const std::string& address, int sequence) {
    return std::to_string(card_offset) + "\t0\t" + card_file_name + "\t" + name + "\t" + address +
           "\t\t\t" + std::to_string(sequence) + "\r\n";
}

}  // namespace tandrel
