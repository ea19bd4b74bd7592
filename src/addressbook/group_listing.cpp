#include "addressbook/group_listing.h"

#include "addressbook/address_book.h"
#include "text/affixes.h"

namespace tandrel {

namespace {

// The longest group identifier the host keeps (a 256-byte buffer).
constexpr std::size_t kLongestIdentifier = 255;

// One listing of a folder finds both its sub-folders and its marker file.
struct GroupFolder {
    std::vector<std::string> folders;
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
        } else if (IsListedFolder(entry)) {
            listed.folders.push_back(std::move(entry.name));
        }
    }
    return listed;
}

void ListGroups(Files& files, const std::string& book_folder, const GroupFolder& listed,
                GroupTreeItem& parent) {
    const std::string folder =
        parent.group_path.empty() ? book_folder : book_folder + parent.group_path + "\\";
    for (const std::string& name : listed.folders) {
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
        ListGroups(files, book_folder, group, item);
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

bool IsListedFolder(const FolderEntry& entry) {
    return entry.is_directory && !entry.is_link && !entry.name.empty() && entry.name.front() != '.';
}

std::vector<GroupTreeItem> ListGroupTree(Files& files, Profile& profile,
                                         const std::string& data_folder,
                                         LeadBytePredicate is_lead_byte) {
    const std::string root = AddressBookRoot(data_folder);
    std::vector<GroupTreeItem> books;
    for (const std::string& entry : ListedFolders(files, root + "\\@*")) {
        GroupTreeItem book;
        book.book = entry.substr(1);
        book.text = book.book;
        if (!files.CanOpenForReading(root + "\\" + entry + "\\" + kGroupMarkerName)) {
            continue;
        }
        const std::string book_folder =
            ResolveBookFolder(profile, data_folder, book.book, is_lead_byte);
        ListGroups(files, book_folder, ListGroupFolder(files, book_folder), book);
        books.push_back(std::move(book));
    }
    return books;
}

}  // namespace tandrel
