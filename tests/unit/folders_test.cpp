#include "mailbox/folders.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "helpers/temp_dir.h"
#include "platform/posix/posix_files.h"
#include "support/memory_files.h"

namespace tandrel {
namespace {

using testing::MemoryFiles;

constexpr const char* kData = "C:\\Data\\";

TEST(TrashFolder, CountsTheLastNameOnly) {
    EXPECT_TRUE(IsTrashFolder("Main\\!Trash\\", kNoLeadBytes));
    EXPECT_TRUE(IsTrashFolder("Main\\!T\\", kNoLeadBytes))
        << "a leading part of the trash name counts";
    EXPECT_TRUE(IsTrashFolder("Main\\!\\", kNoLeadBytes));
    EXPECT_FALSE(IsTrashFolder("Main\\!Trash2\\", kNoLeadBytes));
    EXPECT_FALSE(IsTrashFolder("Main\\!Trash\\Old\\", kNoLeadBytes))
        << "below the trash is not the trash";
    EXPECT_FALSE(IsTrashFolder("Main\\!trash\\", kNoLeadBytes));
    EXPECT_FALSE(IsTrashFolder("Main\\Trash\\", kNoLeadBytes));
    EXPECT_FALSE(IsTrashFolder("Main\\!!!!Inbox\\", kNoLeadBytes));
    EXPECT_TRUE(IsTrashFolder("!Trash", kNoLeadBytes))
        << "an identifier without backslashes is its own last name";
}

TEST(Subfolder, ExistsOnlyWithItsFolderSettings) {
    MemoryFiles files;
    files.AddFile("C:\\Data\\Main\\!!!!Inbox\\Work\\Folder.ini", "");
    files.AddDirectory("C:\\Data\\Main\\!!!!Inbox\\Bare");
    EXPECT_TRUE(SubfolderExists(files, kData, "Main\\!!!!Inbox\\", "Work"));
    EXPECT_FALSE(SubfolderExists(files, kData, "Main\\!!!!Inbox\\", "Bare"));
    EXPECT_FALSE(SubfolderExists(files, kData, "Main\\!!!!Inbox\\", "work"));
    EXPECT_EQ(SubfolderId("Main\\!!!!Inbox\\", "Work"), "Main\\!!!!Inbox\\Work\\");
}

TEST(SentFolder, IsFoundDirectlyInTheMailbox) {
    MemoryFiles files;
    files.AddDirectory("C:\\Data\\Main\\!!!!Inbox");
    files.AddDirectory("C:\\Data\\Main\\!!!Sent");
    EXPECT_EQ(FindSentFolder(files, kData, "C:\\Data\\Main\\"), "Main\\!!!Sent\\");
}

TEST(SentFolder, SearchesDepthFirstInListingOrder) {
    MemoryFiles files;
    files.AddDirectory("C:\\Data\\Main\\!!!!Inbox\\!!!Sent");
    files.AddDirectory("C:\\Data\\Main\\!!!Sent");
    EXPECT_EQ(FindSentFolder(files, kData, "C:\\Data\\Main\\"), "Main\\!!!!Inbox\\!!!Sent\\");

    MemoryFiles sent_first;
    sent_first.AddDirectory("C:\\Data\\Main\\!!!Sent");
    sent_first.AddDirectory("C:\\Data\\Main\\!!!!Inbox\\!!!Sent");
    EXPECT_EQ(FindSentFolder(sent_first, kData, "C:\\Data\\Main\\"), "Main\\!!!Sent\\");
}

TEST(SentFolder, IsFoundWhateverItIsButNoLinkIsEnteredSoALoopCannotHoldItUp) {
    testing::TempDir dir;
    PosixFiles files;
    dir.Write("Main/!!!!Inbox/Folder.ini", "");
    ASSERT_EQ(::symlink("..", (dir.path() + "Main/!!!!Inbox/!!!Up").c_str()), 0);
    ASSERT_EQ(::symlink("../Elsewhere", (dir.path() + "Main/!!!Sent").c_str()), 0);
    dir.Write("Elsewhere/Folder.ini", "");
    EXPECT_EQ(FindSentFolder(files, dir.path(), dir.path() + "Main/"), "Main/!!!Sent\\");
}

TEST(SentFolder, EntersOnlyFoldersWhoseNamesBeginWithThreeMarks) {
    MemoryFiles files;
    files.AddDirectory("C:\\Data\\Main\\Archive\\!!!Sent");
    files.AddDirectory("C:\\Data\\Main\\!!Old\\!!!Sent");
    files.AddFile("C:\\Data\\Main\\!!!Sent", "a file, not a folder");
    files.AddDirectory("C:\\Data\\Main\\!!!sent");
    EXPECT_EQ(FindSentFolder(files, kData, "C:\\Data\\Main\\"), std::nullopt);
    EXPECT_EQ(FindSentFolder(files, kData, "C:\\Data\\Missing\\"), std::nullopt);
}

TEST(FolderNames, BuildIdentifiersAndPathsByConcatenation) {
    EXPECT_EQ(InboxFolderId("Main\\"), "Main\\!!!!Inbox\\");
    EXPECT_EQ(FolderSettingsPath(kData, "Main\\!!!!Inbox\\Work\\"),
              "C:\\Data\\Main\\!!!!Inbox\\Work\\Folder.ini");
}

}  // namespace
}  // namespace tandrel
