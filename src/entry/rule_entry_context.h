// What one run of the Rule entry dialog works with: the ports, the settings
// and the drop.
#pragma once

#include <chrono>
#include <string>

#include "platform/charsets.h"
#include "platform/files.h"
#include "platform/host.h"
#include "platform/profile.h"
#include "platform/strings.h"
#include "settings/settings.h"
#include "text/characters.h"

namespace tandrel {

// What one run of the dialog works with.
struct RuleEntryContext {
    Host& host;
    Files& files;
    Profile& profile;
    Strings& strings;
    const Settings& settings;
    std::string drop_target;                 // folder identifier of the folder dropped on
    std::string drop_source;                 // identifier of the dropped message
    LeadBytePredicate lead_bytes = nullptr;  // the system code page's, for names
    Charsets* charsets = nullptr;            // for encoded display names; none: kept as sent
    // The clock the count of matching mail cuts its slices by.
    std::chrono::steady_clock::time_point (*now)() = &std::chrono::steady_clock::now;
};

}  // namespace tandrel
