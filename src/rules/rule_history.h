// The former versions a rewrite keeps of a rule file, newest first: "FILE.bak"
// (the one backup every earlier reader knows), then "FILE.bak2" up to
// "FILE.bak10". Each rewrite moves the kept versions up by one slot before it
// replaces the file, so the oldest gives way; a slot a failed rewrite left
// empty is filled by the next one.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/files.h"

namespace tandrel {

constexpr int kKeptVersions = 10;

// The path of the backup that a rewrite keeps beside `path`: the newest of
// the versions kept, the one every earlier reader knows.
std::string BackupPath(const std::string& path);

// The path of history slot `slot` (1 to kKeptVersions) of the file at `path`.
std::string HistorySlotPath(const std::string& path, int slot);

enum class HistoryWrite {
    Written,
    BackupInTheWay,  // the former content could not be kept as "FILE.bak" (a folder
                     // stands there, or it cannot be replaced); the file is as it was
    Failed,          // the file could not be replaced; it is as it was
};

// Replaces `path` with `pieces` atomically, keeping its former content (an
// empty one when there was no file) as the newest version and the others a
// slot further on. The file itself is only ever replaced whole: an
// interruption at any point loses at most the oldest version. When the
// replace fails, the versions are moved back as far as they can be. Keeping
// versions never stops a change: a slot that holds a folder is passed over,
// an oldest version that cannot be removed stays, and when the versions
// cannot move at all the newest takes the place of version 1.
HistoryWrite WriteKeepingHistory(Files& files, const std::string& path,
                                 const std::vector<std::string_view>& pieces);

struct KeptVersion {
    int number = 0;    // 1 for the newest
    std::string path;  // its slot's file
    // What a put-back reads: the facts of the file a link in the slot leads
    // to, and the ContentHash of its bytes where they were read for a list.
    FileFacts facts;
    std::optional<std::uint64_t> content_hash;
};

// The versions there are of `path`, newest first and numbered from 1; an
// empty slot and a folder are passed over. A link in a slot is a version,
// with the facts of what it leads to.
std::vector<KeptVersion> ListKeptVersions(Files& files, const std::string& path);

}  // namespace tandrel
