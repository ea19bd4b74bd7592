#include "mail/address_list.h"

namespace tandrel {

namespace {

bool IsBlankText(std::string_view text) {
    return text.find_first_not_of(' ') == std::string_view::npos;
}

// Where the parts of the list are, as the scan goes.
class PartCollector {
  public:
    explicit PartCollector(std::string_view value) : value_(value) {}

    // The part from the last start up to `end` ends; the next starts after it.
    void EndPart(std::size_t end, bool in_group) {
        const std::string_view part = value_.substr(start_, end - start_);
        // Inside a group, and right after one, a blank part is no part.
        if (!((in_group || after_group_) && IsBlankText(part))) {
            parts_.push_back(part);
        }
        after_group_ = false;
        start_ = end + 1;
    }
    void StartGroupMembers(std::size_t colon) { start_ = colon + 1; }
    void EndGroup(std::size_t semicolon) {
        EndPart(semicolon, true);
        after_group_ = true;
    }
    std::vector<std::string_view> Finish(bool in_group) {
        EndPart(value_.size(), in_group);
        return std::move(parts_);
    }

  private:
    std::string_view value_;
    std::vector<std::string_view> parts_;
    std::size_t start_ = 0;
    bool after_group_ = false;
};

}  // namespace

std::size_t StepMailText(std::string_view text, std::size_t at, LeadBytePredicate is_lead_byte,
                         MailTextState& state, bool& top_level) {
    const std::size_t length = CharacterLengthAt(text, at, is_lead_byte);
    const bool inside = state.in_quotes || state.comment_depth > 0;
    top_level = false;
    if (length == 2) {
        top_level = !inside;  // a double-byte character is none of the marks
        return 2;
    }
    const char c = text[at];
    if (inside && c == '\\' && at + 1 < text.size()) {
        return 1 + CharacterLengthAt(text, at + 1, is_lead_byte);
    }
    if (state.in_quotes) {
        state.in_quotes = c != '"';
    } else if (state.comment_depth > 0) {
        state.comment_depth += c == '(' ? 1 : c == ')' ? -1 : 0;
    } else if (c == '"') {
        state.in_quotes = true;
    } else if (c == '(') {
        state.comment_depth = 1;
    } else {
        top_level = true;
    }
    return 1;
}

bool ForEachTopLevelCharacter(std::string_view text, LeadBytePredicate is_lead_byte,
                              const std::function<void(std::size_t)>& visit) {
    MailTextState state;
    bool in_brackets = false;
    bool top_level = false;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t at = i;
        i += StepMailText(text, at, is_lead_byte, state, top_level);
        if (!top_level) {
            continue;
        }
        if (in_brackets) {
            in_brackets = text[at] != '>';
            continue;
        }
        if (text[at] == '<') {
            in_brackets = true;
        }
        visit(at);
    }
    return !state.in_quotes && state.comment_depth == 0 && !in_brackets;
}

std::string UnfoldHeaderValue(std::string_view value) {
    std::string unfolded;
    unfolded.reserve(value.size());
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '\r' && i + 2 < value.size() && value[i + 1] == '\n' &&
            (value[i + 2] == ' ' || value[i + 2] == '\t')) {
            ++i;  // the CR LF goes; the blank or tab after it stays
            continue;
        }
        unfolded += value[i] == '\t' ? ' ' : value[i];
    }
    return unfolded;
}

std::vector<std::string_view> SplitAddressList(std::string_view value,
                                               LeadBytePredicate is_lead_byte) {
    // Where a ";" stands last outside quotes, comments and brackets: a colon
    // opens a group only when one comes after it to close it.
    std::size_t last_semicolon = std::string_view::npos;
    const bool closed = ForEachTopLevelCharacter(value, is_lead_byte, [&](std::size_t at) {
        if (value[at] == ';') {
            last_semicolon = at;
        }
    });
    if (!closed) {
        // A quote, comment or bracket that never closes would swallow the
        // rest: every comma splits, as if the value held none of them.
        return SplitAtCharacter(value, ',', is_lead_byte);
    }
    PartCollector parts(value);
    bool in_group = false;
    bool address_seen = false;  // an "@" or "<" in the part so far, outside quotes
    ForEachTopLevelCharacter(value, is_lead_byte, [&](std::size_t at) {
        switch (value[at]) {
            case '<':
            case '@':
                address_seen = true;
                break;
            case ':':
                // "Name:" before any address opens a group of the addresses
                // after it, up to the ";" that closes it.
                if (!in_group && !address_seen && last_semicolon != std::string_view::npos &&
                    last_semicolon > at) {
                    in_group = true;
                    parts.StartGroupMembers(at);
                }
                break;
            case ';':
                if (in_group) {
                    parts.EndGroup(at);
                    in_group = false;
                    address_seen = false;
                }
                break;
            case ',':
                parts.EndPart(at, in_group);
                address_seen = false;
                break;
            default:
                break;
        }
    });
    return parts.Finish(in_group);
}

}  // namespace tandrel
