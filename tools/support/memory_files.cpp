#include "support/memory_files.h"

#include <algorithm>

namespace tandrel::testing {

namespace {

// The lock file of a path, made in the double and removed with the lock.
class MemoryFileLock final : public FileLock {
  public:
    MemoryFileLock(MemoryFiles& files, std::string path) : files_(files), path_(std::move(path)) {}
    MemoryFileLock(const MemoryFileLock&) = delete;
    MemoryFileLock& operator=(const MemoryFileLock&) = delete;
    ~MemoryFileLock() override { files_.RemoveFile(path_); }

  private:
    MemoryFiles& files_;
    std::string path_;
};

}  // namespace

std::string MemoryFiles::Normalized(const std::string& path) const {
    std::string normal = ReplaceCharacter(path, '/', '\\', is_lead_byte_);
    while (normal.size() > 1 && EndsWithCharacter(normal, '\\', is_lead_byte_)) {
        normal.pop_back();
    }
    return normal;
}

std::string MemoryFiles::ParentOf(const std::string& normal_path) const {
    const auto slash = FindLastCharacter(normal_path, '\\', is_lead_byte_);
    return slash == std::string::npos ? std::string() : normal_path.substr(0, slash);
}

MemoryFiles::Node* MemoryFiles::Find(const std::string& path) {
    const std::string normal = Normalized(path);
    for (Node& node : nodes_) {
        if (node.path == normal) {
            return &node;
        }
    }
    return nullptr;
}

const MemoryFiles::Node* MemoryFiles::Find(const std::string& path) const {
    return const_cast<MemoryFiles*>(this)->Find(path);
}

bool MemoryFiles::ParentExists(const std::string& path) const {
    const std::string parent = ParentOf(Normalized(path));
    return parent.empty() || IsDirectory(parent);
}

void MemoryFiles::AddDirectory(const std::string& path) {
    const std::string normal = Normalized(path);
    if (normal.empty() || IsDirectory(normal)) {
        return;
    }
    AddDirectory(ParentOf(normal));
    nodes_.push_back({normal, true, std::string()});
}

void MemoryFiles::AddFile(const std::string& path, const std::string& content) {
    const std::string normal = Normalized(path);
    AddDirectory(ParentOf(normal));
    if (Node* node = Find(normal)) {
        node->content = content;
        node->modified = ++clock_;
        return;
    }
    nodes_.push_back({normal, false, content, ++clock_});
}

void MemoryFiles::MakeUnreadable(const std::string& path) {
    unreadable_.insert(Normalized(path));
}

void MemoryFiles::MakeReadOnly(const std::string& path) {
    read_only_.insert(Normalized(path));
}

bool MemoryFiles::Exists(const std::string& path) const {
    return Find(path) != nullptr;
}

bool MemoryFiles::IsDirectory(const std::string& path) const {
    const Node* node = Find(path);
    return node != nullptr && node->is_directory;
}

std::optional<std::string> MemoryFiles::Content(const std::string& path) const {
    const Node* node = Find(path);
    if (node == nullptr || node->is_directory) {
        return std::nullopt;
    }
    return node->content;
}

std::vector<std::string> MemoryFiles::Paths() const {
    std::vector<std::string> paths;
    for (const Node& node : nodes_) {
        paths.push_back(node.path);
    }
    return paths;
}

bool MemoryFiles::Spend(std::size_t size, std::size_t& allowed) {
    allowed = size;
    ++write_calls_;
    if (failing_call_ && (*failing_call_)-- == 0) {
        failing_call_.reset();
        allowed = 0;
        return false;
    }
    if (call_budget_) {
        if (*call_budget_ == 0) {
            allowed = 0;
            return false;
        }
        --*call_budget_;
    }
    if (!write_budget_) {
        return true;
    }
    if (size <= *write_budget_) {
        *write_budget_ -= size;
        return true;
    }
    allowed = *write_budget_;
    write_budget_ = 0;
    return false;
}

ReadStatus MemoryFiles::ReadFile(const std::string& path, std::string& content) {
    content.clear();
    const Node* node = Find(path);
    if (node == nullptr) {
        return ReadStatus::Missing;
    }
    if (node->is_directory || unreadable_.count(Normalized(path)) != 0) {
        return ReadStatus::Failed;
    }
    content = node->content;
    return ReadStatus::Ok;
}

namespace {

// What a replacement holds until it is put in place.
class MemoryStagedReplacement final : public StagedReplacement {
  public:
    MemoryStagedReplacement(std::string target, std::string written)
        : path(std::move(target)), content(std::move(written)) {}
    std::string path;
    std::string content;
};

}  // namespace

std::unique_ptr<StagedReplacement> MemoryFiles::StageReplacement(
    const std::string& path, const std::vector<std::string_view>& pieces) {
    const Node* existing = Find(path);
    if ((existing != nullptr && existing->is_directory) || !ParentExists(path)) {
        return nullptr;
    }
    std::string content;
    for (const std::string_view piece : pieces) {
        content += piece;
    }
    std::size_t allowed = 0;
    if (!Spend(content.size(), allowed)) {
        bytes_written_ += allowed;  // into a temporary file that is then removed
        return nullptr;
    }
    bytes_written_ += content.size();
    return std::make_unique<MemoryStagedReplacement>(path, std::move(content));
}

bool MemoryFiles::PutInPlace(std::unique_ptr<StagedReplacement> staged,
                             const std::string& backup_path) {
    auto& replacement = static_cast<MemoryStagedReplacement&>(*staged);
    const std::string& path = replacement.path;
    const Node* existing = Find(path);
    const Node* backup = backup_path.empty() ? nullptr : Find(backup_path);
    if ((existing != nullptr && existing->is_directory) ||
        (backup != nullptr && backup->is_directory) || !ParentExists(path) ||
        (!backup_path.empty() && !ParentExists(backup_path))) {
        return false;
    }
    std::size_t allowed = 0;
    if (!Spend(0, allowed)) {
        return false;
    }
    if (!backup_path.empty() && existing != nullptr) {
        // The former file becomes the backup by a rename: no bytes are
        // written, and it keeps its time.
        const std::int64_t former_time = existing->modified;
        AddFile(backup_path, existing->content);
        Find(backup_path)->modified = former_time;
    }
    AddFile(path, replacement.content);
    return true;
}

bool MemoryFiles::AppendFile(const std::string& path, const std::string& content) {
    const Node* existing = Find(path);
    if ((existing != nullptr && existing->is_directory) || !ParentExists(path)) {
        return false;
    }
    if (existing == nullptr) {
        AddFile(path, std::string());
    }
    std::size_t allowed = 0;
    const bool whole = Spend(content.size(), allowed);
    Node* node = Find(path);
    node->content += content.substr(0, allowed);
    node->modified = ++clock_;
    bytes_written_ += allowed;
    return whole;
}

LockTry MemoryFiles::TryLock(const std::string& lock_path, std::unique_ptr<FileLock>& lock) {
    const std::string normal = Normalized(lock_path);
    if (Exists(normal)) {
        return LockTry::Held;
    }
    if (!ParentExists(normal)) {
        return LockTry::Failed;
    }
    nodes_.push_back({normal, false, std::string()});
    lock = std::make_unique<MemoryFileLock>(*this, normal);
    return LockTry::Taken;
}

void MemoryFiles::MakeLink(const std::string& path) {
    links_.insert(Normalized(path));
}

bool MemoryFiles::MakeWritable(const std::string& path) {
    read_only_.erase(Normalized(path));
    return true;
}

bool MemoryFiles::IsLink(const std::string& path) {
    return links_.count(Normalized(path)) != 0;
}

bool MemoryFiles::IsReadOnly(const std::string& path) {
    return Exists(path) && read_only_.count(Normalized(path)) != 0;
}

bool MemoryFiles::CanOpenForReading(const std::string& path) {
    const Node* node = Find(path);
    return node != nullptr && !node->is_directory && unreadable_.count(Normalized(path)) == 0;
}

bool MemoryFiles::ListFolder(const std::string& pattern, std::vector<FolderEntry>& entries) {
    entries.clear();
    const ListPattern parts = SplitListPattern(pattern, is_lead_byte_);
    const std::string folder = Normalized(parts.folder);
    if (!folder.empty() && !IsDirectory(folder)) {
        return false;
    }
    for (const Node& node : nodes_) {
        if (ParentOf(node.path) != folder) {
            continue;
        }
        const std::string name = node.path.substr(folder.empty() ? 0 : folder.size() + 1);
        if (MatchesListPattern(name, parts.name)) {
            entries.push_back({name, node.is_directory, links_.count(node.path) != 0});
        }
    }
    return true;
}

bool MemoryFiles::MakeDirectory(const std::string& path) {
    if (const Node* node = Find(path)) {
        return node->is_directory;
    }
    if (!ParentExists(path)) {
        return false;
    }
    nodes_.push_back({Normalized(path), true, std::string()});
    return true;
}

std::optional<std::uint64_t> MemoryFiles::FileSize(const std::string& path) {
    const Node* node = Find(path);
    if (node == nullptr || node->is_directory) {
        return std::nullopt;
    }
    return node->content.size();
}

std::optional<FileFacts> MemoryFiles::Facts(const std::string& path) {
    const Node* node = Find(path);
    if (node == nullptr) {
        return std::nullopt;
    }
    return FileFacts{node->is_directory, node->is_directory ? 0 : node->content.size(),
                     node->modified};
}

bool MemoryFiles::TruncateFile(const std::string& path, std::uint64_t size) {
    Node* node = Find(path);
    if (node == nullptr || node->is_directory || size > node->content.size()) {
        return false;
    }
    node->content.resize(static_cast<std::size_t>(size));
    return true;
}

bool MemoryFiles::RemoveFile(const std::string& path) {
    const std::string normal = Normalized(path);
    const auto found = std::find_if(nodes_.begin(), nodes_.end(),
                                    [&](const Node& node) { return node.path == normal; });
    if (found == nodes_.end()) {
        return true;
    }
    // A folder is no file, and a read-only file is kept, as Windows keeps it.
    if (found->is_directory || read_only_.count(normal) != 0) {
        return false;
    }
    nodes_.erase(found);
    return true;
}

bool MemoryFiles::Rename(const std::string& from, const std::string& to) {
    const std::string source = Normalized(from);
    const std::string target = Normalized(to);
    if (Find(source) == nullptr || Find(target) != nullptr || !ParentExists(target)) {
        return false;
    }
    std::size_t allowed = 0;
    if (!Spend(0, allowed)) {
        return false;
    }
    // The read-only and link marks go with the file.
    if (read_only_.erase(source) != 0) {
        read_only_.insert(target);
    }
    if (links_.erase(source) != 0) {
        links_.insert(target);
    }
    for (Node& node : nodes_) {
        if (node.path == source) {
            node.path = target;
        } else if (node.path.compare(0, source.size() + 1, source + "\\") == 0) {
            node.path = target + node.path.substr(source.size());
        }
    }
    return true;
}

}  // namespace tandrel::testing
