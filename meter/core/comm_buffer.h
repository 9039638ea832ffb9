// Receive buffer of the serial control: 1024 bytes, a receive threshold, and
// the rule for when the receive event is due. Port-independent.
#pragma once

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

    struct Arrival {
        bool overrun = false;        // bytes were lost because the buffer was full
        bool receiveEventDue = false; // threshold armed and reached
    };

    CommBuffer() { bytes_.reserve(capacity); }

    // Bytes from the line; what does not fit is lost.
    Arrival arrive(const std::uint8_t* data, std::size_t n);

    int InBufferCount() const { return static_cast<int>(bytes_.size()); }
    // Any value written discards every waiting byte (the program writes only 0).
    void clear() { bytes_.clear(); }
    // Removes and returns every waiting byte.
    std::vector<std::uint8_t> take();

    int RThreshold() const { return threshold_; }
    void setRThreshold(int t) { threshold_ = t < 0 ? 0 : t; }

private:
    std::vector<std::uint8_t> bytes_;
    int threshold_ = 0;
};

} // namespace meter
