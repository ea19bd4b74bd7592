// Rules for names that become folders or files on Windows.
#pragma once

#include <string_view>

namespace tandrel {

// Tells whether a byte starts a double-byte character in the system's code
// page (Shift-JIS on a Japanese system); such a byte and the next one are one
// character, whatever the second byte is.
using LeadBytePredicate = bool (*)(unsigned char byte);

// Lead bytes of Shift-JIS (code page 932).
bool IsShiftJisLeadByte(unsigned char byte);

// Whether `name` is one plain folder or file name: not empty, not "." or "..",
// not ending in a blank or ".", without \ / : * ? " < > | or control
// characters, and not a device name such as CON or LPT1.
bool IsPlainFileName(std::string_view name, LeadBytePredicate is_lead_byte = nullptr);

}  // namespace tandrel
