// Adding an address with a display name to an address-book group.
#pragma once

#include <string>

#include "addressbook/address_book.h"
#include "platform/files.h"
#include "platform/profile.h"
#include "platform/strings.h"
#include "platform/temp_names.h"

namespace tandrel {

struct AddressEntry {
    GroupIdentifier group;
    std::string address;
    std::string name;
};

enum class AddAddressResult {
    Added,
    Duplicate,       // the group's index holds the address already
    GroupMissing,    // no such group folder (or a book or group path that leaves the book)
    GroupIsLink,     // the group folder, or one above it, is a link: not written through
    LineTooLong,     // the address makes an index or card line longer than the host reads
    IndexEndsEarly,  // the index holds a Ctrl-Z, after which the host reads nothing
    Busy,            // another writer held the group's lock all the time this one waited
    WriteFailed,     // nothing of the entry is left on disk
};

// Checks the group, refuses a duplicate, appends the vCard block to the
// group's card file (a new one named after a fresh temporary name when the
// index has no entry), then the index line, holding the index's lock file all
// the while. CR, LF and NUL are dropped from the name and address and a tab
// becomes a blank; the name is cut, at a character's end, to what the host's
// lines hold. A file whose last line has no line end gets one first. If a
// write fails, what was already written is taken back.
AddAddressResult AddAddressToGroup(Files& files, Profile& profile, TempNames& temp_names,
                                   const std::string& data_folder, const AddressEntry& entry,
                                   LeadBytePredicate is_lead_byte);

// The user's message for a result other than Added (the library's string
// table through `strings`).
std::string AddAddressMessage(Strings& strings, AddAddressResult result, const AddressEntry& entry);

}  // namespace tandrel
