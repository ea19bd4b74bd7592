// One line that says what a rewrite changed in a rule file, for the list of
// its kept versions: "+ From contains a@b.c -> Main\Lists\", "- From contains
// a@b.c removed from Main\Old\", "block removed".
#pragma once

#include <string>
#include <string_view>

namespace tandrel {

// What changed from the rule-file text `before` to `after`: conditions added
// and removed, by their block's target, then blocks added and removed; at
// most a few of them, and how many more there are. "no change" when both
// texts are the same; "layout or settings changed" when the rules are.
std::string SummarizeRuleChange(std::string_view before, std::string_view after);

}  // namespace tandrel
