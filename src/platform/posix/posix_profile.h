// Profile port without the system's profile functions: INI text handled by
// this project's own reader and writer, over the Files port (so writes are
// atomic). Used on Linux and by the tests.
#pragma once

#include "platform/files.h"
#include "platform/profile.h"

namespace tandrel {

class PosixProfile final : public Profile {
  public:
    explicit PosixProfile(Files& files) : files_(files) {}

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
