// Taking a header value apart into addresses and display names.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/charsets.h"
#include "text/characters.h"

namespace tandrel {

// Removes leading and trailing blanks and double quotes (not tabs or line
// breaks). The first character left by the front trim is never removed.
void TrimQuotesAndSpaces(std::string& text);

struct NameAddress {
    std::string name;
    std::string address;
};

// One address part: "Name <a@b>", "a@b (Name)" or a bare address, whose name
// is then its local part (or, without "@", all but its last character).
// Characters are read with the host's lead-byte predicate: the second byte of
// a double-byte character may have the code of "@". In a part whose quote or
// comment never closes, brackets count wherever they stand, as the plain
// rules take them: the angle address is that of the last "<" a ">" follows.
NameAddress SplitNameAddress(std::string_view part, LeadBytePredicate is_lead_byte);

// The subfolder name proposed for an entry: its name made a plain folder
// name; when nothing of a name is left so, its address's local part.
std::string ProposedFolderName(const NameAddress& choice, LeadBytePredicate is_lead_byte);

// The entries of the address, subfolder-name and address-book-name lists for
// one header value: one entry (the whole value, empty names) when it holds no
// "@", else one per address part of the unfolded value (SplitAddressList), a
// trailing comma giving a last empty part. With `charsets`, the display names
// sent as encoded words are decoded into the host's code page. A name holds
// no control character, no lone lead byte and no blank at its ends.
std::vector<NameAddress> AddressChoices(std::string_view header_value,
                                        LeadBytePredicate is_lead_byte,
                                        Charsets* charsets = nullptr);

}  // namespace tandrel
