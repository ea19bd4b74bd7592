#include "rules/rule_text_edit.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <vector>

#include "rules/rule_reader.h"
#include "rules/rule_writer.h"

namespace tandrel {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

// One line: its bytes from `begin`, its content up to `content_end` (before a
// CR LF or LF), and the next line's start at `end`.
struct TextLine {
    std::size_t begin = 0;
    std::size_t content_end = 0;
    std::size_t end = 0;
};

TextLine LineAt(std::string_view text, std::size_t begin) {
    const void* found = std::memchr(text.data() + begin, '\n', text.size() - begin);
    TextLine line;
    line.begin = begin;
    if (found == nullptr) {
        line.content_end = line.end = text.size();
        return line;
    }
    line.content_end = static_cast<std::size_t>(static_cast<const char*>(found) - text.data());
    line.end = line.content_end + 1;
    if (line.content_end > begin && text[line.content_end - 1] == '\r') {
        --line.content_end;
    }
    return line;
}

std::string_view Content(std::string_view text, const TextLine& line) {
    return text.substr(line.begin, line.content_end - line.begin);
}

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

// A block the reader keeps: ":Begin", a well-formed action line, the body,
// ":End". Offsets into the text.
struct TextBlock {
    std::size_t begin = 0;     // the ":Begin" line
    std::size_t body = 0;      // the line after the action line
    std::size_t end_line = 0;  // the ":End" line
    std::size_t end = 0;       // after the ":End" line
    char kind = 0;
    std::string_view argument;
    bool removed = false;
};

struct TextBlocks {
    std::vector<TextBlock> blocks;
    std::size_t first_begin = std::string_view::npos;  // the first ":Begin" line of all
    bool stray_lines = false;  // lines outside any block after the first ":Begin"
};

// The start of the first line at or after `from` that begins with ":End",
// or the text's size. Only such a line ends a block, so the body in between
// need not be read line by line: the search runs on the rarest character.
std::size_t FindEndLine(std::string_view text, std::size_t from) {
    const char* const data = text.data();
    for (std::size_t at = from; at < text.size();) {
        const void* found = std::memchr(data + at, 'E', text.size() - at);
        if (found == nullptr) {
            break;
        }
        const auto e = static_cast<std::size_t>(static_cast<const char*>(found) - data);
        if (e >= from + 1 && data[e - 1] == ':' && (e - 1 == from || data[e - 2] == '\n') &&
            text.compare(e + 1, 2, "nd") == 0) {
            return e - 1;
        }
        at = e + 1;
    }
    return text.size();
}

// The blocks, found as the reader finds them; false when the text ends
// inside a block (or right after a ":Begin").
bool FindBlocks(std::string_view text, TextBlocks& found) {
    std::vector<TextBlock>& blocks = found.blocks;
    for (std::size_t at = 0; at < text.size();) {
        const TextLine line = LineAt(text, at);
        at = line.end;
        if (!StartsWith(Content(text, line), ":Begin")) {
            if (found.first_begin != std::string_view::npos) {
                found.stray_lines = true;
            }
            continue;
        }
        if (found.first_begin == std::string_view::npos) {
            found.first_begin = line.begin;
        }
        if (at >= text.size()) {
            return false;  // a ":Begin" as the last line
        }
        const TextLine action = LineAt(text, at);
        const std::string_view content = Content(text, action);
        at = action.end;
        if (content.size() < 3 || content[2] != ':') {
            found.stray_lines = true;  // the reader drops this block
            continue;
        }
        TextBlock block;
        block.begin = line.begin;
        block.kind = content[1];
        block.argument = content.substr(3);
        block.body = action.end;
        block.end_line = FindEndLine(text, block.body);
        if (block.end_line >= text.size()) {
            return false;  // the text ends inside this block
        }
        block.end = LineAt(text, block.end_line).end;
        blocks.push_back(block);
        at = block.end;
    }
    return true;
}

// A change of the text: the bytes [offset, end) replaced by `text`.
struct Edit {
    std::size_t offset = 0;
    std::size_t end = 0;
    std::string text;
    const TextBlock* inside = nullptr;  // the block it changes from within
};

// The next line of `block`'s body from `at` that reads as a condition, whose
// line is not in `removed`.
std::optional<ConditionFields> NextCondition(std::string_view text, const TextBlock& block,
                                             std::size_t at,
                                             const std::vector<std::size_t>& removed) {
    while (at < block.end_line) {
        const TextLine line = LineAt(text, at);
        if (!std::binary_search(removed.begin(), removed.end(), line.begin)) {
            if (auto condition = SplitConditionLine(Content(text, line))) {
                return condition;
            }
        }
        at = line.end;
    }
    return std::nullopt;
}

// Whether the line at `at` reads as a condition line (as SplitConditionLine
// decides), in one pass over its bytes; `next` gets the next line's start.
bool IsConditionLineAt(std::string_view text, std::size_t at, std::size_t& next) {
    const char* const data = text.data();
    const std::size_t size = text.size();
    int state = 0;  // looking for: 0 the first ":", 1 the second, 2 the tab, 3 the mark, 4 its tab
    std::size_t i = at + 1;  // the first character is not examined
    if (at >= size || data[at] == '\n') {
        next = at < size ? at + 1 : size;
        return false;
    }
    bool condition = false;
    for (; i < size && data[i] != '\n'; ++i) {
        const char c = data[i];
        if (state == 3) {
            if (c != 'O' && c != 'X') {
                break;
            }
            state = 4;
        } else if (state == 4) {
            condition = c == '\t';
            break;
        } else if ((state < 2 && c == ':') || (state == 2 && c == '\t')) {
            ++state;
        }
    }
    const void* line_end = i < size ? std::memchr(data + i, '\n', size - i) : nullptr;
    next = line_end == nullptr
               ? size
               : static_cast<std::size_t>(static_cast<const char*>(line_end) - data) + 1;
    return condition;
}

// Whether `block` keeps a condition: a line that reads as one and is not in
// `removed`.
bool KeepsACondition(std::string_view text, const TextBlock& block,
                     const std::vector<std::size_t>& removed) {
    for (std::size_t at = block.body; at < block.end_line;) {
        std::size_t next = 0;
        if (IsConditionLineAt(text, at, next) &&
            !std::binary_search(removed.begin(), removed.end(), at)) {
            return true;
        }
        at = next;
    }
    return false;
}

// Lines (by their start) that delete-same takes out of `block`: a condition
// numbered 0 with the header and address, last of its block or followed by
// a condition numbered 0. `hits` are the offsets where the text
// ":header:address<TAB>" stands, which every such line holds.
void FindSameConditions(std::string_view text, const TextBlock& block,
                        const RuleInsertion& insertion, const std::vector<std::size_t>& hits,
                        std::vector<std::size_t>& removed) {
    auto hit = std::lower_bound(hits.begin(), hits.end(), block.body);
    std::size_t at = block.body;
    for (; hit != hits.end() && *hit < block.end_line; ++hit) {
        // The line that holds the hit.
        while (true) {
            const TextLine line = LineAt(text, at);
            if (line.end > *hit) {
                break;
            }
            at = line.end;
        }
        const TextLine line = LineAt(text, at);
        const auto condition = SplitConditionLine(Content(text, line));
        if (condition && condition->number == 0 && condition->header == insertion.header &&
            condition->value == insertion.address) {
            const auto next = NextCondition(text, block, line.end, removed);
            if (!next || next->number == 0) {
                removed.push_back(line.begin);
            }
        }
        // Later hits on the same line are the same line.
        while (std::next(hit) != hits.end() && *std::next(hit) < line.end) {
            ++hit;
        }
        at = line.end;
    }
}

std::vector<std::size_t> Occurrences(std::string_view text, std::string_view needle) {
    std::vector<std::size_t> found;
    const std::boyer_moore_horspool_searcher searcher(needle.begin(), needle.end());
    for (const char* from = text.data();;) {
        const char* const hit = std::search(from, text.data() + text.size(), searcher);
        if (hit == text.data() + text.size()) {
            break;
        }
        found.push_back(static_cast<std::size_t>(hit - text.data()));
        from = hit + 1;
    }
    return found;
}

}  // namespace

std::optional<std::string> InsertRuleIntoText(std::string_view text,
                                              const RuleInsertion& insertion) {
    TextBlocks found;
    if (!FindBlocks(text, found)) {
        return std::nullopt;
    }
    std::vector<TextBlock>& blocks = found.blocks;
    std::vector<Edit> edits;

    // Delete-same: the lines to take out, in text order.
    std::vector<std::size_t> removed;
    if (insertion.delete_same) {
        const std::vector<std::size_t> hits =
            Occurrences(text, ":" + insertion.header + ":" + insertion.address + "\t");
        for (const TextBlock& block : blocks) {
            if (block.kind == kMoveKind) {
                FindSameConditions(text, block, insertion, hits, removed);
            }
        }
        std::sort(removed.begin(), removed.end());
    }

    // The new condition, in every block of the folder or in a new block.
    RuleCondition condition;
    condition.header = insertion.header;
    condition.value = insertion.address;
    condition.flag_i = true;
    const std::string condition_line = FormatConditionLine(condition) + std::string(kLineEnd);
    RuleFile new_block_file;
    new_block_file.blocks.push_back({std::string(), kMoveKind, insertion.folder, {condition}});
    const std::string new_block = FormatRuleFile(new_block_file);

    bool added = false;
    std::vector<bool> received(blocks.size(), false);
    if (insertion.place_mode == kPlaceEndOfFolder || insertion.place_mode == kPlaceTopOfFolder) {
        for (std::size_t i = 0; i < blocks.size(); ++i) {
            const TextBlock& block = blocks[i];
            if (block.kind == kMoveKind && block.argument == insertion.folder) {
                const std::size_t at =
                    insertion.place_mode == kPlaceEndOfFolder ? block.end_line : block.body;
                edits.push_back({at, at, condition_line, &block});
                received[i] = added = true;
            }
        }
    }
    // A new block: last after the last line (ended first if it has no line
    // end), or first before the first block.
    const bool new_last = insertion.place_mode == kPlaceNewBlockLast ||
                          (insertion.place_mode == kPlaceEndOfFolder && !added);
    const bool new_first = insertion.place_mode == kPlaceNewBlockFirst ||
                           (insertion.place_mode == kPlaceTopOfFolder && !added);
    if (new_last || (new_first && blocks.empty())) {
        const bool ended = text.empty() || text.back() == '\n';
        edits.push_back({text.size(), text.size(),
                         (ended ? std::string() : std::string(kLineEnd)) + new_block, nullptr});
    } else if (new_first) {
        edits.push_back({blocks.front().begin, blocks.front().begin, new_block, nullptr});
    }

    // Blocks left without a condition go, whatever their kind.
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        TextBlock& block = blocks[i];
        if (!received[i] && !KeepsACondition(text, block, removed)) {
            if (block.begin == found.first_begin && found.stray_lines && !new_first) {
                // Lines the reader leaves out after the first block would
                // read as settings without it: the model knows what to keep.
                return std::nullopt;
            }
            block.removed = true;
            edits.push_back({block.begin, block.end, std::string(), nullptr});
        }
    }
    for (const TextBlock& block : blocks) {
        if (block.removed) {
            continue;
        }
        for (auto at = std::lower_bound(removed.begin(), removed.end(), block.body);
             at != removed.end() && *at < block.end_line; ++at) {
            edits.push_back({*at, LineAt(text, *at).end, std::string(), &block});
        }
    }

    // Insertions before removals at the same place; nothing inside a block
    // that goes.
    std::stable_sort(edits.begin(), edits.end(), [](const Edit& a, const Edit& b) {
        if (a.offset != b.offset) {
            return a.offset < b.offset;
        }
        return (a.end == a.offset) && (b.end != b.offset);
    });
    std::string out;
    out.reserve(text.size() + new_block.size() + condition_line.size() * 4);
    std::size_t copied = 0;
    for (const Edit& edit : edits) {
        if (edit.inside != nullptr && edit.inside->removed) {
            continue;
        }
        out.append(text.substr(copied, edit.offset - copied));
        out += edit.text;
        copied = edit.end;
    }
    out.append(text.substr(copied));
    return out;
}

}  // namespace tandrel
