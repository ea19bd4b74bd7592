// Listing books and groups: a wildcard search in the file system's order,
// folders only, names beginning with "." left out. A book that is a link is
// followed once, as its "Path" would be; a group that is a link is listed
// where it stands but not followed; no walk follows a link further.
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

// Whether the book of that name (its folder listed as "@" and the name) is
// one the tree and the check show: a plain name, and present where it is
// listed, not where its "Path" leads.
bool IsShownBook(Files& files, const std::string& data_folder, const std::string& book,
                 LeadBytePredicate is_lead_byte);

// Whether a listing's entry below a book or group may be a group: a named
// folder whose name a group path holds (a plain name: a lead byte at its end
// would take the "\\" after it, and the path name another folder).
bool IsGroupFolderEntry(const FolderEntry& entry, LeadBytePredicate is_lead_byte);

// A book or group of the tree. The tree of the Address group dialog is
// listed a level at a time, as it is opened.
struct GroupBranch {
    std::string book;
    std::string group_path;  // empty for a book
    std::string text;        // the book name or the group folder's name
    std::string folder;      // its folder, ending with "\"
    // Whether it has a sub-folder that may be a group (a named folder with a
    // plain name and an identifier the host keeps), found without listing
    // more than that one; whether any is a group is found when it is opened.
    // Never for a link, which is not followed.
    bool may_hold_groups = false;
};

// Whether `branch`'s folder has a sub-folder that may be a group, looking
// into it only as far as the first.
bool MayHoldGroups(Files& files, const GroupBranch& branch, LeadBytePredicate is_lead_byte);

// Every book present in "{root}\@{book}\" (IsGroupPresent), in listing order, each
// with a look into its folder as far as a sub-folder that may be a group.
std::vector<GroupBranch> ListBookBranches(Files& files, Profile& profile,
                                          const std::string& data_folder,
                                          LeadBytePredicate is_lead_byte);

// The groups directly below `parent`: each of its sub-folders that is a
// present group (IsGroupPresent), in listing order, one listing of `parent` and a look into
// each. A group without the marker is left out together with its sub-groups.
std::vector<GroupBranch> ListChildGroups(Files& files, const GroupBranch& parent,
                                         LeadBytePredicate is_lead_byte);

// One item of the whole tree.
struct GroupTreeItem {
    std::string book;
    std::string group_path;  // empty for a book
    std::string text;        // the book name or the group folder's name
    std::vector<GroupTreeItem> children;
};

// The whole tree, level by level as above: every book and, below it, every
// group, depth first. A group whose identifier would be longer than the
// host's 255 characters is left out; a group folder that is a link is
// listed, but not what lies below it.
std::vector<GroupTreeItem> ListGroupTree(Files& files, Profile& profile,
                                         const std::string& data_folder,
                                         LeadBytePredicate is_lead_byte);

}  // namespace tandrel
