// Receive buffer of the serial control: 1024 bytes, a receive threshold, and
// the rule for when the receive event is due. Port-independent.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace meter {

// Event codes of the serial control.
inline constexpr int comEvReceive = 2;
inline constexpr int comEventRxOver = 1006;

class CommBuffer {
public:
    static constexpr std::size_t capacity = 1024;
    using Clock = std::chrono::steady_clock;

    struct Arrival {
        bool overrun = false;         // bytes were lost because the buffer was full
        bool receiveEventDue = false; // threshold armed and reached
    };

    CommBuffer() { bytes_.reserve(capacity); }

    // Bytes from the line, taken in at the time `at`; what does not fit is lost.
    Arrival arrive(const std::uint8_t* data, std::size_t n, Clock::time_point at);

    int InBufferCount() const { return static_cast<int>(bytes_.size()); }
    // Any value written discards every waiting byte (the program writes only 0).
    void clear();
    // Removes and returns every waiting byte.
    std::vector<std::uint8_t> take();

    // The longest silence between two consecutive waiting bytes, as far as the
    // arrival times tell: the bytes of one arrival count as back to back.
    Clock::duration longestGap() const { return longestGap_; }

    int RThreshold() const { return threshold_; }
    void setRThreshold(int t) { threshold_ = t < 0 ? 0 : t; }

private:
    std::vector<std::uint8_t> bytes_;
    int threshold_ = 0;
    Clock::time_point lastArrival_{};
    Clock::duration longestGap_{};
};

} // namespace meter
