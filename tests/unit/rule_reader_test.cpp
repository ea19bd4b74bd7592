#include "rules/rule_reader.h"

#include <gtest/gtest.h>

#include "rules/rule_writer.h"
#include "support/memory_files.h"

namespace tandrel {
namespace {

using testing::MemoryFiles;

TEST(RuleReaderFile, AMissingFileReadsAsEmpty) {
    MemoryFiles files;
    RuleFile rule_file;
    rule_file.settings.push_back({"stale", 1});
    EXPECT_EQ(ReadRuleFile(files, "C:\\Data\\Main\\iFilter.Def", rule_file), ReadStatus::Missing);
    EXPECT_TRUE(rule_file.settings.empty());
    EXPECT_TRUE(rule_file.blocks.empty());
}

TEST(RuleReaderSettings, ReadsSettingsBeforeTheFirstBlockOnly) {
    const RuleFile rule_file = ParseRuleFile(
        "Version=3\r\n"
        "Padded=007\r\n"
        "\r\n"
        "no equals sign\r\n"
        "Negative=-12\r\n"
        ":Begin \"\"\r\n"
        "!M:Main\\Work\\\r\n"
        "@0:From:a@b.example\tO\tI\r\n"
        ":End \"\"\r\n"
        "After=5\r\n");
    ASSERT_EQ(rule_file.settings.size(), 3U);
    auto it = rule_file.settings.begin();
    EXPECT_EQ(it->key, "Version");
    EXPECT_EQ(it->value, 3);
    ++it;
    EXPECT_EQ(it->key, "Padded");
    EXPECT_EQ(it->value, 7);
    ++it;
    EXPECT_EQ(it->value, -12) << "a signed value is kept, not garbled";
    EXPECT_EQ(FormatRuleFile(rule_file).substr(0, 35), "Version=3\r\nPadded=7\r\nNegative=-12\r\n");
}

TEST(RuleReaderSettings, AFileStartingWithABlockHasNoSettings) {
    const RuleFile rule_file =
        ParseRuleFile(":Begin \"\"\n!M:Main\\\n@0:To:x\tO\t\n:End \"\"\nKey=1\n");
    EXPECT_TRUE(rule_file.settings.empty());
    ASSERT_EQ(rule_file.blocks.size(), 1U);
}

TEST(RuleReaderBlocks, ReadsAFolderBlockWithItsConditions) {
    const RuleFile rule_file = ParseRuleFile(
        ":Begin \"Friends\"\n"
        "!M:Main\\!!!!Inbox\\Friends\\\n"
        "@0:From:ann@example.com\tO\tI\n"
        "@1:Subject:hello: world\tX\tRWTI\n"
        ":End \"Friends\"\n");
    ASSERT_EQ(rule_file.blocks.size(), 1U);
    const RuleBlock& block = rule_file.blocks.front();
    EXPECT_EQ(block.label, "Friends");
    EXPECT_EQ(block.kind, 'M');
    EXPECT_EQ(block.argument, "Main\\!!!!Inbox\\Friends\\");
    ASSERT_EQ(block.conditions.size(), 2U);
    const RuleCondition& first = block.conditions.front();
    EXPECT_EQ(first.number, 0);
    EXPECT_EQ(first.header, "From");
    EXPECT_EQ(first.value, "ann@example.com");
    EXPECT_TRUE(first.mark);
    EXPECT_TRUE(first.flag_i);
    EXPECT_FALSE(first.flag_w || first.flag_t || first.flag_r);
    const RuleCondition& second = block.conditions.back();
    EXPECT_EQ(second.number, 1);
    EXPECT_EQ(second.value, "hello: world") << "a value may hold colons";
    EXPECT_FALSE(second.mark);
    EXPECT_TRUE(second.flag_i && second.flag_w && second.flag_t && second.flag_r);
    EXPECT_EQ(FormatConditionLine(second), "@1:Subject:hello: world\tX\tIWTR")
        << "flags are written in the order I, W, T, R";
}

TEST(RuleReaderBlocks, KeepsBlocksOfOtherKindsAndAnyFirstActionCharacter) {
    const RuleFile rule_file = ParseRuleFile(":Begin \"x\"\n?D:\n@0:To:a\tO\t\n:End \"x\"\n");
    ASSERT_EQ(rule_file.blocks.size(), 1U);
    EXPECT_EQ(rule_file.blocks.front().kind, 'D');
    EXPECT_EQ(rule_file.blocks.front().argument, "");
    EXPECT_EQ(FormatRuleFile(rule_file), ":Begin \"x\"\r\n!D:\r\n@0:To:a\tO\t\r\n:End \"x\"\r\n");
}

TEST(RuleReaderBlocks, AMalformedActionLineDropsTheWholeBlock) {
    std::vector<DroppedLine> dropped;
    const RuleFile rule_file = ParseRuleFile(
        ":Begin \"bad\"\n"
        "!MMain\\\n"
        "@0:From:a@b\tO\tI\n"
        ":End \"bad\"\n"
        "between\n"
        ":Begin \"good\"\n"
        "!M:Main\\Good\\\n"
        "@0:From:c@d\tO\tI\n"
        ":End \"good\"\n",
        &dropped);
    ASSERT_EQ(rule_file.blocks.size(), 1U);
    EXPECT_EQ(rule_file.blocks.front().label, "good");
    ASSERT_EQ(dropped.size(), 5U);
    EXPECT_EQ(dropped[0].line_number, 1);
    EXPECT_EQ(dropped[1].line_number, 2);
    EXPECT_EQ(dropped[2].reason, DropReason::InMalformedBlock);
    EXPECT_EQ(dropped[3].text, ":End \"bad\"");
    EXPECT_EQ(dropped[4].text, "between");
    EXPECT_EQ(dropped[4].reason, DropReason::OutsideBlocks);
}

TEST(RuleReaderBlocks, AMissingEndRunsIntoTheNextBlock) {
    std::vector<DroppedLine> dropped;
    const RuleFile rule_file = ParseRuleFile(
        ":Begin \"a\"\n"
        "!M:Main\\A\\\n"
        "@0:From:a@a\tO\tI\n"
        ":Begin \"b\"\n"
        "!M:Main\\B\\\n"
        "@0:From:b@b\tO\tI\n"
        ":End \"b\"\n",
        &dropped);
    ASSERT_EQ(rule_file.blocks.size(), 1U);
    const RuleBlock& block = rule_file.blocks.front();
    EXPECT_EQ(block.argument, "Main\\A\\");
    ASSERT_EQ(block.conditions.size(), 2U);
    EXPECT_EQ(block.conditions.back().value, "b@b");
    ASSERT_EQ(dropped.size(), 2U);
    EXPECT_EQ(dropped[0].line_number, 4);
    EXPECT_EQ(dropped[1].line_number, 5);
    EXPECT_EQ(dropped[1].reason, DropReason::MalformedCondition);
}

TEST(RuleReaderLabels, TakesTheTextInsideTheQuotes) {
    const auto label_of = [](const std::string& begin_line) {
        const RuleFile rule_file =
            ParseRuleFile(begin_line + "\r\n!M:x\\\r\n@0:a:b\tO\t\r\n:End\r\n");
        return rule_file.blocks.empty() ? std::string("<none>") : rule_file.blocks.front().label;
    };
    EXPECT_EQ(label_of(":Begin \"Work mail\""), "Work mail");
    EXPECT_EQ(label_of(":Begin \"open ended"), "open ended")
        << "no closing quote: to the line end, without the line end";
    EXPECT_EQ(label_of(":Begin"), "");
    EXPECT_EQ(label_of(":Beginning \"x\" \"y\""), "x");
    EXPECT_EQ(label_of(":begin \"x\""), "<none>") << "the marks are case-sensitive";
}

TEST(RuleReaderConditions, DropsLinesWithoutBothTabsAndAMark) {
    EXPECT_FALSE(ParseConditionLine("@0:From:a@b\tO"));
    EXPECT_FALSE(ParseConditionLine("@0:From:a@b\tO I"));
    EXPECT_FALSE(ParseConditionLine("@0:From:a@b\tY\tI"));
    EXPECT_FALSE(ParseConditionLine("@0:From:a@b"));
    EXPECT_FALSE(ParseConditionLine("@0:From"));
    EXPECT_FALSE(ParseConditionLine("@0"));
    EXPECT_FALSE(ParseConditionLine(""));
    const auto no_flags = ParseConditionLine("@0:From:a@b\tO\t");
    ASSERT_TRUE(no_flags);
    EXPECT_FALSE(no_flags->flag_i || no_flags->flag_w || no_flags->flag_t || no_flags->flag_r);
    EXPECT_EQ(FormatConditionLine(*no_flags), "@0:From:a@b\tO\t");
    const auto any_first = ParseConditionLine("#12:To::\tX\tzzRRI");
    ASSERT_TRUE(any_first) << "the first character is not examined; fields may be empty";
    EXPECT_EQ(any_first->number, 12);
    EXPECT_EQ(any_first->header, "To");
    EXPECT_EQ(any_first->value, ":");
    EXPECT_TRUE(any_first->flag_r && any_first->flag_i);
}

TEST(RuleReaderLines, ReadsLongLinesWholeAndAcceptsBothLineEnds) {
    const std::string long_value(1000, 'a');
    const std::string text =
        "K=1\n:Begin \"\"\r\n!M:Main\\\n@0:To:" + long_value + "\tO\tI\r\n:End \"\"";
    const RuleFile rule_file = ParseRuleFile(text);
    ASSERT_EQ(rule_file.blocks.size(), 1U);
    ASSERT_EQ(rule_file.blocks.front().conditions.size(), 1U);
    EXPECT_EQ(rule_file.blocks.front().conditions.front().value, long_value);
    EXPECT_EQ(rule_file.blocks.front().argument, "Main\\");
}

TEST(RuleReaderLines, KeepsALoneCarriageReturnInsideALine) {
    const RuleFile rule_file = ParseRuleFile(":Begin \"\"\n!M:a\rb\n@0:To:x\tO\t\n:End \"\"\n");
    ASSERT_EQ(rule_file.blocks.size(), 1U);
    EXPECT_EQ(rule_file.blocks.front().argument, "a\rb");
}

}  // namespace
}  // namespace tandrel
