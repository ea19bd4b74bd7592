// Running the host's rules over the stored mail that a new rule matches, and
// sorting a folder by date. The host does the moving and sorting.
#pragma once

#include <string>
#include <string_view>

#include "platform/host.h"

namespace tandrel {

// Whether a message whose header block is `block` is one the run selects:
// its `header` field holds `address` (case-sensitive), the block read as far
// as the host hands it over (65535 bytes). The count of matching mail in the
// Rule entry dialog decides with it too.
bool MessageMatches(std::string_view block, const std::string& header, const std::string& address);

// Makes `folder_id` current, selects each message that MessageMatches, and
// runs the host's rules on the selection.
void RunRulesOnFolder(Host& host, const std::string& folder_id, const std::string& header,
                      const std::string& address);

void SortFolderByDate(Host& host, const std::string& folder_id);

}  // namespace tandrel
