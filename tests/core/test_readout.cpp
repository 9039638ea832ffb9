// What one frame writes into the readout's labels.
#include "core/readout.h"

#include "frame_bytes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <optional>
#include <string>

using namespace meter;

namespace {

using Caption = std::optional<std::string>;
using Shown = std::optional<bool>;
const Caption unwritten = std::nullopt;
const Shown untouched = std::nullopt;

constexpr float inf = std::numeric_limits<float>::infinity();
const float qnan = std::numeric_limits<float>::quiet_NaN();

// A frame built field by field, as the meter would send it.
struct Frame {
    FrameBytes b{};

    Frame& line1(float v) { return put(2, v); }
    Frame& line2(float v) { return put(6, v); }
    Frame& at(int offset, std::uint8_t v) {
        b[static_cast<std::size_t>(offset)] = v;
        return *this;
    }
    Frame& velocityUnit(std::uint8_t c) { return at(26, c); }
    Frame& flowUnit(std::uint8_t c) { return at(27, c); }
    Frame& temperatureUnit(std::uint8_t c) { return at(29, c); }
    Frame& flags1(std::uint8_t v) { return at(30, v); }
    Frame& flags2(std::uint8_t v) { return at(31, v); }
    Frame& flags3(std::uint8_t v) { return at(32, v); }
    Frame& blank(std::uint8_t v) { return at(33, v); }
    Frame& mean(std::uint8_t v) { return at(34, v); }
    Frame& secondLine(std::uint8_t v) { return at(35, v); }
    Frame& clock(std::uint8_t v) { return at(37, v); }

    ReadoutWrites decode(char sep = '.') const { return decodeReadout(b, sep); }

private:
    Frame& put(int offset, float v) {
        testsupport::putFloat(b, offset, v);
        return *this;
    }
};

// A normal-mode frame: m/s on line 1, °C on line 2.
Frame typical() { return Frame{}.line1(3.456f).line2(23.45f).velocityUnit(0x01).temperatureUnit(0x01).flowUnit(0x02); }

// A MEAN-mode frame with units m/s, CMM, °F and no function bit.
Frame meanFrame() {
    return Frame{}.line1(12.3456f).line2(5.6789f).velocityUnit(0x01).flowUnit(0x02).temperatureUnit(0x02).mean(0x40);
}

} // namespace

TEST(DisplayText, TruncatesTheExactFloatAndDropsTrailingZeros) {
    struct Case {
        float x;
        int k;
        const char* text;
    };
    const Case cases[] = {
        {0.29f, 2, "0.28"},
        {2.01f, 2, "2"},
        {0.01f, 2, "0"},
        {12.7f, 1, "12.6"},
        {9.99f, 3, "9.989"},
        {2.0f, 2, "2"},
        {0.5f, 2, "0.5"},
        {2.5f, 2, "2.5"},
        {3.0f, 2, "3"},
        {1234.56f, 0, "1234"},
        {9.9996f, 3, "9.999"},
        {123.45f, 1, "123.4"},
        {23.45f, 1, "23.4"},
        {0.0f, 3, "0"},
        {0.999f, 0, "0"},
        {0.125f, 3, "0.125"},
        {16777215.0f, 0, "16777215"},
        {12345.678f, 3, "12345.677"},
        // the largest figures still shown, and the first ones that are not
        {1e15f, 0, "999999986991104"},
        {1e12f, 3, "999999995904"},
        {std::nextafter(1e15f, inf), 0, "----"},
        {1e13f, 3, "----"},
        {2e15f, 0, "----"},
        {3.4e38f, 0, "----"},
        {inf, 2, "----"},
        {-inf, 0, "----"},
        {-0.0f, 2, "0"},
        {-0.001f, 2, "0"},
        {-1.5f, 1, "-1.5"},
        {qnan, 2, "0"},
    };
    for (const Case& c : cases) EXPECT_EQ(displayText(c.x, c.k), c.text) << c.x << " with " << c.k << " decimals";
}

TEST(DisplayText, UsesTheHandedInSeparator) {
    EXPECT_EQ(displayText(0.29f, 2, ','), "0,28");
    EXPECT_EQ(displayText(23.45f, 1, ','), "23,4");
    EXPECT_EQ(displayText(5.0f, 3, ','), "5");
    EXPECT_EQ(typical().decode(',').FIRSTLABEL.caption, "3,45");
}

TEST(Readout, TypicalNormalFrameWritesEveryLabel) {
    ReadoutWrites want;
    want.FIRSTLABEL.caption = "3.45";
    want.SECONDLABEL.caption = "23.4";
    want.Label_HOLD.visible = false;
    want.Label_MAXMIN.caption = " ";
    want.Label_X.caption = " ";
    want.Label_XX.caption = " ";
    want.Label_MEAN.visible = false;
    want.Label_VEL.visible = true;
    want.Label_FUN.caption = "TEMP";
    want.Label_VEL_UNIT = {"m/s", true};
    want.Label_TEMP_UNIT = {"\u00B0C", true};
    want.Label_FLOW_UNIT = {unwritten, false};
    EXPECT_EQ(typical().decode(), want);
}

TEST(Readout, VelocityUnitsAndTheirDecimals) {
    struct Case {
        std::uint8_t code;
        Caption unit;
        Caption line1;
    };
    const Case cases[] = {
        {0x01, "m/s", "12.34"},
        {0x02, "ft/min", "12"},
        {0x03, "km/h", "12.3"},
        {0x04, "MPH", "12.3"},
        {0x05, "knots", "12.3"},
        {0x11, "m/s", "12.34"},
        {0x21, "m/s", "12.34"},
        {0xF3, "km/h", "12.3"},
        // no known unit: neither the unit nor line 1 is written
        {0x00, unwritten, unwritten},
        {0x06, unwritten, unwritten},
        {0x0F, unwritten, unwritten},
    };
    for (const Case& c : cases) {
        const ReadoutWrites w = typical().line1(12.3456f).velocityUnit(c.code).decode();
        EXPECT_EQ(w.Label_VEL_UNIT.caption, c.unit) << int(c.code);
        EXPECT_EQ(w.Label_VEL_UNIT.visible, true) << int(c.code);
        EXPECT_EQ(w.FIRSTLABEL.caption, c.line1) << int(c.code);
        EXPECT_EQ(w.SECONDLABEL.caption, "23.4") << int(c.code);
    }
}

TEST(Readout, HoldAndMaxMin) {
    struct Case {
        std::uint8_t flags1, flags2;
        bool hold;
        const char* maxmin;
    };
    const Case cases[] = {
        {0x00, 0x00, false, " "},  {0x20, 0x00, true, " "},   {0xDF, 0x20, false, "MAX"},
        {0xFF, 0x10, true, "MIN"}, {0x20, 0x30, true, "MIN"}, {0x00, 0xCF, false, " "},
    };
    for (const Case& c : cases) {
        const ReadoutWrites w = typical().flags1(c.flags1).flags2(c.flags2).decode();
        EXPECT_EQ(w.Label_HOLD.visible, c.hold) << int(c.flags1);
        EXPECT_EQ(w.Label_MAXMIN.caption, c.maxmin) << int(c.flags2);
    }
}

TEST(Readout, MultipliersDivideEachLine) {
    struct Case {
        std::uint8_t bits;
        const char* caption;
        const char* line1; // 12345 in ft/min
        const char* line2; // 12345 as flow, adaptive decimals
    };
    const Case cases[] = {
        {0x00, " ", "12345", "12345"},
        {0x80, "X10", "1234", "1234"},  // 1234.5: 0 decimals
        {0x40, "X100", "123", "123.4"}, // 123.45 as a float lies below 123.45
        {0xC0, "X100", "12", "12.34"},  // divided by 10, then by 100
    };
    for (const Case& c : cases) {
        const ReadoutWrites w = typical()
                                    .line1(12345.0f)
                                    .line2(12345.0f)
                                    .velocityUnit(0x02)
                                    .secondLine(1)
                                    .flags2(c.bits)
                                    .flags3(c.bits)
                                    .decode();
        EXPECT_EQ(w.Label_X.caption, c.caption) << int(c.bits);
        EXPECT_EQ(w.Label_XX.caption, c.caption) << int(c.bits);
        EXPECT_EQ(w.FIRSTLABEL.caption, c.line1) << int(c.bits);
        EXPECT_EQ(w.SECONDLABEL.caption, c.line2) << int(c.bits);
    }
    // Each line follows its own multiplier byte.
    const ReadoutWrites w = typical().line1(500.0f).line2(20.0f).flags2(0x40).flags3(0x80).decode();
    EXPECT_EQ(w.Label_X.caption, "X100");
    EXPECT_EQ(w.Label_XX.caption, "X10");
    EXPECT_EQ(w.FIRSTLABEL.caption, "5");
    EXPECT_EQ(w.SECONDLABEL.caption, "2");
}

TEST(Readout, SecondLineFunctionOutsideMean) {
    // 0: temperature with 1 decimal.
    ReadoutWrites w = typical().line2(-3.2f).temperatureUnit(0x02).secondLine(0).decode();
    EXPECT_EQ(w.Label_FUN.caption, "TEMP");
    EXPECT_EQ(w.Label_TEMP_UNIT, (LabelWrite{"\u00B0F", true}));
    EXPECT_EQ(w.Label_FLOW_UNIT, (LabelWrite{unwritten, false}));
    EXPECT_EQ(w.SECONDLABEL.caption, "0");

    // 1: flow with adaptive decimals.
    const std::pair<float, const char*> flows[] = {
        {9.9996f, "9.999"}, {10.0f, "10"}, {123.45f, "123.4"}, {1234.56f, "1234"},
        {99.999f, "99.99"}, {0.0f, "0"},   {1e20f, "----"},
    };
    for (const auto& [v, text] : flows) {
        w = typical().line2(v).flowUnit(0x01).secondLine(1).decode();
        EXPECT_EQ(w.SECONDLABEL.caption, text) << v;
        EXPECT_EQ(w.Label_FUN.caption, "FLOW");
        EXPECT_EQ(w.Label_FLOW_UNIT, (LabelWrite{"CFM", true}));
        EXPECT_EQ(w.Label_TEMP_UNIT, (LabelWrite{unwritten, false}));
    }
    EXPECT_EQ(typical().secondLine(1).flowUnit(0x22).decode().Label_FLOW_UNIT.caption, "CMM");

    // Any other value leaves line 2 and its labels alone; line 1 is still written.
    for (std::uint8_t f : {2, 3, 0x80, 0xFF}) {
        w = typical().secondLine(f).decode();
        EXPECT_EQ(w.SECONDLABEL.caption, unwritten) << int(f);
        EXPECT_EQ(w.Label_FUN, LabelWrite{}) << int(f);
        EXPECT_EQ(w.Label_TEMP_UNIT, LabelWrite{}) << int(f);
        EXPECT_EQ(w.Label_FLOW_UNIT, LabelWrite{}) << int(f);
        EXPECT_EQ(w.FIRSTLABEL.caption, "3.45") << int(f);
        EXPECT_EQ(w.Label_VEL_UNIT, (LabelWrite{"m/s", true})) << int(f);
    }
}

TEST(Readout, UnknownTemperatureOrFlowUnitKeepsItsCaption) {
    for (std::uint8_t code : {0x00, 0x03, 0x0F, 0x10}) {
        ReadoutWrites w = typical().temperatureUnit(code).decode();
        EXPECT_EQ(w.Label_TEMP_UNIT, (LabelWrite{unwritten, true})) << int(code);
        EXPECT_EQ(w.SECONDLABEL.caption, "23.4");
        w = typical().flowUnit(code).secondLine(1).decode();
        EXPECT_EQ(w.Label_FLOW_UNIT, (LabelWrite{unwritten, true})) << int(code);
        EXPECT_EQ(w.SECONDLABEL.caption, "23.45");
    }
}

TEST(Readout, MeanModeFunctions) {
    // A label's expected write: caption (nullptr: not written), visibility
    // (-1: not written, 0 hidden, 1 shown).
    struct Write {
        const char* caption;
        int visible;
        LabelWrite label() const {
            LabelWrite w;
            if (caption) w.caption = caption;
            if (visible >= 0) w.visible = visible == 1;
            return w;
        }
    };
    constexpr const char* no = nullptr;
    struct Case {
        const char* name;
        std::uint8_t flags1, flags2, flags3;
        Write fun, vel, temp, flow, line1, line2;
    };
    const Case cases[] = {
        {"none", 0x00, 0x00, 0x00, {no, -1}, {no, -1}, {no, -1}, {no, -1}, {no, -1}, {no, -1}},
        {"velocity", 0x00, 0x01, 0x00, {"VEL", -1}, {"m/s", 1}, {no, 0}, {no, 0}, {"12.34", -1}, {"5.67", -1}},
        {"flow", 0x02, 0x00, 0x00, {"FLOW", -1}, {no, 0}, {no, 0}, {"CMM", 1}, {"12.34", -1}, {"5.678", -1}},
        {"temperature", 0x00, 0x00, 0x04, {"TEMP", -1}, {no, 0}, {"\u00B0F", 1}, {no, 0}, {"12.3", -1}, {"5.6", -1}},
        {"velocity and flow",
         0x02,
         0x01,
         0x00,
         {"FLOW", -1},
         {"m/s", 0},
         {no, 0},
         {"CMM", 1},
         {"12.34", -1},
         {"5.678", -1}},
        {"all three",
         0x02,
         0x01,
         0x04,
         {"TEMP", -1},
         {"m/s", 0},
         {"\u00B0F", 1},
         {"CMM", 0},
         {"12.3", -1},
         {"5.6", -1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ReadoutWrites w = meanFrame().flags1(c.flags1).flags2(c.flags2).flags3(c.flags3).decode();
        EXPECT_EQ(w.Label_MEAN.visible, true);
        EXPECT_EQ(w.Label_VEL.visible, false);
        EXPECT_EQ(w.Label_FUN, c.fun.label());
        EXPECT_EQ(w.Label_VEL_UNIT, c.vel.label());
        EXPECT_EQ(w.Label_TEMP_UNIT, c.temp.label());
        EXPECT_EQ(w.Label_FLOW_UNIT, c.flow.label());
        EXPECT_EQ(w.FIRSTLABEL, c.line1.label());
        EXPECT_EQ(w.SECONDLABEL, c.line2.label());
    }
    // The second-line function counts only outside MEAN mode.
    EXPECT_EQ(meanFrame().secondLine(1).decode(), meanFrame().secondLine(7).decode());
    // Velocity function with no known unit: the lines and the unit caption stay.
    const ReadoutWrites w = meanFrame().flags2(0x01).velocityUnit(0x07).decode();
    EXPECT_EQ(w.Label_VEL_UNIT, (LabelWrite{unwritten, true}));
    EXPECT_EQ(w.FIRSTLABEL.caption, unwritten);
    EXPECT_EQ(w.SECONDLABEL.caption, unwritten);
}

TEST(Readout, ClockOnLineOneOnlyInMeanVelocity) {
    auto clockFrame = [] {
        // bytes 3, 4, 5 are the upper bytes of line 1's float
        return meanFrame().flags2(0x01).clock(3).at(3, 9).at(4, 30).at(5, 5);
    };
    ReadoutWrites w = clockFrame().decode();
    EXPECT_EQ(w.FIRSTLABEL.caption, "09:30:05");
    EXPECT_EQ(w.SECONDLABEL.caption, "5.67");

    w = clockFrame().at(3, 23).at(4, 59).at(5, 255).velocityUnit(0x0E).decode();
    EXPECT_EQ(w.FIRSTLABEL.caption, "23:59:255"); // whatever the unit code
    EXPECT_EQ(w.SECONDLABEL.caption, unwritten);

    EXPECT_EQ(clockFrame().blank(0x08).decode().FIRSTLABEL.caption, "----");
    // Another clock mode, or outside MEAN mode: line 1 is the number.
    EXPECT_NE(clockFrame().clock(2).decode().FIRSTLABEL.caption, "09:30:05");
    EXPECT_NE(clockFrame().mean(0).decode().FIRSTLABEL.caption, "09:30:05");
    // Flow or temperature after the velocity function overwrites the time.
    // (line 1's float is then a tiny number, shown as 0).
    EXPECT_EQ(clockFrame().flags3(0x04).decode().FIRSTLABEL.caption, "0");
}

TEST(Readout, DashesComeLastInBothModes) {
    const std::tuple<std::uint8_t, Caption, Caption> cases[] = {
        {0x08, "----", "23.4"},
        {0x04, "3.45", "----"},
        {0x0C, "----", "----"},
        {0xF3, "3.45", "23.4"},
    };
    for (const auto& [bits, one, two] : cases) {
        const ReadoutWrites w = typical().blank(bits).decode();
        EXPECT_EQ(w.FIRSTLABEL.caption, one) << int(bits);
        EXPECT_EQ(w.SECONDLABEL.caption, two) << int(bits);
    }
    // Also where nothing else writes the lines.
    ReadoutWrites w = meanFrame().blank(0x0C).decode();
    EXPECT_EQ(w.FIRSTLABEL.caption, "----");
    EXPECT_EQ(w.SECONDLABEL.caption, "----");
    w = typical().velocityUnit(0x09).secondLine(5).blank(0x0C).decode();
    EXPECT_EQ(w.FIRSTLABEL.caption, "----");
    EXPECT_EQ(w.SECONDLABEL.caption, "----");
}

TEST(Readout, NegativeNotANumberAndOutOfRangeValues) {
    const std::pair<float, const char*> cases[] = {
        {-1.5f, "0"}, {qnan, "0"},   {-qnan, "0"},    {-inf, "0"},
        {-0.0f, "0"}, {inf, "----"}, {2e15f, "----"}, {1e10f, "10000000000"},
    };
    for (const auto& [v, text] : cases) {
        const ReadoutWrites w = typical().line1(v).line2(v).decode();
        EXPECT_EQ(w.FIRSTLABEL.caption, text) << v;
        EXPECT_EQ(w.SECONDLABEL.caption, text) << v;
    }
    // Negative zero straight from the bytes 00 00 00 80.
    const ReadoutWrites w = typical().at(2, 0).at(3, 0).at(4, 0).at(5, 0x80).decode();
    EXPECT_EQ(w.FIRSTLABEL.caption, "0");
    // Negative values stay 0 after a multiplier.
    EXPECT_EQ(typical().line1(-100.0f).flags2(0xC0).decode().FIRSTLABEL.caption, "0");
}

TEST(Readout, IgnoresBytesAndBitsItDoesNotRead) {
    const Frame base = typical().flags1(0x20).flags2(0x21).flags3(0x80).mean(0x40).clock(3);
    Frame noisy = base;
    for (int i : {0, 1, 36, 38, 39}) noisy.at(i, 0xA5);
    for (int i = 10; i <= 25; ++i) noisy.at(i, static_cast<std::uint8_t>(i * 13));
    noisy.at(28, 0x83);
    noisy.velocityUnit(0x11).flowUnit(0xF2).temperatureUnit(0x31); // validity nibbles
    // the bits nobody reads, added to the ones that are set
    noisy.flags1(0x20 | 0xDD).flags2(0x21 | 0x0E).flags3(0x80 | 0x3B).blank(0xF3).mean(0x40 | 0xBF);
    EXPECT_EQ(decodeReadout(base.b), decodeReadout(noisy.b));
}
