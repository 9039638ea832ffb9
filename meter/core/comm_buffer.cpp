#include "comm_buffer.h"

namespace meter {

CommBuffer::Arrival CommBuffer::arrive(const std::uint8_t* data, std::size_t n) {
    Arrival a;
    const std::size_t room = capacity - bytes_.size();
    const std::size_t kept = n < room ? n : room;
    bytes_.insert(bytes_.end(), data, data + kept);
    a.overrun = kept < n;
    a.receiveEventDue = threshold_ > 0 && bytes_.size() >= static_cast<std::size_t>(threshold_);
    return a;
}

std::vector<std::uint8_t> CommBuffer::take() {
    std::vector<std::uint8_t> out;
    out.swap(bytes_);
    bytes_.reserve(capacity);
    return out;
}

} // namespace meter
