// The data file: a fixed-column text log of numbered, time-stamped readings,
// in Windows-1252.
//
//   line 1, 2   any text, not examined
//   line 3      exactly 56 underscores, nothing before or after them
//   line 4      any text, not examined
//   line 5 on   one record a line, up to the end of the file
//
// A line ends at CR LF or at a lone CR. An LF that does not follow a CR is an
// ordinary character of its line, so a file with LF line ends only is one
// line, and in CR LF LF the second LF is the first column of the next line.
//
// Record line, columns counted in bytes from 1:
//   1-13   `no`        a number in the regional format, rounded to a whole
//                      32-bit number (a half to the even one)
//   15-25  `timeText`  text
//   27-39  `value`     a number in the regional format
//   43-45  `unitText`  text
// Each field is trimmed of leading and trailing blanks (only blanks). A field
// beyond the end of a short line is empty; one the line ends inside holds the
// bytes that are there. An empty or bad number fails the read; an empty text
// is fine. The 36000th record ends the read; nothing after it is looked at.
#pragma once

#include "core/shared_state.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace meter {

// Where the bytes of a file come from.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    // Up to `size` bytes into `buffer`: how many were read, 0 at the end of the
    // data, or -1 when reading failed.
    virtual std::ptrdiff_t read(char* buffer, std::size_t size) = 0;
};

inline constexpr std::string_view dataFileSeparator = "________________________________________________________";

// Bytes of a record line that carry fields; the rest of a line is skipped
// unread into memory.
inline constexpr std::size_t dataFileRecordBytes = 45;

enum class DataFileFailure {
    None,
    ReadError,   // the bytes could not be read
    TooFewLines, // the file ends before line 4
    NoSeparator, // line 3 is not the separator
    BadNumber,   // a number field is empty, no number, or out of range
    NoRecords,   // no record line follows line 4
};

struct DataFileResult {
    // Records stored in slots 1..count; 0 after a failure.
    std::int32_t count = 0;
    DataFileFailure failure = DataFileFailure::None;
    // The line (from 1) the read failed at; 0 when it did not fail.
    std::int64_t failedLine = 0;

    bool ok() const { return failure == DataFileFailure::None; }
};

// Reads a data file from `in` into `records`, slot 1 on, streaming: whatever
// the size of the file or of a line, it keeps no more than one buffer of input
// and the first bytes of one line. After a failure, slots may hold records of
// the failed read; they lie beyond the count and mean nothing.
DataFileResult readDataFile(ByteSource& in, char decimalSeparator, FileRecordStore& records);

} // namespace meter
