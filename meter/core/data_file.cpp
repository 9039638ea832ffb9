#include "core/data_file.h"

#include "core/number_reading.h"
#include "core/text_encoding.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <optional>
#include <string_view>

namespace meter {

namespace {

// Lines of a byte source, one buffer of input at a time.
class LineReader {
public:
    explicit LineReader(ByteSource& in) : in_(in), buffer_(new char[bufferSize]) {}

    // True when another line begins here: a byte is left once the LF of a
    // CR LF that ended the line before has been passed over.
    bool more() {
        if (!fill()) return false;
        if (afterCr_) {
            afterCr_ = false;
            if (buffer_[pos_] == '\n' && (++pos_, !fill())) return false;
        }
        return true;
    }

    // Reads the line that begins here up to its end (a CR, or the end of the
    // data) and keeps its first `room` bytes at `out`. Returns how many were
    // kept; `longer` tells whether the line had more.
    std::size_t line(char* out, std::size_t room, bool& longer) {
        std::size_t kept = 0;
        longer = false;
        while (fill()) {
            const char* first = buffer_.get() + pos_;
            const std::size_t available = end_ - pos_;
            const auto* cr = static_cast<const char*>(std::memchr(first, '\r', available));
            const std::size_t length = cr ? static_cast<std::size_t>(cr - first) : available;
            const std::size_t take = std::min(length, room - kept);
            if (take > 0) std::memcpy(out + kept, first, take);
            kept += take;
            if (take < length) longer = true;
            pos_ += length;
            if (cr) {
                ++pos_;
                afterCr_ = true;
                break;
            }
        }
        return kept;
    }

    bool failed() const { return failed_; }

private:
    static constexpr std::size_t bufferSize = 64 * 1024;

    // False at the end of the data or after a read error.
    bool fill() {
        if (pos_ < end_) return true;
        if (atEnd_ || failed_) return false;
        const std::ptrdiff_t n = in_.read(buffer_.get(), bufferSize);
        if (n < 0 || static_cast<std::size_t>(n) > bufferSize) {
            failed_ = true;
            return false;
        }
        if (n == 0) {
            atEnd_ = true;
            return false;
        }
        pos_ = 0;
        end_ = static_cast<std::size_t>(n);
        return true;
    }

    ByteSource& in_;
    std::unique_ptr<char[]> buffer_;
    std::size_t pos_ = 0, end_ = 0;
    bool atEnd_ = false, failed_ = false, afterCr_ = false;
};

// Columns first..last (from 1) of a line of which `length` bytes are known,
// trimmed of blanks.
std::string_view field(const char* line, std::size_t length, std::size_t first, std::size_t last) {
    if (length < first) return {};
    std::string_view f(line + first - 1, std::min(length, last) - first + 1);
    while (!f.empty() && f.front() == ' ') f.remove_prefix(1);
    while (!f.empty() && f.back() == ' ') f.remove_suffix(1);
    return f;
}

template <std::size_t N>
void assignDecoded(FixedText<N>& text, std::string_view bytes) {
    char utf8[dataFileRecordBytes * windows1252MaxUtf8];
    text.assign({utf8, static_cast<std::size_t>(writeFromWindows1252(utf8, bytes) - utf8)});
}

DataFileResult failure(DataFileFailure why, std::int64_t line) { return {0, why, line}; }

} // namespace

DataFileResult readDataFile(ByteSource& in, char decimalSeparator, FileRecordStore& records) {
    LineReader lines(in);
    bool longer = false;
    // Lines 1 to 4; of them only the separator is kept.
    for (std::int64_t n = 1; n <= 4; ++n) {
        if (!lines.more())
            return failure(lines.failed() ? DataFileFailure::ReadError : DataFileFailure::TooFewLines, n);
        char text[dataFileSeparator.size()];
        const std::size_t length = lines.line(text, n == 3 ? sizeof text : 0, longer);
        if (lines.failed()) return failure(DataFileFailure::ReadError, n);
        if (n == 3 && (longer || std::string_view(text, length) != dataFileSeparator))
            return failure(DataFileFailure::NoSeparator, n);
    }

    std::int32_t count = 0;
    while (count < FileRecordStore::capacity && lines.more()) {
        char text[dataFileRecordBytes];
        const std::size_t length = lines.line(text, sizeof text, longer);
        const std::int64_t lineNumber = 5 + static_cast<std::int64_t>(count);
        if (lines.failed()) return failure(DataFileFailure::ReadError, lineNumber);
        const std::optional<double> no = readRegionalNumber(field(text, length, 1, 13), decimalSeparator);
        const std::optional<std::int32_t> wholeNo = no ? roundHalfEvenToInt32(*no) : std::nullopt;
        const std::optional<double> value = readRegionalNumber(field(text, length, 27, 39), decimalSeparator);
        if (!wholeNo || !value) return failure(DataFileFailure::BadNumber, lineNumber);
        FileRecord& r = records[++count];
        r.no = *wholeNo;
        r.value = *value;
        assignDecoded(r.timeText, field(text, length, 15, 25));
        assignDecoded(r.unitText, field(text, length, 43, 45));
    }
    if (lines.failed()) return failure(DataFileFailure::ReadError, 5 + static_cast<std::int64_t>(count));
    if (count == 0) return failure(DataFileFailure::NoRecords, 5);
    return {count, DataFileFailure::None, 0};
}

} // namespace meter
