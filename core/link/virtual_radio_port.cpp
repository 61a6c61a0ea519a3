#include "core/link/virtual_radio_port.h"

#include <algorithm>
#include <vector>

namespace radio {

VirtualRadioPort::VirtualRadioPort(VirtualRadio& radio, Clock& clock)
    : m_radio(radio), m_clock(clock) {}

Status VirtualRadioPort::Open(const std::string& name) {
    if (!m_deviceName.empty() && name != m_deviceName) {
        return Status::Error(name + ": no such device");
    }
    if (m_busy || m_open) return Status::Error(name + ": the port is in use by another program");
    m_open = true;
    ++m_openCount;
    m_openName = name;
    m_incoming.clear();
    m_txFreeUs = m_rxFreeUs = NowUs();
    m_lastError.clear();
    return Status::Ok();
}

void VirtualRadioPort::Configure(const LineSettings&, const ReadTimeouts& timeouts) {
    m_timeouts = timeouts;
}

std::int64_t VirtualRadioPort::ByteTimeUs() const {
    // Start bit, 8 data bits, stop bit.
    return m_radio.baud() > 0 ? 10'000'000 / m_radio.baud() : 0;
}

void VirtualRadioPort::SleepUntilUs(std::int64_t us) {
    const std::int64_t wait = us - NowUs();
    if (wait > 0) m_clock.SleepMs(static_cast<int>((wait + 999) / 1000));
}

void VirtualRadioPort::DropArrived() {
    const std::int64_t now = NowUs();
    while (!m_incoming.empty() && m_incoming.front().arrivalUs <= now) m_incoming.pop_front();
}

void VirtualRadioPort::Write(const std::uint8_t* data, std::size_t n) {
    if (!m_open || m_radio.CablePulled()) return;
    const std::int64_t byteUs = ByteTimeUs();
    std::vector<std::uint8_t> reply;
    for (std::size_t i = 0; i < n; ++i) {
        m_txFreeUs = std::max(NowUs(), m_txFreeUs) + byteUs;
        reply.clear();
        m_radio.Receive(data[i], reply);
        for (std::uint8_t b : reply) {
            m_rxFreeUs = std::max(m_txFreeUs, m_rxFreeUs) + byteUs;
            m_incoming.push_back({b, m_rxFreeUs});
        }
    }
}

ReadResult VirtualRadioPort::Read(std::uint8_t* buffer, std::size_t n) {
    if (!m_open) {
        m_lastError = "the port is not open";
        return {false, 0};
    }
    const std::int64_t start = NowUs();
    const std::int64_t total =
        start + 1000LL * (m_timeouts.totalPerByteMs * static_cast<std::int64_t>(n) +
                          m_timeouts.totalConstantMs);
    // Nothing else happens on this thread while the read waits, so the whole wait is one
    // sleep to the moment the read ends: the last byte it takes, or the deadline.
    std::size_t count = 0;
    std::int64_t lastByte = start;
    std::int64_t end = start;
    while (count < n) {
        const std::int64_t deadline =
            count == 0 ? total
                       : std::min<std::int64_t>(total, lastByte + 1000LL * m_timeouts.intervalMs);
        if (m_incoming.empty() || m_incoming.front().arrivalUs > deadline) {
            end = deadline;
            break;
        }
        lastByte = std::max(lastByte, m_incoming.front().arrivalUs);
        end = lastByte;
        buffer[count++] = m_incoming.front().byte;
        m_incoming.pop_front();
    }
    if (m_radio.CablePulled() && count < n) {
        m_lastError = m_openName + ": the device was disconnected";
        return {false, count};
    }
    SleepUntilUs(end);
    return {true, count};
}

void VirtualRadioPort::Close() {
    m_open = false;
    m_incoming.clear();
}

}  // namespace radio
