// What the host's plug-in list and the Setup dialog show of the library.
#pragma once

#include <functional>
#include <optional>
#include <string>

namespace tandrel {

struct PluginInfo {
    std::string name = "Tandrel Plug-IN";
    std::string vendor = "Tandrel";
    std::string version = "Ver. 0.0.0.0";
    std::string description;
    std::string copyright = "Copyright (C) 2026 Tandrel";
};

// Looks one key of the library's version strings up ("ProductName", ...).
using VersionLookup = std::function<std::optional<std::string>(const std::string& key)>;

// The defaults, each replaced by its version string when there is one; the
// version is shown as "Ver. " and the product version.
PluginInfo ReadPluginInfo(const VersionLookup& lookup);

// The info as the shipped version resource gives it.
PluginInfo ShippedPluginInfo();

}  // namespace tandrel
