// Pictures of what the host shows, for the documentation.
#pragma once

#include <windows.h>

#include <string>

namespace tandrel::testhost {

// Saves the screen area of `window` as a 24-bit BMP file at `path`.
bool SaveWindowPicture(HWND window, const std::string& path);

}  // namespace tandrel::testhost
