// Where a condition already stands in a rule file, for the Rule entry
// dialog's "already sorted into" line: the file's text kept and an index of
// its conditions built once, when the dialog opens, so that each lookup
// costs the same however many folders hold the condition. The index is flat
// (an open-addressed table over two arrays) so that building it over a file
// of 100,000 conditions costs a few milliseconds.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace tandrel {

// How many folders hold a condition, and the first of them in file order.
struct ConditionPlaces {
    std::size_t count = 0;
    std::vector<std::string_view> first;
};

class RuleConditionLookup {
  public:
    // Keeps `text` (a rule file's, as read) and indexes its conditions.
    explicit RuleConditionLookup(std::string text);
    // The index points into the kept text.
    RuleConditionLookup(const RuleConditionLookup&) = delete;
    RuleConditionLookup& operator=(const RuleConditionLookup&) = delete;
    ~RuleConditionLookup();

    // The targets of the folder rules (kind M) that hold the condition
    // `header`:`value` as delete-same takes it (numbered 0, the last of its
    // block or followed by one numbered 0), each once: how many, and the
    // first `most` of them in file order.
    ConditionPlaces Places(std::string_view header, std::string_view value, std::size_t most) const;

    // Whether `folder` is one of them.
    bool Holds(std::string_view header, std::string_view value, std::string_view folder) const;

  private:
    static constexpr std::uint32_t kNone = 0xFFFFFFFF;
    // One folder holding a condition; the next holding the same one.
    struct Place {
        std::string_view folder;
        std::uint32_t next = kNone;
    };
    // One condition, "header:value", and its places.
    struct Condition {
        std::string_view key;
        std::uint64_t hash = 0;
        std::uint32_t first = kNone;
        std::uint32_t last = kNone;
        std::uint32_t count = 0;
        // The folders, once there are too many to walk for each new one.
        std::unique_ptr<std::unordered_set<std::string_view>> folders;
    };

    const Condition* FindKey(std::string_view key, std::uint64_t hash) const;
    const Condition* Find(std::string_view header, std::string_view value) const;
    Condition& FindOrAdd(std::string_view key);
    void Add(std::string_view key, std::string_view folder);
    void Grow();

    std::string text_;
    std::vector<Condition> conditions_;
    std::vector<Place> places_;
    // (hash's high half << 32) | (condition index + 1); 0 is an empty slot.
    std::vector<std::uint64_t> table_;
};

}  // namespace tandrel
