// What a check of a rule file finds, as data (text/finding.h), for the tool's
// "rules check" and the Setup dialog's Check dialog alike; nothing is written.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "platform/files.h"
#include "text/characters.h"
#include "text/finding.h"

namespace tandrel {

// Where the folders the rules sort to live, to find rules whose folder is gone.
struct RuleTargetFolders {
    Files& files;
    std::string data_folder;  // ends with "\"
};

// Hands `take` every line the rule reader leaves out, every line longer than
// the host reads as one, every Ctrl-Z before the end (once a line, in place of
// the line left out), every condition that stands in more than one folder's
// rules or twice in one block, and, with `targets`, every folder rule whose
// target folder has no Folder.ini; in that order, one finding at a time, so
// that a caller can keep as few as it shows. A line from the file is shown as
// ShownExcerpt shows it, with the host's `is_lead_byte`.
void CheckRuleText(std::string_view text, const RuleTargetFolders* targets,
                   LeadBytePredicate is_lead_byte, const std::function<void(Finding)>& take);

}  // namespace tandrel
