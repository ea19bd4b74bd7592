#include "rules/rule_history.h"

namespace tandrel {

namespace {

// Moves the versions in slots first+1 .. last+1 back down to first .. last,
// lowest first, so that each one's slot is free when it is moved there.
void MoveBack(Files& files, const std::string& path, int first, int last) {
    for (int slot = first; slot <= last; ++slot) {
        if (!files.Rename(HistorySlotPath(path, slot + 1), HistorySlotPath(path, slot))) {
            return;
        }
    }
}

// Frees slot 1: every version below the first empty slot moves up by one,
// the oldest first; when no slot is empty, the oldest version is removed.
// Tells how many versions moved, for MoveBack. On failure the moved ones are
// moved back.
bool MakeRoomForNewest(Files& files, const std::string& path, int& moved) {
    int free_slot = 0;
    for (int slot = 1; slot <= kKeptVersions && free_slot == 0; ++slot) {
        if (!files.Facts(HistorySlotPath(path, slot))) {
            free_slot = slot;
        }
    }
    if (free_slot == 0) {
        if (!files.RemoveFile(HistorySlotPath(path, kKeptVersions))) {
            return false;
        }
        free_slot = kKeptVersions;
    }
    for (int slot = free_slot - 1; slot >= 1; --slot) {
        if (!files.Rename(HistorySlotPath(path, slot), HistorySlotPath(path, slot + 1))) {
            MoveBack(files, path, slot + 1, free_slot - 1);
            return false;
        }
    }
    moved = free_slot - 1;
    return true;
}

}  // namespace

std::string HistorySlotPath(const std::string& path, int slot) {
    return slot <= 1 ? BackupPath(path) : BackupPath(path) + std::to_string(slot);
}

bool WriteKeepingHistory(Files& files, const std::string& path,
                         const std::vector<std::string_view>& pieces) {
    const bool had_file = files.Facts(path).has_value();
    int moved = 0;
    if (!MakeRoomForNewest(files, path, moved)) {
        return false;
    }
    const std::string newest = HistorySlotPath(path, 1);
    if (files.WritePiecesAtomicallyKeepingBackup(path, pieces, newest)) {
        return true;
    }
    // Slot 1 was free, so what a failed replace left there is its own backup:
    // a copy of the file, which is still in place, or an empty one for no
    // file. That goes; a backup that is the only copy left of the file stays.
    if (files.Facts(path) || !had_file) {
        files.RemoveFile(newest);
    }
    if (moved > 0 && !files.Facts(newest)) {
        MoveBack(files, path, 1, moved);
    }
    return false;
}

std::vector<KeptVersion> ListKeptVersions(Files& files, const std::string& path) {
    std::vector<KeptVersion> versions;
    for (int slot = 1; slot <= kKeptVersions; ++slot) {
        const std::string slot_path = HistorySlotPath(path, slot);
        if (const auto facts = files.Facts(slot_path); facts && !facts->is_directory) {
            versions.push_back({static_cast<int>(versions.size()) + 1, slot_path, *facts});
        }
    }
    return versions;
}

}  // namespace tandrel
