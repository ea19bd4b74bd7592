#include "platform/strings.h"

#include <array>
#include <utility>

#include "resources/string_table.h"

namespace tandrel {

std::string BuiltinStrings::Load(int id) {
    static constexpr std::array<std::pair<int, const char*>, 26> kTable = {{
        {IDS_PLACE_END_OF_FOLDER, TEXT_PLACE_END_OF_FOLDER},
        {IDS_PLACE_TOP_OF_FOLDER, TEXT_PLACE_TOP_OF_FOLDER},
        {IDS_PLACE_NEW_BLOCK_LAST, TEXT_PLACE_NEW_BLOCK_LAST},
        {IDS_PLACE_NEW_BLOCK_FIRST, TEXT_PLACE_NEW_BLOCK_FIRST},
        {IDS_VERSION_PREFIX, TEXT_VERSION_PREFIX},
        {IDS_TITLE_RECEIVED, TEXT_TITLE_RECEIVED},
        {IDS_TITLE_SENT, TEXT_TITLE_SENT},
        {IDS_PLUGIN_INFO, TEXT_PLUGIN_INFO},
        {IDS_DUPLICATE_ADDRESS, TEXT_DUPLICATE_ADDRESS},
        {IDS_NO_SUBFOLDER_NAME, TEXT_NO_SUBFOLDER_NAME},
        {IDS_SUBFOLDER_EXISTS, TEXT_SUBFOLDER_EXISTS},
        {IDS_TRASH_SUBFOLDER, TEXT_TRASH_SUBFOLDER},
        {IDS_DUPLICATE_GROUP, TEXT_DUPLICATE_GROUP},
        {IDS_GROUP_MISSING, TEXT_GROUP_MISSING},
        {IDS_ADDRESS_NOT_WRITTEN, TEXT_ADDRESS_NOT_WRITTEN},
        {IDS_GROUP_NOT_WRITTEN, TEXT_GROUP_NOT_WRITTEN},
        {IDS_INVALID_GROUP_NAME, TEXT_INVALID_GROUP_NAME},
        {IDS_NO_ADDRESS, TEXT_NO_ADDRESS},
        {IDS_BAD_HEADER_NAME, TEXT_BAD_HEADER_NAME},
        {IDS_BAD_SUBFOLDER_NAME, TEXT_BAD_SUBFOLDER_NAME},
        {IDS_RULES_NOT_WRITTEN, TEXT_RULES_NOT_WRITTEN},
        {IDS_SETTINGS_NOT_WRITTEN, TEXT_SETTINGS_NOT_WRITTEN},
        {IDS_FOLDER_SETTINGS_NOT_WRITTEN, TEXT_FOLDER_SETTINGS_NOT_WRITTEN},
        {IDS_RUN_CURRENT, TEXT_RUN_CURRENT},
        {IDS_RUN_INBOX, TEXT_RUN_INBOX},
        {IDS_RUN_SENT, TEXT_RUN_SENT},
    }};
    for (const auto& [entry_id, text] : kTable) {
        if (entry_id == id) {
            return text;
        }
    }
    return std::string();
}

}  // namespace tandrel
