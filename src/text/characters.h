// Single-byte characters in texts of the host's code page. On a Japanese host
// (Shift-JIS) a lead byte and the byte after it are one character, and that
// second byte may have the code of "\", "|", "[" or "@": every scan of a name
// or path for such a character goes through these functions.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tandrel {

// Tells whether a byte starts a double-byte character in the host's code
// page; nullptr for a code page without double-byte characters.
using LeadBytePredicate = bool (*)(unsigned char byte);

// The predicate of a code page whose characters are all one byte.
constexpr LeadBytePredicate kNoLeadBytes = nullptr;

// Lead bytes of Shift-JIS (code page 932).
bool IsShiftJisLeadByte(unsigned char byte);

// Whether a byte can be the second byte of a double-byte character: in every
// double-byte code page of Windows it is 0x40 or above, and not 0x7F or 0xFF.
// A lead byte before any other byte stands alone: a character that is not
// one, which the scans read as two single bytes.
bool IsTrailByte(unsigned char byte);

// How many bytes the character at `at` has: 2 for a lead byte followed by a
// trail byte, else 1.
std::size_t CharacterLengthAt(std::string_view text, std::size_t at,
                              LeadBytePredicate is_lead_byte);

// The position of the first `wanted` at or after `from` that is a character
// of its own (not the second byte of a double-byte one), or npos.
std::size_t FindCharacter(std::string_view text, char wanted, LeadBytePredicate is_lead_byte,
                          std::size_t from = 0);

// The position of the last such `wanted`, or npos.
std::size_t FindLastCharacter(std::string_view text, char wanted, LeadBytePredicate is_lead_byte);

// The position of the last character that is one of `wanted`, or npos.
std::size_t FindLastOf(std::string_view text, std::string_view wanted,
                       LeadBytePredicate is_lead_byte);

// Whether the text's last character is `wanted` itself.
bool EndsWithCharacter(std::string_view text, char wanted, LeadBytePredicate is_lead_byte);

// The pieces between the characters `separator`, in order: "a\b\" gives
// "a", "b" and "".
std::vector<std::string_view> SplitAtCharacter(std::string_view text, char separator,
                                               LeadBytePredicate is_lead_byte);

// Every `from` that is a character of its own replaced by `to`.
std::string ReplaceCharacter(std::string_view text, char from, char to,
                             LeadBytePredicate is_lead_byte);

// The longest start of `text` of at most `limit` bytes that ends at a
// character's end, so that no double-byte character is cut in two.
std::string_view CutAtCharacter(std::string_view text, std::size_t limit,
                                LeadBytePredicate is_lead_byte);

// `text` without the lead bytes that no second byte follows: such a byte
// would take the next byte of a file (a tab, a line end) for its own.
std::string WithoutLoneLeadBytes(std::string_view text, LeadBytePredicate is_lead_byte);

// Whether `text` is well-formed UTF-8 (no overlong form, no surrogate, nothing
// beyond U+10FFFF) without C1 control characters (U+0080 to U+009F): what a
// conversion into UTF-8 may hand on as a name.
bool IsCleanUtf8(std::string_view text);

}  // namespace tandrel
