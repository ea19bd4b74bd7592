// The Check dialog's list: folders by the names the user sees (by identifier
// where two share one), and a list that stays short however much is found.
#include "setup/check_presenter.h"

#include <gtest/gtest.h>

#include <string>

#include "support/builtin_strings.h"
#include "support/memory_profile.h"
#include "testhost/model/host_model.h"
#include "testhost/native/model_host.h"

namespace tandrel {
namespace {

constexpr const char* kRules = "C:\\Data\\Main\\iFilter.Def";

class CheckListTest : public ::testing::Test {
  protected:
    CheckListTest() {
        model_.SetMailbox("Main\\");
        for (const char* folder : {"Main\\Work\\", "Main\\Home\\", "Main\\Old\\Work\\"}) {
            files().AddFile(std::string("C:\\Data\\") + folder + "Folder.ini", "");
        }
    }
    testing::MemoryFiles& files() { return profile_.files(); }
    std::vector<std::string> Findings() { return CheckFindings(context_); }

    testing::MemoryProfile profile_;
    testhost::HostModel model_{files(), "C:\\Data\\", "C:\\Temp\\", kNoLeadBytes};
    testhost::ModelHost host_{model_};
    BuiltinStrings strings_;
    CheckContext context_{host_, files(), profile_, strings_, kNoLeadBytes};
};

std::string Ann(const std::string& folder) {
    return ":Begin \"\"\r\n!M:" + folder + "\r\n@0:From:ann@x\tO\tI\r\n:End \"\"\r\n";
}

TEST_F(CheckListTest, NamesFoldersAsTheUserSeesThemUnlessTwoShareAName) {
    files().AddFile(kRules, Ann("Main\\Work\\") + Ann("Main\\Home\\"));
    EXPECT_EQ(Findings(),
              std::vector<std::string>({"iFilter.Def: lines 3, 7: condition "
                                        "From:ann@x sorts into 2 folders: Work, Home"}));
    files().AddFile(kRules, Ann("Main\\Work\\") + Ann("Main\\Old\\Work\\"));
    EXPECT_EQ(Findings(),
              std::vector<std::string>({"iFilter.Def: lines 3, 7: condition From:ann@x sorts into "
                                        "2 folders: Main\\Work\\, Main\\Old\\Work\\"}));
}

TEST_F(CheckListTest, NamesAFewFoldersOfALongListAndEscapesWhatAFileHolds) {
    std::string rules;
    for (int folder = 0; folder < 7; ++folder) {
        rules += Ann("Main\\F" + std::to_string(folder) + "\\");
    }
    files().AddFile(kRules, rules + Ann("Main\\W\x1B[2Jork\\"));
    const std::vector<std::string> findings = Findings();
    ASSERT_FALSE(findings.empty());
    EXPECT_EQ(findings.front(),
              "iFilter.Def: lines 3, 7, 11, 15, 19, 23, 27, 31: condition From:ann@x sorts into 8 "
              "folders: F0, F1, F2, F3, F4 and 3 more");
    EXPECT_EQ(findings.back(), "iFilter.Def: block 8: target folder does not exist: W\\x1B[2Jork");
}

TEST_F(CheckListTest, ShowsTheFirstThousandFindingsAndCountsTheRest) {
    std::string rules = Ann("Main\\Work\\");
    for (int line = 0; line < 2500; ++line) {
        rules += "stray\r\n";
    }
    files().AddFile(kRules, rules);
    const std::vector<std::string> findings = Findings();
    ASSERT_EQ(findings.size(), kShownFindings + 1);
    EXPECT_EQ(findings.front(), "iFilter.Def: line 5: dropped, outside any block: stray");
    EXPECT_EQ(findings.back(), "... and 1500 more");
}

TEST_F(CheckListTest, ListsWhatARuleFileHoldsAndOneThatCannotBeRead) {
    files().AddFile(kRules,
                    "note\r\n:Begin \"\"\r\n!M:Main\\Work\\\r\n@0:From:ann@x\tO\tI\r\n"
                    "@0:From:ann@x\tO\tI\r\n:End \"\"\r\n\x1A\r\nlast\r\n");
    files().AddDirectory("C:\\Data\\Main\\oFilter.Def");
    const std::string ctrl_z =
        "iFilter.Def: line 7: a Ctrl-Z, after which the mail client reads nothing more of the "
        "file (no change is made to the file while it holds one)";
    const std::string repeated =
        "iFilter.Def: lines 4, 5: condition From:ann@x stands 2 times in one block of Work";
    EXPECT_EQ(Findings(),
              std::vector<std::string>(
                  {"iFilter.Def: line 1: dropped, no \"=\" in a line before the first block: note",
                   "iFilter.Def: line 8: dropped, outside any block: last", ctrl_z, repeated,
                   "oFilter.Def: could not be read"}));
}

}  // namespace
}  // namespace tandrel
