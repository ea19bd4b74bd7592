// Checking that the group indexes and card files of the address book agree,
// as Tandrel and the host write them; nothing is written.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/profile.h"
#include "text/finding.h"

namespace tandrel {

struct BookFinding {
    std::string group;  // the group identifier, "Book:Group\Sub" ("Book:" for the book itself)
    Finding finding;    // what was found, e.g. "Group.idx line 3: card file ... is missing"
};

// For every book below "{data folder}AddrBook" and every group below it, at
// any depth, that the Address group dialog's tree shows (present as
// IsGroupPresent tells; links not followed), in listing order: index lines whose
// card file is missing; whose offset does not point at a vCard block holding
// the line's address; sequence numbers that do not rise; an address entered
// twice; an index that cannot be read; and files in the folder that no index
// line names (the group's own files aside).
std::vector<BookFinding> CheckAddressBook(Files& files, Profile& profile,
                                          const std::string& data_folder,
                                          LeadBytePredicate is_lead_byte);

// The same, each finding handed to `take` as it is made, so that a caller can
// keep as few as it shows.
void CheckAddressBook(Files& files, Profile& profile, const std::string& data_folder,
                      LeadBytePredicate is_lead_byte, const std::function<void(BookFinding)>& take);

// The finding that the address book below `data_folder` cannot be listed
// (there is no such folder, or no address book in it); nullopt when it can.
std::optional<BookFinding> FindUnlistedAddressBook(Files& files, const std::string& data_folder,
                                                   LeadBytePredicate is_lead_byte);

// "Book:Group: text", as the tool and the Check dialog show a finding;
// `load` gives the text of a string-table entry.
std::string DescribeFinding(const BookFinding& finding,
                            const std::function<std::string(int)>& load);

}  // namespace tandrel
