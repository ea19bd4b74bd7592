#include "mail/mime_charsets.h"

#include <algorithm>
#include <array>
#include <string>

#include "text/affixes.h"

namespace tandrel {

namespace {

struct NamedCodePage {
    std::string_view name;
    int code_page;
};

constexpr std::array<NamedCodePage, 12> kNamedCodePages = {{
    {"utf-8", 65001},
    {"utf8", 65001},
    {"iso-2022-jp", 50220},
    {"shift_jis", 932},
    {"shift-jis", 932},
    {"sjis", 932},
    {"x-sjis", 932},
    {"windows-31j", 932},
    {"cp932", 932},
    {"euc-jp", 20932},
    {"x-euc-jp", 20932},
    {"us-ascii", 20127},
}};

// The code pages of ISO-8859-1 to -16 (-12 was never made). Windows knows
// no code page for -10, -14 and -16: their names decode nowhere there.
constexpr std::array<int, 17> kIso8859CodePages = {0,     28591, 28592, 28593, 28594, 28595,
                                                   28596, 28597, 28598, 28599, 28600, 874,
                                                   0,     28603, 28604, 28605, 28606};

// The number after `prefix` when the rest is one to four digits.
std::optional<int> NumberAfter(std::string_view text, std::string_view prefix) {
    if (text.size() <= prefix.size() || text.size() > prefix.size() + 4 ||
        !EqualIgnoringCase(text.substr(0, prefix.size()), prefix)) {
        return std::nullopt;
    }
    int number = 0;
    for (const char c : text.substr(prefix.size())) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        number = number * 10 + (c - '0');
    }
    return number;
}

// The Shift-JIS bytes of the JIS X 0208 character at row byte `first` and
// cell byte `second` (both 0x21 to 0x7E).
void AppendShiftJis(unsigned first, unsigned second, std::string& out) {
    const unsigned lead = ((first + 1) >> 1U) + (first <= 0x5E ? 0x70 : 0xB0);
    const unsigned trail = second + ((first & 1U) != 0 ? (second >= 0x60 ? 0x20 : 0x1F) : 0x7E);
    out += static_cast<char>(lead);
    out += static_cast<char>(trail);
}

bool IsJisByte(unsigned byte) {
    return byte >= 0x21 && byte <= 0x7E;
}

std::optional<std::string> Iso2022JpAsShiftJis(std::string_view bytes) {
    enum class Mode { Ascii, Jis0208, Kana };
    Mode mode = Mode::Ascii;
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (byte == 0x1B) {
            const std::string_view escape = bytes.substr(i + 1, 2);
            if (escape == "(B" || escape == "(J") {
                mode = Mode::Ascii;
            } else if (escape == "$B" || escape == "$@") {
                mode = Mode::Jis0208;
            } else if (escape == "(I") {
                mode = Mode::Kana;
            } else {
                return std::nullopt;
            }
            i += 2;
        } else if (byte >= 0x80) {
            return std::nullopt;
        } else if (mode == Mode::Jis0208 && byte != '\r' && byte != '\n') {
            if (i + 1 >= bytes.size() || !IsJisByte(byte) ||
                !IsJisByte(static_cast<unsigned char>(bytes[i + 1]))) {
                return std::nullopt;
            }
            AppendShiftJis(byte, static_cast<unsigned char>(bytes[++i]), out);
        } else if (mode == Mode::Kana && byte >= 0x21 && byte <= 0x5F) {
            out += static_cast<char>(byte + 0x80);
        } else {
            out += static_cast<char>(byte);
        }
    }
    return out;
}

std::optional<std::string> EucJpAsShiftJis(std::string_view bytes) {
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (byte < 0x80) {
            out += static_cast<char>(byte);
            continue;
        }
        if (i + 1 >= bytes.size()) {
            return std::nullopt;
        }
        const auto next = static_cast<unsigned char>(bytes[++i]);
        if (byte == 0x8E && next >= 0xA1 && next <= 0xDF) {
            out += static_cast<char>(next);  // half-width katakana
        } else if (byte >= 0xA1 && byte <= 0xFE && next >= 0xA1 && next <= 0xFE) {
            AppendShiftJis(byte - 0x80U, next - 0x80U, out);
        } else {
            return std::nullopt;  // JIS X 0212 (0x8F) and stray bytes
        }
    }
    return out;
}

}  // namespace

std::optional<std::string> JapaneseAsShiftJis(int code_page, std::string_view bytes) {
    if (code_page == 50220) {
        return Iso2022JpAsShiftJis(bytes);
    }
    if (code_page == 20932) {
        return EucJpAsShiftJis(bytes);
    }
    return std::nullopt;
}

std::optional<std::string> ConvertToHost(Charsets& charsets, int code_page,
                                         std::string_view bytes) {
    if (code_page == 50220 || code_page == 20932) {
        const auto shift_jis = JapaneseAsShiftJis(code_page, bytes);
        return shift_jis ? charsets.ToHostCodePage(932, *shift_jis) : std::nullopt;
    }
    // US-ASCII has no byte above 0x7F, whatever a system's table makes of one.
    if (code_page == 20127 &&
        std::any_of(bytes.begin(), bytes.end(), [](char c) { return (c & 0x80) != 0; })) {
        return std::nullopt;
    }
    return charsets.ToHostCodePage(code_page, bytes);
}

std::optional<int> CodePageOfCharset(std::string_view charset) {
    for (const NamedCodePage& named : kNamedCodePages) {
        if (EqualIgnoringCase(charset, named.name)) {
            return named.code_page;
        }
    }
    for (const std::string_view prefix : {"iso-8859-", "iso8859-", "iso_8859-"}) {
        if (const auto part = NumberAfter(charset, prefix)) {
            if (*part >= 1 && *part < static_cast<int>(kIso8859CodePages.size()) &&
                kIso8859CodePages[static_cast<std::size_t>(*part)] != 0) {
                return kIso8859CodePages[static_cast<std::size_t>(*part)];
            }
            return std::nullopt;
        }
    }
    for (const std::string_view prefix : {"windows-", "cp"}) {
        if (const auto number = NumberAfter(charset, prefix)) {
            if (*number >= 1250 && *number <= 1258) {
                return *number;
            }
            return std::nullopt;
        }
    }
    return std::nullopt;
}

}  // namespace tandrel
