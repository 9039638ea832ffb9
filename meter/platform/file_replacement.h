// Replaces a file only with a complete new version of it. The new bytes go to
// a temporary file beside the target, which is synced and renamed over the
// target on commit; any failure removes the temporary file and leaves the
// target as it was.
//
// Where the target's folder takes no new file but the target itself may be
// written, the new bytes are staged in a temporary file elsewhere and copied
// into the target on commit, after room for all of them has been reserved, so
// that a full disk still leaves the old file whole.
//
// A file without any write permission is read-only and never replaced, also
// when the program runs as root.
#pragma once

#include <cstddef>
#include <string>

namespace meter {

class FileReplacement {
public:
    // `target` is a path in the file system's own encoding; a symbolic link is
    // followed, so that the file it leads to is replaced and the link stays.
    // `stageFolder` holds the new bytes when no file can be made beside the
    // target; empty: the system's temporary folder ($TMPDIR, else /tmp).
    explicit FileReplacement(std::string target, std::string stageFolder = {});
    ~FileReplacement(); // discards unless committed
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;

    // Makes the file that receives the new bytes. False when there is none to
    // make (read-only target, target is a folder, missing folder, ...).
    bool open();
    // The file to write the new bytes to, open for writing as fd(). A writer
    // that opens files itself may open it by this name, also with truncation.
    const std::string& path() const { return path_; }
    int fd() const { return fd_; }
    // True when commit() copies the new bytes into the target itself.
    bool inPlace() const { return targetFd_ >= 0; }

    // Syncs the new bytes and puts them in place of the target. False when a
    // step failed; the temporary file is gone and the target as it was (in
    // place, an input/output error while copying may leave it damaged).
    bool commit();
    // Drops the new bytes; the target stays as it was.
    void discard();

    const std::string& target() const { return target_; }

private:
    bool commitBeside();
    bool commitInPlace();
    void closeFiles();

    std::string target_;
    std::string stageFolder_;
    std::string path_;
    int fd_ = -1;
    int targetFd_ = -1;
};

// Writes every byte, retrying after interruptions and short writes.
bool writeAllBytes(int fd, const char* bytes, std::size_t count);

} // namespace meter
