#include "addressbook/group_index.h"

namespace tandrel {

GroupIndexScan ScanGroupIndex(std::string_view index_text, std::string_view address) {
    GroupIndexScan scan;
    std::size_t start = 0;
    while (start < index_text.size()) {
        auto end = index_text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            end = index_text.size();
        }
        std::string_view line = index_text.substr(start, end - start);
        start = end + 1;
        line = line.substr(0, line.find('\0'));

        // Walk the tabs: the one ending field 3 names the card file, the one
        // ending field 5 closes the address of an entry.
        std::string_view fifth;
        int fields = 1;
        std::size_t field_start = 0;
        for (auto tab = line.find('\t'); tab != std::string_view::npos;
             tab = line.find('\t', field_start)) {
            if (fields == 3) {
                scan.card_file_name = std::string(line.substr(field_start, tab - field_start));
            } else if (fields == 5) {
                fifth = line.substr(field_start, tab - field_start);
            }
            ++fields;
            field_start = tab + 1;
        }
        if (fields != 8) {
            continue;
        }
        if (fifth == address) {
            scan.duplicate = true;
            return scan;
        }
        ++scan.entry_count;
    }
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
