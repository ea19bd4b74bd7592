#include <gtest/gtest.h>

#include <random>

#include "memory_files.h"
#include "rules/rule_reader.h"
#include "rules/rule_writer.h"

namespace tandrel {
namespace {

using testing::MemoryFiles;

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

// Random models built only from texts that the format can carry.
class ModelMaker {
  public:
    explicit ModelMaker(unsigned seed) : random_(seed) {}

    RuleFile Make() {
        RuleFile rule_file;
        for (int i = Below(4); i > 0; --i) {
            rule_file.settings.push_back({Text("=\n"), Number()});
        }
        for (int i = Below(6); i > 0; --i) {
            RuleBlock block;
            block.label = Text("\"\n");
            block.kind = Pick("MDCXm!:\"@ ");
            block.argument = Text("\n");
            for (int j = Below(5); j > 0; --j) {
                RuleCondition condition;
                condition.number = Number();
                condition.header = Text(":\n");
                condition.value = Text("\t\n");
                condition.mark = Below(2) == 0;
                condition.flag_i = Below(2) == 0;
                condition.flag_w = Below(2) == 0;
                condition.flag_t = Below(2) == 0;
                condition.flag_r = Below(2) == 0;
                block.conditions.push_back(condition);
            }
            rule_file.blocks.push_back(block);
        }
        return rule_file;
    }

  private:
    int Below(int limit) { return std::uniform_int_distribution<int>(0, limit - 1)(random_); }
    std::int32_t Number() {
        return Below(3) == 0
                   ? std::uniform_int_distribution<std::int32_t>(INT32_MIN, INT32_MAX)(random_)
                   : Below(10);
    }
    char Pick(const std::string& alphabet) {
        return alphabet[static_cast<std::size_t>(Below(static_cast<int>(alphabet.size())))];
    }
    // A text of any bytes except the forbidden ones; never starting with the
    // marks that would make its line something else.
    std::string Text(const std::string& forbidden) {
        static const std::string kAlphabet = std::string("aZ09 :=\"\t\r@!\\.-\x82\xA0", 16);
        std::string text;
        for (int n = Below(8); n > 0; --n) {
            const char c = Pick(kAlphabet);
            if (forbidden.find(c) == std::string::npos) {
                text += c;
            }
        }
        if (!text.empty() && text.back() == '\r') {
            text.back() = 'r';  // a CR before the line end would be taken as part of it
        }
        if (text.rfind(":Begin", 0) == 0) {
            text[0] = 'b';
        }
        return text;
    }

    std::mt19937 random_;
};

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
    std::mt19937 random(7);
    const std::vector<std::string> pieces = {":Begin \"a\"",
                                             ":End \"a\"",
                                             "!M:Main\\",
                                             "?Q:",
                                             "@0:From:x\tO\tI",
                                             "@1:To:y\tX\t",
                                             "@2:To\tO\t",
                                             "K=12",
                                             "K=-3",
                                             "junk",
                                             "",
                                             "\r",
                                             "\t",
                                             "=",
                                             ":",
                                             "\"",
                                             "@",
                                             "0x1A=9"};
    for (int i = 0; i < 3000; ++i) {
        std::string text;
        for (int n = std::uniform_int_distribution<int>(0, 12)(random); n > 0; --n) {
            text +=
                pieces[std::uniform_int_distribution<std::size_t>(0, pieces.size() - 1)(random)];
            text += std::uniform_int_distribution<int>(0, 3)(random) == 0 ? "\n" : "\r\n";
        }
        const std::string once = FormatRuleFile(ParseRuleFile(text));
        const std::string twice = FormatRuleFile(ParseRuleFile(once));
        ASSERT_EQ(once, twice) << "input:\n" << text;
    }
}

}  // namespace
}  // namespace tandrel
