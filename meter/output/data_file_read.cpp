#include "output/data_file_read.h"

#include "platform/common_dialog.h"
#include "platform/message_boxes.h"

#include <QFile>

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace meter {

namespace {

// An open file, closed when this goes.
class FileSource : public ByteSource {
public:
    explicit FileSource(int fd) : fd_(fd) {}
    ~FileSource() override { ::close(fd_); }
    FileSource(const FileSource&) = delete;
    FileSource& operator=(const FileSource&) = delete;

    std::ptrdiff_t read(char* buffer, std::size_t size) override {
        for (;;) {
            const ssize_t n = ::read(fd_, buffer, size);
            if (n >= 0) return n;
            if (errno != EINTR) return -1;
        }
    }

private:
    int fd_;
};

// The path opened for reading when it names a regular file; -1 otherwise. The
// kind is looked up before opening, so that no device is opened (opening a
// serial port alone sets its lines); O_NONBLOCK keeps a pipe put in its place
// meanwhile from holding the open, and the second look rejects it. Reading a
// regular file is not affected by O_NONBLOCK.
int openRegularFile(const std::string& path) {
    if (path.empty() || path.find('\0') != std::string::npos) return -1;
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return -1;
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return -1;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return -1;
    }
    return fd;
}

} // namespace

DataFileResult readDataFileAt(const std::string& path, char decimalSeparator, FileRecordStore& records) {
    const int fd = openRegularFile(path);
    if (fd < 0) return {0, DataFileFailure::ReadError, 0};
    FileSource source(fd);
    return readDataFile(source, decimalSeparator, records);
}

bool openDataFileCommand(SharedState& state, CommonDialog& dialog, MessageBoxes& boxes, const Regional& regional,
                         const std::function<void()>& fileRead) {
    dialog.Filter = QStringLiteral("text files (*.txt)|*.txt");
    dialog.setAction(1);
    const QString name = dialog.FileName;
    if (name.isEmpty()) return false;

    state.fileRecordCount = 0;
    const QByteArray path = QFile::encodeName(name);
    const DataFileResult result = readDataFileAt(std::string(path.constData(), static_cast<std::size_t>(path.size())),
                                                 regional.decimalSeparator, state.fileRecords);
    if (!result.ok()) {
        state.fileRecordCount = 0;
        boxes.show(openFileErrorText, programName, MessageBoxes::Buttons::Ok);
        return false;
    }
    state.fileRecordCount = result.count;
    if (fileRead) fileRead();
    return true;
}

} // namespace meter
