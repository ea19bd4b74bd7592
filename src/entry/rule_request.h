// What the Rule entry dialog asks for, read from its controls in one place
// for OK and for the "already sorted into" line alike, with OK's checks.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "addressbook/address_book.h"
#include "platform/dialog.h"
#include "text/characters.h"

namespace tandrel {

// The dialog's inputs as OK takes them. Nothing typed may add lines or
// fields to the files written, so each text is made one line.
struct RuleRequest {
    bool receiving = false;
    bool sending = false;
    std::string address;
    std::string receiving_header;
    std::string sending_header;
    bool create_subfolder = false;
    std::string subfolder_name;
    int place = -1;
    bool delete_same = false;
    bool add_to_book = false;
    GroupIdentifier group;
    std::string book_name;
    bool execute = false;
    bool run_current = false;
    bool run_inbox = false;
    bool run_sent = false;
    bool sort_by_date = false;

    bool rules() const { return receiving || sending; }
    bool runs_rules() const { return rules() && execute; }
};

// Reads every control once. `chosen` is a combo box whose selection has just
// changed: its edit does not show the chosen item yet, so the item is read.
RuleRequest ReadRuleRequest(Dialog& dialog, LeadBytePredicate is_lead_byte, int chosen = 0);

// What OK refuses, and the message that says why.
struct Refusal {
    int string_id = 0;
    std::vector<std::string> arguments;
};

// OK's checks of the condition: an address, and a usable header name for
// each rule file asked for.
std::optional<Refusal> CheckCondition(const RuleRequest& request);

// Whether a header name can stand in a condition: not blank, and no colon,
// which would end the name early in the rule file.
bool IsUsableHeaderName(std::string_view header);

// All of OK's checks, the condition's and the subfolder's, in the order OK
// makes them; none when OK takes the request.
std::optional<Refusal> CheckRuleRequest(const RuleRequest& request, const std::string& drop_target,
                                        LeadBytePredicate is_lead_byte);

// The folder the rules sort to: the one dropped on, or its new subfolder
// when one is asked for where OK makes it (not in the trash, by a name OK
// takes).
std::string RuleTarget(const RuleRequest& request, const std::string& drop_target,
                       LeadBytePredicate is_lead_byte);

}  // namespace tandrel
