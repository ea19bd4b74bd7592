// Temporary names as the test hosts and the command-line tool make them.
#pragma once

#include <string>
#include <utility>

#include "platform/temp_names.h"

namespace tandrel {

// Names as the test host and the command-line tool make them: the folder,
// the prefix, four hexadecimal digits counting from 0001, and ".tmp".
class CountingTempNames final : public TempNames {
  public:
    explicit CountingTempNames(std::string folder) : folder_(std::move(folder)) {}
    std::string TempFolder() override { return folder_; }
    std::string TempFileName(const std::string& prefix) override;

  private:
    std::string folder_;
    unsigned counter_ = 0;
};

}  // namespace tandrel
