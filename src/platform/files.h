// Files port: the file operations the core needs, on host paths.
//
// Host paths use "\" as separator (the POSIX adapter maps it to "/").
// Texts are bytes: nothing is converted, and content is read and written in
// binary, so CR LF line ends stand in the content as they do on disk.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "text/characters.h"

namespace tandrel {

enum class ReadStatus {
    Ok,       // the content was read whole
    Missing,  // there is no such file (or folder on the way to it)
    Failed,   // it exists but could not be opened or read, or it is no plain
              // file (a folder, a FIFO, a device): such a file is never waited on
};

struct FolderEntry {
    std::string name;  // bare name, without the folder
    bool is_directory = false;
    bool is_link = false;  // a symbolic link, junction or other reparse point
};

// A lock file held while a file is rewritten; it is removed when this is.
class FileLock {
  public:
    virtual ~FileLock() = default;
};

// A replacement written whole beside the file it is to replace and not yet
// in its place (Files::StageReplacement). Its temporary file is removed when
// this goes, unless Files::PutInPlace put it in place.
class StagedReplacement {
  public:
    virtual ~StagedReplacement() = default;
};

// What the file system tells of an entry without opening it.
struct FileFacts {
    bool is_directory = false;
    std::uint64_t size = 0;     // of a file; 0 for a folder
    std::int64_t modified = 0;  // last change, in seconds since 1970-01-01 UTC
};

enum class LockStatus {
    Locked,  // this writer holds the lock
    Busy,    // another writer held it for as long as this one waited
    Failed,  // the lock file could not be made
};

// One try at a lock file.
enum class LockTry {
    Taken,   // this writer holds the lock now
    Held,    // another writer holds it
    Failed,  // the lock file could not be made
};

// How an operation tells a lock it could not take: `busy` or `failed`, or
// nullopt when the lock is held.
template <typename Result>
std::optional<Result> LockRefusal(LockStatus status, Result busy, Result failed) {
    switch (status) {
        case LockStatus::Locked:
            return std::nullopt;
        case LockStatus::Busy:
            return busy;
        case LockStatus::Failed:
            break;
    }
    return failed;
}

class Files {
  public:
    virtual ~Files() = default;

    // Reads the whole file into `content` (cleared first).
    virtual ReadStatus ReadFile(const std::string& path, std::string& content) = 0;

    // Reads the file a piece at a time and hands each to `take`, in order;
    // together they are the whole file. For a caller that looks at a large
    // file once, so it need not be held whole. After Failed the pieces handed
    // over are not the whole file. By default the file is read whole and
    // handed over as one piece.
    virtual ReadStatus ReadFileInPieces(const std::string& path,
                                        const std::function<void(std::string_view)>& take);

    // Replaces `path` atomically with `pieces` written one after another (so
    // that a caller changing a little of a large text need not join it): a
    // temporary file beside it is written, flushed and renamed over it. With a
    // `backup_path`, the former file is kept there (where there was no file,
    // nothing is kept and `backup_path` is left as it is), and the target is
    // not touched when the backup cannot be made; an empty `backup_path`
    // keeps none. On failure the old file stays
    // byte for byte and no temporary file is left behind. The same as
    // StageReplacement and then PutInPlace.
    bool WriteAtomically(const std::string& path, const std::vector<std::string_view>& pieces,
                         const std::string& backup_path);

    // The first half of WriteAtomically: writes `pieces` whole into a
    // temporary file beside `path`, flushed, and touches nothing else, so a
    // caller that must move other files for the replace (a rule file's kept
    // versions) moves them only once the new content is safe. Nullptr when
    // it could not be written; nothing is left behind then.
    virtual std::unique_ptr<StagedReplacement> StageReplacement(
        const std::string& path, const std::vector<std::string_view>& pieces) = 0;

    // The second half: puts a replacement this port staged in the place of
    // its file, keeping the former file at `backup_path`, as WriteAtomically
    // does. On failure the file stays as it was and the temporary file goes.
    virtual bool PutInPlace(std::unique_ptr<StagedReplacement> staged,
                            const std::string& backup_path) = 0;

    // Appends `content`, creating the file if needed. Not atomic: a failed
    // append may leave part of `content` at the end of the file. Refuses what
    // is not a plain file.
    virtual bool AppendFile(const std::string& path, const std::string& content) = 0;

    // The last `count` bytes of the file (all of it when it is shorter) into
    // `end`. By default the file is read whole.
    virtual ReadStatus ReadFileEnd(const std::string& path, std::size_t count, std::string& end);

    // One writer at a time: makes "{path}.lock" exclusively, as a writer about
    // to read, change and replace `path` does. While another writer holds it,
    // it tries again after pauses of uneven length, for at most five seconds.
    // The lock is held until `lock` is destroyed. The same everywhere: an
    // adapter supplies one try, its clock and its pause.
    LockStatus LockForWriting(const std::string& path, std::unique_ptr<FileLock>& lock);

    // The file a symbolic link at `path` ends at, so that a rewrite replaces
    // the target (with its backup beside it), not the link; `path` itself when
    // it is no link. By default paths are taken as they are.
    virtual std::string ResolveLinks(const std::string& path);

    // Whether the file exists and is marked read-only (no write permission
    // bits on POSIX, the read-only attribute on Windows).
    virtual bool IsReadOnly(const std::string& path) = 0;

    // Takes the read-only mark off a file (gives its owner write permission
    // on POSIX), so that it can be removed where the system refuses to
    // remove a read-only file; true when it carries no such mark afterwards.
    virtual bool MakeWritable(const std::string& path) = 0;

    // Whether `path` itself (not what it leads to) is a symbolic link, or on
    // Windows a symbolic link or junction.
    virtual bool IsLink(const std::string& path) = 0;

    // True when the file can be opened for reading (it is closed at once).
    virtual bool CanOpenForReading(const std::string& path) = 0;

    // Lists `pattern`: a folder path, "\" and a name that may end in "*"
    // ("C:\Data\Main\!!!*", "C:\Data\AddrBook\@*", or one exact name). Entries
    // come in the file system's order, "." and ".." included when they match.
    // False, with no entries, when the folder cannot be listed or its
    // listing is cut short by an error: a caller would take what is missing
    // for absent. A folder without a match gives true and no entries.
    virtual bool ListFolder(const std::string& pattern, std::vector<FolderEntry>& entries) = 0;

    // Hands the entries of `folder` (ending with a separator) to `visit` in
    // the file system's order until it returns false, reading no more of the
    // listing than it must: to find one sub-folder in a folder of hundreds.
    // False when the folder cannot be listed or its listing is cut short by
    // an error, as ListFolder (entries may have been handed over by then).
    // By default over ListFolder.
    virtual bool VisitFolder(const std::string& folder,
                             const std::function<bool(const FolderEntry&)>& visit);

    // Makes one directory; true when it exists as a directory afterwards.
    virtual bool MakeDirectory(const std::string& path) = 0;

    // The size of a file in bytes; nullopt when it is missing or not a file.
    virtual std::optional<std::uint64_t> FileSize(const std::string& path) = 0;

    // The facts of the entry at `path` itself (a link is not followed);
    // nullopt when nothing is there.
    virtual std::optional<FileFacts> Facts(const std::string& path) = 0;

    // Cuts a file back to `size` bytes (to undo a failed append).
    virtual bool TruncateFile(const std::string& path, std::uint64_t size) = 0;

    // Removes a file; true when it is gone afterwards.
    virtual bool RemoveFile(const std::string& path) = 0;

    // Gives a file or folder a new path; fails when the new path is taken.
    virtual bool Rename(const std::string& from, const std::string& to) = 0;

  protected:
    // One try at making the lock file `lock_path`.
    virtual LockTry TryLock(const std::string& lock_path, std::unique_ptr<FileLock>& lock) = 0;
    // A steady clock, in microseconds from any start, and a pause.
    virtual std::uint64_t Microseconds() = 0;
    virtual void Pause(std::uint64_t microseconds) = 0;
};

// Whether `path` (a trailing "\\" allowed) names an existing directory.
bool IsExistingDirectory(Files& files, const std::string& path, LeadBytePredicate is_lead_byte);

// The lock file of `path`.
std::string LockPath(const std::string& path);

// A listing pattern taken apart at its last "\" or "/": the folder and the name.
struct ListPattern {
    std::string folder;  // empty for a bare name
    std::string name;    // "prefix*" or an exact name
};
ListPattern SplitListPattern(const std::string& pattern, LeadBytePredicate is_lead_byte);

// Whether an entry name matches the name part of a pattern: a prefix when it
// ends in "*", else the whole name. Case-sensitive.
bool MatchesListPattern(const std::string& entry_name, const std::string& pattern_name);

}  // namespace tandrel
