#include "platform/posix/posix_files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

#include <cstdio>  // renameat2

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdlib>
#include <ctime>
#include <functional>

#include "platform/posix/posix_lock.h"

namespace tandrel {

std::string ToPosixPath(const std::string& host_path, LeadBytePredicate is_lead_byte) {
    return ReplaceCharacter(host_path, '\\', '/', is_lead_byte);
}

namespace {

// Links followed to the end of a chain, as the system does before ELOOP.
constexpr int kMostLinks = 40;

// Closes a descriptor when it goes out of scope, unless released.
class FileDescriptor {
  public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    int get() const { return fd_; }
    // Closes now and tells whether the close (the last chance to see a write
    // error) succeeded.
    bool Close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

  private:
    int fd_;
};

// Opens a file for reading without waiting on a FIFO or a device, and keeps
// it only when it is a plain file; -1 otherwise (errno tells a missing file).
int OpenPlainFile(const std::string& posix_path, int flags) {
    const int fd = ::open(posix_path.c_str(), flags | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0) {
        return -1;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        errno = EINVAL;
        return -1;
    }
    // Plain files never block; the flag only kept the open from waiting.
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

// Writes the pieces one after another, in as few system calls as it takes.
bool WriteAllPieces(int fd, const std::vector<std::string_view>& pieces) {
    std::vector<iovec> parts;
    parts.reserve(pieces.size());
    for (const std::string_view piece : pieces) {
        if (!piece.empty()) {
            parts.push_back({const_cast<char*>(piece.data()), piece.size()});
        }
    }
    for (std::size_t next = 0; next < parts.size();) {
        const int count = static_cast<int>(std::min<std::size_t>(parts.size() - next, IOV_MAX));
        const ssize_t written = ::writev(fd, parts.data() + next, count);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        if (written == 0) {
            return false;
        }
        // Past the parts written whole, and into the one written in part.
        auto left = static_cast<std::size_t>(written);
        while (next < parts.size() && left >= parts[next].iov_len) {
            left -= parts[next].iov_len;
            ++next;
        }
        if (left > 0) {
            parts[next].iov_base = static_cast<char*>(parts[next].iov_base) + left;
            parts[next].iov_len -= left;
        }
    }
    return true;
}

std::string FolderOf(const std::string& posix_path) {
    const auto slash = posix_path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? std::string("/") : posix_path.substr(0, slash);
}

std::string BaseNameOf(const std::string& posix_path) {
    const auto slash = posix_path.rfind('/');
    return slash == std::string::npos ? posix_path : posix_path.substr(slash + 1);
}

mode_t ModeForNewFile(const std::string& posix_target) {
    struct stat existing {};
    if (::stat(posix_target.c_str(), &existing) == 0) {
        return existing.st_mode & 07777;
    }
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Writes the pieces, one after another, into a fresh temporary file beside
// `posix_target`, flushed to disk. Returns its path, or an empty text when
// anything failed (then no temporary file is left).
std::string WriteTemporaryBeside(const std::string& posix_target,
                                 const std::vector<std::string_view>& pieces) {
    std::string temp_path =
        FolderOf(posix_target) + "/." + BaseNameOf(posix_target) + ".tandrel-XXXXXX";
    FileDescriptor fd(::mkstemp(temp_path.data()));
    if (fd.get() < 0) {
        return std::string();
    }
    const bool written = WriteAllPieces(fd.get(), pieces) &&
                         ::fchmod(fd.get(), ModeForNewFile(posix_target)) == 0 &&
                         ::fsync(fd.get()) == 0;
    if (!fd.Close() || !written) {
        ::unlink(temp_path.c_str());
        return std::string();
    }
    return temp_path;
}

bool ReplaceWith(const std::string& posix_target, const std::string& content) {
    const DeferredSignals deferred;  // no temporary file is left behind
    const std::string temp_path = WriteTemporaryBeside(posix_target, {content});
    if (temp_path.empty()) {
        return false;
    }
    if (::rename(temp_path.c_str(), posix_target.c_str()) != 0) {
        ::unlink(temp_path.c_str());
        return false;
    }
    return true;
}

bool Exists(const std::string& posix_path) {
    struct stat info {};
    return ::lstat(posix_path.c_str(), &info) == 0;
}

bool IsDirectory(const std::string& posix_path) {
    struct stat info {};
    return ::stat(posix_path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// Makes `posix_backup` hold what `posix_target` holds now, replacing any older
// backup in one step; where there is no file, nothing is kept and
// `posix_backup` is left as it is. A hard link costs no copy; where the file system has
// none, the content is copied.
bool KeepAsBackup(PosixFiles& files, const std::string& posix_target,
                  const std::string& posix_backup) {
    struct stat info {};
    if (::lstat(posix_target.c_str(), &info) != 0) {
        // Nothing to keep where there is no file; a file the system cannot
        // look at now is no reason to keep nothing of it.
        return errno == ENOENT || errno == ENOTDIR;
    }
    std::string link_path = FolderOf(posix_backup) + "/." + BaseNameOf(posix_backup) + ".XXXXXX";
    FileDescriptor placeholder(::mkstemp(link_path.data()));
    if (placeholder.get() >= 0) {
        placeholder.Close();
        ::unlink(link_path.c_str());
        if (::link(posix_target.c_str(), link_path.c_str()) == 0) {
            const bool renamed = ::rename(link_path.c_str(), posix_backup.c_str()) == 0;
            // When the backup already is a link of the same file, the rename
            // does nothing and leaves the new link behind.
            ::unlink(link_path.c_str());
            return renamed;
        }
    }
    std::string former;
    if (files.ReadFile(posix_target, former) != ReadStatus::Ok) {
        return false;
    }
    return ReplaceWith(posix_backup, former);
}

// Reads a file (not a folder) in pieces small enough to stay in the
// processor's cache while looked at: `sized` first gets the size the file
// has when opened, then `take` each piece in order.
ReadStatus ReadPieces(const std::string& posix_path, const std::function<void(off_t)>& sized,
                      const std::function<void(std::string_view)>& take) {
    FileDescriptor fd(OpenPlainFile(posix_path, O_RDONLY));
    if (fd.get() < 0) {
        return (errno == ENOENT || errno == ENOTDIR) ? ReadStatus::Missing : ReadStatus::Failed;
    }
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0) {
        return ReadStatus::Failed;
    }
    sized(info.st_size);
    std::array<char, 65536> buffer{};
    for (;;) {
        const ssize_t got = ::read(fd.get(), buffer.data(), buffer.size());
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            return ReadStatus::Failed;
        }
        if (got == 0) {
            return ReadStatus::Ok;
        }
        take(std::string_view(buffer.data(), static_cast<std::size_t>(got)));
    }
}

}  // namespace

std::string PosixFiles::Posix(const std::string& host_path) const {
    return ToPosixPath(host_path, is_lead_byte_);
}

ReadStatus PosixFiles::ReadFile(const std::string& path, std::string& content) {
    content.clear();
    const ReadStatus status = ReadPieces(
        Posix(path),
        [&content](off_t size) {
            if (size > 0) {
                content.reserve(static_cast<std::size_t>(size));
            }
        },
        [&content](std::string_view piece) { content += piece; });
    if (status != ReadStatus::Ok) {
        content.clear();
    }
    return status;
}

ReadStatus PosixFiles::ReadFileInPieces(const std::string& path,
                                        const std::function<void(std::string_view)>& take) {
    return ReadPieces(
        Posix(path), [](off_t) {}, take);
}

namespace {

// A temporary file written beside its target; the signals that would leave it
// behind are held back while it exists.
class PosixStagedReplacement final : public StagedReplacement {
  public:
    PosixStagedReplacement(std::unique_ptr<DeferredSignals> deferred, std::string target,
                           std::string temp_path)
        : deferred_(std::move(deferred)),
          target_(std::move(target)),
          temp_path_(std::move(temp_path)) {}
    PosixStagedReplacement(const PosixStagedReplacement&) = delete;
    PosixStagedReplacement& operator=(const PosixStagedReplacement&) = delete;
    ~PosixStagedReplacement() override {
        if (!temp_path_.empty()) {
            ::unlink(temp_path_.c_str());
        }
    }

    const std::string& target() const { return target_; }
    // Renames the temporary file over the target; it is no longer this one's.
    bool RenameOverTarget() {
        if (::rename(temp_path_.c_str(), target_.c_str()) != 0) {
            return false;
        }
        temp_path_.clear();
        return true;
    }

  private:
    std::unique_ptr<DeferredSignals> deferred_;  // first, so that it goes last
    std::string target_;
    std::string temp_path_;
};

}  // namespace

std::unique_ptr<StagedReplacement> PosixFiles::StageReplacement(
    const std::string& path, const std::vector<std::string_view>& pieces) {
    auto deferred = std::make_unique<DeferredSignals>();
    std::string target = Posix(path);
    std::string temp_path = WriteTemporaryBeside(target, pieces);
    if (temp_path.empty()) {
        return nullptr;
    }
    return std::make_unique<PosixStagedReplacement>(std::move(deferred), std::move(target),
                                                    std::move(temp_path));
}

bool PosixFiles::PutInPlace(std::unique_ptr<StagedReplacement> staged,
                            const std::string& backup_path) {
    // Only this port stages what it is given back.
    auto& replacement = static_cast<PosixStagedReplacement&>(*staged);
    return (backup_path.empty() || KeepAsBackup(*this, replacement.target(), Posix(backup_path))) &&
           replacement.RenameOverTarget();
}

bool PosixFiles::AppendFile(const std::string& path, const std::string& content) {
    FileDescriptor fd(OpenPlainFile(Posix(path), O_WRONLY | O_APPEND | O_CREAT));
    if (fd.get() < 0) {
        return false;
    }
    const bool written = WriteAllPieces(fd.get(), {content});
    return fd.Close() && written;
}

ReadStatus PosixFiles::ReadFileEnd(const std::string& path, std::size_t count, std::string& end) {
    end.clear();
    FileDescriptor fd(OpenPlainFile(Posix(path), O_RDONLY));
    if (fd.get() < 0) {
        return (errno == ENOENT || errno == ENOTDIR) ? ReadStatus::Missing : ReadStatus::Failed;
    }
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0) {
        return ReadStatus::Failed;
    }
    const auto size = static_cast<std::size_t>(info.st_size);
    end.resize(std::min(count, size));
    std::size_t got = 0;
    while (got < end.size()) {
        const ssize_t read = ::pread(fd.get(), &end[got], end.size() - got,
                                     static_cast<off_t>(size - end.size() + got));
        if (read < 0 && errno == EINTR) {
            continue;
        }
        if (read <= 0) {
            end.clear();
            return ReadStatus::Failed;
        }
        got += static_cast<std::size_t>(read);
    }
    return ReadStatus::Ok;
}

LockTry PosixFiles::TryLock(const std::string& lock_path, std::unique_ptr<FileLock>& lock) {
    return TryLockFile(Posix(lock_path), lock);
}

std::uint64_t PosixFiles::Microseconds() {
    return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::microseconds>(
                                          std::chrono::steady_clock::now().time_since_epoch())
                                          .count());
}

void PosixFiles::Pause(std::uint64_t microseconds) {
    timespec pause{};
    pause.tv_sec = static_cast<time_t>(microseconds / 1000000);
    pause.tv_nsec = static_cast<long>(microseconds % 1000000) * 1000;
    ::nanosleep(&pause, nullptr);
}

std::string PosixFiles::ResolveLinks(const std::string& path) {
    std::string current = Posix(path);
    for (int links = 0; links < kMostLinks; ++links) {
        struct stat info {};
        if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
            // No link: the path as it was given, as the port promises.
            if (links == 0) {
                return path;
            }
            break;
        }
        std::string target(PATH_MAX, '\0');
        const ssize_t length = ::readlink(current.c_str(), target.data(), target.size());
        if (length <= 0 || static_cast<std::size_t>(length) >= target.size()) {
            break;
        }
        target.resize(static_cast<std::size_t>(length));
        current = target.front() == '/' ? target : FolderOf(current) + "/" + target;
    }
    // The result is taken as a host path again: one with a "\" in a name
    // would be another path then, so such a link is not followed.
    if (FindCharacter(current, '\\', is_lead_byte_) != std::string::npos) {
        return path;
    }
    return current;
}

bool PosixFiles::IsReadOnly(const std::string& path) {
    const std::string posix_path = Posix(path);
    struct stat info {};
    if (::stat(posix_path.c_str(), &info) != 0) {
        return false;
    }
    // No write permission for anyone is the read-only mark, as Windows has
    // one; it counts also for the superuser, who could write anyway. (The
    // replace itself needs only the folder's permission.)
    return (info.st_mode & 0222) == 0;
}

bool PosixFiles::MakeWritable(const std::string& path) {
    const std::string posix_path = Posix(path);
    struct stat info {};
    if (::lstat(posix_path.c_str(), &info) != 0 || !S_ISREG(info.st_mode) ||
        (info.st_mode & 0222) != 0) {
        return true;
    }
    return ::chmod(posix_path.c_str(), (info.st_mode & 07777) | S_IWUSR) == 0;
}

bool PosixFiles::IsLink(const std::string& path) {
    struct stat info {};
    return ::lstat(Posix(path).c_str(), &info) == 0 && S_ISLNK(info.st_mode);
}

bool PosixFiles::CanOpenForReading(const std::string& path) {
    // Windows cannot open a folder as a file; neither can this port, nor does
    // it wait on a FIFO.
    FileDescriptor fd(OpenPlainFile(Posix(path), O_RDONLY));
    return fd.get() >= 0;
}

namespace {

// The entries of `folder` (a POSIX path), in the file system's order, to
// `visit` until it returns false; a link tells whether it leads to a folder.
bool VisitEntries(const std::string& folder, const std::function<bool(const FolderEntry&)>& visit) {
    const std::string opened = folder.empty() ? std::string(".") : folder;
    DIR* dir = ::opendir(opened.c_str());
    if (dir == nullptr) {
        return false;
    }
    // A listing cut short by an error is no listing (the port's contract):
    // readdir tells its end from an error only by errno.
    bool whole = true;
    for (;;) {
        errno = 0;
        const dirent* entry = ::readdir(dir);
        if (entry == nullptr) {
            whole = errno == 0;
            break;
        }
        FolderEntry listed{entry->d_name, entry->d_type == DT_DIR, entry->d_type == DT_LNK};
        const std::string path = opened + "/" + listed.name;
        if (entry->d_type == DT_UNKNOWN) {
            struct stat info {};
            listed.is_link = ::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode);
        }
        if (entry->d_type == DT_UNKNOWN || listed.is_link) {
            listed.is_directory = IsDirectory(path);
        }
        if (!visit(listed)) {
            break;
        }
    }
    ::closedir(dir);
    return whole;
}

}  // namespace

bool PosixFiles::ListFolder(const std::string& pattern, std::vector<FolderEntry>& entries) {
    entries.clear();
    const ListPattern parts = SplitListPattern(Posix(pattern), is_lead_byte_);
    const bool whole = VisitEntries(parts.folder, [&](const FolderEntry& entry) {
        if (MatchesListPattern(entry.name, parts.name)) {
            entries.push_back(entry);
        }
        return true;
    });
    if (!whole) {
        entries.clear();
    }
    return whole;
}

bool PosixFiles::VisitFolder(const std::string& folder,
                             const std::function<bool(const FolderEntry&)>& visit) {
    return VisitEntries(Posix(folder), visit);
}

bool PosixFiles::MakeDirectory(const std::string& path) {
    const std::string posix_path = Posix(path);
    if (::mkdir(posix_path.c_str(), 0777) == 0) {
        return true;
    }
    return errno == EEXIST && IsDirectory(posix_path);
}

std::optional<std::uint64_t> PosixFiles::FileSize(const std::string& path) {
    struct stat info {};
    if (::stat(Posix(path).c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return std::nullopt;
    }
    return static_cast<std::uint64_t>(info.st_size);
}

std::optional<FileFacts> PosixFiles::Facts(const std::string& path) {
    struct stat info {};
    if (::lstat(Posix(path).c_str(), &info) != 0) {
        return std::nullopt;
    }
    FileFacts facts;
    facts.is_directory = S_ISDIR(info.st_mode);
    facts.size = facts.is_directory ? 0 : static_cast<std::uint64_t>(info.st_size);
    facts.modified = static_cast<std::int64_t>(info.st_mtime);
    return facts;
}

bool PosixFiles::TruncateFile(const std::string& path, std::uint64_t size) {
    return ::truncate(Posix(path).c_str(), static_cast<off_t>(size)) == 0;
}

bool PosixFiles::RemoveFile(const std::string& path) {
    const std::string posix_path = Posix(path);
    return ::unlink(posix_path.c_str()) == 0 || errno == ENOENT;
}

bool PosixFiles::Rename(const std::string& from, const std::string& to) {
    const std::string source = Posix(from);
    const std::string target = Posix(to);
#ifdef RENAME_NOREPLACE
    // One step that refuses a taken name, where the file system has it.
    if (::renameat2(AT_FDCWD, source.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0) {
        return true;
    }
    if (errno != EINVAL && errno != ENOSYS) {
        return false;
    }
#endif
    if (Exists(target)) {
        return false;
    }
    return ::rename(source.c_str(), target.c_str()) == 0;
}

}  // namespace tandrel
