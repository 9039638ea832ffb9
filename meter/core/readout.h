// The meter's display as the readout panel shows it: what one frame writes
// into the panel's labels. Pure: reads only the frame, keeps no state.
#pragma once

#include "core/meter_frame.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace meter {

// What a frame writes into one label; an empty field is left as it was.
struct LabelWrite {
    std::optional<std::string> caption; // UTF-8
    std::optional<bool> visible;

    bool operator==(const LabelWrite&) const = default;
};

// The final writes of one frame, one entry per label of the display.
// Within a frame a later write to a label replaces an earlier one, so only
// the last caption and the last visibility of each label are kept.
struct ReadoutWrites {
    LabelWrite FIRSTLABEL;
    LabelWrite SECONDLABEL;
    LabelWrite Label_HOLD;
    LabelWrite Label_MAXMIN;
    LabelWrite Label_X;
    LabelWrite Label_XX;
    LabelWrite Label_MEAN;
    LabelWrite Label_VEL;
    LabelWrite Label_FUN;
    LabelWrite Label_VEL_UNIT;
    LabelWrite Label_TEMP_UNIT;
    LabelWrite Label_FLOW_UNIT;

    bool operator==(const ReadoutWrites&) const = default;
};

// The labels by name, in the order above, for walking all of them.
struct ReadoutLabel {
    std::string_view name;
    LabelWrite ReadoutWrites::*member;
};
extern const std::array<ReadoutLabel, 12> readoutLabels;

// Figure of x cut off after k decimals (k 0..3): x taken exactly from its
// 32-bit value, times 10^k in 64-bit floating point, truncated toward zero,
// divided by 10^k, written without trailing zeros, "0" before a leading
// separator. An infinite x, or one whose figure x * 10^k reaches 10^15,
// gives "----"; NaN gives "0"; negative zero gives "0".
std::string displayText(float x, int decimals, char decimalSeparator = '.');

// "hh:mm:ss"-like clock text of line 1 from bytes 3, 4 and 5.
std::string clockText(const MeterFrame& f);

ReadoutWrites decodeReadout(const MeterFrame& f, char decimalSeparator = '.');
ReadoutWrites decodeReadout(const FrameBytes& b, char decimalSeparator = '.');

} // namespace meter
