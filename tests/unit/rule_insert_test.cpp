#include "rules/rule_insert.h"
#include "rules/rule_insert_reference.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "helpers/file_size_limit.h"
#include "helpers/temp_dir.h"
#include "platform/posix/posix_files.h"
#include "rules/rule_reader.h"
#include "rules/rule_writer.h"
#include "support/memory_files.h"
#include "text/one_line.h"

namespace tandrel {
namespace {

using testing::ChildResult;
using testing::MemoryFiles;
using testing::TempDir;
using testing::WithFileSizeLimit;

constexpr const char* kPath = "C:\\Data\\Main\\iFilter.Def";

std::string Block(const std::string& folder, const std::string& conditions,
                  const std::string& label = "") {
    return ":Begin \"" + label + "\"\r\n!M:" + folder + "\r\n" + conditions + ":End \"" + label +
           "\"\r\n";
}

std::string Condition(const std::string& header, const std::string& value, int number = 0) {
    return "@" + std::to_string(number) + ":" + header + ":" + value + "\tO\tI\r\n";
}

RuleInsertion Insertion(int place_mode, bool delete_same = false) {
    RuleInsertion insertion;
    insertion.folder = "Main\\Work\\";
    insertion.header = "From";
    insertion.address = "bob@example.com";
    insertion.place_mode = place_mode;
    insertion.delete_same = delete_same;
    return insertion;
}

// Runs one insertion on `before` and returns the file written.
std::string Inserted(const std::string& before, const RuleInsertion& insertion) {
    RuleFile rule_file = ParseRuleFile(before);
    InsertRuleIntoModel(rule_file, insertion);
    return FormatRuleFile(rule_file);
}

const std::string kBob = Condition("From", "bob@example.com");
const std::string kAnn = Condition("From", "ann@example.com");

TEST(InsertRulePlaces, EndOfFolderAppendsToEveryBlockOfTheFolder) {
    const std::string before = "V=1\r\n" + Block("Main\\Work\\", kAnn) +
                               Block("Main\\Home\\", kAnn) + Block("Main\\Work\\", kAnn, "second");
    EXPECT_EQ(Inserted(before, Insertion(kPlaceEndOfFolder)),
              "V=1\r\n" + Block("Main\\Work\\", kAnn + kBob) + Block("Main\\Home\\", kAnn) +
                  Block("Main\\Work\\", kAnn + kBob, "second"));
}

TEST(InsertRulePlaces, TopOfFolderPutsTheConditionFirst) {
    const std::string before = Block("Main\\Work\\", kAnn) + Block("Main\\Work\\", kAnn);
    EXPECT_EQ(Inserted(before, Insertion(kPlaceTopOfFolder)),
              Block("Main\\Work\\", kBob + kAnn) + Block("Main\\Work\\", kBob + kAnn));
}

TEST(InsertRulePlaces, WithoutABlockOfTheFolderANewOneIsMade) {
    const std::string before = "V=1\r\n" + Block("Main\\Home\\", kAnn);
    EXPECT_EQ(Inserted(before, Insertion(kPlaceEndOfFolder)),
              "V=1\r\n" + Block("Main\\Home\\", kAnn) + Block("Main\\Work\\", kBob));
    EXPECT_EQ(Inserted(before, Insertion(kPlaceTopOfFolder)),
              "V=1\r\n" + Block("Main\\Work\\", kBob) + Block("Main\\Home\\", kAnn))
        << "the new first block stands after the file settings";
}

TEST(InsertRulePlaces, NewBlockModesIgnoreExistingBlocks) {
    const std::string before = Block("Main\\Work\\", kAnn);
    EXPECT_EQ(Inserted(before, Insertion(kPlaceNewBlockLast)),
              before + Block("Main\\Work\\", kBob));
    EXPECT_EQ(Inserted(before, Insertion(kPlaceNewBlockFirst)),
              Block("Main\\Work\\", kBob) + before);
}

TEST(InsertRulePlaces, FolderMatchIsExactAndKindMOnly) {
    const std::string before =
        Block("main\\work\\", kAnn) + ":Begin \"\"\r\n!D:Main\\Work\\\r\n" + kAnn + ":End \"\"\r\n";
    EXPECT_EQ(Inserted(before, Insertion(kPlaceEndOfFolder)), before + Block("Main\\Work\\", kBob));
}

TEST(InsertRulePlaces, OtherModesAddNothingButStillTidy) {
    const std::string before =
        Block("Main\\Home\\", kBob) + Block("Main\\Empty\\", "") + Block("Main\\Keep\\", kAnn);
    for (const int mode : {-1, 4, 1000}) {
        EXPECT_EQ(Inserted(before, Insertion(mode, true)), Block("Main\\Keep\\", kAnn))
            << "mode " << mode;
    }
}

TEST(InsertRuleDeleteSame, MovesTheConditionFromOtherFolders) {
    const std::string before = Block("Main\\Home\\", kBob) + Block("Main\\Old\\", kAnn + kBob) +
                               Block("Main\\Work\\", kBob);
    EXPECT_EQ(Inserted(before, Insertion(kPlaceEndOfFolder, true)),
              Block("Main\\Old\\", kAnn) + Block("Main\\Work\\", kBob))
        << "a block left empty is removed; the target's own copy is taken out and added again";
}

TEST(InsertRuleDeleteSame, KeepsConditionsThatArePartOfACombination) {
    const std::string combined = Block("Main\\Home\\", kBob + Condition("To", "me", 1));
    const std::string numbered = Block("Main\\Home\\", Condition("From", "bob@example.com", 2));
    const std::string other_case = Block("Main\\Home\\", Condition("from", "bob@example.com") +
                                                             Condition("From", "Bob@example.com"));
    for (const std::string& before : {combined, numbered, other_case}) {
        EXPECT_EQ(Inserted(before, Insertion(kPlaceNewBlockLast, true)),
                  before + Block("Main\\Work\\", kBob));
    }
}

TEST(InsertRuleDeleteSame, SeesTheFollowingConditionAsItIsAtThatMoment) {
    // bob, bob, ann(1): the second bob is followed by a non-zero number and
    // stays; the first is followed by a bob numbered 0 and goes.
    const std::string before = Block("Main\\Home\\", kBob + kBob + Condition("To", "ann", 1));
    EXPECT_EQ(
        Inserted(before, Insertion(kPlaceNewBlockLast, true)),
        Block("Main\\Home\\", kBob + Condition("To", "ann", 1)) + Block("Main\\Work\\", kBob));
}

TEST(InsertRuleDeleteSame, SwitchedOffLeavesDuplicates) {
    const std::string before = Block("Main\\Work\\", kBob);
    EXPECT_EQ(Inserted(before, Insertion(kPlaceEndOfFolder, false)),
              Block("Main\\Work\\", kBob + kBob));
}

TEST(InsertRuleDeleteSame, OnlyKindMBlocksAreSearched) {
    const std::string other_kind = ":Begin \"\"\r\n!D:Main\\Home\\\r\n" + kBob + ":End \"\"\r\n";
    EXPECT_EQ(Inserted(other_kind, Insertion(kPlaceNewBlockLast, true)),
              other_kind + Block("Main\\Work\\", kBob));
}

TEST(InsertRuleFile, AMissingFileGetsOnlyTheNewBlock) {
    MemoryFiles files;
    files.AddDirectory("C:\\Data\\Main");
    for (const int mode : {0, 1, 2, 3}) {
        MemoryFiles fresh = files;
        ASSERT_EQ(InsertRule(fresh, kPath, Insertion(mode)), RuleWriteResult::Written);
        EXPECT_EQ(fresh.Content(kPath), Block("Main\\Work\\", kBob)) << "mode " << mode;
        EXPECT_EQ(fresh.Content(std::string(kPath) + ".bak"), "");
    }
}

TEST(InsertRuleFile, KeepsTheFormerContentAsBackup) {
    MemoryFiles files;
    const std::string before = "junk line\r\n" + Block("Main\\Home\\", kAnn);
    files.AddFile(kPath, before);
    ASSERT_EQ(InsertRule(files, kPath, Insertion(kPlaceEndOfFolder)), RuleWriteResult::Written);
    EXPECT_EQ(files.Content(std::string(kPath) + ".bak"), before) << "byte for byte, junk included";
}

TEST(InsertRuleFile, RefusesTextThatWouldBreakTheFileAndWritesNothing) {
    MemoryFiles files;
    files.AddFile(kPath, Block("Main\\Home\\", kAnn));
    const auto refused = [&](const RuleInsertion& insertion) {
        const bool result = InsertRule(files, kPath, insertion) == RuleWriteResult::RefusedText;
        EXPECT_NE(RuleInsertionFault(insertion), nullptr);
        return result;
    };
    for (const std::string& bad :
         {std::string("a\rb"), std::string("a\nb"), std::string("a\tb"), std::string("a\0b", 3)}) {
        RuleInsertion header = Insertion(0);
        header.header = bad;
        EXPECT_TRUE(refused(header));
        RuleInsertion address = Insertion(0);
        address.address = bad;
        EXPECT_TRUE(refused(address));
    }
    RuleInsertion colon = Insertion(0);
    colon.header = "X-Spam:Flag";
    EXPECT_TRUE(refused(colon));
    RuleInsertion folder = Insertion(0);
    folder.folder = "Main\\Work\r\n:End \"\"\\";
    EXPECT_TRUE(refused(folder));
    EXPECT_EQ(files.bytes_written(), 0U);
    EXPECT_FALSE(files.Exists(std::string(kPath) + ".bak"));

    RuleInsertion fine = Insertion(0);
    fine.address = "odd:address\"with quotes";
    EXPECT_EQ(RuleInsertionFault(fine), nullptr) << "a value may hold colons and quotes";
}

TEST(InsertRuleFile, LeavesAnUnreadableFileAlone) {
    MemoryFiles files;
    files.AddFile(kPath, Block("Main\\Home\\", kAnn));
    files.MakeUnreadable(kPath);
    EXPECT_EQ(InsertRule(files, kPath, Insertion(0)), RuleWriteResult::ReadFailed);
    EXPECT_EQ(files.bytes_written(), 0U);
}

TEST(InsertRuleFile, AFailedWriteAtAnyByteLeavesTheFileAndBackupAsTheyWere) {
    TempDir dir;
    PosixFiles files;
    const std::string path = dir.path() + "iFilter.Def";
    const std::string before = "V=2\r\n" + Block("Main\\Work\\", kAnn);
    const std::string after = "V=2\r\n" + Block("Main\\Work\\", kAnn + kBob);
    dir.Write("iFilter.Def", before);
    dir.Write("iFilter.Def.bak", "older");
    for (rlim_t limit = 0; limit < after.size(); ++limit) {
        const ChildResult written = WithFileSizeLimit(limit, [&] {
            return InsertRule(files, path, Insertion(0)) == RuleWriteResult::Written;
        });
        EXPECT_EQ(written, ChildResult::False) << "limit " << limit;
        ASSERT_EQ(dir.Read("iFilter.Def"), before) << "limit " << limit;
        ASSERT_EQ(dir.Read("iFilter.Def.bak"), "older") << "limit " << limit;
        ASSERT_EQ(dir.Listing(), "iFilter.Def iFilter.Def.bak") << "limit " << limit;
    }
    EXPECT_EQ(InsertRule(files, path, Insertion(0)), RuleWriteResult::Written);
    EXPECT_EQ(dir.Read("iFilter.Def"), after);
    EXPECT_EQ(dir.Read("iFilter.Def.bak"), before);
}

TEST(InsertRuleFile, RefusesAReadOnlyFileAndAnotherWritersLock) {
    MemoryFiles files;
    const std::string before = Block("Main\\Home\\", kAnn);
    files.AddFile(kPath, before);
    files.MakeReadOnly(kPath);
    EXPECT_EQ(InsertRule(files, kPath, Insertion(0)), RuleWriteResult::ReadOnly);
    EXPECT_EQ(UndoRuleChange(files, kPath), RuleWriteResult::ReadOnly);

    MemoryFiles locked;
    locked.AddFile(kPath, before);
    locked.AddFile(std::string(kPath) + ".bak", "older");
    locked.AddFile(std::string(kPath) + ".lock", "");
    EXPECT_EQ(InsertRule(locked, kPath, Insertion(0)), RuleWriteResult::Busy);
    EXPECT_EQ(UndoRuleChange(locked, kPath), RuleWriteResult::Busy);
    EXPECT_EQ(locked.Content(kPath), before);
    EXPECT_EQ(files.bytes_written() + locked.bytes_written(), 0U);
}

TEST(InsertRuleFile, LeavesAFileWithALineTheHostReadsAsTwoAlone) {
    // Read 255 characters at a time, the host sees the second ":Begin" and
    // the new condition in the Trash block.
    const std::string long_line = "#::\tZ" + std::string(250, '#');
    const std::string before = ":Begin \"\"\r\n!M:Main\\Work\\\r\n" + long_line + ":End \"\"\r\n" +
                               long_line + Block("Main\\Trash\\", "");
    MemoryFiles files;
    files.AddFile(kPath, before);
    EXPECT_EQ(InsertRule(files, kPath, Insertion(0)), RuleWriteResult::LongLines);
    EXPECT_EQ(files.Content(kPath), before);
    files.AddFile(kPath, before.substr(0, 30));
    EXPECT_EQ(InsertRule(files, kPath, Insertion(0)), RuleWriteResult::Written);
}

// A file read in pieces is looked at across them: a line of the limit that
// a piece boundary cuts is fine, a longer one there is not.
TEST(InsertRuleFile, SeesALongLineWhereTheReadCutsTheFile) {
    TempDir dir;
    PosixFiles files;
    const std::string path = dir.path() + "iFilter.Def";
    std::string head = Block("Main\\Work\\", kAnn);
    while (head.size() < 65536 - 100) {
        head += Block("Main\\Work\\", kAnn);
    }
    for (const std::size_t length : {kHostLineLimit, kHostLineLimit + 1}) {
        const std::string before =
            head + "#" + std::string(length - 1, 'x') + "\r\n" + Block("Main\\Trash\\", kAnn);
        dir.Write("iFilter.Def", before);
        EXPECT_EQ(InsertRule(files, path, Insertion(0)),
                  length == kHostLineLimit ? RuleWriteResult::Written : RuleWriteResult::LongLines)
            << length;
        EXPECT_EQ(dir.Read("iFilter.Def") == before, length > kHostLineLimit) << length;
    }
}

TEST(InsertRuleFile, RefusesACtrlZThatWouldEndTheHostsReading) {
    RuleInsertion insertion = Insertion(1);
    insertion.address = "evil\x1A@x";
    EXPECT_NE(RuleInsertionFault(insertion), nullptr);
    MemoryFiles files;
    files.AddFile(kPath, Block("Main\\Work\\", kAnn));
    EXPECT_EQ(InsertRule(files, kPath, insertion), RuleWriteResult::RefusedText);
    EXPECT_EQ(files.bytes_written(), 0U);
}

TEST(UndoRuleChangeFile, SwapsFileAndBackupButLeavesAnUnreadableFileAlone) {
    MemoryFiles files;
    files.AddFile(kPath, "new");
    EXPECT_EQ(UndoRuleChange(files, kPath), RuleWriteResult::NoBackup);
    files.AddFile(std::string(kPath) + ".bak", "old");
    ASSERT_EQ(UndoRuleChange(files, kPath), RuleWriteResult::Written);
    EXPECT_EQ(files.Content(kPath), "old");
    EXPECT_EQ(files.Content(std::string(kPath) + ".bak"), "new");
    files.MakeUnreadable(kPath);
    EXPECT_EQ(UndoRuleChange(files, kPath), RuleWriteResult::ReadFailed);
    EXPECT_EQ(files.Content(std::string(kPath) + ".bak"), "new");
}

TEST(InsertRuleFile, WritesThroughALinkAndLeavesNoLockBehind) {
    TempDir dir;
    PosixFiles files;
    dir.Write("Shared/iFilter.Def", Block("Main\\Work\\", kAnn));
    ASSERT_EQ(::mkdir((dir.path() + "Main").c_str(), 0700), 0);
    ASSERT_EQ(::symlink("../Shared/iFilter.Def", (dir.path() + "Main/iFilter.Def").c_str()), 0);
    ASSERT_EQ(InsertRule(files, dir.path() + "Main\\iFilter.Def", Insertion(0)),
              RuleWriteResult::Written);
    EXPECT_EQ(dir.Read("Shared/iFilter.Def"), Block("Main\\Work\\", kAnn + kBob));
    EXPECT_EQ(dir.Read("Shared/iFilter.Def.bak"), Block("Main\\Work\\", kAnn));
    EXPECT_EQ(dir.Listing(), "Main Shared");
    EXPECT_FALSE(dir.Exists("Main/iFilter.Def.bak"));
    EXPECT_FALSE(dir.Exists("Shared/iFilter.Def.lock"));
}

}  // namespace
}  // namespace tandrel
