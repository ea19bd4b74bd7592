#include "rules/rule_change_summary.h"

#include <algorithm>
#include <functional>
#include <tuple>
#include <unordered_map>
#include <vector>

#include "rules/rule_reader.h"

namespace tandrel {

namespace {

// How many changes the line names before it only counts the rest.
constexpr std::size_t kNamedChanges = 3;

// A condition or a block (empty header and value, no mark) as the counts
// tell them apart, as views into the parsed files.
struct RuleKey {
    char kind = kMoveKind;
    std::string_view target;
    std::string_view header;
    std::string_view value;
    bool mark = true;
    bool operator==(const RuleKey& other) const {
        return kind == other.kind && mark == other.mark && target == other.target &&
               header == other.header && value == other.value;
    }
    bool operator<(const RuleKey& other) const {
        return std::tie(kind, target, header, value, mark) <
               std::tie(other.kind, other.target, other.header, other.value, other.mark);
    }
};

struct RuleKeyHash {
    std::size_t operator()(const RuleKey& key) const {
        const std::hash<std::string_view> hash;
        return (hash(key.target) * 31U ^ hash(key.header)) * 31U ^ hash(key.value) ^
               static_cast<std::size_t>(key.kind) ^ (key.mark ? 1U : 0U);
    }
};

using RuleCounts = std::unordered_map<RuleKey, int, RuleKeyHash>;

// Adds how often each condition and each block stands in `rule_file`, times
// `sign`, so that what differs between two files is left.
void Count(const RuleFile& rule_file, int sign, RuleCounts& conditions, RuleCounts& blocks) {
    for (const RuleBlock& block : rule_file.blocks) {
        blocks[{block.kind, block.argument, {}, {}, true}] += sign;
        for (const RuleCondition& condition : block.conditions) {
            conditions[{block.kind, block.argument, condition.header, condition.value,
                        condition.mark}] += sign;
        }
    }
}

// The keys that differ, in a fixed order, with their difference.
std::vector<std::pair<RuleKey, int>> Differences(const RuleCounts& counts) {
    std::vector<std::pair<RuleKey, int>> differences;
    for (const auto& [key, difference] : counts) {
        if (difference != 0) {
            differences.emplace_back(key, difference);
        }
    }
    std::sort(differences.begin(), differences.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    return differences;
}

// Whether one rewrite of Tandrel's can change the counts so: conditions
// added with one header and value, to folder blocks of one target, blocks
// added only for it; conditions removed only with that header and value
// from folder blocks (delete-same); blocks of any kind removed (emptied);
// the settings as they were.
bool TandrelCouldMake(const std::vector<std::pair<RuleKey, int>>& conditions,
                      const std::vector<std::pair<RuleKey, int>>& blocks, bool same_settings) {
    const RuleKey* added = nullptr;
    const RuleKey* any = nullptr;
    for (const auto& [key, difference] : conditions) {
        if (key.kind != kMoveKind) {
            return false;
        }
        if (any != nullptr && (key.header != any->header || key.value != any->value)) {
            return false;
        }
        any = &key;
        if (difference > 0) {
            if (!key.mark || (added != nullptr && key.target != added->target)) {
                return false;
            }
            added = &key;
        }
    }
    for (const auto& [key, difference] : blocks) {
        if (difference > 0 &&
            (added == nullptr || key.kind != kMoveKind || key.target != added->target)) {
            return false;
        }
    }
    return same_settings;
}

std::string DescribeCondition(const RuleKey& key) {
    return std::string(key.header) + " contains " + std::string(key.value) +
           (key.mark ? "" : " (X)");
}

// The target as the line shows it: a folder as it is, another kind's argument
// after its kind.
std::string DescribeTarget(const RuleKey& key) {
    return key.kind == kMoveKind ? std::string(key.target)
                                 : std::string(1, key.kind) + ":" + std::string(key.target);
}

std::string Summarize(const RuleFile& before, const RuleFile& after, bool put_back) {
    RuleCounts condition_counts;
    RuleCounts block_counts;
    Count(after, 1, condition_counts, block_counts);
    Count(before, -1, condition_counts, block_counts);
    const auto conditions = Differences(condition_counts);
    const auto blocks = Differences(block_counts);
    std::vector<std::string> changes;
    const auto add = [&changes](const std::string& change, int times) {
        changes.push_back(times == 1 ? change : change + " (" + std::to_string(times) + " times)");
    };
    for (const auto& [key, difference] : conditions) {
        if (difference > 0) {
            add("+ " + DescribeCondition(key) + " -> " + DescribeTarget(key), difference);
        }
    }
    for (const auto& [key, difference] : conditions) {
        if (difference < 0) {
            add("- " + DescribeCondition(key) + " removed from " + DescribeTarget(key),
                -difference);
        }
    }
    for (const auto& [key, difference] : blocks) {
        add((difference > 0 ? "block added for " : "block removed from ") + DescribeTarget(key),
            difference > 0 ? difference : -difference);
    }
    std::string summary;
    if (!put_back && !TandrelCouldMake(conditions, blocks, before.settings == after.settings)) {
        summary = "changed outside Tandrel";
    }
    if (changes.empty() && summary.empty()) {
        return "layout or settings changed";
    }
    for (std::size_t i = 0; i < changes.size() && i < kNamedChanges; ++i) {
        summary += (summary.empty() ? "" : "; ") + changes[i];
    }
    if (changes.size() > kNamedChanges) {
        summary += "; and " + std::to_string(changes.size() - kNamedChanges) + " more";
    }
    return summary;
}

}  // namespace

std::string SummarizeRuleChange(std::string_view before, std::string_view after) {
    if (before == after) {
        return "no change";
    }
    return Summarize(ParseRuleFile(before), ParseRuleFile(after), false);
}

std::vector<std::string> SummarizeHistory(const std::vector<std::string>& texts) {
    std::vector<std::string> summaries;
    if (texts.empty()) {
        return summaries;
    }
    RuleFile newer = ParseRuleFile(texts.front());
    for (std::size_t version = 1; version < texts.size(); ++version) {
        const std::string& after = texts[version - 1];
        RuleFile older = ParseRuleFile(texts[version]);
        if (texts[version] == after) {
            summaries.emplace_back("no change");
        } else {
            // An undo puts back the bytes of an older version.
            const bool put_back =
                std::find(texts.begin() + static_cast<std::ptrdiff_t>(version) + 1, texts.end(),
                          after) != texts.end();
            summaries.push_back(Summarize(older, newer, put_back));
        }
        newer = std::move(older);
    }
    return summaries;
}

}  // namespace tandrel
