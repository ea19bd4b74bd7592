#include "helpers/file_size_limit.h"

#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>

namespace tandrel::testing {

ChildResult WithFileSizeLimit(rlim_t limit, const std::function<bool()>& write) {
    const pid_t child = ::fork();
    if (child < 0) {
        return ChildResult::Crashed;
    }
    if (child == 0) {
        const rlimit size_limit{limit, limit};
        if (std::signal(SIGXFSZ, SIG_IGN) == SIG_ERR ||
            ::setrlimit(RLIMIT_FSIZE, &size_limit) != 0) {
            std::abort();
        }
        ::_exit(write() ? 0 : 1);
    }
    int status = 0;
    if (::waitpid(child, &status, 0) != child || !WIFEXITED(status)) {
        return ChildResult::Crashed;
    }
    return WEXITSTATUS(status) == 0 ? ChildResult::True : ChildResult::False;
}

}  // namespace tandrel::testing
