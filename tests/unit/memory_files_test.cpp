// The double's promises that other tests rely on.
#include "support/memory_files.h"

#include <gtest/gtest.h>

namespace tandrel::testing {
namespace {

TEST(MemoryFilesDouble, ListsInCreationOrderAndFailsWritesPastTheBudget) {
    MemoryFiles files;
    files.AddDirectory("C:\\Data\\Main\\b");
    files.AddFile("C:\\Data\\Main\\a", "x");
    std::vector<FolderEntry> entries;
    ASSERT_TRUE(files.ListFolder("C:\\Data\\Main\\*", entries));
    ASSERT_EQ(entries.size(), 2U);
    EXPECT_EQ(entries[0].name, "b");
    EXPECT_TRUE(entries[0].is_directory);
    EXPECT_EQ(entries[1].name, "a");

    files.SetWriteBudget(3);
    EXPECT_FALSE(files.WriteAtomically("C:\\Data\\Main\\a", {"long"}, std::string()));
    EXPECT_EQ(files.Content("C:\\Data\\Main\\a"), "x");
    files.SetWriteBudget(3);
    EXPECT_FALSE(files.AppendFile("C:\\Data\\Main\\a", "long"));
    EXPECT_EQ(files.Content("C:\\Data\\Main\\a"), "xlon");
    EXPECT_FALSE(files.WriteAtomically("C:\\Data\\None\\a", {""}, std::string()));
}

}  // namespace
}  // namespace tandrel::testing
