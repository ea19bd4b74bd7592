#include "addressbook/book_check.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "addressbook/add_address.h"
#include "addressbook/address_book.h"
#include "support/builtin_strings.h"
#include "support/counting_temp_names.h"
#include "support/memory_profile.h"

namespace tandrel {
namespace {

using namespace std::string_literals;
using testing::MemoryFiles;
using testing::MemoryProfile;

constexpr const char* kData = "C:\\Data\\";
constexpr const char* kBook = "C:\\Data\\AddrBook\\@Private\\";
constexpr const char* kGroup = "C:\\Data\\AddrBook\\@Private\\Friends\\";

std::string Card(const std::string& name, const std::string& address) {
    return "BEGIN:VCARD\r\nFN:" + name + "\r\nEMAIL;PREF:" + address + "\r\nEND:VCARD\r\n";
}

std::string Entry(std::size_t offset, const std::string& card, const std::string& address,
                  const std::string& sequence) {
    return std::to_string(offset) + "\t0\t" + card + "\t" + address + "\t" + address + "\t\t\t" +
           sequence + "\r\n";
}

class BookCheckTest : public ::testing::Test {
  protected:
    BookCheckTest() {
        files().AddFile(std::string(kBook) + "Group.ini", "");
        files().AddFile(std::string(kGroup) + "Group.ini", "");
    }

    MemoryFiles& files() { return profile_.files(); }

    std::vector<std::string> Findings() {
        BuiltinStrings strings;
        const auto load = [&strings](int id) { return strings.Load(id); };
        std::vector<std::string> texts;
        for (const BookFinding& finding :
             CheckAddressBook(files(), profile_, kData, kNoLeadBytes)) {
            texts.push_back(DescribeFinding(finding, load));
        }
        return texts;
    }

    // A group "Friends" with the cards of ann and bob and an index whose
    // lines are `lines`, cards.vcf the card file.
    void PlantIndex(const std::string& lines) {
        files().AddFile(std::string(kGroup) + "cards.vcf",
                        Card("ann", "ann@x") + Card("bob", "bob@x"));
        files().AddFile(std::string(kGroup) + "Group.idx", lines);
    }

    MemoryProfile profile_;
};

TEST_F(BookCheckTest, FindsNothingInWhatTandrelAndTheHostWrite) {
    CountingTempNames temp_names("C:\\Temp\\");
    files().AddFile("C:\\Data\\AddrBook\\@Private\\Friends\\School\\Group.ini", "");
    files().AddFile("C:\\Data\\AddrBook\\@Work\\Group.ini", "");
    files().AddFile("C:\\Data\\AddrBook\\@Work\\Team\\Group.ini", "");
    for (const char* group : {"Private:Friends", "Private:Friends\\School", "Work:Team"}) {
        for (const char* address : {"ann@x", "Ann@x", "bob@x"}) {
            ASSERT_EQ(AddAddressToGroup(files(), profile_, temp_names, kData,
                                        {SplitGroupIdentifier(group, kNoLeadBytes), address, "N"},
                                        kNoLeadBytes),
                      AddAddressResult::Added);
        }
    }
    // The host's own card: LF line ends, other properties, another e-mail type.
    files().AddFile("C:\\Data\\AddrBook\\@Work\\host.vcf",
                    "BEGIN:VCARD\nVERSION:3.0\nFN:Cy\nEmail;TYPE=INTERNET:cy@x\nEND:VCARD\n");
    files().AddFile("C:\\Data\\AddrBook\\@Work\\Group.idx",
                    "a note\r\n0\t0\thost.vcf\tCy\tcy@x\t\t\t7\n");
    EXPECT_EQ(Findings(), std::vector<std::string>{});
}

TEST_F(BookCheckTest, FindsEachPlantedFaultOnItsLine) {
    const std::size_t bob = Card("ann", "ann@x").size();
    PlantIndex(Entry(0, "cards.vcf", "ann@x", "1") +        // 1: fine
               Entry(bob, "gone.vcf", "bob@x", "2") +       // 2: card file missing
               Entry(bob, "cards.vcf", "ann@x", "3") +      // 3: bob's block; ann twice
               Entry(5, "cards.vcf", "cy@x", "3") +         // 4: not at a block, sequence repeated
               Entry(bob * 9, "cards.vcf", "dee@x", "5") +  // 5: past the end
               Entry(0, "cards.vcf", "eve@x", "3") +        // 6: sequence falls
               Entry(0, "cards.vcf", "fay@x", "x"));        // 7: no number
    files().AddFile(std::string(kGroup) + "stray.vcf", Card("gus", "gus@x"));
    const auto at = [](int line, const std::string& text) {
        return "Private:Friends: Group.idx line " + std::to_string(line) + ": " + text;
    };
    const auto no_block = [](std::size_t offset, const std::string& address) {
        return "offset \"" + std::to_string(offset) + "\" in cards.vcf is no vCard block holding " +
               address;
    };
    EXPECT_EQ(Findings(),
              (std::vector<std::string>{
                  at(2, "card file \"gone.vcf\" is missing"),
                  at(3, no_block(bob, "ann@x")),
                  at(4, no_block(5, "cy@x")),
                  at(4, "sequence number 3 after 3"),
                  at(5, no_block(bob * 9, "dee@x")),
                  at(6, no_block(0, "eve@x")),
                  at(6, "sequence number 3 after 5"),
                  at(7, no_block(0, "fay@x")),
                  at(7, "sequence number \"x\" is no number"),
                  "Private:Friends: Group.idx lines 1, 3: address ann@x entered 2 times",
                  "Private:Friends: card file stray.vcf is named by no index line",
              }));
}

TEST_F(BookCheckTest, ReadsTheIndexAsTheHostDoes) {
    // Lines of other field counts are no entries; a NUL ends a line's
    // fields; a CR alone ends a line; a name that leaves the group is no card.
    PlantIndex(Entry(0, "cards.vcf", "ann@x", "1") + "0\t0\tcards.vcf\tann@x\t\r\n" +
               "0\t0\tcards.vcf\tann@x\tann@x\t\t\t2\0tail\t\r"s +
               Entry(0, "..\\cards.vcf", "bob@x", "3"));
    EXPECT_EQ(Findings(), (std::vector<std::string>{
                              "Private:Friends: Group.idx line 4: \"..\\cards.vcf\" is no card "
                              "file name",
                              "Private:Friends: Group.idx lines 1, 3: address ann@x entered 2 "
                              "times",
                          }));
}

TEST_F(BookCheckTest, ChecksTheGroupsOfABookThatLivesElsewhere) {
    files().AddFile(std::string(kBook) + "Address.ini", "[Settings]\r\nPath=D:\\Shared\\\r\n");
    files().AddFile("D:\\Shared\\Team\\Group.idx", Entry(0, "c.vcf", "ann@x", "1"));
    files().AddFile("D:\\Shared\\Team\\Group.ini", "");
    // A folder without the marker is no group: the tree does not show it.
    files().AddFile("D:\\Shared\\Unmarked\\Group.idx", Entry(0, "d.vcf", "bob@x", "1"));
    PlantIndex("");
    EXPECT_EQ(Findings(), (std::vector<std::string>{
                              "Private:Team: Group.idx line 1: card file \"c.vcf\" is missing",
                          }))
        << "the groups below Friends' book folder are no longer the book's";
}

TEST_F(BookCheckTest, TellsWhatItCannotReadInsteadOfFindingNothing) {
    PlantIndex(Entry(0, "cards.vcf", "ann@x", "1"));
    files().MakeUnreadable(std::string(kGroup) + "cards.vcf");
    files().AddFile("C:\\Data\\AddrBook\\@Lost\\Address.ini", "[Settings]\r\nPath=D:\\Gone\\\r\n");
    files().AddFile("C:\\Data\\AddrBook\\@Lost\\Group.ini", "");
    EXPECT_EQ(Findings(), (std::vector<std::string>{
                              "Private:Friends: Group.idx line 1: card file \"cards.vcf\" cannot "
                              "be read",
                              "Lost:: the folder D:\\Gone\\ cannot be listed",
                          }));
    files().MakeUnreadable(std::string(kGroup) + "Group.idx");
    EXPECT_EQ(Findings()[0], "Private:Friends: Group.idx cannot be read")
        << "and no card file counts as unnamed then";
    EXPECT_EQ(Findings().size(), 2U);
    MemoryFiles empty;
    EXPECT_EQ(CheckAddressBook(empty, profile_, kData, kNoLeadBytes).size(), 1U)
        << "a data folder without an address book is no clean one";
}

TEST_F(BookCheckTest, FindsAnIndexLineTheHostReadsAsTwoOrAfterWhichItStops) {
    const std::string name(250, 'n');
    PlantIndex(Entry(0, "cards.vcf", "ann@x", "1").replace(14, 5, name));
    EXPECT_EQ(Findings(), std::vector<std::string>{
                              "Private:Friends: Group.idx line 1: longer than 254 characters, "
                              "which the mail client reads as two lines"});
    PlantIndex(Entry(0, "cards.vcf", "ann@x", "1") + "\x1A\r\n" +
               Entry(Card("ann", "ann@x").size(), "cards.vcf", "bob@x", "2"));
    EXPECT_EQ(Findings(), std::vector<std::string>{
                              "Private:Friends: Group.idx line 2: a Ctrl-Z, after which the mail "
                              "client reads nothing more of the index"});
}

}  // namespace
}  // namespace tandrel
