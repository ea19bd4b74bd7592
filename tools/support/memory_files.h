// An in-memory Files double. Folders list their entries in the order they
// were made, so tests choose the "file system order". A write budget makes
// every write fail once a given number of bytes has been written. Paths are
// scanned with the lead-byte predicate it is made with.
#pragma once

#include <cstddef>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/files.h"

namespace tandrel::testing {

class MemoryFiles : public Files {
  public:
    explicit MemoryFiles(LeadBytePredicate is_lead_byte = kNoLeadBytes)
        : is_lead_byte_(is_lead_byte) {}

    // Set-up helpers: make a file or folder together with its parent folders.
    void AddFile(const std::string& path, const std::string& content);
    void AddDirectory(const std::string& path);
    // Reading the file fails from now on (it still exists).
    void MakeUnreadable(const std::string& path);
    // The file carries the read-only mark from now on.
    void MakeReadOnly(const std::string& path);
    // The file or folder counts as a symbolic link from now on.
    void MakeLink(const std::string& path);
    // Let only this many more bytes be written; then every write fails: a
    // replace leaves its target as it was, an append stops part way.
    void SetWriteBudget(std::size_t bytes) { write_budget_ = bytes; }
    // Let only this many more write calls succeed (staging a replacement,
    // putting it in place, an append or a rename), as an interruption would.
    void SetWriteCallBudget(std::size_t calls) { call_budget_ = calls; }
    // Let the write call after `calls` more fail, once, as a full disk or a
    // file held open would; the calls after it succeed.
    void FailWriteCallAfter(std::size_t calls) { failing_call_ = calls; }

    bool Exists(const std::string& path) const;
    bool IsDirectory(const std::string& path) const;
    // The content of a file; nullopt when there is no such file.
    std::optional<std::string> Content(const std::string& path) const;
    // Every file and folder, in creation order.
    std::vector<std::string> Paths() const;
    std::size_t bytes_written() const { return bytes_written_; }
    // The write calls made so far, those that failed included.
    std::size_t write_calls() const { return write_calls_; }

    ReadStatus ReadFile(const std::string& path, std::string& content) override;
    std::unique_ptr<StagedReplacement> StageReplacement(
        const std::string& path, const std::vector<std::string_view>& pieces) override;
    bool PutInPlace(std::unique_ptr<StagedReplacement> staged,
                    const std::string& backup_path) override;
    bool AppendFile(const std::string& path, const std::string& content) override;
    bool IsReadOnly(const std::string& path) override;
    bool MakeWritable(const std::string& path) override;
    bool IsLink(const std::string& path) override;
    bool CanOpenForReading(const std::string& path) override;
    bool ListFolder(const std::string& pattern, std::vector<FolderEntry>& entries) override;
    bool MakeDirectory(const std::string& path) override;
    std::optional<std::uint64_t> FileSize(const std::string& path) override;
    std::optional<FileFacts> Facts(const std::string& path) override;
    bool TruncateFile(const std::string& path, std::uint64_t size) override;
    bool RemoveFile(const std::string& path) override;
    bool Rename(const std::string& from, const std::string& to) override;

  protected:
    LockTry TryLock(const std::string& lock_path, std::unique_ptr<FileLock>& lock) override;
    // A clock of its own, which only the pauses move: a wait for a lock is over
    // at once, after as many tries as a real one would make.
    std::uint64_t Microseconds() override { return waited_; }
    void Pause(std::uint64_t microseconds) override { waited_ += microseconds; }

  private:
    struct Node {
        std::string path;  // with "\" separators
        bool is_directory = false;
        std::string content;
        std::int64_t modified = 0;  // the double's clock at the last change
    };
    std::string Normalized(const std::string& path) const;
    std::string ParentOf(const std::string& normal_path) const;
    Node* Find(const std::string& path);
    const Node* Find(const std::string& path) const;
    bool ParentExists(const std::string& path) const;
    // Takes `size` bytes from the budget; false (and the budget spent) when
    // fewer are left. `allowed` tells how many could still be written.
    bool Spend(std::size_t size, std::size_t& allowed);

    LeadBytePredicate is_lead_byte_;
    std::vector<Node> nodes_;
    std::set<std::string> unreadable_;
    std::set<std::string> read_only_;
    std::set<std::string> links_;
    std::optional<std::size_t> write_budget_;
    std::optional<std::size_t> call_budget_;
    std::optional<std::size_t> failing_call_;
    std::size_t bytes_written_ = 0;
    std::size_t write_calls_ = 0;
    std::int64_t clock_ = 0;  // one tick a change, so that later changes are later
    std::uint64_t waited_ = 0;
};

}  // namespace tandrel::testing
