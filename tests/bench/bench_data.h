// Data for the benchmarks, on disk in a scratch folder (in memory, /dev/shm,
// where there is one, so the timings measure the code and not the disk).
#pragma once

#include <string>

namespace tandrel::bench {

// A fresh scratch folder, removed when the object goes; `path()` ends with "/".
class ScratchFolder {
  public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::string& path() const { return path_; }

  private:
    std::string path_;
};

// Writes `content` to `path` (made with its folders) directly, outside the
// code under measure.
void PutFile(const std::string& path, const std::string& content);

// A rule file of `conditions` conditions, ten to a block, each block sorting
// into its own folder "Main\!!!!Inbox\FolderK\"; condition I looks for
// "userI@example.com".
std::string RuleFileText(int conditions);

// Rules of `folders` folders "Main\\F0\\", "Main\\F1\\", ..., a block each,
// each holding the one condition From:`address`.
std::string RulesOfOneCondition(int folders, const std::string& address);

// A group index of `lines` entries, all in the card file "bab0001.tmp", and
// that card file; entry I holds "userI@example.com".
std::string GroupIndexText(int lines);
std::string CardFileText(int lines);

// A book "@Book" in `data_folder` with `groups` groups: a hundred first-level
// groups, each with its share of sub-groups, every group marked by Group.ini.
void MakeGroupTree(const std::string& data_folder, int groups);

// A header block of about `bytes` bytes: a "To" field holding one address
// after another, folded every few addresses, between ordinary fields.
std::string LargeHeaderBlock(std::size_t bytes);

}  // namespace tandrel::bench
