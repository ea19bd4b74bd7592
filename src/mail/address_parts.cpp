#include "mail/address_parts.h"

#include <algorithm>

#include "mail/address_list.h"
#include "mail/encoded_words.h"
#include "text/file_names.h"
#include "text/one_line.h"

namespace tandrel {

namespace {

std::string Trimmed(std::string_view text) {
    std::string trimmed(text);
    TrimQuotesAndSpaces(trimmed);
    return trimmed;
}

bool IsBlankOrQuote(char c) {
    return c == ' ' || c == '"';
}

// The first "<" outside quoted strings and comments, and the first ">" after
// it; false when there is no such pair.
bool FindAngleAddress(std::string_view part, LeadBytePredicate is_lead_byte, std::size_t& open,
                      std::size_t& close) {
    MailTextState state;
    bool top_level = false;
    for (std::size_t i = 0; i < part.size();) {
        const std::size_t at = i;
        i += StepMailText(part, at, is_lead_byte, state, top_level);
        if (top_level && part[at] == '<') {
            open = at;
            close = FindCharacter(part, '>', is_lead_byte, at + 1);
            return close != std::string_view::npos;
        }
    }
    return false;
}

// The first comment outside quoted strings: its "(" and the ")" that closes
// it (comments nest, escapes count); false when there is none or it is not
// closed.
bool FindComment(std::string_view part, LeadBytePredicate is_lead_byte, std::size_t& open,
                 std::size_t& close) {
    MailTextState state;
    bool top_level = false;
    bool opened = false;
    for (std::size_t i = 0; i < part.size();) {
        const std::size_t at = i;
        const MailTextState before = state;
        i += StepMailText(part, at, is_lead_byte, state, top_level);
        if (!opened && !before.in_quotes && before.comment_depth == 0 && state.comment_depth == 1) {
            opened = true;
            open = at;
        } else if (opened && before.comment_depth == 1 && state.comment_depth == 0) {
            close = at;
            return true;
        }
    }
    return false;
}

// The plain rules' comment: the first "(", and the first ")" of the whole
// part when it comes after it; false otherwise.
bool FindPlainComment(std::string_view part, LeadBytePredicate is_lead_byte, std::size_t& open,
                      std::size_t& close) {
    open = FindCharacter(part, '(', is_lead_byte);
    close = FindCharacter(part, ')', is_lead_byte);
    return open != std::string_view::npos && close != std::string_view::npos && close > open;
}

// The angle address of a part whose quotes cannot be told: the last "<" that
// a ">" follows, and that ">", so that the address holds no "<" of a name.
bool FindPlainAngleAddress(std::string_view part, LeadBytePredicate is_lead_byte, std::size_t& open,
                           std::size_t& close) {
    const std::size_t last_close = FindLastCharacter(part, '>', is_lead_byte);
    if (last_close == std::string_view::npos) {
        return false;
    }
    open = FindLastCharacter(part.substr(0, last_close), '<', is_lead_byte);
    if (open == std::string_view::npos) {
        return false;
    }
    close = FindCharacter(part, '>', is_lead_byte, open + 1);
    return true;
}

// An address in angle brackets without blanks: a fold inside it left one.
std::string WithoutBlanks(std::string text) {
    text.erase(std::remove(text.begin(), text.end(), ' '), text.end());
    return text;
}

// The display name before "<": a name that is one quoted string is its
// content, each backslash pair standing for the character after the
// backslash, without blanks at its ends; any other loses its blanks and
// quotes at both ends.
std::string DisplayName(std::string_view text, LeadBytePredicate is_lead_byte) {
    const auto first = text.find_first_not_of(' ');
    const auto last = text.find_last_not_of(' ');
    if (first == std::string_view::npos || text[first] != '"' || last == first ||
        text[last] != '"') {
        return Trimmed(text);
    }
    std::string name;
    for (std::size_t i = first + 1; i < last;) {
        const std::size_t length = CharacterLengthAt(text, i, is_lead_byte);
        if (length == 1 && text[i] == '"') {
            return Trimmed(text);  // more than one quoted string
        }
        if (length == 1 && text[i] == '\\' && i + 1 < last) {
            ++i;
        }
        const std::size_t taken = CharacterLengthAt(text, i, is_lead_byte);
        name.append(text.substr(i, taken));
        i += taken;
    }
    return std::string(TrimBlanks(name));
}

// A name as the dialog proposes it: without control characters (mail may
// send any), without a lead byte that lacks its second byte, and without
// blanks at its ends.
std::string ProposedName(std::string_view name, LeadBytePredicate is_lead_byte) {
    std::string printable;
    printable.reserve(name.size());
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte != 0x7F) {
            printable += c;
        }
    }
    return std::string(TrimBlanks(WithoutLoneLeadBytes(printable, is_lead_byte)));
}

}  // namespace

void TrimQuotesAndSpaces(std::string& text) {
    std::size_t lead = 0;
    while (lead < text.size() && IsBlankOrQuote(text[lead])) {
        ++lead;
    }
    text.erase(0, lead);
    std::size_t end = text.size();
    while (end > 1 && IsBlankOrQuote(text[end - 1])) {
        --end;
    }
    text.resize(end);
}

NameAddress SplitNameAddress(std::string_view part, LeadBytePredicate is_lead_byte) {
    NameAddress result;
    if (part.empty()) {
        return result;
    }
    // A quote or comment that never closes hides nothing: the plain rules
    // then take the brackets where they stand.
    const bool closed = ForEachTopLevelCharacter(part, is_lead_byte, [](std::size_t) {});
    std::size_t open = 0;
    std::size_t close = 0;
    if (closed ? FindAngleAddress(part, is_lead_byte, open, close)
               : FindPlainAngleAddress(part, is_lead_byte, open, close)) {
        result.address = WithoutBlanks(Trimmed(part.substr(open + 1, close - open - 1)));
        result.name = closed ? DisplayName(part.substr(0, open), is_lead_byte)
                             : Trimmed(part.substr(0, open));
        return result;
    }
    if (closed ? FindComment(part, is_lead_byte, open, close)
               : FindPlainComment(part, is_lead_byte, open, close)) {
        result.name = Trimmed(part.substr(open + 1, close - open - 1));
        result.address = Trimmed(part.substr(0, open));
        return result;
    }
    result.address = Trimmed(part.substr(0, FindCharacter(part, ',', is_lead_byte)));
    const std::string_view address = result.address;
    const auto at = FindCharacter(address, '@', is_lead_byte);
    if (at != std::string::npos) {
        result.name = Trimmed(address.substr(0, at));
    } else if (!address.empty()) {
        result.name = Trimmed(CutAtCharacter(address, address.size() - 1, is_lead_byte));
    }
    return result;
}

std::string ProposedFolderName(const NameAddress& choice, LeadBytePredicate is_lead_byte) {
    std::string folder = ToPlainFileName(choice.name, is_lead_byte);
    if (folder.empty() && !choice.name.empty()) {
        const std::string_view address = choice.address;
        folder = ToPlainFileName(address.substr(0, FindCharacter(address, '@', is_lead_byte)),
                                 is_lead_byte);
    }
    return folder;
}

std::vector<NameAddress> AddressChoices(std::string_view header_value,
                                        LeadBytePredicate is_lead_byte, Charsets* charsets) {
    if (FindCharacter(header_value, '@', is_lead_byte) == std::string_view::npos) {
        return {NameAddress{std::string(), std::string(header_value)}};
    }
    const std::string unfolded = UnfoldHeaderValue(header_value);
    const std::vector<std::string_view> parts = SplitAddressList(unfolded, is_lead_byte);
    std::vector<NameAddress> choices;
    choices.reserve(parts.size());
    for (const std::string_view part : parts) {
        NameAddress choice = SplitNameAddress(part, is_lead_byte);
        if (charsets != nullptr) {
            choice.name = DecodeEncodedWords(choice.name, *charsets);
        }
        choice.name = ProposedName(choice.name, is_lead_byte);
        choices.push_back(std::move(choice));
    }
    return choices;
}

}  // namespace tandrel
