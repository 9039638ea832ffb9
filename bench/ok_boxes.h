// Message boxes for the benchmarks: each is answered OK at once and counted,
// so that a run can tell that something failed.
#pragma once

#include "platform/message_boxes.h"

class OkBoxes : public meter::MessageBoxes {
public:
    int shown = 0;
    Answer show(const QString&, const QString&, Buttons) override {
        ++shown;
        return Answer::Ok;
    }
};
