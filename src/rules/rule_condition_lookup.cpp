#include "rules/rule_condition_lookup.h"

#include <algorithm>
#include <unordered_set>

#include "rules/rule_file.h"
#include "text/text_search.h"

namespace tandrel {

RuleConditionLookup::RuleConditionLookup(std::string text) : text_(std::move(text)) {
    BlockWalk walk(text_);
    for (TextBlock block; walk.Next(block);) {
        blocks_.push_back(block);
    }
}

std::vector<std::string> RuleConditionLookup::FoldersHolding(std::string_view header,
                                                             std::string_view value) const {
    const std::vector<std::size_t> hits =
        FindAllOccurrences(text_, SameConditionNeedle(header, value));
    std::vector<std::string> folders;
    std::unordered_set<std::string_view> listed;
    std::vector<std::size_t> lines;
    for (auto hit = hits.cbegin(); hit != hits.cend();) {
        // The block whose body holds the hit, if any.
        const auto block = std::upper_bound(
            blocks_.begin(), blocks_.end(), *hit,
            [](std::size_t at, const TextBlock& candidate) { return at < candidate.body; });
        if (block == blocks_.begin() || *hit >= std::prev(block)->end_line) {
            ++hit;  // outside every block's body
            continue;
        }
        const TextBlock& holder = *std::prev(block);
        lines.clear();
        FindSameConditions(text_, holder, header, value, hits, hit, lines);
        if (holder.kind == kMoveKind && !lines.empty() && listed.insert(holder.argument).second) {
            folders.emplace_back(holder.argument);
        }
    }
    return folders;
}

}  // namespace tandrel
