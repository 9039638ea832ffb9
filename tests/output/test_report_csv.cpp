// The samples report and the CSV file, byte for byte.
#include "output/csv_export.h"
#include "output/safe_file.h"
#include "output/samples_report.h"
#include "core/text_encoding.h"
#include "platform/regional_settings.h"

#include "file_bytes.h"
#include "record_fills.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QLocale>
#include <QTemporaryDir>

#include <cmath>
#include <cstring>
#include <memory>
#include <sstream>

namespace {

using meter::Unit;

using testsupport::readAll;

void add(meter::SharedState& s, meter::TimeOfDay time, double v, Unit vu, double t, Unit tu, double f, Unit fu,
         double a, Unit au) {
    testsupport::appendLiveRecord(s, {v, vu, t, tu, f, fu, a, au, "01-02-2024", time});
}

// Every unit; an invalid velocity (in km/h and in m/s), temperature (°F, °C)
// and flow (CFM); an area of 9999999; values below 1, a negative one, 1 itself.
std::unique_ptr<meter::SharedState> smallStore() {
    auto s = std::make_unique<meter::SharedState>();
    meter::initSharedState(*s);
    add(*s, {10, 0, 0}, 0.35, Unit::MetresPerSecond, 20.5, Unit::Celsius, 1.234, Unit::CubicMetresPerMin, 0.05,
        Unit::SquareMetres);
    add(*s, {10, 0, 1}, 35999996, Unit::KilometresPerHour, 68.9, Unit::Fahrenheit, 12.5, Unit::CubicFeetPerMin, 77.5,
        Unit::SquareInches);
    add(*s, {10, 0, 2}, 1, Unit::FeetPerMinute, 18000030.2, Unit::Fahrenheit, 9999999, Unit::CubicFeetPerMin, 9999999,
        Unit::SquareFeet);
    add(*s, {10, 0, 3}, -0.25, Unit::MilesPerHour, 9999999, Unit::Celsius, 0, Unit::CubicMetresPerMin, 1.5,
        Unit::SquareMetres);
    add(*s, {10, 0, 4}, 9999999, Unit::MetresPerSecond, 0, Unit::Celsius, 0.5, Unit::CubicMetresPerMin, 100,
        Unit::SquareMetres);
    add(*s, {10, 0, 5}, 3.5, Unit::Knots, 21, Unit::Celsius, 123456.75, Unit::CubicMetresPerMin, 0.125,
        Unit::SquareMetres);
    return s;
}

const meter::LocalDateTime kNow{2024, 3, 5, 14, 7, 9};

class ReportCsvTest : public ::testing::Test {
protected:
    std::string path(const char* name) const { return QDir(dir.path()).filePath(name).toStdString(); }
    QTemporaryDir dir;
};

TEST_F(ReportCsvTest, ReportBytesWithFullStop) {
    auto s = smallStore();
    ASSERT_TRUE(meter::saveSamplesReport(path("r.txt"), *s, kNow, meter::Regional{'.', {}}));
    // Items at tab stops every 14 characters, at least one blank between items.
    const std::string expected = "Samples Report              05-03-2024    14:07:09\r\n"
                                 "NO.   DATE   TIME   VELOCITY   TEMPERATURE   FLOW   AREA\r\n"
                                 "1             01-02-2024    10:00:00      0.35m/s       20.5\xB0"
                                 "C        1.234CMM      0.05m2\r\n"
                                 "2             01-02-2024    10:00:01      ----km/h      68.9\xB0"
                                 "F        12.5CFM       77.5in2\r\n"
                                 "3             01-02-2024    10:00:02      1ft/min       ----\xB0"
                                 "F        ----CFM       9999999Ft2\r\n"
                                 "4             01-02-2024    10:00:03      -0.25MPH      ----\xB0"
                                 "C        0CMM          1.5m2\r\n"
                                 "5             01-02-2024    10:00:04      ----m/s       0\xB0"
                                 "C           0.5CMM        100m2\r\n"
                                 "6             01-02-2024    10:00:05      3.5knots      21\xB0"
                                 "C          123456.75CMM  0.125m2\r\n";
    EXPECT_EQ(readAll(path("r.txt")), expected);
}

TEST_F(ReportCsvTest, ReportWithCommaAndLongItems) {
    auto s = std::make_unique<meter::SharedState>();
    meter::initSharedState(*s);
    // 14 characters and more: still one blank, up to the next stop.
    const QLocale us("en_US");
    add(*s, {22, 0, 0}, 123456.789012, Unit::FeetPerMinute, 0.5, Unit::Fahrenheit, 0.25, Unit::CubicFeetPerMin, 0.75,
        Unit::SquareInches);
    const meter::Regional regional{',', meter::timeFormatFor("h:mm:ss AP 'xx'", us)};
    ASSERT_TRUE(meter::saveSamplesReport(path("r.txt"), *s, kNow, regional));
    const std::string expected =
        "Samples Report              05-03-2024    2:07:09 PM xx\r\n"
        "NO.   DATE   TIME   VELOCITY   TEMPERATURE   FLOW   AREA\r\n"
        "1             01-02-2024    10:00:00 PM xx              123456,789012ft/min         0,5\xB0"
        "F         0,25CFM       0,75in2\r\n";
    EXPECT_EQ(readAll(path("r.txt")), expected);
}

TEST_F(ReportCsvTest, CsvBytesWithFullStopAndComma) {
    auto s = smallStore();
    ASSERT_TRUE(meter::saveSampleCsv(path("a.csv"), *s, meter::Regional{'.', {}}));
    EXPECT_EQ(readAll(path("a.csv")), "\"NO.\",\"DATE\",\"TIME\",\"VELOCITY\",\"TEMPERATURE\",\"FLOW\",\"AREA\"\r\n"
                                      "1,\"01-02-2024\",\"10:00:00\",\"0.35m/s\",\"20.5\xB0"
                                      "C\",\"1.234CMM\",\"0.05m2\"\r\n"
                                      "2,\"01-02-2024\",\"10:00:01\",\"----km/h\",\"68.9\xB0"
                                      "F\",\"12.5CFM\",\"77.5in2\"\r\n"
                                      "3,\"01-02-2024\",\"10:00:02\",\"1ft/min\",\"----\xB0"
                                      "F\",\"----CFM\",\"9999999Ft2\"\r\n"
                                      "4,\"01-02-2024\",\"10:00:03\",\"-0.25MPH\",\"----\xB0"
                                      "C\",\"0CMM\",\"1.5m2\"\r\n"
                                      "5,\"01-02-2024\",\"10:00:04\",\"----m/s\",\"0\xB0"
                                      "C\",\"0.5CMM\",\"100m2\"\r\n"
                                      "6,\"01-02-2024\",\"10:00:05\",\"3.5knots\",\"21\xB0"
                                      "C\",\"123456.75CMM\",\"0.125m2\"\r\n");

    ASSERT_TRUE(meter::saveSampleCsv(path("b.csv"), *s, meter::Regional{',', {}}));
    const std::string comma = readAll(path("b.csv"));
    EXPECT_NE(comma.find("1,\"01-02-2024\",\"10:00:00\",\"0,35m/s\",\"20,5\xB0"
                         "C\",\"1,234CMM\",\"0,05m2\"\r\n"),
              std::string::npos);
    // Seven fields a line: six commas outside the quotes.
    std::istringstream lines(comma);
    std::string line;
    int n = 0;
    while (std::getline(lines, line)) {
        ASSERT_FALSE(line.empty());
        EXPECT_EQ(line.back(), '\r');
        int outside = 0;
        bool inQuotes = false;
        for (char c : line) {
            if (c == '"') inQuotes = !inQuotes;
            else if (c == ',' && !inQuotes) ++outside;
        }
        EXPECT_EQ(outside, 6) << line;
        ++n;
    }
    EXPECT_EQ(n, 7);
}

TEST_F(ReportCsvTest, TimesInTheLocalesFormatWhole) {
    // Literal text stays literal, and nothing is cut off; a character the
    // code page lacks becomes "?".
    struct Case {
        const char* locale;
        const char* time;
    };
    for (const Case c :
         {Case{"fr_CA", "22 h 05 min 09 s"}, Case{"bg_BG", "22:05:09 ?."}, Case{"en_US", "10:05:09 PM"}}) {
        auto s = std::make_unique<meter::SharedState>();
        meter::initSharedState(*s);
        add(*s, {22, 5, 9}, 1, Unit::MetresPerSecond, 1, Unit::Celsius, 1, Unit::CubicMetresPerMin, 1,
            Unit::SquareMetres);
        ASSERT_TRUE(meter::saveSampleCsv(path("t.csv"), *s, meter::regionalSettings(QLocale(c.locale))));
        const std::string csv = readAll(path("t.csv"));
        EXPECT_EQ(csv.substr(csv.find('\n') + 1), "1,\"01-02-2024\",\"" + std::string(c.time) +
                                                      "\",\"1m/s\",\"1\xB0"
                                                      "C\",\"1CMM\",\"1m2\"\r\n")
            << c.locale;
    }
}

TEST_F(ReportCsvTest, OneRecordGivesThreeAndTwoLines) {
    auto s = std::make_unique<meter::SharedState>();
    meter::initSharedState(*s);
    add(*s, {10, 0, 0}, 1, Unit::MetresPerSecond, 1, Unit::Celsius, 1, Unit::CubicMetresPerMin, 1, Unit::SquareMetres);
    ASSERT_TRUE(meter::saveSamplesReport(path("r.txt"), *s, kNow, {}));
    ASSERT_TRUE(meter::saveSampleCsv(path("a.csv"), *s, {}));
    const auto count = [](const std::string& t) { return std::count(t.begin(), t.end(), '\n'); };
    EXPECT_EQ(count(readAll(path("r.txt"))), 3);
    EXPECT_EQ(count(readAll(path("a.csv"))), 2);
    const std::string csv = readAll(path("a.csv"));
    EXPECT_EQ(csv.substr(csv.find('\n') + 1), "1,\"01-02-2024\",\"10:00:00\",\"1m/s\",\"1\xB0"
                                              "C\",\"1CMM\",\"1m2\"\r\n");
}

TEST(TextEncoding, Windows1252) {
    const struct {
        const char* utf8;
        const char* cp1252;
    } cases[] = {
        {"\xC2\xB0"
         "C",
         "\xB0"
         "C"},
        {"m/s", "m/s"},
        {"\xE2\x82\xAC", "\x80"}, // euro sign
        {"\xC3\xA9t\xC3\xA9", "\xE9t\xE9"},
        {"\xE6\x97\xA5", "?"}, // not in the code page
        {"\xC2", "?"},         // cut short
        {"\xC0\xB0", "??"},    // overlong
        {"\xF0\x9F\x98\x80x", "?x"},
    };
    for (const auto& c : cases) EXPECT_EQ(meter::toWindows1252(c.utf8), c.cp1252) << c.utf8;
}

TEST_F(ReportCsvTest, WriterBuffersLargeAndSmallWrites) {
    meter::SafeFileWriter w(path("big.bin"));
    ASSERT_TRUE(w.open());
    std::string expected;
    const std::string big(meter::SafeFileWriter::bufferSize + 17, 'x');
    for (int i = 0; i < 3; ++i) {
        w.write("abc");
        expected += "abc";
        w.write(big);
        expected += big;
        w.put('\n');
        expected += '\n';
    }
    ASSERT_TRUE(w.commit());
    EXPECT_EQ(readAll(path("big.bin")), expected);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"big.bin"});
}

} // namespace
