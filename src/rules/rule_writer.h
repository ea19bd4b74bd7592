// Writing the model back in the host's rule-file format, lines ending CR LF.
#pragma once

#include <string>

#include "platform/files.h"
#include "rules/rule_file.h"
#include "rules/rule_lines.h"

namespace tandrel {

// The lines of a block are written in the forms of rules/rule_lines.h
// (FormatActionLine, FormatConditionLine, BlockMarkLine).
// The whole file: the settings, then each block.
std::string FormatRuleFile(const RuleFile& rule_file);

}  // namespace tandrel
