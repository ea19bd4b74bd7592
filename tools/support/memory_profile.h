// An in-memory profile: the project's own INI reader and writer over an
// in-memory file system, so tests see the same semantics as the Linux
// adapter and can look at, or fail, the files underneath.
#pragma once

#include "platform/posix/ini_file_profile.h"
#include "support/memory_files.h"

namespace tandrel::testing {

class MemoryProfile final : public Profile {
  public:
    explicit MemoryProfile(LeadBytePredicate is_lead_byte = kNoLeadBytes) : files_(is_lead_byte) {}
    MemoryProfile(const MemoryProfile&) = delete;  // the profile refers to these files
    MemoryProfile& operator=(const MemoryProfile&) = delete;

    MemoryFiles& files() { return files_; }

    std::string ReadString(const std::string& path, const std::string& section,
                           const std::string& key, const std::string& default_value,
                           std::size_t max_length) override {
        return profile_.ReadString(path, section, key, default_value, max_length);
    }
    int ReadInt(const std::string& path, const std::string& section, const std::string& key,
                int default_value) override {
        return profile_.ReadInt(path, section, key, default_value);
    }
    bool WriteString(const std::string& path, const std::string& section, const std::string& key,
                     const std::string& value) override {
        return profile_.WriteString(path, section, key, value);
    }
    bool WriteStrings(const std::string& path, const std::string& section,
                      const ProfileEntries& entries) override {
        return profile_.WriteStrings(path, section, entries);
    }

  private:
    MemoryFiles files_;
    IniFileProfile profile_{files_};
};

}  // namespace tandrel::testing
