// One line that says what a rewrite changed in a rule file, for the list of
// its kept versions: "+ From contains a@b.c -> Main\Lists\", "- From contains
// a@b.c removed from Main\Old\", "block removed".
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "rules/rule_file.h"
#include "text/finding.h"

namespace tandrel {

// What changed from the rule-file text `before` to `after`, as the parts of
// one line (text/finding.h; joined by IDS_CHANGE_SEPARATOR): conditions
// added and removed, by their block's target, then blocks added and removed;
// at most a few of them, and how many more there are. "no change" when both
// texts are the same; "layout or settings changed" when the rules are. It
// begins "changed outside Tandrel" when no one rewrite of Tandrel's makes
// such a change (one condition added to one folder, the same condition
// taken out elsewhere, emptied blocks removed, the settings kept), unless
// `put_back`: `after` is the bytes of an older version, which an undo puts
// back. Only the stretch where the texts differ is read.
std::vector<Finding> SummarizeRuleChange(std::string_view before, std::string_view after,
                                         bool put_back = false);

// The same summary of two rule files read whole.
std::vector<Finding> SummarizeRuleFiles(const RuleFile& before, const RuleFile& after,
                                        bool put_back);

// One text of a rule file's history.
struct HistoryText {
    bool read = false;  // false when it cannot be read
    std::string_view text;
    std::uint64_t hash = 0;  // ContentHash of the text
};

// The summary of each kept version's next change: `texts` are the file's
// current text and then its kept versions, newest first; one line for each
// version. A version that cannot be read says "cannot be read"; one whose
// next text cannot be read has an empty summary. A change to the bytes of an
// older version is an undo, which Tandrel makes too.
std::vector<std::vector<Finding>> SummarizeHistory(const std::vector<HistoryText>& texts);

}  // namespace tandrel
