#include <gtest/gtest.h>
#include <unistd.h>

#include "helpers/temp_dir.h"
#include "unit/cli_test_run.h"

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

TEST_F(CliBookTest, TreeAndCheckRefuseAMissingDataFolderAlike) {
    const std::string missing = dir_.path() + "gone";
    const ToolRun tree = Tandrel({"book", "tree", missing});
    const ToolRun check = Tandrel({"book", "check", missing});
    EXPECT_EQ(tree.exit_code, kExitFailed);
    EXPECT_EQ(check.exit_code, kExitFailed);
    EXPECT_EQ(tree.err, "tandrel: the address book " + missing + "/AddrBook cannot be listed\n");
    EXPECT_EQ(check.out, "the address book " + missing + "/AddrBook cannot be listed\n");
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

TEST_F(CliBookTest, ABookNameOutsideTheAddressBookIsRefused) {
    dir_.Write("outside/G/Group.ini", "");
    const ToolRun run = Add("Private\\..\\..\\..\\outside:G", "evil@x");
    EXPECT_EQ(run.exit_code, kExitFailed);
    EXPECT_FALSE(dir_.Exists("outside/G/Group.idx"));
    EXPECT_EQ(Tandrel({"book", "add", Data(), "--group", "Private:Friends", "--address", " ",
                       "--name", "Ann", "--temp-folder", dir_.path() + "tmp"})
                  .exit_code,
              kExitFailed)
        << "an empty address, as the dialog refuses it";
}

TEST_F(CliBookTest, TheTreeShowsLinksButFollowsNoneSoALoopCannotHoldItUp) {
    // Two links to ".." in a group: followed, the walk would double at each
    // level. They show where they stand, without what lies below them.
    for (const char* name : {"Up", "Again"}) {
        ASSERT_EQ(::symlink("..", (Data() + "/AddrBook/@Private/Friends/" + name).c_str()), 0);
        dir_.Write(std::string("data/AddrBook/@Private/Friends/") + name + "/Group.ini", "");
    }
    const ToolRun run = Tandrel({"book", "tree", Data()});
    EXPECT_EQ(run.exit_code, kExitOk);
    EXPECT_EQ(run.out,
              "Private\n  Friends\n    Up\n    School\n    Again\ndefault: Private:Friends\n");
    // Adding to one says why nothing is added.
    const ToolRun add = Tandrel({"book", "add", Data(), "--group", "Private:Friends\\Up",
                                 "--address", "a@example.com", "--name", "A"});
    EXPECT_EQ(add.exit_code, kExitFailed);
    EXPECT_NE(add.err.find("is a link to another folder"), std::string::npos) << add.err;
}

TEST_F(CliBookTest, CheckPassesWhatAddWroteAndFindsAnIndexLineOutOfStep) {
    ASSERT_EQ(Add("Private:Friends", "ann@example.com").exit_code, kExitOk);
    ASSERT_EQ(Add("Private:Friends", "bob@example.com").exit_code, kExitOk);
    ASSERT_EQ(Add("Private:Friends\\School", "ann@example.com").exit_code, kExitOk);
    const ToolRun clean = Tandrel({"book", "check", Data()});
    EXPECT_EQ(clean.exit_code, kExitOk) << clean.out;
    EXPECT_EQ(clean.out, "nothing found\n");
    // The host rewrote the card file shorter, and a card was left over.
    const std::string index = dir_.Read("data/AddrBook/@Private/Friends/Group.idx");
    dir_.Write("data/AddrBook/@Private/Friends/bab0001.tmp",
               "BEGIN:VCARD\r\nEMAIL;PREF:ann@example.com\r\nEND:VCARD\r\n");
    dir_.Write("data/AddrBook/@Private/Friends/old.vcf", "");
    const ToolRun found = Tandrel({"book", "check", Data()});
    EXPECT_EQ(found.exit_code, kExitFailed);
    EXPECT_EQ(found.out,
              "Private:Friends: Group.idx line 2: offset \"60\" in bab0001.tmp is no vCard block "
              "holding bob@example.com\nPrivate:Friends: card file old.vcf is named by no index "
              "line\n");
    EXPECT_EQ(dir_.Read("data/AddrBook/@Private/Friends/Group.idx"), index) << "writes nothing";
}

TEST(CliBookJapanese, TakesGroupsWhoseNamesHoldBackslashBytes) {
    // "サポート" holds 83 7C, "表" is 95 5C.
    const std::string support = "\x83\x54\x83\x7C\x81\x5B\x83\x67";
    const std::string table = "\x95\x5C";
    TempDir dir;
    dir.Write("data/AddrBook/@Private/Group.ini", "");
    dir.Write("data/AddrBook/@Private/" + support + "/Group.ini", "");
    dir.Write("tmp/.keep", "");
    const std::string data = dir.path() + "data";
    const std::vector<std::string> code_page = {"--code-page", "932"};
    std::vector<std::string> new_group = {
        "book", "new-group", data, "--under", "Private:" + support, "--name", table};
    new_group.insert(new_group.end(), code_page.begin(), code_page.end());
    ASSERT_EQ(Tandrel(new_group).exit_code, kExitOk) << Tandrel(new_group).err;
    std::vector<std::string> add = {"book",
                                    "add",
                                    data,
                                    "--group",
                                    "Private:" + support + "\\" + table,
                                    "--address",
                                    "a@b.jp",
                                    "--name",
                                    "A",
                                    "--temp-folder",
                                    dir.path() + "tmp"};
    EXPECT_EQ(Tandrel(add).exit_code, kExitFailed) << "read byte by byte, the path is not plain";
    add.insert(add.end(), code_page.begin(), code_page.end());
    ASSERT_EQ(Tandrel(add).exit_code, kExitOk) << Tandrel(add).err;
    EXPECT_TRUE(dir.Exists("data/AddrBook/@Private/" + support + "/" + table + "/Group.idx"));
    std::vector<std::string> tree = {"book", "tree", data};
    tree.insert(tree.end(), code_page.begin(), code_page.end());
    EXPECT_EQ(Tandrel(tree).out,
              "Private\n  " + support + "\n    " + table + "\ndefault: Private:" + support + "\n");
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
