// The Rule entry dialog's "already sorted into" line: the folders whose rules
// already hold the condition OK would write. The rule files are read once,
// when the dialog opens; each update is a lookup in what was read.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "entry/rule_request.h"
#include "platform/files.h"
#include "platform/host.h"
#include "platform/strings.h"
#include "rules/rule_condition_lookup.h"

namespace tandrel {

// One rule file as the dialog found it when it opened.
struct OpenedRules {
    bool unreadable = false;  // it exists but could not be read, or the host reads it otherwise
    std::unique_ptr<RuleConditionLookup> lookup;  // none: the file is missing or unreadable
};

OpenedRules OpenRules(Files& files, const std::string& path);

// What OK would write, as the dialog shows it now.
struct SortedIntoQuery {
    bool receiving = false;  // a condition into the received rules
    bool sending = false;    // a condition into the sent rules
    std::string receiving_header;
    std::string sending_header;
    std::string address;
    std::string target;  // the folder the rule sorts to
    bool delete_same = false;
};

// The query for what the dialog asks for: a condition OK refuses (no
// address, a header name it cannot take) stands nowhere, so no place is named.
SortedIntoQuery SortedIntoQueryFor(const RuleRequest& request, const std::string& drop_target,
                                   LeadBytePredicate is_lead_byte);

// "Already sorted into: Work, Lists", "Moves from: Work (received), Friends
// (sent)", "Rules could not be read", or empty when the condition stands
// nowhere else. At most five places are named, the others counted ("Work,
// Lists and 12 more"), and fewer while the line does not `fits` its control. Folders
// are named as the host shows them, by identifier where two named share a
// name, the rule's own target included; that target is "this folder", and
// with delete-same, which keeps it, it is left out. Only the places named
// are asked of the host.
std::string SortedIntoLine(const SortedIntoQuery& query, const OpenedRules& received,
                           const OpenedRules& sent, Host& host, Strings& strings,
                           const std::function<bool(const std::string&)>& fits);

}  // namespace tandrel
