// The Charsets port over iconv (glibc), into a host code page given by its
// iconv name ("UTF-8", "CP932", "CP1252").
#pragma once

#include <string>

#include "platform/charsets.h"

namespace tandrel {

class IconvCharsets final : public Charsets {
  public:
    explicit IconvCharsets(std::string host_charset) : host_charset_(std::move(host_charset)) {}
    std::optional<std::string> ToHostCodePage(int code_page, std::string_view bytes) override;

  private:
    std::string host_charset_;
};

// The iconv name of a Windows code page that CodePageOfCharset gives, or of a
// host code page (932, 1252, 65001); empty for another.
std::string IconvNameOfCodePage(int code_page);

}  // namespace tandrel
