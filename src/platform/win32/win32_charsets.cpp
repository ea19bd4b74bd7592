#include "platform/win32/win32_charsets.h"

#include <string>

#include "text/characters.h"

namespace tandrel::win32 {

namespace {

// The code pages MultiByteToWideChar takes only without flags.
bool TakesNoFlags(UINT code_page) {
    return code_page == 50220 || code_page == 50221 || code_page == 50222 || code_page == 50225 ||
           code_page == 50227 || code_page == 50229 || code_page == 65000 || code_page == 42 ||
           (code_page >= 57002 && code_page <= 57011);
}

}  // namespace

std::optional<std::string> Win32Charsets::ToHostCodePage(int code_page, std::string_view bytes) {
    if (bytes.empty()) {
        return std::string();
    }
    if (bytes.size() > 0x10000) {
        return std::nullopt;  // no display name is this long
    }
    const auto from = static_cast<UINT>(code_page);
    const DWORD to_wide_flags = TakesNoFlags(from) ? 0 : MB_ERR_INVALID_CHARS;
    const int size = static_cast<int>(bytes.size());
    const int wide_length =
        MultiByteToWideChar(from, to_wide_flags, bytes.data(), size, nullptr, 0);
    if (wide_length <= 0) {
        return std::nullopt;
    }
    std::wstring wide(static_cast<std::size_t>(wide_length), L'\0');
    if (MultiByteToWideChar(from, to_wide_flags, bytes.data(), size, wide.data(), wide_length) !=
        wide_length) {
        return std::nullopt;
    }
    // A character without a place in the host's code page fails: no best fit,
    // no default character.
    const UINT to = host_code_page_ == CP_ACP ? GetACP() : host_code_page_;
    if (TakesNoFlags(to)) {
        return std::nullopt;  // no way to tell a character without a place there
    }
    const bool utf8 = to == CP_UTF8;
    BOOL used_default = FALSE;
    const DWORD to_narrow_flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
    const int length = WideCharToMultiByte(to, to_narrow_flags, wide.data(), wide_length, nullptr,
                                           0, nullptr, utf8 ? nullptr : &used_default);
    if (length <= 0 || used_default) {
        return std::nullopt;
    }
    std::string narrow(static_cast<std::size_t>(length), '\0');
    if (WideCharToMultiByte(to, to_narrow_flags, wide.data(), wide_length, narrow.data(), length,
                            nullptr, utf8 ? nullptr : &used_default) != length ||
        used_default || (utf8 && !IsCleanUtf8(narrow))) {
        return std::nullopt;
    }
    return narrow;
}

}  // namespace tandrel::win32
