#include "mail/encoded_words.h"

#include <algorithm>
#include <optional>

#include "mail/mime_charsets.h"

namespace tandrel {

namespace {

// Longer than mail allows (75), for the words some mailers make too long.
constexpr std::size_t kLongestWord = 256;

// One encoded word: "=?charset?encoding?text?=".
struct EncodedWord {
    std::size_t begin = 0;
    std::size_t end = 0;  // after its "?="
    std::string_view charset;
    char encoding = 0;  // 'B' or 'Q'
    std::string_view text;
};

// The encoded word that starts at `at`, if one does.
std::optional<EncodedWord> WordAt(std::string_view name, std::size_t at) {
    if (name.compare(at, 2, "=?") != 0) {
        return std::nullopt;
    }
    const std::size_t charset_end = name.find('?', at + 2);
    if (charset_end == std::string_view::npos || charset_end + 3 > name.size() ||
        name[charset_end + 2] != '?') {
        return std::nullopt;
    }
    // A word is at most 75 characters; a longer stretch is looked at no
    // further, so that a long name of "=?" does not make every try read to
    // its end.
    const std::size_t text_end = name.substr(0, at + kLongestWord).find("?=", charset_end + 3);
    if (text_end == std::string_view::npos) {
        return std::nullopt;
    }
    EncodedWord word;
    word.begin = at;
    word.end = text_end + 2;
    word.charset = name.substr(at + 2, charset_end - at - 2);
    // A language ("UTF-8*ja") is not part of the charset.
    word.charset = word.charset.substr(0, word.charset.find('*'));
    const char encoding = name[charset_end + 1];
    word.encoding = encoding == 'b' ? 'B' : encoding == 'q' ? 'Q' : encoding;
    word.text = name.substr(charset_end + 3, text_end - charset_end - 3);
    if (word.charset.empty() || (word.encoding != 'B' && word.encoding != 'Q') ||
        word.text.find_first_of(" \t\r\n") != std::string_view::npos) {
        return std::nullopt;
    }
    return word;
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

std::optional<std::string> DecodeQ(std::string_view text) {
    std::string bytes;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '_') {
            bytes += ' ';
        } else if (text[i] == '=') {
            if (i + 2 >= text.size()) {
                return std::nullopt;
            }
            const int high = HexValue(text[i + 1]);
            const int low = HexValue(text[i + 2]);
            if (high < 0 || low < 0) {
                return std::nullopt;
            }
            bytes += static_cast<char>(high * 16 + low);
            i += 2;
        } else {
            bytes += text[i];
        }
    }
    return bytes;
}

int Base64Value(char c) {
    if (c >= 'A' && c <= 'Z') {
        return c - 'A';
    }
    if (c >= 'a' && c <= 'z') {
        return c - 'a' + 26;
    }
    if (c >= '0' && c <= '9') {
        return c - '0' + 52;
    }
    return c == '+' ? 62 : c == '/' ? 63 : -1;
}

std::optional<std::string> DecodeB(std::string_view text) {
    std::string bytes;
    unsigned buffer = 0;
    int bits = 0;
    std::size_t i = 0;
    for (; i < text.size() && text[i] != '='; ++i) {
        const int value = Base64Value(text[i]);
        if (value < 0) {
            return std::nullopt;
        }
        buffer = (buffer << 6U) | static_cast<unsigned>(value);
        bits += 6;
        if (bits >= 8) {
            bits -= 8;
            bytes += static_cast<char>((buffer >> static_cast<unsigned>(bits)) & 0xFFU);
        }
    }
    // Only padding may follow, and it fills the last group of four.
    const std::size_t padding = text.size() - i;
    for (; i < text.size(); ++i) {
        if (text[i] != '=') {
            return std::nullopt;
        }
    }
    if (padding > 2 || (padding > 0 && text.size() % 4 != 0)) {
        return std::nullopt;
    }
    if (bits >= 6) {
        return std::nullopt;  // a single character left over is no byte
    }
    return bytes;
}

std::optional<std::string> DecodeWordText(const EncodedWord& word) {
    return word.encoding == 'B' ? DecodeB(word.text) : DecodeQ(word.text);
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Control characters from a decoded name would reach the dialog and the
// host's files: such a name is kept as it came.
bool HoldsAControlCharacter(std::string_view text) {
    return std::any_of(text.begin(), text.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < 0x20 || byte == 0x7F;
    });
}

}  // namespace

std::string DecodeEncodedWords(std::string_view name, Charsets& charsets) {
    std::string received(name);
    std::string decoded;
    std::size_t at = 0;
    while (at < name.size()) {
        std::optional<EncodedWord> word;
        std::size_t next = name.find("=?", at);
        while (next != std::string_view::npos && !(word = WordAt(name, next))) {
            next = name.find("=?", next + 2);
        }
        if (!word) {
            decoded.append(name.substr(at));
            break;
        }
        decoded.append(name.substr(at, word->begin - at));
        // The run of adjacent words: blanks between them are dropped, and the
        // bytes of one charset are converted together.
        std::optional<int> run_code_page;
        std::string bytes;
        for (;;) {
            const auto word_bytes = DecodeWordText(*word);
            const auto code_page = CodePageOfCharset(word->charset);
            if (!word_bytes || !code_page) {
                return received;
            }
            if (run_code_page && *run_code_page != *code_page) {
                const auto converted = ConvertToHost(charsets, *run_code_page, bytes);
                if (!converted || HoldsAControlCharacter(*converted)) {
                    return received;
                }
                decoded += *converted;
                bytes.clear();
            }
            run_code_page = code_page;
            bytes += *word_bytes;
            at = word->end;
            std::size_t after_blanks = at;
            while (after_blanks < name.size() && IsBlank(name[after_blanks])) {
                ++after_blanks;
            }
            const auto following = WordAt(name, after_blanks);
            if (!following) {
                break;
            }
            word = following;
        }
        const auto converted = ConvertToHost(charsets, *run_code_page, bytes);
        if (!converted || HoldsAControlCharacter(*converted)) {
            return received;
        }
        decoded += *converted;
    }
    return decoded;
}

}  // namespace tandrel
