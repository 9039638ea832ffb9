// Writes a file so that it is either complete or not there at all: the bytes go
// to a temporary file beside the target, which replaces the target only after
// everything has been written and synced. A failure at any step removes the
// temporary file and leaves a file already under the target's name untouched.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace meter {

class SafeFileWriter {
public:
    static constexpr std::size_t bufferSize = 1024 * 1024;

    // `target` is a path in the file system's own encoding.
    explicit SafeFileWriter(std::string target);
    ~SafeFileWriter(); // discards the temporary file unless committed
    SafeFileWriter(const SafeFileWriter&) = delete;
    SafeFileWriter& operator=(const SafeFileWriter&) = delete;

    // Creates the temporary file. False (and failed()) when it cannot be created.
    bool open();
    // Buffered; a write error is remembered and reported by commit().
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
    // Writes what is buffered, syncs, closes and renames over the target.
    // False when any step failed; the temporary file is then gone.
    bool commit();
    // Drops the temporary file; the target stays as it was.
    void discard();

    bool failed() const { return failed_; }
    const std::string& target() const { return target_; }

private:
    void flushBuffer();
    void fail();

    std::string target_;
    std::string temp_;
    int fd_ = -1;
    bool failed_ = false;
    std::vector<char> buffer_;
    std::size_t used_ = 0;
};

} // namespace meter
