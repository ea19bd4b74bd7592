// Charsets port: text of a MIME charset converted into the host's code page,
// for the display names mail sends as encoded words.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tandrel {

class Charsets {
  public:
    virtual ~Charsets() = default;
    // `bytes` in the charset of Windows code page `code_page`, in the host's
    // code page; nullopt when the code page is not known here, the bytes are
    // not valid in it, or a character has no place in the host's code page.
    virtual std::optional<std::string> ToHostCodePage(int code_page, std::string_view bytes) = 0;
};

// The Windows code page of a MIME charset name (any case): UTF-8, ISO-2022-JP,
// Shift_JIS, EUC-JP, ISO-8859-1 to -16, Windows-1250 to -1258 and their
// common other names; nullopt for any other.
std::optional<int> CodePageOfCharset(std::string_view charset);

// `bytes` in ISO-2022-JP (code page 50220) or EUC-JP (20932) as Shift-JIS
// (932): the same JIS X 0208 characters, by arithmetic, so that they reach a
// host through the one Japanese code page every system converts. Nullopt for
// any other code page, for bytes that are not valid, and for characters that
// Shift-JIS does not hold (JIS X 0212).
std::optional<std::string> JapaneseAsShiftJis(int code_page, std::string_view bytes);

// Whether `text` is well-formed UTF-8 (no overlong form, no surrogate, nothing
// beyond U+10FFFF) without C1 control characters (U+0080 to U+009F): what a
// conversion into UTF-8 may hand on as a name.
bool IsCleanUtf8(std::string_view text);

// Converts `bytes` of `code_page` into the host's code page through
// `charsets`, ISO-2022-JP and EUC-JP by way of Shift-JIS.
std::optional<std::string> ConvertToHost(Charsets& charsets, int code_page, std::string_view bytes);

}  // namespace tandrel
