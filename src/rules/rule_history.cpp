#include "rules/rule_history.h"

#include <array>
#include <memory>
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

// The names a version stands under while it gives way, past the last slot:
// "FILE.bak11", or "FILE.bak12" and "FILE.bak13" where one before is stuck.
// It is put back when the rewrite fails and removed when it is done; no list
// shows it, and a rewrite removes one an interrupted rewrite left.
constexpr int kGivingWayNames = 3;

std::string GivingWayPath(const std::string& path, int which) {
    return HistorySlotPath(path, kKeptVersions + 1 + which);
}

// The slots as one listing of "FILE.bak*" tells them, rather than a look at
// each slot: the listing holds only names that begin with the file's own.
// Its word that a slot is empty is a guess (a name the file system folds in
// case, a link, a listing that failed): the rotation looks at the slot it
// stops at itself.
struct ListedSlots {
    std::array<SlotState, kKeptVersions + 1> states{};
    std::array<bool, kGivingWayNames> giving_way_left{};  // left by an interrupted rewrite
};

ListedSlots ListSlots(Files& files, const std::string& path) {
    ListedSlots listed;
    std::vector<FolderEntry> entries;
    if (!files.ListFolder(BackupPath(path) + "*", entries)) {
        return listed;
    }
    for (int which = 0; which < kGivingWayNames; ++which) {
        const std::string giving_way = GivingWayPath(path, which);
        for (const FolderEntry& entry : entries) {
            if (!entry.is_directory && NamesSlot(giving_way, entry.name)) {
                listed.giving_way_left[static_cast<std::size_t>(which)] = true;
            }
        }
    }
    for (int slot = 1; slot <= kKeptVersions; ++slot) {
        const std::string slot_path = HistorySlotPath(path, slot);
        for (const FolderEntry& entry : entries) {
            // Whether a link counts as a folder is the file system's word.
            if (!entry.is_link && NamesSlot(slot_path, entry.name)) {
                listed.states[static_cast<std::size_t>(slot)] =
                    entry.is_directory ? SlotState::Folder : SlotState::Version;
                break;
            }
        }
    }
    return listed;
}

// Removes a version that gave way, its read-only mark cleared first; false
// when something is still there.
bool RemoveGivingWay(Files& files, const std::string& giving_way) {
    files.MakeWritable(giving_way);
    return files.RemoveFile(giving_way) && !files.Facts(giving_way);
}

// One version moved a slot further on.
struct SlotMove {
    int from = 0;
    int to = 0;
};

// A version standing aside to give way.
struct SetAsideVersion {
    int slot = 0;
    std::string giving_way;
};

// The room a rewrite made for its newest version: the versions moved up, and
// those standing aside.
struct Room {
    std::vector<SlotMove> moves;
    std::vector<SetAsideVersion> set_aside;
};

// Sets the version in `slot` aside to give way, under the first name that is
// free or can be freed; false when it cannot move.
bool SetAside(Files& files, const std::string& path, int slot, Room& room) {
    for (int which = 0; which < kGivingWayNames; ++which) {
        std::string giving_way = GivingWayPath(path, which);
        if (files.Facts(giving_way) && !RemoveGivingWay(files, giving_way)) {
            continue;  // stuck: the next name
        }
        if (!files.Rename(HistorySlotPath(path, slot), giving_way)) {
            return false;
        }
        room.set_aside.push_back({slot, std::move(giving_way)});
        return true;
    }
    return false;
}

// Undoes the room made: the moves, the last first, so that each slot is free
// when its version comes back to it, then the versions set aside.
void GiveBackRoom(Files& files, const std::string& path, Room& room) {
    for (auto move = room.moves.rbegin(); move != room.moves.rend(); ++move) {
        if (!files.Rename(HistorySlotPath(path, move->to), HistorySlotPath(path, move->from))) {
            return;
        }
    }
    room.moves.clear();
    while (!room.set_aside.empty() &&
           files.Rename(room.set_aside.back().giving_way,
                        HistorySlotPath(path, room.set_aside.back().slot))) {
        room.set_aside.pop_back();
    }
}

// Frees slot 1 for the newest version. The versions move along the slots
// that hold no folder (a folder named like a slot is passed over, never
// moved), each to the next, up to the first empty slot; when none is empty,
// the oldest version that can move sets itself aside to give way (older
// ones that cannot move stay where they are). False when slot 1 holds a
// folder, or a version could not be moved; what was done is then undone.
bool MakeRoomForNewest(Files& files, const std::string& path, Room& room) {
    std::vector<int> usable;  // the slots that hold no folder, in order
    std::vector<bool> taken;
    const ListedSlots listed = ListSlots(files, path);
    for (int which = 0; which < kGivingWayNames; ++which) {
        if (listed.giving_way_left[static_cast<std::size_t>(which)]) {
            RemoveGivingWay(files, GivingWayPath(path, which));
        }
    }
    for (int slot = 1; slot <= kKeptVersions; ++slot) {
        const SlotState state = listed.states[static_cast<std::size_t>(slot)];
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
            const std::string slot_path = HistorySlotPath(path, usable[free]);
            const auto facts = files.Facts(slot_path);
            if (!facts) {
                break;
            }
            // A link to a folder (a junction on Windows) moves as a version.
            if (facts->is_directory && !files.IsLink(slot_path)) {
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
            if (SetAside(files, path, usable[free], room)) {
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
            GiveBackRoom(files, path, room);
            return false;
        }
        room.moves.push_back(move);
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
    // The new content is written whole before any version moves: a write
    // that cannot finish leaves every version as it was.
    std::unique_ptr<StagedReplacement> staged = files.StageReplacement(path, pieces);
    if (staged == nullptr) {
        return HistoryWrite::Failed;
    }
    const bool had_file = files.Facts(path).has_value();
    const std::string newest = HistorySlotPath(path, 1);
    Room room;
    const bool room_made = MakeRoomForNewest(files, path, room);
    // Slot 1 is free when the versions moved up, held nothing, or version 1
    // stood aside.
    bool newest_was_free = room_made;
    if (!room_made) {
        // The versions cannot move: keeping versions must not stop the
        // change, so the newest takes the place of version 1, unless a
        // folder stands there. Version 1 stands aside until the replace is
        // done where it can.
        const auto facts = files.Facts(newest);
        if (facts && facts->is_directory) {
            return HistoryWrite::BackupInTheWay;
        }
        newest_was_free = !facts || SetAside(files, path, 1, room);
        if (!newest_was_free) {
            files.MakeWritable(newest);
        }
    }
    // Where there was no file, its newest version is an empty one, so that
    // putting it back empties the file again; but never in place of a
    // version 1 that could not give way.
    const bool newest_kept =
        had_file || !newest_was_free || files.WriteAtomically(newest, {}, std::string());
    if (newest_kept && files.PutInPlace(std::move(staged), newest)) {
        for (const SetAsideVersion& version : room.set_aside) {
            RemoveGivingWay(files, version.giving_way);
        }
        return HistoryWrite::Written;
    }
    // Slot 1 was free, so what a failed replace left there is its own backup:
    // a copy of the file, which is still in place, or the empty one for no
    // file. That goes; a backup that is the only copy left of the file stays.
    if (newest_was_free) {
        if (files.Facts(path) || !had_file) {
            files.RemoveFile(newest);
        }
        if (!files.Facts(newest)) {
            GiveBackRoom(files, path, room);
        }
    }
    return room_made ? HistoryWrite::Failed : HistoryWrite::BackupInTheWay;
}

std::vector<KeptVersion> ListKeptVersions(Files& files, const std::string& path) {
    std::vector<KeptVersion> versions;
    for (int slot = 1; slot <= kKeptVersions; ++slot) {
        const std::string slot_path = HistorySlotPath(path, slot);
        auto facts = files.Facts(slot_path);
        if (!facts) {
            continue;
        }
        // A link is a version, also one to a folder (a folder on Windows).
        const bool link = files.IsLink(slot_path);
        if (facts->is_directory && !link) {
            continue;
        }
        if (link) {
            if (const auto led_to = files.Facts(files.ResolveLinks(slot_path))) {
                facts = led_to;
            }
        }
        versions.push_back({static_cast<int>(versions.size()) + 1, slot_path, *facts, {}});
    }
    return versions;
}

}  // namespace tandrel
