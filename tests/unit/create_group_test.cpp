#include "addressbook/create_group.h"

#include <gtest/gtest.h>

#include "addressbook/group_listing.h"
#include "support/memory_profile.h"

namespace tandrel {
namespace {

using testing::MemoryFiles;
using testing::MemoryProfile;

constexpr const char* kData = "C:\\Data\\";
constexpr const char* kBook = "C:\\Data\\AddrBook\\@Private\\";

TEST(CreateGroup, MakesTheFolderItsSettingsAnEmptyIndexAndTheMarker) {
    MemoryProfile profile;
    profile.files().AddFile(std::string(kBook) + "Group.ini", "");
    ASSERT_EQ(
        CreateGroupOnDisk(profile.files(), profile, kData, {"Private", ""}, "Work", kNoLeadBytes),
        CreateGroupResult::Created);
    EXPECT_EQ(profile.files().Content(std::string(kBook) + "Work\\Folder.ini"),
              "[Settings]\r\nNickName=\r\nExpanded=1\r\n");
    EXPECT_EQ(profile.files().Content(std::string(kBook) + "Work\\Group.idx"), "");
    EXPECT_EQ(profile.files().Content(std::string(kBook) + "Work\\Group.ini"), "");
    ASSERT_EQ(CreateGroupOnDisk(profile.files(), profile, kData, {"Private", "Work"}, "Sub",
                                kNoLeadBytes),
              CreateGroupResult::Created);
    const auto tree = ListGroupTree(profile.files(), profile, kData, kNoLeadBytes);
    ASSERT_EQ(tree.size(), 1U);
    ASSERT_EQ(tree[0].children.size(), 1U);
    ASSERT_EQ(tree[0].children[0].children.size(), 1U);
    EXPECT_EQ(tree[0].children[0].children[0].group_path, "Work\\Sub") << "the new group shows";
    EXPECT_EQ(ChildGroup({"Private", "Work"}, "Sub").group_path, "Work\\Sub");
    EXPECT_EQ(ChildGroup({"Private", ""}, "Work").group_path, "Work");
}

TEST(CreateGroup, ReusesAHiddenFolderWithoutEmptyingItsIndex) {
    MemoryProfile profile;
    const std::string folder = std::string(kBook) + "Old\\";
    profile.files().AddFile(folder + "Group.idx", "0\t0\tc.vcf\tA\ta@b\t\t\t1\r\n");
    profile.files().AddFile(folder + "Folder.ini", "[Settings]\r\nHostKey=kept\r\n");
    ASSERT_EQ(
        CreateGroupOnDisk(profile.files(), profile, kData, {"Private", ""}, "Old", kNoLeadBytes),
        CreateGroupResult::Created);
    EXPECT_EQ(profile.files().Content(folder + "Group.idx"), "0\t0\tc.vcf\tA\ta@b\t\t\t1\r\n");
    EXPECT_EQ(profile.files().Content(folder + "Folder.ini"),
              "[Settings]\r\nHostKey=kept\r\nNickName=\r\nExpanded=1\r\n");
}

TEST(CreateGroup, RefusesNamesThatAreNotOnePlainFolderName) {
    MemoryProfile profile;
    profile.files().AddDirectory(kBook);
    for (const char* bad : {"", ".", "..", "a\\b", "..\\..\\x", "Work.", "Work ", "a:b", "a*"}) {
        EXPECT_EQ(
            CreateGroupOnDisk(profile.files(), profile, kData, {"Private", ""}, bad, kNoLeadBytes),
            CreateGroupResult::InvalidName)
            << bad;
    }
    for (const char* own : {"Group.idx", "group.ini", "Folder.ini", "Group.idx.lock"}) {
        EXPECT_EQ(
            CreateGroupOnDisk(profile.files(), profile, kData, {"Private", ""}, own, kNoLeadBytes),
            CreateGroupResult::ReservedName)
            << own;
    }
    EXPECT_EQ(CreateGroupOnDisk(profile.files(), profile, kData, {"Private", "..\\.."}, "x",
                                kNoLeadBytes),
              CreateGroupResult::ParentMissing);
    EXPECT_EQ(CreateGroupOnDisk(profile.files(), profile, kData, {"Nobody", ""}, "x", kNoLeadBytes),
              CreateGroupResult::ParentMissing);
    EXPECT_EQ(profile.files().Paths().size(), 4U) << "nothing was made";
}

TEST(CreateGroup, WritesNothingThroughALinkOrOverReadOnlySettings) {
    MemoryProfile profile;
    MemoryFiles& files = profile.files();
    files.AddFile(std::string(kBook) + "Elsewhere\\Folder.ini", "NickName=Keep me\r\n");
    files.MakeLink(std::string(kBook) + "Elsewhere");
    EXPECT_EQ(CreateGroupOnDisk(files, profile, kData, {"Private", ""}, "Elsewhere", kNoLeadBytes),
              CreateGroupResult::GroupIsLink);
    EXPECT_EQ(CreateGroupOnDisk(files, profile, kData, {"Private", "Elsewhere"}, "x", kNoLeadBytes),
              CreateGroupResult::GroupIsLink);
    files.AddFile(std::string(kBook) + "Kept\\Folder.ini", "NickName=Keep me\r\n");
    files.MakeReadOnly(std::string(kBook) + "Kept\\Folder.ini");
    EXPECT_EQ(CreateGroupOnDisk(files, profile, kData, {"Private", ""}, "Kept", kNoLeadBytes),
              CreateGroupResult::WriteFailed);
    EXPECT_EQ(files.Content(std::string(kBook) + "Kept\\Folder.ini"), "NickName=Keep me\r\n");
    EXPECT_EQ(files.bytes_written(), 0U);
}

TEST(CreateGroup, AFailedWriteAtAnyByteLeavesNoHalfWrittenFileAndNoVisibleGroup) {
    for (std::size_t budget = 0;; ++budget) {
        MemoryProfile profile;
        MemoryFiles& files = profile.files();
        files.AddFile(std::string(kBook) + "Group.ini", "");
        // Even budgets count bytes, odd ones count write calls.
        if (budget % 2 == 0) {
            files.SetWriteBudget(budget / 2);
        } else {
            files.SetWriteCallBudget(budget / 2);
        }
        const CreateGroupResult result =
            CreateGroupOnDisk(files, profile, kData, {"Private", ""}, "Work", kNoLeadBytes);
        if (result == CreateGroupResult::Created) {
            if (budget % 2 == 0) {
                break;  // enough bytes for everything
            }
            continue;
        }
        ASSERT_EQ(result, CreateGroupResult::WriteFailed);
        const auto settings = files.Content(std::string(kBook) + "Work\\Folder.ini");
        EXPECT_TRUE(!settings || *settings == "[Settings]\r\nNickName=\r\nExpanded=1\r\n")
            << "budget " << budget;
        EXPECT_TRUE(ListGroupTree(files, profile, kData, kNoLeadBytes)[0].children.empty())
            << "budget " << budget;
    }
}

}  // namespace
}  // namespace tandrel
