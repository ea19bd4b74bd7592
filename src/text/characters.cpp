#include "text/characters.h"

#include <array>
#include <cstdint>

namespace tandrel {

namespace {

// Calls `visit(position)` for the first byte of every character, in order,
// until it returns false.
template <typename Visit>
void ForEachCharacter(std::string_view text, LeadBytePredicate is_lead_byte, std::size_t from,
                      Visit visit) {
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = CharacterLengthAt(text, i, is_lead_byte);
        if (i >= from && !visit(i)) {
            return;
        }
        i += length;
    }
}

}  // namespace

std::size_t CharacterLengthAt(std::string_view text, std::size_t at,
                              LeadBytePredicate is_lead_byte) {
    const bool double_byte = is_lead_byte != nullptr && at + 1 < text.size() &&
                             is_lead_byte(static_cast<unsigned char>(text[at])) &&
                             IsTrailByte(static_cast<unsigned char>(text[at + 1]));
    return double_byte ? 2 : 1;
}

bool IsShiftJisLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

bool IsTrailByte(unsigned char byte) {
    return byte >= 0x40 && byte != 0x7F && byte != 0xFF;
}

std::size_t FindCharacter(std::string_view text, char wanted, LeadBytePredicate is_lead_byte,
                          std::size_t from) {
    if (is_lead_byte == nullptr) {
        return text.find(wanted, from);
    }
    std::size_t found = std::string_view::npos;
    ForEachCharacter(text, is_lead_byte, from, [&](std::size_t at) {
        if (text[at] != wanted) {
            return true;
        }
        found = at;
        return false;
    });
    return found;
}

std::size_t FindLastCharacter(std::string_view text, char wanted, LeadBytePredicate is_lead_byte) {
    return FindLastOf(text, std::string_view(&wanted, 1), is_lead_byte);
}

std::size_t FindLastOf(std::string_view text, std::string_view wanted,
                       LeadBytePredicate is_lead_byte) {
    if (is_lead_byte == nullptr) {
        return text.find_last_of(wanted);
    }
    std::size_t found = std::string_view::npos;
    ForEachCharacter(text, is_lead_byte, 0, [&](std::size_t at) {
        if (wanted.find(text[at]) != std::string_view::npos) {
            found = at;
        }
        return true;
    });
    return found;
}

bool EndsWithCharacter(std::string_view text, char wanted, LeadBytePredicate is_lead_byte) {
    return !text.empty() && FindLastCharacter(text, wanted, is_lead_byte) == text.size() - 1;
}

std::vector<std::string_view> SplitAtCharacter(std::string_view text, char separator,
                                               LeadBytePredicate is_lead_byte) {
    std::vector<std::string_view> pieces;
    std::size_t start = 0;
    ForEachCharacter(text, is_lead_byte, 0, [&](std::size_t at) {
        if (text[at] == separator) {
            pieces.push_back(text.substr(start, at - start));
            start = at + 1;
        }
        return true;
    });
    pieces.push_back(text.substr(start));
    return pieces;
}

std::string ReplaceCharacter(std::string_view text, char from, char to,
                             LeadBytePredicate is_lead_byte) {
    std::string replaced(text);
    ForEachCharacter(text, is_lead_byte, 0, [&](std::size_t at) {
        if (replaced[at] == from) {
            replaced[at] = to;
        }
        return true;
    });
    return replaced;
}

std::string_view CutAtCharacter(std::string_view text, std::size_t limit,
                                LeadBytePredicate is_lead_byte) {
    if (text.size() <= limit) {
        return text;
    }
    std::size_t end = 0;
    ForEachCharacter(text, is_lead_byte, 0, [&](std::size_t at) {
        const bool double_byte = is_lead_byte != nullptr && at + 1 < text.size() &&
                                 is_lead_byte(static_cast<unsigned char>(text[at])) &&
                                 IsTrailByte(static_cast<unsigned char>(text[at + 1]));
        const std::size_t next = at + (double_byte ? 2 : 1);
        if (next > limit) {
            return false;
        }
        end = next;
        return true;
    });
    return text.substr(0, end);
}

std::string WithoutLoneLeadBytes(std::string_view text, LeadBytePredicate is_lead_byte) {
    std::string kept;
    kept.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = CharacterLengthAt(text, i, is_lead_byte);
        if (length == 2 || is_lead_byte == nullptr ||
            !is_lead_byte(static_cast<unsigned char>(text[i]))) {
            kept.append(text.substr(i, length));
        }
        i += length;
    }
    return kept;
}

bool IsCleanUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        if (lead < 0x80) {
            ++i;
            continue;
        }
        // The length a lead byte gives, and the least code point of that length.
        const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
        if (length == 0 || lead > 0xF4 || i + length > text.size()) {
            return false;
        }
        std::uint32_t code_point = lead & (0x7FU >> length);
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0U) != 0x80U) {
                return false;
            }
            code_point = (code_point << 6U) | (next & 0x3FU);
        }
        constexpr std::array<std::uint32_t, 5> kLeast = {0, 0, 0x80, 0x800, 0x10000};
        if (code_point < kLeast[length] || code_point > 0x10FFFF ||
            (code_point >= 0xD800 && code_point <= 0xDFFF) || code_point <= 0x9F) {
            return false;
        }
        i += length;
    }
    return true;
}

}  // namespace tandrel
