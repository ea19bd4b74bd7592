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

}  // namespace tandrel
