// Making a new address-book group on disk.
#pragma once

#include <string>
#include <vector>

#include "addressbook/address_book.h"
#include "platform/files.h"
#include "platform/profile.h"
#include "platform/strings.h"
#include "text/file_names.h"

namespace tandrel {

enum class CreateGroupResult {
    Created,
    AlreadyShown,   // a group of that name is shown below the parent
    InvalidName,    // not a single plain folder name
    ReservedName,   // the name of a file a group keeps for itself ("Group.idx", ...)
    ParentMissing,  // the book or parent group folder does not exist, or leaves the book
    GroupIsLink,    // the parent group, one above it, or the new name is a link
    Busy,           // another writer held the new group's index lock all the time
    WriteFailed,    // a folder or file could not be made; the group does not show
};

// Makes `{parent folder}\{name}` with "Folder.ini" (section Settings:
// NickName empty, Expanded 1; other keys of an existing file kept), an empty
// "Group.idx" unless one is there, and last an empty "Group.ini", which makes
// the group show in listings, holding the index's lock file while it writes.
// Each file is written whole or not at all.
CreateGroupResult CreateGroupOnDisk(Files& files, Profile& profile, const std::string& data_folder,
                                    const GroupIdentifier& parent, const std::string& name,
                                    LeadBytePredicate is_lead_byte);

// Makes the group `name` below `parent` as the Address group dialog does:
// refused when one of `shown_children`, the names of the groups shown below
// `parent`, is the name (compared exactly; the disk is not consulted), else
// CreateGroupOnDisk.
CreateGroupResult CreateShownGroup(Files& files, Profile& profile, const std::string& data_folder,
                                   const GroupIdentifier& parent,
                                   const std::vector<std::string>& shown_children,
                                   const std::string& name, LeadBytePredicate is_lead_byte);

// The user's message for a result other than Created (the library's string
// table through `strings`).
std::string CreateGroupMessage(Strings& strings, CreateGroupResult result,
                               const GroupIdentifier& parent, const std::string& name);

}  // namespace tandrel
