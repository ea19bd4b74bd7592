#include "settings/settings.h"

#include <gtest/gtest.h>

#include "platform/posix/ini_file_profile.h"
#include "support/memory_files.h"

namespace tandrel {
namespace {

using testing::MemoryFiles;

constexpr const char* kPath = "C:\\Mail\\Plugins\\Tandrel.ini";

TEST(SettingsPath, ReplacesTheExtensionOfTheLibraryFile) {
    EXPECT_EQ(SettingsFilePath("C:\\Mail\\Plugins\\Tandrel.dll", kNoLeadBytes),
              "C:\\Mail\\Plugins\\Tandrel.ini");
    EXPECT_EQ(SettingsFilePath("C:\\Mail\\Plugins\\Tandrel.x.dll", kNoLeadBytes),
              "C:\\Mail\\Plugins\\Tandrel.x.ini");
    EXPECT_EQ(SettingsFilePath("C:\\Mail\\Plugins\\Tandrel", kNoLeadBytes),
              "C:\\Mail\\Plugins\\Tandrel.ini");
    EXPECT_EQ(SettingsFilePath("C:\\Mail.2\\Tandrel", kNoLeadBytes), "C:\\Mail.2\\Tandrel.ini")
        << "a dot in a folder name is not an extension";
}

TEST(SettingsLoad, WithoutAFileEveryKeyHasItsDefault) {
    MemoryFiles files;
    IniFileProfile profile(files);
    const Settings settings = LoadSettings(profile, kPath);
    EXPECT_EQ(settings.in_headers, "From:Sender:Reply-To:");
    EXPECT_EQ(settings.out_headers, "To:Cc:");
    EXPECT_EQ(settings.add_place, 0);
    EXPECT_FALSE(settings.delete_same_cond);
    EXPECT_FALSE(settings.drop_shift);
    EXPECT_TRUE(settings.add_in_filter && settings.add_out_filter && settings.create_sub_dir &&
                settings.exec_filter && settings.filter_inbox && settings.filter_sent &&
                settings.filter_current && settings.sort_by_date && settings.add_adr_book &&
                settings.drop_ctrl && settings.drop_alt);
}

TEST(SettingsLoad, ReadsOddValuesAsTheProfileFunctionsDo) {
    MemoryFiles files;
    IniFileProfile profile(files);
    const std::string long_list = std::string(300, 'X') + ":Y:";
    files.AddFile(kPath,
                  "[Settings]\r\n"
                  "InHeaders=" +
                      long_list +
                      "\r\n"
                      "OutHeaders=\r\n"
                      "AddPlace=7\r\n"
                      "DropAlt=5\r\n"
                      "DropCtrl=text\r\n"
                      "ExecFilter=0\r\n"
                      "SortByDate=\r\n");
    const Settings settings = LoadSettings(profile, kPath);
    EXPECT_EQ(settings.in_headers, long_list) << "a long list is read whole";
    EXPECT_EQ(settings.out_headers, "") << "an empty list is not the default";
    EXPECT_EQ(settings.add_place, 7);
    EXPECT_TRUE(settings.drop_alt) << "5 counts as set";
    EXPECT_FALSE(settings.drop_ctrl) << "a value that is not a number reads as 0";
    EXPECT_FALSE(settings.exec_filter);
    EXPECT_TRUE(settings.sort_by_date) << "an empty value gives the default";
    EXPECT_TRUE(settings.filter_sent) << "a missing key gives the default";
}

TEST(SettingsSave, WritesAllSeventeenKeysInTheirOrder) {
    MemoryFiles files;
    IniFileProfile profile(files);
    files.AddDirectory("C:\\Mail\\Plugins");
    Settings settings;
    settings.add_place = -1;
    settings.drop_shift = true;
    settings.count_matches = false;
    settings.in_headers = std::string(260, 'H') + ":";
    ASSERT_TRUE(SaveSettings(profile, kPath, settings));
    EXPECT_EQ(files.Content(kPath),
              "[Settings]\r\n"
              "InHeaders=" +
                  settings.in_headers +
                  "\r\n"
                  "OutHeaders=To:Cc:\r\n"
                  "AddPlace=-1\r\n"
                  "AddInFilter=1\r\n"
                  "AddOutFilter=1\r\n"
                  "CreateSubDir=1\r\n"
                  "DeleteSameCond=0\r\n"
                  "ExecFilter=1\r\n"
                  "SortByDate=1\r\n"
                  "FilterCurrent=1\r\n"
                  "FilterSent=1\r\n"
                  "FilterInbox=1\r\n"
                  "AddAdrBook=1\r\n"
                  "DropShift=1\r\n"
                  "DropCtrl=1\r\n"
                  "DropAlt=1\r\n"
                  "CountMatches=0\r\n");
    const Settings read = LoadSettings(profile, kPath);
    EXPECT_EQ(read.in_headers, settings.in_headers);
    EXPECT_EQ(read.add_place, -1);
    EXPECT_TRUE(read.drop_shift);
    EXPECT_FALSE(read.count_matches);
}

TEST(SettingsSave, AWriteFailingAtAnyByteLeavesTheFileAsItWas) {
    const std::string before = "[Settings]\r\nDropAlt=0\r\n; a note\r\n";
    std::string after;
    {
        MemoryFiles files;
        IniFileProfile profile(files);
        files.AddFile(kPath, before);
        ASSERT_TRUE(SaveSettings(profile, kPath, Settings()));
        after = *files.Content(kPath);
    }
    for (std::size_t budget = 0; budget < after.size(); ++budget) {
        MemoryFiles files;
        IniFileProfile profile(files);
        files.AddFile(kPath, before);
        files.SetWriteBudget(budget);
        EXPECT_FALSE(SaveSettings(profile, kPath, Settings())) << budget << " bytes";
        EXPECT_EQ(files.Content(kPath), before) << budget << " bytes";
    }
    MemoryFiles files;
    IniFileProfile profile(files);
    files.SetWriteCallBudget(0);
    EXPECT_FALSE(SaveSettings(profile, kPath, Settings())) << "no file yet";
    EXPECT_FALSE(files.Exists(kPath));
}

}  // namespace
}  // namespace tandrel
