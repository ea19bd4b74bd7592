#include "setup/host_folder_naming.h"

#include "resources/string_table.h"
#include "text/format_text.h"

namespace tandrel {

FolderNaming FoldersAsTheHostShowsThem(Host& host, Strings& strings) {
    return FoldersByDisplayName(
        [&host](const std::string& folder) { return host.FolderDisplayName(folder); },
        [&strings](std::size_t more) {
            return FormatText(strings.Load(IDS_SORTED_INTO_MORE), {std::to_string(more)});
        });
}

}  // namespace tandrel
