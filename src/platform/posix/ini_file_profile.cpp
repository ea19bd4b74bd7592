#include "platform/posix/ini_file_profile.h"

#include "text/ini_text.h"

namespace tandrel {

namespace {

std::optional<std::string> LookUp(Files& files, const std::string& path, const std::string& section,
                                  const std::string& key) {
    std::string text;
    if (files.ReadFile(path, text) != ReadStatus::Ok) {
        return std::nullopt;
    }
    return FindIniValue(text, section, key);
}

}  // namespace

std::string IniFileProfile::ReadString(const std::string& path, const std::string& section,
                                       const std::string& key, const std::string& default_value,
                                       std::size_t max_length) {
    std::string value = LookUp(files_, path, section, key).value_or(default_value);
    if (value.size() > max_length) {
        value.resize(max_length);
    }
    return value;
}

int IniFileProfile::ReadInt(const std::string& path, const std::string& section,
                            const std::string& key, int default_value) {
    const auto value = LookUp(files_, path, section, key);
    if (!value || value->empty()) {
        return default_value;
    }
    return ParseProfileInt(*value);
}

bool IniFileProfile::WriteString(const std::string& path, const std::string& section,
                                 const std::string& key, const std::string& value) {
    return WriteStrings(path, section, {{key, value}});
}

bool IniFileProfile::WriteStrings(const std::string& path, const std::string& section,
                                  const ProfileEntries& entries) {
    std::string text;
    if (files_.ReadFile(path, text) == ReadStatus::Failed) {
        return false;  // never overwrite what could not be read
    }
    for (const auto& [key, value] : entries) {
        text = WithIniValue(text, section, key, value);
    }
    return files_.WriteAtomically(path, {text}, std::string());
}

}  // namespace tandrel
