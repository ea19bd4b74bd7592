#include "mailbox/rule_runs.h"

#include "mail/header_field.h"

namespace tandrel {

bool MessageMatches(std::string_view block, const std::string& header, const std::string& address) {
    constexpr std::size_t kHeaderLimit = 65535;
    std::string value;
    return FindHeaderField(block.substr(0, kHeaderLimit), header, value) &&
           value.find(address) != std::string::npos;
}

void RunRulesOnFolder(Host& host, const std::string& folder_id, const std::string& header,
                      const std::string& address) {
    host.SetCurrentFolder(folder_id);
    std::string message_id;
    for (int position = host.NextMail(-1, message_id); position != -1;
         position = host.NextMail(position, message_id)) {
        if (MessageMatches(host.Header(message_id), header, address)) {
            host.AddToSelection(message_id);
        }
    }
    host.RunRulesOnSelection();
}

void SortFolderByDate(Host& host, const std::string& folder_id) {
    host.SetCurrentFolder(folder_id);
    host.SortByDate();
}

}  // namespace tandrel
