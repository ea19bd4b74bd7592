// The Rule entry dialog's behaviour: set-up from the dropped message and the
// settings, the enabling rules, the coupled lists and the OK sequence.
#pragma once

#include <string>
#include <vector>

#include "platform/dialog.h"
#include "platform/file_names.h"
#include "platform/files.h"
#include "platform/host.h"
#include "platform/profile.h"
#include "platform/strings.h"
#include "rules/rule_insert.h"
#include "settings/settings.h"

namespace tandrel {

// What one run of the dialog works with.
struct RuleEntryContext {
    Host& host;
    Files& files;
    Profile& profile;
    Strings& strings;
    const Settings& settings;
    std::string drop_target;                 // folder identifier of the folder dropped on
    std::string drop_source;                 // identifier of the dropped message
    LeadBytePredicate lead_bytes = nullptr;  // the system code page's, for names
};

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
    // The OK sequence; false when the input was refused and the dialog stays.
    bool Commit();
    void TellRulesNotWritten(InsertRuleResult result, const std::string& path);
    int Message(int string_id, unsigned style, const std::vector<std::string>& arguments,
                MessageOwner owner = MessageOwner::Dialog);

    Dialog& dialog_;
    RuleEntryContext& context_;
};

}  // namespace tandrel
