// The Profile port as INI files read and written by this project's own INI
// text rules, over the Files port (so writes are atomic): no system profile
// function. Used on Linux, by the command-line tool and by the tests.
#pragma once

#include "platform/files.h"
#include "platform/profile.h"

namespace tandrel {

class IniFileProfile final : public Profile {
  public:
    explicit IniFileProfile(Files& files) : files_(files) {}

    std::string ReadString(const std::string& path, const std::string& section,
                           const std::string& key, const std::string& default_value,
                           std::size_t max_length) override;
    int ReadInt(const std::string& path, const std::string& section, const std::string& key,
                int default_value) override;
    bool WriteString(const std::string& path, const std::string& section, const std::string& key,
                     const std::string& value) override;
    bool WriteStrings(const std::string& path, const std::string& section,
                      const ProfileEntries& entries) override;

  private:
    Files& files_;
};

}  // namespace tandrel
