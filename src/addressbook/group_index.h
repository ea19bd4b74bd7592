// A group's index ("Group.idx") and card file: one index line per entry,
// "offset<TAB>0<TAB>card file<TAB>name<TAB>address<TAB><TAB><TAB>sequence",
// and one vCard block per entry in the card file.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tandrel {

struct GroupIndexScan {
    bool duplicate = false;      // an entry holds the address (same bytes)
    int entry_count = 0;         // entries before the scan stopped
    std::string card_file_name;  // third field of the last line that has one
};

// Reads index text: lines end at LF or CR and are read up to a NUL; a line of
// exactly eight tab-separated fields is an entry. Stops at a duplicate.
GroupIndexScan ScanGroupIndex(std::string_view index_text, std::string_view address);

// ScanGroupIndex over an index handed over in pieces, as it is read.
class GroupIndexScanner {
  public:
    explicit GroupIndexScanner(std::string_view address);
    void Take(std::string_view piece);
    // The scan of everything taken; once, after the last piece.
    GroupIndexScan Result();
    // The bytes taken so far.
    std::uint64_t taken() const { return taken_; }
    // The last byte taken (none when nothing was), for NeedsLineEndBeforeAppend.
    std::string_view last_byte() const { return last_byte_; }

  private:
    void Add(std::string_view lines);

    std::string address_;
    std::string open_line_;  // a line whose end is in a later piece
    GroupIndexScan scan_;
    std::uint64_t taken_ = 0;
    std::string last_byte_;
};

// Whether a text that ends with `last_bytes` (empty for an empty file) needs a
// line end before a line is appended, because its last line has none. Only a
// line feed ends a line the host reads: after a lone CR its read goes on, and
// it reads a line only up to a CR, so an entry after one would be lost to it.
bool NeedsLineEndBeforeAppend(std::string_view last_bytes);

// The vCard block of an entry, lines ending CR LF.
std::string CardBlock(const std::string& name, const std::string& address);

// How many bytes of display name the entry's index line and card lines can
// hold, each line within the host's line limit; nullopt when the lines would
// be too long even without a name (the address is too long).
std::optional<std::size_t> DisplayNameRoom(std::uint64_t card_offset,
                                           const std::string& card_file_name,
                                           const std::string& address, int sequence);

// The index line of an entry, ending CR LF.
std::string IndexLine(std::uint64_t card_offset, const std::string& card_file_name,
                      const std::string& name, const std::string& address, int sequence);

}  // namespace tandrel
