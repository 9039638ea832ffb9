#include "mscomm.h"

#include "platform/log.h"

#include <QSerialPort>

namespace meter {

QString linuxPortPath(int commPort) { return QStringLiteral("/dev/ttyUSB%1").arg(commPort - 1); }

MSComm::MSComm(PortPathMap pathOf, QObject* parent)
    : QObject(parent), pathOf_(std::move(pathOf)), port_(new QSerialPort(this)) {
    connect(port_, &QSerialPort::readyRead, this, &MSComm::readFromPort);
    connect(port_, &QSerialPort::errorOccurred, this, &MSComm::portError);
}

MSComm::~MSComm() {
    if (port_->isOpen()) port_->close();
}

bool MSComm::PortOpen() const { return port_->isOpen(); }

bool MSComm::setPortOpen(bool open) {
    if (!open) {
        if (port_->isOpen()) port_->close();
        buffer_.clear();
        lastOpenFailure_.clear();
        return true;
    }
    if (port_->isOpen()) return true;
    device_ = pathOf_(commPort_);
    port_->setPortName(device_);
    port_->setBaudRate(QSerialPort::Baud9600);
    port_->setDataBits(QSerialPort::Data8);
    port_->setParity(QSerialPort::NoParity);
    port_->setStopBits(QSerialPort::OneStop);
    port_->setFlowControl(QSerialPort::NoFlowControl);
    if (!port_->open(QIODevice::ReadWrite)) {
        // A port looked for again and again (a bridge that is unplugged)
        // fails the same way each time: that is said once.
        const QString failure = QStringLiteral("COM%1 (%2): %3").arg(commPort_).arg(device_, port_->errorString());
        if (failure != lastOpenFailure_) qCWarning(platformLog, "Cannot open %s", qUtf8Printable(failure));
        else qCDebug(platformLog, "Still cannot open %s", qUtf8Printable(failure));
        lastOpenFailure_ = failure;
        return false;
    }
    qCDebug(platformLog, "Opened COM%d (%s)", commPort_, qUtf8Printable(device_));
    lastOpenFailure_.clear();
    buffer_.clear();
    return true;
}

void MSComm::Output(const std::vector<std::uint8_t>& bytes) {
    if (bytes.empty()) return;
    if (!port_->isOpen()) {
        qCDebug(platformLog, "COM%d is closed: %zu bytes not sent", commPort_, bytes.size());
        return;
    }
    const qint64 written = port_->write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
    if (written < 0)
        qCWarning(platformLog, "Cannot send %zu bytes to COM%d (%s): %s", bytes.size(), commPort_,
                  qUtf8Printable(device_), qUtf8Printable(port_->errorString()));
    else if (static_cast<std::size_t>(written) < bytes.size())
        qCWarning(platformLog, "Only %lld of %zu bytes sent to COM%d (%s)", static_cast<long long>(written),
                  bytes.size(), commPort_, qUtf8Printable(device_));
}

void MSComm::readFromPort() {
    const QByteArray data = port_->readAll();
    if (data.isEmpty()) return;
    // The time the bytes are read here, on the UI thread, stands for the time
    // they came off the line.
    deliver(reinterpret_cast<const std::uint8_t*>(data.constData()), static_cast<std::size_t>(data.size()),
            CommBuffer::Clock::now());
}

void MSComm::deliver(const std::uint8_t* data, std::size_t n, CommBuffer::Clock::time_point at) {
    const CommBuffer::Arrival a = buffer_.arrive(data, n, at);
    if (a.overrun) {
        commEvent_ = comEventRxOver;
        emit OnComm();
    }
    if (a.receiveEventDue) {
        commEvent_ = comEvReceive;
        emit OnComm();
    }
}

void MSComm::portError() {
    // A device that went away (bridge unplugged) keeps failing every read: close
    // it so that nothing spins on the dead line, and say so, so that the owner
    // can wait for the device to come back. A failed open lands here too, with
    // the port still closed: that is no loss, and setPortOpen tells its cause.
    const QSerialPort::SerialPortError error = port_->error();
    if (error == QSerialPort::NoError || !port_->isOpen()) return;
    switch (error) {
    case QSerialPort::ReadError:
    case QSerialPort::ResourceError:
    case QSerialPort::PermissionError:
    case QSerialPort::DeviceNotFoundError:
        qCWarning(platformLog, "COM%d (%s) lost: %s; the port is closed", commPort_, qUtf8Printable(device_),
                  qUtf8Printable(port_->errorString()));
        port_->close();
        emit portLost();
        break;
    default:
        qCWarning(platformLog, "COM%d (%s): %s", commPort_, qUtf8Printable(device_),
                  qUtf8Printable(port_->errorString()));
        break;
    }
}

} // namespace meter
