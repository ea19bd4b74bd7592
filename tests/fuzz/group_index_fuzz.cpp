// Any group index text and address: the scan stops within the text, reads
// the same in two pieces as whole, and an entry this project appends is found
// again and is one whole entry to the host.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "addressbook/group_index.h"
#include "helpers/host_reader.h"
#include "text/one_line.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    // The first line is the address, the rest the index.
    const auto end = input.find('\n');
    const std::string address =
        tandrel::ToOneLine(input.substr(0, end == std::string_view::npos ? input.size() : end));
    const std::string_view index =
        end == std::string_view::npos ? std::string_view() : input.substr(end + 1);

    const tandrel::GroupIndexScan scan = tandrel::ScanGroupIndex(index, address);
    // Handed over in two pieces, cut where the address's length says, the
    // index scans the same.
    tandrel::GroupIndexScanner scanner(address);
    const std::size_t cut = index.empty() ? 0 : address.size() % (index.size() + 1);
    scanner.Take(index.substr(0, cut));
    scanner.Take(index.substr(cut));
    const tandrel::GroupIndexScan pieces = scanner.Result();
    if (pieces.duplicate != scan.duplicate || pieces.entry_count != scan.entry_count ||
        pieces.card_file_name != scan.card_file_name) {
        std::abort();
    }
    if (scan.entry_count < 0 || static_cast<std::size_t>(scan.entry_count) > index.size()) {
        std::abort();
    }
    // An entry appended as AddAddressToGroup appends it (a line end first
    // when the last line has none) is found again, the entries before it are
    // counted as before, and where the index's lines are short the host, 255
    // characters at a time, sees exactly one entry more. (An index holding a
    // Ctrl-Z, after which the host reads nothing, takes no entry.)
    const auto room = tandrel::DisplayNameRoom(0, "bab0001.tmp", address, scan.entry_count + 1);
    if (!address.empty() && room && !scan.duplicate && index.find('\0') == std::string_view::npos &&
        index.find(tandrel::kTextEndOfFile) == std::string_view::npos) {
        const std::string lead(tandrel::NeedsLineEndBeforeAppend(index) ? "\r\n" : "");
        const std::string name(std::string_view("Name that may be cut").substr(0, *room));
        const std::string added =
            std::string(index) + lead +
            tandrel::IndexLine(0, "bab0001.tmp", name, address, scan.entry_count + 1);
        const tandrel::GroupIndexScan after = tandrel::ScanGroupIndex(added, address);
        if (!after.duplicate || after.entry_count != scan.entry_count) {
            std::abort();
        }
        if (tandrel::FitsHostLines(index)) {
            const std::string other = "\t";  // no entry can hold a tab in a field
            if (tandrel::ScanGroupIndex(tandrel::testing::AsTheHostReadsAnIndex(added), other)
                    .entry_count !=
                tandrel::ScanGroupIndex(tandrel::testing::AsTheHostReadsAnIndex(index), other)
                        .entry_count +
                    1) {
                std::abort();
            }
        }
    }
    return 0;
}
