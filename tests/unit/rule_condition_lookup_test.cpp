// Where a condition stands, found by searching the kept text, is where the
// model says delete-same would take it from: for texts of every sort.
#include "rules/rule_condition_lookup.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "helpers/random_rule_files.h"
#include "rules/rule_lines.h"
#include "rules/rule_reader.h"

namespace tandrel {
namespace {

// The folders whose blocks, read into the model, hold the condition as
// delete-same takes it.
std::vector<std::string> ModelFolders(const RuleFile& model, const std::string& header,
                                      const std::string& value) {
    std::vector<std::string> folders;
    for (const RuleBlock& block : model.blocks) {
        if (block.kind != kMoveKind ||
            std::find(folders.begin(), folders.end(), block.argument) != folders.end()) {
            continue;
        }
        for (auto it = block.conditions.begin(); it != block.conditions.end(); ++it) {
            const auto next = std::next(it);
            if (IsSameCondition(it->number, it->header, it->value, header, value) &&
                SameConditionGoes(next == block.conditions.end() ? std::nullopt
                                                                 : std::optional(next->number))) {
                folders.push_back(block.argument);
                break;
            }
        }
    }
    return folders;
}

// Rule texts where conditions repeat: few folders, headers and values,
// numbers 0 and 1, another kind now and then, and the odd line of every sort.
std::string RepeatingRules(std::mt19937& random) {
    const auto below = [&random](int limit) {
        return std::uniform_int_distribution<int>(0, limit - 1)(random);
    };
    std::string text;
    for (int block = below(8); block > 0; --block) {
        text += ":Begin \"\"\r\n!" + std::string(1, below(6) == 0 ? 'C' : 'M') + ":F" +
                std::to_string(below(4)) + "\\\r\n";
        for (int line = below(5); line > 0; --line) {
            text += "@" + std::to_string(below(3) == 0 ? 1 : 0) + ":" +
                    (below(2) == 0 ? "From" : "To") + ":a" + std::to_string(below(3)) +
                    "@x\tO\tI\r\n";
            if (below(10) == 0) {
                text += below(2) == 0 ? "odd line\r\n" : ":From:a1@x\tO\tI\r\n";
            }
        }
        if (below(8) != 0) {
            text += ":End \"\"\r\n";
        }
    }
    return text;
}

TEST(RuleConditionLookup, FindsTheFoldersTheModelHoldsTheConditionIn) {
    testing::RuleTextMaker texts(924);
    std::mt19937 random(2026);
    int found = 0;
    for (int i = 0; i < 3000; ++i) {
        const std::string text = i % 2 == 0 ? texts.Make() : RepeatingRules(random);
        const RuleFile model = ParseRuleFile(text);
        const RuleConditionLookup lookup(text);
        for (const RuleBlock& block : model.blocks) {
            for (const RuleCondition& condition : block.conditions) {
                const auto expected = ModelFolders(model, condition.header, condition.value);
                const ConditionPlaces places =
                    lookup.Places(condition.header, condition.value, SIZE_MAX);
                ASSERT_EQ(places.count, expected.size());
                ASSERT_EQ(std::vector<std::string>(places.first.begin(), places.first.end()),
                          expected)
                    << condition.header << ":" << condition.value << " in\n"
                    << text;
                for (const RuleBlock& other : model.blocks) {
                    ASSERT_EQ(lookup.Holds(condition.header, condition.value, other.argument),
                              std::find(expected.begin(), expected.end(), other.argument) !=
                                  expected.end());
                }
                found += expected.empty() ? 0 : 1;
            }
        }
    }
    EXPECT_GT(found, 1000);
}

TEST(RuleConditionLookup, CountsEachOfManyFoldersOnceInFileOrder) {
    std::string text;
    for (int block = 0; block < 60; ++block) {
        text += ":Begin \"\"\r\n!M:F" + std::to_string(block % 20) +
                "\\\r\n@0:From:a@x\tO\tI\r\n:End \"\"\r\n";
    }
    const RuleConditionLookup lookup(text);
    const ConditionPlaces places = lookup.Places("From", "a@x", 3);
    EXPECT_EQ(places.count, 20U);
    EXPECT_EQ(places.first, std::vector<std::string_view>({"F0\\", "F1\\", "F2\\"}));
    EXPECT_TRUE(lookup.Holds("From", "a@x", "F19\\"));
    EXPECT_FALSE(lookup.Holds("From", "a@x", "F20\\"));
    EXPECT_EQ(lookup.Places("From:a@x", "", 3).count, 0U) << "no header holds a colon";
    // A number read as delete-same reads it: "x" is 0, "7" is not.
    const RuleConditionLookup odd(
        ":Begin \"\"\r\n!M:F\\\r\n@x:From:b@x\tO\tI\r\n:End \"\"\r\n"
        ":Begin \"\"\r\n!M:G\\\r\n@7:From:b@x\tO\tI\r\n:End \"\"\r\n");
    EXPECT_EQ(odd.Places("From", "b@x", 3).first, std::vector<std::string_view>({"F\\"}));
}

}  // namespace
}  // namespace tandrel
