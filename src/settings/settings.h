// Tandrel's own settings: section "Settings" of an INI file beside the library.
#pragma once

#include <string>

#include "platform/profile.h"
#include "text/characters.h"

namespace tandrel {

// One value per key, named after the key (InHeaders -> in_headers, ...).
struct Settings {
    std::string in_headers = "From:Sender:Reply-To:";  // header names for received mail
    std::string out_headers = "To:Cc:";                // header names for sent mail
    int add_place = 0;                                 // place mode of a new condition
    bool add_in_filter = true;
    bool add_out_filter = true;
    bool create_sub_dir = true;
    bool exec_filter = true;
    bool filter_inbox = true;
    bool filter_sent = true;
    bool filter_current = true;
    bool sort_by_date = true;
    bool delete_same_cond = false;
    bool add_adr_book = true;
    bool drop_shift = false;
    bool drop_ctrl = true;
    bool drop_alt = true;
    bool count_matches = true;  // the Rule entry dialog counts the mail a new rule matches
};

constexpr const char* kSettingsSection = "Settings";

// The library's file name with everything from the last "." of its file name
// on replaced by ".ini" (".ini" appended when the name has no ".").
std::string SettingsFilePath(const std::string& module_path, LeadBytePredicate is_lead_byte);

// Reads every key; a missing key takes its default, a flag counts as set when
// it is not 0. Header lists are read whole, whatever their length.
Settings LoadSettings(Profile& profile, const std::string& path);

// Writes all seventeen keys; true when every write succeeded.
bool SaveSettings(Profile& profile, const std::string& path, const Settings& settings);

}  // namespace tandrel
