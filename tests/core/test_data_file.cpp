// The data file reader on files built in memory, and the summary of its records.
#include "core/data_file.h"
#include "core/file_summary.h"
#include "core/text_encoding.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <random>
#include <regex>
#include <string>
#include <vector>

using namespace meter;

namespace {

const std::string kSeparator(56, '_');

// Hands out `data` in chunks of the given sizes (taken in turn), and fails
// once a read would go past `failAt`.
class MemorySource : public ByteSource {
public:
    explicit MemorySource(std::string data, std::vector<std::size_t> chunks = {},
                          std::size_t failAt = std::string::npos)
        : data_(std::move(data)), chunks_(std::move(chunks)), failAt_(failAt) {}

    std::ptrdiff_t read(char* buffer, std::size_t size) override {
        if (pos_ >= failAt_) return -1;
        std::size_t n = std::min({size, data_.size() - pos_, failAt_ - pos_});
        if (!chunks_.empty()) n = std::min(n, chunks_[reads_ % chunks_.size()]);
        ++reads_;
        std::copy_n(data_.data() + pos_, n, buffer);
        pos_ += n;
        return static_cast<std::ptrdiff_t>(n);
    }
    std::size_t position() const { return pos_; }

private:
    std::string data_;
    std::vector<std::size_t> chunks_;
    std::size_t failAt_;
    std::size_t pos_ = 0, reads_ = 0;
};

std::string padLeft(std::string_view s, std::size_t width) {
    return std::string(width > s.size() ? width - s.size() : 0, ' ') + std::string(s);
}
std::string padRight(std::string_view s, std::size_t width) {
    return std::string(s) + std::string(width > s.size() ? width - s.size() : 0, ' ');
}

// A record line with its fields in their columns; an empty unit ends the line
// after the value's column.
std::string rec(std::string_view no, std::string_view time, std::string_view value, std::string_view unit = "dBA") {
    std::string line = padLeft(no, 13) + " " + padRight(time, 11) + " " + padLeft(value, 13);
    if (!unit.empty()) line += "   " + std::string(unit);
    return line;
}

std::string joined(const std::vector<std::string>& lines, std::string_view end = "\r\n") {
    std::string out;
    for (const std::string& l : lines) out += l + std::string(end);
    return out;
}

const std::vector<std::string> kHeader = {"SOUND LEVEL METER", "Data Logger", kSeparator, "No.   Time   Value   Unit"};

std::string dataFile(const std::vector<std::string>& records, std::string_view end = "\r\n") {
    std::vector<std::string> lines = kHeader;
    lines.insert(lines.end(), records.begin(), records.end());
    return joined(lines, end);
}

struct Read {
    DataFileResult result;
    std::unique_ptr<FileRecordStore> records = std::make_unique<FileRecordStore>();
};

Read readBytes(std::string bytes, char sep = '.', std::vector<std::size_t> chunks = {}) {
    Read r;
    MemorySource source(std::move(bytes), std::move(chunks));
    r.result = readDataFile(source, sep, *r.records);
    return r;
}

using F = DataFileFailure;

TEST(DataFile, SmallFiles) {
    const std::string r1 = rec("1", "12:00:01", "45.5"), r2 = rec("2", "12:00:02", "46.25");
    const std::string head = joined({"a", "b", kSeparator, "c"});
    struct Case {
        const char* name;
        std::string bytes;
        std::int32_t count;
        F failure;
        std::int64_t line;
    };
    const Case cases[] = {
        {"one line end after the last record", dataFile({r1, r2}), 2, F::None, 0},
        {"no line end after the last record", dataFile({r1, r2}).substr(0, dataFile({r1, r2}).size() - 2), 2, F::None,
         0},
        {"lone CR line ends", dataFile({r1, r2}, "\r"), 2, F::None, 0},
        {"mixed line ends", "a\rb\r\n" + kSeparator + "\rc\r\n" + r1 + "\r" + r2, 2, F::None, 0},
        {"LF inside a header line", "a\nb\r\nc\r\n" + kSeparator + "\r\nd\r\n" + r1, 1, F::None, 0},
        {"a huge record line", dataFile({r1 + std::string(200000, 'x'), r2}), 2, F::None, 0},
        {"separator of 55", joined({"a", "b", std::string(55, '_'), "c", r1}), 0, F::NoSeparator, 3},
        {"separator of 57", joined({"a", "b", std::string(57, '_'), "c", r1}), 0, F::NoSeparator, 3},
        {"blank before the separator", joined({"a", "b", " " + kSeparator, "c", r1}), 0, F::NoSeparator, 3},
        {"blank after the separator", joined({"a", "b", kSeparator + " ", "c", r1}), 0, F::NoSeparator, 3},
        {"separator on line 2", joined({"a", kSeparator, "b", "c", r1}), 0, F::NoSeparator, 3},
        {"separator with LF before CR LF", joined({"a", "b", kSeparator + "\n", "c", r1}), 0, F::NoSeparator, 3},
        {"exactly four lines", head, 0, F::NoRecords, 5},
        {"four lines, no last line end", head.substr(0, head.size() - 2), 0, F::NoRecords, 5},
        {"three lines", joined({"a", "b", kSeparator}), 0, F::TooFewLines, 4},
        {"three lines, no last line end", "a\r\nb\r\n" + kSeparator, 0, F::TooFewLines, 4},
        {"two lines", joined({"a", "b"}), 0, F::TooFewLines, 3},
        {"empty file", "", 0, F::TooFewLines, 1},
        {"LF line ends only", dataFile({r1, r2}, "\n"), 0, F::TooFewLines, 2},
        {"CR LF LF: the second LF starts the next line", head + "\n" + r1 + "\r\n", 0, F::BadNumber, 5},
        {"empty line among the records", dataFile({r1, "", r2}), 0, F::BadNumber, 6},
        {"empty last line", dataFile({r1, r2}) + "\r\n", 0, F::BadNumber, 7},
        {"blank last line", dataFile({r1, r2}) + "   \r\n", 0, F::BadNumber, 7},
        {"record ends after column 39", dataFile({rec("1", "12:00:01", "45.5", "")}), 1, F::None, 0},
        {"record ends in the time", dataFile({r1, "            3 12:0"}), 0, F::BadNumber, 6},
        {"value inf", dataFile({r1, rec("2", "t", "inf")}), 0, F::BadNumber, 6},
        {"value nan", dataFile({r1, rec("2", "t", "nan")}), 0, F::BadNumber, 6},
        {"value infinity", dataFile({rec("1", "t", "-infinity")}), 0, F::BadNumber, 5},
        {"value 0x10", dataFile({rec("1", "t", "0x10")}), 0, F::BadNumber, 5},
        {"value 1e999", dataFile({rec("1", "t", "1e999")}), 0, F::BadNumber, 5},
        {"NUL inside the value",
         dataFile({rec("1", "t",
                       std::string("4\0"
                                   "5",
                                   3))}),
         0, F::BadNumber, 5},
        {"NUL inside the number",
         dataFile({rec(std::string("1\0"
                                   "2",
                                   3),
                       "t", "5")}),
         0, F::BadNumber, 5},
        {"value in the other separator", dataFile({rec("1", "t", "4,5")}), 0, F::BadNumber, 5},
        {"number beyond 32 bits", dataFile({rec("2147483648", "t", "5")}), 0, F::BadNumber, 5},
        {"number 1e10", dataFile({rec("1e10", "t", "5")}), 0, F::BadNumber, 5},
        {"empty number", dataFile({rec("", "t", "5")}), 0, F::BadNumber, 5},
        {"empty value", dataFile({rec("1", "t", "")}), 0, F::BadNumber, 5},
        {"tab in the number", dataFile({rec("\t1", "t", "5")}), 0, F::BadNumber, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (const std::size_t chunk : {std::size_t{0}, std::size_t{1}, std::size_t{7}}) {
            const Read r =
                readBytes(c.bytes, '.', chunk ? std::vector<std::size_t>{chunk} : std::vector<std::size_t>{});
            EXPECT_EQ(r.result.failure, c.failure) << "chunk " << chunk;
            EXPECT_EQ(r.result.count, c.count) << "chunk " << chunk;
            EXPECT_EQ(r.result.failedLine, c.line) << "chunk " << chunk;
        }
    }
}

TEST(DataFile, FieldsInTheirColumns) {
    std::string withDegree = rec("7",
                                 "\xB0"
                                 "C x",
                                 "-3.5",
                                 "\xB0"
                                 "C");
    std::string garbageBetween = rec("8", "t8", "1e2", "dBC");
    garbageBetween[13] = 'x';             // column 14
    garbageBetween[25] = 'y';             // column 26
    garbageBetween.replace(39, 3, "zzz"); // columns 40-42
    garbageBetween += "and more after column 45";
    const std::vector<std::string> lines = {
        rec("12.5", "12:30:45", "1.25"),
        rec("13.5", "  1 2  ", "0"),
        rec("-2.5", "", "+7"),
        rec("0", "\t1\t", "2", "dB"),
        withDegree,
        garbageBetween,
        padLeft("9", 13) + " " + padRight("t9", 11) + " 9", // ends inside the value's columns
    };
    const Read r = readBytes(dataFile(lines));
    ASSERT_TRUE(r.result.ok());
    ASSERT_EQ(r.result.count, 7);
    const FileRecordStore& s = *r.records;
    struct Want {
        std::int32_t no;
        const char* time;
        double value;
        const char* unit;
    };
    const Want want[] = {
        {12, "12:30:45", 1.25, "dBA"},
        {14, "1 2", 0, "dBA"},
        {-2, "", 7, "dBA"},
        {0, "\t1\t", 2, "dB"},
        {7,
         "\xC2\xB0"
         "C x",
         -3.5,
         "\xC2\xB0"
         "C"},
        {8, "t8", 100, "dBC"},
        {9, "t9", 9, ""},
    };
    for (int i = 0; i < 7; ++i) {
        SCOPED_TRACE(i + 1);
        EXPECT_EQ(s[i + 1].no, want[i].no);
        EXPECT_EQ(s[i + 1].timeText.view(), want[i].time);
        EXPECT_EQ(s[i + 1].value, want[i].value);
        EXPECT_EQ(s[i + 1].unitText.view(), want[i].unit);
    }
    // The longest time decodes to 33 bytes and is kept whole.
    const Read euro = readBytes(dataFile({rec("1", std::string(11, '\x80'), "1")}));
    ASSERT_TRUE(euro.result.ok());
    std::string euros;
    for (int i = 0; i < 11; ++i) euros += "\xE2\x82\xAC";
    EXPECT_EQ((*euro.records)[1].timeText.view(), euros);
}

TEST(DataFile, RegionalDecimalComma) {
    const std::string bytes = dataFile({rec("12,5", "t", "1,25"), rec("3", "t", "-0,5e1")});
    const Read comma = readBytes(bytes, ',');
    ASSERT_TRUE(comma.result.ok());
    EXPECT_EQ((*comma.records)[1].no, 12);
    EXPECT_EQ((*comma.records)[1].value, 1.25);
    EXPECT_EQ((*comma.records)[2].value, -5);
    EXPECT_EQ(readBytes(bytes, '.').result.failure, F::BadNumber);
    EXPECT_EQ(readBytes(dataFile({rec("1", "t", "1.25")}), ',').result.failure, F::BadNumber);
}

std::string recordsFile(int records, const std::string& after = "") {
    std::string bytes = joined(kHeader);
    bytes.reserve(bytes.size() + static_cast<std::size_t>(records) * 47 + after.size());
    for (int n = 1; n <= records; ++n) bytes += rec(std::to_string(n), "10:00:00", std::to_string(n % 1000)) + "\r\n";
    return bytes + after;
}

TEST(DataFile, StopsAtTheStoresSize) {
    struct Case {
        const char* name;
        int records;
        std::string after;
    };
    const Case cases[] = {
        {"36000 records", 36000, ""},
        {"36001 records", 36001, ""},
        {"36000 records and an empty line", 36000, "\r\n"},
        {"36000 records and a garbage line", 36000, "garbage\r\nmore garbage"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Read r = readBytes(recordsFile(c.records, c.after));
        ASSERT_TRUE(r.result.ok());
        EXPECT_EQ(r.result.count, 36000);
        EXPECT_EQ((*r.records)[36000].no, 36000);
        EXPECT_EQ((*r.records)[36000].value, 0);
        EXPECT_EQ((*r.records)[35999].value, 999);
    }
    // Nothing after the 36000th record line is read: here the source would fail.
    const std::string whole = recordsFile(36000);
    auto store = std::make_unique<FileRecordStore>();
    MemorySource failing(whole + "more", {}, whole.size());
    const DataFileResult r = readDataFile(failing, '.', *store);
    EXPECT_TRUE(r.ok());
    EXPECT_EQ(r.count, 36000);
}

TEST(DataFile, ReadErrorFailsTheRead) {
    const std::string bytes = recordsFile(3000);
    auto store = std::make_unique<FileRecordStore>();
    struct Case {
        std::size_t at;
        std::int64_t line;
    };
    for (const Case c : {Case{0, 1}, Case{10, 1}, Case{bytes.find('_') + 3, 3}, Case{bytes.size() / 2, 0}}) {
        MemorySource source(bytes, {4096}, c.at);
        const DataFileResult r = readDataFile(source, '.', *store);
        EXPECT_EQ(r.failure, F::ReadError) << c.at;
        EXPECT_EQ(r.count, 0);
        if (c.line) {
            EXPECT_EQ(r.failedLine, c.line);
        }
    }
}

// ---- The property test: random damage to a good file, against a model. ----

struct ModelRecord {
    std::int32_t no;
    double value;
    std::string time, unit;
};
struct ModelResult {
    F failure = F::None;
    std::int64_t line = 0;
    std::vector<ModelRecord> records;
};

std::string trimBlanks(std::string s) {
    s.erase(0, std::min(s.find_first_not_of(' '), s.size()));
    s.erase(s.find_last_not_of(' ') + 1);
    return s;
}

std::optional<double> modelNumber(const std::string& text) {
    static const std::regex number("[+-]?([0-9]+\\.?[0-9]*|\\.[0-9]+)([eE][+-]?[0-9]+)?");
    if (!std::regex_match(text, number)) return std::nullopt;
    const double v = std::strtod(text.c_str(), nullptr);
    if (std::isinf(v)) return std::nullopt;
    return v == 0 ? 0.0 : v;
}

// The file read in one piece: split into lines, then checked line by line.
ModelResult model(const std::string& bytes) {
    std::vector<std::string> lines;
    for (std::size_t pos = 0; pos < bytes.size();) {
        const std::size_t cr = std::min(bytes.find('\r', pos), bytes.size());
        lines.push_back(bytes.substr(pos, cr - pos));
        pos = cr + 1;
        if (pos < bytes.size() && bytes[pos] == '\n') ++pos;
    }
    ModelResult m;
    if (lines.size() < 3) return {F::TooFewLines, static_cast<std::int64_t>(lines.size()) + 1, {}};
    if (lines[2] != kSeparator) return {F::NoSeparator, 3, {}};
    if (lines.size() < 4) return {F::TooFewLines, 4, {}};
    for (std::size_t i = 4; i < lines.size() && m.records.size() < 36000; ++i) {
        const std::string line = lines[i].substr(0, 45) + std::string(45, ' ');
        const std::optional<double> no = modelNumber(trimBlanks(line.substr(0, 13)));
        const std::optional<double> value = modelNumber(trimBlanks(line.substr(26, 13)));
        const double whole = no ? std::nearbyint(*no) : 0;
        if (!no || !value || whole < -2147483648.0 || whole > 2147483647.0)
            return {F::BadNumber, static_cast<std::int64_t>(i) + 1, {}};
        m.records.push_back({static_cast<std::int32_t>(whole), *value, fromWindows1252(trimBlanks(line.substr(14, 11))),
                             fromWindows1252(trimBlanks(line.substr(42, 3)))});
    }
    if (m.records.empty()) return {F::NoRecords, 5, {}};
    return m;
}

std::string goodFile(std::mt19937& rng) {
    auto pick = [&rng](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    const char* units[] = {"dBA", "dBC",
                           "\xB0"
                           "C",
                           "", "m/s"};
    const char* values[] = {"45.5", "-0.25", "100", "1e2", ".5", "+3.", "0", "123456.789", "2.5E-3"};
    std::vector<std::string> records;
    for (int n = 1 + pick(12); n > 0; --n) {
        const std::string no = std::to_string(pick(100000) - 50) + (pick(4) == 0 ? ".5" : "");
        const std::string time =
            std::to_string(10 + pick(14)) + ":" + std::to_string(10 + pick(50)) + (pick(5) ? ":07" : "");
        records.push_back(rec(no, time, values[pick(9)], units[pick(5)]));
    }
    return dataFile(records, pick(3) ? "\r\n" : "\r");
}

void mutate(std::string& s, std::mt19937& rng) {
    auto pick = [&rng](std::size_t n) { return n == 0 ? 0 : rng() % n; };
    const char interesting[] = {'\0', '\r', '\n', ' ', '_',    '.',    ',',    '-',
                                '+',  'e',  '1',  '9', '\x80', '\xB0', '\xFF', '\t'};
    const std::size_t at = pick(s.size() + 1);
    // The line around `at`: from after the line end before it to its CR.
    auto lineBounds = [&s, at](std::size_t& begin, std::size_t& end) {
        const std::size_t cr = at == 0 ? std::string::npos : s.rfind('\r', at - 1);
        begin = cr == std::string::npos ? 0 : cr + 1;
        if (cr != std::string::npos && begin < s.size() && s[begin] == '\n') ++begin;
        end = std::min(s.find('\r', begin), s.size());
    };
    switch (pick(8)) {
    case 0: // a byte flipped
        if (!s.empty())
            s[std::min(at, s.size() - 1)] =
                pick(2) ? interesting[pick(sizeof interesting)] : static_cast<char>(pick(256));
        break;
    case 1: { // a line cut short
        std::size_t begin, end;
        lineBounds(begin, end);
        const std::size_t cut = begin + pick(end - begin + 1);
        s.erase(cut, end - cut);
        break;
    }
    case 2: { // a line doubled
        std::size_t begin, end;
        lineBounds(begin, end);
        s.insert(begin, s.substr(begin, end - begin) + "\r\n");
        break;
    }
    case 3: { // a long run of bytes
        std::string run(50 + pick(5000), 'x');
        for (char& c : run) c = pick(3) ? static_cast<char>(' ' + pick(95)) : interesting[pick(sizeof interesting)];
        s.insert(at, run);
        break;
    }
    case 4: s.insert(at, 1, '\0'); break;
    case 5: s.insert(at, 1, static_cast<char>(0x80 + pick(128))); break;
    case 6:
        if (!s.empty()) s.erase(std::min(at, s.size() - 1), 1);
        break;
    default: s.insert(at, pick(3) == 0 ? "\r\n" : (pick(2) ? "\r" : "\n")); break;
    }
}

TEST(DataFile, RandomDamageMatchesTheModel) {
    std::mt19937 rng(20261210);
    auto store = std::make_unique<FileRecordStore>();
    int complete = 0, failed = 0;
    for (int round = 0; round < 4000; ++round) {
        std::string bytes = goodFile(rng);
        for (int k = static_cast<int>(rng() % 4); k > 0; --k) mutate(bytes, rng);
        const ModelResult want = model(bytes);

        std::vector<std::size_t> chunks;
        if (rng() % 2) chunks = {1 + rng() % 3, 1 + rng() % 97};
        MemorySource source(bytes, chunks);
        const DataFileResult got = readDataFile(source, '.', *store);
        SCOPED_TRACE(testing::Message() << "round " << round);
        ASSERT_EQ(got.failure, want.failure);
        ASSERT_EQ(got.failedLine, want.line);
        ASSERT_EQ(got.count, static_cast<std::int32_t>(want.records.size()));
        for (std::int32_t n = 1; n <= got.count; ++n) {
            const ModelRecord& w = want.records[static_cast<std::size_t>(n - 1)];
            const FileRecord& r = (*store)[n];
            ASSERT_EQ(r.no, w.no) << n;
            ASSERT_EQ(r.value, w.value) << n;
            ASSERT_EQ(r.timeText.view(), w.time) << n;
            ASSERT_EQ(r.unitText.view(), w.unit) << n;
        }
        (got.ok() ? complete : failed)++;
    }
    // Both ends are reached often enough for the comparison to mean something.
    EXPECT_GT(complete, 400);
    EXPECT_GT(failed, 400);
}

// ---- The summary ----

void put(FileRecordStore& s, std::int32_t n, double value, const char* time) {
    s[n].no = n;
    s[n].value = value;
    s[n].timeText.assign(time);
}

TEST(FileSummary, FirstRecordNamedOnTies) {
    auto s = std::make_unique<FileRecordStore>();
    put(*s, 1, 5, "10:00:01");
    put(*s, 2, 9.5, "10:00:02");
    put(*s, 3, -1.25, "10:00:03");
    put(*s, 4, 9.5, "10:00:04");
    put(*s, 5, -1.25, "10:00:05");
    put(*s, 6, 100, "beyond the count");
    const std::optional<FileSummary> sum = fileSummary(*s, 5, '.');
    ASSERT_TRUE(sum);
    EXPECT_EQ(sum->startTimeText, "10:00:01");
    EXPECT_EQ(sum->countText, "5");
    EXPECT_EQ(sum->maxText, "9.5   (10:00:02)");
    EXPECT_EQ(sum->minText, "-1.25   (10:00:03)");
    const FileExtremes e = fileExtremes(*s, 5);
    EXPECT_EQ(e.largest, 2);
    EXPECT_EQ(e.smallest, 3);

    // One record is both extremes; all equal values name record 1.
    put(*s, 2, 5, "10:00:02");
    put(*s, 3, 5, "10:00:03");
    EXPECT_EQ(fileExtremes(*s, 3).largest, 1);
    EXPECT_EQ(fileExtremes(*s, 3).smallest, 1);
    EXPECT_EQ(fileSummary(*s, 1, '.')->maxText, "5   (10:00:01)");
    EXPECT_FALSE(fileSummary(*s, 0, '.'));
}

TEST(FileSummary, GeneralNumberTextWithTheRegionalSeparator) {
    auto s = std::make_unique<FileRecordStore>();
    put(*s, 1, 0.1 + 0.2, "t1");
    put(*s, 2, -1234567.125, "t\xC2\xB0");
    put(*s, 3, 1e20, "t3");
    const std::optional<FileSummary> sum = fileSummary(*s, 3, ',');
    EXPECT_EQ(sum->maxText, "100000000000000000000   (t3)");
    EXPECT_EQ(sum->minText, "-1234567,125   (t\xC2\xB0)");
    put(*s, 3, 0.3, "t3");
    EXPECT_EQ(fileSummary(*s, 3, ',')->maxText, "0,3   (t1)"); // 15 significant digits: 0.30000000000000004 is 0.3
}

} // namespace
