// Adding a condition "this header contains this address" to the rules that
// sort mail into a folder: the one change Tandrel makes to a rule file.
#pragma once

#include <string>

#include "platform/files.h"
#include "rules/rule_file.h"

namespace tandrel {

// Where the new condition goes; the index of the "Add place:" list.
enum PlaceMode : int {
    kPlaceEndOfFolder = 0,  // at the end of each block of the folder, else a new last block
    kPlaceTopOfFolder = 1,  // first in each block of the folder, else a new first block
    kPlaceNewBlockLast = 2,
    kPlaceNewBlockFirst = 3,
};

struct RuleInsertion {
    std::string folder;                  // target folder identifier, ending with "\"
    std::string header;                  // header name without its colon, e.g. "From"
    std::string address;                 // the text the condition looks for
    int place_mode = kPlaceEndOfFolder;  // any other value than 0 to 3 adds nothing
    bool delete_same = false;            // first remove the same condition from every folder
};

enum class InsertRuleResult {
    Written,
    RefusedText,  // a field would hold a line break, a tab, a NUL or (header) a ":"
    ReadFailed,   // the file exists but cannot be read; it is left alone
    WriteFailed,  // the file could not be replaced; it is as it was
};

// Why `insertion` cannot go into a rule file, or nullptr when it can.
const char* RuleInsertionFault(const RuleInsertion& insertion);

// The change on the model: optional removal of the same condition, the new
// condition at its place, and removal of every block left without conditions.
void InsertRuleIntoModel(RuleFile& rule_file, const RuleInsertion& insertion);

// Reads the rule file at `path` (a missing file counts as empty), changes it
// and writes it back, keeping the former content as its backup.
InsertRuleResult InsertRule(Files& files, const std::string& path, const RuleInsertion& insertion);

}  // namespace tandrel
