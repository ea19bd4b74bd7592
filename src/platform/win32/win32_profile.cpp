#include "platform/win32/win32_profile.h"

#include <windows.h>

namespace tandrel {

std::string Win32Profile::ReadString(const std::string& path, const std::string& section,
                                     const std::string& key, const std::string& default_value,
                                     std::size_t max_length) {
    // The function cuts the value to the buffer; grow it until the value fits.
    std::string buffer(256, '\0');
    for (;;) {
        const DWORD length =
            GetPrivateProfileStringA(section.c_str(), key.c_str(), default_value.c_str(),
                                     &buffer[0], static_cast<DWORD>(buffer.size()), path.c_str());
        if (length + 1 < buffer.size() || buffer.size() >= (1U << 24)) {
            buffer.resize(length);
            break;
        }
        buffer.assign(buffer.size() * 4, '\0');
    }
    if (buffer.size() > max_length) {
        buffer.resize(max_length);
    }
    return buffer;
}

int Win32Profile::ReadInt(const std::string& path, const std::string& section,
                          const std::string& key, int default_value) {
    return static_cast<int>(
        GetPrivateProfileIntA(section.c_str(), key.c_str(), default_value, path.c_str()));
}

bool Win32Profile::WriteString(const std::string& path, const std::string& section,
                               const std::string& key, const std::string& value) {
    return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), path.c_str()) !=
           0;
}

bool Win32Profile::WriteStrings(const std::string& path, const std::string& section,
                                const ProfileEntries& entries) {
    bool all_written = true;
    for (const auto& [key, value] : entries) {
        all_written = WriteString(path, section, key, value) && all_written;
    }
    return all_written;
}

}  // namespace tandrel
