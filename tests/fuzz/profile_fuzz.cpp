// Any settings file through the POSIX profile: reads never fail, and writing
// one key gives that key the value written and leaves other keys as they were.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/posix/ini_file_profile.h"
#include "support/memory_files.h"

namespace {

constexpr const char* kPath = "/plugin/Tandrel.ini";

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tandrel::testing::MemoryFiles files;
    files.AddFile(kPath, std::string(reinterpret_cast<const char*>(data), size));
    tandrel::IniFileProfile profile(files);
    const std::string headers =
        profile.ReadString(kPath, "Settings", "InHeaders", "From:", tandrel::kWholeValue);
    const std::string other = profile.ReadString(kPath, "Other", "Key", "-", tandrel::kWholeValue);
    const int place = profile.ReadInt(kPath, "Settings", "AddPlace", 0);
    (void)place;

    Check(profile.WriteString(kPath, "Settings", "AddPlace", "7"));
    Check(profile.ReadInt(kPath, "Settings", "AddPlace", 0) == 7);
    Check(profile.ReadString(kPath, "Settings", "InHeaders", "From:", tandrel::kWholeValue) ==
          headers);
    Check(profile.ReadString(kPath, "Other", "Key", "-", tandrel::kWholeValue) == other);
    return 0;
}
