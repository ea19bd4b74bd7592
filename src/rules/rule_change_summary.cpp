#include "rules/rule_change_summary.h"

#include <map>
#include <tuple>
#include <vector>

#include "rules/rule_reader.h"

namespace tandrel {

namespace {

// How many changes the line names before it only counts the rest.
constexpr std::size_t kNamedChanges = 3;

struct ConditionKey {
    char kind = kMoveKind;
    std::string target;
    std::string header;
    std::string value;
    bool mark = true;
    bool operator<(const ConditionKey& other) const {
        return std::tie(kind, target, header, value, mark) <
               std::tie(other.kind, other.target, other.header, other.value, other.mark);
    }
};

struct BlockKey {
    char kind = kMoveKind;
    std::string target;
    bool operator<(const BlockKey& other) const {
        return std::tie(kind, target) < std::tie(other.kind, other.target);
    }
};

// How often each condition and each block stands in a rule file; the text's
// own count is added, the other's taken away, so what is left differs.
struct RuleCounts {
    std::map<ConditionKey, int> conditions;
    std::map<BlockKey, int> blocks;
};

void Count(std::string_view text, int sign, RuleCounts& counts) {
    for (const RuleBlock& block : ParseRuleFile(text).blocks) {
        counts.blocks[{block.kind, block.argument}] += sign;
        for (const RuleCondition& condition : block.conditions) {
            counts.conditions[{block.kind, block.argument, condition.header, condition.value,
                               condition.mark}] += sign;
        }
    }
}

std::string DescribeCondition(const ConditionKey& key) {
    return key.header + " contains " + key.value + (key.mark ? "" : " (X)");
}

// The target as the line shows it: a folder as it is, another kind's argument
// after its kind.
std::string DescribeTarget(char kind, const std::string& target) {
    return kind == kMoveKind ? target : std::string(1, kind) + ":" + target;
}

}  // namespace

std::string SummarizeRuleChange(std::string_view before, std::string_view after) {
    if (before == after) {
        return "no change";
    }
    RuleCounts counts;
    Count(after, 1, counts);
    Count(before, -1, counts);
    std::vector<std::string> changes;
    const auto add = [&changes](const std::string& change, int times) {
        changes.push_back(times == 1 ? change : change + " (" + std::to_string(times) + " times)");
    };
    for (const auto& [key, difference] : counts.conditions) {
        if (difference > 0) {
            add("+ " + DescribeCondition(key) + " -> " + DescribeTarget(key.kind, key.target),
                difference);
        }
    }
    for (const auto& [key, difference] : counts.conditions) {
        if (difference < 0) {
            add("- " + DescribeCondition(key) + " removed from " +
                    DescribeTarget(key.kind, key.target),
                -difference);
        }
    }
    for (const auto& [key, difference] : counts.blocks) {
        if (difference != 0) {
            add((difference > 0 ? "block added for " : "block removed from ") +
                    DescribeTarget(key.kind, key.target),
                difference > 0 ? difference : -difference);
        }
    }
    if (changes.empty()) {
        return "layout or settings changed";
    }
    std::string summary;
    for (std::size_t i = 0; i < changes.size() && i < kNamedChanges; ++i) {
        summary += (i == 0 ? "" : "; ") + changes[i];
    }
    if (changes.size() > kNamedChanges) {
        summary += "; and " + std::to_string(changes.size() - kNamedChanges) + " more";
    }
    return summary;
}

}  // namespace tandrel
