#include "platform/file_replacement.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <ctime>
#include <vector>

#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

namespace meter {

namespace {

std::atomic<bool> unnamedFilesAllowed{true};

// The name as an absolute path, taken once, with a symbolic link followed, so
// that the real file is replaced and the link stays. Empty when there is none
// (no working folder, a NUL inside).
std::string absoluteTarget(const std::string& target) {
    if (target.empty() || target.find('\0') != std::string::npos) return {};
    std::string path = target;
    if (path.front() != '/') {
        char* const cwd = ::getcwd(nullptr, 0);
        if (cwd == nullptr) return {};
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
// included; otherwise the system decides whether we may write it.
bool mayWrite(const std::string& path, const struct stat& st) {
    return (st.st_mode & 0222) != 0 && ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0;
}

std::string systemTempFolder() {
    const char* dir = std::getenv("TMPDIR");
    return dir != nullptr && *dir != '\0' ? dir : "/tmp";
}

// The path opened for writing when it is a regular file; -1 otherwise.
// O_NONBLOCK keeps a pipe put in its place from holding the open; it does
// not change how a regular file is written.
int openRegularForWriting(const std::string& path) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    struct stat st {};
    if (fd >= 0 && (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// ".meter-XXXXXX.tmp" with six random letters and digits.
std::string hiddenName() {
    static constexpr char symbols[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    static std::atomic<unsigned> counter{0};
    unsigned char bytes[6];
    if (::getrandom(bytes, sizeof bytes, GRND_NONBLOCK) != static_cast<ssize_t>(sizeof bytes)) {
        // No random bytes yet: a name that at least differs from the last;
        // a clash only costs another try.
        timespec now {};
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

// Makes the name itself durable after a rename.
void syncFolder(int folderFd) {
    const int dfd = ::openat(folderFd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        ::fsync(dfd);
        ::close(dfd);
    }
}

// Copies `size` bytes from the start of `from` to the start of `to`.
bool copyBytes(int from, int to, off_t size) {
    std::vector<char> buffer(std::size_t{1} << 20);
    for (off_t at = 0; at < size;) {
        const ssize_t n = ::pread(from, buffer.data(), buffer.size(), at);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        for (ssize_t done = 0; done < n;) {
            const ssize_t w = ::pwrite(to, buffer.data() + done, static_cast<std::size_t>(n - done), at + done);
            if (w < 0 && errno == EINTR) continue;
            if (w <= 0) return false;
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
    : target_(absoluteTarget(target)),
      stageFolder_(stageFolder.empty() ? systemTempFolder() : std::move(stageFolder)) {}

FileReplacement::~FileReplacement() { discard(); }

bool FileReplacement::open() {
    discard();
    const std::string name = nameOf(target_);
    if (target_.empty() || name.empty() || name == "." || name == "..") return false;
    struct stat st {};
    const bool exists = ::stat(target_.c_str(), &st) == 0;
    if (exists && (!S_ISREG(st.st_mode) || !mayWrite(target_, st))) return false;
    mode_ = exists ? st.st_mode & 07777 : newFileMode();

    const std::string folder = folderOf(target_);
    folderFd_ = ::open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (folderFd_ >= 0 && makeTemporary(folderFd_, folder)) return true;

    // No new file beside the target: stage the bytes elsewhere and write the
    // target itself on commit, if it is a file we may write.
    if (exists) {
        targetFd_ = openRegularForWriting(target_);
        stageFolderFd_ = ::open(stageFolder_.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
        if (targetFd_ >= 0 && stageFolderFd_ >= 0 && makeTemporary(stageFolderFd_, stageFolder_)) return true;
    }
    discard();
    return false;
}

// A file without a name where the file system makes one, reached by writers
// through its /proc name; otherwise one under a hidden name of our own.
bool FileReplacement::makeTemporary(int folderFd, const std::string& folder) {
    if (unnamedFilesAllowed) {
        const int fd = ::openat(folderFd, ".", O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
        if (fd >= 0) {
            const std::string procName = "/proc/self/fd/" + std::to_string(fd);
            struct stat byName {}, byFd {};
            if (::stat(procName.c_str(), &byName) == 0 && ::fstat(fd, &byFd) == 0 && byName.st_ino == byFd.st_ino &&
                byName.st_dev == byFd.st_dev) {
                fd_ = fd;
                path_ = procName;
                tempFolderFd_ = folderFd;
                return true;
            }
            ::close(fd); // without /proc it could not be named later
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
        if (errno != EEXIST) return false;
    }
    return false;
}

bool FileReplacement::commit() {
    if (fd_ < 0) return false;
    const bool ok = inPlace() ? commitInPlace() : commitBeside();
    discard();
    return ok;
}

bool FileReplacement::commitBeside() {
    if (::fchmod(fd_, mode_) != 0 || ::fsync(fd_) != 0) return false;
    // Only a regular file is replaced, also if the name was given to
    // something else while the bytes were written.
    const std::string name = nameOf(target_);
    struct stat st {};
    if (::fstatat(folderFd_, name.c_str(), &st, 0) == 0 && !S_ISREG(st.st_mode)) return false;
    // A name cannot be linked over another, so an unnamed file gets a hidden
    // name first, which the rename then moves over the target.
    for (int attempt = 0; tempName_.empty() && attempt < nameAttempts; ++attempt) {
        const std::string hidden = hiddenName();
        if (::linkat(AT_FDCWD, path_.c_str(), folderFd_, hidden.c_str(), AT_SYMLINK_FOLLOW) == 0) tempName_ = hidden;
        else if (errno != EEXIST) return false;
    }
    if (tempName_.empty()) return false;
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) return false;
    if (::renameat(folderFd_, tempName_.c_str(), folderFd_, name.c_str()) != 0) return false;
    tempName_.clear();
    syncFolder(folderFd_);
    return true;
}

bool FileReplacement::commitInPlace() {
    struct stat staged {}, old {};
    if (::fstat(fd_, &staged) != 0 || ::fstat(targetFd_, &old) != 0) return false;
    // Room for the whole new content first: while that fails, not a byte of
    // the old file has been touched.
    if (staged.st_size > old.st_size &&
        ::posix_fallocate(targetFd_, old.st_size, staged.st_size - old.st_size) != 0) {
        ::ftruncate(targetFd_, old.st_size);
        return false;
    }
    if (!copyBytes(fd_, targetFd_, staged.st_size)) return false;
    if (staged.st_size < old.st_size && ::ftruncate(targetFd_, staged.st_size) != 0) return false;
    const bool synced = ::fsync(targetFd_) == 0;
    const int fd = targetFd_;
    targetFd_ = -1;
    return ::close(fd) == 0 && synced;
}

void FileReplacement::closeFiles() {
    closeIfOpen(fd_);
    closeIfOpen(targetFd_);
    closeIfOpen(folderFd_);
    closeIfOpen(stageFolderFd_);
    tempFolderFd_ = -1;
}

void FileReplacement::discard() {
    if (!tempName_.empty() && tempFolderFd_ >= 0) ::unlinkat(tempFolderFd_, tempName_.c_str(), 0);
    tempName_.clear();
    path_.clear();
    closeFiles();
}

} // namespace meter
