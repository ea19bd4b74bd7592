#include "addressbook/group_listing.h"

#include "addressbook/address_book.h"
#include "text/affixes.h"
#include "text/file_names.h"

namespace tandrel {

namespace {

// The longest group identifier the host keeps (a 256-byte buffer).
constexpr std::size_t kLongestIdentifier = 255;

// One listing of a folder finds both its sub-folders and its marker file.
struct GroupFolder {
    std::vector<FolderEntry> folders;
    bool has_marker = false;
};

GroupFolder ListGroupFolder(Files& files, const std::string& folder) {
    GroupFolder listed;
    std::vector<FolderEntry> entries;
    if (!files.ListFolder(folder + "*", entries)) {
        return listed;
    }
    for (FolderEntry& entry : entries) {
        if (!entry.is_directory) {
            listed.has_marker =
                listed.has_marker || EqualIgnoringCase(entry.name, kGroupMarkerName);
        } else if (IsNamedFolder(entry)) {
            listed.folders.push_back(std::move(entry));
        }
    }
    return listed;
}

void ListGroups(Files& files, const std::string& book_folder, const GroupFolder& listed,
                LeadBytePredicate is_lead_byte, GroupTreeItem& parent) {
    const std::string folder =
        parent.group_path.empty() ? book_folder : book_folder + parent.group_path + "\\";
    for (const FolderEntry& entry : listed.folders) {
        const std::string& name = entry.name;
        // A name no group path holds (a lead byte at its end would take the
        // "\\" after it) is not listed: its path would name another folder.
        if (!IsPlainFileName(name, is_lead_byte)) {
            continue;
        }
        GroupTreeItem item;
        item.book = parent.book;
        item.group_path = parent.group_path.empty() ? name : parent.group_path + "\\" + name;
        if (JoinGroupIdentifier({item.book, item.group_path}).size() > kLongestIdentifier) {
            continue;
        }
        const GroupFolder group = ListGroupFolder(files, folder + name + "\\");
        if (!group.has_marker) {
            continue;
        }
        item.text = name;
        // A link is shown where it stands, not followed further: a walk
        // through links could run in a loop.
        if (!entry.is_link) {
            ListGroups(files, book_folder, group, is_lead_byte, item);
        }
        parent.children.push_back(std::move(item));
    }
}

}  // namespace

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

std::vector<GroupTreeItem> ListGroupTree(Files& files, Profile& profile,
                                         const std::string& data_folder,
                                         LeadBytePredicate is_lead_byte) {
    const std::string root = AddressBookRoot(data_folder);
    std::vector<GroupTreeItem> books;
    for (const std::string& entry : ListedBookFolders(files, root)) {
        GroupTreeItem book;
        book.book = entry.substr(1);
        book.text = book.book;
        if (!IsPlainBookName(book.book, is_lead_byte) ||
            !files.CanOpenForReading(root + "\\" + entry + "\\" + kGroupMarkerName)) {
            continue;
        }
        const std::string book_folder =
            ResolveBookFolder(profile, data_folder, book.book, is_lead_byte);
        ListGroups(files, book_folder, ListGroupFolder(files, book_folder), is_lead_byte, book);
        books.push_back(std::move(book));
    }
    return books;
}

}  // namespace tandrel
