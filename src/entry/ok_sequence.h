// The OK sequence of the Rule entry dialog, in named stages: the checks, the
// subfolder, the rule files and their reload, the address book, the rule
// runs and the sort, and the re-selection.
#pragma once

#include "entry/rule_entry_context.h"
#include "platform/dialog.h"

namespace tandrel {

// Runs the sequence for the dialog's input; false when the input was refused
// (a message said why) and the dialog stays open, else the dialog is ended.
bool RunOkSequence(Dialog& dialog, RuleEntryContext& context);

}  // namespace tandrel
