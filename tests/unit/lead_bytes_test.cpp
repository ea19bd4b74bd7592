// Every check that looks for "\", "|", ":" or "@" in a name or path, on a
// Japanese host: read with the Shift-JIS lead bytes it gives the right answer,
// and read byte by byte (the mutation each case shows) it would not, because
// the second byte of a character can have those codes.
#include <gtest/gtest.h>

#include "addressbook/address_book.h"
#include "mail/address_parts.h"
#include "mailbox/folders.h"
#include "settings/drop_gating.h"
#include "settings/settings.h"
#include "support/memory_files.h"
#include "support/memory_profile.h"
#include "tandrel/cli.h"
#include "testhost/model/host_model.h"
#include "text/characters.h"
#include "text/file_names.h"

namespace tandrel {
namespace {

using testing::MemoryFiles;
using testing::MemoryProfile;

constexpr LeadBytePredicate kSjis = IsShiftJisLeadByte;
// 表 (95 5C), ソ (83 5C), 十 (8F 5C), ポ (83 7C), ァ (83 40).
const std::string kTable = "\x95\x5C";
const std::string kSo = "\x83\x5C";
const std::string kTen = "\x8F\x5C";
const std::string kPo = "\x83\x7C";
const std::string kSmallA = "\x83\x40";

TEST(LeadBytes, ScansFindOnlyCharactersOfTheirOwn) {
    const std::string path = "Main\\" + kTable + "\\" + kSo;
    EXPECT_EQ(FindCharacter(path, '\\', kSjis, 5), 7U);
    EXPECT_EQ(FindCharacter(path, '\\', kNoLeadBytes, 5), 6U);
    EXPECT_EQ(FindLastCharacter(path, '\\', kSjis), 7U);
    EXPECT_EQ(FindLastCharacter(path, '\\', kNoLeadBytes), 9U);
    EXPECT_FALSE(EndsWithCharacter(path, '\\', kSjis));
    EXPECT_TRUE(EndsWithCharacter(path, '\\', kNoLeadBytes));
    EXPECT_EQ(SplitAtCharacter(path, '\\', kSjis),
              (std::vector<std::string_view>{"Main", kTable, kSo}));
    EXPECT_EQ(SplitAtCharacter(path, '\\', kNoLeadBytes).size(), 5U);
    EXPECT_EQ(ReplaceCharacter(path, '\\', '/', kSjis), "Main/" + kTable + "/" + kSo);
    EXPECT_EQ(CutAtCharacter("x" + kTable + kTable, 4, kSjis), "x" + kTable);
    EXPECT_EQ(CutAtCharacter("x" + kTable + kTable, 4, kNoLeadBytes).size(), 4U);
    EXPECT_EQ(FindCharacter("a\x95", '\\', kSjis), std::string_view::npos)
        << "a lead byte at the end stands alone";
}

TEST(LeadBytes, ALeadByteBeforeNoSecondByteStandsAlone) {
    // Before a line feed, "/" or ":" a lead byte starts no character: those
    // stay what they are, and a name with them is refused.
    EXPECT_FALSE(IsPlainFileName("x\x81\nEvil=1", kSjis));
    EXPECT_FALSE(IsPlainFolderId("Main\\x\x81/\\", kSjis));
    EXPECT_FALSE(IsPlainFileName("x\x81:", kSjis));
    EXPECT_EQ(FindCharacter("x\x81/y", '/', kSjis), 2U);
    EXPECT_TRUE(IsPlainFileName("x" + kSmallA, kSjis)) << "40 is a second byte";
}

TEST(LeadBytes, NamesAndPathsThatStayInTheirFolder) {
    EXPECT_TRUE(IsPlainPath(kPo + "\\" + kTable, kSjis));
    EXPECT_FALSE(IsPlainPath(kPo + "\\" + kTable, kNoLeadBytes));
    EXPECT_FALSE(IsPlainPath(kTable + "\\..", kSjis)) << "a real \"..\" still refused";
    EXPECT_FALSE(IsPlainPath(kTable + "\\", kSjis)) << "and an empty name";
    EXPECT_TRUE(IsPlainGroupPath(kPo + "\\" + kTen, kSjis));
    EXPECT_FALSE(IsPlainGroupPath(kPo + "\\" + kTen, kNoLeadBytes));
    EXPECT_TRUE(IsPlainBookName(kSo, kSjis));
    EXPECT_FALSE(IsPlainBookName(kSo, kNoLeadBytes));
    EXPECT_TRUE(IsCardFileName(kTable + ".tmp", kSjis));
    EXPECT_FALSE(IsCardFileName(kTable + ".tmp", kNoLeadBytes));
    EXPECT_TRUE(IsPlainFolderId("Main\\" + kTable + "\\", kSjis));
    EXPECT_FALSE(IsPlainFolderId("Main\\" + kTable + "\\", kNoLeadBytes));
    EXPECT_FALSE(IsPlainFolderId("Main\\" + kTable, kSjis)) << "it must end with a separator";
}

TEST(LeadBytes, GroupIdentifiersAndBookFolders) {
    const GroupIdentifier group = SplitGroupIdentifier("Private:" + kPo + "\\" + kTable, kSjis);
    EXPECT_EQ(group.group_path, kPo + "\\" + kTable);
    MemoryProfile profile;
    profile.files().AddFile("C:\\Data\\AddrBook\\@Shared\\Address.ini",
                            "[Settings]\r\nPath=D:\\" + kTable + "\r\n");
    EXPECT_EQ(ResolveBookFolder(profile, "C:\\Data\\", "Shared", kSjis), "D:\\" + kTable + "\\")
        << "the last byte is half a character, no separator";
    EXPECT_EQ(ResolveBookFolder(profile, "C:\\Data\\", "Shared", kNoLeadBytes), "D:\\" + kTable);
}

TEST(LeadBytes, FoldersOfTheDropTarget) {
    EXPECT_FALSE(IsTrashFolder("Main\\!Trash\\" + kTable + "\\", kSjis));
    EXPECT_TRUE(IsTrashFolder("Main\\!Trash\\" + kTable + "\\", kNoLeadBytes))
        << "byte by byte the last name is the part after 95 5C: empty";
    EXPECT_TRUE(DropOpensRuleEntry(kTable + "\\" + kSo + "\\", kSjis));
    EXPECT_TRUE(DropOpensRuleEntry(kTable + "\\", kNoLeadBytes))
        << "byte by byte the first \\ is the trail byte";
    EXPECT_FALSE(DropOpensRuleEntry(kTable + "\\", kSjis)) << "a drop on the mailbox itself";
}

TEST(LeadBytes, FilesPathsAndListings) {
    MemoryFiles files(kSjis);
    files.AddFile("C:\\Data\\" + kTable + "\\Group.ini", "");
    EXPECT_TRUE(IsExistingDirectory(files, "C:\\Data\\" + kTable, kSjis));
    EXPECT_FALSE(IsExistingDirectory(files, "C:\\Data\\" + kTable, kNoLeadBytes))
        << "byte by byte its last byte is a separator to trim";
    const ListPattern pattern = SplitListPattern("C:\\Data\\" + kSo + "*", kSjis);
    EXPECT_EQ(pattern.name, kSo + "*");
    EXPECT_EQ(SplitListPattern("C:\\Data\\" + kSo + "*", kNoLeadBytes).name, "*");
    EXPECT_EQ(SettingsFilePath("C:\\" + kTen + "\\Tandrel.dll", kSjis),
              "C:\\" + kTen + "\\Tandrel.ini");
    EXPECT_EQ(SettingsFilePath("C:\\x" + kTen + "Tandrel.dll", kSjis),
              "C:\\x" + kTen + "Tandrel.ini");
    EXPECT_EQ(cli::DataFolderArgument("D:\\" + kTable, kSjis), "D:\\" + kTable + "\\");
    EXPECT_EQ(cli::DataFolderArgument("D:\\" + kTable, kNoLeadBytes), "D:\\" + kTable);
}

TEST(LeadBytes, DisplayNamesWithTheCodeOfAnAtSign) {
    // ァ's second byte has the code of "@": the value holds no address.
    const std::string value = "F" + kSmallA;
    const std::vector<NameAddress> choices = AddressChoices(value, kSjis);
    ASSERT_EQ(choices.size(), 1U);
    EXPECT_EQ(choices.front().address, value);
    EXPECT_EQ(AddressChoices(value, kNoLeadBytes).front().name, "F\x83")
        << "byte by byte the name ends in half a character";
    EXPECT_EQ(SplitNameAddress(kTable + kTable, kSjis).name, kTable)
        << "all but the last character, not the last byte";
}

TEST(LeadBytes, TheHostModelNamesFoldersByTheirLastName) {
    MemoryFiles files(kSjis);
    files.AddDirectory("C:\\Data\\Main");
    testhost::HostModel model(files, "C:\\Data\\", "C:\\Temp\\", kSjis);
    EXPECT_EQ(model.FolderDisplayName("Main\\!" + kTable + "\\"), kTable);
    testhost::HostModel bytewise(files, "C:\\Data\\", "C:\\Temp\\", kNoLeadBytes);
    EXPECT_EQ(bytewise.FolderDisplayName("Main\\!" + kTable + "\\"), "");
}

}  // namespace
}  // namespace tandrel
