// Frame synchronisation on the meter's silences and the frame gate.
#pragma once

#include "comm_buffer.h"
#include "meter_frame.h"

#include <cstdint>

namespace meter {

inline constexpr int syncTickMs = 50;
inline constexpr int offlineTimeoutMs = 4000;

// One tick of the synchronisation timer. Discards waiting bytes; on a tick that
// finds the buffer empty, arms the receive event for one frame and returns
// true: the timer is then to be stopped.
bool syncTick(CommBuffer& buffer);

enum class GateResult {
    Ignored,   // not a receive event, or the store is full: nothing read
    Discarded, // wrong amount of data: the buffer was emptied
    Accepted,  // `frame` holds the 40 bytes
};

GateResult frameGate(CommBuffer& buffer, int commEvent, std::int32_t liveRecordCount,
                     FrameBytes& frame);

} // namespace meter
