// A pseudo-terminal standing in for the meter: the program opens the slave
// side as its serial port, the test writes and reads the master side.
#pragma once

#include <QString>

#include <chrono>
#include <cstdint>
#include <functional>
#include <vector>

namespace testsupport {

class PtyMeter {
public:
    PtyMeter();
    ~PtyMeter();
    PtyMeter(const PtyMeter&) = delete;
    PtyMeter& operator=(const PtyMeter&) = delete;

    QString slavePath() const { return slavePath_; }
    void send(const std::vector<std::uint8_t>& bytes);
    // Every byte the program has written so far (non-blocking).
    std::vector<std::uint8_t> received();
    // Closes the meter's end, as when the bridge is unplugged.
    void hangUp();

private:
    int master_ = -1;
    int slave_ = -1; // kept open so the line stays up between the program's opens
    QString slavePath_;
};

// Runs the event loop until pred() holds or the time is up; returns pred().
bool waitUntil(const std::function<bool()>& pred, std::chrono::milliseconds timeout);
// Runs the event loop for the given time.
void spin(std::chrono::milliseconds time);

} // namespace testsupport
