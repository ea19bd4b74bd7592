#include <gtest/gtest.h>

#include "helpers/random_rule_files.h"
#include "rules/rule_insert_reference.h"
#include "rules/rule_reader.h"
#include "rules/rule_writer.h"
#include "support/memory_files.h"

namespace tandrel {
namespace {

using testing::MemoryFiles;
using testing::ModelMaker;
using testing::RuleTextMaker;

TEST(RuleWriterFormat, WritesTheHostFormatWithCrLf) {
    RuleFile rule_file;
    rule_file.settings.push_back({"Version", 3});
    RuleBlock block;
    block.label = "";
    block.kind = 'M';
    block.argument = "Main\\!!!!Inbox\\Work\\";
    RuleCondition condition;
    condition.number = 0;
    condition.header = "From";
    condition.value = "bob@example.com";
    condition.mark = true;
    condition.flag_i = true;
    block.conditions.push_back(condition);
    condition.number = 1;
    condition.mark = false;
    condition.flag_i = false;
    block.conditions.push_back(condition);
    rule_file.blocks.push_back(block);
    EXPECT_EQ(FormatRuleFile(rule_file),
              "Version=3\r\n"
              ":Begin \"\"\r\n"
              "!M:Main\\!!!!Inbox\\Work\\\r\n"
              "@0:From:bob@example.com\tO\tI\r\n"
              "@1:From:bob@example.com\tX\t\r\n"
              ":End \"\"\r\n");
}

TEST(RuleWriterFile, KeepsTheFormerContentAsBackup) {
    MemoryFiles files;
    const std::string path = "C:\\Data\\Main\\oFilter.Def";
    files.AddFile(path, "Old=1\r\n");
    RuleFile rule_file;
    rule_file.settings.push_back({"New", 2});
    ASSERT_TRUE(WriteRuleFile(files, path, rule_file));
    EXPECT_EQ(files.Content(path), "New=2\r\n");
    EXPECT_EQ(files.Content(path + ".bak"), "Old=1\r\n");
}

TEST(RuleRoundTrip, AnyWrittenModelReadsBackTheSame) {
    ModelMaker maker(20261208);
    for (int i = 0; i < 2000; ++i) {
        const RuleFile model = maker.Make();
        const std::string written = FormatRuleFile(model);
        const RuleFile read = ParseRuleFile(written);
        ASSERT_TRUE(read == model) << "model " << i << ":\n" << written;
        ASSERT_EQ(FormatRuleFile(read), written);
    }
}

TEST(RuleRoundTrip, ArbitraryTextIsStableAfterOneRewrite) {
    RuleTextMaker maker(7);
    for (int i = 0; i < 3000; ++i) {
        const std::string text = maker.Make();
        const std::string once = FormatRuleFile(ParseRuleFile(text));
        const std::string twice = FormatRuleFile(ParseRuleFile(once));
        ASSERT_EQ(once, twice) << "input:\n" << text;
    }
}

}  // namespace
}  // namespace tandrel
