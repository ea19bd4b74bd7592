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

// An ASCII capital as its small letter; every other byte as it is.
inline char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Whether the texts are equal with ASCII letters compared without regard to
// case (other bytes, lead and trail bytes too, compared as they are).
inline bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (LowerAscii(a[i]) != LowerAscii(b[i])) {
            return false;
        }
    }
    return true;
}

// An order of texts that matches EqualIgnoringCase, for sets and maps of
// names that Windows takes in either case.
struct LessIgnoringCase {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const {
        for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) {
            if (LowerAscii(a[i]) != LowerAscii(b[i])) {
                return LowerAscii(a[i]) < LowerAscii(b[i]);
            }
        }
        return a.size() < b.size();
    }
};

}  // namespace tandrel
