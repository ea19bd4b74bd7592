// Running the host's rules over the stored mail that a new rule matches, and
// sorting a folder by date. The host does the moving and sorting.
#pragma once

#include <string>

#include "platform/host.h"

namespace tandrel {

// Makes `folder_id` current, selects each message whose `header` field holds
// `address` (case-sensitive), and runs the host's rules on the selection.
void RunRulesOnFolder(Host& host, const std::string& folder_id, const std::string& header,
                      const std::string& address);

void SortFolderByDate(Host& host, const std::string& folder_id);

}  // namespace tandrel
