// What a check of a rule file finds, one line a finding, for the tool's
// "rules check" and the Setup dialog's Check dialog alike; nothing is written.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/files.h"

namespace tandrel {

// Where the folders the rules sort to live, to find rules whose folder is gone.
struct RuleTargetFolders {
    Files& files;
    std::string data_folder;  // ends with "\"
};

// Every line the rule reader leaves out, every line longer than the host reads
// as one, every Ctrl-Z before the end, every condition that stands in more
// than one folder's rules or twice in one block, and, with `targets`, every
// folder rule whose target folder has no Folder.ini.
std::vector<std::string> CheckRuleText(std::string_view text, const RuleTargetFolders* targets);

}  // namespace tandrel
