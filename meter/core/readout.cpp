#include "core/readout.h"

#include "core/number_text.h"
#include "core/regional.h"
#include "core/units.h"

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

// A unit of the readout's table by the low nibble of its code; the fallback
// for a code outside the table writes nothing.
Unit readoutUnit(Quantity q, std::uint8_t code) {
    const Unit u = unitByCode(q, static_cast<std::uint8_t>(unitOf(code)));
    return u == Unit::None ? readoutUnitFallback : u;
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
    const Unit u = readoutUnit(Quantity::Flow, f.flowUnitCode);
    if (u != Unit::None) setCaption(w.Label_FLOW_UNIT, unitText(u));
}

void writeTemperatureUnit(const MeterFrame& f, ReadoutWrites& w) {
    const Unit u = readoutUnit(Quantity::Temperature, f.temperatureUnitCode);
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

    const Unit vel = readoutUnit(Quantity::Velocity, f.velocityUnitCode);
    const int velDecimals = unitInfo(vel).decimals;
    const int tempDecimals = unitInfo(Unit::Celsius).decimals;

    if (flagSet(f.meanFlags, 0x40)) {
        // 7. MEAN mode: each function bit runs in turn, the last one's writes stand.
        w.Label_MEAN.visible = true;
        w.Label_VEL.visible = false;
        if (flagSet(f.statusFlags2, 0x01)) {
            setCaption(w.Label_FUN, "VEL");
            w.Label_VEL_UNIT.visible = true;
            w.Label_TEMP_UNIT.visible = false;
            w.Label_FLOW_UNIT.visible = false;
            if (vel != Unit::None) {
                setCaption(w.Label_VEL_UNIT, unitText(vel));
                w.FIRSTLABEL.caption = displayText(line1, velDecimals, sep);
                w.SECONDLABEL.caption = displayText(line2, velDecimals, sep);
            }
            if (f.clockMode == 3) w.FIRSTLABEL.caption = clockText(f);
        }
        if (flagSet(f.statusFlags1, 0x02)) {
            setCaption(w.Label_FUN, "FLOW");
            w.Label_VEL_UNIT.visible = false;
            w.Label_TEMP_UNIT.visible = false;
            w.Label_FLOW_UNIT.visible = true;
            writeFlowUnit(f, w);
            w.SECONDLABEL.caption = displayText(line2, decimalsForMagnitude(line2), sep);
            w.FIRSTLABEL.caption = displayText(line1, decimalsForMagnitude(line1), sep);
        }
        if (flagSet(f.statusFlags3, 0x04)) {
            setCaption(w.Label_FUN, "TEMP");
            w.Label_VEL_UNIT.visible = false;
            w.Label_TEMP_UNIT.visible = true;
            w.Label_FLOW_UNIT.visible = false;
            writeTemperatureUnit(f, w);
            w.FIRSTLABEL.caption = displayText(line1, tempDecimals, sep);
            w.SECONDLABEL.caption = displayText(line2, tempDecimals, sep);
        }
    } else {
        // 8. Normal mode: line 1 velocity, line 2 temperature or flow.
        w.Label_MEAN.visible = false;
        w.Label_VEL.visible = true;
        w.Label_VEL_UNIT.visible = true;
        if (vel != Unit::None) {
            setCaption(w.Label_VEL_UNIT, unitText(vel));
            w.FIRSTLABEL.caption = displayText(line1, velDecimals, sep);
        }
        if (f.secondLineFunction == 0) {
            setCaption(w.Label_FUN, "TEMP");
            w.Label_TEMP_UNIT.visible = true;
            w.Label_FLOW_UNIT.visible = false;
            writeTemperatureUnit(f, w);
            w.SECONDLABEL.caption = displayText(line2, tempDecimals, sep);
        } else if (f.secondLineFunction == 1) {
            setCaption(w.Label_FUN, "FLOW");
            w.Label_TEMP_UNIT.visible = false;
            w.Label_FLOW_UNIT.visible = true;
            writeFlowUnit(f, w);
            w.SECONDLABEL.caption = displayText(line2, decimalsForMagnitude(line2), sep);
        }
    }

    // 9. Dashes, last.
    if (flagSet(f.blankFlags, 0x08)) setCaption(w.FIRSTLABEL, dashes);
    if (flagSet(f.blankFlags, 0x04)) setCaption(w.SECONDLABEL, dashes);
    return w;
}

ReadoutWrites decodeReadout(const FrameBytes& b, char sep) { return decodeReadout(decodeFrame(b), sep); }

} // namespace meter
