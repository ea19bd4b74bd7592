#include "settings/plugin_info.h"

#include "resources/version.h"

namespace tandrel {

PluginInfo ReadPluginInfo(const VersionLookup& lookup) {
    PluginInfo info;
    if (auto value = lookup("ProductName")) {
        info.name = *value;
    }
    if (auto value = lookup("CompanyName")) {
        info.vendor = *value;
    }
    if (auto value = lookup("ProductVersion")) {
        info.version = "Ver. " + *value;
    }
    if (auto value = lookup("FileDescription")) {
        info.description = *value;
    }
    if (auto value = lookup("LegalCopyright")) {
        info.copyright = *value;
    }
    return info;
}

PluginInfo ShippedPluginInfo() {
    return ReadPluginInfo([](const std::string& key) -> std::optional<std::string> {
        if (key == "ProductName") {
            return TANDREL_PRODUCT_NAME;
        }
        if (key == "CompanyName") {
            return TANDREL_COMPANY_NAME;
        }
        if (key == "ProductVersion") {
            return TANDREL_VERSION_TEXT;
        }
        if (key == "FileDescription") {
            return TANDREL_DESCRIPTION;
        }
        if (key == "LegalCopyright") {
            return TANDREL_COPYRIGHT;
        }
        return std::nullopt;
    });
}

}  // namespace tandrel
