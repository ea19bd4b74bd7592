// The Strings port over the library's string table.
#pragma once

#include <windows.h>

#include <string>

#include "platform/strings.h"

namespace tandrel::win32 {

class Win32Strings final : public Strings {
  public:
    explicit Win32Strings(HINSTANCE instance) : instance_(instance) {}
    std::string Load(int id) override;

  private:
    HINSTANCE instance_;
};

}  // namespace tandrel::win32
