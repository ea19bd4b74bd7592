// The edit of a rule file's text: one walk over its blocks gathers the
// edits in text order (the condition into the folder's blocks, delete-same's
// removals, the blocks left empty, the lines that would turn into settings),
// then the new block goes first or last where one is needed.
#include "rules/rule_text_edit.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "rules/rule_blocks.h"
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

// Blocks at the head of the text that go: the lines outside blocks after
// them come to stand before the first ":Begin", where the reader would take
// a line holding "=" for a setting. Fed each block in order, it gathers the
// removals of those lines. The host never read them, and a plain rewrite of
// the file drops every line between blocks.
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
        RemoveSettingLines(block.begin);
        run_end_ = block.end;
    }

    // After the last block: the removals, in text order.
    std::vector<RuleTextEdit> SettingLineRemovals() {
        if (leading_ && run_end_ != std::string_view::npos) {
            Close(FirstBeginLine(text_, run_end_, text_.size()));
        }
        return std::move(removals_);
    }

  private:
    // Every line from the end of the run up to `to` that holds "=" goes.
    void RemoveSettingLines(std::size_t to) {
        for (std::size_t at = run_end_; at < to;) {
            const RuleLine line = RuleLineAt(text_, at);
            if (text_.substr(at, line.end - at).find('=') != std::string_view::npos) {
                removals_.push_back({line.begin, line.end, std::string()});
            }
            at = line.end;
        }
    }

    void Close(std::size_t stop) {
        RemoveSettingLines(stop);
        leading_ = false;
    }

    std::string_view text_;
    std::size_t first_begin_;
    bool leading_ = true;
    std::size_t run_end_ = std::string_view::npos;  // after the last block of the run
    std::vector<RuleTextEdit> removals_;
};

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

// The text the insertion adds: the new condition's line, the new block, and
// what a line appended at the text's end needs before it.
struct AddedText {
    std::string condition_line;
    std::string new_block;
    std::string last_line_end;  // a line end, the LF that makes a last CR one, or nothing
};

AddedText AddedTextFor(std::string_view text, const RuleInsertion& insertion) {
    const RuleCondition condition = NewRuleCondition(insertion.header, insertion.address);
    RuleFile new_block_file;
    new_block_file.blocks.push_back({std::string(), kMoveKind, insertion.folder, {condition}});
    AddedText added;
    added.condition_line = FormatConditionLine(condition) + std::string(kHostLineEnd);
    added.new_block = FormatRuleFile(new_block_file);
    added.last_line_end = text.empty() || text.back() == '\n' ? std::string()
                          : text.back() == '\r'               ? std::string("\n")
                                                              : std::string(kHostLineEnd);
    return added;
}

// The edits of one walk over the blocks, in text order, and what the walk
// found for the new block's place.
struct BlockEdits {
    std::vector<RuleTextEdit> edits;
    bool added = false;                                // the condition went into a block
    std::size_t first_block = std::string_view::npos;  // the first kept block's ":Begin"
    bool open_block_kept = false;                      // the text ends inside a block that stays
    std::size_t last_lone_begin = std::string_view::npos;  // BlockWalk::last_lone_begin
    LeadingRemovals leading{std::string_view(), std::string_view::npos};
};

// The condition into every block of the folder, the same condition out of
// every folder, and the blocks left without a condition out; an insertion
// comes before a removal at the same place.
BlockEdits EditBlocks(std::string_view text, const RuleInsertion& insertion,
                      const AddedText& added) {
    const bool into_folder =
        insertion.place_mode == kPlaceEndOfFolder || insertion.place_mode == kPlaceTopOfFolder;
    // Delete-same looks only where ":header:address<TAB>" stands.
    std::vector<std::size_t> hits;
    if (insertion.delete_same) {
        hits = FindAllOccurrences(text, ConditionMiddle(insertion.header, insertion.address));
    }
    auto hit = hits.cbegin();
    BlockEdits result;
    std::vector<RuleTextEdit>& edits = result.edits;
    std::vector<std::size_t> removed;  // delete-same lines of the block at hand
    BlockWalk walk(text);
    for (TextBlock block; walk.Next(block);) {
        if (result.first_block == std::string_view::npos) {
            result.first_block = block.begin;
            result.leading = LeadingRemovals(text, walk.first_begin());
        }
        removed.clear();
        if (insertion.delete_same && block.kind == kMoveKind) {
            FindSameConditions(text, block, insertion.header, insertion.address, hits, hit,
                               removed);
        }
        const bool receives =
            into_folder && block.kind == kMoveKind && SameFolder(block.argument, insertion.folder);
        if (receives && insertion.place_mode == kPlaceTopOfFolder) {
            // Into an open block the text ends in right after its action line.
            edits.push_back({block.body, block.body,
                             (block.body == text.size() ? added.last_line_end : std::string()) +
                                 added.condition_line});
        }
        const bool goes = !receives && !KeepsACondition(text, block, removed);
        result.leading.Take(block, goes);
        if (goes) {
            // Blocks left without a condition go, whatever their kind.
            edits.push_back({block.begin, block.end, std::string()});
        } else {
            for (const std::size_t line : removed) {
                edits.push_back({line, RuleLineAt(text, line).end, std::string()});
            }
            result.open_block_kept = block.open;
        }
        if (receives && insertion.place_mode == kPlaceEndOfFolder) {
            // At the end of an open block, after the text's last line.
            edits.push_back(
                {block.end_line, block.end_line,
                 (block.open ? added.last_line_end : std::string()) + added.condition_line});
        }
        result.added = result.added || receives;
    }
    result.last_lone_begin = walk.last_lone_begin();
    return result;
}

// `more` (in text order) merged into `edits` (in text order).
void MergeInOrder(std::vector<RuleTextEdit>& edits, const std::vector<RuleTextEdit>& more) {
    const std::size_t walked = edits.size();
    edits.insert(edits.end(), more.begin(), more.end());
    std::inplace_merge(
        edits.begin(), edits.begin() + static_cast<std::ptrdiff_t>(walked), edits.end(),
        [](const RuleTextEdit& a, const RuleTextEdit& b) { return a.offset < b.offset; });
}

// The new block, first or last, where no block of the folder took the
// condition or a new block was asked for.
void AddNewBlock(std::string_view text, BlockEdits& walked, const AddedText& added, bool new_first,
                 bool new_last) {
    const bool no_block = walked.first_block == std::string_view::npos;
    if (new_first && !no_block) {
        // Ahead of every other edit, the first block's included.
        walked.edits.insert(walked.edits.begin(),
                            RuleTextEdit{walked.first_block, walked.first_block, added.new_block});
    } else if ((new_last || new_first) && walked.last_lone_begin != std::string_view::npos) {
        // Before the ":Begin" the text ends with, which holds no block: after
        // it, the reader would take the new block's first line for its
        // action line.
        walked.edits.push_back({walked.last_lone_begin, walked.last_lone_begin, added.new_block});
    } else if (new_last || (new_first && no_block)) {
        // After the last line, ended first if it has no line end; a block the
        // text ends inside is closed first.
        std::string appended = added.last_line_end;
        if (walked.open_block_kept) {
            appended += BlockMarkLine(kEndMark, std::string_view());
        }
        walked.edits.push_back({text.size(), text.size(), appended + added.new_block});
    }
}

}  // namespace

std::vector<RuleTextEdit> RuleTextEdits(std::string_view file_text,
                                        const RuleInsertion& insertion) {
    // The host reads nothing after a Ctrl-Z: the one that ends a file stays
    // last, and the change goes before it.
    const std::string_view text = WithoutFinalCtrlZ(file_text);
    const AddedText added = AddedTextFor(text, insertion);
    BlockEdits walked = EditBlocks(text, insertion, added);
    const bool new_first = insertion.place_mode == kPlaceNewBlockFirst ||
                           (insertion.place_mode == kPlaceTopOfFolder && !walked.added);
    // Lines outside blocks that would come before the first ":Begin" and be
    // read as settings go, unless the new block comes first.
    if (!new_first) {
        MergeInOrder(walked.edits, walked.leading.SettingLineRemovals());
    }
    const bool new_last = insertion.place_mode == kPlaceNewBlockLast ||
                          (insertion.place_mode == kPlaceEndOfFolder && !walked.added);
    AddNewBlock(text, walked, added, new_first, new_last);
    return std::move(walked.edits);
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

std::string InsertRuleIntoText(std::string_view text, const RuleInsertion& insertion) {
    const std::vector<RuleTextEdit> edits = RuleTextEdits(text, insertion);
    std::string out;
    for (const std::string_view piece : EditedPieces(text, edits)) {
        out += piece;
    }
    return out;
}

}  // namespace tandrel
