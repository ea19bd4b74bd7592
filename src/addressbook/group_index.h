// Scanning a group's index ("Group.idx") for an address, as it is read: the
// lines themselves are those of addressbook/group_index_lines.h.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "addressbook/group_index_lines.h"

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
    // Whether a Ctrl-Z was taken: the host reads nothing of the index after it.
    bool holds_ctrl_z() const { return holds_ctrl_z_; }

  private:
    void Add(std::string_view lines);

    std::string address_;
    std::string open_line_;  // a line whose end is in a later piece
    GroupIndexScan scan_;
    std::uint64_t taken_ = 0;
    std::string last_byte_;
    bool holds_ctrl_z_ = false;
};

}  // namespace tandrel
