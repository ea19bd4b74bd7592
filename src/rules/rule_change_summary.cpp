#include "rules/rule_change_summary.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <tuple>
#include <unordered_map>
#include <vector>

#include "resources/string_table.h"
#include "rules/rule_lines.h"
#include "rules/rule_reader.h"
#include "text/one_line.h"

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

// The target a change names: a folder, or another kind's argument after its
// kind, which names no folder.
FindingField TargetField(const RuleKey& key) {
    return key.kind == kMoveKind
               ? FolderField({std::string(key.target)})
               : Field(ShownText(std::string(1, key.kind) + ":" + std::string(key.target)));
}

// A condition added or removed: which text says it, by its mark and whether
// it counts more than once.
int ConditionChangeText(bool added, bool mark, bool times) {
    if (added) {
        return mark ? (times ? IDS_CHANGE_ADDED_TIMES : IDS_CHANGE_ADDED)
                    : (times ? IDS_CHANGE_ADDED_X_TIMES : IDS_CHANGE_ADDED_X);
    }
    return mark ? (times ? IDS_CHANGE_REMOVED_TIMES : IDS_CHANGE_REMOVED)
                : (times ? IDS_CHANGE_REMOVED_X_TIMES : IDS_CHANGE_REMOVED_X);
}

}  // namespace

std::vector<Finding> SummarizeRuleFiles(const RuleFile& before, const RuleFile& after,
                                        bool put_back) {
    RuleCounts condition_counts;
    RuleCounts block_counts;
    Count(after, 1, condition_counts, block_counts);
    Count(before, -1, condition_counts, block_counts);
    const auto conditions = Differences(condition_counts);
    const auto blocks = Differences(block_counts);
    std::vector<Finding> changes;
    const auto add = [&changes](int text, std::vector<FindingField> fields, int times) {
        if (times != 1) {
            fields.push_back(Field(std::to_string(times)));
        }
        changes.push_back(MakeFinding(text, std::move(fields)));
    };
    for (const bool added : {true, false}) {
        for (const auto& [key, difference] : conditions) {
            if ((difference > 0) == added) {
                const int times = added ? difference : -difference;
                add(ConditionChangeText(added, key.mark, times != 1),
                    {Field(ShownText(key.header)), Field(ShownText(key.value)), TargetField(key)},
                    times);
            }
        }
    }
    for (const auto& [key, difference] : blocks) {
        const int times = difference > 0 ? difference : -difference;
        const bool added = difference > 0;
        add(added ? (times != 1 ? IDS_CHANGE_BLOCK_ADDED_TIMES : IDS_CHANGE_BLOCK_ADDED)
                  : (times != 1 ? IDS_CHANGE_BLOCK_REMOVED_TIMES : IDS_CHANGE_BLOCK_REMOVED),
            {TargetField(key)}, times);
    }
    std::vector<Finding> summary;
    if (!put_back && !TandrelCouldMake(conditions, blocks, before.settings == after.settings)) {
        summary.push_back(MakeFinding(IDS_CHANGE_OUTSIDE));
    }
    if (changes.empty() && summary.empty()) {
        return {MakeFinding(IDS_CHANGE_LAYOUT)};
    }
    for (std::size_t i = 0; i < changes.size() && i < kNamedChanges; ++i) {
        summary.push_back(std::move(changes[i]));
    }
    if (changes.size() > kNamedChanges) {
        summary.push_back(
            MakeFinding(IDS_CHANGE_MORE, {Field(std::to_string(changes.size() - kNamedChanges))}));
    }
    return summary;
}

namespace {

// How many bytes two texts share at their start; compared a block at a time,
// since neighbouring versions share nearly all of them.
std::size_t CommonPrefix(std::string_view a, std::string_view b) {
    constexpr std::size_t kBlock = 4096;
    const std::size_t most = std::min(a.size(), b.size());
    std::size_t same = 0;
    while (same + kBlock <= most && std::memcmp(a.data() + same, b.data() + same, kBlock) == 0) {
        same += kBlock;
    }
    while (same < most && a[same] == b[same]) {
        ++same;
    }
    return same;
}

// How many bytes two texts share at their end, at most `most`.
std::size_t CommonSuffix(std::string_view a, std::string_view b, std::size_t most) {
    constexpr std::size_t kBlock = 4096;
    const char* const a_end = a.data() + a.size();
    const char* const b_end = b.data() + b.size();
    std::size_t same = 0;
    while (same + kBlock <= most &&
           std::memcmp(a_end - same - kBlock, b_end - same - kBlock, kBlock) == 0) {
        same += kBlock;
    }
    while (same < most && *(a_end - same - 1) == *(b_end - same - 1)) {
        ++same;
    }
    return same;
}

// The start of the first line that begins with ":Begin", or npos.
std::size_t FirstBeginLine(std::string_view text) {
    for (std::size_t at = text.find(kBeginMark); at != std::string_view::npos;
         at = text.find(kBeginMark, at + 1)) {
        if (at == 0 || text[at - 1] == '\n') {
            return at;
        }
    }
    return std::string_view::npos;
}

// The stretch of two texts that holds every difference and begins and ends
// where the reader is outside any block in both: everything before `begin`
// and after the ends is the same in both, and read the same way.
struct ChangedStretch {
    std::size_t begin = 0;
    std::size_t before_end = 0;
    std::size_t after_end = 0;
    bool after_a_block = false;  // a ":Begin" line stands before `begin`
};

// The reader is outside any block after a line that begins with ":End",
// whatever it read before: such a line closes a block, fails as an action
// line (its third character is no ":") or is dropped. So the stretch begins
// after the last such line before the first difference, and ends after the
// first such line after the last.
ChangedStretch FindChangedStretch(std::string_view before, std::string_view after) {
    ChangedStretch stretch;
    const std::size_t prefix = CommonPrefix(before, after);
    const std::size_t line_start = before.substr(0, prefix).rfind('\n');
    stretch.begin = line_start == std::string_view::npos ? 0 : line_start + 1;
    const std::size_t suffix =
        CommonSuffix(before, after, std::min(before.size(), after.size()) - stretch.begin);

    // Back from the first difference to the line after an ":End" line.
    std::size_t begin = 0;
    for (std::size_t line_end = stretch.begin; line_end > 0;) {
        const std::size_t previous = before.substr(0, line_end - 1).rfind('\n');
        const std::size_t line = previous == std::string_view::npos ? 0 : previous + 1;
        if (IsEndLine(before.substr(line, line_end - line))) {
            begin = line_end;
            break;
        }
        line_end = line;
    }
    const std::size_t first_begin = FirstBeginLine(before);
    stretch.after_a_block = begin > 0 && first_begin < begin;
    stretch.begin = stretch.after_a_block ? begin : 0;

    // On from the first whole line of the common end to after an ":End" line.
    const std::size_t shared_from = before.size() - suffix;
    std::size_t end = before.size();
    const std::size_t first_line_end = before.find('\n', shared_from);
    for (std::size_t at = first_line_end == std::string_view::npos ? before.size()
                                                                   : first_line_end + 1;
         at < before.size();) {
        const RuleLine line = RuleLineAt(before, at);
        if (IsEndLine(ContentOf(before, line))) {
            end = line.end;
            break;
        }
        at = line.end;
    }
    stretch.before_end = end;
    stretch.after_end = after.size() - (before.size() - end);
    // Where no block stood before the stretch, the lines after it read alike
    // only when a block began within it in both texts.
    if (!stretch.after_a_block &&
        (first_begin >= stretch.before_end || FirstBeginLine(after) >= stretch.after_end)) {
        stretch.before_end = before.size();
        stretch.after_end = after.size();
    }
    return stretch;
}

}  // namespace

std::vector<Finding> SummarizeRuleChange(std::string_view before, std::string_view after,
                                         bool put_back) {
    if (before == after) {
        return {MakeFinding(IDS_CHANGE_NONE)};
    }
    // Only the stretch that differs is read: what stands around it is the
    // same in both texts and adds as much to one side of the counts as to
    // the other.
    const ChangedStretch stretch = FindChangedStretch(before, after);
    return SummarizeRuleFiles(
        ParseRuleStretch(before.substr(stretch.begin, stretch.before_end - stretch.begin),
                         stretch.after_a_block),
        ParseRuleStretch(after.substr(stretch.begin, stretch.after_end - stretch.begin),
                         stretch.after_a_block),
        put_back);
}

std::vector<std::vector<Finding>> SummarizeHistory(const std::vector<HistoryText>& texts) {
    std::vector<std::vector<Finding>> summaries;
    for (std::size_t version = 1; version < texts.size(); ++version) {
        const HistoryText& older = texts[version];
        const HistoryText& newer = texts[version - 1];
        if (!older.read) {
            summaries.push_back({MakeFinding(IDS_HISTORY_UNREADABLE)});
            continue;
        }
        if (!newer.read) {
            summaries.emplace_back();
            continue;
        }
        // An undo puts back the bytes of an older version.
        const auto same_bytes = [&newer](const HistoryText& text) {
            return text.read && text.hash == newer.hash && text.text == newer.text;
        };
        const bool put_back = std::any_of(texts.begin() + static_cast<std::ptrdiff_t>(version) + 1,
                                          texts.end(), same_bytes);
        summaries.push_back(SummarizeRuleChange(older.text, newer.text, put_back));
    }
    return summaries;
}

}  // namespace tandrel
