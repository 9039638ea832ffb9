#include "platform/file_replacement.h"

#include "platform/log.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <vector>

#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

namespace meter {

namespace {

std::atomic<bool> unnamedFilesAllowed{true};

// What failed: "<call> <path>: <the system's text for the error>".
std::string failedCall(const std::string& call, const std::string& path, int error) {
    return call + " " + path + ": " + std::strerror(error);
}

// The name as an absolute path, taken once, with a symbolic link followed, so
// that the real file is replaced and the link stays. Empty when there is none
// (no working folder, a NUL inside); `why` then says so.
std::string absoluteTarget(const std::string& target, std::string& why) {
    if (target.empty()) {
        why = "no file name";
        return {};
    }
    if (target.find('\0') != std::string::npos) {
        why = "a NUL inside the file name";
        return {};
    }
    std::string path = target;
    if (path.front() != '/') {
        char* const cwd = ::getcwd(nullptr, 0);
        if (cwd == nullptr) {
            why = failedCall("getcwd for", target, errno);
            return {};
        }
        path = std::string(cwd) + (cwd[1] != '\0' ? "/" : "") + target;
        std::free(cwd);
    }
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        char buf[PATH_MAX];
        if (::realpath(path.c_str(), buf) != nullptr) return buf;
    }
    return path;
}

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string nameOf(const std::string& path) { return path.substr(path.rfind('/') + 1); }

std::string inFolder(const std::string& folder, const std::string& name) {
    return folder == "/" ? folder + name : folder + "/" + name;
}

mode_t newFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// A file without any write permission bit is read-only for everybody, root
// included; otherwise the system decides whether we may write it. Empty when
// we may; otherwise why not.
std::string whyNotWritable(const std::string& path, const struct stat& st) {
    if ((st.st_mode & 0222) == 0) return "the file is read-only";
    if (::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0) return failedCall("faccessat W_OK", path, errno);
    return {};
}

std::string systemTempFolder() {
    const char* dir = std::getenv("TMPDIR");
    return dir != nullptr && *dir != '\0' ? dir : "/tmp";
}

// The path opened for writing when it is a regular file; -1 otherwise, and
// `why` says why. O_NONBLOCK keeps a pipe put in its place from holding the
// open; it does not change how a regular file is written.
int openRegularForWriting(const std::string& path, std::string& why) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        why = failedCall("open for writing", path, errno);
        return -1;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0) why = failedCall("fstat", path, errno);
    else if (!S_ISREG(st.st_mode)) why = "no regular file";
    else return fd;
    ::close(fd);
    return -1;
}

// ".meter-XXXXXX.tmp" with six random letters and digits.
std::string hiddenName() {
    static constexpr char symbols[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    static std::atomic<unsigned> counter{0};
    unsigned char bytes[6];
    if (::getrandom(bytes, sizeof bytes, GRND_NONBLOCK) != static_cast<ssize_t>(sizeof bytes)) {
        // No random bytes yet: a name that at least differs from the last;
        // a clash only costs another try.
        timespec now{};
        ::clock_gettime(CLOCK_REALTIME, &now);
        unsigned long long mix = static_cast<unsigned long long>(now.tv_nsec) ^
                                 (static_cast<unsigned long long>(::getpid()) << 20) ^ (counter++ * 0x9E3779B9ull);
        for (unsigned char& b : bytes) {
            b = static_cast<unsigned char>(mix);
            mix = mix >> 8 | mix << 56;
        }
    }
    std::string name = ".meter-";
    for (const unsigned char b : bytes) name.push_back(symbols[b % (sizeof symbols - 1)]);
    return name + ".tmp";
}

constexpr int nameAttempts = 100;

// Makes the name itself durable after a rename. The file is in place by
// then, so a failure here is only written to the log.
void syncFolder(int folderFd, const std::string& folder) {
    const int dfd = ::openat(folderFd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    std::string why;
    if (dfd < 0) why = failedCall("open folder", folder, errno);
    else if (::fsync(dfd) != 0) why = failedCall("fsync folder", folder, errno);
    if (dfd >= 0) ::close(dfd);
    if (!why.empty()) qCWarning(platformLog, "The new name may not last a crash: %s", why.c_str());
}

// Copies `size` bytes from the start of `from` (the staged bytes) to the
// start of `to` (the target); false with `why` set when that fails.
bool copyBytes(int from, int to, off_t size, const std::string& target, std::string& why) {
    std::vector<char> buffer(std::size_t{1} << 20);
    for (off_t at = 0; at < size;) {
        const ssize_t n = ::pread(from, buffer.data(), buffer.size(), at);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            why = n < 0 ? failedCall("pread of the staged bytes for", target, errno)
                        : "the staged bytes for " + target + " ended early";
            return false;
        }
        for (ssize_t done = 0; done < n;) {
            const ssize_t w = ::pwrite(to, buffer.data() + done, static_cast<std::size_t>(n - done), at + done);
            if (w < 0 && errno == EINTR) continue;
            if (w <= 0) {
                why = w < 0 ? failedCall("pwrite", target, errno) : "pwrite " + target + ": nothing written";
                return false;
            }
            done += w;
        }
        at += n;
    }
    return true;
}

void closeIfOpen(int& fd) {
    if (fd >= 0) ::close(fd);
    fd = -1;
}

} // namespace

bool writeAllBytes(int fd, const char* bytes, std::size_t count) {
    while (count > 0) {
        const ssize_t n = ::write(fd, bytes, count);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes += n;
        count -= static_cast<std::size_t>(n);
    }
    return true;
}

void FileReplacement::setUnnamedFilesAllowed(bool allowed) { unnamedFilesAllowed = allowed; }

FileReplacement::FileReplacement(std::string target, std::string stageFolder)
    : target_(absoluteTarget(target, noTarget_)),
      stageFolder_(stageFolder.empty() ? systemTempFolder() : std::move(stageFolder)) {}

FileReplacement::~FileReplacement() { discard(); }

bool FileReplacement::open() {
    discard();
    std::string why;
    if (makeFiles(why)) return true;
    discard();
    qCWarning(platformLog, "Cannot write %s: %s", target_.empty() ? "a file" : target_.c_str(), why.c_str());
    return false;
}

bool FileReplacement::makeFiles(std::string& why) {
    if (target_.empty()) {
        why = noTarget_;
        return false;
    }
    const std::string name = nameOf(target_);
    if (name.empty() || name == "." || name == "..") {
        why = "the path names no file";
        return false;
    }
    struct stat st {};
    const bool exists = ::stat(target_.c_str(), &st) == 0;
    if (exists && !S_ISREG(st.st_mode)) {
        why = "no regular file";
        return false;
    }
    if (exists && !(why = whyNotWritable(target_, st)).empty()) return false;
    mode_ = exists ? st.st_mode & 07777 : newFileMode();

    const std::string folder = folderOf(target_);
    folderFd_ = ::open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (folderFd_ < 0) why = failedCall("open folder", folder, errno);
    else if (makeTemporary(folderFd_, folder, why)) return true;
    if (!exists) return false;

    // No new file beside the target: stage the bytes elsewhere and write the
    // target itself on commit, if it is a file we may write.
    qCDebug(platformLog, "No new file beside %s (%s): the new bytes are staged in %s", target_.c_str(), why.c_str(),
            stageFolder_.c_str());
    std::string inPlace;
    targetFd_ = openRegularForWriting(target_, inPlace);
    if (targetFd_ >= 0) {
        stageFolderFd_ = ::open(stageFolder_.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
        if (stageFolderFd_ < 0) inPlace = failedCall("open folder", stageFolder_, errno);
        else if (makeTemporary(stageFolderFd_, stageFolder_, inPlace)) return true;
    }
    why += "; in place: " + inPlace;
    return false;
}

// A file without a name where the file system makes one, reached by writers
// through its /proc name; otherwise one under a hidden name of our own.
bool FileReplacement::makeTemporary(int folderFd, const std::string& folder, std::string& why) {
    if (unnamedFilesAllowed) {
        const int fd = ::openat(folderFd, ".", O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
        if (fd >= 0) {
            const std::string procName = "/proc/self/fd/" + std::to_string(fd);
            struct stat byName {
            }, byFd{};
            if (::stat(procName.c_str(), &byName) == 0 && ::fstat(fd, &byFd) == 0 && byName.st_ino == byFd.st_ino &&
                byName.st_dev == byFd.st_dev) {
                fd_ = fd;
                path_ = procName;
                tempFolderFd_ = folderFd;
                return true;
            }
            ::close(fd); // without /proc it could not be named later
            qCDebug(platformLog, "No /proc name for an unnamed file in %s: a hidden name instead", folder.c_str());
        } else {
            qCDebug(platformLog, "%s: a hidden name instead",
                    failedCall("open unnamed file in", folder, errno).c_str());
        }
    }
    for (int attempt = 0; attempt < nameAttempts; ++attempt) {
        const std::string name = hiddenName();
        const int fd = ::openat(folderFd, name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd >= 0) {
            fd_ = fd;
            tempName_ = name;
            path_ = inFolder(folder, name);
            tempFolderFd_ = folderFd;
            return true;
        }
        if (errno != EEXIST) {
            why = failedCall("create", inFolder(folder, name), errno);
            return false;
        }
    }
    why = "no free temporary name in " + folder;
    return false;
}

bool FileReplacement::commit() {
    std::string why;
    bool ok = false;
    if (fd_ < 0) why = "no new file open";
    else ok = inPlace() ? commitInPlace(why) : commitBeside(why);
    discard();
    if (!ok) qCWarning(platformLog, "Cannot replace %s: %s", target_.c_str(), why.c_str());
    return ok;
}

bool FileReplacement::commitBeside(std::string& why) {
    if (::fchmod(fd_, mode_) != 0) {
        why = failedCall("fchmod", path_, errno);
        return false;
    }
    if (::fsync(fd_) != 0) {
        why = failedCall("fsync", path_, errno);
        return false;
    }
    // Only a regular file is replaced, also if the name was given to
    // something else while the bytes were written.
    const std::string name = nameOf(target_);
    const std::string folder = folderOf(target_);
    struct stat st {};
    if (::fstatat(folderFd_, name.c_str(), &st, 0) == 0 && !S_ISREG(st.st_mode)) {
        why = "no regular file any more";
        return false;
    }
    // A name cannot be linked over another, so an unnamed file gets a hidden
    // name first, which the rename then moves over the target.
    for (int attempt = 0; tempName_.empty() && attempt < nameAttempts; ++attempt) {
        const std::string hidden = hiddenName();
        if (::linkat(AT_FDCWD, path_.c_str(), folderFd_, hidden.c_str(), AT_SYMLINK_FOLLOW) == 0) {
            tempName_ = hidden;
        } else if (errno != EEXIST) {
            why = failedCall("link " + path_ + " as", inFolder(folder, hidden), errno);
            return false;
        }
    }
    if (tempName_.empty()) {
        why = "no free temporary name in " + folder;
        return false;
    }
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) {
        why = failedCall("close", path_, errno);
        return false;
    }
    if (::renameat(folderFd_, tempName_.c_str(), folderFd_, name.c_str()) != 0) {
        why = failedCall("rename " + inFolder(folder, tempName_) + " over", target_, errno);
        return false;
    }
    tempName_.clear();
    syncFolder(folderFd_, folder);
    return true;
}

bool FileReplacement::commitInPlace(std::string& why) {
    struct stat staged {
    }, old{};
    if (::fstat(fd_, &staged) != 0) {
        why = failedCall("fstat", path_, errno);
        return false;
    }
    if (::fstat(targetFd_, &old) != 0) {
        why = failedCall("fstat", target_, errno);
        return false;
    }
    // Room for the whole new content first: while that fails, not a byte of
    // the old file has been touched.
    if (staged.st_size > old.st_size) {
        if (const int error = ::posix_fallocate(targetFd_, old.st_size, staged.st_size - old.st_size); error != 0) {
            why = failedCall("posix_fallocate", target_, error);
            if (::ftruncate(targetFd_, old.st_size) != 0) why += "; " + failedCall("ftruncate back", target_, errno);
            return false;
        }
    }
    if (!copyBytes(fd_, targetFd_, staged.st_size, target_, why)) return false;
    if (staged.st_size < old.st_size && ::ftruncate(targetFd_, staged.st_size) != 0) {
        why = failedCall("ftruncate", target_, errno);
        return false;
    }
    if (::fsync(targetFd_) != 0) why = failedCall("fsync", target_, errno);
    const bool synced = why.empty();
    const int fd = targetFd_;
    targetFd_ = -1;
    if (::close(fd) != 0 && synced) why = failedCall("close", target_, errno);
    return why.empty();
}

void FileReplacement::closeFiles() {
    closeIfOpen(fd_);
    closeIfOpen(targetFd_);
    closeIfOpen(folderFd_);
    closeIfOpen(stageFolderFd_);
    tempFolderFd_ = -1;
}

void FileReplacement::discard() {
    if (!tempName_.empty() && tempFolderFd_ >= 0 && ::unlinkat(tempFolderFd_, tempName_.c_str(), 0) != 0) {
        const std::string folder = tempFolderFd_ == stageFolderFd_ ? stageFolder_ : folderOf(target_);
        qCWarning(platformLog, "Cannot remove the temporary file: %s",
                  failedCall("unlink", inFolder(folder, tempName_), errno).c_str());
    }
    tempName_.clear();
    path_.clear();
    closeFiles();
}

} // namespace meter
