#include "platform/posix/iconv_charsets.h"

#include <iconv.h>

#include <cerrno>
#include <vector>

#include "text/characters.h"

namespace tandrel {

std::string IconvNameOfCodePage(int code_page) {
    if (code_page >= 28591 && code_page <= 28606) {
        return "ISO-8859-" + std::to_string(code_page - 28590);
    }
    if ((code_page >= 1250 && code_page <= 1258) || code_page == 932 || code_page == 874) {
        return "CP" + std::to_string(code_page);
    }
    switch (code_page) {
        case 65001:
            return "UTF-8";
        case 50220:
            return "ISO-2022-JP";
        case 20932:
            return "EUC-JP";
        case 20127:
            return "ASCII";
        default:
            return std::string();
    }
}

std::optional<std::string> IconvCharsets::ToHostCodePage(int code_page, std::string_view bytes) {
    const std::string from = IconvNameOfCodePage(code_page);
    if (from.empty()) {
        return std::nullopt;
    }
    // No transliteration: a character without a place fails the conversion.
    iconv_t converter = iconv_open(host_charset_.c_str(), from.c_str());
    // iconv_open says it failed with (iconv_t)-1.
    if (converter == reinterpret_cast<iconv_t>(-1)) {  // NOLINT(performance-no-int-to-ptr)
        return std::nullopt;
    }
    std::string in(bytes);
    // A stateful code page may spend an escape on every character.
    std::vector<char> out(in.size() * 8 + 32);
    char* in_at = in.data();
    std::size_t in_left = in.size();
    char* out_at = out.data();
    std::size_t out_left = out.size();
    const std::size_t converted = iconv(converter, &in_at, &in_left, &out_at, &out_left);
    // The shift state back to its start (ISO-2022-JP ends in ASCII).
    const std::size_t flushed = iconv(converter, nullptr, nullptr, &out_at, &out_left);
    iconv_close(converter);
    if (converted == static_cast<std::size_t>(-1) || flushed == static_cast<std::size_t>(-1) ||
        in_left != 0) {
        return std::nullopt;
    }
    std::string result(out.data(), static_cast<std::size_t>(out_at - out.data()));
    if (host_charset_ == "UTF-8" && !IsCleanUtf8(result)) {
        return std::nullopt;  // not a character, or a control character
    }
    return result;
}

}  // namespace tandrel
