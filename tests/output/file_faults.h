// File-system faults for the tests of the file writers: a full disk, and a
// folder that takes no new file, also when the tests run as root.
#pragma once

#include <csignal>
#include <cstdio>
#include <functional>
#include <string>

#include <grp.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace testsupport {

// Limits the size of files this process may write, as a full disk would;
// also for root, who is not stopped by permission bits.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &old_);
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit l = old_;
        l.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &l);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, oldHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit old_{};
    void (*oldHandler_)(int) = nullptr;
};

// The user runUnprivileged() runs as when the tests run as root ("nobody").
inline constexpr uid_t unprivilegedUser = 65534;

// Makes a file or folder that user's, so that runUnprivileged() may write it
// (nothing to do when the tests do not run as root).
inline bool handToUnprivileged(const std::string& path) {
    return geteuid() != 0 || chown(path.c_str(), unprivilegedUser, unprivilegedUser) == 0;
}

// Runs `body` in a child process, where permission bits apply: when the tests
// run as root, the child first becomes an unprivileged user. Returns what the
// body returned, or -1 when the child did not get that far.
inline int runUnprivileged(const std::function<int()>& body) {
    std::fflush(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        if (geteuid() == 0 && (setgroups(0, nullptr) != 0 || setresgid(unprivilegedUser, unprivilegedUser,
                                                                        unprivilegedUser) != 0 ||
                               setresuid(unprivilegedUser, unprivilegedUser, unprivilegedUser) != 0))
            _exit(255);
        const int result = body();
        std::fflush(nullptr);
        _exit(result & 0x7f);
    }
    int status = 0;
    if (pid < 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) == 255) return -1;
    return WEXITSTATUS(status);
}

} // namespace testsupport
