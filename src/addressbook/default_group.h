// The group the Rule entry dialog proposes when the folder remembers none.
#pragma once

#include <string>

#include "platform/files.h"
#include "platform/profile.h"
#include "text/characters.h"

namespace tandrel {

// The first book in listing order whose resolved folder holds "Group.ini",
// and its first group (one level) holding one: "Book:Group", "Book:" or ":".
// Its books and groups are those of IsShownBook and IsGroupFolderEntry
// (group_listing.h), links aside, with one difference kept on purpose: the
// default book's marker is looked for where its "Path" leads, the tree's
// where the book is listed; the two agree for every book without a "Path".
std::string FindDefaultGroup(Files& files, Profile& profile, const std::string& data_folder,
                             LeadBytePredicate is_lead_byte);

}  // namespace tandrel
