#include "entry/sorted_into_line.h"

#include <array>
#include <map>
#include <vector>

#include "resources/string_table.h"
#include "text/format_text.h"
#include "text/one_line.h"

namespace tandrel {

namespace {

// The most places the line names; the rest it counts.
constexpr std::size_t kNamedPlaces = 5;

// A place the line names: a folder, in the received or the sent rules.
struct Place {
    std::string_view folder;
    bool received = false;
};

}  // namespace

OpenedRules OpenRules(Files& files, const std::string& path) {
    OpenedRules opened;
    std::string text;
    // Read as OK reads it: a file the host reads otherwise (a line it reads
    // as two, a Ctrl-Z before the end) is one OK refuses.
    HostLineCheck line_check;
    if (const auto size = files.FileSize(path)) {
        text.reserve(static_cast<std::size_t>(*size));
    }
    const ReadStatus status = files.ReadFileInPieces(path, [&](std::string_view piece) {
        text += piece;
        line_check.Take(piece);
    });
    if (status == ReadStatus::Failed || (status == ReadStatus::Ok && !line_check.fits())) {
        opened.unreadable = true;
    } else if (status == ReadStatus::Ok) {
        opened.lookup = std::make_unique<RuleConditionLookup>(std::move(text));
    }
    return opened;
}

SortedIntoQuery SortedIntoQueryFor(const RuleRequest& request, const std::string& drop_target,
                                   LeadBytePredicate is_lead_byte) {
    SortedIntoQuery query;
    query.receiving = request.receiving;
    query.sending = request.sending;
    if (!CheckCondition(request)) {
        query.receiving_header = request.receiving_header;
        query.sending_header = request.sending_header;
        query.address = request.address;
    }
    query.target = RuleTarget(request, drop_target, is_lead_byte);
    query.delete_same = request.delete_same;
    return query;
}

std::string SortedIntoLine(const SortedIntoQuery& query, const OpenedRules& received,
                           const OpenedRules& sent, Host& host, Strings& strings,
                           const std::function<bool(const std::string&)>& fits) {
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
    // The places in today's order, the first few named, the others counted
    // from the index alone.
    std::vector<Place> named;
    std::size_t places = 0;
    std::array<std::size_t, 2> in_file{};
    for (const File& file : files) {
        if (!file.written || !file.rules.lookup || TrimBlanks(file.header).empty()) {
            continue;
        }
        const RuleConditionLookup& lookup = *file.rules.lookup;
        // Delete-same keeps the condition in the rule's own target.
        const bool target_left_out =
            query.delete_same && lookup.Holds(file.header, query.address, query.target);
        const ConditionPlaces found = lookup.Places(
            file.header, query.address, kNamedPlaces - named.size() + (target_left_out ? 1 : 0));
        const std::size_t count = found.count - (target_left_out ? 1 : 0);
        in_file[file.received ? 0 : 1] = count;
        places += count;
        for (const std::string_view folder : found.first) {
            if (named.size() < kNamedPlaces && !(target_left_out && folder == query.target)) {
                named.push_back({folder, file.received});
            }
        }
    }
    if (places == 0) {
        return std::string();
    }
    const bool both_files = in_file[0] > 0 && in_file[1] > 0;
    // The host's names of the places named, and of the target among them; a
    // name two of them share gives way to their identifiers.
    std::map<std::string_view, std::string> names;
    for (const Place& place : named) {
        if (names.count(place.folder) == 0) {
            names.emplace(place.folder, host.FolderDisplayName(std::string(place.folder)));
        }
    }
    const auto line = [&](std::size_t shown) {
        std::map<std::string_view, int> sharing;
        std::map<std::string_view, bool> counted;
        for (std::size_t i = 0; i < shown; ++i) {
            if (!counted[named[i].folder]) {
                counted[named[i].folder] = true;
                ++sharing[names[named[i].folder]];
            }
        }
        std::string list;
        for (std::size_t i = 0; i < shown; ++i) {
            const Place& place = named[i];
            const std::string& name = names[place.folder];
            // Escaped: a control character from a file must not act in the
            // control (a NUL would end its text).
            std::string text = place.folder == query.target
                                   ? strings.Load(IDS_SORTED_INTO_THIS_FOLDER)
                               : name.empty() || sharing[name] > 1 ? ShownText(place.folder)
                                                                   : ShownText(name);
            if (both_files) {
                text = FormatText(
                    strings.Load(place.received ? IDS_SORTED_INTO_RECEIVED : IDS_SORTED_INTO_SENT),
                    {text});
            }
            list += (list.empty() ? "" : ", ") + text;
        }
        if (places > shown) {
            const std::string more =
                FormatText(strings.Load(IDS_SORTED_INTO_MORE), {std::to_string(places - shown)});
            list += list.empty() ? std::string(TrimBlanks(more)) : more;
        }
        return FormatText(
            strings.Load(query.delete_same ? IDS_SORTED_INTO_MOVES_FROM : IDS_SORTED_INTO_ALREADY),
            {list});
    };
    // Where the control cannot show it all, one place fewer is named, so no
    // place is cut off unseen; at the least, how many there are.
    std::size_t shown = named.size();
    std::string text = line(shown);
    while (shown > 0 && !fits(text)) {
        text = line(--shown);
    }
    return text;
}

}  // namespace tandrel
