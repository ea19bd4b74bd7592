// The Charsets port over the system's code-page functions, into the system's
// ANSI code page (or the one given).
#pragma once

#include <windows.h>

#include "platform/charsets.h"

namespace tandrel::win32 {

class Win32Charsets final : public Charsets {
  public:
    explicit Win32Charsets(UINT host_code_page = CP_ACP) : host_code_page_(host_code_page) {}
    std::optional<std::string> ToHostCodePage(int code_page, std::string_view bytes) override;

  private:
    UINT host_code_page_;
};

}  // namespace tandrel::win32
