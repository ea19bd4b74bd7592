// A fresh folder under the system's temporary folder, removed with its
// content when the object goes.
#pragma once

#include <string>

namespace tandrel::testing {

class TempDir {
  public:
    TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    ~TempDir();

    // The folder's path, ending with "/".
    const std::string& path() const { return path_; }

    // Helpers on paths relative to the folder.
    void Write(const std::string& relative, const std::string& content) const;
    std::string Read(const std::string& relative) const;
    bool Exists(const std::string& relative) const;
    // The names directly in the folder, sorted.
    std::string Listing() const;

  private:
    std::string path_;
};

}  // namespace tandrel::testing
