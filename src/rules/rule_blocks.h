// The blocks of a rule file's text as the reader finds them, without taking
// the text apart: a walk that reads the ":Begin" and action lines and finds
// each ":End" by a search, and the conditions "Delete same condition" takes
// out of a block. Shared by the edit of the text and the lookup of where a
// condition stands.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tandrel {

// A block the reader keeps: ":Begin", a well-formed action line, the body,
// ":End". Offsets into the text. The last block may be open: the text ends
// inside it, and the reader closes it there.
struct TextBlock {
    std::size_t begin = 0;     // the ":Begin" line
    std::size_t body = 0;      // the line after the action line
    std::size_t end_line = 0;  // the ":End" line, or the text's end
    std::size_t end = 0;       // after the ":End" line, or the text's end
    bool open = false;         // no ":End" line: the text ends inside the block
    char kind = 0;
    std::string_view argument;
};

// Walks the blocks from the start of the text, as the reader finds them.
class BlockWalk {
  public:
    explicit BlockWalk(std::string_view text) : text_(text) {}

    // The next block into `block`; false at the text's end.
    bool Next(TextBlock& block);

    // The first ":Begin" line of all, kept or dropped.
    std::size_t first_begin() const { return first_begin_; }
    // The ":Begin" line the text ends with, where the reader would take the
    // next line for that block's action line; npos when there is none.
    std::size_t last_lone_begin() const { return last_lone_begin_; }

  private:
    std::string_view text_;
    std::size_t at_ = 0;
    std::size_t first_begin_ = std::string_view::npos;
    std::size_t last_lone_begin_ = std::string_view::npos;
};

// Lines (by their start, into `removed`) that delete-same takes out of
// `block`: a condition numbered 0 with `header` and `value`, last of its
// block or followed by a condition numbered 0. `hit` walks `hits`, the
// offsets where the text ":header:value<TAB>" stands (ConditionMiddle),
// which every such line holds; it is left past the block.
void FindSameConditions(std::string_view text, const TextBlock& block, std::string_view header,
                        std::string_view value, const std::vector<std::size_t>& hits,
                        std::vector<std::size_t>::const_iterator& hit,
                        std::vector<std::size_t>& removed);

}  // namespace tandrel
