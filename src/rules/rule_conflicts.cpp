#include "rules/rule_conflicts.h"

#include <algorithm>
#include <functional>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "rules/rule_reader.h"

namespace tandrel {

namespace {

constexpr std::size_t kNone = static_cast<std::size_t>(-1);

// A condition as the conflicts tell it apart: its header and value, as views
// into the model.
struct ConditionKey {
    std::string_view header;
    std::string_view value;
    bool operator==(const ConditionKey& other) const {
        return header == other.header && value == other.value;
    }
};

struct ConditionKeyHash {
    std::size_t operator()(const ConditionKey& key) const {
        const std::hash<std::string_view> hash;
        return hash(key.header) * 31U ^ hash(key.value);
    }
};

// Where one condition stands, and the next place of the same condition.
struct ConditionPlace {
    std::size_t block = 0;                // its block's place among all blocks
    const std::string* folder = nullptr;  // that block's target folder
    int line = 0;
    std::size_t next = kNone;
};

RuleConflict ConflictOf(const ConditionKey& key, RuleConflict::Kind kind) {
    RuleConflict conflict;
    conflict.kind = kind;
    conflict.header = std::string(key.header);
    conflict.value = std::string(key.value);
    return conflict;
}

// The conflicts of one condition found in more than one place.
void AddConflicts(const ConditionKey& key, const std::vector<ConditionPlace>& places,
                  std::size_t first, std::vector<RuleConflict>& conflicts) {
    RuleConflict folders = ConflictOf(key, RuleConflict::Kind::SeveralFolders);
    std::unordered_set<std::string_view> folders_seen;
    std::vector<RuleConflict> repeated;  // one per block that holds it twice or more
    std::size_t repeated_block = kNone;
    for (std::size_t at = first; at != kNone; at = places[at].next) {
        const ConditionPlace& place = places[at];
        folders.lines.push_back(place.line);
        if (folders_seen.insert(*place.folder).second) {
            folders.folders.push_back(*place.folder);
        }
        // Places of one block follow each other in the chain.
        const std::size_t next = place.next;
        const bool same_block_next = next != kNone && places[next].block == place.block;
        if (same_block_next || repeated_block == place.block) {
            if (repeated_block != place.block) {
                repeated.push_back(ConflictOf(key, RuleConflict::Kind::RepeatedInBlock));
                repeated.back().folders.push_back(*place.folder);
                repeated_block = place.block;
            }
            repeated.back().lines.push_back(place.line);
        }
    }
    if (folders.folders.size() > 1) {
        conflicts.push_back(std::move(folders));
    }
    for (RuleConflict& conflict : repeated) {
        conflicts.push_back(std::move(conflict));
    }
}

}  // namespace

std::vector<RuleConflict> FindRuleConflicts(std::string_view text) {
    RuleFileLines lines;
    const RuleFile rule_file = ParseRuleFile(text, nullptr, &lines);
    std::size_t count = 0;
    for (const std::vector<int>& block_lines : lines.condition_lines) {
        count += block_lines.size();
    }
    // Every condition of a folder rule, in file order; the places of one
    // condition are chained, from its first place (its head) on, through
    // one lookup each.
    std::vector<ConditionPlace> places;
    std::vector<bool> is_head;
    places.reserve(count);
    is_head.reserve(count);
    std::unordered_map<ConditionKey, std::size_t, ConditionKeyHash> last_place;
    last_place.reserve(count);
    std::size_t block = 0;
    for (const RuleBlock& rule_block : rule_file.blocks) {
        const std::vector<int>& condition_lines = lines.condition_lines[block];
        std::size_t i = 0;
        for (const RuleCondition& condition : rule_block.conditions) {
            const int line = condition_lines[i++];
            if (rule_block.kind != kMoveKind) {
                continue;
            }
            const std::size_t place = places.size();
            places.push_back({block, &rule_block.argument, line, kNone});
            const auto [last, added] =
                last_place.emplace(ConditionKey{condition.header, condition.value}, place);
            is_head.push_back(added);
            if (!added) {
                places[last->second].next = place;
                last->second = place;
            }
        }
        ++block;
    }
    std::vector<RuleConflict> conflicts;
    std::size_t at = 0;
    for (const RuleBlock& rule_block : rule_file.blocks) {
        if (rule_block.kind != kMoveKind) {
            continue;
        }
        for (const RuleCondition& condition : rule_block.conditions) {
            if (is_head[at] && places[at].next != kNone) {
                AddConflicts({condition.header, condition.value}, places, at, conflicts);
            }
            ++at;
        }
    }
    std::stable_sort(conflicts.begin(), conflicts.end(),
                     [](const RuleConflict& a, const RuleConflict& b) {
                         return a.lines.front() < b.lines.front();
                     });
    return conflicts;
}

}  // namespace tandrel
