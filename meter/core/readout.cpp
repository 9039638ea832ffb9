#include "core/readout.h"

#include "core/number_text.h"
#include "core/regional.h"
#include "core/shared_state.h"

#include <cmath>

namespace meter {

const std::array<ReadoutLabel, 12> readoutLabels = {{
    {"FIRSTLABEL", &ReadoutWrites::FIRSTLABEL},
    {"SECONDLABEL", &ReadoutWrites::SECONDLABEL},
    {"Label_HOLD", &ReadoutWrites::Label_HOLD},
    {"Label_MAXMIN", &ReadoutWrites::Label_MAXMIN},
    {"Label_X", &ReadoutWrites::Label_X},
    {"Label_XX", &ReadoutWrites::Label_XX},
    {"Label_MEAN", &ReadoutWrites::Label_MEAN},
    {"Label_VEL", &ReadoutWrites::Label_VEL},
    {"Label_FUN", &ReadoutWrites::Label_FUN},
    {"Label_VEL_UNIT", &ReadoutWrites::Label_VEL_UNIT},
    {"Label_TEMP_UNIT", &ReadoutWrites::Label_TEMP_UNIT},
    {"Label_FLOW_UNIT", &ReadoutWrites::Label_FLOW_UNIT},
}};

namespace {

constexpr const char* dashes = "----";
constexpr double scale[4] = {1.0, 10.0, 100.0, 1000.0};

struct VelocityUnit {
    Unit unit;
    int decimals;
};

// Velocity unit by the low nibble of byte 26; Unit::None for no known unit.
VelocityUnit velocityUnit(int code) {
    switch (code) {
    case 1: return {Unit::MetresPerSecond, 2};
    case 2: return {Unit::FeetPerMinute, 0};
    case 3: return {Unit::KilometresPerHour, 1};
    case 4: return {Unit::MilesPerHour, 1};
    case 5: return {Unit::Knots, 1};
    default: return {Unit::None, 0};
    }
}

Unit flowUnit(int code) {
    switch (code) {
    case 1: return Unit::CubicFeetPerMin;
    case 2: return Unit::CubicMetresPerMin;
    default: return Unit::None;
    }
}

Unit temperatureUnit(int code) {
    switch (code) {
    case 1: return Unit::Celsius;
    case 2: return Unit::Fahrenheit;
    default: return Unit::None;
    }
}

void setCaption(LabelWrite& l, std::string_view text) { l.caption = std::string(text); }

// A display multiplier: X10 divides by 10, then X100 by 100, each quotient
// taken to the nearest 32-bit float; with both the caption ends as "X100".
void applyMultiplier(std::uint8_t flags, LabelWrite& label, float& value) {
    const bool x10 = flagSet(flags, 0x80);
    const bool x100 = flagSet(flags, 0x40);
    if (!x10 && !x100) {
        setCaption(label, " ");
        return;
    }
    if (x10) {
        setCaption(label, "X10");
        value = value / 10.0f;
    }
    if (x100) {
        setCaption(label, "X100");
        value = value / 100.0f;
    }
}

void writeFlowUnit(const MeterFrame& f, ReadoutWrites& w) {
    const Unit u = flowUnit(unitOf(f.flowUnitCode));
    if (u != Unit::None) setCaption(w.Label_FLOW_UNIT, unitText(u));
}

void writeTemperatureUnit(const MeterFrame& f, ReadoutWrites& w) {
    const Unit u = temperatureUnit(unitOf(f.temperatureUnitCode));
    if (u != Unit::None) setCaption(w.Label_TEMP_UNIT, unitText(u));
}

} // namespace

std::string displayText(float x, int decimals, char sep) {
    if (std::isnan(x)) return "0";
    if (decimals < 0) decimals = 0;
    if (decimals > 3) decimals = 3;
    const double figure = static_cast<double>(x) * scale[decimals];
    if (!std::isfinite(figure) || std::fabs(figure) >= 1e15) return dashes;
    const double shown = std::trunc(figure) / scale[decimals];
    std::string text = numberText(shown, sep); // negative zero gives "0"
    if (!text.empty() && text.front() == sep) text.insert(text.begin(), '0');
    return text;
}

int adaptiveDecimals(float v) {
    if (v < 10.0f) return 3;
    if (v < 100.0f) return 2;
    if (v < 1000.0f) return 1;
    return 0;
}

std::string clockText(const MeterFrame& f) {
    return datatotime(f.timeField1) + ":" + datatotime(f.timeField2) + ":" + datatotime(f.timeField3);
}

ReadoutWrites decodeReadout(const MeterFrame& f, char sep) {
    ReadoutWrites w;

    // 1. Line values; below zero or not a number shows as 0.
    float line1 = f.displayValue1;
    float line2 = f.displayValue2;
    if (std::isnan(line1) || line1 < 0.0f) line1 = 0.0f;
    if (std::isnan(line2) || line2 < 0.0f) line2 = 0.0f;

    // 2. HOLD.
    w.Label_HOLD.visible = flagSet(f.statusFlags1, 0x20);

    // 3. MAX / MIN: with both the caption ends as "MIN".
    const bool max = flagSet(f.statusFlags2, 0x20);
    const bool min = flagSet(f.statusFlags2, 0x10);
    if (!max && !min) setCaption(w.Label_MAXMIN, " ");
    if (max) setCaption(w.Label_MAXMIN, "MAX");
    if (min) setCaption(w.Label_MAXMIN, "MIN");

    // 4, 5. Multipliers of the two lines.
    applyMultiplier(f.statusFlags2, w.Label_X, line1);
    applyMultiplier(f.statusFlags3, w.Label_XX, line2);

    const VelocityUnit vel = velocityUnit(unitOf(f.velocityUnitCode));

    if (flagSet(f.meanFlags, 0x40)) {
        // 7. MEAN mode: each function bit runs in turn, the last one's writes stand.
        w.Label_MEAN.visible = true;
        w.Label_VEL.visible = false;
        if (flagSet(f.statusFlags2, 0x01)) {
            setCaption(w.Label_FUN, "VEL");
            w.Label_VEL_UNIT.visible = true;
            w.Label_TEMP_UNIT.visible = false;
            w.Label_FLOW_UNIT.visible = false;
            if (vel.unit != Unit::None) {
                setCaption(w.Label_VEL_UNIT, unitText(vel.unit));
                w.FIRSTLABEL.caption = displayText(line1, vel.decimals, sep);
                w.SECONDLABEL.caption = displayText(line2, vel.decimals, sep);
            }
            if (f.clockMode == 3) w.FIRSTLABEL.caption = clockText(f);
        }
        if (flagSet(f.statusFlags1, 0x02)) {
            setCaption(w.Label_FUN, "FLOW");
            w.Label_VEL_UNIT.visible = false;
            w.Label_TEMP_UNIT.visible = false;
            w.Label_FLOW_UNIT.visible = true;
            writeFlowUnit(f, w);
            w.SECONDLABEL.caption = displayText(line2, adaptiveDecimals(line2), sep);
            w.FIRSTLABEL.caption = displayText(line1, adaptiveDecimals(line1), sep);
        }
        if (flagSet(f.statusFlags3, 0x04)) {
            setCaption(w.Label_FUN, "TEMP");
            w.Label_VEL_UNIT.visible = false;
            w.Label_TEMP_UNIT.visible = true;
            w.Label_FLOW_UNIT.visible = false;
            writeTemperatureUnit(f, w);
            w.FIRSTLABEL.caption = displayText(line1, 1, sep);
            w.SECONDLABEL.caption = displayText(line2, 1, sep);
        }
    } else {
        // 8. Normal mode: line 1 velocity, line 2 temperature or flow.
        w.Label_MEAN.visible = false;
        w.Label_VEL.visible = true;
        w.Label_VEL_UNIT.visible = true;
        if (vel.unit != Unit::None) {
            setCaption(w.Label_VEL_UNIT, unitText(vel.unit));
            w.FIRSTLABEL.caption = displayText(line1, vel.decimals, sep);
        }
        if (f.secondLineFunction == 0) {
            setCaption(w.Label_FUN, "TEMP");
            w.Label_TEMP_UNIT.visible = true;
            w.Label_FLOW_UNIT.visible = false;
            writeTemperatureUnit(f, w);
            w.SECONDLABEL.caption = displayText(line2, 1, sep);
        } else if (f.secondLineFunction == 1) {
            setCaption(w.Label_FUN, "FLOW");
            w.Label_TEMP_UNIT.visible = false;
            w.Label_FLOW_UNIT.visible = true;
            writeFlowUnit(f, w);
            w.SECONDLABEL.caption = displayText(line2, adaptiveDecimals(line2), sep);
        }
    }

    // 9. Dashes, last.
    if (flagSet(f.blankFlags, 0x08)) setCaption(w.FIRSTLABEL, dashes);
    if (flagSet(f.blankFlags, 0x04)) setCaption(w.SECONDLABEL, dashes);
    return w;
}

ReadoutWrites decodeReadout(const FrameBytes& b, char sep) { return decodeReadout(decodeFrame(b), sep); }

} // namespace meter
