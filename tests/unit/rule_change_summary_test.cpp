#include "rules/rule_change_summary.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "resources/string_table.h"
#include "rules/rule_reader.h"
#include "support/builtin_strings.h"
#include "text/content_hash.h"

namespace tandrel {
namespace {

// The summary in the tool's words.
std::string Words(const std::vector<Finding>& parts) {
    BuiltinStrings strings;
    return DescribeFindings(
        parts, IDS_CHANGE_SEPARATOR, [&strings](int id) { return strings.Load(id); },
        FoldersByIdentifier());
}

std::string Summary(std::string_view before, std::string_view after) {
    return Words(SummarizeRuleChange(before, after));
}

std::vector<std::string> HistoryWords(const std::vector<HistoryText>& texts) {
    std::vector<std::string> words;
    for (const std::vector<Finding>& summary : SummarizeHistory(texts)) {
        words.push_back(Words(summary));
    }
    return words;
}

std::string Block(const std::string& folder, const std::string& conditions) {
    return ":Begin \"\"\r\n!M:" + folder + "\r\n" + conditions + ":End \"\"\r\n";
}

std::string From(const std::string& address) {
    return "@0:From:" + address + "\tO\tI\r\n";
}

TEST(RuleChangeSummary, NamesConditionsAddedAndRemovedWithTheirFolders) {
    const std::string before = Block("Main\\Old\\", From("a@b.c")) + Block("Main\\Lists\\", "");
    const std::string moved = Block("Main\\Lists\\", From("a@b.c"));
    EXPECT_EQ(Summary("", Block("Main\\Lists\\", From("a@b.c"))),
              "+ From contains a@b.c -> Main\\Lists\\; block added for Main\\Lists\\");
    EXPECT_EQ(Summary(before, moved),
              "+ From contains a@b.c -> Main\\Lists\\; - From contains a@b.c removed from "
              "Main\\Old\\; block removed from Main\\Old\\");
    EXPECT_EQ(Summary(Block("W\\", From("x") + "@1:To:x\tX\t\r\n"), Block("W\\", From("x"))),
              "- To contains x (X) removed from W\\");
}

TEST(RuleChangeSummary, CountsRepeatsAndCutsALongListShort) {
    EXPECT_EQ(Summary(Block("W\\", From("x") + From("x")), Block("W\\", "")),
              "- From contains x removed from W\\ (2 times)");
    std::string many;
    for (const char* address : {"a", "b", "c", "d", "e"}) {
        many += From(address);
    }
    EXPECT_EQ(Summary(Block("W\\", ""), Block("W\\", many)),
              "changed outside Tandrel; + From contains a -> W\\; + From contains b -> W\\; + "
              "From contains c -> W\\; and 2 more");
}

TEST(RuleChangeSummary, TellsNoChangeFromAChangeOfLayoutAlone) {
    const std::string text = Block("W\\", From("a") + From("b"));
    EXPECT_EQ(Summary(text, text), "no change");
    EXPECT_EQ(Summary(text, Block("W\\", From("b") + From("a"))), "layout or settings changed");
    EXPECT_EQ(Summary(text, "Version=2\r\n" + text), "changed outside Tandrel");
}

// The texts of a history as read: nullopt for one that cannot be read.
std::vector<HistoryText> AsRead(const std::vector<std::optional<std::string>>& texts) {
    std::vector<HistoryText> read;
    read.reserve(texts.size());
    for (const auto& text : texts) {
        read.push_back(text ? HistoryText{true, *text, ContentHash(*text)} : HistoryText{});
    }
    return read;
}

TEST(RuleChangeSummary, TellsAChangeMadeOutsideTandrelFromAnUndo) {
    const std::string first = Block("W\\", From("a"));
    const std::string second = first + Block("X\\", From("b"));
    const std::string edited = second + Block("Y\\", From("c") + From("d"));  // by hand
    // The current text, then the versions newest first: a hand edit after the
    // second change, then an undo back to the first text.
    const std::vector<std::optional<std::string>> texts = {first, edited, second, first};
    EXPECT_EQ(HistoryWords(AsRead(texts)),
              std::vector<std::string>(
                  {"- From contains b removed from X\\; - From contains c removed from Y\\; - "
                   "From contains d removed from Y\\; and 2 more",
                   "changed outside Tandrel; + From contains c -> Y\\; + From contains d -> "
                   "Y\\; block added for Y\\",
                   "+ From contains b -> X\\; block added for X\\"}));
}

TEST(RuleChangeSummary, AVersionThatCannotBeReadIsMarkedAndTheOthersStillSummarized) {
    const std::string first = Block("W\\", From("a"));
    const std::string second = first + Block("X\\", From("b"));
    const std::vector<std::optional<std::string>> texts = {second + Block("Y\\", From("c")), second,
                                                           std::nullopt, first, ""};
    EXPECT_EQ(
        HistoryWords(AsRead(texts)),
        std::vector<std::string>({"+ From contains c -> Y\\; block added for Y\\", "cannot be read",
                                  "", "+ From contains a -> W\\; block added for W\\"}));
}

// Only the stretch that differs is read: the summary is the one of the whole
// texts wherever the change stands, and however the reader's state runs
// across it (a block left open, lines that read as settings, a ":Begin" that
// opens no block).
TEST(RuleChangeSummary, ReadsOnlyWhatDiffersAndSaysWhatTheWholeTextsSay) {
    const std::string blocks = Block("A\\", From("a") + From("b")) + Block("B\\", From("c"));
    const std::vector<std::pair<std::string, std::string>> changes = {
        {blocks, blocks + Block("C\\", From("d"))},
        {blocks, Block("A\\", From("a") + From("b") + From("x")) + Block("B\\", From("c"))},
        {blocks, Block("A\\", From("a")) + Block("B\\", From("c") + From("b"))},
        {"S=1\r\n" + blocks, "S=2\r\n" + blocks},
        {blocks, "S=2\r\n" + blocks},
        {blocks + "S=3\r\n", blocks},
        {":End\r\nS=1\r\n" + blocks, ":End\r\nS=2\r\n" + blocks},
        {Block("A\\", From("a")) + ":Begin \"\"\r\n!M:B\\\r\n" + From("b") +
             Block("C\\", From("c")),
         Block("A\\", From("a")) + ":Begin \"\"\r\n!M:B\\\r\n" + From("b") + ":End\r\n" +
             Block("C\\", From("c"))},
        {Block("A\\", From("a")) + ":Begin\r\n" + From("z") + Block("C\\", From("c")),
         Block("A\\", From("a")) + ":Begin\r\n!M:Z\\\r\n" + From("z") + Block("C\\", From("c"))},
        {Block("A\\", From("a")) + "@0:From:q\tO\tI", Block("A\\", From("a")) + "@0:From:r\tO\tI"},
    };
    for (const auto& [before, after] : changes) {
        for (const auto& [older, newer] : {std::pair(before, after), std::pair(after, before)}) {
            const std::string whole =
                Words(SummarizeRuleFiles(ParseRuleFile(older), ParseRuleFile(newer), false));
            EXPECT_EQ(Summary(older, newer), whole) << older << "\n->\n" << newer;
        }
    }
}

}  // namespace
}  // namespace tandrel
