#include "rules/rule_history.h"

#include <array>
#include <string_view>

namespace tandrel {

namespace {

// What a slot holds, as one listing of the versions' folder tells it.
enum class SlotState { Empty, Version, Folder };

// Whether `name`, listed in the slot's folder, is the slot's own file name.
bool NamesSlot(const std::string& slot_path, const std::string& name) {
    if (name.empty() || slot_path.size() < name.size()) {
        return false;
    }
    const std::size_t at = slot_path.size() - name.size();
    // The name is the whole path where a bare file name was given.
    const bool after_folder = at == 0 || slot_path[at - 1] == '\\' || slot_path[at - 1] == '/' ||
                              slot_path[at - 1] == ':';
    return after_folder && std::string_view(slot_path).substr(at) == name;
}

// The state of every slot, from one listing of "FILE.bak*" rather than a look
// at each slot: the listing holds only names that begin with the file's own.
// Its word that a slot is empty is a guess (a name the file system folds in
// case, a link, a listing that failed): the rotation looks at the slot it
// stops at itself.
std::array<SlotState, kKeptVersions + 1> ListedSlotStates(Files& files, const std::string& path) {
    std::array<SlotState, kKeptVersions + 1> states{};
    std::vector<FolderEntry> entries;
    if (!files.ListFolder(BackupPath(path) + "*", entries)) {
        return states;
    }
    for (int slot = 1; slot <= kKeptVersions; ++slot) {
        const std::string slot_path = HistorySlotPath(path, slot);
        for (const FolderEntry& entry : entries) {
            // Whether a link counts as a folder is the file system's word.
            if (!entry.is_link && NamesSlot(slot_path, entry.name)) {
                states[static_cast<std::size_t>(slot)] =
                    entry.is_directory ? SlotState::Folder : SlotState::Version;
                break;
            }
        }
    }
    return states;
}

// One version moved a slot further on.
struct SlotMove {
    int from = 0;
    int to = 0;
};

// Undoes the moves, the last first, so that each slot is free when its
// version comes back to it.
void MoveBack(Files& files, const std::string& path, const std::vector<SlotMove>& moves) {
    for (auto move = moves.rbegin(); move != moves.rend(); ++move) {
        if (!files.Rename(HistorySlotPath(path, move->to), HistorySlotPath(path, move->from))) {
            return;
        }
    }
}

// Frees slot 1 for the newest version. The versions move along the slots
// that hold no folder (a folder named like a slot is passed over, never
// moved), each to the next, up to the first empty slot; when none is empty,
// the oldest version that can be removed gives way, its read-only mark
// cleared first, and older ones that cannot be removed stay where they are.
// The moves made go to `moves`. False when slot 1 holds a folder, or a
// version could not be moved or removed; the moves made are then undone.
bool MakeRoomForNewest(Files& files, const std::string& path, std::vector<SlotMove>& moves) {
    std::vector<int> usable;  // the slots that hold no folder, in order
    std::vector<bool> taken;
    const auto states = ListedSlotStates(files, path);
    for (int slot = 1; slot <= kKeptVersions; ++slot) {
        const SlotState state = states[static_cast<std::size_t>(slot)];
        if (state != SlotState::Folder) {
            usable.push_back(slot);
            taken.push_back(state == SlotState::Version);
        }
    }
    // The gap the versions move up to is looked at itself: a slot the listing
    // did not show must not be taken for one.
    std::size_t free = 0;
    while (free < usable.size()) {
        if (!taken[free]) {
            const auto facts = files.Facts(HistorySlotPath(path, usable[free]));
            if (!facts) {
                break;
            }
            if (facts->is_directory) {
                usable.erase(usable.begin() + static_cast<std::ptrdiff_t>(free));
                taken.erase(taken.begin() + static_cast<std::ptrdiff_t>(free));
                continue;
            }
            taken[free] = true;
        }
        ++free;
    }
    if (usable.empty() || usable.front() != 1) {
        return false;
    }
    if (free == usable.size()) {
        for (free = usable.size() - 1; free > 0; --free) {
            const std::string oldest = HistorySlotPath(path, usable[free]);
            files.MakeWritable(oldest);
            if (files.RemoveFile(oldest)) {
                break;
            }
        }
        if (free == 0) {
            return false;
        }
    }
    for (std::size_t at = free; at > 0; --at) {
        const SlotMove move{usable[at - 1], usable[at]};
        if (!files.Rename(HistorySlotPath(path, move.from), HistorySlotPath(path, move.to))) {
            MoveBack(files, path, moves);
            moves.clear();
            return false;
        }
        moves.push_back(move);
    }
    return true;
}

}  // namespace

std::string BackupPath(const std::string& path) {
    return path + ".bak";
}

std::string HistorySlotPath(const std::string& path, int slot) {
    return slot <= 1 ? BackupPath(path) : BackupPath(path) + std::to_string(slot);
}

HistoryWrite WriteKeepingHistory(Files& files, const std::string& path,
                                 const std::vector<std::string_view>& pieces) {
    const bool had_file = files.Facts(path).has_value();
    const std::string newest = HistorySlotPath(path, 1);
    std::vector<SlotMove> moves;
    const bool room = MakeRoomForNewest(files, path, moves);
    if (!room) {
        // The versions cannot move: keeping versions must not stop the
        // change, so the newest takes the place of version 1, unless a
        // folder stands there.
        const auto facts = files.Facts(newest);
        if (facts && facts->is_directory) {
            return HistoryWrite::BackupInTheWay;
        }
        files.MakeWritable(newest);
    }
    if (files.WriteAtomically(path, pieces, newest)) {
        return HistoryWrite::Written;
    }
    if (!room) {
        return HistoryWrite::BackupInTheWay;
    }
    // Slot 1 was free, so what a failed replace left there is its own backup:
    // a copy of the file, which is still in place, or an empty one for no
    // file. That goes; a backup that is the only copy left of the file stays.
    if (files.Facts(path) || !had_file) {
        files.RemoveFile(newest);
    }
    if (!moves.empty() && !files.Facts(newest)) {
        MoveBack(files, path, moves);
    }
    return HistoryWrite::Failed;
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
