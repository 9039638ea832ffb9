#include "serial_link.h"

#include "shared_state.h"

#include <algorithm>
#include <chrono>

namespace meter {

bool syncTick(CommBuffer& buffer) {
    if (buffer.InBufferCount() > 0) {
        buffer.clear();
        return false;
    }
    buffer.setRThreshold(frameLength);
    return true;
}

GateResult frameGate(CommBuffer& buffer, int commEvent, std::int32_t liveRecordCount, FrameBytes& frame) {
    if (commEvent != comEvReceive || liveRecordCount >= LiveRecordStore::capacity) return GateResult::Ignored;
    if (buffer.longestGap() >= std::chrono::milliseconds(frameGapMs)) {
        buffer.clear();
        return GateResult::Misaligned;
    }
    if (buffer.InBufferCount() != frameLength) {
        buffer.clear();
        return GateResult::Discarded;
    }
    const std::vector<std::uint8_t> data = buffer.take();
    buffer.clear();
    std::copy_n(data.begin(), frameLength, frame.begin());
    return GateResult::Accepted;
}

} // namespace meter
