// The insertion done on the text must be the insertion done on the model:
// byte for byte for a file as the writer writes it, and as read for any
// other text, while the lines it does not change keep their bytes.
#include "rules/rule_text_edit.h"

#include <gtest/gtest.h>

#include <random>

#include "helpers/host_reader.h"
#include "helpers/random_rule_files.h"
#include "rules/rule_insert.h"
#include "rules/rule_insert_reference.h"
#include "rules/rule_reader.h"
#include "rules/rule_writer.h"
#include "support/memory_files.h"

namespace tandrel {
namespace {

using testing::ModelMaker;
using testing::RuleTextMaker;

// An insertion for `model`: its folder, header and address often taken from
// the model itself, so that blocks match and conditions are the same.
RuleInsertion PickInsertion(ModelMaker& maker, const RuleFile& model) {
    RuleInsertion insertion;
    insertion.folder = "Main\\New\\";
    insertion.header = "From";
    insertion.address = maker.Field("\t\n\r");
    for (const RuleBlock& block : model.blocks) {
        if (maker.Below(3) == 0) {
            insertion.folder = block.argument;
        }
        for (const RuleCondition& condition : block.conditions) {
            if (maker.Below(3) == 0) {
                insertion.header = condition.header;
                insertion.address = condition.value;
            }
        }
    }
    insertion.place_mode = maker.Below(6) - 1;
    insertion.delete_same = maker.Below(2) == 0;
    return insertion;
}

RuleFile ModelResult(RuleFile model, const RuleInsertion& insertion) {
    InsertRuleIntoModel(model, insertion);
    return model;
}

TEST(RuleTextEdit, ForAWrittenFileItIsTheWritersResult) {
    ModelMaker maker(8122026);
    int compared = 0;
    for (int i = 0; i < 4000; ++i) {
        const RuleFile model = maker.Make();
        const RuleInsertion insertion = PickInsertion(maker, model);
        if (RuleInsertionFault(insertion) != nullptr) {
            continue;
        }
        const std::string text = FormatRuleFile(model);
        ASSERT_EQ(InsertRuleIntoText(text, insertion),
                  FormatRuleFile(ModelResult(model, insertion)))
            << "model " << i << ", mode " << insertion.place_mode << ", delete-same "
            << insertion.delete_same << ", folder " << insertion.folder << ", header "
            << insertion.header << ", address " << insertion.address << ":\n"
            << text;
        ++compared;
    }
    EXPECT_GT(compared, 2000);
}

TEST(RuleTextEdit, ForAnyTextItReadsAsTheModelsResult) {
    RuleTextMaker texts(2026);
    ModelMaker maker(1208);
    int compared = 0;
    for (int i = 0; i < 4000; ++i) {
        const std::string text = texts.Make();
        const RuleFile model = ParseRuleFile(text);
        const RuleInsertion insertion = PickInsertion(maker, model);
        if (RuleInsertionFault(insertion) != nullptr) {
            continue;
        }
        const std::string edited = InsertRuleIntoText(text, insertion);
        ASSERT_TRUE(ParseRuleFile(edited) == ModelResult(model, insertion))
            << "text " << i << ", mode " << insertion.place_mode << ", delete-same "
            << insertion.delete_same << ":\n"
            << text << "\nedited:\n"
            << edited;
        ++compared;
    }
    EXPECT_GT(compared, 2000);
}

TEST(RuleTextEdit, LinesItDoesNotChangeKeepTheirBytes) {
    const std::string text =
        "Version=3\n"
        ":Begin \"Work\"\n"
        "!M:Main\\Work\\\n"
        "@0:From:boss@example.com\tO\tI\n"
        "a line the reader does not know\n"
        ":End \"Work\"\n"
        "; a note after the block\n";
    RuleInsertion insertion;
    insertion.folder = "Main\\Work\\";
    insertion.header = "From";
    insertion.address = "ann@example.com";
    EXPECT_EQ(InsertRuleIntoText(text, insertion),
              "Version=3\n"
              ":Begin \"Work\"\n"
              "!M:Main\\Work\\\n"
              "@0:From:boss@example.com\tO\tI\n"
              "a line the reader does not know\n"
              "@0:From:ann@example.com\tO\tI\r\n"
              ":End \"Work\"\n"
              "; a note after the block\n");
    insertion.folder = "Main\\Home\\";
    EXPECT_EQ(
        InsertRuleIntoText(text + "last line without its end", insertion),
        text +
            "last line without its end\r\n"
            ":Begin \"\"\r\n!M:Main\\Home\\\r\n@0:From:ann@example.com\tO\tI\r\n:End \"\"\r\n");
}

// Inserted into a file, `insertion` keeps every line of `kept` and reads as
// the insertion on the model.
void ExpectKeptAndRead(const std::string& text, const RuleInsertion& insertion,
                       const std::vector<std::string>& kept) {
    testing::MemoryFiles files;
    files.AddFile("C:\\Main\\iFilter.Def", text);
    ASSERT_EQ(InsertRule(files, "C:\\Main\\iFilter.Def", insertion), RuleWriteResult::Written);
    const std::string edited = *files.Content("C:\\Main\\iFilter.Def");
    const RuleFile expected = ModelResult(ParseRuleFile(text), insertion);
    EXPECT_TRUE(ParseRuleFile(edited) == expected) << edited;
    // The host, reading 255 characters at a time up to a Ctrl-Z, reads it so too.
    EXPECT_TRUE(ParseRuleFile(testing::AsTheHostReadsIt(edited)) == expected) << edited;
    for (const std::string& line : kept) {
        EXPECT_NE(edited.find(line + "\r\n"), std::string::npos) << "lost \"" << line << "\":\n"
                                                                 << edited;
    }
}

TEST(RuleTextEdit, ATextEndingInsideABlockKeepsItsLines) {
    const std::string text =
        "Version=3\r\n; my note\r\n:Begin \"\"\r\n!M:W\\\r\n@0:From:a@x\tO\tI\r\n; keep me\r\n";
    RuleInsertion insertion;
    insertion.folder = "Main\\Home\\";
    insertion.header = "From";
    insertion.address = "b@example.com";
    for (const int mode :
         {kPlaceEndOfFolder, kPlaceTopOfFolder, kPlaceNewBlockLast, kPlaceNewBlockFirst}) {
        insertion.place_mode = mode;
        ExpectKeptAndRead(text, insertion, {"; my note", "; keep me"});
    }
    // The block the text ends in receives the condition, after its last line.
    insertion.folder = "W\\";
    insertion.place_mode = kPlaceEndOfFolder;
    EXPECT_EQ(InsertRuleIntoText(text.substr(0, text.size() - 2), insertion),
              text + "@0:From:b@example.com\tO\tI\r\n");
    // A new last block after it: the open block is closed first.
    insertion.place_mode = kPlaceNewBlockLast;
    EXPECT_EQ(
        InsertRuleIntoText(text, insertion),
        text +
            ":End \"\"\r\n:Begin \"\"\r\n!M:W\\\r\n@0:From:b@example.com\tO\tI\r\n:End \"\"\r\n");
    // A text that ends right after a ":Begin": the new block goes before
    // it, where the reader cannot take it for that block's action line.
    insertion.place_mode = kPlaceNewBlockLast;
    EXPECT_EQ(InsertRuleIntoText("; note\r\n:Begin \"x\"", insertion),
              "; note\r\n:Begin \"\"\r\n!M:W\\\r\n@0:From:b@example.com\tO\tI\r\n:End "
              "\"\"\r\n:Begin \"x\"");
}

TEST(RuleTextEdit, ACtrlZOrALoneCrAtTheEndStaysWhereTheHostReadsIt) {
    const std::string text = ":Begin \"\"\r\n!M:W\\\r\n@0:From:a@x\tO\tI\r\n:End \"\"\r\n";
    RuleInsertion insertion;
    insertion.folder = "Main\\Home\\";
    insertion.header = "From";
    insertion.address = "b@example.com";
    for (const int mode : {kPlaceNewBlockLast, kPlaceNewBlockFirst}) {
        insertion.place_mode = mode;
        EXPECT_EQ(InsertRuleIntoText(text + "\x1A", insertion),
                  InsertRuleIntoText(text, insertion) + "\x1A");
        ExpectKeptAndRead(text + "\x1A", insertion, {"@0:From:a@x\tO\tI"});
    }
    // The last line ends in a CR alone: the LF after it makes it a CR LF.
    EXPECT_EQ(InsertRuleIntoText("Version=3\r", insertion),
              "Version=3\r\n:Begin \"\"\r\n!M:Main\\Home\\\r\n@0:From:b@example.com\tO\tI\r\n:End "
              "\"\"\r\n");
    // A Ctrl-Z before the end: the host would not read what follows it.
    testing::MemoryFiles files;
    files.AddFile("C:\\Main\\iFilter.Def", text + "\x1A" + text);
    EXPECT_EQ(InsertRule(files, "C:\\Main\\iFilter.Def", insertion), RuleWriteResult::LongLines);
    EXPECT_EQ(files.Content("C:\\Main\\iFilter.Def"), text + "\x1A" + text);
}

TEST(RuleTextEdit, AnEmptiedFirstBlockTakesOnlyTheLinesThatWouldTurnIntoSettings) {
    // Delete-same empties the first block, which goes; the lines after it
    // then stand before the first block, where "Stray=7" would be a setting.
    const std::string first =
        "Version=3\r\n:Begin \"\"\r\n!M:Main\\A\\\r\n@0:From:a@x\tO\tI\r\n:End \"\"\r\n";
    const std::string last = ":Begin \"\"\r\n!M:Main\\B\\\r\n@0:To:b@x\tO\tI\r\n:End \"\"\r\n";
    const std::string emptied = ":Begin \"\"\r\n!M:C\\\r\n@0:From:a@x\tO\tI\r\n:End \"\"\r\n";
    RuleInsertion insertion;
    insertion.folder = "Main\\B\\";
    insertion.header = "From";
    insertion.address = "a@x";
    insertion.delete_same = true;
    for (const int mode : {int{kPlaceEndOfFolder}, int{kPlaceNewBlockLast}, -1}) {
        insertion.place_mode = mode;
        // Also between two blocks that both go, and with no block left.
        for (const std::string& text :
             {first + "Stray=7\r\n; a note\r\n" + last,
              first + "Stray=7\r\n" + emptied + "A=1\r\n; a note\r\n" + last,
              first + "; a note\r\nStray=7"}) {
            ExpectKeptAndRead(text, insertion, {"Version=3", "; a note"});
            const std::string edited = InsertRuleIntoText(text, insertion);
            EXPECT_EQ(edited.find("Stray=7"), std::string::npos) << edited;
            EXPECT_EQ(edited.find("A=1"), std::string::npos) << edited;
        }
    }
    // Lines that stay between blocks stay whole, "=" or not; so do they after
    // a new first block.
    insertion.place_mode = kPlaceEndOfFolder;
    ExpectKeptAndRead(first + last + "Late=1\r\n" + last, insertion, {"Version=3", "Late=1"});
    insertion.place_mode = kPlaceNewBlockFirst;
    ExpectKeptAndRead(first + "Stray=7\r\n" + last, insertion, {"Version=3", "Stray=7"});
}

}  // namespace
}  // namespace tandrel
