// Frame synchronisation on the meter's silences and the frame gate.
#pragma once

#include "comm_buffer.h"
#include "meter_frame.h"

#include <cstdint>

namespace meter {

inline constexpr int syncTickMs = 50;
inline constexpr int offlineTimeoutMs = 4000;
// While the meter's port is gone (bridge unplugged), how often to look whether
// it has come back.
inline constexpr int reopenCheckMs = 1000;
// The bytes of one frame follow each other back to back (40 bytes in 41.7 ms
// at 9600 baud), and the meter pauses at least a tick between frames. A
// silence of half a tick between two bytes of a block therefore means that the
// block is no frame: it holds bytes from both sides of a pause (a stray byte,
// the rest of a broken frame, the start of the next one).
inline constexpr int frameGapMs = syncTickMs / 2;

// One tick of the synchronisation timer. Discards waiting bytes; on a tick that
// finds the buffer empty, arms the receive event for one frame and returns
// true: the timer is then to be stopped.
bool syncTick(CommBuffer& buffer);

enum class GateResult {
    Ignored,    // not a receive event, or the store is full: nothing read
    Discarded,  // wrong amount of data: the buffer was emptied
    Misaligned, // the bytes span a silence between frames: the buffer was emptied,
                // and the frames' start is to be found again (resyncReceive)
    Accepted,   // `frame` holds the 40 bytes
};

GateResult frameGate(CommBuffer& buffer, int commEvent, std::int32_t liveRecordCount, FrameBytes& frame);

} // namespace meter
