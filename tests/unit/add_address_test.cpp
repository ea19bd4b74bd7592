#include "addressbook/add_address.h"

#include <gtest/gtest.h>

#include "support/builtin_strings.h"
#include "support/counting_temp_names.h"
#include "support/memory_profile.h"

namespace tandrel {
namespace {

using testing::MemoryFiles;
using testing::MemoryProfile;

constexpr const char* kData = "C:\\Data\\";
constexpr const char* kGroup = "C:\\Data\\AddrBook\\@Private\\Friends\\";
constexpr const char* kTemp = "C:\\Temp\\";

class AddAddressTest : public ::testing::Test {
  protected:
    AddAddressTest() { files().AddFile(std::string(kGroup) + "Group.ini", ""); }

    MemoryFiles& files() { return profile_.files(); }
    std::optional<std::string> File(const std::string& name) {
        return files().Content(std::string(kGroup) + name);
    }
    AddAddressResult Add(const std::string& address, const std::string& name,
                         const std::string& group = "Private:Friends") {
        return AddAddressToGroup(files(), profile_, temp_names_, kData,
                                 {SplitGroupIdentifier(group, kNoLeadBytes), address, name},
                                 kNoLeadBytes);
    }

    MemoryProfile profile_;
    CountingTempNames temp_names_{kTemp};
};

TEST_F(AddAddressTest, TheFirstAddressStartsACardFileAndTheIndex) {
    ASSERT_EQ(Add("ann@example.com", "Ann Lee"), AddAddressResult::Added);
    EXPECT_EQ(File("bab0001.tmp"),
              "BEGIN:VCARD\r\nFN:Ann Lee\r\nEMAIL;PREF:ann@example.com\r\nEND:VCARD\r\n");
    EXPECT_EQ(File("Group.idx"), "0\t0\tbab0001.tmp\tAnn Lee\tann@example.com\t\t\t1\r\n");
}

TEST_F(AddAddressTest, LaterAddressesGoToTheSameCardWithOffsetAndSequence) {
    ASSERT_EQ(Add("ann@example.com", "Ann"), AddAddressResult::Added);
    const std::size_t first_block = File("bab0001.tmp")->size();
    ASSERT_EQ(Add("Ann@example.com", ""), AddAddressResult::Added)
        << "another case is another address";
    EXPECT_EQ(File("Group.idx"), "0\t0\tbab0001.tmp\tAnn\tann@example.com\t\t\t1\r\n" +
                                     std::to_string(first_block) +
                                     "\t0\tbab0001.tmp\t\tAnn@example.com\t\t\t2\r\n");
    EXPECT_EQ(File("bab0001.tmp")->substr(first_block),
              "BEGIN:VCARD\r\nFN:\r\nEMAIL;PREF:Ann@example.com\r\nEND:VCARD\r\n");
    EXPECT_FALSE(File("bab0002.tmp"));
}

TEST_F(AddAddressTest, ADuplicateOrAMissingGroupWritesNothing) {
    BuiltinStrings strings;
    files().AddFile(std::string(kGroup) + "Group.idx",
                    "0\t0\tcards.vcf\tAnn\tann@example.com\t\t\t1\r\n");
    files().AddFile(std::string(kGroup) + "cards.vcf", "old");
    const std::size_t written = files().bytes_written();
    EXPECT_EQ(Add("ann@example.com", "Someone"), AddAddressResult::Duplicate);
    EXPECT_EQ(Add("x@example.com", "X", "Private:Gone"), AddAddressResult::GroupMissing);
    EXPECT_EQ(Add("x@example.com", "X", "Private:"), AddAddressResult::GroupMissing)
        << "a book alone is no group";
    EXPECT_EQ(Add("x@example.com", "X", "Private:..\\..\\.."), AddAddressResult::GroupMissing);
    files().AddFile("C:\\Data\\AddrBook\\@Private\\File", "a file, not a folder");
    EXPECT_EQ(Add("x@example.com", "X", "Private:File"), AddAddressResult::GroupMissing);
    EXPECT_EQ(files().bytes_written(), written);

    const AddressEntry entry{{"Private", "Friends"}, "ann@example.com", "Ann"};
    EXPECT_EQ(AddAddressMessage(strings, AddAddressResult::Duplicate, entry),
              "In the address group(Private:Friends) same address(ann@example.com) is exist\n"
              "Stop adding address");
    EXPECT_EQ(AddAddressMessage(strings, AddAddressResult::GroupMissing, entry),
              "Address group(Private:Friends) can't be found");
}

TEST_F(AddAddressTest, OnlyEightFieldLinesAreEntries) {
    files().AddFile(std::string(kGroup) + "Group.idx",
                    "0\t0\tfirst.vcf\tAnn\tann@example.com\t\t\t1\r\n"
                    "7\t0\tsecond.vcf\tBob\tbob@example.com\t\t\r\n"  // seven fields
                    "\r\n"
                    "junk\n");
    files().AddFile(std::string(kGroup) + "second.vcf", "1234\r\n");
    ASSERT_EQ(Add("bob@example.com", "Bob"), AddAddressResult::Added)
        << "a seven-field line is no duplicate";
    EXPECT_EQ(File("Group.idx")->substr(File("Group.idx")->rfind("junk\n") + 5),
              "6\t0\tsecond.vcf\tBob\tbob@example.com\t\t\t2\r\n")
        << "its third field names the card file, but it is not counted";
}

TEST_F(AddAddressTest, ReadsLongIndexLinesWhole) {
    // A long line must not be split into pieces that could count as entries.
    const std::string piece = "9\t0\tfake.vcf\tF\tfake@example.com\t\t\t1";
    files().AddFile(std::string(kGroup) + "Group.idx",
                    std::string(300, 'x') + "\t" + piece + "\r\n");
    EXPECT_EQ(Add("fake@example.com", "F"), AddAddressResult::Added);
    EXPECT_NE(File("Group.idx")->find("\tfake@example.com\t\t\t1\r\n"), std::string::npos)
        << "the long line was not an entry, so this is the first";
}

TEST_F(AddAddressTest, NeverPutsLineBreaksTabsOrNulIntoTheFiles) {
    ASSERT_EQ(Add(std::string("evil@example.com\r\nEND:VCARD\0", 28), "Tab\tName\r\n3\t0\tx"),
              AddAddressResult::Added);
    EXPECT_EQ(File("Group.idx"),
              "0\t0\tbab0001.tmp\tTab Name3 0 x\tevil@example.comEND:VCARD\t\t\t1\r\n");
    EXPECT_EQ(File("bab0001.tmp"),
              "BEGIN:VCARD\r\nFN:Tab Name3 0 x\r\nEMAIL;PREF:evil@example.comEND:VCARD\r\n"
              "END:VCARD\r\n");
}

TEST_F(AddAddressTest, ANewCardFileNameIsFreshInTheGroupFolder) {
    files().AddFile(std::string(kGroup) + "bab0001.tmp", "someone else's");
    files().AddDirectory(std::string(kGroup) + "bab0002.tmp");
    ASSERT_EQ(Add("ann@example.com", "Ann"), AddAddressResult::Added);
    EXPECT_EQ(File("bab0001.tmp"), "someone else's");
    EXPECT_NE(File("Group.idx")->find("\tbab0003.tmp\t"), std::string::npos);
}

TEST_F(AddAddressTest, ACardFileNameThatLeavesTheGroupIsNotFollowed) {
    files().AddFile(std::string(kGroup) + "Group.idx",
                    "0\t0\t..\\..\\..\\evil.vcf\tAnn\tann@example.com\t\t\t1\r\n");
    ASSERT_EQ(Add("bob@example.com", "Bob"), AddAddressResult::Added);
    EXPECT_FALSE(files().Exists("C:\\Data\\evil.vcf"));
    EXPECT_TRUE(File("bab0001.tmp"));
}

TEST_F(AddAddressTest, AnUnreadableIndexStopsBeforeAnythingIsWritten) {
    files().AddFile(std::string(kGroup) + "Group.idx", "0\t0\tc\tA\ta@b\t\t\t1\r\n");
    files().MakeUnreadable(std::string(kGroup) + "Group.idx");
    EXPECT_EQ(Add("ann@example.com", "Ann"), AddAddressResult::WriteFailed);
    EXPECT_EQ(files().bytes_written(), 0U);
}

TEST_F(AddAddressTest, AFailedWriteAtAnyByteLeavesCardAndIndexAsTheyWere) {
    const std::string index = "0\t0\tcards.vcf\tAnn\tann@example.com\t\t\t1\r\n";
    const std::string card = "BEGIN:VCARD\r\nFN:Ann\r\nEMAIL;PREF:ann@example.com\r\nEND:VCARD\r\n";
    for (const bool first_entry : {true, false}) {
        for (std::size_t budget = 0;; ++budget) {
            MemoryProfile profile;
            MemoryFiles& disk = profile.files();
            disk.AddFile(std::string(kGroup) + "Group.ini", "");
            if (!first_entry) {
                disk.AddFile(std::string(kGroup) + "Group.idx", index);
                disk.AddFile(std::string(kGroup) + "cards.vcf", card);
            }
            const std::vector<std::string> paths_before = disk.Paths();
            // Even budgets count bytes, odd ones count write calls.
            if (budget % 2 == 0) {
                disk.SetWriteBudget(budget / 2);
            } else {
                disk.SetWriteCallBudget(budget / 2);
            }
            CountingTempNames temp_names(kTemp);
            const AddAddressResult result =
                AddAddressToGroup(disk, profile, temp_names, kData,
                                  {{"Private", "Friends"}, "bob@example.com", "Bob"}, kNoLeadBytes);
            if (result == AddAddressResult::Added) {
                EXPECT_GT(budget, 3U);
                if (budget % 2 == 0) {
                    break;
                }
                continue;
            }
            ASSERT_EQ(result, AddAddressResult::WriteFailed) << "budget " << budget;
            ASSERT_EQ(disk.Paths(), paths_before) << "budget " << budget;
            if (!first_entry) {
                ASSERT_EQ(disk.Content(std::string(kGroup) + "Group.idx"), index);
                ASSERT_EQ(disk.Content(std::string(kGroup) + "cards.vcf"), card);
            }
        }
    }
}

TEST_F(AddAddressTest, ABookNameThatLeavesTheAddressBookIsNoGroup) {
    files().AddFile("C:\\outside\\G\\Group.ini", "");
    for (const char* group : {"Private\\..\\..\\..\\outside:G", "..\\..:outside\\G", "..:G",
                              "C:\\outside:G", "a/../..:G"}) {
        EXPECT_EQ(Add("evil@x", "Evil", group), AddAddressResult::GroupMissing) << group;
    }
    EXPECT_FALSE(files().Exists("C:\\outside\\G\\Group.idx"));
    EXPECT_EQ(files().bytes_written(), 0U);
}

TEST_F(AddAddressTest, AnIndexOrCardWithoutAFinalLineEndKeepsItsLastEntryWhole) {
    files().AddFile(std::string(kGroup) + "Group.idx", "0\t0\tc.tmp\tAnn\tann@x\t\t\t1");
    files().AddFile(std::string(kGroup) + "c.tmp",
                    "BEGIN:VCARD\r\nFN:Ann\r\nEMAIL;PREF:ann@x\r\nEND:VCARD");
    ASSERT_EQ(Add("bob@x", "Bob"), AddAddressResult::Added);
    EXPECT_EQ(File("Group.idx"),
              "0\t0\tc.tmp\tAnn\tann@x\t\t\t1\r\n50\t0\tc.tmp\tBob\tbob@x\t\t\t2\r\n");
    EXPECT_EQ(File("c.tmp"),
              "BEGIN:VCARD\r\nFN:Ann\r\nEMAIL;PREF:ann@x\r\nEND:VCARD\r\n"
              "BEGIN:VCARD\r\nFN:Bob\r\nEMAIL;PREF:bob@x\r\nEND:VCARD\r\n");
    EXPECT_EQ(File("c.tmp")->substr(50, 11), "BEGIN:VCARD") << "the offset names the new card";
    EXPECT_EQ(Add("ann@x", "Ann"), AddAddressResult::Duplicate) << "the former entry is whole";
}

TEST_F(AddAddressTest, ACardFileNameThatIsTheGroupsOwnFileIsNotFollowed) {
    for (const char* own :
         {"Group.idx", "group.INI", "Folder.ini", "Address.ini", "Group.idx.lock"}) {
        files().AddFile(std::string(kGroup) + "Folder.ini", "[Settings]\r\nNickName=\r\n");
        files().AddFile(std::string(kGroup) + "Group.idx",
                        std::string("0\t0\t") + own + "\tAnn\tann@x\t\t\t1\r\n");
        ASSERT_EQ(Add("bob@x", "Bob"), AddAddressResult::Added) << own;
        EXPECT_EQ(File("Folder.ini"), "[Settings]\r\nNickName=\r\n") << own;
        EXPECT_EQ(File("Group.idx")->find("BEGIN:VCARD"), std::string::npos) << own;
        EXPECT_NE(File("Group.idx")->find("\tbab"), std::string::npos)
            << own << ": a new card file is started instead";
        files().RemoveFile(std::string(kGroup) + "Group.idx");
    }
}

TEST_F(AddAddressTest, AnotherWritersLockStopsTheAddWithNothingWritten) {
    BuiltinStrings strings;
    files().AddFile(std::string(kGroup) + "Group.idx.lock", "");
    EXPECT_EQ(Add("ann@example.com", "Ann"), AddAddressResult::Busy);
    EXPECT_EQ(files().bytes_written(), 0U);
    EXPECT_EQ(
        AddAddressMessage(strings, AddAddressResult::Busy, {{"Private", "Friends"}, "a@b", "A"}),
        "Another program is changing the address group(Private:Friends)\nNothing was "
        "added; try again. If this stays so, delete Group.idx.lock in the group's folder");
    files().RemoveFile(std::string(kGroup) + "Group.idx.lock");
    ASSERT_EQ(Add("ann@example.com", "Ann"), AddAddressResult::Added);
    EXPECT_FALSE(files().Exists(std::string(kGroup) + "Group.idx.lock")) << "no lock is left";
}

TEST_F(AddAddressTest, ACardFileThatIsALinkOrNoPlainFileIsNotAppendedTo) {
    // A card "file" that is a link to the index, or a folder, gets no card:
    // a new card file is started.
    files().AddFile(std::string(kGroup) + "Group.idx", "0\t0\tc.tmp\tAnn\tann@x\t\t\t1\r\n");
    files().AddFile(std::string(kGroup) + "c.tmp", "");
    files().MakeLink(std::string(kGroup) + "c.tmp");
    ASSERT_EQ(Add("bob@x", "Bob"), AddAddressResult::Added);
    EXPECT_EQ(File("c.tmp"), "");
    EXPECT_NE(File("Group.idx")->find("\tbab0001.tmp\tBob"), std::string::npos);
    files().AddFile(std::string(kGroup) + "Group.idx", "0\t0\tdir\tAnn\tann@x\t\t\t1\r\n");
    files().AddDirectory(std::string(kGroup) + "dir");
    ASSERT_EQ(Add("carol@x", "Carol"), AddAddressResult::Added);
    EXPECT_NE(File("Group.idx")->find("\tbab0002.tmp\tCarol"), std::string::npos);
    files().AddFile(std::string(kGroup) + "Group.idx", "0\t0\tgone.tmp\tAnn\tann@x\t\t\t1\r\n");
    ASSERT_EQ(Add("dan@x", "Dan"), AddAddressResult::Added);
    EXPECT_TRUE(File("gone.tmp")) << "a card file the index names but that is gone is made again";
}

TEST_F(AddAddressTest, AGroupReachedThroughALinkOrAReadOnlyIndexIsNotWritten) {
    files().AddFile("C:\\Data\\AddrBook\\@Private\\Linked\\Group.ini", "");
    files().MakeLink("C:\\Data\\AddrBook\\@Private\\Linked");
    EXPECT_EQ(Add("a@x", "A", "Private:Linked"), AddAddressResult::GroupIsLink);
    files().AddFile("C:\\Data\\AddrBook\\@Private\\Linked\\Sub\\Group.ini", "");
    EXPECT_EQ(Add("a@x", "A", "Private:Linked\\Sub"), AddAddressResult::GroupIsLink);
    files().AddFile(std::string(kGroup) + "Group.idx", "0\t0\tc.tmp\tAnn\tann@x\t\t\t1\r\n");
    files().MakeReadOnly(std::string(kGroup) + "Group.idx");
    EXPECT_EQ(Add("a@x", "A"), AddAddressResult::WriteFailed);
    EXPECT_EQ(files().bytes_written(), 0U);
}

TEST_F(AddAddressTest, ACtrlZThatWouldEndTheHostsReadingIsDropped) {
    ASSERT_EQ(Add("e\x1A@x", "Eve\x1A"), AddAddressResult::Added);
    EXPECT_EQ(File("Group.idx")->find('\x1A'), std::string::npos);
    EXPECT_EQ(File("bab0001.tmp")->find('\x1A'), std::string::npos);
    // An index the host stops reading at a Ctrl-Z would never show a new entry.
    const std::string index = *File("Group.idx") + "\x1A";
    files().AddFile(std::string(kGroup) + "Group.idx", index);
    EXPECT_EQ(Add("f@x", "F"), AddAddressResult::IndexEndsEarly);
    EXPECT_EQ(File("Group.idx"), index);
}

TEST(AddAddressJapanese, AGroupWhoseNamesEndInBackslashBytesTakesTheAddress) {
    // "サポート\表": ポ is 83 7C, 表 is 95 5C.
    const std::string support = "\x83\x54\x83\x7C\x81\x5B\x83\x67";
    const std::string table = "\x95\x5C";
    MemoryProfile profile(IsShiftJisLeadByte);
    const std::string group = "C:\\Data\\AddrBook\\@Private\\" + support + "\\" + table + "\\";
    profile.files().AddFile(group + "Group.ini", "");
    CountingTempNames temp_names(kTemp);
    const GroupIdentifier identifier =
        SplitGroupIdentifier("Private:" + support + "\\" + table, IsShiftJisLeadByte);
    EXPECT_EQ(AddAddressToGroup(profile.files(), profile, temp_names, kData,
                                {identifier, "ann@example.jp", "Ann"}, IsShiftJisLeadByte),
              AddAddressResult::Added);
    EXPECT_TRUE(profile.files().Exists(group + "Group.idx"));
    // Read byte by byte, the trail bytes would be separators and "|".
    EXPECT_EQ(AddAddressToGroup(profile.files(), profile, temp_names, kData,
                                {identifier, "bob@example.jp", "Bob"}, kNoLeadBytes),
              AddAddressResult::GroupMissing);
}

}  // namespace
}  // namespace tandrel
