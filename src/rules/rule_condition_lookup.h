// Where a condition already stands in a rule file, for the Rule entry
// dialog's "already sorted into" line: the file's text kept and its blocks
// found once, when the dialog opens; each lookup then searches the kept text
// for the condition and reads only the lines that hold it, as delete-same
// does.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "rules/rule_blocks.h"

namespace tandrel {

class RuleConditionLookup {
  public:
    // Keeps `text` (a rule file's, as read) and finds its blocks.
    explicit RuleConditionLookup(std::string text);
    // The blocks point into the kept text.
    RuleConditionLookup(const RuleConditionLookup&) = delete;
    RuleConditionLookup& operator=(const RuleConditionLookup&) = delete;

    // The targets of the folder rules (kind M) that hold the condition
    // `header`:`value` as delete-same takes it (numbered 0, the last of its
    // block or followed by one numbered 0), in file order, each once.
    std::vector<std::string> FoldersHolding(std::string_view header, std::string_view value) const;

  private:
    std::string text_;
    std::vector<TextBlock> blocks_;
};

}  // namespace tandrel
