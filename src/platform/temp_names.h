// Temporary names port: the host's temporary folder and fresh file names in it.
#pragma once

#include <string>
#include <utility>

namespace tandrel {

class TempNames {
  public:
    virtual ~TempNames() = default;
    // The temporary folder; every name from TempFileName begins with it.
    virtual std::string TempFolder() = 0;
    // A full path of a file that does not exist yet; nothing is created.
    virtual std::string TempFileName(const std::string& prefix) = 0;
};

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
