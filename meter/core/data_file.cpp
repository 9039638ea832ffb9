#include "core/data_file.h"

#include "core/number_reading.h"
#include "core/text_encoding.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <memory>
#include <optional>
#include <string_view>

namespace meter {

namespace {

// The fields are cut from two words of eight bytes each, without a loop over
// blanks: a full file is read in at most five times the time it takes to
// read it into memory and split its lines (bench_data_file), which trimming
// byte by byte misses. LineReader and RecordLine share one invariant for it:
// every line view LineReader hands out can be read for `readable` bytes from
// its start (its buffer and its kept bytes have that room behind them), and
// RecordLine reads no further. The property test (RandomDamageMatchesTheModel)
// holds the reader to a model that cuts the fields plainly.

// Lines of a byte source, one buffer of input at a time.
class LineReader {
public:
    // The bytes of a line's view can be read this far from its start, also
    // past its end (what lies there is unspecified).
    static constexpr std::size_t readable = 64;

    explicit LineReader(ByteSource& in) : in_(in), buffer_(new char[bufferSize + readable]()) {}

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
    // data) and gives its first `room` bytes (at most dataFileSeparator's or a
    // record's size); `longer` tells whether the line had more. The view
    // holds until the next call.
    std::string_view line(std::size_t room, bool& longer) {
        longer = false;
        if (!fill()) return {};
        const char* first = buffer_.get() + pos_;
        std::size_t available = end_ - pos_;
        const auto* cr = static_cast<const char*>(std::memchr(first, '\r', available));
        if (cr) { // the usual case: the whole line is in the buffer
            const auto length = static_cast<std::size_t>(cr - first);
            pos_ += length + 1;
            afterCr_ = true;
            longer = length > room;
            return {first, std::min(length, room)};
        }
        // The line goes on beyond the buffer: its first bytes are kept aside.
        std::size_t kept = 0;
        for (;;) {
            const std::size_t length = cr ? static_cast<std::size_t>(cr - first) : available;
            const std::size_t take = std::min(length, room - kept);
            if (take > 0) std::memcpy(kept_ + kept, first, take);
            kept += take;
            if (take < length) longer = true;
            pos_ += length;
            if (cr) {
                ++pos_;
                afterCr_ = true;
                break;
            }
            if (!fill()) break;
            first = buffer_.get() + pos_;
            available = end_ - pos_;
            cr = static_cast<const char*>(std::memchr(first, '\r', available));
        }
        return {kept_, kept};
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
    char kept_[std::max({dataFileSeparator.size(), dataFileRecordBytes, readable})] = {};
    bool atEnd_ = false, failed_ = false, afterCr_ = false;
};

// The fields of a record line, read 16 bytes at a time: `line` can be read
// for LineReader::readable bytes. A line shorter than the record is copied
// and filled up with blanks, so that every field can be taken whole: one
// beyond its end is all blanks, and one it ends inside holds the bytes that
// are there, as the format says.
class RecordLine {
public:
    explicit RecordLine(std::string_view line) : bytes_(line.data()) {
        if (line.size() < dataFileRecordBytes) {
            std::memset(padded_, ' ', sizeof padded_);
            if (!line.empty()) std::memcpy(padded_, line.data(), line.size());
            bytes_ = padded_;
        }
    }

    struct Field {
        std::string_view text; // trimmed of blanks
        bool ascii;            // no byte of 0x80 or above
    };

    // Columns first..last (from 1), trimmed of blanks; eight bytes at a time,
    // with no branch on how many blanks there are.
    template <std::size_t First, std::size_t Last>
    Field field() const {
        constexpr std::size_t width = Last - First + 1;
        static_assert(First >= 1 && width <= 16 && First - 1 + 16 <= room);
        const char* p = bytes_ + First - 1;
        std::uint64_t lo, hi;
        std::memcpy(&lo, p, 8);
        std::memcpy(&hi, p + 8, 8);
        if constexpr (std::endian::native == std::endian::big) {
            lo = __builtin_bswap64(lo);
            hi = __builtin_bswap64(hi);
        }
        // Byte i of the field in bits 8i..8i+7; zero bytes where it is blank.
        lo &= keep(width);
        hi &= keep(width > 8 ? width - 8 : 0);
        const bool ascii = ((lo | hi) & 0x8080808080808080ULL) == 0;
        lo ^= 0x2020202020202020ULL & keep(width);
        hi ^= 0x2020202020202020ULL & keep(width > 8 ? width - 8 : 0);
        if ((lo | hi) == 0) return {{p, 0}, true};
        const int first = lo ? std::countr_zero(lo) / 8 : 8 + std::countr_zero(hi) / 8;
        const int last = hi ? 15 - std::countl_zero(hi) / 8 : 7 - std::countl_zero(lo) / 8;
        return {{p + first, static_cast<std::size_t>(last - first + 1)}, ascii};
    }

    // A text field decoded into the record's text. Plain ASCII, the usual
    // case, goes over as it is, in one fixed-size copy.
    template <std::size_t First, std::size_t Last, std::size_t N>
    void assign(FixedText<N>& text) const {
        constexpr std::size_t width = Last - First + 1;
        constexpr std::size_t block = std::bit_ceil(width);
        static_assert(width * windows1252MaxUtf8 <= N, "every decoded field fits its record text");
        static_assert(block <= N && First - 1 + width + block <= room);
        const Field f = field<First, Last>();
        if (f.ascii) {
            std::memcpy(text.data, f.text.data(), block);
            text.len = static_cast<std::uint8_t>(f.text.size());
        } else {
            text.len = static_cast<std::uint8_t>(writeFromWindows1252(text.data, f.text) - text.data);
        }
    }

private:
    // The low n bytes of a word.
    static constexpr std::uint64_t keep(std::size_t n) { return n >= 8 ? ~0ULL : (1ULL << (8 * n)) - 1; }

    static constexpr std::size_t room = 64;
    static_assert(room <= LineReader::readable);
    const char* bytes_;
    char padded_[room];
};

DataFileResult failure(DataFileFailure why, std::int64_t line) { return {0, why, line}; }

} // namespace

DataFileResult readDataFile(ByteSource& in, char decimalSeparator, FileRecordStore& records) {
    LineReader lines(in);
    bool longer = false;
    // Lines 1 to 4; of them only the separator is looked at.
    for (std::int64_t n = 1; n <= 4; ++n) {
        if (!lines.more())
            return failure(lines.failed() ? DataFileFailure::ReadError : DataFileFailure::TooFewLines, n);
        const std::string_view text = lines.line(n == 3 ? dataFileSeparator.size() : 0, longer);
        if (lines.failed()) return failure(DataFileFailure::ReadError, n);
        if (n == 3 && (longer || text != dataFileSeparator)) return failure(DataFileFailure::NoSeparator, n);
    }

    std::int32_t count = 0;
    while (count < FileRecordStore::capacity && lines.more()) {
        const std::string_view text = lines.line(dataFileRecordBytes, longer);
        const std::int64_t lineNumber = 5 + static_cast<std::int64_t>(count);
        if (lines.failed()) return failure(DataFileFailure::ReadError, lineNumber);
        const RecordLine line(text);
        const std::optional<std::int32_t> no = readRegionalInt32(line.field<1, 13>().text, decimalSeparator);
        const std::optional<double> value = readRegionalNumber(line.field<27, 39>().text, decimalSeparator);
        if (!no || !value) return failure(DataFileFailure::BadNumber, lineNumber);
        FileRecord& r = records[++count];
        r.no = *no;
        r.value = *value;
        line.assign<15, 25>(r.timeText);
        line.assign<43, 45>(r.unitText);
    }
    if (lines.failed()) return failure(DataFileFailure::ReadError, 5 + static_cast<std::int64_t>(count));
    if (count == 0) return failure(DataFileFailure::NoRecords, 5);
    return {count, DataFileFailure::None, 0};
}

} // namespace meter
