// The insertion done on the model of a rule file, as the host's own format
// describes it: read, changed, written whole. Tandrel ships the edit of the
// text (rules/rule_text_edit.h); this is the reference the tests and the
// fuzz target compare that edit against.
#pragma once

#include <string>

#include "platform/files.h"
#include "rules/rule_file.h"
#include "rules/rule_insertion.h"

namespace tandrel {

// The change on the model: optional removal of the same condition, the new
// condition at its place, and removal of every block left without conditions.
void InsertRuleIntoModel(RuleFile& rule_file, const RuleInsertion& insertion);

// Replaces the file atomically with the formatted model and keeps the former
// content as the newest version of its history (rules/rule_history.h). False
// when anything failed; the file is then as it was.
bool WriteRuleFile(Files& files, const std::string& path, const RuleFile& rule_file);

}  // namespace tandrel
