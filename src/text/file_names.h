// Rules for names that become folders or files on Windows.
#pragma once

#include <string>
#include <string_view>

#include "text/characters.h"

namespace tandrel {

// Whether `name` is one plain folder or file name: not empty, not "." or "..",
// not ending in a blank or ".", without \ / : * ? " < > | or control
// characters, and not a device name such as CON or LPT1.
bool IsPlainFileName(std::string_view name, LeadBytePredicate is_lead_byte = nullptr);

// `name` made a plain file name, as the name of a folder proposed from mail:
// reserved and control characters become "_", a lone lead byte goes, final
// blanks and dots go, and a device name gets a "_" after its stem. Empty when nothing
// is left; otherwise IsPlainFileName holds.
std::string ToPlainFileName(std::string_view name, LeadBytePredicate is_lead_byte);

// Whether `path` is plain names joined by single "\": relative, without a
// drive, without an empty, "." or ".." name, so it cannot leave the folder it
// is appended to.
bool IsPlainPath(std::string_view path, LeadBytePredicate is_lead_byte);

}  // namespace tandrel
