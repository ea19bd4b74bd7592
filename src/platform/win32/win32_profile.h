// Profile port over the system's private-profile functions (*A).
#pragma once

#include "platform/profile.h"

namespace tandrel {

class Win32Profile final : public Profile {
  public:
    std::string ReadString(const std::string& path, const std::string& section,
                           const std::string& key, const std::string& default_value,
                           std::size_t max_length) override;
    int ReadInt(const std::string& path, const std::string& section, const std::string& key,
                int default_value) override;
    bool WriteString(const std::string& path, const std::string& section, const std::string& key,
                     const std::string& value) override;
    bool WriteStrings(const std::string& path, const std::string& section,
                      const ProfileEntries& entries) override;
};

}  // namespace tandrel
