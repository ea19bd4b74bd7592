#include "entry/sorted_into_line.h"

#include <array>
#include <map>
#include <vector>

#include "resources/string_table.h"
#include "text/format_text.h"
#include "text/one_line.h"

namespace tandrel {

namespace {

struct Listed {
    std::string folder;
    bool received;
};

}  // namespace

OpenedRules OpenRules(Files& files, const std::string& path) {
    OpenedRules opened;
    std::string text;
    const ReadStatus status = files.ReadFile(path, text);
    if (status == ReadStatus::Failed) {
        opened.unreadable = true;
    } else if (status == ReadStatus::Ok) {
        opened.lookup = std::make_unique<RuleConditionLookup>(std::move(text));
    }
    return opened;
}

std::string SortedIntoLine(const SortedIntoQuery& query, const OpenedRules& received,
                           const OpenedRules& sent, Host& host, Strings& strings) {
    struct File {
        bool written;
        const OpenedRules& rules;
        const std::string& header;
        bool received;
    };
    const std::array<File, 2> files = {{{query.receiving, received, query.receiving_header, true},
                                        {query.sending, sent, query.sending_header, false}}};
    for (const File& file : files) {
        if (file.written && file.rules.unreadable) {
            return strings.Load(IDS_SORTED_INTO_UNREADABLE);
        }
    }
    if (TrimBlanks(query.address).empty()) {
        return std::string();
    }
    std::vector<Listed> listed;
    bool from_received = false;
    bool from_sent = false;
    for (const File& file : files) {
        if (!file.written || !file.rules.lookup || TrimBlanks(file.header).empty()) {
            continue;
        }
        for (std::string& folder : file.rules.lookup->FoldersHolding(file.header, query.address)) {
            if (query.delete_same && folder == query.target) {
                continue;
            }
            (file.received ? from_received : from_sent) = true;
            listed.push_back({std::move(folder), file.received});
        }
    }
    if (listed.empty()) {
        return std::string();
    }
    // The host's names of the folders listed; a name two folders share
    // gives way to their identifiers.
    std::map<std::string, std::string> names;
    std::map<std::string, int> folders_named;
    for (const Listed& entry : listed) {
        if (entry.folder != query.target && names.count(entry.folder) == 0) {
            std::string name = host.FolderDisplayName(entry.folder);
            ++folders_named[name];
            names.emplace(entry.folder, std::move(name));
        }
    }
    const bool both_files = from_received && from_sent;
    std::string list;
    for (const Listed& entry : listed) {
        std::string shown;
        if (entry.folder == query.target) {
            shown = strings.Load(IDS_SORTED_INTO_THIS_FOLDER);
        } else {
            const std::string& name = names[entry.folder];
            shown = name.empty() || folders_named[name] > 1 ? entry.folder : name;
        }
        if (both_files) {
            shown = FormatText(
                strings.Load(entry.received ? IDS_SORTED_INTO_RECEIVED : IDS_SORTED_INTO_SENT),
                {shown});
        }
        list += (list.empty() ? "" : ", ") + shown;
    }
    return FormatText(
        strings.Load(query.delete_same ? IDS_SORTED_INTO_MOVES_FROM : IDS_SORTED_INTO_ALREADY),
        {list});
}

}  // namespace tandrel
