#include "entry/rule_entry_presenter.h"

#include <gtest/gtest.h>

#include <chrono>

#include "resources/resource.h"
#include "support/builtin_strings.h"
#include "support/memory_dialog.h"
#include "support/memory_profile.h"
#include "testhost/model/host_model.h"
#include "testhost/native/model_host.h"

namespace tandrel {
namespace {

using testhost::HostModel;
using testhost::ModelHost;
using testing::MemoryDialog;
using testing::MemoryFiles;
using testing::MemoryProfile;

constexpr const char* kData = "C:\\Data\\";
constexpr const char* kInbox = "Main\\!!!!Inbox\\";

class RuleEntryTest : public ::testing::Test {
  protected:
    RuleEntryTest() {
        MemoryFiles& disk = files();
        disk.AddFile("C:\\Data\\Main\\!!!!Inbox\\Folder.ini", "");
        disk.AddFile("C:\\Data\\Main\\!!!Sent\\Folder.ini", "");
        disk.AddFile("C:\\Data\\AddrBook\\@Private\\Group.ini", "");
        disk.AddFile("C:\\Data\\AddrBook\\@Private\\Friends\\Group.ini", "");
        disk.AddFile("C:\\Data\\Main\\!!!!Inbox\\0001.eml",
                     "From: \"Ann Lee\" <ann@example.com>\r\n"
                     "To: bob@example.com, carol@example.com, dave@example.com\r\n"
                     "FROM: shout@example.com\r\n\r\nbody\r\n");
        disk.AddFile("C:\\Data\\Main\\!!!Sent\\0002.eml",
                     "To: zed@example.org\r\nX-SMTP-Result: 250\r\n\r\nbody\r\n");
        disk.AddDirectory("C:\\Temp");
    }

    MemoryFiles& files() { return profile_.files(); }

    // Opens the dialog for a drop of `source` on `target`.
    void Open(const std::string& source = "Main\\!!!!Inbox\\?0001",
              const std::string& target = kInbox) {
        model_ = std::make_unique<HostModel>(files(), kData, "C:\\Temp\\", kNoLeadBytes);
        host_ = std::make_unique<ModelHost>(*model_);
        model_->SetMail(source);
        context_ = std::make_unique<RuleEntryContext>(
            RuleEntryContext{*host_, files(), profile_, strings_, settings_, target, source});
        dialog_.set_message_handler([this](const std::string& text, unsigned, MessageOwner) {
            messages_.push_back(text);
            busy_at_messages_.push_back(dialog_.busy());
            return kIdOk;
        });
        presenter_ = std::make_unique<RuleEntryPresenter>(dialog_, *context_);
        presenter_->Init();
    }

    // Types `text` into a combo box's edit and gives back the line then.
    std::string TypeAndReadLine(int id, const std::string& text) {
        dialog_.SetText(id, text);
        presenter_->OnCommand(id, kNotifyComboEditChange);
        return dialog_.Text(IDC_ENTRY_SORTED_INTO);
    }

    void Click(int id) {
        dialog_.control(id).checked = !dialog_.control(id).checked;
        presenter_->OnCommand(id, kNotifyClicked);
    }

    std::vector<int> Enabled(std::initializer_list<int> ids) {
        std::vector<int> enabled;
        for (const int id : ids) {
            if (dialog_.IsEnabled(id)) {
                enabled.push_back(id);
            }
        }
        return enabled;
    }

    bool Logged(const std::string& line) {
        return std::find(model_->log().begin(), model_->log().end(), line) != model_->log().end();
    }

    MemoryProfile profile_;
    BuiltinStrings strings_;
    Settings settings_;
    MemoryDialog dialog_{IDD_RULE_ENTRY};
    std::unique_ptr<HostModel> model_;
    std::unique_ptr<ModelHost> host_;
    std::unique_ptr<RuleEntryContext> context_;
    std::unique_ptr<RuleEntryPresenter> presenter_;
    std::vector<std::string> messages_;
    std::vector<bool> busy_at_messages_;
};

const std::initializer_list<int> kRuleControls = {
    IDC_ENTRY_RECEIVING_HEADER, IDC_ENTRY_SENDING_HEADER, IDC_ENTRY_ADD_PLACE,
    IDC_ENTRY_CREATE_SUBFOLDER, IDC_ENTRY_SUBFOLDER_NAME, IDC_ENTRY_DELETE_SAME,
    IDC_ENTRY_EXECUTE_FILTER,   IDC_ENTRY_RUN_CURRENT,    IDC_ENTRY_RUN_INBOX,
    IDC_ENTRY_RUN_SENT,         IDC_ENTRY_SORT_BY_DATE,   IDC_ENTRY_CHOOSE_GROUP};

TEST_F(RuleEntryTest, EnablingFollowsEveryClick) {
    Open();
    EXPECT_EQ(Enabled(kRuleControls), std::vector<int>(kRuleControls));
    Click(IDC_ENTRY_ADD_RECEIVING);
    Click(IDC_ENTRY_ADD_SENDING);
    EXPECT_EQ(Enabled(kRuleControls), std::vector<int>{IDC_ENTRY_CHOOSE_GROUP})
        << "without a rule box everything down to the runs is off; the book stays usable";
    EXPECT_TRUE(dialog_.IsChecked(IDC_ENTRY_RUN_INBOX)) << "a disabled box keeps its mark";
    Click(IDC_ENTRY_ADD_SENDING);
    EXPECT_EQ(
        Enabled(kRuleControls),
        (std::vector<int>{IDC_ENTRY_SENDING_HEADER, IDC_ENTRY_ADD_PLACE, IDC_ENTRY_CREATE_SUBFOLDER,
                          IDC_ENTRY_SUBFOLDER_NAME, IDC_ENTRY_DELETE_SAME, IDC_ENTRY_EXECUTE_FILTER,
                          IDC_ENTRY_RUN_CURRENT, IDC_ENTRY_RUN_SENT, IDC_ENTRY_SORT_BY_DATE,
                          IDC_ENTRY_CHOOSE_GROUP}));
    Click(IDC_ENTRY_EXECUTE_FILTER);
    EXPECT_EQ(Enabled({IDC_ENTRY_RUN_CURRENT, IDC_ENTRY_RUN_SENT, IDC_ENTRY_SORT_BY_DATE}),
              std::vector<int>{});
    Click(IDC_ENTRY_CREATE_SUBFOLDER);
    EXPECT_FALSE(dialog_.IsEnabled(IDC_ENTRY_SUBFOLDER_NAME));
    EXPECT_FALSE(dialog_.IsEnabled(IDC_ENTRY_SUBFOLDER_LABEL));
    Click(IDC_ENTRY_ADD_TO_BOOK);
    EXPECT_EQ(Enabled({IDC_ENTRY_CHOOSE_GROUP, IDC_ENTRY_GROUP, IDC_ENTRY_BOOK_NAME,
                       IDC_ENTRY_BOOK_NAME_LABEL}),
              std::vector<int>{});
}

TEST_F(RuleEntryTest, SetUpLooksAtEachSettingOnItsOwn) {
    settings_.add_in_filter = false;
    settings_.add_out_filter = false;
    Open();
    EXPECT_FALSE(dialog_.IsEnabled(IDC_ENTRY_CREATE_SUBFOLDER));
    EXPECT_TRUE(dialog_.IsEnabled(IDC_ENTRY_SUBFOLDER_NAME)) << "follows CreateSubDir alone";
    EXPECT_TRUE(dialog_.IsEnabled(IDC_ENTRY_SUBFOLDER_LABEL));
    Click(IDC_ENTRY_ADD_RECEIVING);
    EXPECT_TRUE(dialog_.IsEnabled(IDC_ENTRY_CREATE_SUBFOLDER));
    EXPECT_TRUE(dialog_.IsEnabled(IDC_ENTRY_RUN_INBOX));
    EXPECT_FALSE(dialog_.IsEnabled(IDC_ENTRY_RUN_SENT));
}

TEST_F(RuleEntryTest, ExecuteFilterEnablesOnlyTheRunsOfCheckedRules) {
    settings_.add_out_filter = false;
    Open();
    EXPECT_FALSE(dialog_.IsEnabled(IDC_ENTRY_RUN_SENT));
    EXPECT_TRUE(dialog_.IsEnabled(IDC_ENTRY_RUN_INBOX));
    EXPECT_EQ(dialog_.Selection(IDC_ENTRY_ADD_PLACE), 0);
}

TEST_F(RuleEntryTest, TheListsMoveTogether) {
    Open();
    dialog_.Select(IDC_ENTRY_HEADER_NAME, 1);
    presenter_->OnCommand(IDC_ENTRY_HEADER_NAME, kNotifySelChange);
    EXPECT_EQ(dialog_.Text(IDC_ENTRY_RECEIVING_HEADER), "To");
    ASSERT_EQ(
        dialog_.control(IDC_ENTRY_ADDRESS).items,
        (std::vector<std::string>{"bob@example.com", "carol@example.com", "dave@example.com"}));
    dialog_.Select(IDC_ENTRY_BOOK_NAME, 2);
    presenter_->OnCommand(IDC_ENTRY_BOOK_NAME, kNotifySelChange);
    EXPECT_EQ(dialog_.Selection(IDC_ENTRY_ADDRESS), 2);
    EXPECT_EQ(dialog_.Text(IDC_ENTRY_SUBFOLDER_NAME), "dave");
    dialog_.SetText(IDC_ENTRY_SUBFOLDER_NAME, "Dave D");
    presenter_->OnCommand(IDC_ENTRY_SUBFOLDER_NAME, kNotifyComboEditUpdate);
    EXPECT_EQ(dialog_.Text(IDC_ENTRY_BOOK_NAME), "Dave D");
}

TEST_F(RuleEntryTest, TheHostsCurrentMessageTellsTheMode) {
    Open("Main\\!!!Sent\\?0002", "Main\\!!!Sent\\");
    EXPECT_EQ(dialog_.Title(), "Tandrel (Sent)");
    EXPECT_EQ(dialog_.Text(IDC_ENTRY_HEADER_NAME), "To");
    EXPECT_EQ(dialog_.Text(IDC_ENTRY_SENDING_HEADER), "To");
    EXPECT_EQ(dialog_.Text(IDC_ENTRY_RECEIVING_HEADER), "From");
    EXPECT_EQ(dialog_.Text(IDC_ENTRY_ADDRESS), "zed@example.org");

    // The same drop while a received message is current: receiving mode,
    // and the dropped message has no From to prefer.
    model_->SetMail("Main\\!!!!Inbox\\?0001");
    MemoryDialog received(IDD_RULE_ENTRY);
    RuleEntryPresenter presenter(received, *context_);
    presenter.Init();
    EXPECT_EQ(received.Title(), "Tandrel (Received)");
    EXPECT_EQ(received.Selection(IDC_ENTRY_HEADER_NAME), -1);
    EXPECT_EQ(received.ItemCount(IDC_ENTRY_ADDRESS), 0);
}

TEST_F(RuleEntryTest, ANameDifferingInCaseSelectsNothing) {
    settings_.in_headers = "FROM:";
    files().AddFile("C:\\Data\\Main\\!!!!Inbox\\0001.eml", "From: a@b\r\n\r\n");
    Open();
    EXPECT_EQ(dialog_.Selection(IDC_ENTRY_HEADER_NAME), -1);
    EXPECT_EQ(dialog_.ItemCount(IDC_ENTRY_ADDRESS), 0);
}

TEST_F(RuleEntryTest, OkFoldsLineBreaksAndTabsOutOfEverythingWritten) {
    settings_.create_sub_dir = false;
    settings_.exec_filter = false;
    Open();
    dialog_.SetText(IDC_ENTRY_ADDRESS, "ann@\r\nexample\t.com");
    dialog_.SetText(IDC_ENTRY_BOOK_NAME, "Ann\r\n\tLee");
    EXPECT_TRUE(presenter_->OnCommand(kIdOk, kNotifyClicked));
    EXPECT_EQ(dialog_.end_code(), kIdOk);
    EXPECT_NE(
        files().Content("C:\\Data\\Main\\iFilter.Def")->find("@0:From:ann@example .com\tO\tI\r\n"),
        std::string::npos);
    EXPECT_EQ(files().Content("C:\\Data\\AddrBook\\@Private\\Friends\\Group.idx"),
              "0\t0\tbab0001.tmp\tAnn Lee\tann@example .com\t\t\t1\r\n");
    EXPECT_TRUE(messages_.empty());
}

TEST_F(RuleEntryTest, AFileThatCannotBeWrittenIsReportedAndNotReloadedForNothing) {
    settings_.create_sub_dir = false;
    settings_.exec_filter = false;
    settings_.add_adr_book = false;
    settings_.add_out_filter = false;
    files().AddFile("C:\\Data\\Main\\iFilter.Def", "locked");
    files().MakeUnreadable("C:\\Data\\Main\\iFilter.Def");
    Open();
    presenter_->OnCommand(kIdOk, kNotifyClicked);
    ASSERT_EQ(messages_.size(), 1U);
    EXPECT_EQ(messages_[0],
              "Unable to read the sorting rules\n C:\\Data\\Main\\iFilter.Def\nas a plain file\n"
              "Nothing was written");
    EXPECT_FALSE(Logged("reload"));
    EXPECT_EQ(files().Content("C:\\Data\\Main\\iFilter.Def"), "locked");

    MemoryDialog both(IDD_RULE_ENTRY);
    both.set_message_handler([](const std::string&, unsigned, MessageOwner) { return kIdOk; });
    RuleEntryPresenter presenter(both, *context_);
    presenter.Init();
    both.SetChecked(IDC_ENTRY_ADD_SENDING, true);
    presenter.OnCommand(kIdOk, kNotifyClicked);
    EXPECT_TRUE(Logged("reload")) << "the sending file was written";
}

TEST_F(RuleEntryTest, AnAddressThatCannotBeWrittenIsReported) {
    settings_.add_in_filter = false;
    settings_.add_out_filter = false;
    files().AddFile("C:\\Data\\AddrBook\\@Private\\Friends\\Group.idx", "x");
    files().MakeUnreadable("C:\\Data\\AddrBook\\@Private\\Friends\\Group.idx");
    Open();
    presenter_->OnCommand(kIdOk, kNotifyClicked);
    ASSERT_EQ(messages_.size(), 1U);
    EXPECT_EQ(messages_[0],
              "The address(ann@example.com) could not be written to the address "
              "group(Private:Friends)\nNothing was added");
    // The wait cursor while the sequence runs (the Win32 dialog shows the
    // normal one over a message box), and the cursor as it was after.
    EXPECT_EQ(busy_at_messages_, std::vector<bool>{true});
    EXPECT_FALSE(dialog_.busy());
    EXPECT_TRUE(Logged("set-mail \"Main\\!!!!Inbox\\?0001\""));
}

TEST_F(RuleEntryTest, TheAlreadySortedIntoLineLooksUpWhatWasReadAtTheOpening) {
    const std::string rules =
        ":Begin \"\"\r\n!M:Main\\W\\\r\n@0:From:ann@example.com\tO\tI\r\n:End "
        "\"\"\r\n";
    files().AddFile("C:\\Data\\Main\\iFilter.Def", rules);
    Open();
    EXPECT_EQ(dialog_.Text(IDC_ENTRY_SORTED_INTO), "Already sorted into: W");
    // Another writer changes the file: the line still says what was read.
    files().AddFile("C:\\Data\\Main\\iFilter.Def",
                    ":Begin \"\"\r\n!M:Main\\V\\\r\n@0:From:bob@example.com\tO\tI\r\n:End "
                    "\"\"\r\n");
    EXPECT_EQ(TypeAndReadLine(IDC_ENTRY_ADDRESS, "bob@example.com"), "");
    EXPECT_EQ(TypeAndReadLine(IDC_ENTRY_ADDRESS, "ann@example.com"), "Already sorted into: W");
}

TEST_F(RuleEntryTest, TheLineTakesTheRequestAsOkTakesIt) {
    // A name ending in a lone Shift-JIS lead byte is one OK refuses, so the
    // rule would not sort into the subfolder it would be without that byte.
    files().AddFile("C:\\Data\\Main\\iFilter.Def",
                    ":Begin \"\"\r\n!M:Main\\!!!!Inbox\\Ann\\\r\n@0:From:ann@example.com\tO\tI\r\n"
                    ":End \"\"\r\n");
    settings_.create_sub_dir = true;
    Open();
    context_->lead_bytes = IsShiftJisLeadByte;
    // A condition OK refuses stands nowhere: a header name with a colon, or
    // a blank one for the other file asked for.
    EXPECT_EQ(TypeAndReadLine(IDC_ENTRY_RECEIVING_HEADER, "From"), "Already sorted into: Ann");
    EXPECT_EQ(TypeAndReadLine(IDC_ENTRY_RECEIVING_HEADER, "From:"), "");
    TypeAndReadLine(IDC_ENTRY_RECEIVING_HEADER, "From");
    dialog_.SetChecked(IDC_ENTRY_ADD_SENDING, true);
    EXPECT_EQ(TypeAndReadLine(IDC_ENTRY_SENDING_HEADER, " "), "");
    dialog_.SetChecked(IDC_ENTRY_ADD_SENDING, false);
    EXPECT_EQ(TypeAndReadLine(IDC_ENTRY_SUBFOLDER_NAME, "Ann"), "Already sorted into: this folder");
    EXPECT_EQ(TypeAndReadLine(IDC_ENTRY_SUBFOLDER_NAME, "Ann\x81"), "Already sorted into: Ann");
    EXPECT_FALSE(presenter_->OnCommand(kIdOk, kNotifyClicked));
    ASSERT_EQ(messages_.size(), 1U);
    EXPECT_NE(messages_[0].find("Ann\x81"), std::string::npos) << messages_[0];
}

// A clock that moves on 11 ms at each look: each slice counts one message.
std::chrono::steady_clock::time_point SlowClock() {
    static std::chrono::steady_clock::time_point now;
    now += std::chrono::milliseconds(11);
    return now;
}

TEST_F(RuleEntryTest, TheCountRunsInSlicesCountsAnewOnAChangeAndStopsAtOk) {
    files().AddFile("C:\\Data\\Main\\!!!!Inbox\\0003.eml", "From: ann@example.com\r\n\r\n");
    files().AddFile("C:\\Data\\Main\\!!!!Inbox\\0004.eml", "From: bob@example.com\r\n\r\n");
    settings_.exec_filter = false;
    settings_.add_adr_book = false;
    Open();
    context_->now = SlowClock;
    const auto slice = [this] {
        for (const int id : dialog_.running_timers()) {
            presenter_->OnTimer(id);
        }
        return dialog_.Text(IDC_ENTRY_MATCH_COUNT);
    };
    EXPECT_EQ(dialog_.Text(IDC_ENTRY_MATCH_COUNT), "Matches in Inbox: 0 so far...");
    EXPECT_EQ(slice(), "Matches in Inbox: 1 so far...");
    // A new address counts from the first message again.
    TypeAndReadLine(IDC_ENTRY_ADDRESS, "bob@example.com");
    EXPECT_EQ(dialog_.Text(IDC_ENTRY_MATCH_COUNT), "Matches in Inbox: 0 so far...");
    EXPECT_EQ(slice(), "Matches in Inbox: 0 so far...");
    EXPECT_EQ(slice(), "Matches in Inbox: 0 so far...");
    EXPECT_EQ(slice(), "Matches in Inbox: 1 so far...");
    EXPECT_EQ(slice(), "Matches in Inbox: 1 of 3");
    EXPECT_TRUE(dialog_.running_timers().empty()) << "a count done stops its timer";
    // OK stops a count before the sequence begins.
    TypeAndReadLine(IDC_ENTRY_ADDRESS, "ann@example.com");
    ASSERT_FALSE(dialog_.running_timers().empty());
    presenter_->OnCommand(kIdOk, kNotifyClicked);
    EXPECT_EQ(dialog_.end_code(), kIdOk);
    EXPECT_TRUE(dialog_.running_timers().empty());
}

TEST_F(RuleEntryTest, CancelWritesNothing) {
    Open();
    const std::size_t before = files().bytes_written();
    EXPECT_TRUE(presenter_->OnCommand(kIdCancel, kNotifyClicked));
    EXPECT_EQ(dialog_.end_code(), kIdCancel);
    EXPECT_EQ(files().bytes_written(), before);
    EXPECT_FALSE(presenter_->OnCommand(IDC_ENTRY_ADDRESS, kNotifyComboEditChange))
        << "other commands are not handled";
}

}  // namespace
}  // namespace tandrel
