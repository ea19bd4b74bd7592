#include "addressbook/group_index.h"

#include "addressbook/group_index_lines.h"

#include <algorithm>
#include <cstdint>
#include <optional>

#include "text/bit_masks.h"
#include "text/one_line.h"
#include "text/simd.h"
#include "text/text_search.h"

namespace tandrel {

namespace {

// What a scan found in a stretch of whole lines.
struct RegionScan {
    bool duplicate = false;
    int entry_count = 0;
    std::optional<std::string_view> card_file_name;  // of the last line with one
};

// The scan one line after another, for any text.
RegionScan ScanLineByLine(std::string_view text, std::string_view address) {
    RegionScan scan;
    for (std::size_t start = 0; start < text.size();) {
        const IndexLineFields line = ReadIndexLine(text, start);
        start = line.end + 1;  // past the line end
        if (line.card_file) {
            scan.card_file_name = line.card_file;
        }
        if (line.fields != kIndexEntryFields) {
            continue;
        }
        if (line.address == address) {
            scan.duplicate = true;
            break;
        }
        ++scan.entry_count;
    }
    return scan;
}

bool IsLineEnd(char c) {
    return c == '\r' || c == '\n';
}

// The start of the line that holds `at`.
std::size_t LineStartOf(std::string_view text, std::size_t at) {
    while (at > 0 && !IsLineEnd(text[at - 1])) {
        --at;
    }
    return at;
}

#ifdef TANDREL_SSE2
// A bit for each of the 64 bytes from `data`: which are tabs, and which end
// a line (CR or LF).
struct BlockBits {
    std::uint64_t tabs = 0;
    std::uint64_t line_ends = 0;
};

BlockBits LowBytesOf(const char* data) {
    const __m128i tab = _mm_set1_epi8('\t');
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    BlockBits bits;
    for (std::size_t lane = 0; lane < 4; ++lane) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + 16 * lane));
        const auto tabs = static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, tab)));
        const auto line_ends = static_cast<std::uint32_t>(
            _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(bytes, cr), _mm_cmpeq_epi8(bytes, lf))));
        bits.tabs |= std::uint64_t{tabs} << (16 * lane);
        bits.line_ends |= std::uint64_t{line_ends} << (16 * lane);
    }
    return bits;
}
#endif

// The lines of exactly eight fields in [0, end) of a text without NUL: a
// line's tabs counted from its tab and line-end bits, 64 bytes at a time.
int CountEntryLines(std::string_view text, std::size_t end) {
    const char* const data = text.data();
    int entries = 0;
    int tabs = 0;  // in the line at hand so far
    std::size_t at = 0;
#ifdef TANDREL_SSE2
    constexpr std::size_t kBlock = 64;
    for (; at + kBlock <= end; at += kBlock) {
        const BlockBits bits = LowBytesOf(data + at);
        std::uint64_t tab_bits = bits.tabs;
        std::uint64_t end_bits = bits.line_ends;
        for (; end_bits != 0; end_bits &= end_bits - 1) {
            const unsigned line_end = LowestSetBit(end_bits);
            const std::uint64_t before = (std::uint64_t{1} << line_end) - 1;
            tabs += CountSetBits(tab_bits & before);
            entries += tabs == kIndexEntryFields - 1 ? 1 : 0;
            tabs = 0;
            tab_bits &= ~before;
        }
        tabs += CountSetBits(tab_bits);
    }
#endif
    for (; at < end; ++at) {
        if (data[at] == '\t') {
            ++tabs;
        } else if (IsLineEnd(data[at])) {
            entries += tabs == kIndexEntryFields - 1 ? 1 : 0;
            tabs = 0;
        }
    }
    return entries + (tabs == kIndexEntryFields - 1 ? 1 : 0);  // a last line without its end
}

// The scan of a stretch of whole lines (the last may lack its end).
RegionScan ScanRegion(std::string_view text, std::string_view address) {
    if (text.find('\0') != std::string_view::npos) {
        return ScanLineByLine(text, address);  // a NUL cuts its line: read each in full
    }
    // A duplicate's fifth field stands between tabs; only the lines where
    // that text stands are read field by field.
    RegionScan scan;
    std::size_t stop = text.size();  // the duplicate's line, or the end
    std::size_t last_line_end = text.size();
    if (address.find_first_of(std::string_view("\t\r\n", 3)) == std::string_view::npos) {
        const std::string needle = "\t" + std::string(address) + "\t";
        std::size_t read_to = 0;  // the end of the last line read: each is read once
        for (const std::size_t hit : FindAllOccurrences(text, needle)) {
            if (hit < read_to) {
                continue;  // in the line read already
            }
            const std::size_t start = LineStartOf(text, hit);
            const IndexLineFields line = ReadIndexLine(text, start);
            read_to = line.end;
            if (line.fields == kIndexEntryFields && line.address == address) {
                scan.duplicate = true;
                stop = start;
                last_line_end = line.end;
                break;
            }
        }
    }
    scan.entry_count = CountEntryLines(text, stop);
    // The card file name is the last read line's that has a third field.
    for (std::size_t line_end = last_line_end;;) {
        const std::size_t start = LineStartOf(text, line_end);
        if (start < text.size()) {
            const IndexLineFields line = ReadIndexLine(text, start);
            if (line.card_file) {
                scan.card_file_name = line.card_file;
                break;
            }
        }
        if (start == 0) {
            break;
        }
        line_end = start - 1;
    }
    return scan;
}

}  // namespace

GroupIndexScan ScanGroupIndex(std::string_view index_text, std::string_view address) {
    GroupIndexScanner scanner(address);
    scanner.Take(index_text);
    return scanner.Result();
}

GroupIndexScanner::GroupIndexScanner(std::string_view address) : address_(address) {}

void GroupIndexScanner::Take(std::string_view piece) {
    taken_ += piece.size();
    if (!piece.empty()) {
        last_byte_.assign(1, piece.back());
    }
    holds_ctrl_z_ = holds_ctrl_z_ || piece.find(kTextEndOfFile) != std::string_view::npos;
    if (scan_.duplicate) {
        return;
    }
    if (!open_line_.empty()) {
        // The line begun in the pieces before ends at this piece's first line end.
        const std::size_t first_end = piece.find_first_of(std::string_view("\r\n", 2));
        if (first_end == std::string_view::npos) {
            open_line_ += piece;
            return;
        }
        open_line_ += piece.substr(0, first_end + 1);
        piece.remove_prefix(first_end + 1);
        Add(open_line_);
        open_line_.clear();
        if (scan_.duplicate) {
            return;
        }
    }
    // Whole lines now; what follows the last line end waits for the next piece.
    const std::size_t last_end = piece.find_last_of(std::string_view("\r\n", 2));
    if (last_end == std::string_view::npos) {
        open_line_ = std::string(piece);
        return;
    }
    Add(piece.substr(0, last_end + 1));
    if (!scan_.duplicate) {
        open_line_ = std::string(piece.substr(last_end + 1));
    }
}

GroupIndexScan GroupIndexScanner::Result() {
    if (!scan_.duplicate && !open_line_.empty()) {
        Add(open_line_);  // a last line without its end
        open_line_.clear();
    }
    return scan_;
}

void GroupIndexScanner::Add(std::string_view lines) {
    const RegionScan region = ScanRegion(lines, address_);
    scan_.duplicate = region.duplicate;
    scan_.entry_count += region.entry_count;
    if (region.card_file_name) {
        scan_.card_file_name = std::string(*region.card_file_name);
    }
}

}  // namespace tandrel
