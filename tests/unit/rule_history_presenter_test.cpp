// The Rule history dialog over a rule file on disk: the versions listed are
// the ones a put-back finds, and what it puts back is what the list showed.
#include "setup/rule_history_presenter.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "helpers/temp_dir.h"
#include "platform/posix/posix_files.h"
#include "resources/resource.h"
#include "support/builtin_strings.h"
#include "support/memory_dialog.h"
#include "support/memory_files.h"
#include "testhost/model/host_model.h"
#include "testhost/native/model_host.h"

namespace tandrel {
namespace {

using testing::MemoryDialog;
using testing::TempDir;

class RuleHistoryTest : public ::testing::Test {
  protected:
    RuleHistoryTest() {
        dir_.Write("data/Main/!!!!Inbox/Folder.ini", "");
        dir_.Write("temp/.keep", "");
        dialog_.set_message_handler([this](const std::string& text, unsigned, MessageOwner) {
            messages_.push_back(text);
            return answer_;
        });
    }
    void Open() {
        model_.SetMailbox("Main\\");
        presenter_ = std::make_unique<RuleHistoryPresenter>(dialog_, context_);
        presenter_->Init();
    }
    void PutBack(int index) {
        dialog_.Select(IDC_HISTORY_VERSIONS, index);
        presenter_->OnCommand(IDC_HISTORY_VERSIONS, kNotifySelChange);
        presenter_->OnCommand(IDC_HISTORY_PUT_BACK, kNotifyClicked);
    }

    TempDir dir_;
    PosixFiles files_;
    testhost::HostModel model_{files_, dir_.path() + "data/", dir_.path() + "temp/", kNoLeadBytes};
    testhost::ModelHost host_{model_};
    BuiltinStrings strings_;
    RuleHistoryContext context_{host_, files_, strings_};
    MemoryDialog dialog_{IDD_RULE_HISTORY};
    std::unique_ptr<RuleHistoryPresenter> presenter_;
    std::vector<std::string> messages_;
    int answer_ = kIdOk;  // to every message box
};

TEST_F(RuleHistoryTest, ARuleFileThatIsALinkShowsTheVersionsBesideItsTarget) {
    dir_.Write("real/iFilter.Def", "Version=1\r\n");
    dir_.Write("real/iFilter.Def.bak", "Version=0\r\n");
    std::filesystem::create_symlink("../../real/iFilter.Def",
                                    dir_.path() + "data/Main/iFilter.Def");
    Open();
    ASSERT_EQ(dialog_.ItemCount(IDC_HISTORY_VERSIONS), 1);
    PutBack(0);
    EXPECT_EQ(messages_.size(), 1U) << "only the question";
    EXPECT_EQ(dir_.Read("real/iFilter.Def"), "Version=0\r\n");
    EXPECT_TRUE(std::filesystem::is_symlink(dir_.path() + "data/Main/iFilter.Def"));
    EXPECT_EQ(dialog_.ItemCount(IDC_HISTORY_VERSIONS), 2);
}

TEST_F(RuleHistoryTest, AVersionChangedByAnotherWriterMeanwhileIsNotPutBack) {
    dir_.Write("data/Main/iFilter.Def", "Version=2\r\n");
    dir_.Write("data/Main/iFilter.Def.bak", "Version=1\r\n");
    const std::string version = dir_.path() + "data/Main/iFilter.Def.bak";
    const auto written = std::filesystem::last_write_time(version);
    Open();
    // Another writer, in the same second, with as many bytes, then with more.
    for (const char* other : {"Version=9\r\n", "Version=1 and more\r\n"}) {
        dir_.Write("data/Main/iFilter.Def.bak", other);
        std::filesystem::last_write_time(version, written);
        messages_.clear();
        PutBack(0);
        ASSERT_EQ(messages_.size(), 2U);
        EXPECT_EQ(messages_[1].rfind("There is no such former version", 0), 0U) << messages_[1];
        EXPECT_EQ(dir_.Read("data/Main/iFilter.Def"), "Version=2\r\n");
        EXPECT_TRUE(model_.log().empty()) << "no reload";
        Open();
    }
}

TEST_F(RuleHistoryTest, AVersionThatCannotBeReadIsMarkedAndNamedWhenPutBack) {
    dir_.Write("data/Main/iFilter.Def", "Version=3\r\n");
    dir_.Write("data/Main/iFilter.Def.bak", "Version=2\r\n");
    std::filesystem::create_directory_symlink("..", dir_.path() + "data/Main/iFilter.Def.bak2");
    dir_.Write("data/Main/iFilter.Def.bak3", "Version=1\r\n");
    Open();
    const std::vector<std::string>& items = dialog_.control(IDC_HISTORY_VERSIONS).items;
    ASSERT_EQ(items.size(), 3U);
    EXPECT_NE(items[0].find("changed outside Tandrel"), std::string::npos) << items[0];
    EXPECT_NE(items[1].find("  cannot be read"), std::string::npos) << items[1];
    PutBack(1);
    ASSERT_EQ(messages_.size(), 2U);
    EXPECT_NE(messages_[1].find("Main\\iFilter.Def.bak2\n"), std::string::npos) << messages_[1];
    EXPECT_EQ(dir_.Read("data/Main/iFilter.Def"), "Version=3\r\n");
    EXPECT_TRUE(model_.log().empty()) << "no reload";
}

TEST_F(RuleHistoryTest, TheSentRulesListAllTenVersionsAndAskByTheirName) {
    dir_.Write("data/Main/oFilter.Def", "Version=11\r\n");
    dir_.Write("data/Main/oFilter.Def.bak", "Version=10\r\n");
    for (int slot = 2; slot <= kKeptVersions; ++slot) {
        dir_.Write("data/Main/oFilter.Def.bak" + std::to_string(slot),
                   "Version=" + std::to_string(11 - slot) + "\r\n");
    }
    Open();
    EXPECT_EQ(dialog_.ItemCount(IDC_HISTORY_VERSIONS), 0) << "no received rules";
    dialog_.Select(IDC_HISTORY_RULE_FILE, 1);
    presenter_->OnCommand(IDC_HISTORY_RULE_FILE, kNotifySelChange);
    EXPECT_EQ(dialog_.ItemCount(IDC_HISTORY_VERSIONS), kKeptVersions);
    // Cancelled: nothing changes, nothing is reloaded.
    answer_ = kIdCancel;
    PutBack(9);
    ASSERT_EQ(messages_.size(), 1U);
    EXPECT_EQ(messages_[0],
              "Put back version 10 of the sent rules? The rules in use now become version 1.");
    EXPECT_EQ(dir_.Read("data/Main/oFilter.Def"), "Version=11\r\n");
    EXPECT_TRUE(model_.log().empty());
    answer_ = kIdOk;
    PutBack(9);
    EXPECT_EQ(dir_.Read("data/Main/oFilter.Def"), "Version=1\r\n");
    EXPECT_EQ(model_.log(), std::vector<std::string>{"reload"});
}

TEST_F(RuleHistoryTest, ARefusedPutBackSaysWhyAndReloadsNothing) {
    dir_.Write("data/Main/iFilter.Def", "Version=2\r\n");
    dir_.Write("data/Main/iFilter.Def.bak", "Version=1\r\n");
    ASSERT_EQ(::chmod((dir_.path() + "data/Main/iFilter.Def").c_str(), 0444), 0);
    Open();
    PutBack(0);
    ASSERT_EQ(messages_.size(), 2U);
    EXPECT_NE(messages_[1].find("are read-only"), std::string::npos) << messages_[1];
    EXPECT_TRUE(model_.log().empty()) << "no reload";
}

// A put-back whose write fails, on a disk that takes no more bytes.
TEST(RuleHistoryWriteFails, ItIsReportedAndNothingIsReloaded) {
    testing::MemoryFiles files;
    files.AddFile("C:\\Data\\Main\\iFilter.Def", "Version=2\r\n");
    files.AddFile("C:\\Data\\Main\\iFilter.Def.bak", "Version=1\r\n");
    testhost::HostModel model(files, "C:\\Data\\", "C:\\Temp\\", kNoLeadBytes);
    model.SetMailbox("Main\\");
    testhost::ModelHost host(model);
    BuiltinStrings strings;
    RuleHistoryContext context{host, files, strings};
    MemoryDialog dialog(IDD_RULE_HISTORY);
    std::vector<std::string> messages;
    dialog.set_message_handler([&messages](const std::string& text, unsigned, MessageOwner) {
        messages.push_back(text);
        return kIdOk;
    });
    RuleHistoryPresenter presenter(dialog, context);
    presenter.Init();
    files.SetWriteBudget(0);
    dialog.Select(IDC_HISTORY_VERSIONS, 0);
    presenter.OnCommand(IDC_HISTORY_PUT_BACK, kNotifyClicked);
    ASSERT_EQ(messages.size(), 2U);
    EXPECT_EQ(messages[1].rfind("Unable to write the sorting rules", 0), 0U) << messages[1];
    EXPECT_EQ(files.Content("C:\\Data\\Main\\iFilter.Def"), "Version=2\r\n");
    EXPECT_TRUE(model.log().empty()) << "no reload";
}

}  // namespace
}  // namespace tandrel
