#include "addressbook/add_address.h"

#include <memory>
#include <optional>

#include "addressbook/group_index.h"
#include "resources/string_table.h"
#include "text/file_names.h"
#include "text/format_text.h"
#include "text/one_line.h"

namespace tandrel {

namespace {

// A temporary name asked for again this often when it is taken already.
constexpr int kNameAttempts = 64;

bool NameIsTaken(Files& files, const std::string& path) {
    std::vector<FolderEntry> entries;
    return !files.ListFolder(path, entries) || !entries.empty();
}

// A new card file name: the host's temporary name without its folder, one
// that no file in the group folder bears yet.
std::optional<std::string> FreshCardFileName(Files& files, TempNames& temp_names,
                                             const std::string& group_folder,
                                             LeadBytePredicate is_lead_byte) {
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        const std::string folder = temp_names.TempFolder();
        const std::string full = temp_names.TempFileName("bab");
        if (full.size() <= folder.size()) {
            continue;
        }
        const std::string name = full.substr(folder.size());
        if (IsCardFileName(name, is_lead_byte) && !NameIsTaken(files, group_folder + name)) {
            return name;
        }
    }
    return std::nullopt;
}

// Whether the card file at `path` can take the new card: a plain file of its
// own, or none yet (it is made), but not a link (which could lead to the
// index itself, or out of the book), a FIFO or a folder. Its last byte goes
// into `end`.
bool IsCardFileToAppendTo(Files& files, const std::string& path, std::string& end) {
    return !files.IsLink(path) && files.ReadFileEnd(path, 1, end) != ReadStatus::Failed;
}

// Puts a file back the way it was before this operation wrote to it.
void TakeBack(Files& files, const std::string& path, std::optional<std::uint64_t> former_size) {
    if (former_size) {
        files.TruncateFile(path, *former_size);
    } else {
        files.RemoveFile(path);
    }
}

// One addition: the group's files, the index as it was read, and the card
// file the entry goes to. The stages below fill it in turn.
struct Addition {
    std::string group_folder;  // ending with "\\"
    std::string index_path;
    std::string address;  // made one line
    std::unique_ptr<FileLock> lock;
    ReadStatus index_status = ReadStatus::Missing;
    std::uint64_t index_size = 0;  // the bytes read of the index
    std::string index_last_byte;   // for NeedsLineEndBeforeAppend
    GroupIndexScan scan;
    std::string card_file_name;
    std::string card_end;  // its last byte
};

// Stage 1: the group's folder, checked, and its index's lock taken.
std::optional<AddAddressResult> OpenGroup(Files& files, Profile& profile,
                                          const std::string& data_folder, const AddressEntry& entry,
                                          LeadBytePredicate is_lead_byte, Addition& addition) {
    if (!IsPlainGroup(entry.group, is_lead_byte)) {
        return AddAddressResult::GroupMissing;
    }
    const std::string book_folder =
        ResolveBookFolder(profile, data_folder, entry.group.book, is_lead_byte);
    // A group reached through a link is not written to.
    if (GroupPathHoldsALink(files, book_folder, entry.group.group_path, is_lead_byte)) {
        return AddAddressResult::GroupIsLink;
    }
    addition.group_folder = GroupFolder(book_folder, entry.group.group_path);
    addition.index_path = addition.group_folder + kGroupIndexName;
    addition.address = ToOneLine(entry.address, is_lead_byte);
    // One writer at a time: the index and the card file change together.
    const LockStatus locked = files.LockForWriting(addition.index_path, addition.lock);
    if (locked == LockStatus::Failed &&
        !IsExistingDirectory(files, addition.group_folder, is_lead_byte)) {
        return AddAddressResult::GroupMissing;  // no folder to make the lock in
    }
    return LockRefusal(locked, AddAddressResult::Busy, AddAddressResult::WriteFailed);
}

// Stage 2: the index scanned as it is read, a piece at a time; a duplicate,
// or an index that cannot take the entry, refuses it.
std::optional<AddAddressResult> ScanIndex(Files& files, LeadBytePredicate is_lead_byte,
                                          Addition& addition) {
    GroupIndexScanner scanner(addition.address);
    addition.index_status = files.ReadFileInPieces(
        addition.index_path, [&](std::string_view piece) { scanner.Take(piece); });
    // An index that reads shows the folder is there; else the folder is
    // looked for.
    if (addition.index_status != ReadStatus::Ok &&
        !IsExistingDirectory(files, addition.group_folder, is_lead_byte)) {
        return AddAddressResult::GroupMissing;
    }
    // Appending blind could hide a duplicate; a linked or read-only index is
    // not written to.
    if (addition.index_status == ReadStatus::Failed || files.IsLink(addition.index_path) ||
        files.IsReadOnly(addition.index_path)) {
        return AddAddressResult::WriteFailed;
    }
    addition.scan = scanner.Result();
    addition.index_size = scanner.taken();
    addition.index_last_byte = std::string(scanner.last_byte());
    if (addition.scan.duplicate) {
        return AddAddressResult::Duplicate;
    }
    // An entry after a Ctrl-Z would never be read.
    if (scanner.holds_ctrl_z()) {
        return AddAddressResult::IndexEndsEarly;
    }
    return std::nullopt;
}

// Stage 3: the card file the index names, when it is one to append to; else
// a new one is started.
std::optional<AddAddressResult> ChooseCardFile(Files& files, TempNames& temp_names,
                                               LeadBytePredicate is_lead_byte, Addition& addition) {
    addition.card_file_name = addition.scan.card_file_name;
    if (addition.scan.entry_count > 0 && IsCardFileName(addition.card_file_name, is_lead_byte) &&
        IsCardFileToAppendTo(files, addition.group_folder + addition.card_file_name,
                             addition.card_end)) {
        return std::nullopt;
    }
    const auto fresh = FreshCardFileName(files, temp_names, addition.group_folder, is_lead_byte);
    if (!fresh) {
        return AddAddressResult::WriteFailed;
    }
    addition.card_file_name = *fresh;
    addition.card_end.clear();
    return std::nullopt;
}

// Stage 4: the vCard block onto the card file, then the line onto the index;
// what was written is taken back when a write fails.
AddAddressResult AppendEntry(Files& files, const AddressEntry& entry,
                             LeadBytePredicate is_lead_byte, const Addition& addition) {
    const std::string card_path = addition.group_folder + addition.card_file_name;
    const std::optional<std::uint64_t> card_size = files.FileSize(card_path);
    if (card_size && files.IsReadOnly(card_path)) {
        return AddAddressResult::WriteFailed;
    }
    // The former last card or entry stays whole: a last line without its
    // line end gets one before anything is appended.
    const std::string card_lead(NeedsLineEndBeforeAppend(addition.card_end) ? kHostLineEnd : "");
    const std::string index_lead(NeedsLineEndBeforeAppend(addition.index_last_byte) ? kHostLineEnd
                                                                                    : "");

    const std::uint64_t card_offset = card_size.value_or(0) + card_lead.size();
    const int sequence = addition.scan.entry_count + 1;
    const auto name_room =
        DisplayNameRoom(card_offset, addition.card_file_name, addition.address, sequence);
    if (!name_room) {
        return AddAddressResult::LineTooLong;
    }
    const std::string name(
        CutAtCharacter(ToOneLine(entry.name, is_lead_byte), *name_room, is_lead_byte));

    const std::string block = card_lead + CardBlock(name, addition.address);
    // A new card file is made whole in one step; an existing one is appended to.
    const bool card_written = card_size ? files.AppendFile(card_path, block)
                                        : files.WriteAtomically(card_path, {block}, std::string());
    if (!card_written) {
        if (card_size) {
            TakeBack(files, card_path, card_size);
        }
        return AddAddressResult::WriteFailed;
    }

    std::optional<std::uint64_t> index_size;
    if (addition.index_status == ReadStatus::Ok) {
        index_size = addition.index_size;
    }
    const std::string line = index_lead + IndexLine(card_offset, addition.card_file_name, name,
                                                    addition.address, sequence);
    if (!files.AppendFile(addition.index_path, line)) {
        TakeBack(files, addition.index_path, index_size);
        TakeBack(files, card_path, card_size);
        return AddAddressResult::WriteFailed;
    }
    return AddAddressResult::Added;
}

}  // namespace

AddAddressResult AddAddressToGroup(Files& files, Profile& profile, TempNames& temp_names,
                                   const std::string& data_folder, const AddressEntry& entry,
                                   LeadBytePredicate is_lead_byte) {
    Addition addition;
    if (auto refused = OpenGroup(files, profile, data_folder, entry, is_lead_byte, addition)) {
        return *refused;
    }
    if (auto refused = ScanIndex(files, is_lead_byte, addition)) {
        return *refused;
    }
    if (auto refused = ChooseCardFile(files, temp_names, is_lead_byte, addition)) {
        return *refused;
    }
    return AppendEntry(files, entry, is_lead_byte, addition);
}

std::string AddAddressMessage(Strings& strings, AddAddressResult result,
                              const AddressEntry& entry) {
    const auto text = [&](int id, const std::vector<std::string>& arguments) {
        return FormatText(strings.Load(id), arguments);
    };
    const std::string& book = entry.group.book;
    const std::string& path = entry.group.group_path;
    switch (result) {
        case AddAddressResult::Duplicate:
            return text(IDS_DUPLICATE_ADDRESS, {book, path, entry.address});
        case AddAddressResult::GroupMissing:
            return text(IDS_GROUP_MISSING, {book, path});
        case AddAddressResult::GroupIsLink:
            return text(IDS_GROUP_IS_LINK, {book, path});
        case AddAddressResult::IndexEndsEarly:
            return text(IDS_INDEX_ENDS_EARLY, {book, path});
        case AddAddressResult::LineTooLong:
            return text(IDS_ENTRY_LINE_TOO_LONG, {entry.address, book, path});
        case AddAddressResult::Busy:
            return text(IDS_GROUP_BUSY, {book, path});
        case AddAddressResult::WriteFailed:
            return text(IDS_ADDRESS_NOT_WRITTEN, {entry.address, book, path});
        case AddAddressResult::Added:
            break;
    }
    return std::string();
}

}  // namespace tandrel
