// The lines of a group's index ("Group.idx") and card file, written once:
// how the host reads an index line, and the index line and vCard block of a
// new entry, each within the host's line limit.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tandrel {

// An entry's index line has exactly this many tab-separated fields:
// "offset<TAB>0<TAB>card file<TAB>name<TAB>address<TAB><TAB><TAB>sequence".
constexpr int kIndexEntryFields = 8;
// Where the fields the readers look at stand among them, counted from 0.
constexpr std::size_t kIndexOffsetField = 0;
constexpr std::size_t kIndexCardFileField = 2;
constexpr std::size_t kIndexAddressField = 4;
constexpr std::size_t kIndexSequenceField = 7;

// One line of the index as the reader takes it: up to its CR or LF (at
// `end`, or the text's size), its fields up to a NUL.
struct IndexLineFields {
    std::size_t end = 0;
    int fields = 1;
    std::optional<std::string_view> card_file;  // the third field, when a tab ends it
    std::string_view address;                   // the fifth field
};

// Reads the line that starts at `start`: it ends at LF or CR, and its fields
// end at a NUL.
IndexLineFields ReadIndexLine(std::string_view text, std::size_t start);

// Every field of the line ReadIndexLine read from `start` to `line.end`, as
// the reader takes them: up to the line's first NUL, split at tabs.
std::vector<std::string_view> IndexLineFieldTexts(std::string_view text, std::size_t start,
                                                  const IndexLineFields& line);

// Whether a text that ends with `last_bytes` (empty for an empty file) needs a
// line end before a line is appended, because its last line has none. Only a
// line feed ends a line the host reads: after a lone CR its read goes on, and
// it reads a line only up to a CR, so an entry after one would be lost to it.
bool NeedsLineEndBeforeAppend(std::string_view last_bytes);

// The vCard block of an entry, lines ending CR LF.
std::string CardBlock(const std::string& name, const std::string& address);

// The e-mail addresses of the vCard block that starts at byte `offset` of
// the card file text `cards` ("BEGIN:VCARD" up to "END:VCARD"): the values
// of its lines "EMAIL", any parameters, ":". Nullopt when no block starts
// there.
std::optional<std::vector<std::string_view>> CardBlockAddresses(std::string_view cards,
                                                                std::uint64_t offset);

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
