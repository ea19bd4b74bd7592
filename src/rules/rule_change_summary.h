// One line that says what a rewrite changed in a rule file, for the list of
// its kept versions: "+ From contains a@b.c -> Main\Lists\", "- From contains
// a@b.c removed from Main\Old\", "block removed".
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tandrel {

// What changed from the rule-file text `before` to `after`: conditions added
// and removed, by their block's target, then blocks added and removed; at
// most a few of them, and how many more there are. "no change" when both
// texts are the same; "layout or settings changed" when the rules are. It
// begins "changed outside Tandrel" when no one rewrite of Tandrel's makes
// such a change (one condition added to one folder, the same condition
// taken out elsewhere, emptied blocks removed, the settings kept).
std::string SummarizeRuleChange(std::string_view before, std::string_view after);

// The summary of each kept version's next change: `texts` are the file's
// current text and then its kept versions, newest first; one line for each
// version. A change to the bytes of an older version is an undo, which
// Tandrel makes too. Each text is read once.
std::vector<std::string> SummarizeHistory(const std::vector<std::string>& texts);

}  // namespace tandrel
