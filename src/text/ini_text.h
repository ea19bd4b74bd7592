// The text of an INI file, looked up and changed the way the system's
// private-profile functions do it. Lines end with LF or CR LF.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tandrel {

// The value of the first `key` in the first section named `section` (names
// compared without regard to ASCII case, after trimming blanks; a later
// section of the same name is not looked at, as by the system's functions),
// trimmed and with one pair of surrounding quotes removed. nullopt when there
// is no such key.
std::optional<std::string> FindIniValue(std::string_view text, std::string_view section,
                                        std::string_view key);

// `text` with `key` set to `value`: the key's line is rewritten, a missing key
// is added after the last line of its section, a missing section at the end.
// Every other line stays as it was; new lines end with CR LF.
std::string WithIniValue(std::string_view text, std::string_view section, std::string_view key,
                         std::string_view value);

// An integer value as the system reads it: blanks, a sign, then decimal
// digits or "0x" and hexadecimal ones, up to the first other character.
int ParseProfileInt(std::string_view value);

}  // namespace tandrel
