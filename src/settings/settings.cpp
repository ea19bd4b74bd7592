#include "settings/settings.h"

#include <array>

namespace tandrel {

namespace {

// The keys of the flags in the order they are written, with their fields.
struct FlagKey {
    const char* key;
    bool Settings::*field;
};

constexpr std::array<FlagKey, 14> kFlagsInWrittenOrder = {{
    {"AddInFilter", &Settings::add_in_filter},
    {"AddOutFilter", &Settings::add_out_filter},
    {"CreateSubDir", &Settings::create_sub_dir},
    {"DeleteSameCond", &Settings::delete_same_cond},
    {"ExecFilter", &Settings::exec_filter},
    {"SortByDate", &Settings::sort_by_date},
    {"FilterCurrent", &Settings::filter_current},
    {"FilterSent", &Settings::filter_sent},
    {"FilterInbox", &Settings::filter_inbox},
    {"AddAdrBook", &Settings::add_adr_book},
    {"DropShift", &Settings::drop_shift},
    {"DropCtrl", &Settings::drop_ctrl},
    {"DropAlt", &Settings::drop_alt},
    {"CountMatches", &Settings::count_matches},
}};

}  // namespace

std::string SettingsFilePath(const std::string& module_path, LeadBytePredicate is_lead_byte) {
    const auto name_start = FindLastOf(module_path, "\\/", is_lead_byte);
    const auto dot = module_path.rfind('.');
    const bool dot_in_name =
        dot != std::string::npos && (name_start == std::string::npos || dot > name_start);
    return (dot_in_name ? module_path.substr(0, dot) : module_path) + ".ini";
}

Settings LoadSettings(Profile& profile, const std::string& path) {
    Settings settings;
    const auto text = [&](const char* key, const std::string& fallback) {
        return profile.ReadString(path, kSettingsSection, key, fallback, kWholeValue);
    };
    settings.in_headers = text("InHeaders", settings.in_headers);
    settings.out_headers = text("OutHeaders", settings.out_headers);
    settings.add_place = profile.ReadInt(path, kSettingsSection, "AddPlace", settings.add_place);
    for (const FlagKey& flag : kFlagsInWrittenOrder) {
        bool& value = settings.*flag.field;
        value = profile.ReadInt(path, kSettingsSection, flag.key, value ? 1 : 0) != 0;
    }
    return settings;
}

bool SaveSettings(Profile& profile, const std::string& path, const Settings& settings) {
    ProfileEntries entries = {
        {"InHeaders", settings.in_headers},
        {"OutHeaders", settings.out_headers},
        {"AddPlace", std::to_string(settings.add_place)},
    };
    for (const FlagKey& flag : kFlagsInWrittenOrder) {
        entries.emplace_back(flag.key, settings.*flag.field ? "1" : "0");
    }
    return profile.WriteStrings(path, kSettingsSection, entries);
}

}  // namespace tandrel
