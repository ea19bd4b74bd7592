// The lock file a POSIX writer holds while it rewrites a file, and the
// signals that must not stop it half way.
#pragma once

#include <csignal>
#include <memory>
#include <string>

#include "platform/files.h"

namespace tandrel {

// Holds back SIGINT, SIGTERM and SIGHUP for its lifetime (on the calling
// thread): a writer stopped between making a lock or temporary file and
// removing it would leave it behind. A signal that came meanwhile ends the
// process once this is gone.
class DeferredSignals {
  public:
    DeferredSignals();
    DeferredSignals(const DeferredSignals&) = delete;
    DeferredSignals& operator=(const DeferredSignals&) = delete;
    ~DeferredSignals();

  private:
    sigset_t former_{};
};

// One try at the lock file `posix_lock_path`. The lock file names its
// holder's process, host and the process's start time, and the holder keeps
// an advisory lock on it; a lock file whose holder is known to be gone (same
// host, no advisory lock, and no such process or one that started at
// another time) is taken over.
LockTry TryLockFile(const std::string& posix_lock_path, std::unique_ptr<FileLock>& lock);

}  // namespace tandrel
