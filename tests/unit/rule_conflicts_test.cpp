#include "rules/rule_conflicts.h"

#include <gtest/gtest.h>

#include <string>

namespace tandrel {
namespace {

std::string Block(const std::string& folder, const std::string& conditions, char kind = 'M') {
    return ":Begin \"\"\r\n!" + std::string(1, kind) + ":" + folder + "\r\n" + conditions +
           ":End \"\"\r\n";
}

std::string Condition(const std::string& header, const std::string& value) {
    return "@0:" + header + ":" + value + "\tO\tI\r\n";
}

TEST(RuleConflicts, FindsAConditionOfSeveralFoldersAndOneRepeatedInABlock) {
    const std::string text =
        "Version=1\r\n" +                                      // line 1
        Block("Main\\A\\", Condition("From", "a@x.example") +  // 2-6
                               Condition("From", "b@x.example")) +
        Block("Main\\B\\", Condition("From", "a@x.example") +  // 7-12
                               Condition("To", "c@x.example") + Condition("To", "c@x.example")) +
        Block("Main\\A\\", Condition("From", "a@x.example"));  // 13-16
    const std::vector<RuleConflict> conflicts = FindRuleConflicts(text);
    ASSERT_EQ(conflicts.size(), 2U);
    EXPECT_EQ(conflicts[0].kind, RuleConflict::Kind::SeveralFolders);
    EXPECT_EQ(conflicts[0].header, "From");
    EXPECT_EQ(conflicts[0].value, "a@x.example");
    EXPECT_EQ(conflicts[0].lines, (std::vector<int>{4, 9, 15}));
    EXPECT_EQ(conflicts[0].folders, (std::vector<std::string>{"Main\\A\\", "Main\\B\\"}));
    EXPECT_EQ(conflicts[1].kind, RuleConflict::Kind::RepeatedInBlock);
    EXPECT_EQ(conflicts[1].lines, (std::vector<int>{10, 11}));
    EXPECT_EQ(conflicts[1].folders, (std::vector<std::string>{"Main\\B\\"}));
}

TEST(RuleConflicts, TellConditionsApartByTheirExactBytesAndLookOnlyAtFolderRules) {
    const std::string text =
        Block("Main\\A\\", Condition("From", "a@x.example")) +
        Block("Main\\B\\", Condition("From", "A@x.example") + Condition("To", "a@x.example")) +
        Block("Main\\A\\", Condition("From", "a@x.example")) +
        Block("Main\\C\\", Condition("From", "a@x.example"), 'X');
    EXPECT_TRUE(FindRuleConflicts(text).empty())
        << "another case, another header, the same folder twice, a block of another kind";
    EXPECT_TRUE(FindRuleConflicts("").empty());
}

}  // namespace
}  // namespace tandrel
