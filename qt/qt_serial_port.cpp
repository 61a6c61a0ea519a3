#include "qt/qt_serial_port.h"

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QSerialPort>

#include <algorithm>

#include "core/link/port_names.h"

#ifndef _WIN32
#include <unistd.h>
#endif

namespace radio {
namespace {

// Why an open failed, in words a user can act on.
std::string OpenFailureReason(QSerialPort& port, const std::string& device) {
    const QString path = QString::fromStdString(device);
#ifndef _WIN32
    if (path.startsWith('/')) {
        if (!QFileInfo::exists(path)) return "the device does not exist";
        if (access(device.c_str(), R_OK | W_OK) != 0) {
            return "permission denied (on Linux, add your user to the 'dialout' group, then log "
                   "in again)";
        }
    }
#endif
    switch (port.error()) {
        case QSerialPort::DeviceNotFoundError:
            return "the device does not exist";
        case QSerialPort::PermissionError:
            return "the port is busy (opened by another program) or access is denied";
        default:
            return port.errorString().toStdString();
    }
}

}  // namespace

QtSerialPort::QtSerialPort() : m_port(std::make_unique<QSerialPort>()) {}

QtSerialPort::~QtSerialPort() { Close(); }

Status QtSerialPort::Open(const std::string& name) {
    Close();
    m_name = name;
    m_lastError.clear();
    m_openFailure = OpenFailure::None;
    const std::string device = DevicePathForPort(name);
    m_port->setPortName(QString::fromStdString(device));
    if (!m_port->open(QIODevice::ReadWrite)) {
        switch (m_port->error()) {
            case QSerialPort::DeviceNotFoundError:
                m_openFailure = OpenFailure::Missing;
                break;
            case QSerialPort::PermissionError:  // also a port locked or held exclusively
                m_openFailure = OpenFailure::Denied;
                break;
            default:
                m_openFailure = OpenFailure::Other;
                break;
        }
        std::string where = name;
        if (device != name) where += " (" + device + ")";
        const std::string reason = OpenFailureReason(*m_port, device);
        m_port->clearError();
        return Status::Error(where + ": " + reason);
    }
    return Status::Ok();
}

void QtSerialPort::Configure(const LineSettings& line, const ReadTimeouts& timeouts) {
    m_timeouts = timeouts;
    // Results are not examined: a pty, for one, refuses some of these, and the radio's
    // replies are what decide. Modem lines are left alone (a pty has none).
    m_port->setBaudRate(line.baudRate);
    m_port->setDataBits(line.dataBits == 8 ? QSerialPort::Data8 : QSerialPort::Data7);
    m_port->setParity(line.parity ? QSerialPort::EvenParity : QSerialPort::NoParity);
    m_port->setStopBits(line.stopBits == 2 ? QSerialPort::TwoStop : QSerialPort::OneStop);
    m_port->setReadBufferSize(static_cast<qint64>(line.inputQueue));
    m_port->clearError();
}

Status QtSerialPort::ApplyLine(const LineSettings& line) {
    if (!m_port->isOpen()) return Status::Error(m_name + ": the port is not open");
    const auto refused = [this](const char* what) {
        const std::string reason = m_port->errorString().toStdString();
        m_port->clearError();
        return Status::Error(std::string(what) + " (" + reason + ")");
    };
    if (!m_port->setBaudRate(line.baudRate)) return refused("the baud rate");
    if (!m_port->setDataBits(line.dataBits == 8 ? QSerialPort::Data8 : QSerialPort::Data7))
        return refused("the data bits");
    if (!m_port->setParity(line.parity ? QSerialPort::EvenParity : QSerialPort::NoParity))
        return refused("the parity");
    if (!m_port->setStopBits(line.stopBits == 2 ? QSerialPort::TwoStop : QSerialPort::OneStop))
        return refused("the stop bits");
    return Status::Ok();
}

// Ends at the total deadline, or 50 ms after the last byte once one has come, whichever is
// first; a failed wait other than a timeout is a failed read.
ReadResult QtSerialPort::Read(std::uint8_t* buffer, std::size_t n) {
    if (!m_port->isOpen()) {
        m_lastError = m_name + ": the port is not open";
        return {false, 0};
    }
    QElapsedTimer clock;
    clock.start();
    const qint64 total =
        m_timeouts.totalPerByteMs * static_cast<qint64>(n) + m_timeouts.totalConstantMs;
    qint64 lastByte = -1;
    std::size_t count = 0;
    while (count < n) {
        if (m_port->bytesAvailable() > 0) {
            const qint64 got = m_port->read(reinterpret_cast<char*>(buffer + count),
                                            static_cast<qint64>(n - count));
            if (got < 0) {
                m_lastError = m_name + ": " + m_port->errorString().toStdString();
                return {false, count};
            }
            count += static_cast<std::size_t>(got);
            lastByte = clock.elapsed();
            continue;
        }
        qint64 deadline = total;
        if (lastByte >= 0) deadline = std::min(deadline, lastByte + m_timeouts.intervalMs);
        const qint64 remaining = deadline - clock.elapsed();
        if (remaining <= 0) break;
        m_port->clearError();
        if (!m_port->waitForReadyRead(static_cast<int>(remaining))) {
            const auto error = m_port->error();
            if (error != QSerialPort::NoError && error != QSerialPort::TimeoutError) {
                m_lastError = m_name + ": " + m_port->errorString().toStdString();
                m_port->clearError();
                return {false, count};
            }
        }
    }
    return {true, count};
}

void QtSerialPort::Write(const std::uint8_t* data, std::size_t n) {
    if (!m_port->isOpen()) return;
    m_port->write(reinterpret_cast<const char*>(data), static_cast<qint64>(n));
    // Without an event loop write() only queues: push the bytes out here. The write total
    // timeout (50 ms a byte + 50) bounds each wait; the outcome is not examined.
    const int timeout = 50 * static_cast<int>(n) + 50;
    while (m_port->bytesToWrite() > 0) {
        if (!m_port->waitForBytesWritten(timeout)) break;
    }
    m_port->clearError();
}

// Reads and writes complete before they return here, so nothing is ever pending to abort.
void QtSerialPort::PurgeAbort() {}

void QtSerialPort::PurgeClear() {
    if (m_port->isOpen()) m_port->clear(QSerialPort::AllDirections);
}

void QtSerialPort::ClearReceive() {
    if (m_port->isOpen()) m_port->clear(QSerialPort::Input);
}

void QtSerialPort::Close() {
    if (m_port && m_port->isOpen()) m_port->close();
}

bool QtSerialPort::IsOpen() const { return m_port->isOpen(); }

}  // namespace radio
