// A rule file's history as a list shows it: every kept version, newest
// first, each read once, with what the change after it did. The Rule history
// dialog and `tandrel rules history` both list it so.
#pragma once

#include <string>
#include <vector>

#include "platform/files.h"
#include "rules/rule_history.h"
#include "text/finding.h"

namespace tandrel {

struct HistoryRow {
    KeptVersion version;  // with the hash of the bytes read, where they could be read
    bool read = false;    // false: it cannot be read, and its summary says so
    // What the change after it did (SummarizeHistory): "cannot be read" for
    // a version that cannot be read, nothing when the text after it cannot be.
    std::vector<Finding> summary;
};

struct RuleHistoryList {
    std::string target;         // the file the versions belong to: where a link leads
    bool current_read = false;  // whether the file itself was read (a missing one is empty)
    std::vector<HistoryRow> rows;
};

// Reads the rule file at `path` and every version kept of it, once each.
RuleHistoryList ListRuleHistory(Files& files, const std::string& path);

}  // namespace tandrel
