#include "rules/rule_condition_lookup.h"

#include <algorithm>
#include <functional>
#include <optional>

#include "rules/rule_blocks.h"
#include "rules/rule_file.h"
#include "rules/rule_lines.h"

namespace tandrel {

namespace {

// Past this many folders, whether a condition already stands in a folder is
// looked up in a set rather than by walking its places.
constexpr std::uint32_t kWalkedPlaces = 8;

// About the bytes a condition takes in a rule file, and the most of a file
// the table is first sized for.
constexpr std::size_t kBytesPerCondition = 32;
constexpr std::size_t kFirstSizedBytes = std::size_t{8} * 1024 * 1024;

// A condition is named by "header:value" as it stands in its line: the
// header holds no ":", so the two together name it.

std::uint64_t HashKey(std::string_view key) {
    return std::hash<std::string_view>()(key);
}

std::uint64_t Tag(std::uint64_t hash) {
    return hash & 0xFFFFFFFF00000000ULL;
}

}  // namespace

RuleConditionLookup::RuleConditionLookup(std::string text) : text_(std::move(text)) {
    // Sized for a file of distinct conditions, at most a few MB at first; it
    // grows with what the file holds, not with its size.
    std::size_t slots = 64;
    while (slots < std::min(text_.size(), kFirstSizedBytes) / kBytesPerCondition * 2) {
        slots *= 2;
    }
    table_.assign(slots, 0);
    conditions_.reserve(slots / 2);
    places_.reserve(slots / 2);
    BlockWalk walk(text_);
    for (TextBlock block; walk.Next(block);) {
        if (block.kind != kMoveKind) {
            continue;
        }
        // Delete-same takes a condition numbered 0 that is the last of its
        // block or followed by one numbered 0: each is known at the next.
        std::optional<std::string_view> waiting;  // the last condition numbered 0
        for (std::size_t at = block.body; at < block.end_line;) {
            const RuleLine line = RuleLineAt(text_, at);
            at = line.end;
            const std::string_view content = ContentOf(text_, line);
            const auto ends = FindConditionFields(content);
            if (!ends) {
                continue;
            }
            const bool numbered_0 = IsNumberedZero(content, *ends);
            if (waiting && numbered_0) {
                Add(*waiting, block.argument);
            }
            waiting.reset();
            if (numbered_0) {
                waiting = ConditionKeyOf(content, *ends);
            }
        }
        if (waiting) {
            Add(*waiting, block.argument);
        }
    }
}

RuleConditionLookup::~RuleConditionLookup() = default;

const RuleConditionLookup::Condition* RuleConditionLookup::FindKey(std::string_view key,
                                                                   std::uint64_t hash) const {
    const std::size_t mask = table_.size() - 1;
    for (auto slot = static_cast<std::size_t>(hash & mask);; slot = (slot + 1) & mask) {
        const std::uint64_t entry = table_[slot];
        if (entry == 0) {
            return nullptr;
        }
        const Condition& condition = conditions_[static_cast<std::size_t>(entry & 0xFFFFFFFF) - 1];
        if (Tag(entry) == Tag(hash) && condition.hash == hash && condition.key == key) {
            return &condition;
        }
    }
}

RuleConditionLookup::Condition& RuleConditionLookup::FindOrAdd(std::string_view key) {
    const std::uint64_t hash = HashKey(key);
    const std::size_t mask = table_.size() - 1;
    auto slot = static_cast<std::size_t>(hash & mask);
    for (;; slot = (slot + 1) & mask) {
        const std::uint64_t entry = table_[slot];
        if (entry == 0) {
            break;
        }
        Condition& condition = conditions_[static_cast<std::size_t>(entry & 0xFFFFFFFF) - 1];
        if (Tag(entry) == Tag(hash) && condition.hash == hash && condition.key == key) {
            return condition;
        }
    }
    conditions_.push_back({key, hash, kNone, kNone, 0, nullptr});
    table_[slot] = Tag(hash) | conditions_.size();
    if (conditions_.size() * 4 > table_.size() * 3) {
        Grow();
    }
    return conditions_.back();
}

void RuleConditionLookup::Grow() {
    std::vector<std::uint64_t> larger(table_.size() * 2, 0);
    const std::size_t mask = larger.size() - 1;
    for (std::size_t index = 0; index < conditions_.size(); ++index) {
        auto slot = static_cast<std::size_t>(conditions_[index].hash & mask);
        while (larger[slot] != 0) {
            slot = (slot + 1) & mask;
        }
        larger[slot] = Tag(conditions_[index].hash) | (index + 1);
    }
    table_.swap(larger);
}

void RuleConditionLookup::Add(std::string_view key, std::string_view folder) {
    Condition& condition = FindOrAdd(key);
    // Each folder once.
    if (condition.folders != nullptr) {
        if (!condition.folders->insert(folder).second) {
            return;
        }
    } else {
        for (std::uint32_t place = condition.first; place != kNone; place = places_[place].next) {
            if (places_[place].folder == folder) {
                return;
            }
        }
    }
    const auto index = static_cast<std::uint32_t>(places_.size());
    places_.push_back({folder, kNone});
    (condition.first == kNone ? condition.first : places_[condition.last].next) = index;
    condition.last = index;
    if (++condition.count == kWalkedPlaces) {
        condition.folders = std::make_unique<std::unordered_set<std::string_view>>();
        for (std::uint32_t place = condition.first; place != kNone; place = places_[place].next) {
            condition.folders->insert(places_[place].folder);
        }
    }
}

const RuleConditionLookup::Condition* RuleConditionLookup::Find(std::string_view header,
                                                                std::string_view value) const {
    // A header with a ":" is none a condition line can hold.
    if (header.find(':') != std::string_view::npos) {
        return nullptr;
    }
    const std::string key = ConditionKey(header, value);
    return FindKey(key, HashKey(key));
}

ConditionPlaces RuleConditionLookup::Places(std::string_view header, std::string_view value,
                                            std::size_t most) const {
    ConditionPlaces places;
    const Condition* condition = Find(header, value);
    if (condition == nullptr) {
        return places;
    }
    places.count = condition->count;
    for (std::uint32_t place = condition->first; place != kNone && places.first.size() < most;
         place = places_[place].next) {
        places.first.push_back(places_[place].folder);
    }
    return places;
}

bool RuleConditionLookup::Holds(std::string_view header, std::string_view value,
                                std::string_view folder) const {
    const Condition* condition = Find(header, value);
    if (condition == nullptr) {
        return false;
    }
    if (condition->folders != nullptr) {
        return condition->folders->count(folder) != 0;
    }
    for (std::uint32_t place = condition->first; place != kNone; place = places_[place].next) {
        if (places_[place].folder == folder) {
            return true;
        }
    }
    return false;
}

}  // namespace tandrel
