// The Rule entry dialog's behaviour: set-up from the dropped message and the
// settings, the enabling rules and the coupled lists; OK runs the OK
// sequence (entry/ok_sequence.h).
#pragma once

#include <string>
#include <vector>

#include "entry/rule_entry_context.h"
#include "platform/dialog.h"

namespace tandrel {

class RuleEntryPresenter {
  public:
    RuleEntryPresenter(Dialog& dialog, RuleEntryContext& context)
        : dialog_(dialog), context_(context) {}

    void Init();
    // Handles WM_COMMAND; returns what the dialog procedure returns.
    bool OnCommand(int id, int notification);

  private:
    void FillHeaderNames(const std::string& preferred);
    void FillAddressLists();
    void ApplyRuleBoxRules();
    void ApplyExecuteRule();
    void ApplyAddressBookRule();
    void SelectInLists(int source, int first, int second);
    void ChooseGroup();

    Dialog& dialog_;
    RuleEntryContext& context_;
    // Sending mode: the host's current message had an X-SMTP-Result header.
    bool sending_ = false;
};

}  // namespace tandrel
