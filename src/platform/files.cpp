#include "platform/files.h"

#include <algorithm>

namespace tandrel {

ReadStatus Files::ReadFileInPieces(const std::string& path,
                                   const std::function<void(std::string_view)>& take) {
    std::string content;
    const ReadStatus status = ReadFile(path, content);
    if (status == ReadStatus::Ok && !content.empty()) {
        take(content);
    }
    return status;
}

bool Files::VisitFolder(const std::string& folder,
                        const std::function<bool(const FolderEntry&)>& visit) {
    std::vector<FolderEntry> entries;
    if (!ListFolder(folder + "*", entries)) {
        return false;
    }
    for (const FolderEntry& entry : entries) {
        if (!visit(entry)) {
            break;
        }
    }
    return true;
}

bool Files::WriteAtomically(const std::string& path, const std::vector<std::string_view>& pieces,
                            const std::string& backup_path) {
    std::unique_ptr<StagedReplacement> staged = StageReplacement(path, pieces);
    return staged != nullptr && PutInPlace(std::move(staged), backup_path);
}

LockStatus Files::LockForWriting(const std::string& path, std::unique_ptr<FileLock>& lock) {
    // How long a writer waits for another's lock, and the first and longest
    // pause between two tries: a writer holds the lock for a few milliseconds.
    constexpr std::uint64_t kWait = 5000000;
    constexpr std::uint64_t kFirstPause = 500;
    constexpr std::uint64_t kLongestPause = 20000;
    const std::string lock_path = LockPath(path);
    const std::uint64_t started = Microseconds();
    // Pauses of uneven length, so that two waiting writers do not keep trying
    // at the same moments: spread by the clock's low bits at the start.
    const std::uint64_t seed = started % 1000;
    std::uint64_t pause = kFirstPause;
    for (std::uint64_t attempt = 0;; ++attempt) {
        switch (TryLock(lock_path, lock)) {
            case LockTry::Taken:
                return LockStatus::Locked;
            case LockTry::Failed:
                return LockStatus::Failed;
            case LockTry::Held:
                break;
        }
        if (Microseconds() - started >= kWait) {
            return LockStatus::Busy;
        }
        const std::uint64_t spread = (attempt * 7919 + seed) % 1000;
        Pause(pause / 2 + pause * spread / 2000);
        pause = std::min(pause * 2, kLongestPause);
    }
}

ReadStatus Files::ReadFileEnd(const std::string& path, std::size_t count, std::string& end) {
    const ReadStatus status = ReadFile(path, end);
    if (end.size() > count) {
        end.erase(0, end.size() - count);
    }
    return status;
}

std::string Files::ResolveLinks(const std::string& path) {
    return path;
}

bool IsExistingDirectory(Files& files, const std::string& path, LeadBytePredicate is_lead_byte) {
    std::string trimmed = path;
    while (EndsWithCharacter(trimmed, '\\', is_lead_byte) ||
           EndsWithCharacter(trimmed, '/', is_lead_byte)) {
        trimmed.pop_back();
    }
    std::vector<FolderEntry> entries;
    return !trimmed.empty() && files.ListFolder(trimmed, entries) && entries.size() == 1 &&
           entries.front().is_directory;
}

std::string LockPath(const std::string& path) {
    return path + ".lock";
}

ListPattern SplitListPattern(const std::string& pattern, LeadBytePredicate is_lead_byte) {
    const auto slash = FindLastOf(pattern, "\\/", is_lead_byte);
    if (slash == std::string::npos) {
        return {std::string(), pattern};
    }
    // A pattern right below the root keeps the root as its folder.
    return {pattern.substr(0, slash == 0 ? 1 : slash), pattern.substr(slash + 1)};
}

bool MatchesListPattern(const std::string& entry_name, const std::string& pattern_name) {
    if (!pattern_name.empty() && pattern_name.back() == '*') {
        const std::size_t prefix = pattern_name.size() - 1;
        return entry_name.compare(0, prefix, pattern_name, 0, prefix) == 0;
    }
    return entry_name == pattern_name;
}

}  // namespace tandrel
