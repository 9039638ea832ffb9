#include "platform/file_replacement.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace meter {

namespace {

// The file the name leads to: a symbolic link is followed, so that the real
// file is replaced and the link stays.
std::string resolvedTarget(const std::string& target) {
    struct stat st {};
    if (::lstat(target.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        char buf[PATH_MAX];
        if (::realpath(target.c_str(), buf) != nullptr) return buf;
    }
    return target;
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

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Makes the name itself durable after a rename.
void syncFolder(const std::string& folder) {
    const int dfd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
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

FileReplacement::FileReplacement(std::string target, std::string stageFolder)
    : target_(resolvedTarget(target)),
      stageFolder_(stageFolder.empty() ? systemTempFolder() : std::move(stageFolder)) {}

FileReplacement::~FileReplacement() { discard(); }

bool FileReplacement::open() {
    discard();
    if (target_.empty()) return false;
    struct stat st {};
    const bool exists = ::stat(target_.c_str(), &st) == 0;
    if (exists && S_ISDIR(st.st_mode)) return false;
    const bool regular = exists && S_ISREG(st.st_mode);
    if (regular && !mayWrite(target_, st)) return false;

    std::string temp = target_ + ".tmpXXXXXX";
    fd_ = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd_ >= 0) {
        path_ = temp;
        if (::fchmod(fd_, regular ? st.st_mode & 07777 : newFileMode()) == 0) return true;
        discard();
        return false;
    }

    // No new file beside the target: stage the bytes elsewhere and write the
    // target itself on commit, if it is a file we may write.
    if (!regular) return false;
    targetFd_ = ::open(target_.c_str(), O_WRONLY | O_CLOEXEC);
    if (targetFd_ < 0) return false;
    std::string stage = stageFolder_ + "/meter-save-XXXXXX";
    fd_ = ::mkostemp(stage.data(), O_CLOEXEC);
    if (fd_ < 0) {
        discard();
        return false;
    }
    path_ = stage;
    return true;
}

bool FileReplacement::commit() {
    if (fd_ < 0) return false;
    const bool ok = inPlace() ? commitInPlace() : commitBeside();
    discard();
    return ok;
}

bool FileReplacement::commitBeside() {
    const bool synced = ::fsync(fd_) == 0;
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0 || !synced) return false;
    if (::rename(path_.c_str(), target_.c_str()) != 0) return false;
    path_.clear();
    syncFolder(folderOf(target_));
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
    if (fd_ >= 0) ::close(fd_);
    if (targetFd_ >= 0) ::close(targetFd_);
    fd_ = targetFd_ = -1;
}

void FileReplacement::discard() {
    closeFiles();
    if (!path_.empty()) {
        ::unlink(path_.c_str());
        path_.clear();
    }
}

} // namespace meter
