#include "setup/setup_presenter.h"

#include <gtest/gtest.h>

#include "resources/resource.h"
#include "support/builtin_strings.h"
#include "support/memory_dialog.h"
#include "support/memory_profile.h"

namespace tandrel {
namespace {

using testing::MemoryDialog;
using testing::MemoryProfile;

constexpr const char* kPath = "C:\\Mail\\Tandrel.ini";

class SetupTest : public ::testing::Test {
  protected:
    void Open() {
        profile_.files().AddDirectory("C:\\Mail");
        dialog_.set_message_handler([this](const std::string& text, unsigned, MessageOwner) {
            messages_.push_back(text);
            return kIdOk;
        });
        presenter_ = std::make_unique<SetupPresenter>(dialog_, context_);
        presenter_->Init();
    }
    void Select(int list, int index) {
        dialog_.Select(list, index);
        presenter_->OnCommand(list, kNotifySelChange);
    }
    void Click(int id) {
        MemoryDialog::Control& control = dialog_.control(id);
        if (control.kind == ControlKind::CheckBox ||
            control.kind == ControlKind::PushLikeCheckBox) {
            control.checked = !control.checked;
        }
        presenter_->OnCommand(id, kNotifyClicked);
    }
    std::vector<std::string> Items(int id) { return dialog_.control(id).items; }
    // Enabled states of UP, DOWN and Delete of the receiving column.
    std::string Buttons() {
        std::string states;
        for (const int id : {IDC_SETUP_IN_UP, IDC_SETUP_IN_DOWN, IDC_SETUP_IN_DELETE}) {
            states += dialog_.IsEnabled(id) ? '+' : '-';
        }
        return states;
    }

    MemoryProfile profile_;
    BuiltinStrings strings_;
    Settings settings_;
    PluginInfo info_;
    SetupContext context_{profile_, kPath, settings_, strings_, info_};
    MemoryDialog dialog_{IDD_SETUP};
    std::unique_ptr<SetupPresenter> presenter_;
    std::vector<std::string> messages_;
};

TEST_F(SetupTest, ListButtonsFollowTheSelectionAtTheEnds) {
    Open();
    EXPECT_EQ(Buttons(), "---");
    Select(IDC_SETUP_IN_LIST, 0);
    EXPECT_EQ(Buttons(), "-++");
    Select(IDC_SETUP_IN_LIST, 2);
    EXPECT_EQ(Buttons(), "+-+");
    Click(IDC_SETUP_IN_UP);
    EXPECT_EQ(Items(IDC_SETUP_IN_LIST), (std::vector<std::string>{"From", "Reply-To", "Sender"}));
    EXPECT_EQ(dialog_.Selection(IDC_SETUP_IN_LIST), 1);
    EXPECT_EQ(Buttons(), "+++");
    Click(IDC_SETUP_IN_UP);
    EXPECT_EQ(dialog_.Selection(IDC_SETUP_IN_LIST), 0);
    EXPECT_EQ(Buttons(), "-++");
    Click(IDC_SETUP_IN_DOWN);
    Click(IDC_SETUP_IN_DOWN);
    EXPECT_EQ(Items(IDC_SETUP_IN_LIST), (std::vector<std::string>{"From", "Sender", "Reply-To"}));
    EXPECT_EQ(Buttons(), "+-+");
    Click(IDC_SETUP_IN_DELETE);
    EXPECT_EQ(dialog_.Selection(IDC_SETUP_IN_LIST), -1);
    EXPECT_EQ(Buttons(), "---");
}

TEST_F(SetupTest, AddAppendsWhatIsTypedAndAOneEntryListHasNoMoves) {
    settings_.in_headers = "";
    Open();
    dialog_.SetText(IDC_SETUP_IN_NEW, "X-List:");
    presenter_->OnCommand(IDC_SETUP_IN_NEW, kNotifyEditBoxUpdate);
    EXPECT_TRUE(dialog_.IsEnabled(IDC_SETUP_IN_ADD));
    Click(IDC_SETUP_IN_ADD);
    EXPECT_EQ(Items(IDC_SETUP_IN_LIST), std::vector<std::string>{"X-List:"});
    EXPECT_EQ(Buttons(), "--+");
    Select(IDC_SETUP_IN_LIST, 0);
    EXPECT_EQ(Buttons(), "--+");
    EXPECT_EQ(dialog_.Text(IDC_SETUP_IN_NEW), "X-List:") << "the edit keeps its text";
    dialog_.SetText(IDC_SETUP_IN_NEW, "");
    presenter_->OnCommand(IDC_SETUP_IN_NEW, kNotifyEditBoxUpdate);
    EXPECT_FALSE(dialog_.IsEnabled(IDC_SETUP_IN_ADD));
    presenter_->OnCommand(kIdOk, kNotifyClicked);
    EXPECT_EQ(settings_.in_headers, "X-List::") << "saved as typed: two colons in a row";
}

TEST_F(SetupTest, OkWritesEveryCheckAsShownAndUpdatesTheRecord) {
    settings_.drop_alt = true;
    settings_.add_place = 7;
    settings_.out_headers = "";
    Open();
    EXPECT_EQ(dialog_.Selection(IDC_SETUP_ADD_PLACE), -1);
    Click(IDC_SETUP_ADD_IN_FILTER);
    Click(IDC_SETUP_ADD_OUT_FILTER);
    for (const int id : {IDC_SETUP_ADD_PLACE, IDC_SETUP_CREATE_SUB_DIR, IDC_SETUP_EXEC_FILTER,
                         IDC_SETUP_SORT_BY_DATE, IDC_SETUP_FILTER_INBOX}) {
        EXPECT_FALSE(dialog_.IsEnabled(id)) << id;
    }
    EXPECT_TRUE(presenter_->OnCommand(kIdOk, kNotifyClicked));
    EXPECT_EQ(dialog_.end_code(), kIdOk);
    EXPECT_FALSE(settings_.add_in_filter);
    EXPECT_TRUE(settings_.create_sub_dir) << "disabled boxes are saved as they show";
    EXPECT_EQ(settings_.add_place, -1);
    const std::string file = *profile_.files().Content(kPath);
    EXPECT_NE(file.find("OutHeaders=\r\nAddPlace=-1\r\nAddInFilter=0\r\n"), std::string::npos)
        << file;
    EXPECT_NE(file.find("DropAlt=1\r\n"), std::string::npos);
}

TEST_F(SetupTest, CancelChangesNeitherFileNorRecord) {
    Open();
    Click(IDC_SETUP_DROP_SHIFT);
    Select(IDC_SETUP_IN_LIST, 0);
    Click(IDC_SETUP_IN_DELETE);
    EXPECT_TRUE(presenter_->OnCommand(kIdCancel, kNotifyClicked));
    EXPECT_FALSE(settings_.drop_shift);
    EXPECT_EQ(settings_.in_headers, "From:Sender:Reply-To:");
    EXPECT_FALSE(profile_.files().Exists(kPath));
}

TEST_F(SetupTest, AFailedSaveIsReported) {
    Open();
    profile_.files().SetWriteBudget(10);
    presenter_->OnCommand(kIdOk, kNotifyClicked);
    ASSERT_EQ(messages_.size(), 1U);
    EXPECT_EQ(messages_[0], "Unable to write the settings\n C:\\Mail\\Tandrel.ini");
    EXPECT_FALSE(profile_.files().Exists(kPath));
    EXPECT_EQ(dialog_.end_code(), kIdOk);
}

}  // namespace
}  // namespace tandrel
