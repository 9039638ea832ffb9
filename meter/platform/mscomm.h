// The serial control: port number, open/close, receive buffer with threshold
// and receive event, and sending. Works over QSerialPort at 9600 8N1, binary.
#pragma once

#include "core/comm_buffer.h"

#include <QObject>
#include <QString>

#include <cstdint>
#include <functional>
#include <vector>

class QSerialPort;

namespace meter {

// Maps a port number to its device; on Linux port n is /dev/ttyUSB<n-1>.
using PortPathMap = std::function<QString(int)>;
QString linuxPortPath(int commPort);

class MSComm : public QObject {
    Q_OBJECT
public:
    explicit MSComm(PortPathMap pathOf = linuxPortPath, QObject* parent = nullptr);
    ~MSComm() override;

    std::int16_t CommPort() const { return commPort_; }
    void setCommPort(std::int16_t n) { commPort_ = n; }

    bool PortOpen() const;
    // Opening returns false when the device is missing or held elsewhere; the
    // cause is written to the log ("meter.platform"), once while it repeats.
    bool setPortOpen(bool open);

    int RThreshold() const { return buffer_.RThreshold(); }
    void setRThreshold(int t) { buffer_.setRThreshold(t); }

    int InBufferCount() const { return buffer_.InBufferCount(); }
    // Kept from the design; nothing in the program uses it.
    void setInBufferCount(int) { buffer_.clear(); }

    // Kept from the design; nothing in the program uses it.
    std::vector<std::uint8_t> Input() { return buffer_.take(); }
    void Output(const std::vector<std::uint8_t>& bytes);

    int CommEvent() const { return commEvent_; }

    CommBuffer& buffer() { return buffer_; }

    // Bytes as they come from the line, taken in at `at`: buffered, and OnComm
    // raised when due.
    void deliver(const std::uint8_t* data, std::size_t n, CommBuffer::Clock::time_point at = CommBuffer::Clock::now());

signals:
    // Raised on the thread of the control's owner (the UI thread).
    void OnComm();
    // The open port's device went away (bridge unplugged); the port is closed.
    // Not raised when the program closes the port or an open fails.
    void portLost();

private:
    void readFromPort();
    void portError();

    PortPathMap pathOf_;
    QSerialPort* port_ = nullptr;
    QString device_;          // the device of the port opened last
    QString lastOpenFailure_; // the failed open last written to the log
    CommBuffer buffer_;
    std::int16_t commPort_ = 3;
    int commEvent_ = 0;
};

} // namespace meter
