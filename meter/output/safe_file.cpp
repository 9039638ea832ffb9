#include "output/safe_file.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

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

mode_t creationMode(const std::string& target) {
    struct stat st {};
    if (::stat(target.c_str(), &st) == 0 && S_ISREG(st.st_mode)) return st.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Writes every byte, retrying after interruptions and short writes.
bool writeAll(int fd, const char* p, std::size_t left) {
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    return true;
}

} // namespace

SafeFileWriter::SafeFileWriter(std::string target) : target_(resolvedTarget(target)) {}

SafeFileWriter::~SafeFileWriter() { discard(); }

bool SafeFileWriter::open() {
    discard();
    failed_ = false;
    used_ = 0;
    if (target_.empty()) {
        failed_ = true;
        return false;
    }
    buffer_.resize(bufferSize);
    std::string pattern = target_ + ".tmpXXXXXX";
    fd_ = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd_ < 0) {
        failed_ = true;
        return false;
    }
    temp_ = pattern;
    if (::fchmod(fd_, creationMode(target_)) != 0) {
        fail();
        return false;
    }
    return true;
}

void SafeFileWriter::write(std::string_view bytes) {
    if (bytes.size() >= buffer_.size()) {
        flushBuffer();
        if (!failed_ && !writeAll(fd_, bytes.data(), bytes.size())) failed_ = true;
        return;
    }
    if (buffer_.size() - used_ < bytes.size()) flushBuffer();
    std::memcpy(buffer_.data() + used_, bytes.data(), bytes.size());
    used_ += bytes.size();
}

void SafeFileWriter::flushBuffer() {
    const std::size_t n = used_;
    used_ = 0;
    if (fd_ < 0) failed_ = true;
    if (!failed_ && n > 0 && !writeAll(fd_, buffer_.data(), n)) failed_ = true;
}

bool SafeFileWriter::commit() {
    if (fd_ < 0) {
        failed_ = true;
        return false;
    }
    flushBuffer();
    if (!failed_ && ::fsync(fd_) != 0) failed_ = true;
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) failed_ = true;
    if (!failed_ && ::rename(temp_.c_str(), target_.c_str()) != 0) failed_ = true;
    if (failed_) {
        ::unlink(temp_.c_str());
        temp_.clear();
        return false;
    }
    temp_.clear();
    // Make the new name itself durable.
    const std::size_t slash = target_.rfind('/');
    const std::string dir = slash == std::string::npos ? "." : (slash == 0 ? "/" : target_.substr(0, slash));
    const int dfd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        ::fsync(dfd);
        ::close(dfd);
    }
    return true;
}

void SafeFileWriter::discard() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    if (!temp_.empty()) {
        ::unlink(temp_.c_str());
        temp_.clear();
    }
    used_ = 0;
}

void SafeFileWriter::fail() {
    failed_ = true;
    discard();
}

} // namespace meter
