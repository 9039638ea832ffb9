// Writes a file so that it is either complete or not there at all: the bytes
// go through a FileReplacement (a temporary file beside the target, renamed
// over it only after everything has been written and synced; in place where
// the folder takes no new file). A failure at any step leaves a file already
// under the target's name untouched, and a read-only file is never replaced.
#pragma once

#include "platform/file_replacement.h"

#include <string>
#include <string_view>
#include <vector>

namespace meter {

class SafeFileWriter {
public:
    static constexpr std::size_t bufferSize = 1024 * 1024;

    // `target` is a path in the file system's own encoding.
    explicit SafeFileWriter(std::string target);
    SafeFileWriter(const SafeFileWriter&) = delete;
    SafeFileWriter& operator=(const SafeFileWriter&) = delete;

    // Creates the file the bytes go to. False (and failed()) when it cannot
    // be created.
    bool open();
    // Buffered; a write error is remembered and reported by commit(), and
    // its cause written to the log ("meter.output") when it happens.
    void write(std::string_view bytes);
    void put(char c) {
        if (used_ == buffer_.size()) flushBuffer();
        buffer_[used_++] = c;
    }
    // Room for n bytes (at most bufferSize) in the buffer, to be filled and
    // then handed over with advance(end).
    char* reserve(std::size_t n) {
        if (buffer_.size() - used_ < n) flushBuffer();
        return buffer_.data() + used_;
    }
    void advance(const char* end) { used_ = static_cast<std::size_t>(end - buffer_.data()); }
    // Writes what is buffered, syncs and puts the file in place of the
    // target. False when any step failed; the temporary file is then gone.
    bool commit();
    // Drops what was written; the target stays as it was.
    void discard();

    bool failed() const { return failed_; }
    const std::string& target() const { return file_.target(); }

private:
    void flushBuffer();
    void writeFailed();

    FileReplacement file_;
    bool failed_ = false;
    std::vector<char> buffer_;
    std::size_t used_ = 0;
};

} // namespace meter
