// Listing books and groups: a wildcard search in the file system's order,
// folders only, names beginning with "." left out, and no link followed.
#pragma once

#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/profile.h"

namespace tandrel {

// The folder names that match `pattern`; none when it cannot be listed. A
// link to a folder (a symbolic link, a junction) is left out: a walk that
// followed one could run in a loop.
std::vector<std::string> ListedFolders(Files& files, const std::string& pattern);

// The "@" folders of the books below the address book root, links among
// them: a book is found by its name whatever its folder is, and is followed
// once, as its "Path" would be.
std::vector<std::string> ListedBookFolders(Files& files, const std::string& root);

// Whether a listing's entry is a folder found by its name: a folder or a
// link to one, its name not beginning with ".".
bool IsNamedFolder(const FolderEntry& entry);

// Whether a listing's entry is a folder a walk goes into: a named folder
// that is no link.
bool IsListedFolder(const FolderEntry& entry);

// One item of the Address group dialog's tree.
struct GroupTreeItem {
    std::string book;
    std::string group_path;  // empty for a book
    std::string text;        // the book name or the group folder's name
    std::vector<GroupTreeItem> children;
};

// Every book whose "{root}\@{book}\Group.ini" opens, and below it every group
// whose folder holds "Group.ini", depth first, in listing order. A group
// without the marker is left out together with its sub-groups, and so is one
// whose identifier would be longer than the host's 255 characters. A group
// folder that is a link is listed, but not what lies below it.
std::vector<GroupTreeItem> ListGroupTree(Files& files, Profile& profile,
                                         const std::string& data_folder,
                                         LeadBytePredicate is_lead_byte);

}  // namespace tandrel
