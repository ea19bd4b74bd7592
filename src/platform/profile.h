// Profile port: keys of INI files, read and written the way the system's
// private-profile functions do it (section and key names without regard to
// case, values trimmed).
#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

namespace tandrel {

// Read a value whatever its length.
constexpr std::size_t kWholeValue = static_cast<std::size_t>(-1);

using ProfileEntries = std::vector<std::pair<std::string, std::string>>;

class Profile {
  public:
    virtual ~Profile() = default;

    // The value of `key` in `section` of the INI file at `path`, cut to
    // `max_length` characters; `default_value` when the file or key is missing.
    virtual std::string ReadString(const std::string& path, const std::string& section,
                                   const std::string& key, const std::string& default_value,
                                   std::size_t max_length) = 0;

    // The value read as an integer: blanks, a sign, decimal digits (or "0x"
    // and hexadecimal ones) up to the first other character; 0 when no digit
    // comes first, `default_value` when the key is missing or empty.
    virtual int ReadInt(const std::string& path, const std::string& section, const std::string& key,
                        int default_value) = 0;

    // Sets one key; a missing file, section or key is added.
    virtual bool WriteString(const std::string& path, const std::string& section,
                             const std::string& key, const std::string& value) = 0;

    // Sets several keys of one section, in order.
    virtual bool WriteStrings(const std::string& path, const std::string& section,
                              const ProfileEntries& entries) = 0;
};

}  // namespace tandrel
