// The meter's 40-byte frame: float fields, unit/validity nibbles, flags and
// the bytes nobody reads.
#include "core/meter_frame.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <tuple>
#include <vector>

using namespace meter;

namespace {

std::uint32_t bitsOf(float f) {
    std::uint32_t u;
    std::memcpy(&u, &f, sizeof u);
    return u;
}

// Every decoded field, floats by their bit patterns so NaNs compare too.
std::vector<std::uint32_t> fieldsOf(const MeterFrame& f) {
    return {bitsOf(f.displayValue1),
            bitsOf(f.displayValue2),
            bitsOf(f.velocitySI),
            bitsOf(f.temperatureSI),
            bitsOf(f.flowSI),
            bitsOf(f.areaSI),
            f.velocityUnitCode,
            f.flowUnitCode,
            f.areaUnitCode,
            f.temperatureUnitCode,
            f.statusFlags1,
            f.statusFlags2,
            f.statusFlags3,
            f.blankFlags,
            f.meanFlags,
            f.secondLineFunction,
            f.clockMode,
            f.timeField1,
            f.timeField2,
            f.timeField3};
}

struct FloatCase {
    std::uint8_t b0, b1, b2, b3;
    std::uint32_t bits; // expected IEEE-754 pattern
};

} // namespace

TEST(MeterFrame, FloatFieldsAreLittleEndianAtTheirOffsets) {
    const FloatCase cases[] = {
        {0x00, 0x00, 0x80, 0x3F, 0x3F800000u}, // 1.0
        {0x00, 0x00, 0x80, 0xBF, 0xBF800000u}, // -1.0
        {0x00, 0x00, 0x00, 0x80, 0x80000000u}, // -0.0
        {0x00, 0x00, 0x80, 0x7F, 0x7F800000u}, // +infinity
        {0x00, 0x00, 0xC0, 0x7F, 0x7FC00000u}, // NaN passes through
        {0x01, 0x00, 0x00, 0x00, 0x00000001u}, // smallest subnormal
        {0x12, 0x34, 0x56, 0x78, 0x78563412u},
    };
    // Field getters in frame order: offsets 2, 6, 10, 14, 18, 22.
    float MeterFrame::*const fields[] = {&MeterFrame::displayValue1, &MeterFrame::displayValue2,
                                         &MeterFrame::velocitySI,    &MeterFrame::temperatureSI,
                                         &MeterFrame::flowSI,        &MeterFrame::areaSI};
    for (const FloatCase& c : cases) {
        for (int i = 0; i < 6; ++i) {
            FrameBytes b{};
            const auto o = static_cast<std::size_t>(2 + 4 * i);
            b[o] = c.b0;
            b[o + 1] = c.b1;
            b[o + 2] = c.b2;
            b[o + 3] = c.b3;
            SCOPED_TRACE(testing::Message() << "offset " << o << " pattern " << std::hex << c.bits);
            EXPECT_EQ(bitsOf(frameFloat(b, static_cast<int>(o))), c.bits);
            const MeterFrame f = decodeFrame(b);
            for (int j = 0; j < 6; ++j) EXPECT_EQ(bitsOf(f.*fields[j]), j == i ? c.bits : 0u) << "field " << j;
        }
    }
    FrameBytes one{};
    one[4] = 0x80;
    one[5] = 0x3F;
    EXPECT_EQ(decodeFrame(one).displayValue1, 1.0f);
    one[5] = 0xBF;
    EXPECT_EQ(decodeFrame(one).displayValue1, -1.0f);
}

TEST(MeterFrame, ByteFieldsComeFromTheirOffsets) {
    FrameBytes b{};
    for (std::size_t i = 0; i < b.size(); ++i) b[i] = static_cast<std::uint8_t>(0x40 + i);
    const MeterFrame f = decodeFrame(b);
    EXPECT_EQ(f.velocityUnitCode, 0x40 + 26);
    EXPECT_EQ(f.flowUnitCode, 0x40 + 27);
    EXPECT_EQ(f.areaUnitCode, 0x40 + 28);
    EXPECT_EQ(f.temperatureUnitCode, 0x40 + 29);
    EXPECT_EQ(f.statusFlags1, 0x40 + 30);
    EXPECT_EQ(f.statusFlags2, 0x40 + 31);
    EXPECT_EQ(f.statusFlags3, 0x40 + 32);
    EXPECT_EQ(f.blankFlags, 0x40 + 33);
    EXPECT_EQ(f.meanFlags, 0x40 + 34);
    EXPECT_EQ(f.secondLineFunction, 0x40 + 35);
    EXPECT_EQ(f.clockMode, 0x40 + 37);
    // The clock fields are the upper three bytes of line 1's float.
    EXPECT_EQ(f.timeField1, 0x40 + 3);
    EXPECT_EQ(f.timeField2, 0x40 + 4);
    EXPECT_EQ(f.timeField3, 0x40 + 5);
    EXPECT_EQ(bitsOf(f.displayValue1), 0x45444342u);
}

TEST(MeterFrame, BytesNotExaminedChangeNothing) {
    FrameBytes base{};
    for (std::size_t i = 0; i < base.size(); ++i) base[i] = static_cast<std::uint8_t>(i * 7 + 3);
    FrameBytes other = base;
    for (std::size_t i : {0u, 1u, 36u, 38u, 39u}) other[i] = static_cast<std::uint8_t>(~other[i]);
    EXPECT_EQ(fieldsOf(decodeFrame(base)), fieldsOf(decodeFrame(other)));
}

TEST(MeterFrame, UnitNibbleAndValidity) {
    // code, unit, invalid
    const std::tuple<std::uint8_t, int, bool> cases[] = {
        {0x01, 1, false}, {0x11, 1, true},  {0x21, 1, false}, {0xF1, 1, false},
        {0x06, 6, false}, {0x1F, 15, true}, {0x10, 0, true},  {0x00, 0, false},
    };
    for (const auto& [code, unit, invalid] : cases) {
        EXPECT_EQ(unitOf(code), unit) << int(code);
        EXPECT_EQ(isInvalid(code), invalid) << int(code);
    }
}

TEST(MeterFrame, FlagNeedsEveryBitOfItsMask) {
    EXPECT_TRUE(flagSet(0x20, 0x20));
    EXPECT_TRUE(flagSet(0xFF, 0x40));
    EXPECT_FALSE(flagSet(0xDF, 0x20));
    EXPECT_FALSE(flagSet(0x00, 0x01));
    EXPECT_TRUE(flagSet(0x30, 0x30));
    EXPECT_FALSE(flagSet(0x10, 0x30));
}
