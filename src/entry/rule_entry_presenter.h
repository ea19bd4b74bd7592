// The Rule entry dialog's behaviour: set-up from the dropped message and the
// settings, the enabling rules, the coupled lists and the "already sorted
// into" line (entry/sorted_into_line.h); OK runs the OK sequence
// (entry/ok_sequence.h).
#pragma once

#include <chrono>
#include <string>
#include <vector>

#include "entry/match_count.h"
#include "entry/rule_entry_context.h"
#include "entry/rule_request.h"
#include "entry/sorted_into_line.h"
#include "platform/dialog.h"

namespace tandrel {

class RuleEntryPresenter {
  public:
    RuleEntryPresenter(Dialog& dialog, RuleEntryContext& context)
        : dialog_(dialog), context_(context) {}

    void Init();
    // Handles WM_COMMAND; returns what the dialog procedure returns.
    bool OnCommand(int id, int notification);
    // Handles WM_TIMER: a slice of the count of matching mail.
    void OnTimer(int id);

    // The timer of the count's slices, and how long a slice may run.
    static constexpr int kCountTimer = 1;
    static constexpr std::chrono::milliseconds kSliceTime{10};

  private:
    void FillHeaderNames(const std::string& preferred);
    void FillAddressLists();
    void ApplyRuleBoxRules();
    void ApplyExecuteRule();
    void ApplyAddressBookRule();
    void SelectInLists(int source, int first, int second);
    void ChooseGroup();
    // Shows where the condition OK would write already stands; `chosen` is a
    // combo box whose selection just changed, whose edit does not show it yet.
    void ShowSortedInto(int chosen = 0);
    // Counts anew where the receiving header or the address differ from
    // the pair being counted; an empty one shows no count.
    void FollowCount(const RuleRequest& request);
    void StopCount();
    void ShowCount();

    Dialog& dialog_;
    RuleEntryContext& context_;
    // Sending mode: the host's current message had an X-SMTP-Result header.
    bool sending_ = false;
    // The rule files as the dialog opened, for the "already sorted into" line.
    OpenedRules received_rules_;
    OpenedRules sent_rules_;
    // The count of matching mail in the folder current at the opening.
    MatchCount count_;
    bool counting_ = false;  // its timer runs
    std::string count_folder_name_;
    std::size_t count_folder_kept_ = 0;  // the bytes of the name that fit the line
};

}  // namespace tandrel
