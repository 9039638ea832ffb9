// File-system faults for the tests of the file writers: a full disk, a folder
// that takes no new file (also when the tests run as root), a crash in the
// middle of a write, nodes that are no regular file, another working folder;
// and the count of open files, which a failure must leave as it was.
#pragma once

#include "platform/file_replacement.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <regex>
#include <string>

#include <grp.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
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
        if (geteuid() == 0 &&
            (setgroups(0, nullptr) != 0 || setresgid(unprivilegedUser, unprivilegedUser, unprivilegedUser) != 0 ||
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

// Runs `body` in a child process that ends as a crash (kill -9) would, with
// no clean-up of any kind, as soon as it writes past `bytes` in a file: the
// signal of the file-size limit is left to kill it, without a core file.
// Returns that signal, 0 when the body came back, -1 when the child did not run.
inline int killedAtFileSize(rlim_t bytes, const std::function<void()>& body) {
    std::fflush(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        const rlimit noCore{0, 0};
        setrlimit(RLIMIT_CORE, &noCore);
        std::signal(SIGXFSZ, SIG_DFL);
        rlimit size{};
        getrlimit(RLIMIT_FSIZE, &size);
        size.rlim_cur = bytes;
        if (setrlimit(RLIMIT_FSIZE, &size) != 0) _exit(1);
        body();
        _exit(0);
    }
    int status = 0;
    if (pid < 0 || waitpid(pid, &status, 0) != pid) return -1;
    if (WIFSIGNALED(status)) return WTERMSIG(status);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? 0 : -1;
}

// Whether a file name is one a temporary file of the file replacement gets
// where it cannot be left without a name.
inline bool isHiddenTemporaryName(const std::string& name) {
    static const std::regex pattern(R"(\.meter-[A-Za-z0-9]{6}\.tmp)");
    return std::regex_match(name, pattern);
}

// While it lives, the file replacement makes its temporary files under their
// hidden names, as on a file system without unnamed files.
class NamedTemporaryFiles {
public:
    NamedTemporaryFiles() { meter::FileReplacement::setUnnamedFilesAllowed(false); }
    ~NamedTemporaryFiles() { meter::FileReplacement::setUnnamedFilesAllowed(true); }
    NamedTemporaryFiles(const NamedTemporaryFiles&) = delete;
    NamedTemporaryFiles& operator=(const NamedTemporaryFiles&) = delete;
};

// While it lives, the process works in another folder.
class WorkingFolder {
public:
    explicit WorkingFolder(const std::string& folder) {
        char* const old = getcwd(nullptr, 0);
        old_ = old != nullptr ? old : "/";
        std::free(old);
        entered_ = chdir(folder.c_str()) == 0;
    }
    ~WorkingFolder() {
        if (chdir(old_.c_str()) != 0) std::abort();
    }
    WorkingFolder(const WorkingFolder&) = delete;
    WorkingFolder& operator=(const WorkingFolder&) = delete;
    bool entered() const { return entered_; }

private:
    std::string old_;
    bool entered_ = false;
};

// Nodes that are no regular file. A device is a node of the memory device
// "full" (as /dev/full) of the test's own, which only root may make; a link
// leads to such a device, made at the link's path with "-device" added.
enum class Node { Fifo, Socket, Device, LinkToDevice };
inline const char* nodeName(Node kind) {
    switch (kind) {
    case Node::Fifo: return "pipe";
    case Node::Socket: return "socket";
    case Node::Device: return "device";
    case Node::LinkToDevice: return "link to a device";
    }
    return "?";
}

inline bool makeNode(const std::string& path, Node kind) {
    switch (kind) {
    case Node::Fifo: return mkfifo(path.c_str(), 0666) == 0;
    case Node::Socket: {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        if (path.size() >= sizeof address.sun_path) return false;
        path.copy(address.sun_path, path.size());
        const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
        const bool bound = fd >= 0 && bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
        if (fd >= 0) close(fd);
        return bound;
    }
    case Node::Device: return mknod(path.c_str(), S_IFCHR | 0666, makedev(1, 7)) == 0;
    case Node::LinkToDevice:
        return makeNode(path + "-device", Node::Device) && symlink((path + "-device").c_str(), path.c_str()) == 0;
    }
    return false;
}

// What stands at the path: its kind and device number, and for a link where
// it leads; "" when nothing does.
inline std::string nodeIdentity(const std::string& path) {
    struct stat st {};
    if (lstat(path.c_str(), &st) != 0) return "";
    std::string identity =
        std::to_string(st.st_mode & S_IFMT) + " " + std::to_string(st.st_rdev) + " " + std::to_string(st.st_ino);
    if (S_ISLNK(st.st_mode)) {
        char target[4096];
        const ssize_t n = readlink(path.c_str(), target, sizeof target);
        if (n > 0)
            identity += " -> " + std::string(target, static_cast<std::size_t>(n)) + " " +
                        nodeIdentity(std::string(target, static_cast<std::size_t>(n)));
    }
    return identity;
}

// Files this process holds open, deleted scratch files included.
inline int openDescriptors() {
    int n = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator("/proc/self/fd")) ++n;
    return n;
}

} // namespace testsupport
