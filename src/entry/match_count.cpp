#include "entry/match_count.h"

#include "mailbox/rule_runs.h"
#include "resources/string_table.h"
#include "text/format_text.h"

namespace tandrel {

void MatchCount::Restart(const std::string& header, const std::string& address) {
    *this = MatchCount();
    asked_ = true;
    header_ = header;
    address_ = address;
}

void MatchCount::Forget() {
    *this = MatchCount();
}

bool MatchCount::Slice(Host& host, const std::function<bool()>& time_is_up) {
    std::string message_id;
    while (!done_) {
        const int next = host.NextMail(position_, message_id);
        // A host that does not move on ends the folder: the count ends.
        if (next < 0 || next <= position_) {
            done_ = true;
            break;
        }
        position_ = next;
        ++messages_;
        if (MessageMatches(host.Header(message_id), header_, address_)) {
            ++matches_;
        }
        if (time_is_up()) {
            break;
        }
    }
    return done_;
}

std::string MatchCount::Text(Strings& strings, const std::string& folder_name) const {
    if (done_) {
        return FormatText(strings.Load(IDS_MATCHES_DONE),
                          {folder_name, std::to_string(matches_), std::to_string(messages_)});
    }
    return FormatText(strings.Load(IDS_MATCHES_SO_FAR), {folder_name, std::to_string(matches_)});
}

}  // namespace tandrel
