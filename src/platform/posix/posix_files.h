// Files port for Linux: host paths with "\\" are mapped to "/". On a host
// whose code page has double-byte characters, only a "\\" that is a character
// of its own is a separator.
#pragma once

#include "platform/files.h"

namespace tandrel {

class PosixFiles final : public Files {
  public:
    explicit PosixFiles(LeadBytePredicate is_lead_byte = kNoLeadBytes)
        : is_lead_byte_(is_lead_byte) {}

    ReadStatus ReadFile(const std::string& path, std::string& content) override;
    ReadStatus ReadFileInPieces(const std::string& path,
                                const std::function<void(std::string_view)>& take) override;
    std::unique_ptr<StagedReplacement> StageReplacement(
        const std::string& path, const std::vector<std::string_view>& pieces) override;
    bool PutInPlace(std::unique_ptr<StagedReplacement> staged,
                    const std::string& backup_path) override;
    bool AppendFile(const std::string& path, const std::string& content) override;
    ReadStatus ReadFileEnd(const std::string& path, std::size_t count, std::string& end) override;
    std::string ResolveLinks(const std::string& path) override;
    bool IsReadOnly(const std::string& path) override;
    bool MakeWritable(const std::string& path) override;
    bool IsLink(const std::string& path) override;
    bool CanOpenForReading(const std::string& path) override;
    bool ListFolder(const std::string& pattern, std::vector<FolderEntry>& entries) override;
    bool VisitFolder(const std::string& folder,
                     const std::function<bool(const FolderEntry&)>& visit) override;
    bool MakeDirectory(const std::string& path) override;
    std::optional<std::uint64_t> FileSize(const std::string& path) override;
    std::optional<FileFacts> Facts(const std::string& path) override;
    bool TruncateFile(const std::string& path, std::uint64_t size) override;
    bool RemoveFile(const std::string& path) override;
    bool Rename(const std::string& from, const std::string& to) override;

  protected:
    LockTry TryLock(const std::string& lock_path, std::unique_ptr<FileLock>& lock) override;
    std::uint64_t Microseconds() override;
    void Pause(std::uint64_t microseconds) override;

  private:
    std::string Posix(const std::string& host_path) const;

    LeadBytePredicate is_lead_byte_;
};

// A host path as a POSIX path: every "\\" that is a character of its own
// becomes "/".
std::string ToPosixPath(const std::string& host_path, LeadBytePredicate is_lead_byte);

}  // namespace tandrel
