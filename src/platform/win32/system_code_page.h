// The system's ANSI code page, in which the host hands over names and paths.
#pragma once

#include <windows.h>

namespace tandrel::win32 {

// The lead-byte predicate of the system's code page (Shift-JIS on a
// Japanese system), for every scan of a name or path.
inline bool IsSystemLeadByte(unsigned char byte) {
    return IsDBCSLeadByte(byte) != FALSE;
}

}  // namespace tandrel::win32
