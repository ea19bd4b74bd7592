// A header value taken apart into address parts the way mail defines an
// address list: commas split only outside double-quoted strings (with
// backslash escapes), angle brackets and comments; a group "Name: a, b;"
// gives its members, an empty group nothing.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "text/characters.h"

namespace tandrel {

// Where a reading of mail text a character at a time stands: inside a
// double-quoted string, or in comments nested this deep.
struct MailTextState {
    bool in_quotes = false;
    int comment_depth = 0;
};

// Steps over the character at `at`: returns how many bytes it takes (an
// escaped character with its backslash, a double-byte character whole) and
// sets `top_level` when it stands outside quoted strings and comments (the
// quote or parenthesis that opens or closes one is inside).
std::size_t StepMailText(std::string_view text, std::size_t at, LeadBytePredicate is_lead_byte,
                         MailTextState& state, bool& top_level);

// Calls `visit` with the position of each character that stands outside
// quoted strings, comments and angle brackets (an opening "<" included, its
// ">" and what is between left out). False when a quote, comment or bracket
// is still open at the text's end.
bool ForEachTopLevelCharacter(std::string_view text, LeadBytePredicate is_lead_byte,
                              const std::function<void(std::size_t)>& visit);

// The value unfolded: each CR LF before a blank or tab taken out, and each tab
// made a blank.
std::string UnfoldHeaderValue(std::string_view value);

// The address parts of an unfolded value, in order. A comma after the last
// part gives a last empty part, as a comma between two parts gives each. A
// colon opens a group only where a ";" closes it. When a quote, comment or
// angle bracket never closes, every comma splits, as the plain rules split. The
// characters are read with the host's lead-byte predicate: the second byte
// of a double-byte character is never a quote, a bracket or a backslash.
std::vector<std::string_view> SplitAddressList(std::string_view value,
                                               LeadBytePredicate is_lead_byte);

}  // namespace tandrel
