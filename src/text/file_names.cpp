#include "text/file_names.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

namespace tandrel {

namespace {

bool IsDeviceName(std::string_view name) {
    // "CON", "con.txt" and "COM1 " all name the device.
    std::string stem(name.substr(0, name.find('.')));
    while (!stem.empty() && stem.back() == ' ') {
        stem.pop_back();
    }
    for (char& c : stem) {
        c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    }
    static constexpr std::array<std::string_view, 4> kPlain = {"CON", "PRN", "AUX", "NUL"};
    for (const std::string_view device : kPlain) {
        if (stem == device) {
            return true;
        }
    }
    return stem.size() == 4 && (stem.compare(0, 3, "COM") == 0 || stem.compare(0, 3, "LPT") == 0) &&
           stem[3] >= '1' && stem[3] <= '9';
}

}  // namespace

bool IsPlainFileName(std::string_view name, LeadBytePredicate is_lead_byte) {
    if (name.empty() || name == "." || name == ".." || name.back() == ' ' || name.back() == '.') {
        return false;
    }
    constexpr std::string_view kReserved = "\\/:*?\"<>|";
    for (std::size_t i = 0; i < name.size(); ++i) {
        const auto byte = static_cast<unsigned char>(name[i]);
        if (is_lead_byte != nullptr && is_lead_byte(byte)) {
            if (i + 1 == name.size() || !IsTrailByte(static_cast<unsigned char>(name[i + 1]))) {
                return false;  // a lead byte without a second byte
            }
            ++i;
            continue;
        }
        if (byte < 0x20 || byte == 0x7F || kReserved.find(name[i]) != std::string_view::npos) {
            return false;
        }
    }
    return !IsDeviceName(name);
}

std::string ToPlainFileName(std::string_view name, LeadBytePredicate is_lead_byte) {
    constexpr std::string_view kReserved = "\\/:*?\"<>|";
    std::string plain;
    plain.reserve(name.size() + 1);
    for (std::size_t i = 0; i < name.size();) {
        const std::size_t length = CharacterLengthAt(name, i, is_lead_byte);
        const auto byte = static_cast<unsigned char>(name[i]);
        if (length == 2) {
            plain.append(name.substr(i, 2));
        } else if (is_lead_byte != nullptr && is_lead_byte(byte)) {
            // a lead byte without its second byte is no character
        } else if (byte < 0x20 || byte == 0x7F ||
                   kReserved.find(name[i]) != std::string_view::npos) {
            plain += '_';
        } else {
            plain += name[i];
        }
        i += length;
    }
    // Neither a blank nor a dot is ever the second byte of a character.
    while (!plain.empty() && (plain.back() == ' ' || plain.back() == '.')) {
        plain.pop_back();
    }
    if (!plain.empty() && IsDeviceName(plain)) {
        plain.insert(std::min(plain.find('.'), plain.size()), "_");  // "AUX.txt": "AUX_.txt"
    }
    return plain;
}

bool IsPlainPath(std::string_view path, LeadBytePredicate is_lead_byte) {
    const std::vector<std::string_view> names = SplitAtCharacter(path, '\\', is_lead_byte);
    return std::all_of(names.begin(), names.end(), [is_lead_byte](std::string_view name) {
        return IsPlainFileName(name, is_lead_byte);
    });
}

}  // namespace tandrel
