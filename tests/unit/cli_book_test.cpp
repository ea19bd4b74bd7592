#include <gtest/gtest.h>

#include "cli_test_run.h"
#include "temp_dir.h"

namespace tandrel::cli {
namespace {

using testing::TempDir;

class CliBookTest : public ::testing::Test {
  protected:
    CliBookTest() {
        dir_.Write("data/AddrBook/@Private/Group.ini", "");
        dir_.Write("data/AddrBook/@Private/Friends/Group.ini", "");
        dir_.Write("data/AddrBook/@Private/Friends/School/Group.ini", "");
        dir_.Write("tmp/.keep", "");
    }
    std::string Data() const { return dir_.path() + "data"; }
    ToolRun Add(const std::string& group, const std::string& address) {
        return Tandrel({"book", "add", Data(), "--group", group, "--address", address, "--name",
                        "Ann", "--temp-folder", dir_.path() + "tmp"});
    }

    TempDir dir_;
};

TEST_F(CliBookTest, TreeShowsGroupsIndentedAndTheDefault) {
    const ToolRun run = Tandrel({"book", "tree", Data()});
    EXPECT_EQ(run.exit_code, kExitOk);
    EXPECT_EQ(run.out, "Private\n  Friends\n    School\ndefault: Private:Friends\n");
}

TEST_F(CliBookTest, AddWritesTheEntryAndRefusesWithTheMessage) {
    ASSERT_EQ(Add("Private:Friends\\School", "ann@example.com").exit_code, kExitOk);
    EXPECT_EQ(dir_.Read("data/AddrBook/@Private/Friends/School/Group.idx"),
              "0\t0\tbab0001.tmp\tAnn\tann@example.com\t\t\t1\r\n");
    EXPECT_TRUE(dir_.Exists("data/AddrBook/@Private/Friends/School/bab0001.tmp"));

    const ToolRun duplicate = Add("Private:Friends\\School", "ann@example.com");
    EXPECT_EQ(duplicate.exit_code, kExitFailed);
    EXPECT_EQ(
        duplicate.err,
        "tandrel: In the address group(Private:Friends\\School) same address(ann@example.com) "
        "is exist\nStop adding address\n");
    const ToolRun missing = Add("Private:Gone", "ann@example.com");
    EXPECT_EQ(missing.exit_code, kExitFailed);
    EXPECT_EQ(missing.err, "tandrel: Address group(Private:Gone) can't be found\n");
    EXPECT_EQ(Tandrel({"book", "add", Data(), "--group", "Private:Friends"}).exit_code, kExitUsage);
}

TEST_F(CliBookTest, NewGroupMakesTheGroupOnceUnderAShownParent) {
    ASSERT_EQ(
        Tandrel({"book", "new-group", Data(), "--under", "Private:", "--name", "Work"}).exit_code,
        kExitOk);
    EXPECT_EQ(dir_.Read("data/AddrBook/@Private/Work/Folder.ini"),
              "[Settings]\r\nNickName=\r\nExpanded=1\r\n");
    const ToolRun again =
        Tandrel({"book", "new-group", Data(), "--under", "Private:", "--name", "Work"});
    EXPECT_EQ(again.exit_code, kExitFailed);
    EXPECT_EQ(again.err, "tandrel: Already entered specified address group(Private:\\Work)\n");
    EXPECT_EQ(
        Tandrel({"book", "new-group", Data(), "--under", "Private:", "--name", "work"}).exit_code,
        kExitOk)
        << "another case is another name";
    EXPECT_EQ(Tandrel({"book", "new-group", Data(), "--under", "Nobody:", "--name", "X"}).exit_code,
              kExitFailed);
    EXPECT_EQ(
        Tandrel({"book", "new-group", Data(), "--under", "Private:", "--name", "a/b"}).exit_code,
        kExitFailed);
    const std::string tree = Tandrel({"book", "tree", Data()}).out;  // in the file system's order
    EXPECT_NE(tree.find("\n  Work\n"), std::string::npos) << tree;
    EXPECT_NE(tree.find("\n  work\n"), std::string::npos) << tree;
}

TEST(CliBookHelp, AnswersOnEveryLevel) {
    for (const std::vector<std::string>& args : {std::vector<std::string>{"book", "--help"},
                                                 {"book", "tree", "--help"},
                                                 {"book", "add", "--help"},
                                                 {"book", "new-group", "--help"}}) {
        const ToolRun run = Tandrel(args);
        EXPECT_EQ(run.exit_code, kExitOk);
        EXPECT_EQ(run.out.rfind("usage: tandrel book", 0), 0U) << run.out;
    }
    EXPECT_EQ(Tandrel({"book"}).exit_code, kExitUsage);
    EXPECT_EQ(Tandrel({"book", "tree"}).exit_code, kExitUsage);
}

}  // namespace
}  // namespace tandrel::cli
