// Temporary names port: the host's temporary folder and fresh file names in it.
#pragma once

#include <string>

namespace tandrel {

class TempNames {
  public:
    virtual ~TempNames() = default;
    // The temporary folder; every name from TempFileName begins with it.
    virtual std::string TempFolder() = 0;
    // A full path of a file that does not exist yet; nothing is created.
    virtual std::string TempFileName(const std::string& prefix) = 0;
};

}  // namespace tandrel
