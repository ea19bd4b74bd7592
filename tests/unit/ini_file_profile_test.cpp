#include <gtest/gtest.h>

#include "support/memory_profile.h"

namespace tandrel {
namespace {

using testing::MemoryProfile;

constexpr const char* kPath = "C:\\Data\\Main\\Work\\Folder.ini";

TEST(ProfileRead, GivesTheDefaultForAMissingFileOrKeyAndCutsToTheLimit) {
    MemoryProfile profile;
    EXPECT_EQ(profile.ReadString(kPath, "Settings", "AddrGrp", "none", 255), "none");
    EXPECT_EQ(profile.ReadInt(kPath, "Settings", "Expanded", 9), 9);
    profile.files().AddFile(kPath, "[Settings]\r\nAddrGrp=Private:Friends\r\nExpanded=\r\n");
    EXPECT_EQ(profile.ReadString(kPath, "Settings", "AddrGrp", "", 7), "Private");
    EXPECT_EQ(profile.ReadString(kPath, "Settings", "AddrGrp", "", kWholeValue), "Private:Friends");
    EXPECT_EQ(profile.ReadInt(kPath, "Settings", "Expanded", 9), 9) << "an empty value: default";
    EXPECT_EQ(profile.ReadInt(kPath, "settings", "addrgrp", 9), 0) << "no digit first: 0";
}

TEST(ProfileWrite, CreatesTheFileAndNeverOverwritesWhatItCannotRead) {
    MemoryProfile profile;
    profile.files().AddDirectory("C:\\Data\\Main\\Work");
    ASSERT_TRUE(profile.WriteString(kPath, "Settings", "AddrGrp", "Private:Work"));
    EXPECT_EQ(profile.files().Content(kPath), "[Settings]\r\nAddrGrp=Private:Work\r\n");
    profile.files().MakeUnreadable(kPath);
    EXPECT_FALSE(profile.WriteString(kPath, "Settings", "AddrGrp", "Other:"));
    EXPECT_EQ(profile.files().Content(kPath), "[Settings]\r\nAddrGrp=Private:Work\r\n");
    EXPECT_FALSE(profile.WriteString("C:\\Data\\Missing\\Folder.ini", "Settings", "A", "1"));
}

}  // namespace
}  // namespace tandrel
