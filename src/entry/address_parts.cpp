#include "entry/address_parts.h"

#include <algorithm>

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

// Whether `open` occurs and the first `close` stands after the first `open`.
bool Encloses(std::string_view part, char open, char close, std::size_t& open_at,
              std::size_t& close_at) {
    open_at = part.find(open);
    close_at = part.find(close);
    return open_at != std::string_view::npos && close_at != std::string_view::npos &&
           close_at > open_at;
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

NameAddress SplitNameAddress(std::string_view part) {
    NameAddress result;
    if (part.empty()) {
        return result;
    }
    std::size_t open = 0;
    std::size_t close = 0;
    if (Encloses(part, '<', '>', open, close)) {
        result.address = Trimmed(part.substr(open + 1, close - open - 1));
        result.name = Trimmed(part.substr(0, open));
        return result;
    }
    if (Encloses(part, '(', ')', open, close)) {
        result.name = Trimmed(part.substr(open + 1, close - open - 1));
        result.address = Trimmed(part.substr(0, open));
        return result;
    }
    result.address = Trimmed(part.substr(0, part.find(',')));
    const auto at = result.address.find('@');
    if (at != std::string::npos) {
        result.name = Trimmed(std::string_view(result.address).substr(0, at));
    } else if (!result.address.empty()) {
        result.name =
            Trimmed(std::string_view(result.address).substr(0, result.address.size() - 1));
    }
    return result;
}

std::vector<NameAddress> AddressChoices(std::string_view header_value) {
    if (header_value.find('@') == std::string_view::npos) {
        return {NameAddress{std::string(), std::string(header_value)}};
    }
    std::vector<NameAddress> choices;
    choices.reserve(
        static_cast<std::size_t>(std::count(header_value.begin(), header_value.end(), ',')) + 1);
    std::size_t start = 0;
    for (;;) {
        const auto comma = header_value.find(',', start);
        const std::string_view part = header_value.substr(
            start, comma == std::string_view::npos ? std::string_view::npos : comma - start);
        choices.push_back(SplitNameAddress(part));
        if (comma == std::string_view::npos) {
            return choices;
        }
        start = comma + 1;
    }
}

}  // namespace tandrel
