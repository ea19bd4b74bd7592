// The checks after a run: the data folder against expect/, the settings file
// against expect.ini and the host log against expect.log. Each that is not
// met throws a std::runtime_error saying what was found instead.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace tandrel::testhost {

void CheckExpectations(const std::filesystem::path& scenario, const std::filesystem::path& data,
                       const std::filesystem::path& settings_file,
                       const std::vector<std::string>& log);

// The whole content of a file; empty when it cannot be read.
std::string ReadWholeFile(const std::filesystem::path& path);

}  // namespace tandrel::testhost
