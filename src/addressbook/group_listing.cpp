#include "addressbook/group_listing.h"

#include "addressbook/address_book.h"
#include "text/file_names.h"

namespace tandrel {

namespace {

// The longest group identifier the host keeps (a 256-byte buffer).
constexpr std::size_t kLongestIdentifier = 255;

GroupIdentifier ChildOf(const GroupBranch& parent, std::string_view name) {
    return ChildGroup({parent.book, parent.group_path}, name);
}

// Whether a sub-folder of `parent` may be a group of the tree: one whose
// identifier the host could not keep is not listed.
bool IsGroupCandidate(const GroupBranch& parent, const FolderEntry& entry,
                      LeadBytePredicate is_lead_byte) {
    return IsGroupFolderEntry(entry, is_lead_byte) &&
           JoinGroupIdentifier(ChildOf(parent, entry.name)).size() <= kLongestIdentifier;
}

void AddSubtree(Files& files, const GroupBranch& branch, LeadBytePredicate is_lead_byte,
                GroupTreeItem& item) {
    for (const GroupBranch& child : ListChildGroups(files, branch, is_lead_byte)) {
        GroupTreeItem& added = item.children.emplace_back();
        added.book = child.book;
        added.group_path = child.group_path;
        added.text = child.text;
        AddSubtree(files, child, is_lead_byte, added);
    }
}

}  // namespace

bool MayHoldGroups(Files& files, const GroupBranch& branch, LeadBytePredicate is_lead_byte) {
    bool found = false;
    files.VisitFolder(branch.folder, [&](const FolderEntry& entry) {
        found = IsGroupCandidate(branch, entry, is_lead_byte);
        return !found;
    });
    return found;
}

std::vector<std::string> ListedFolders(Files& files, const std::string& pattern) {
    std::vector<FolderEntry> entries;
    std::vector<std::string> names;
    if (!files.ListFolder(pattern, entries)) {
        return names;
    }
    for (FolderEntry& entry : entries) {
        if (IsListedFolder(entry)) {
            names.push_back(std::move(entry.name));
        }
    }
    return names;
}

std::vector<std::string> ListedBookFolders(Files& files, const std::string& root) {
    std::vector<FolderEntry> entries;
    std::vector<std::string> names;
    if (!files.ListFolder(root + "\\@*", entries)) {
        return names;
    }
    for (FolderEntry& entry : entries) {
        if (IsNamedFolder(entry)) {
            names.push_back(std::move(entry.name));
        }
    }
    return names;
}

bool IsNamedFolder(const FolderEntry& entry) {
    return entry.is_directory && !entry.name.empty() && entry.name.front() != '.';
}

bool IsListedFolder(const FolderEntry& entry) {
    return IsNamedFolder(entry) && !entry.is_link;
}

bool IsShownBook(Files& files, const std::string& data_folder, const std::string& book,
                 LeadBytePredicate is_lead_byte) {
    return IsPlainBookName(book, is_lead_byte) &&
           IsGroupPresent(files, ListedBookFolder(data_folder, book));
}

bool IsGroupFolderEntry(const FolderEntry& entry, LeadBytePredicate is_lead_byte) {
    return IsNamedFolder(entry) && IsPlainFileName(entry.name, is_lead_byte);
}

std::vector<GroupBranch> ListBookBranches(Files& files, Profile& profile,
                                          const std::string& data_folder,
                                          LeadBytePredicate is_lead_byte) {
    const std::string root = AddressBookRoot(data_folder);
    std::vector<GroupBranch> books;
    for (const std::string& entry : ListedBookFolders(files, root)) {
        GroupBranch book;
        book.book = entry.substr(1);
        book.text = book.book;
        if (!IsShownBook(files, data_folder, book.book, is_lead_byte)) {
            continue;
        }
        book.folder = ResolveBookFolder(profile, data_folder, book.book, is_lead_byte);
        book.may_hold_groups = MayHoldGroups(files, book, is_lead_byte);
        books.push_back(std::move(book));
    }
    return books;
}

std::vector<GroupBranch> ListChildGroups(Files& files, const GroupBranch& parent,
                                         LeadBytePredicate is_lead_byte) {
    std::vector<GroupBranch> groups;
    std::vector<FolderEntry> entries;
    if (!parent.may_hold_groups || !files.ListFolder(parent.folder + "*", entries)) {
        return groups;
    }
    for (const FolderEntry& entry : entries) {
        if (!IsGroupCandidate(parent, entry, is_lead_byte)) {
            continue;
        }
        GroupBranch group;
        group.book = parent.book;
        group.group_path = ChildOf(parent, entry.name).group_path;
        group.text = entry.name;
        group.folder = GroupFolder(parent.folder, entry.name);
        if (!IsGroupPresent(files, group.folder)) {
            continue;
        }
        // A link is shown where it stands, not followed further: a walk
        // through links could run in a loop.
        group.may_hold_groups = !entry.is_link && MayHoldGroups(files, group, is_lead_byte);
        groups.push_back(std::move(group));
    }
    return groups;
}

std::vector<GroupTreeItem> ListGroupTree(Files& files, Profile& profile,
                                         const std::string& data_folder,
                                         LeadBytePredicate is_lead_byte) {
    std::vector<GroupTreeItem> books;
    for (const GroupBranch& book : ListBookBranches(files, profile, data_folder, is_lead_byte)) {
        GroupTreeItem& item = books.emplace_back();
        item.book = book.book;
        item.text = book.text;
        AddSubtree(files, book, is_lead_byte, item);
    }
    return books;
}

}  // namespace tandrel
