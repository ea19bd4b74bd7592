#include "rules/rule_blocks.h"

#include <cstring>
#include <iterator>
#include <optional>

#include "rules/rule_lines.h"

namespace tandrel {

namespace {

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

}  // namespace

bool BlockWalk::Next(TextBlock& block) {
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
        const auto fields = SplitActionLine(ContentOf(text_, action));
        at_ = action.end;
        if (!fields) {
            continue;  // the reader drops this block
        }
        block.begin = line.begin;
        block.kind = fields->kind;
        block.argument = fields->argument;
        block.body = action.end;
        block.end_line = FindEndLine(text_, block.body);
        block.open = block.end_line >= text_.size();
        block.end = block.open ? text_.size() : RuleLineAt(text_, block.end_line).end;
        at_ = block.end;
        return true;
    }
    return false;
}

void FindSameConditions(std::string_view text, const TextBlock& block, std::string_view header,
                        std::string_view value, const std::vector<std::size_t>& hits,
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
                                         header, value)) {
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

}  // namespace tandrel
