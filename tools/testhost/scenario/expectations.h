// The checks after a run: the data folder against expect/, the settings file
// against expect.ini and the host log against expect.log. Each that is not
// met throws a std::runtime_error saying what was found instead.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "testhost/scenario/host_texts.h"

namespace tandrel::testhost {

// How the runner's data folder names its files: in UTF-8 as the scenario
// does (Wine keeps them so on disk), or in the host's own code page.
enum class DataNames { Utf8, HostCodePage };

// The lines of expect.log are compared in the host's code page, as the host
// logs them, with "{data folder}" standing for `data_folder`, the folder as
// the host names it.
void CheckExpectations(const std::filesystem::path& scenario, const std::filesystem::path& data,
                       const std::filesystem::path& settings_file,
                       const std::vector<std::string>& log, const HostTexts& texts,
                       DataNames data_names, const std::string& data_folder);

// Fails the run when the plug-in read a message out of place: the count of
// matching mail after the Rule entry dialog's OK, or anything once the
// dialog had ended (HostModel::misplaced_reads).
void CheckReadsInPlace(const std::vector<std::string>& misplaced_reads);

// The whole content of a file; empty when it cannot be read.
std::string ReadWholeFile(const std::filesystem::path& path);

}  // namespace tandrel::testhost
