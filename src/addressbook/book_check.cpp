#include "addressbook/book_check.h"

#include <map>
#include <optional>
#include <set>
#include <string_view>
#include <unordered_map>

#include "addressbook/address_book.h"
#include "addressbook/group_index_lines.h"
#include "addressbook/group_listing.h"

namespace tandrel {

namespace {

// Fields of an entry line, counted from 0.
constexpr std::size_t kOffsetField = 0;
constexpr std::size_t kCardField = 2;
constexpr std::size_t kAddressField = 4;
constexpr std::size_t kSequenceField = 7;

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

std::string Quoted(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

// The card files of one group, each read once.
class CardFiles {
  public:
    CardFiles(Files& files, std::string folder) : files_(files), folder_(std::move(folder)) {}

    // The file's content, or nullopt when it is missing or cannot be read.
    const std::optional<std::string>& Content(const std::string& name) {
        auto found = read_.find(name);
        if (found == read_.end()) {
            std::string content;
            const bool read = files_.ReadFile(folder_ + name, content) == ReadStatus::Ok;
            found = read_
                        .emplace(name, read ? std::optional<std::string>(std::move(content))
                                            : std::nullopt)
                        .first;
        }
        return found->second;
    }

  private:
    Files& files_;
    std::string folder_;
    std::map<std::string, std::optional<std::string>> read_;
};

// Checks one group folder (`folder` ends with "\").
void CheckGroup(Files& files, const std::string& identifier, const std::string& folder,
                LeadBytePredicate is_lead_byte, std::vector<BookFinding>& findings) {
    const auto add = [&](std::string text) { findings.push_back({identifier, std::move(text)}); };
    std::string index;
    if (files.ReadFile(folder + kGroupIndexName, index) == ReadStatus::Failed) {
        add(std::string(kGroupIndexName) + " cannot be read");
        return;
    }
    CardFiles cards(files, folder);
    std::set<std::string, std::less<>> named;
    std::unordered_map<std::string_view, std::vector<int>> lines_of_address;
    std::vector<std::string_view> address_order;
    std::optional<std::uint64_t> last_sequence;
    int line_number = 0;
    for (std::size_t start = 0; start < index.size();) {
        const IndexLineFields line = ReadIndexLine(index, start);
        ++line_number;
        const std::string line_name =
            std::string(kGroupIndexName) + " line " + std::to_string(line_number) + ": ";
        const std::size_t line_start = start;
        // CR LF ends one line.
        start = line.end + (index.compare(line.end, 2, "\r\n") == 0 ? 2 : 1);
        if (line.third) {
            named.emplace(*line.third);
        }
        if (line.fields != kIndexEntryFields) {
            continue;
        }
        const std::vector<std::string_view> fields = IndexLineFieldTexts(index, line_start, line);
        const std::string_view address = fields[kAddressField];
        const std::string card_name(fields[kCardField]);
        auto& lines = lines_of_address[address];
        if (lines.empty()) {
            address_order.push_back(address);
        }
        lines.push_back(line_number);

        const std::optional<std::uint64_t> offset = DecimalOf(fields[kOffsetField]);
        const std::optional<std::string>* card_text =
            IsCardFileName(card_name, is_lead_byte) ? &cards.Content(card_name) : nullptr;
        if (card_text == nullptr) {
            add(line_name + Quoted(card_name) + " is no card file name");
        } else if (!*card_text) {
            add(line_name + "card file " + Quoted(card_name) + " is missing");
        } else if (!offset || !CardBlockHoldsAddress(**card_text, *offset, address)) {
            add(line_name + "offset " + Quoted(fields[kOffsetField]) + " in " + card_name +
                " is no vCard block holding " + std::string(address));
        }
        const std::optional<std::uint64_t> sequence = DecimalOf(fields[kSequenceField]);
        if (!sequence) {
            add(line_name + "sequence number " + Quoted(fields[kSequenceField]) + " is no number");
        } else {
            if (last_sequence && *sequence <= *last_sequence) {
                add(line_name + "sequence number " + std::to_string(*sequence) + " after " +
                    std::to_string(*last_sequence));
            }
            last_sequence = sequence;
        }
    }
    for (const std::string_view address : address_order) {
        const std::vector<int>& lines = lines_of_address[address];
        if (lines.size() < 2) {
            continue;
        }
        std::string text = std::string(kGroupIndexName) + " lines";
        for (std::size_t i = 0; i < lines.size(); ++i) {
            text += (i == 0 ? " " : ", ") + std::to_string(lines[i]);
        }
        add(text + ": address " + std::string(address) + " entered " +
            std::to_string(lines.size()) + " times");
    }
    std::vector<FolderEntry> entries;
    files.ListFolder(folder + "*", entries);
    for (const FolderEntry& entry : entries) {
        if (!entry.is_directory && !IsGroupsOwnFileName(entry.name) &&
            named.find(entry.name) == named.end()) {
            add("card file " + entry.name + " is named by no index line");
        }
    }
}

// Checks the group at `group_path` below `book_folder` and every group below it.
void CheckGroupTree(Files& files, const std::string& book, const std::string& book_folder,
                    const std::string& group_path, LeadBytePredicate is_lead_byte,
                    std::vector<BookFinding>& findings) {
    const std::string folder = book_folder + group_path + (group_path.empty() ? "" : "\\");
    CheckGroup(files, JoinGroupIdentifier({book, group_path}), folder, is_lead_byte, findings);
    for (const std::string& name : ListedFolders(files, folder + "*")) {
        CheckGroupTree(files, book, book_folder,
                       group_path.empty() ? name : group_path + "\\" + name, is_lead_byte,
                       findings);
    }
}

}  // namespace

std::vector<BookFinding> CheckAddressBook(Files& files, Profile& profile,
                                          const std::string& data_folder,
                                          LeadBytePredicate is_lead_byte) {
    std::vector<BookFinding> findings;
    const std::string root = AddressBookRoot(data_folder);
    for (const std::string& entry : ListedFolders(files, root + "\\@*")) {
        const std::string book = entry.substr(1);
        const std::string book_folder = ResolveBookFolder(profile, data_folder, book, is_lead_byte);
        CheckGroupTree(files, book, book_folder, std::string(), is_lead_byte, findings);
    }
    return findings;
}

std::string DescribeFinding(const BookFinding& finding) {
    return finding.group + ": " + finding.text;
}

}  // namespace tandrel
