#include "rules/rule_text_edit.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "rules/rule_lines.h"
#include "rules/rule_reader.h"
#include "rules/rule_writer.h"
#include "text/one_line.h"
#include "text/text_search.h"

namespace tandrel {

namespace {

// Folder identifiers of one mailbox differ mostly at their end.
bool SameFolder(std::string_view a, std::string_view b) {
    return a.size() == b.size() && (a.empty() || a.back() == b.back()) && a == b;
}

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

// The start of the first line at or after `from` that begins with the end
// mark, or the text's size. Only such a line ends a block, so the body in
// between need not be read line by line: the search runs on the mark's
// rarest character, its "E".
std::size_t FindEndLine(std::string_view text, std::size_t from) {
    static_assert(kEndMark.size() > 1 && kEndMark[1] == 'E');
    const char* const data = text.data();
    for (std::size_t at = from; at < text.size();) {
        const void* found = std::memchr(data + at, 'E', text.size() - at);
        if (found == nullptr) {
            break;
        }
        const auto e = static_cast<std::size_t>(static_cast<const char*>(found) - data);
        if (e >= from + 1 && (e - 1 == from || data[e - 2] == '\n') &&
            IsEndLine(text.substr(e - 1))) {
            return e - 1;
        }
        at = e + 1;
    }
    return text.size();
}

// Walks the blocks from the start of the text, as the reader finds them.
class BlockWalk {
  public:
    explicit BlockWalk(std::string_view text) : text_(text) {}

    // The next block into `block`; false at the text's end.
    bool Next(TextBlock& block) {
        while (at_ < text_.size()) {
            const RuleLine line = RuleLineAt(text_, at_);
            at_ = line.end;
            if (!IsBeginLine(ContentOf(text_, line))) {
                continue;
            }
            if (first_begin_ == std::string_view::npos) {
                first_begin_ = line.begin;
            }
            if (at_ >= text_.size()) {
                last_lone_begin_ = line.begin;  // the reader waits for an action line
                return false;
            }
            const RuleLine action = RuleLineAt(text_, at_);
            const std::string_view content = ContentOf(text_, action);
            at_ = action.end;
            if (!IsActionLine(content)) {
                continue;  // the reader drops this block
            }
            block.begin = line.begin;
            block.kind = content[1];
            block.argument = content.substr(3);
            block.body = action.end;
            block.end_line = FindEndLine(text_, block.body);
            block.open = block.end_line >= text_.size();
            block.end = block.open ? text_.size() : RuleLineAt(text_, block.end_line).end;
            at_ = block.end;
            return true;
        }
        return false;
    }

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

// The start of the first line in [from, to) that begins with ":Begin", or `to`.
std::size_t FirstBeginLine(std::string_view text, std::size_t from, std::size_t to) {
    for (std::size_t at = from; at < to;) {
        const RuleLine line = RuleLineAt(text, at);
        if (IsBeginLine(ContentOf(text, line))) {
            return at;
        }
        at = line.end;
    }
    return to;
}

// Whether a line in [from, to) holds "=": before the first ":Begin" the
// reader takes such a line for a setting.
bool HoldsASettingLine(std::string_view text, std::size_t from, std::size_t to) {
    return text.substr(from, to - from).find('=') != std::string_view::npos;
}

// Blocks at the head of the text that go: the lines outside blocks after
// them come to stand before the first ":Begin", where the reader takes a line
// holding "=" for a setting. Fed each block in order, it tells whether such
// a line would move there.
class LeadingRemovals {
  public:
    LeadingRemovals(std::string_view text, std::size_t first_begin)
        : text_(text), first_begin_(first_begin) {}

    void Take(const TextBlock& block, bool removed) {
        if (!leading_) {
            return;
        }
        if (run_end_ == std::string_view::npos) {
            leading_ = removed && block.begin == first_begin_;
            run_end_ = block.end;
            return;
        }
        // A ":Begin" the reader drops, or a block that stays, ends the run.
        const std::size_t stop = FirstBeginLine(text_, run_end_, block.begin);
        if (stop != block.begin || !removed) {
            Close(stop);
            return;
        }
        // The lines between two blocks that go move too.
        moves_a_setting_ = moves_a_setting_ || HoldsASettingLine(text_, run_end_, block.begin);
        run_end_ = block.end;
    }

    // After the last block: true when a setting line would move.
    bool MovesASetting() {
        if (leading_ && run_end_ != std::string_view::npos) {
            Close(FirstBeginLine(text_, run_end_, text_.size()));
        }
        return moves_a_setting_;
    }

  private:
    void Close(std::size_t stop) {
        moves_a_setting_ = moves_a_setting_ || HoldsASettingLine(text_, run_end_, stop);
        leading_ = false;
    }

    std::string_view text_;
    std::size_t first_begin_;
    bool leading_ = true;
    std::size_t run_end_ = std::string_view::npos;  // after the last block of the run
    bool moves_a_setting_ = false;
};

// The next line of `block`'s body from `at` that reads as a condition.
std::optional<ConditionFields> NextCondition(std::string_view text, const TextBlock& block,
                                             std::size_t at) {
    while (at < block.end_line) {
        const RuleLine line = RuleLineAt(text, at);
        if (auto condition = SplitConditionLine(ContentOf(text, line))) {
            return condition;
        }
        at = line.end;
    }
    return std::nullopt;
}

// Whether `block` keeps a condition: a line that reads as one and is not in
// `removed` (line starts, ascending).
bool KeepsACondition(std::string_view text, const TextBlock& block,
                     const std::vector<std::size_t>& removed) {
    const char* const data = text.data();
    for (std::size_t at = block.body; at < block.end_line;) {
        const auto* found =
            static_cast<const char*>(std::memchr(data + at, '\n', block.end_line - at));
        const std::size_t line_end =
            found == nullptr ? block.end_line : static_cast<std::size_t>(found - data);
        if (IsConditionLine(text.substr(at, line_end - at)) &&
            !std::binary_search(removed.begin(), removed.end(), at)) {
            return true;
        }
        at = line_end + 1;
    }
    return false;
}

// Lines (by their start, into `removed`) that delete-same takes out of
// `block`: a condition numbered 0 with the header and address, last of its
// block or followed by a condition numbered 0. `hit` walks the offsets where
// the text ":header:address<TAB>" stands, which every such line holds.
void FindSameConditions(std::string_view text, const TextBlock& block,
                        const RuleInsertion& insertion, const std::vector<std::size_t>& hits,
                        std::vector<std::size_t>::const_iterator& hit,
                        std::vector<std::size_t>& removed) {
    while (hit != hits.end() && *hit < block.body) {
        ++hit;
    }
    std::size_t at = block.body;
    for (; hit != hits.end() && *hit < block.end_line; ++hit) {
        // The line that holds the hit.
        RuleLine line = RuleLineAt(text, at);
        while (line.end <= *hit) {
            line = RuleLineAt(text, line.end);
        }
        const auto condition = SplitConditionLine(ContentOf(text, line));
        if (condition && IsSameCondition(condition->number, condition->header, condition->value,
                                         insertion.header, insertion.address)) {
            const auto next = NextCondition(text, block, line.end);
            if (SameConditionGoes(next ? std::optional(next->number) : std::nullopt)) {
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

}  // namespace

std::optional<std::vector<RuleTextEdit>> RuleTextEdits(std::string_view file_text,
                                                       const RuleInsertion& insertion) {
    // The host reads nothing after a Ctrl-Z: the one that ends a file stays
    // last, and the change goes before it.
    const std::string_view text = WithoutFinalCtrlZ(file_text);
    // The new condition, in every block of the folder or in a new block.
    const RuleCondition condition = NewRuleCondition(insertion.header, insertion.address);
    const std::string condition_line = FormatConditionLine(condition) + std::string(kHostLineEnd);
    RuleFile new_block_file;
    new_block_file.blocks.push_back({std::string(), kMoveKind, insertion.folder, {condition}});
    const std::string new_block = FormatRuleFile(new_block_file);
    const bool into_folder =
        insertion.place_mode == kPlaceEndOfFolder || insertion.place_mode == kPlaceTopOfFolder;
    // What a line appended at the text's end needs before it: a line end, or
    // the LF that makes a last CR one.
    const std::string last_line_end = text.empty() || text.back() == '\n' ? std::string()
                                      : text.back() == '\r'               ? std::string("\n")
                                                            : std::string(kHostLineEnd);

    // Delete-same looks only where ":header:address<TAB>" stands.
    std::vector<std::size_t> hits;
    if (insertion.delete_same) {
        hits = FindAllOccurrences(text, ":" + insertion.header + ":" + insertion.address + "\t");
    }
    auto hit = hits.cbegin();

    // One walk over the blocks; the edits come out in text order, an
    // insertion before a removal at the same place.
    std::vector<RuleTextEdit> edits;
    std::vector<std::size_t> removed;  // delete-same lines of the block at hand
    bool added = false;
    std::size_t first_block = std::string_view::npos;  // the first kept block's ":Begin"
    bool open_block_kept = false;                      // the text ends inside a block that stays
    BlockWalk walk(text);
    LeadingRemovals leading(text, std::string_view::npos);
    TextBlock block;
    while (walk.Next(block)) {
        if (first_block == std::string_view::npos) {
            first_block = block.begin;
            leading = LeadingRemovals(text, walk.first_begin());
        }
        removed.clear();
        if (insertion.delete_same && block.kind == kMoveKind) {
            FindSameConditions(text, block, insertion, hits, hit, removed);
        }
        const bool receives =
            into_folder && block.kind == kMoveKind && SameFolder(block.argument, insertion.folder);
        if (receives && insertion.place_mode == kPlaceTopOfFolder) {
            // Into an open block the text ends in right after its action line.
            edits.push_back(
                {block.body, block.body,
                 (block.body == text.size() ? last_line_end : std::string()) + condition_line});
        }
        const bool goes = !receives && !KeepsACondition(text, block, removed);
        leading.Take(block, goes);
        if (goes) {
            // Blocks left without a condition go, whatever their kind.
            edits.push_back({block.begin, block.end, std::string()});
        } else {
            for (const std::size_t line : removed) {
                edits.push_back({line, RuleLineAt(text, line).end, std::string()});
            }
            open_block_kept = block.open;
        }
        if (receives && insertion.place_mode == kPlaceEndOfFolder) {
            // At the end of an open block, after the text's last line.
            edits.push_back({block.end_line, block.end_line,
                             (block.open ? last_line_end : std::string()) + condition_line});
        }
        added = added || receives;
    }
    const bool new_first = insertion.place_mode == kPlaceNewBlockFirst ||
                           (insertion.place_mode == kPlaceTopOfFolder && !added);
    // Lines outside blocks that would come before the first ":Begin" and be
    // read as settings: no form the writer writes keeps them out.
    if (!new_first && leading.MovesASetting()) {
        return std::nullopt;
    }
    const bool new_last = insertion.place_mode == kPlaceNewBlockLast ||
                          (insertion.place_mode == kPlaceEndOfFolder && !added);
    const bool no_block = first_block == std::string_view::npos;
    if (new_first && !no_block) {
        // Ahead of every other edit, the first block's included.
        edits.insert(edits.begin(), RuleTextEdit{first_block, first_block, new_block});
    } else if ((new_last || new_first) && walk.last_lone_begin() != std::string_view::npos) {
        // Before the ":Begin" the text ends with, which holds no block: after
        // it, the reader would take the new block's first line for its
        // action line.
        edits.push_back({walk.last_lone_begin(), walk.last_lone_begin(), new_block});
    } else if (new_last || (new_first && no_block)) {
        // After the last line, ended first if it has no line end; a block the
        // text ends inside is closed first.
        std::string appended = last_line_end;
        if (open_block_kept) {
            appended += ":End \"\"";
            appended += kHostLineEnd;
        }
        edits.push_back({text.size(), text.size(), appended + new_block});
    }
    return edits;
}

std::vector<std::string_view> EditedPieces(std::string_view text,
                                           const std::vector<RuleTextEdit>& edits) {
    std::vector<std::string_view> pieces;
    pieces.reserve(2 * edits.size() + 1);
    std::size_t copied = 0;
    for (const RuleTextEdit& edit : edits) {
        pieces.push_back(text.substr(copied, edit.offset - copied));
        pieces.emplace_back(edit.text);
        copied = edit.end;
    }
    pieces.push_back(text.substr(copied));
    return pieces;
}

std::optional<std::string> InsertRuleIntoText(std::string_view text,
                                              const RuleInsertion& insertion) {
    const auto edits = RuleTextEdits(text, insertion);
    if (!edits) {
        return std::nullopt;
    }
    std::string out;
    for (const std::string_view piece : EditedPieces(text, *edits)) {
        out += piece;
    }
    return out;
}

}  // namespace tandrel
