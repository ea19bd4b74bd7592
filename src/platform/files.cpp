#include "platform/files.h"

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

bool Files::WritePiecesAtomicallyKeepingBackup(const std::string& path,
                                               const std::vector<std::string_view>& pieces,
                                               const std::string& backup_path) {
    std::size_t size = 0;
    for (const std::string_view piece : pieces) {
        size += piece.size();
    }
    std::string content;
    content.reserve(size);
    for (const std::string_view piece : pieces) {
        content += piece;
    }
    return WriteAtomicallyKeepingBackup(path, content, backup_path);
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

std::string BackupPath(const std::string& path) {
    return path + ".bak";
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
