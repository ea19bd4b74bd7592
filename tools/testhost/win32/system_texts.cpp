#include "testhost/win32/system_texts.h"

#include <windows.h>

#include <stdexcept>

namespace tandrel::testhost {

namespace {

// From code page `from` to code page `to` through UTF-16; a text that does
// not convert fails the run.
std::string Convert(const std::string& text, UINT from, UINT to) {
    if (text.empty()) {
        return text;
    }
    const int size = static_cast<int>(text.size());
    const int wide_size =
        MultiByteToWideChar(from, MB_ERR_INVALID_CHARS, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(wide_size), L'\0');
    if (wide_size == 0 || MultiByteToWideChar(from, MB_ERR_INVALID_CHARS, text.data(), size,
                                              &wide[0], wide_size) == 0) {
        throw std::runtime_error("a text does not convert from code page " + std::to_string(from) +
                                 ": " + text);
    }
    const int out_size =
        WideCharToMultiByte(to, 0, wide.data(), wide_size, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(out_size), '\0');
    BOOL lost = FALSE;
    if (out_size == 0 ||
        WideCharToMultiByte(to, 0, wide.data(), wide_size, &out[0], out_size, nullptr,
                            to == CP_UTF8 ? nullptr : &lost) == 0 ||
        lost) {
        throw std::runtime_error("a text does not convert to code page " + std::to_string(to) +
                                 ": " + text);
    }
    return out;
}

}  // namespace

HostTexts SystemCodePageTexts() {
    return {[](const std::string& text) { return Convert(text, CP_UTF8, CP_ACP); },
            [](const std::string& text) { return Convert(text, CP_ACP, CP_UTF8); }};
}

}  // namespace tandrel::testhost
