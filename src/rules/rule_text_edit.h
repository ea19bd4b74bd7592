// Rule insertion on the text of a rule file: the same change InsertRuleIntoModel
// makes, done as edits of the text, so every line it does not change keeps its
// bytes and a large file is not taken apart and put together again. For a file
// as the writer writes it the result is byte for byte the writer's.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "rules/rule_insert.h"

namespace tandrel {

// The text after the insertion; nullopt when the text ends inside a block,
// where only the model can tell what an appended block would become.
std::optional<std::string> InsertRuleIntoText(std::string_view text,
                                              const RuleInsertion& insertion);

}  // namespace tandrel
