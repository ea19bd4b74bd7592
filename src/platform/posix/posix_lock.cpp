#include "platform/posix/posix_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <optional>
#include <string>

namespace tandrel {

namespace {

// This process's host name.
std::string HostName() {
    std::array<char, HOST_NAME_MAX + 1> host{};
    if (::gethostname(host.data(), host.size() - 1) != 0) {
        host[0] = '\0';
    }
    return host.data();
}

// When the process `pid` started, in clock ticks after the system started:
// the 22nd field of /proc/PID/stat, after the name in parentheses (which may
// hold blanks and parentheses itself). Nullopt where it cannot be read.
std::optional<std::string> ProcessStartTime(pid_t pid) {
    const int fd = ::open(("/proc/" + std::to_string(pid) + "/stat").c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return std::nullopt;
    }
    std::array<char, 1024> text{};
    const ssize_t got = ::read(fd, text.data(), text.size() - 1);
    ::close(fd);
    if (got <= 0) {
        return std::nullopt;
    }
    const std::string stat(text.data(), static_cast<std::size_t>(got));
    const auto name_end = stat.rfind(')');
    if (name_end == std::string::npos) {
        return std::nullopt;
    }
    // Fields 3 to 21, each followed by a blank, then the start time.
    std::size_t at = name_end + 1;
    for (int field = 3; field <= 22 && at != std::string::npos; ++field) {
        at = stat.find_first_not_of(' ', at);
        if (at == std::string::npos) {
            break;
        }
        const std::size_t end = stat.find_first_of(" \n", at);
        if (field == 22) {
            const std::string start = stat.substr(at, end - at);
            if (start.empty() || start.find_first_not_of("0123456789") != std::string::npos) {
                return std::nullopt;
            }
            return start;
        }
        at = end;
    }
    return std::nullopt;
}

// Names this process, its host and when it started in the lock file: "PID
// HOST START"; "PID HOST" where the start time cannot be read.
// The line goes over the former one before the rest is cut off, so that a
// writer stopped in between leaves a file that names a holder all the same.
bool WriteHolder(int fd) {
    const auto started = ProcessStartTime(::getpid());
    const std::string holder = std::to_string(::getpid()) + " " + HostName() +
                               (started ? " " + *started : std::string()) + "\n";
    return ::pwrite(fd, holder.data(), holder.size(), 0) == static_cast<ssize_t>(holder.size()) &&
           ::ftruncate(fd, static_cast<off_t>(holder.size())) == 0;
}

// Whether the lock file read from `fd`, whose advisory lock the caller
// holds, names a holder on this host whose process is gone: there is no such
// process, or the process with that number started at another time than the
// holder (the number was given again). An empty lock file names no holder
// that is left: every writer names itself before it lets go of the advisory
// lock, so one stopped while it made the file left it so. Its first line
// counts; one without a start time is judged by its number alone.
bool HolderIsGone(int fd) {
    std::array<char, 512> text{};
    const ssize_t got = ::pread(fd, text.data(), text.size() - 1, 0);
    if (got == 0) {
        return true;
    }
    if (got < 0) {
        return false;
    }
    std::string holder(text.data(), static_cast<std::size_t>(got));
    if (const auto line_end = holder.find('\n'); line_end != std::string::npos) {
        holder.resize(line_end + 1);
    }
    char* end = nullptr;
    const long pid = std::strtol(holder.c_str(), &end, 10);
    if (pid <= 0 || end == holder.c_str() || *end != ' ' || holder.back() != '\n') {
        return false;
    }
    // "HOST" or "HOST START", then the line end.
    const std::string rest = holder.substr(static_cast<std::size_t>(end + 1 - holder.c_str()));
    const std::string host = HostName();
    const bool with_start = rest.size() > host.size() + 1 &&
                            rest.compare(0, host.size(), host) == 0 && rest[host.size()] == ' ';
    if (rest != host + "\n" && !with_start) {
        return false;
    }
    // EPERM: the process is there, another user's.
    if (::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH) {
        return true;
    }
    if (!with_start) {
        return false;
    }
    const std::string recorded = rest.substr(host.size() + 1, rest.size() - host.size() - 2);
    const auto started = ProcessStartTime(static_cast<pid_t>(pid));
    return started && *started != recorded;
}

bool SameFile(int fd, const std::string& path) {
    struct stat held {};
    struct stat named {};
    return ::fstat(fd, &held) == 0 && ::lstat(path.c_str(), &named) == 0 &&
           held.st_dev == named.st_dev && held.st_ino == named.st_ino;
}

class PosixFileLock final : public FileLock {
  public:
    PosixFileLock(std::unique_ptr<DeferredSignals> deferred, std::string posix_path, int fd)
        : deferred_(std::move(deferred)), posix_path_(std::move(posix_path)), fd_(fd) {}
    PosixFileLock(const PosixFileLock&) = delete;
    PosixFileLock& operator=(const PosixFileLock&) = delete;
    // The name goes before the advisory lock: a waiter that took the
    // advisory lock finds the name gone, or another file's.
    ~PosixFileLock() override {
        ::unlink(posix_path_.c_str());
        ::close(fd_);
    }

  private:
    std::unique_ptr<DeferredSignals> deferred_;  // first, so that it goes last
    std::string posix_path_;
    int fd_;
};

std::string FolderOf(const std::string& posix_path) {
    const auto slash = posix_path.rfind('/');
    return slash == std::string::npos ? std::string(".") : posix_path.substr(0, slash + 1);
}

// Takes over the lock file at `path` when its holder is known to be gone.
std::optional<int> TakeOver(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDWR | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        return std::nullopt;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && HolderIsGone(fd) && SameFile(fd, path) &&
        WriteHolder(fd)) {
        return fd;
    }
    ::close(fd);
    return std::nullopt;
}

// Whether a failed link or advisory lock says the file system has none.
bool IsUnsupported(int error) {
    return error == EPERM || error == EOPNOTSUPP || error == ENOSYS || error == ENOLCK;
}

// The lock file made in place, where the file system has no hard links or
// advisory locks (a FAT stick, some network shares): made exclusively, its
// holder named in it. Its holder, if gone, is known by its process alone.
LockTry MakeInPlace(const std::string& posix_lock_path, std::unique_ptr<DeferredSignals> deferred,
                    std::unique_ptr<FileLock>& lock) {
    const int fd =
        ::open(posix_lock_path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0) {
        return errno == EEXIST ? LockTry::Held : LockTry::Failed;
    }
    // Where the file system has advisory locks after all, holding one tells
    // a waiter that this file, empty for a moment, has a holder.
    ::flock(fd, LOCK_EX | LOCK_NB);
    WriteHolder(fd);
    lock = std::make_unique<PosixFileLock>(std::move(deferred), posix_lock_path, fd);
    return LockTry::Taken;
}

}  // namespace

DeferredSignals::DeferredSignals() {
    sigset_t held;
    sigemptyset(&held);
    sigaddset(&held, SIGINT);
    sigaddset(&held, SIGTERM);
    sigaddset(&held, SIGHUP);
    pthread_sigmask(SIG_BLOCK, &held, &former_);
}

DeferredSignals::~DeferredSignals() {
    pthread_sigmask(SIG_SETMASK, &former_, nullptr);
}

LockTry TryLockFile(const std::string& posix_lock_path, std::unique_ptr<FileLock>& lock) {
    // The lock file is made whole, its holder named and its advisory lock
    // taken, under another name, then linked into place in one step that
    // fails when the name is taken: no other writer ever sees it half made.
    auto deferred = std::make_unique<DeferredSignals>();
    std::string made = FolderOf(posix_lock_path) + ".tandrel-lock-XXXXXX";
    const int fd = ::mkostemp(made.data(), O_CLOEXEC);
    if (fd < 0) {
        return LockTry::Failed;
    }
    bool ready = ::flock(fd, LOCK_EX | LOCK_NB) == 0;
    int error = errno;
    ready = ready && WriteHolder(fd);
    const bool linked = ready && ::link(made.c_str(), posix_lock_path.c_str()) == 0;
    if (ready) {
        error = errno;
    }
    ::unlink(made.c_str());
    if (linked) {
        lock = std::make_unique<PosixFileLock>(std::move(deferred), posix_lock_path, fd);
        return LockTry::Taken;
    }
    ::close(fd);
    if (IsUnsupported(error)) {
        if (const auto taken = TakeOver(posix_lock_path)) {
            lock = std::make_unique<PosixFileLock>(std::move(deferred), posix_lock_path, *taken);
            return LockTry::Taken;
        }
        return MakeInPlace(posix_lock_path, std::move(deferred), lock);
    }
    if (error != EEXIST) {
        return LockTry::Failed;
    }
    if (const auto taken = TakeOver(posix_lock_path)) {
        lock = std::make_unique<PosixFileLock>(std::move(deferred), posix_lock_path, *taken);
        return LockTry::Taken;
    }
    return LockTry::Held;
}

}  // namespace tandrel
