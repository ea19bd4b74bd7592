#include "addressbook/book_check.h"

#include <algorithm>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "addressbook/address_book.h"
#include "addressbook/group_index_lines.h"
#include "addressbook/group_listing.h"
#include "resources/string_table.h"
#include "text/affixes.h"
#include "text/file_names.h"
#include "text/format_text.h"
#include "text/one_line.h"

namespace tandrel {

namespace {

// The separator paths are shown with: the one the data folder ends with, so
// that a folder given with "/" is not shown with "\" below it.
char ShownSeparator(const std::string& data_folder, LeadBytePredicate is_lead_byte) {
    return EndsWithCharacter(data_folder, '/', is_lead_byte) ? '/' : '\\';
}

std::string ShownPath(const std::string& path, char separator, LeadBytePredicate is_lead_byte) {
    return separator == '\\' ? path : ReplaceCharacter(path, '\\', separator, is_lead_byte);
}

// A decimal number of digits alone, as Tandrel writes offsets and sequence numbers.
std::optional<std::uint64_t> DecimalOf(std::string_view text) {
    if (text.empty() || text.size() > 18) {
        return std::nullopt;
    }
    std::uint64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + static_cast<std::uint64_t>(c - '0');
    }
    return value;
}

// The card files of one group, each read once, and the addresses of each
// block an index line points at, each found once.
class CardFiles {
  public:
    CardFiles(Files& files, std::string folder) : files_(files), folder_(std::move(folder)) {}

    struct Card {
        ReadStatus status = ReadStatus::Missing;
        std::string text;
        // The addresses of each block looked at; none where no block starts.
        std::map<std::uint64_t, std::optional<std::unordered_set<std::string_view>>> blocks;

        // Whether a block that holds `address` starts at `offset`.
        bool HoldsAt(std::uint64_t offset, std::string_view address) {
            auto found = blocks.find(offset);
            if (found == blocks.end()) {
                std::optional<std::unordered_set<std::string_view>> addresses;
                if (const auto listed = CardBlockAddresses(text, offset)) {
                    addresses.emplace(listed->begin(), listed->end());
                }
                found = blocks.emplace(offset, std::move(addresses)).first;
            }
            return found->second && found->second->count(address) != 0;
        }
    };

    Card& Read(const std::string& name) {
        auto found = cards_.find(name);
        if (found == cards_.end()) {
            found = cards_.emplace(name, Card()).first;
            found->second.status = files_.ReadFile(folder_ + name, found->second.text);
        }
        return found->second;
    }

  private:
    Files& files_;
    std::string folder_;
    std::map<std::string, Card, LessIgnoringCase> cards_;
};

// What the check of one index carries from line to line.
struct IndexCheck {
    // The first line of each address; the lines of an address entered
    // again, apart, so that the common case of each once costs one lookup.
    std::unordered_map<std::string_view, int> first_line;
    std::unordered_map<std::string_view, std::vector<int>> repeated_lines;
    std::optional<std::uint64_t> last_sequence;
};

// The findings of one entry line (its fields `fields`): its card file and
// block, and its sequence number.
void CheckEntry(const std::vector<std::string_view>& fields, int line_number, CardFiles& cards,
                LeadBytePredicate is_lead_byte, IndexCheck& check,
                const std::function<void(Finding)>& add) {
    const auto at = [line_number] { return Field(std::to_string(line_number)); };
    const std::string_view address = fields[kIndexAddressField];
    if (const auto [first, added] = check.first_line.emplace(address, line_number); !added) {
        auto& lines = check.repeated_lines[address];
        if (lines.empty()) {
            lines.push_back(first->second);
        }
        lines.push_back(line_number);
    }

    const std::string card_name(fields[kIndexCardFileField]);
    const std::optional<std::uint64_t> offset = DecimalOf(fields[kIndexOffsetField]);
    if (!IsCardFileName(card_name, is_lead_byte)) {
        add(MakeFinding(IDS_BOOK_NO_CARD_NAME, {at(), Field(ShownText(card_name))}));
    } else if (CardFiles::Card& card = cards.Read(card_name); card.status != ReadStatus::Ok) {
        add(MakeFinding(
            card.status == ReadStatus::Missing ? IDS_BOOK_CARD_MISSING : IDS_BOOK_CARD_UNREADABLE,
            {at(), Field(ShownText(card_name))}));
    } else if (!offset || !card.HoldsAt(*offset, address)) {
        add(MakeFinding(IDS_BOOK_NO_BLOCK,
                        {at(), Field(ShownText(fields[kIndexOffsetField])),
                         Field(ShownText(card_name)), Field(ShownText(address))}));
    }
    const std::optional<std::uint64_t> sequence = DecimalOf(fields[kIndexSequenceField]);
    if (!sequence) {
        add(MakeFinding(IDS_BOOK_SEQUENCE_NO_NUMBER,
                        {at(), Field(ShownText(fields[kIndexSequenceField]))}));
        return;
    }
    if (check.last_sequence && *sequence <= *check.last_sequence) {
        add(MakeFinding(
            IDS_BOOK_SEQUENCE_NOT_RISING,
            {at(), Field(std::to_string(*sequence)), Field(std::to_string(*check.last_sequence))}));
    }
    check.last_sequence = sequence;
}

// Each address entered more than once, in the order of its first line.
void AddRepeatedAddresses(IndexCheck& check, const std::function<void(Finding)>& add) {
    std::vector<std::pair<int, std::string_view>> repeated;
    repeated.reserve(check.repeated_lines.size());
    for (const auto& [address, lines] : check.repeated_lines) {
        repeated.emplace_back(lines.front(), address);
    }
    std::sort(repeated.begin(), repeated.end());
    for (const auto& [first, address] : repeated) {
        const std::vector<int>& lines = check.repeated_lines[address];
        add(MakeFinding(IDS_BOOK_REPEATED,
                        {Field(JoinedLineNumbers(lines)), Field(ShownText(address)),
                         Field(std::to_string(lines.size()))}));
    }
}

// The index's findings of one group (`folder` ends with "\\"): each line's
// form as the host reads it, each entry's, then the repeated addresses. The
// card files it names go to `named`. False when the index cannot be read.
bool CheckIndex(Files& files, const std::string& folder, LeadBytePredicate is_lead_byte,
                const std::function<void(Finding)>& add,
                std::set<std::string, LessIgnoringCase>& named) {
    std::string index;
    if (files.ReadFile(folder + kGroupIndexName, index) == ReadStatus::Failed) {
        add(MakeFinding(IDS_BOOK_INDEX_UNREADABLE));
        return false;
    }
    CardFiles cards(files, folder);
    IndexCheck check;
    check.first_line.reserve(
        static_cast<std::size_t>(std::count(index.begin(), index.end(), '\n')));
    int line_number = 0;
    for (std::size_t start = 0; start < index.size();) {
        const IndexLineFields line = ReadIndexLine(index, start);
        ++line_number;
        const std::size_t line_start = start;
        // Numbered as an editor counts lines: CR LF ends one.
        start = line.end + (index.compare(line.end, 2, "\r\n") == 0 ? 2 : 1);
        const std::string_view content =
            std::string_view(index).substr(line_start, line.end - line_start);
        if (content.find(kTextEndOfFile) != std::string_view::npos) {
            add(MakeFinding(IDS_BOOK_CTRL_Z, {Field(std::to_string(line_number))}));
        }
        if (!FitsHostLine(content)) {
            add(MakeFinding(IDS_BOOK_LONG_LINE, {Field(std::to_string(line_number)),
                                                 Field(std::to_string(kHostLineLimit))}));
        }
        if (line.card_file) {
            named.emplace(*line.card_file);
        }
        if (line.fields == kIndexEntryFields) {
            CheckEntry(IndexLineFieldTexts(index, line_start, line), line_number, cards,
                       is_lead_byte, check, add);
        }
    }
    AddRepeatedAddresses(check, add);
    return true;
}

// Checks the group at `group_path` below `book_folder` and every group below it.
void CheckGroupTree(Files& files, const std::string& book, const std::string& book_folder,
                    const std::string& group_path, char shown_separator,
                    LeadBytePredicate is_lead_byte, const std::function<void(BookFinding)>& take) {
    const std::string identifier = JoinGroupIdentifier({book, group_path});
    const auto add = [&](Finding finding) { take({identifier, std::move(finding)}); };
    const std::string folder = GroupFolder(book_folder, group_path);
    std::vector<FolderEntry> entries;
    if (!files.ListFolder(folder + "*", entries)) {
        add(MakeFinding(IDS_BOOK_FOLDER_UNLISTED,
                        {Field(ShownText(ShownPath(folder, shown_separator, is_lead_byte)))}));
        return;
    }
    std::set<std::string, LessIgnoringCase> named;
    const bool index_read = CheckIndex(files, folder, is_lead_byte, add, named);
    for (const FolderEntry& entry : entries) {
        if (index_read && !entry.is_directory && !IsGroupsOwnFileName(entry.name) &&
            named.find(entry.name) == named.end()) {
            add(MakeFinding(IDS_BOOK_UNNAMED_FILE, {Field(ShownText(entry.name))}));
        }
    }
    for (const FolderEntry& entry : entries) {
        // The groups the tree shows, links not followed.
        if (!entry.is_link && IsGroupFolderEntry(entry, is_lead_byte) &&
            IsGroupPresent(files, GroupFolder(folder, entry.name))) {
            CheckGroupTree(files, book, book_folder,
                           ChildGroup({book, group_path}, entry.name).group_path, shown_separator,
                           is_lead_byte, take);
        }
    }
}

}  // namespace

std::optional<BookFinding> FindUnlistedAddressBook(Files& files, const std::string& data_folder,
                                                   LeadBytePredicate is_lead_byte) {
    std::vector<FolderEntry> books;
    if (files.ListFolder(AddressBookRoot(data_folder) + "\\@*", books)) {
        return std::nullopt;
    }
    return BookFinding{
        std::string(),
        MakeFinding(IDS_BOOK_UNLISTED,
                    {Field(ShownText(ShownPath(AddressBookRoot(data_folder),
                                               ShownSeparator(data_folder, is_lead_byte),
                                               is_lead_byte)))})};
}

void CheckAddressBook(Files& files, Profile& profile, const std::string& data_folder,
                      LeadBytePredicate is_lead_byte,
                      const std::function<void(BookFinding)>& take) {
    if (auto unlisted = FindUnlistedAddressBook(files, data_folder, is_lead_byte)) {
        take(std::move(*unlisted));
        return;
    }
    const char shown_separator = ShownSeparator(data_folder, is_lead_byte);
    for (const std::string& entry : ListedBookFolders(files, AddressBookRoot(data_folder))) {
        const std::string book = entry.substr(1);
        if (IsShownBook(files, data_folder, book, is_lead_byte)) {
            CheckGroupTree(files, book, ResolveBookFolder(profile, data_folder, book, is_lead_byte),
                           std::string(), shown_separator, is_lead_byte, take);
        }
    }
}

std::vector<BookFinding> CheckAddressBook(Files& files, Profile& profile,
                                          const std::string& data_folder,
                                          LeadBytePredicate is_lead_byte) {
    std::vector<BookFinding> findings;
    CheckAddressBook(files, profile, data_folder, is_lead_byte,
                     [&findings](BookFinding finding) { findings.push_back(std::move(finding)); });
    return findings;
}

std::string DescribeFinding(const BookFinding& finding,
                            const std::function<std::string(int)>& load) {
    const std::string text = DescribeFindings({finding.finding}, 0, load, FoldersByIdentifier());
    return finding.group.empty()
               ? text
               : FormatText(load(IDS_BOOK_IN_GROUP), {ShownText(finding.group), text});
}

}  // namespace tandrel
