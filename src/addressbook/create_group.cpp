#include "addressbook/create_group.h"

#include <algorithm>
#include <memory>

#include "mailbox/folders.h"
#include "resources/string_table.h"
#include "text/format_text.h"
#include "text/ini_text.h"

namespace tandrel {

namespace {

// Writes an empty file unless one is there already (whatever it holds).
bool EnsureFile(Files& files, const std::string& path) {
    std::string ignored;
    switch (files.ReadFile(path, ignored)) {
        case ReadStatus::Ok:
            return true;
        case ReadStatus::Missing:
            return files.WriteAtomically(path, {}, std::string());
        case ReadStatus::Failed:
            return false;
    }
    return false;
}

}  // namespace

CreateGroupResult CreateGroupOnDisk(Files& files, Profile& profile, const std::string& data_folder,
                                    const GroupIdentifier& parent, const std::string& name,
                                    LeadBytePredicate is_lead_byte) {
    if (!IsPlainFileName(name, is_lead_byte)) {
        return CreateGroupResult::InvalidName;
    }
    // A group named like one of the group's own files would stand where
    // its parent's index or settings belong.
    if (IsGroupsOwnFileName(name)) {
        return CreateGroupResult::ReservedName;
    }
    if (!IsPlainBookName(parent.book, is_lead_byte) ||
        (!parent.group_path.empty() && !IsPlainGroupPath(parent.group_path, is_lead_byte))) {
        return CreateGroupResult::ParentMissing;
    }
    const std::string book_folder =
        ResolveBookFolder(profile, data_folder, parent.book, is_lead_byte);
    const std::string parent_folder = GroupFolder(book_folder, parent.group_path);
    if (!IsExistingDirectory(files, parent_folder, is_lead_byte)) {
        return CreateGroupResult::ParentMissing;
    }
    const GroupIdentifier child = ChildGroup(parent, name);
    // A link, above or of the new name, would lead the group's files elsewhere.
    if (GroupPathHoldsALink(files, book_folder, child.group_path, is_lead_byte)) {
        return CreateGroupResult::GroupIsLink;
    }
    const std::string folder = GroupFolder(book_folder, child.group_path);
    if (!files.MakeDirectory(folder.substr(0, folder.size() - 1))) {
        return CreateGroupResult::WriteFailed;
    }
    // An index the folder already holds may be written to by another writer.
    std::unique_ptr<FileLock> lock;
    if (const auto refused = LockRefusal(files.LockForWriting(folder + kGroupIndexName, lock),
                                         CreateGroupResult::Busy, CreateGroupResult::WriteFailed)) {
        return *refused;
    }

    const std::string settings_path = folder + kFolderSettingsName;
    std::string settings;
    if (files.ReadFile(settings_path, settings) == ReadStatus::Failed ||
        files.IsReadOnly(settings_path)) {
        return CreateGroupResult::WriteFailed;
    }
    settings = WithIniValue(settings, "Settings", "NickName", "");
    settings = WithIniValue(settings, "Settings", "Expanded", "1");
    if (!files.WriteAtomically(settings_path, {settings}, std::string()) ||
        !EnsureFile(files, folder + kGroupIndexName) ||
        !EnsureFile(files, folder + kGroupMarkerName)) {
        return CreateGroupResult::WriteFailed;
    }
    return CreateGroupResult::Created;
}

CreateGroupResult CreateShownGroup(Files& files, Profile& profile, const std::string& data_folder,
                                   const GroupIdentifier& parent,
                                   const std::vector<std::string>& shown_children,
                                   const std::string& name, LeadBytePredicate is_lead_byte) {
    if (std::find(shown_children.begin(), shown_children.end(), name) != shown_children.end()) {
        return CreateGroupResult::AlreadyShown;
    }
    return CreateGroupOnDisk(files, profile, data_folder, parent, name, is_lead_byte);
}

std::string CreateGroupMessage(Strings& strings, CreateGroupResult result,
                               const GroupIdentifier& parent, const std::string& name) {
    const auto text = [&](int id, const std::vector<std::string>& arguments) {
        return FormatText(strings.Load(id), arguments);
    };
    const GroupIdentifier child = ChildGroup(parent, name);
    switch (result) {
        case CreateGroupResult::Created:
            break;
        case CreateGroupResult::AlreadyShown:
            return text(IDS_DUPLICATE_GROUP, {parent.book, parent.group_path, name});
        case CreateGroupResult::InvalidName:
            return text(IDS_INVALID_GROUP_NAME, {name});
        case CreateGroupResult::ReservedName:
            return text(IDS_RESERVED_GROUP_NAME, {name});
        case CreateGroupResult::ParentMissing:
            return text(IDS_GROUP_MISSING, {parent.book, parent.group_path});
        case CreateGroupResult::GroupIsLink:
            return text(IDS_GROUP_IS_LINK, {child.book, child.group_path});
        case CreateGroupResult::Busy:
            return text(IDS_GROUP_BUSY, {child.book, child.group_path});
        case CreateGroupResult::WriteFailed:
            return text(IDS_GROUP_NOT_WRITTEN, {JoinGroupIdentifier(child)});
    }
    return std::string();
}

}  // namespace tandrel
