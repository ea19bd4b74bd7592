// Small tests and cuts on the ends of a text, written once: a prefix, blanks
// of a given set trimmed, and a comparison of ASCII letters without regard
// to case. Inline: the scans of large files call them on every line.
#pragma once

#include <cstring>
#include <string_view>

namespace tandrel {

// Whether `text` starts with `prefix`.
inline bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           std::memcmp(text.data(), prefix.data(), prefix.size()) == 0;
}

// `text` without the characters of `blanks` at its two ends.
inline std::string_view TrimAnyOf(std::string_view text, std::string_view blanks) {
    const auto first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

// Whether the texts are equal with ASCII letters compared without regard to
// case (other bytes, lead and trail bytes too, compared as they are).
inline bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    const auto lower = [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    };
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (lower(a[i]) != lower(b[i])) {
            return false;
        }
    }
    return true;
}

}  // namespace tandrel
