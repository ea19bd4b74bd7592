#include "mailbox/rule_runs.h"

#include "mail/header_field.h"

namespace tandrel {

void RunRulesOnFolder(Host& host, const std::string& folder_id, const std::string& header,
                      const std::string& address) {
    constexpr std::size_t kHeaderLimit = 65535;
    host.SetCurrentFolder(folder_id);
    std::string message_id;
    std::string value;
    for (int position = host.NextMail(-1, message_id); position != -1;
         position = host.NextMail(position, message_id)) {
        std::string block = host.Header(message_id);
        if (block.size() > kHeaderLimit) {
            block.resize(kHeaderLimit);
        }
        if (FindHeaderField(block, header, value) && value.find(address) != std::string::npos) {
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
