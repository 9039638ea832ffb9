#include "mscomm.h"

#include <QSerialPort>

namespace meter {

QString linuxPortPath(int commPort) {
    return QStringLiteral("/dev/ttyUSB%1").arg(commPort - 1);
}

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
        return true;
    }
    if (port_->isOpen()) return true;
    port_->setPortName(pathOf_(commPort_));
    port_->setBaudRate(QSerialPort::Baud9600);
    port_->setDataBits(QSerialPort::Data8);
    port_->setParity(QSerialPort::NoParity);
    port_->setStopBits(QSerialPort::OneStop);
    port_->setFlowControl(QSerialPort::NoFlowControl);
    if (!port_->open(QIODevice::ReadWrite)) return false;
    buffer_.clear();
    return true;
}

void MSComm::Output(const std::vector<std::uint8_t>& bytes) {
    if (!port_->isOpen() || bytes.empty()) return;
    port_->write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
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
    // the port still closed: that is no loss.
    switch (port_->error()) {
    case QSerialPort::ReadError:
    case QSerialPort::ResourceError:
    case QSerialPort::PermissionError:
    case QSerialPort::DeviceNotFoundError:
        if (port_->isOpen()) {
            port_->close();
            emit portLost();
        }
        break;
    default:
        break;
    }
}

} // namespace meter
