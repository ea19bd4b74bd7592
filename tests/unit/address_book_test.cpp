#include "addressbook/address_book.h"

#include <gtest/gtest.h>

#include <map>

#include "addressbook/default_group.h"
#include "addressbook/group_listing.h"
#include "support/memory_profile.h"

namespace tandrel {
namespace {

using testing::MemoryFiles;
using testing::MemoryProfile;

constexpr const char* kData = "C:\\Data\\";
constexpr const char* kRoot = "C:\\Data\\AddrBook\\";

TEST(GroupIdentifierSplit, SplitsAtTheFirstColon) {
    const auto split = [](const char* text) {
        const GroupIdentifier group = SplitGroupIdentifier(text, kNoLeadBytes);
        return group.book + "|" + group.group_path;
    };
    EXPECT_EQ(split("Private:Friends\\School"), "Private|Friends\\School");
    EXPECT_EQ(split("a:b:c"), "a|b:c");
    EXPECT_EQ(split("Private:"), "Private|");
    EXPECT_EQ(split("Private"), "Private|");
    EXPECT_EQ(split(""), "|");
    EXPECT_EQ(JoinGroupIdentifier({"Private", "Friends\\School"}), "Private:Friends\\School");
}

TEST(GroupPath, MustStayInsideItsBook) {
    EXPECT_TRUE(IsPlainGroupPath("Friends", kNoLeadBytes));
    EXPECT_TRUE(IsPlainGroupPath("Friends\\School", kNoLeadBytes));
    for (const char* bad :
         {"", "..", "Friends\\..\\..", "\\Friends", "Friends\\", "a\\\\b", "*", "C:\\Windows"}) {
        EXPECT_FALSE(IsPlainGroupPath(bad, kNoLeadBytes)) << bad;
    }
}

TEST(BookFolder, FollowsThePointerFileOrDefaultsToTheBookFolder) {
    MemoryProfile profile;
    EXPECT_EQ(ResolveBookFolder(profile, kData, "Private", kNoLeadBytes),
              "C:\\Data\\AddrBook\\@Private\\");
    profile.files().AddFile(std::string(kRoot) + "@Shared\\Address.ini",
                            "[Settings]\r\nPath=D:\\Shared\\Book\\\r\n");
    EXPECT_EQ(ResolveBookFolder(profile, kData, "Shared", kNoLeadBytes), "D:\\Shared\\Book\\");
    profile.files().AddFile(std::string(kRoot) + "@Bare\\Address.ini",
                            "[Settings]\r\nPath=D:\\Bare\r\n");
    EXPECT_EQ(ResolveBookFolder(profile, kData, "Bare", kNoLeadBytes), "D:\\Bare\\")
        << "a missing final backslash is added";
    profile.files().AddFile(std::string(kRoot) + "@Empty\\Address.ini", "[Settings]\r\nPath=\r\n");
    EXPECT_EQ(ResolveBookFolder(profile, kData, "Empty", kNoLeadBytes),
              "C:\\Data\\AddrBook\\@Empty\\");
}

// @A without a marker, @B with groups X and Y (both marked), a folder that is
// no book, and the shared book whose groups live elsewhere.
void AddSampleBooks(MemoryFiles& files) {
    const std::string root = kRoot;
    files.AddFile(root + "@A\\Hidden\\Group.ini", "");
    files.AddFile(root + "@B\\Group.ini", "");
    files.AddDirectory(root + "@B\\.git");
    files.AddFile(root + "@B\\notes.txt", "");
    files.AddFile(root + "@B\\X\\Group.ini", "");
    files.AddFile(root + "@B\\X\\Sub\\Group.ini", "");
    files.AddFile(root + "@B\\X\\Unmarked\\Deeper\\Group.ini", "");
    files.AddFile(root + "@B\\Y\\Group.ini", "");
    files.AddFile(root + "Other\\Group.ini", "");
    files.AddFile(root + "@Shared\\Group.ini", "");
    files.AddFile(root + "@Shared\\Address.ini", "[Settings]\r\nPath=E:\\Book\\\r\n");
    files.AddFile("E:\\Book\\Team\\Group.ini", "");
}

std::string Render(const std::vector<GroupTreeItem>& items, int depth = 0) {
    std::string text;
    for (const GroupTreeItem& item : items) {
        text += std::string(static_cast<std::size_t>(depth) * 2, ' ') + item.text + " [" +
                item.book + ":" + item.group_path + "]\n" + Render(item.children, depth + 1);
    }
    return text;
}

TEST(GroupTree, ShowsMarkedBooksAndGroupsInListingOrder) {
    MemoryProfile profile;
    AddSampleBooks(profile.files());
    EXPECT_EQ(Render(ListGroupTree(profile.files(), profile, kData, kNoLeadBytes)),
              "B [B:]\n"
              "  X [B:X]\n"
              "    Sub [B:X\\Sub]\n"
              "  Y [B:Y]\n"
              "Shared [Shared:]\n"
              "  Team [Shared:Team]\n");
}

// Counts how a listing reaches the disk.
class CountingFiles : public MemoryFiles {
  public:
    bool ListFolder(const std::string& pattern, std::vector<FolderEntry>& entries) override {
        ++listings[pattern];
        return MemoryFiles::ListFolder(pattern, entries);
    }
    bool CanOpenForReading(const std::string& path) override {
        opened.push_back(path);
        return MemoryFiles::CanOpenForReading(path);
    }
    std::optional<FileFacts> Facts(const std::string& path) override {
        opened.push_back(path);
        return MemoryFiles::Facts(path);
    }
    std::map<std::string, int> listings;
    std::vector<std::string> opened;
};

TEST(GroupTree, ALevelLooksIntoItsGroupsFoldersAndNoDeeper) {
    CountingFiles files;
    MemoryProfile profile;  // the shared book's pointer file, read apart
    AddSampleBooks(files);
    profile.files().AddFile(std::string(kRoot) + "@Shared\\Address.ini",
                            "[Settings]\r\nPath=E:\\Book\\\r\n");
    const std::vector<GroupBranch> books = ListBookBranches(files, profile, kData, kNoLeadBytes);
    ASSERT_EQ(books.size(), 2U);
    EXPECT_EQ(books[1].folder, "E:\\Book\\");
    const std::vector<GroupBranch> groups = ListChildGroups(files, books[0], kNoLeadBytes);
    ASSERT_EQ(groups.size(), 2U);
    EXPECT_EQ(groups[0].group_path, "X");
    EXPECT_TRUE(groups[0].may_hold_groups) << "X has Sub and Unmarked";
    EXPECT_FALSE(groups[1].may_hold_groups) << "Y has no sub-folder";
    for (const auto& [pattern, count] : files.listings) {
        EXPECT_TRUE(pattern.find("\\X\\") == std::string::npos ||
                    pattern == std::string(kRoot) + "@B\\X\\*")
            << "listed below X: " << pattern;
    }
    EXPECT_EQ(files.opened, (std::vector<std::string>{
                                std::string(kRoot) + "@A\\Group.ini",
                                std::string(kRoot) + "@B\\Group.ini",
                                std::string(kRoot) + "@Shared\\Group.ini",
                                std::string(kRoot) + "@B\\X\\Group.ini",
                                std::string(kRoot) + "@B\\Y\\Group.ini",
                            }))
        << "one marker looked up for each book folder and group of the level";

    // The whole tree never goes below a folder without a marker.
    files.listings.clear();
    ListGroupTree(files, profile, kData, kNoLeadBytes);
    EXPECT_EQ(files.listings.count(std::string(kRoot) + "@B\\X\\Unmarked\\*"), 0U);
    EXPECT_EQ(files.listings.count(std::string(kRoot) + "@B\\X\\Unmarked\\Deeper\\*"), 0U);
}

TEST(GroupTree, TakesAMarkerFileButNotAFolderOfThatName) {
    MemoryProfile profile;
    MemoryFiles& files = profile.files();
    files.AddFile(std::string(kRoot) + "@B\\Group.ini", "");
    files.AddFile(std::string(kRoot) + "@B\\Real\\Group.ini", "");
    files.AddDirectory(std::string(kRoot) + "@B\\Fake\\Group.ini");
    files.AddFile(std::string(kRoot) + "@B\\Fake\\Inner\\Group.ini", "");
    EXPECT_EQ(Render(ListGroupTree(files, profile, kData, kNoLeadBytes)),
              "B [B:]\n  Real [B:Real]\n");
}

TEST(GroupTree, ShowsLinksByNameAndGoesNoFurtherThanALinkedBook) {
    MemoryProfile profile;
    MemoryFiles& files = profile.files();
    const std::string root = kRoot;
    files.AddFile(root + "@Linked\\Group.ini", "");
    files.AddFile(root + "@Linked\\G\\Group.ini", "");
    files.AddFile(root + "@Linked\\Junction\\Group.ini", "");
    files.AddFile(root + "@Linked\\Junction\\Below\\Group.ini", "");
    files.MakeLink(root + "@Linked");
    files.MakeLink(root + "@Linked\\Junction");
    EXPECT_EQ(Render(ListGroupTree(files, profile, kData, kNoLeadBytes)),
              "Linked [Linked:]\n  G [Linked:G]\n  Junction [Linked:Junction]\n");
    EXPECT_EQ(FindDefaultGroup(files, profile, kData, kNoLeadBytes), "Linked:G");
    // A name ending in a lead byte would take the "\\" after it: no group.
    files.AddFile(root + "@Linked\\\x95\\Group.ini", "");
    files.AddFile(root + "@Linked\\\x95\\Inner\\Group.ini", "");
    EXPECT_EQ(Render(ListGroupTree(files, profile, kData, IsShiftJisLeadByte)),
              "Linked [Linked:]\n  G [Linked:G]\n  Junction [Linked:Junction]\n");
}

TEST(GroupTree, IsEmptyWithoutAnAddressBook) {
    MemoryProfile profile;
    EXPECT_TRUE(ListGroupTree(profile.files(), profile, kData, kNoLeadBytes).empty());
    EXPECT_EQ(FindDefaultGroup(profile.files(), profile, kData, kNoLeadBytes), ":");
}

TEST(DefaultGroup, IsTheFirstMarkedGroupOfTheFirstMarkedBook) {
    MemoryProfile profile;
    AddSampleBooks(profile.files());
    EXPECT_EQ(FindDefaultGroup(profile.files(), profile, kData, kNoLeadBytes), "B:X");

    MemoryProfile without_groups;
    without_groups.files().AddFile(std::string(kRoot) + "@Solo\\Group.ini", "");
    without_groups.files().AddFile(std::string(kRoot) + "@Solo\\Unmarked\\x", "");
    EXPECT_EQ(FindDefaultGroup(without_groups.files(), without_groups, kData, kNoLeadBytes),
              "Solo:");
}

TEST(DefaultGroup, TestsTheBookMarkerInTheResolvedFolder) {
    MemoryProfile profile;
    MemoryFiles& files = profile.files();
    files.AddFile(std::string(kRoot) + "@Moved\\Group.ini", "");
    files.AddFile(std::string(kRoot) + "@Moved\\Address.ini", "[Settings]\r\nPath=E:\\Moved\\\r\n");
    files.AddFile("E:\\Moved\\G\\Group.ini", "");
    files.AddFile(std::string(kRoot) + "@Next\\Group.ini", "");
    EXPECT_EQ(FindDefaultGroup(files, profile, kData, kNoLeadBytes), "Next:")
        << "the moved book has no Group.ini in its resolved folder";
    EXPECT_EQ(Render(ListGroupTree(files, profile, kData, kNoLeadBytes)),
              "Moved [Moved:]\n  G [Moved:G]\nNext [Next:]\n")
        << "the tree tests the marker in the @ folder";
}

}  // namespace
}  // namespace tandrel
