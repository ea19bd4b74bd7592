#include "rules/rule_change_summary.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tandrel {
namespace {

std::string Block(const std::string& folder, const std::string& conditions) {
    return ":Begin \"\"\r\n!M:" + folder + "\r\n" + conditions + ":End \"\"\r\n";
}

std::string From(const std::string& address) {
    return "@0:From:" + address + "\tO\tI\r\n";
}

TEST(RuleChangeSummary, NamesConditionsAddedAndRemovedWithTheirFolders) {
    const std::string before = Block("Main\\Old\\", From("a@b.c")) + Block("Main\\Lists\\", "");
    const std::string moved = Block("Main\\Lists\\", From("a@b.c"));
    EXPECT_EQ(SummarizeRuleChange("", Block("Main\\Lists\\", From("a@b.c"))),
              "+ From contains a@b.c -> Main\\Lists\\; block added for Main\\Lists\\");
    EXPECT_EQ(SummarizeRuleChange(before, moved),
              "+ From contains a@b.c -> Main\\Lists\\; - From contains a@b.c removed from "
              "Main\\Old\\; block removed from Main\\Old\\");
    EXPECT_EQ(
        SummarizeRuleChange(Block("W\\", From("x") + "@1:To:x\tX\t\r\n"), Block("W\\", From("x"))),
        "- To contains x (X) removed from W\\");
}

TEST(RuleChangeSummary, CountsRepeatsAndCutsALongListShort) {
    EXPECT_EQ(SummarizeRuleChange(Block("W\\", From("x") + From("x")), Block("W\\", "")),
              "- From contains x removed from W\\ (2 times)");
    std::string many;
    for (const char* address : {"a", "b", "c", "d", "e"}) {
        many += From(address);
    }
    EXPECT_EQ(SummarizeRuleChange(Block("W\\", ""), Block("W\\", many)),
              "changed outside Tandrel; + From contains a -> W\\; + From contains b -> W\\; + "
              "From contains c -> W\\; and 2 more");
}

TEST(RuleChangeSummary, TellsNoChangeFromAChangeOfLayoutAlone) {
    const std::string text = Block("W\\", From("a") + From("b"));
    EXPECT_EQ(SummarizeRuleChange(text, text), "no change");
    EXPECT_EQ(SummarizeRuleChange(text, Block("W\\", From("b") + From("a"))),
              "layout or settings changed");
    EXPECT_EQ(SummarizeRuleChange(text, "Version=2\r\n" + text), "changed outside Tandrel");
}

TEST(RuleChangeSummary, TellsAChangeMadeOutsideTandrelFromAnUndo) {
    const std::string first = Block("W\\", From("a"));
    const std::string second = first + Block("X\\", From("b"));
    const std::string edited = second + Block("Y\\", From("c") + From("d"));  // by hand
    // The current text, then the versions newest first: a hand edit after the
    // second change, then an undo back to the first text.
    EXPECT_EQ(SummarizeHistory({first, edited, second, first}),
              std::vector<std::string>(
                  {"- From contains b removed from X\\; - From contains c removed from Y\\; - "
                   "From contains d removed from Y\\; and 2 more",
                   "changed outside Tandrel; + From contains c -> Y\\; + From contains d -> "
                   "Y\\; block added for Y\\",
                   "+ From contains b -> X\\; block added for X\\"}));
}

}  // namespace
}  // namespace tandrel
