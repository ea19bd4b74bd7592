// The MIME charsets that display names are sent in, by their Windows code
// pages, and their conversion into the host's code page.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/charsets.h"

namespace tandrel {

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

// Converts `bytes` of `code_page` into the host's code page through
// `charsets`, ISO-2022-JP and EUC-JP by way of Shift-JIS.
std::optional<std::string> ConvertToHost(Charsets& charsets, int code_page, std::string_view bytes);

}  // namespace tandrel
