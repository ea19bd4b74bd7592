// The Setup dialog's behaviour: the two header lists with their buttons, the
// default choices, the drop keys, and saving them all; its buttons open the
// Rule history and Check dialogs (setup/rule_history_presenter.h,
// setup/check_presenter.h).
#pragma once

#include <string>

#include "platform/dialog.h"
#include "platform/profile.h"
#include "platform/strings.h"
#include "settings/plugin_info.h"
#include "settings/settings.h"

namespace tandrel {

struct SetupContext {
    Profile& profile;
    std::string settings_path;
    Settings& settings;  // the record in force, changed at OK
    Strings& strings;
    const PluginInfo& info;
};

class SetupPresenter {
  public:
    SetupPresenter(Dialog& dialog, SetupContext& context) : dialog_(dialog), context_(context) {}

    void Init();
    bool OnCommand(int id, int notification);

  private:
    void ApplyRuleBoxRules();
    void SaveSetupDialog();

    Dialog& dialog_;
    SetupContext& context_;
};

}  // namespace tandrel
