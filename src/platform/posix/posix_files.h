// Files port for Linux: host paths with "\" are mapped to "/".
#pragma once

#include "platform/files.h"

namespace tandrel {

class PosixFiles final : public Files {
  public:
    ReadStatus ReadFile(const std::string& path, std::string& content) override;
    ReadStatus ReadFileInPieces(const std::string& path,
                                const std::function<void(std::string_view)>& take) override;
    bool WriteAtomically(const std::string& path, const std::string& content) override;
    bool WriteAtomicallyKeepingBackup(const std::string& path, const std::string& content,
                                      const std::string& backup_path) override;
    bool WritePiecesAtomicallyKeepingBackup(const std::string& path,
                                            const std::vector<std::string_view>& pieces,
                                            const std::string& backup_path) override;
    bool AppendFile(const std::string& path, const std::string& content) override;
    bool CanOpenForReading(const std::string& path) override;
    bool ListFolder(const std::string& pattern, std::vector<FolderEntry>& entries) override;
    bool MakeDirectory(const std::string& path) override;
    std::optional<std::uint64_t> FileSize(const std::string& path) override;
    bool TruncateFile(const std::string& path, std::uint64_t size) override;
    bool RemoveFile(const std::string& path) override;
    bool Rename(const std::string& from, const std::string& to) override;
};

// A host path as a POSIX path: every "\" becomes "/".
std::string ToPosixPath(const std::string& host_path);

}  // namespace tandrel
