#include "entry/address_group_presenter.h"

#include <gtest/gtest.h>

#include "resources/resource.h"
#include "support/builtin_strings.h"
#include "support/memory_dialog.h"
#include "support/memory_profile.h"
#include "support/memory_tree.h"

namespace tandrel {
namespace {

using testing::MemoryDialog;
using testing::MemoryProfile;
using testing::MemoryTree;

constexpr const char* kRoot = "C:\\Data\\AddrBook\\";

class AddressGroupTest : public ::testing::Test {
  protected:
    AddressGroupTest() {
        for (const char* marker : {"@Private\\Group.ini", "@Private\\Friends\\Group.ini",
                                   "@Private\\Friends\\School\\Group.ini", "@Work\\Group.ini"}) {
            profile_.files().AddFile(std::string(kRoot) + marker, "");
        }
        profile_.files().AddDirectory(std::string(kRoot) + "@Private\\Hidden");
        dialog_.set_message_handler([this](const std::string& text, unsigned, MessageOwner) {
            messages_.push_back(text);
            return kIdOk;
        });
    }
    void Open(const std::string& field) {
        choice_.shown = SplitGroupIdentifier(field, kNoLeadBytes);
        presenter_ = std::make_unique<AddressGroupPresenter>(dialog_, tree_, context_);
        tree_.set_expanding_handler([this](TreeItem item) { presenter_->OnItemExpanding(item); });
        presenter_->Init();
    }
    void Add(const std::string& name) {
        dialog_.SetText(IDC_GROUP_NEW_NAME, name);
        presenter_->OnCommand(IDC_GROUP_NEW_NAME, kNotifyEditBoxUpdate);
        presenter_->OnCommand(IDC_GROUP_ADD, kNotifyClicked);
    }

    MemoryProfile profile_;
    BuiltinStrings strings_;
    GroupChoice choice_;
    AddressGroupContext context_{profile_.files(), profile_, strings_, "C:\\Data\\", choice_};
    MemoryDialog dialog_{IDD_ADDRESS_GROUP};
    MemoryTree tree_;
    std::unique_ptr<AddressGroupPresenter> presenter_;
    std::vector<std::string> messages_;
};

TEST_F(AddressGroupTest, OpensWithTheFieldsGroupSelected) {
    Open("Private:Friends\\School");
    EXPECT_EQ(tree_.Paths(), (std::vector<std::string>{"Private", "Private\\Friends",
                                                       "Private\\Friends\\School", "Work"}));
    EXPECT_EQ(tree_.PathOf(tree_.Selected()), "Private\\Friends\\School");
    EXPECT_EQ(tree_.Image(tree_.Find("Private")), kBookImage);
    EXPECT_EQ(tree_.Image(tree_.Find("Private\\Friends")), kGroupImage);
    EXPECT_EQ(GetSelectedGroup(tree_).group_path, "Friends\\School");
}

TEST_F(AddressGroupTest, ListsABranchWhenItIsOpened) {
    profile_.files().AddFile(std::string(kRoot) + "@Work\\Team\\Group.ini", "");
    profile_.files().AddDirectory(std::string(kRoot) + "@Work\\Team\\Archive\\Old");
    Open("Work:");
    EXPECT_EQ(tree_.Paths(),
              (std::vector<std::string>{"Private", "Private\\Friends", "Work", "Work\\Team"}))
        << "the books and their first level";
    const TreeItem friends = tree_.Find("Private\\Friends");
    const TreeItem team = tree_.Find("Work\\Team");
    EXPECT_TRUE(tree_.IsExpandable(friends));
    EXPECT_TRUE(tree_.IsExpandable(team)) << "Archive may be a group until it is listed";
    tree_.Open(team);
    EXPECT_FALSE(tree_.IsExpandable(team)) << "Archive holds no marker";
    tree_.Open(friends);
    EXPECT_NE(tree_.Find("Private\\Friends\\School"), kNoTreeItem) << "listed when opened";
    EXPECT_FALSE(tree_.IsExpandable(tree_.Find("Private\\Friends\\School")));
}

TEST_F(AddressGroupTest, OkHandsBackOnlyAGroup) {
    Open("Private:");
    EXPECT_EQ(tree_.PathOf(tree_.Selected()), "Private");
    EXPECT_TRUE(presenter_->OnCommand(kIdOk, kNotifyClicked));
    EXPECT_FALSE(choice_.chosen) << "a book is no choice";

    MemoryDialog again(IDD_ADDRESS_GROUP);
    MemoryTree tree;
    AddressGroupPresenter presenter(again, tree, context_);
    presenter.Init();
    tree.Select(tree.Find("Private\\Friends"));
    presenter.OnCommand(kIdOk, kNotifyClicked);
    ASSERT_TRUE(choice_.chosen);
    EXPECT_EQ(JoinGroupIdentifier(*choice_.chosen), "Private:Friends");
    EXPECT_EQ(again.end_code(), kIdOk);
}

TEST_F(AddressGroupTest, AddMakesAGroupUnderTheSelectionOnce) {
    Open("Nobody:Nothing");
    EXPECT_EQ(tree_.Selected(), kNoTreeItem);
    Add("Work");
    tree_.OpenAll();
    EXPECT_EQ(tree_.Paths().size(), 4U) << "nothing is made without a selection";
    tree_.Select(tree_.Find("Private"));
    Add("Friends");
    ASSERT_EQ(messages_.size(), 1U);
    EXPECT_EQ(messages_[0], "Already entered specified address group(Private:\\Friends)");
    Add("friends");
    EXPECT_EQ(tree_.PathOf(tree_.Selected()), "Private\\friends") << "another case, another name";
    EXPECT_TRUE(profile_.files().Exists(std::string(kRoot) + "@Private\\friends\\Group.ini"));
    profile_.files().AddFile(std::string(kRoot) + "@Private\\Hidden\\Old\\Group.ini", "");
    tree_.Select(tree_.Find("Private"));
    Add("Hidden");
    EXPECT_EQ(tree_.PathOf(tree_.Selected()), "Private\\Hidden")
        << "a folder on disk that the tree does not show is made a group";
    tree_.Open(tree_.Selected());
    const TreeItem old = tree_.Find("Private\\Hidden\\Old");
    ASSERT_NE(old, kNoTreeItem) << "with the groups the folder held";
    tree_.Select(old);
    Add("Newer");
    EXPECT_TRUE(tree_.IsExpandable(old)) << "a group with a group below it can be opened";
    tree_.Select(tree_.Find("Private\\Hidden"));
    Add("a/b");
    EXPECT_EQ(messages_.back().rfind("Address group name(a/b) is not a plain folder name", 0), 0U);
    EXPECT_EQ(dialog_.Text(IDC_GROUP_NEW_NAME), "a/b");
    EXPECT_TRUE(dialog_.IsEnabled(IDC_GROUP_ADD));
}

TEST_F(AddressGroupTest, AGroupThatCannotBeWrittenIsReportedAndNotShown) {
    Open("Private:Friends");
    profile_.files().SetWriteBudget(0);
    Add("New");
    ASSERT_EQ(messages_.size(), 1U);
    EXPECT_EQ(messages_[0], "The address group(Private:Friends\\New) could not be created");
    EXPECT_EQ(tree_.Find("Private\\Friends\\New"), kNoTreeItem);
}

TEST_F(AddressGroupTest, ARememberedGroupNotQuiteThereSelectsNothing) {
    // A level on the way is missing; the name differs only in letter case.
    for (const char* remembered : {"Private:Friends\\Gone\\School", "Private:friends"}) {
        tree_ = MemoryTree();
        Open(remembered);
        EXPECT_EQ(tree_.Selected(), kNoTreeItem) << remembered;
    }
}

TEST_F(AddressGroupTest, AddUnderAnItemWhoseButtonLedNowhere) {
    profile_.files().AddFile(std::string(kRoot) + "@Work\\Team\\Group.ini", "");
    profile_.files().AddDirectory(std::string(kRoot) + "@Work\\Team\\Archive");
    Open("Work:");
    const TreeItem team = tree_.Find("Work\\Team");
    ASSERT_TRUE(tree_.IsExpandable(team)) << "Archive may be a group until it is listed";
    tree_.Select(team);
    Add("New");
    EXPECT_EQ(tree_.PathOf(tree_.Selected()), "Work\\Team\\New");
    EXPECT_TRUE(tree_.IsExpandable(team));
    tree_.OpenAll();
    EXPECT_EQ(tree_.Paths(),
              (std::vector<std::string>{"Private", "Private\\Friends", "Private\\Friends\\School",
                                        "Work", "Work\\Team", "Work\\Team\\New"}))
        << "Archive, no group, stays out";
}

}  // namespace
}  // namespace tandrel
