// Conditions that work against each other in a rule file: the same condition
// (header and value, byte for byte) in the blocks of more than one target
// folder, where a message goes to whichever block the host tries first; and a
// condition repeated inside one block.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tandrel {

struct RuleConflict {
    enum class Kind { SeveralFolders, RepeatedInBlock };
    Kind kind = Kind::SeveralFolders;
    std::string header;
    std::string value;
    std::vector<int> lines;            // of the conditions, from 1, ascending
    std::vector<std::string> folders;  // the target folders, in the order of the file
};

// The conflicts of the folder rules (kind M) of rule-file text, by their
// first line. One pass and a hash map: a file of 100,000 conditions is
// checked in milliseconds.
std::vector<RuleConflict> FindRuleConflicts(std::string_view text);

}  // namespace tandrel
