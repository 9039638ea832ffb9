#include "core/recording.h"

#include <gtest/gtest.h>

#include <array>
#include <cfloat>
#include <cmath>
#include <limits>
#include <memory>
#include <string>

using namespace meter;

namespace {

constexpr float nanF = std::numeric_limits<float>::quiet_NaN();
constexpr float infF = std::numeric_limits<float>::infinity();

// Unit codes as the meter sends them.
constexpr std::uint8_t velMs = 0x01, velFtMin = 0x02, velKmh = 0x03, velMph = 0x04, velKnots = 0x05;
constexpr std::uint8_t tempC = 0x01, tempF = 0x02;
constexpr std::uint8_t flowCmm = 0x00, flowCfm = 0x01;
constexpr std::uint8_t areaM2 = 0x81, areaIn2 = 0x82, areaFt2 = 0x83;
constexpr std::uint8_t invalid = 0x10;

MeterFrame frame(float v, float t, float f, float a, std::uint8_t vc = velMs, std::uint8_t tc = tempC,
                 std::uint8_t fc = flowCmm, std::uint8_t ac = areaM2) {
    MeterFrame m;
    m.velocitySI = v;
    m.temperatureSI = t;
    m.flowSI = f;
    m.areaSI = a;
    m.velocityUnitCode = vc;
    m.temperatureUnitCode = tc;
    m.flowUnitCode = fc;
    m.areaUnitCode = ac;
    return m;
}

// The statistics texts in the order of the strip's boxes Text1..Text12.
std::array<std::string, 12> boxTexts(const RecordOutcome& o) {
    const StatisticsTexts& t = o.statistics;
    return {t.maximum.velocity, t.maximum.temperature, t.maximum.flow, t.maximum.area,
            t.minimum.velocity, t.minimum.temperature, t.minimum.flow, t.minimum.area,
            t.unit.velocity,    t.unit.temperature,    t.unit.flow,    t.unit.area};
}

struct Recorder : ::testing::Test {
    std::unique_ptr<SharedState> s = std::make_unique<SharedState>();
    int clockReads = 0;
    LocalDateTime now{2024, 3, 7, 9, 5, 4};
    Regional regional;
    Clock clock = [this] {
        ++clockReads;
        LocalDateTime t = now;
        t.second += clockReads - 1; // each read one second later
        return t;
    };

    void SetUp() override { initSharedState(*s); }
    RecordOutcome record(const MeterFrame& f) { return recordFrame(*s, f, clock, regional); }
    const LiveRecord& last() const { return s->liveRecords[s->liveRecordCount]; }
};

} // namespace

TEST(Possdata, PatternAndBiasByUnit) {
    struct Case {
        float v;
        const char* unit;
        double expected;
    };
    const Case cases[] = {
        {0.0f, "m/s", 0},
        {2.345f, "m/s", 2.34}, // the bias holds back a half
        {2.3456f, "m/s", 2.35},
        {-1.005f, "m/s", -1.01},
        {12.35f, "km/h", 12.3}, // 0.0005, not 0.005
        {12.36f, "km/h", 12.4},
        {12.35f, "MPH", 12.3},
        {12.36f, "knots", 12.4},
        {196.85f, "ft/min", 197},
        {196.55f, "ft/min", 197},
        {196.54f, "ft/min", 196},
        // magnitude rule for any other text, compared as the 32-bit value
        {9.99996f, "CMM", 10}, // 9.99991 rounds up in the 0.000 branch
        {9.9994f, "CMM", 9.999},
        {-5.12345f, "CMM", -5.123},
        {10.0f, "CMM", 10},
        {35.3146667f, "CFM", 35.31},
        {99.99f, "m2", 99.99},
        {100.0f, "m2", 100},
        {123.456f, "m2", 123.5},
        {999.94f, "m2", 999.9},
        {1000.0f, "in2", 1000},
        {1234.56f, "m2", 1235},
        {1234.55f, "", 1235},
        {1234.54f, "Ft2", 1234},
        {0.5f, "M/S", 0.5}, // compared case-sensitively: magnitude rule
    };
    for (const Case& c : cases) EXPECT_DOUBLE_EQ(possdata(c.v, c.unit), c.expected) << c.v << " " << c.unit;
    EXPECT_TRUE(std::isnan(possdata(nanF, "CMM")));
    EXPECT_TRUE(std::isinf(possdata(infF, "m2")));
}

TEST(Possdata, BiasEdgesOfTheMagnitudeRule) {
    // Just below each bound the finer pattern applies, at the bound the coarser.
    EXPECT_DOUBLE_EQ(possdata(std::nextafter(10.0f, 0.0f), "CMM"), 10); // 9.99999905 - 0.00005
    EXPECT_DOUBLE_EQ(possdata(9.9995f, "CMM"), 9.999);                  // 9.99945 stays down
    EXPECT_DOUBLE_EQ(possdata(99.9955f, "CMM"), 99.99);                 // 99.995 - bias rounds down
    EXPECT_DOUBLE_EQ(possdata(99.996f, "CMM"), 100);
    EXPECT_DOUBLE_EQ(possdata(999.955f, "CMM"), 1000);
    EXPECT_DOUBLE_EQ(possdata(999.954f, "CMM"), 999.9);
    EXPECT_DOUBLE_EQ(possdata(1000.5f, "CMM"), 1000);  // 1000.45 rounds down
    EXPECT_DOUBLE_EQ(possdata(1000.55f, "CMM"), 1000); // 1000.54999 as a 32-bit float
    EXPECT_DOUBLE_EQ(possdata(1000.56f, "CMM"), 1001);
}

TEST(Conversion, UnitsFromCodes) {
    EXPECT_EQ(velocityUnitOf(0x00), Unit::MetresPerSecond);
    EXPECT_EQ(velocityUnitOf(0x01), Unit::MetresPerSecond);
    EXPECT_EQ(velocityUnitOf(0x06), Unit::MetresPerSecond);
    EXPECT_EQ(velocityUnitOf(0x0F), Unit::MetresPerSecond);
    EXPECT_EQ(velocityUnitOf(0x12), Unit::FeetPerMinute);
    EXPECT_EQ(velocityUnitOf(0x23), Unit::KilometresPerHour);
    EXPECT_EQ(velocityUnitOf(0x04), Unit::MilesPerHour);
    EXPECT_EQ(velocityUnitOf(0x05), Unit::Knots);
    EXPECT_EQ(temperatureUnitOf(0x12), Unit::Fahrenheit);
    EXPECT_EQ(temperatureUnitOf(0x03), Unit::Celsius);
    EXPECT_EQ(flowUnitOf(0x11), Unit::CubicFeetPerMin);
    EXPECT_EQ(flowUnitOf(0x02), Unit::CubicMetresPerMin);
    EXPECT_EQ(areaUnitOf(0x81), Unit::SquareMetres);
    EXPECT_EQ(areaUnitOf(0x82), Unit::SquareInches);
    EXPECT_EQ(areaUnitOf(0x83), Unit::SquareFeet);
    EXPECT_EQ(areaUnitOf(0x80), Unit::None);
    EXPECT_EQ(areaUnitOf(0x02), Unit::None);
}

TEST(Conversion, StoredValues) {
    EXPECT_DOUBLE_EQ(storedVelocity(1.0f, Unit::FeetPerMinute), 197);
    EXPECT_DOUBLE_EQ(storedVelocity(10.0f, Unit::KilometresPerHour), 36);
    EXPECT_DOUBLE_EQ(storedVelocity(10.0f, Unit::MilesPerHour), 22.4);
    EXPECT_DOUBLE_EQ(storedVelocity(10.0f, Unit::Knots), 19.4);
    EXPECT_DOUBLE_EQ(storedVelocity(1.2345f, Unit::MetresPerSecond), 1.23);
    EXPECT_DOUBLE_EQ(storedVelocity(9999999.0f, Unit::KilometresPerHour), 35999996);
    EXPECT_DOUBLE_EQ(storedFlow(1.0f, Unit::CubicFeetPerMin), 35.31);
    EXPECT_DOUBLE_EQ(storedFlow(9999999.0f, Unit::CubicFeetPerMin), 353146624);
    EXPECT_DOUBLE_EQ(storedArea(0.01f, Unit::SquareInches), 15.5);
    EXPECT_DOUBLE_EQ(storedArea(1.0f, Unit::SquareFeet), 10.76);
    EXPECT_DOUBLE_EQ(storedArea(1.0f, Unit::None), 0);
    EXPECT_DOUBLE_EQ(storedTemperature(9999999.0f, Unit::Fahrenheit), 18000030.2);
    EXPECT_DOUBLE_EQ(storedTemperature(9999999.0f, Unit::Celsius), 9999999);
    EXPECT_DOUBLE_EQ(storedTemperature(21.25f, Unit::Celsius), 21.3);
    EXPECT_DOUBLE_EQ(storedTemperature(-0.04f, Unit::Celsius), 0); // "-0.0" reads back as 0
    EXPECT_FALSE(std::signbit(storedTemperature(-0.04f, Unit::Celsius)));
    // °F is worked out in 64 bits and never narrowed.
    EXPECT_DOUBLE_EQ(storedTemperature(23.45f, Unit::Fahrenheit), 74.2);
}

TEST(Conversion, NarrowingLimits) {
    EXPECT_FALSE(convertVelocity(nanF, Unit::MetresPerSecond));
    EXPECT_FALSE(convertVelocity(-infF, Unit::MetresPerSecond));
    EXPECT_TRUE(convertVelocity(FLT_MAX, Unit::MetresPerSecond));
    EXPECT_FALSE(convertVelocity(FLT_MAX, Unit::FeetPerMinute));
    EXPECT_FALSE(convertFlow(-FLT_MAX / 2, Unit::CubicFeetPerMin));
    EXPECT_FALSE(convertArea(1e36f, Unit::SquareInches));
    EXPECT_TRUE(convertArea(1e36f, Unit::SquareMetres));
}

TEST_F(Recorder, FirstRecordGetsStartTimeAndClockIsReadTwice) {
    RecordOutcome o = record(frame(1.5f, 20.0f, 2.0f, 0.5f));
    ASSERT_TRUE(o.stored);
    EXPECT_EQ(o.countText, "1");
    ASSERT_TRUE(o.startTimeText);
    EXPECT_EQ(*o.startTimeText, "07-03-2024 09:05:04");
    EXPECT_EQ(clockReads, 2);
    const LiveRecord& r = last();
    EXPECT_EQ(r.no, 1);
    EXPECT_EQ(r.dateText.view(), "07-03-2024");
    EXPECT_EQ(r.timeText, (TimeOfDay{9, 5, 5})); // read anew, not taken from the start time
    EXPECT_EQ(regional.timeFormat.text(r.timeText), "09:05:05");

    o = record(frame(1.5f, 20.0f, 2.0f, 0.5f));
    EXPECT_EQ(o.countText, "2");
    EXPECT_FALSE(o.startTimeText);
    EXPECT_EQ(clockReads, 3);
    EXPECT_EQ(last().no, 2);
}

TEST_F(Recorder, StartValuesShownConverted) {
    struct Case {
        std::uint8_t vc, tc, fc, ac;
        std::array<const char*, 8> texts;
    };
    const Case cases[] = {
        {velMs,
         tempC,
         flowCmm,
         areaM2,
         {"-90000", "-9000.0", "-90000", "-900000", "90000", "9000.0", "900000", "900000"}},
        {velFtMin,
         tempF,
         flowCmm,
         0x80,
         {"-17716500", "-16168.0", "-90000", "-900000", "17716500", "16232.0", "900000", "900000"}},
        {velKmh,
         tempC,
         flowCfm,
         areaM2,
         {"-324000", "-9000.0", "-3178320", "-900000", "324000", "9000.0", "31783200", "900000"}},
    };
    for (const Case& c : cases) {
        initSharedState(*s);
        // Every reading invalid (area aside, which is NaN and so left out).
        RecordOutcome o = record(frame(1, 1, 1, nanF, c.vc | invalid, c.tc | invalid, c.fc | invalid, c.ac));
        const std::array<std::string, 12> shown = boxTexts(o);
        for (std::size_t i = 0; i < 8; ++i) EXPECT_EQ(shown[i], c.texts[i]) << "Text" << i + 1;
    }
}

TEST_F(Recorder, ReadingsAreStoredConvertedAndTrackersStayInBaseUnits) {
    record(frame(1.0f, -3.2f, 1.0f, 0.01f, velFtMin, tempC, flowCfm, areaIn2));
    const LiveRecord& r = last();
    EXPECT_DOUBLE_EQ(r.velocity, 197);
    EXPECT_EQ(r.velocityUnit, Unit::FeetPerMinute);
    EXPECT_DOUBLE_EQ(r.temperature, 0);
    EXPECT_EQ(r.temperatureUnit, Unit::Celsius);
    EXPECT_DOUBLE_EQ(r.flow, 35.31);
    EXPECT_EQ(r.flowUnit, Unit::CubicFeetPerMin);
    EXPECT_DOUBLE_EQ(r.area, 15.5);
    EXPECT_EQ(r.areaUnit, Unit::SquareInches);
    EXPECT_FLOAT_EQ(s->maxVelocity, 1.0f);
    EXPECT_FLOAT_EQ(s->minVelocity, 1.0f);
    EXPECT_FLOAT_EQ(s->maxTemperature, 0.0f); // raised to 0 before it enters
    EXPECT_FLOAT_EQ(s->minTemperature, 0.0f);
    EXPECT_FLOAT_EQ(s->maxFlow, 1.0f);
    EXPECT_FLOAT_EQ(s->maxArea, 0.01f);

    RecordOutcome o = record(frame(10.0f, -3.2f, 1.0f, 1.0f, velKmh, tempF, flowCmm, areaFt2));
    EXPECT_DOUBLE_EQ(last().velocity, 36);
    EXPECT_DOUBLE_EQ(last().temperature, 32);
    EXPECT_EQ(last().temperatureUnit, Unit::Fahrenheit);
    EXPECT_DOUBLE_EQ(last().area, 10.76);
    EXPECT_EQ(o.statistics.unit.velocity, "km/h");
    EXPECT_EQ(o.statistics.unit.temperature, "\xC2\xB0"
                                             "F");
    EXPECT_EQ(o.statistics.unit.flow, "CMM");
    EXPECT_EQ(o.statistics.unit.area, "Ft2");
    EXPECT_EQ(o.statistics.maximum.velocity, "36");  // max 10 m/s in km/h
    EXPECT_EQ(o.statistics.minimum.velocity, "3.6"); // min 1 m/s in km/h
    EXPECT_EQ(o.statistics.maximum.temperature, "32.0");
    EXPECT_EQ(o.statistics.maximum.area, "10.76");
    EXPECT_EQ(o.statistics.minimum.area, "0.108"); // 0.01 m2 in Ft2: 0.107639 - bias
}

TEST_F(Recorder, InvalidReadingsLeaveTheTrackersAlone) {
    RecordOutcome o = record(frame(5, 25, 3, 0.2f, velKmh | invalid, tempF | invalid, flowCfm | invalid, areaM2));
    const LiveRecord& r = last();
    EXPECT_DOUBLE_EQ(r.velocity, 35999996);
    EXPECT_DOUBLE_EQ(r.temperature, 18000030.2);
    EXPECT_DOUBLE_EQ(r.flow, 353146624);
    EXPECT_FLOAT_EQ(s->maxVelocity, -90000);
    EXPECT_FLOAT_EQ(s->minVelocity, 90000);
    EXPECT_FLOAT_EQ(s->maxTemperature, -9000);
    EXPECT_FLOAT_EQ(s->minFlow, 900000);
    EXPECT_FLOAT_EQ(s->maxFlow, -90000);
    // Area has no flag.
    EXPECT_FLOAT_EQ(s->maxArea, 0.2f);
    EXPECT_EQ(o.statistics.maximum.area, "0.2");

    record(frame(5, 25, 3, 0.2f, velMs | invalid, tempC | invalid, flowCmm | invalid, areaM2));
    EXPECT_DOUBLE_EQ(last().velocity, 9999999);
    EXPECT_DOUBLE_EQ(last().temperature, 9999999);
    EXPECT_DOUBLE_EQ(last().flow, 9999999);
    // Another high nibble leaves the reading valid.
    record(frame(5, 25, 3, 0.2f, 0x21, 0x31, 0x20, areaM2));
    EXPECT_DOUBLE_EQ(last().velocity, 5);
    EXPECT_FLOAT_EQ(s->maxTemperature, 25);
}

TEST_F(Recorder, UnknownAreaCodeStoresSquareMetresAtZeroButTracks) {
    RecordOutcome o = record(frame(1, 1, 1, 2.5f, velMs, tempC, flowCmm, 0x80));
    EXPECT_EQ(last().areaUnit, Unit::SquareMetres);
    EXPECT_DOUBLE_EQ(last().area, 0);
    EXPECT_FLOAT_EQ(s->maxArea, 2.5f);
    EXPECT_FLOAT_EQ(s->minArea, 2.5f);
    EXPECT_EQ(o.statistics.unit.area, "m2");
    EXPECT_EQ(o.statistics.maximum.area, "2.5");
}

TEST_F(Recorder, UnitSwitchReconvertsTheExtremesButNotTheRecords) {
    record(frame(2.0f, 20, 1, 1, velMs));
    RecordOutcome o = record(frame(3.0f, 20, 1, 1, velMs));
    EXPECT_EQ(o.statistics.maximum.velocity, "3");
    EXPECT_EQ(o.statistics.minimum.velocity, "2");
    EXPECT_EQ(o.statistics.unit.velocity, "m/s");
    o = record(frame(2.5f, 20, 1, 1, velKmh));
    EXPECT_EQ(o.statistics.maximum.velocity, "10.8");
    EXPECT_EQ(o.statistics.minimum.velocity, "7.2");
    EXPECT_EQ(o.statistics.unit.velocity, "km/h");
    EXPECT_DOUBLE_EQ(s->liveRecords[1].velocity, 2);
    EXPECT_EQ(s->liveRecords[1].velocityUnit, Unit::MetresPerSecond);
    EXPECT_DOUBLE_EQ(s->liveRecords[3].velocity, 9);
    o = record(frame(2.5f, 20, 1, 1, velMph));
    EXPECT_EQ(o.statistics.maximum.velocity, "6.7");
    o = record(frame(2.5f, 20, 1, 1, velKnots));
    EXPECT_EQ(o.statistics.maximum.velocity, "5.8");
    o = record(frame(2.5f, 20, 1, 1, velFtMin));
    EXPECT_EQ(o.statistics.maximum.velocity, "590"); // 590.55 narrows to 590.549988, and the bias holds it back
}

TEST_F(Recorder, StatisticsTextsUseTheDecimalSeparatorAndLeadingZero) {
    regional.decimalSeparator = ',';
    RecordOutcome o = record(frame(0.25f, 21.5f, 0.5f, 0.125f, velMs, tempC, flowCmm, areaM2));
    EXPECT_EQ(o.statistics.maximum.velocity, "0,25");
    EXPECT_EQ(o.statistics.maximum.temperature, "21,5");
    EXPECT_EQ(o.statistics.maximum.flow, "0,5");
    EXPECT_EQ(o.statistics.maximum.area, "0,125");
    EXPECT_EQ(o.statistics.minimum.temperature, "21,5");
    // The stored value does not depend on the separator.
    EXPECT_DOUBLE_EQ(last().velocity, 0.25);
    regional.decimalSeparator = '.';
    o = record(frame(0.05f, 0.25f, 0.5f, 0.125f, velMs, tempC, flowCmm, areaM2));
    EXPECT_EQ(o.statistics.minimum.velocity, "0.05");
    EXPECT_EQ(o.statistics.minimum.flow, "0.5");
    EXPECT_EQ(o.statistics.minimum.temperature, "0.3"); // 0.25 as a 32-bit float is exact: a half rounds up
}

TEST_F(Recorder, NonNumbersAndHugeValuesAreKeptOutOfTheTrackers) {
    struct Case {
        float v, t, f, a;
        std::uint8_t vc, fc, ac;
    };
    const Case cases[] = {
        {nanF, nanF, nanF, nanF, velMs, flowCmm, areaM2},
        {infF, -infF, infF, infF, velKmh, flowCfm, areaIn2},
        {-infF, nanF, -infF, -infF, velFtMin, flowCmm, areaFt2},
        {FLT_MAX, -1, FLT_MAX, FLT_MAX, velFtMin, flowCfm, areaIn2}, // fit in m/s, not once converted
        {1e37f, -1, -1e38f, 1e38f, velFtMin, flowCfm, areaFt2},
    };
    for (const Case& c : cases) {
        initSharedState(*s);
        RecordOutcome o = record(frame(c.v, c.t, c.f, c.a, c.vc, tempC, c.fc, c.ac));
        const LiveRecord& r = last();
        const Unit vu = velocityUnitOf(c.vc);
        EXPECT_DOUBLE_EQ(r.velocity, storedVelocity(9999999.0f, vu)) << c.v;
        EXPECT_DOUBLE_EQ(r.flow, storedFlow(9999999.0f, flowUnitOf(c.fc))) << c.f;
        EXPECT_DOUBLE_EQ(r.temperature, 0) << c.t; // NaN and -inf count as 0
        EXPECT_DOUBLE_EQ(r.area, 0) << c.a;
        EXPECT_FLOAT_EQ(s->maxVelocity, -90000);
        EXPECT_FLOAT_EQ(s->minVelocity, 90000);
        EXPECT_FLOAT_EQ(s->maxFlow, -90000);
        EXPECT_FLOAT_EQ(s->minFlow, 900000);
        EXPECT_FLOAT_EQ(s->maxArea, -900000);
        EXPECT_FLOAT_EQ(s->minArea, 900000);
        EXPECT_FLOAT_EQ(s->maxTemperature, 0);
        for (const std::string& t : boxTexts(o)) EXPECT_FALSE(t.empty());
    }
    // +infinity as a temperature is no reading.
    initSharedState(*s);
    record(frame(1, infF, 1, 1));
    EXPECT_DOUBLE_EQ(last().temperature, 9999999);
    EXPECT_FLOAT_EQ(s->maxTemperature, -9000);
    // A huge temperature is fine: °F is worked out in 64 bits.
    record(frame(1, FLT_MAX, 1, 1, velMs, tempF));
    EXPECT_DOUBLE_EQ(last().temperature, static_cast<double>(FLT_MAX) * 1.8 + 32);
}

TEST_F(Recorder, ExtremeTrackedInOneUnitOverflowsInAnother) {
    // 1e37 m/s fits in m/s; shown in ft/min afterwards it is beyond a 32-bit float.
    record(frame(1e37f, 1, 1, 1, velMs));
    EXPECT_FLOAT_EQ(s->maxVelocity, 1e37f);
    RecordOutcome o = record(frame(1, 1, 1, 1, velFtMin));
    EXPECT_EQ(o.statistics.maximum.velocity, "Infinity");
    EXPECT_EQ(o.statistics.minimum.velocity, "197");
}

TEST_F(Recorder, ScrollRangeAndFullStore) {
    const MeterFrame f = frame(1, 1, 1, 1);
    for (int i = 0; i < 210; ++i) EXPECT_FALSE(record(f).scroll);
    RecordOutcome o = record(f);
    ASSERT_TRUE(o.scroll);
    EXPECT_EQ(o.scroll->max, 11);
    EXPECT_EQ(o.scroll->moveValue, 11);
    s->historyView = true;
    o = record(f);
    ASSERT_TRUE(o.scroll);
    EXPECT_FALSE(o.scroll->moveValue);

    s->liveRecordCount = LiveRecordStore::capacity - 1;
    s->historyView = false;
    o = record(f);
    EXPECT_TRUE(o.stored);
    EXPECT_EQ(o.countText, "50000");
    EXPECT_EQ(o.scroll->max, 2381);
    EXPECT_EQ(last().no, 50000);
    const int reads = clockReads;
    o = record(f);
    EXPECT_FALSE(o.stored);
    EXPECT_EQ(s->liveRecordCount, 50000);
    EXPECT_EQ(clockReads, reads);
}
