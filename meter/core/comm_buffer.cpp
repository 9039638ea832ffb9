#include "comm_buffer.h"

namespace meter {

CommBuffer::Arrival CommBuffer::arrive(const std::uint8_t* data, std::size_t n, Clock::time_point at) {
    Arrival a;
    const std::size_t room = capacity - bytes_.size();
    const std::size_t kept = n < room ? n : room;
    if (kept > 0) {
        if (!bytes_.empty() && at - lastArrival_ > longestGap_) longestGap_ = at - lastArrival_;
        lastArrival_ = at;
    }
    bytes_.insert(bytes_.end(), data, data + kept);
    a.overrun = kept < n;
    a.receiveEventDue = threshold_ > 0 && bytes_.size() >= static_cast<std::size_t>(threshold_);
    return a;
}

void CommBuffer::clear() {
    bytes_.clear();
    longestGap_ = {};
}

std::vector<std::uint8_t> CommBuffer::take() {
    std::vector<std::uint8_t> out;
    out.swap(bytes_);
    bytes_.reserve(capacity);
    longestGap_ = {};
    return out;
}

} // namespace meter
