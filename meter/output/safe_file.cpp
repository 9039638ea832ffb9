#include "output/safe_file.h"

#include "output/log.h"

#include <cerrno>
#include <cstring>

namespace meter {

SafeFileWriter::SafeFileWriter(std::string target) : file_(std::move(target)) {}

bool SafeFileWriter::open() {
    used_ = 0;
    failed_ = !file_.open();
    if (!failed_) buffer_.resize(bufferSize);
    return !failed_;
}

void SafeFileWriter::write(std::string_view bytes) {
    if (bytes.size() >= buffer_.size()) {
        flushBuffer();
        if (!failed_ && !writeAllBytes(file_.fd(), bytes.data(), bytes.size())) writeFailed();
        return;
    }
    if (buffer_.size() - used_ < bytes.size()) flushBuffer();
    std::memcpy(buffer_.data() + used_, bytes.data(), bytes.size());
    used_ += bytes.size();
}

void SafeFileWriter::flushBuffer() {
    const std::size_t n = used_;
    used_ = 0;
    if (failed_) return;
    if (file_.fd() < 0) {
        failed_ = true;
        qCWarning(outputLog, "Cannot write %s: no file open", target().c_str());
    } else if (n > 0 && !writeAllBytes(file_.fd(), buffer_.data(), n)) {
        writeFailed();
    }
}

// The first failed write is written to the log; no byte is written after it.
void SafeFileWriter::writeFailed() {
    const int error = errno;
    failed_ = true;
    qCWarning(outputLog, "Cannot write %s: write: %s", target().c_str(), std::strerror(error));
}

bool SafeFileWriter::commit() {
    flushBuffer();
    if (!failed_ && !file_.commit()) failed_ = true;
    file_.discard();
    return !failed_;
}

void SafeFileWriter::discard() {
    file_.discard();
    used_ = 0;
}

} // namespace meter
