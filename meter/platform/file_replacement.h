// Replaces a file only with a complete new version of it. The new bytes go to
// a temporary file in the target's folder, which is synced and renamed over
// the target on commit; any failure removes the temporary file and leaves the
// target as it was.
//
// The temporary file has no name while it is written (O_TMPFILE), so that a
// crash, even kill -9, leaves nothing behind; on commit it is linked under a
// hidden name and at once renamed over the target. Where the file system makes
// no unnamed files, it is made under a hidden name of our own from the start,
// ".meter-" followed by six letters or digits and ".tmp", which is all that a
// crash can leave. The name's length never depends on the target's, so any
// name that the file system takes can be saved.
//
// Where the target's folder takes no new file but the target itself may be
// written, the new bytes are staged in a temporary file elsewhere (made in the
// same way) and copied into the target on commit, after room for all of them
// has been reserved, so that a full disk still leaves the old file whole.
//
// Only a regular file is replaced: a folder, a device, a pipe or a socket under
// the name (or where a link leads) is never touched. A file without any write
// permission is read-only and never replaced, also when the program runs as
// root.
#pragma once

#include <cstddef>
#include <string>

#include <sys/types.h>

namespace meter {

class FileReplacement {
public:
    // `target` is a path in the file system's own encoding. A relative path is
    // taken from the working folder of this moment, once: a later change of
    // the working folder does not move the file. A symbolic link is followed,
    // so that the file it leads to is replaced and the link stays.
    // `stageFolder` holds the new bytes when no file can be made beside the
    // target; empty: the system's temporary folder ($TMPDIR, else /tmp).
    explicit FileReplacement(std::string target, std::string stageFolder = {});
    ~FileReplacement(); // discards unless committed
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;

    // Makes the file that receives the new bytes. False when there is none to
    // make (read-only target, a target that is no regular file, missing
    // folder, ...); the cause is then written to the log ("meter.platform").
    bool open();
    // The file to write the new bytes to, open for reading and writing as
    // fd(). A writer that opens files itself may open it by this name within
    // this process, also with truncation; for a file without a name it is
    // "/proc/self/fd/<fd()>".
    const std::string& path() const { return path_; }
    int fd() const { return fd_; }
    // True when commit() copies the new bytes into the target itself.
    bool inPlace() const { return targetFd_ >= 0; }

    // Syncs the new bytes and puts them in place of the target. False when a
    // step failed; the temporary file is gone and the target as it was (in
    // place, an input/output error while copying may leave it damaged); the
    // step and its cause are written to the log.
    bool commit();
    // Drops the new bytes; the target stays as it was.
    void discard();

    // The absolute path of the file that is replaced.
    const std::string& target() const { return target_; }

    // Whether temporary files may be made without a name (on by default).
    // Off, every temporary file is made under its hidden name, as on a file
    // system without unnamed files; the tests run that way too.
    static void setUnnamedFilesAllowed(bool allowed);

private:
    // Each of these says in `why` which step failed, when it fails. open()
    // and commit() write that to the log.
    bool makeFiles(std::string& why);
    bool makeTemporary(int folderFd, const std::string& folder, std::string& why);
    bool commitBeside(std::string& why);
    bool commitInPlace(std::string& why);
    void closeFiles();

    std::string noTarget_; // why there is no target, when the name gave none
    std::string target_;
    std::string stageFolder_;
    std::string path_;
    std::string tempName_;   // the temporary file's name in tempFolderFd_; empty while it has none
    int folderFd_ = -1;      // the target's folder
    int stageFolderFd_ = -1; // the folder of the staged bytes, when written in place
    int tempFolderFd_ = -1;  // the one of the two that holds the temporary file
    int fd_ = -1;
    int targetFd_ = -1;
    mode_t mode_ = 0; // the permissions the new file gets
};

// Writes every byte, retrying after interruptions and short writes. False
// with errno set by the write that failed; the caller says what was written.
bool writeAllBytes(int fd, const char* bytes, std::size_t count);

} // namespace meter
