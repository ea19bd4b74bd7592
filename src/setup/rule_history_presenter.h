// The Rule history dialog, opened from the Setup dialog: the versions kept of
// the current mailbox's rule files, newest first, and putting one back.
#pragma once

#include <string>
#include <vector>

#include "platform/dialog.h"
#include "platform/files.h"
#include "platform/host.h"
#include "platform/strings.h"
#include "rules/rule_history.h"

namespace tandrel {

struct RuleHistoryContext {
    Host& host;  // the current mailbox, and the reload after a version is put back
    Files& files;
    Strings& strings;
};

class RuleHistoryPresenter {
  public:
    RuleHistoryPresenter(Dialog& dialog, RuleHistoryContext& context)
        : dialog_(dialog), context_(context) {}

    void Init();
    bool OnCommand(int id, int notification);

  private:
    bool ShowsReceivedRules();
    std::string ShownPath();
    void ShowVersions();
    void PutBackSelected();

    Dialog& dialog_;
    RuleHistoryContext& context_;
    std::string received_path_;
    std::string sent_path_;
    std::vector<KeptVersion> versions_;  // as the list shows them
};

}  // namespace tandrel
