#include "platform/win32/win32_strings.h"

namespace tandrel::win32 {

std::string Win32Strings::Load(int id) {
    // A string-table entry is never longer: the resource compiler cuts there.
    char buffer[1024] = {};
    const int length = LoadStringA(instance_, static_cast<UINT>(id), buffer, sizeof buffer);
    return std::string(buffer, length > 0 ? static_cast<std::size_t>(length) : 0);
}

}  // namespace tandrel::win32
