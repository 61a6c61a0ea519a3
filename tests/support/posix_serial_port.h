#pragma once

// A SerialPort over a POSIX terminal device, for tests of the core that must run without Qt
// (the sanitizer builds): the pseudo-terminal server and its thread, end to end.

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <string>

#include "core/link/serial_port.h"

namespace radio::test {

class PosixSerialPort : public SerialPort {
  public:
    ~PosixSerialPort() override { Close(); }

    Status Open(const std::string& name) override {
        m_fd = ::open(name.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        if (m_fd < 0) return Status::Error(name + ": " + std::strerror(errno));
        termios tio{};
        if (tcgetattr(m_fd, &tio) == 0) {
            cfmakeraw(&tio);
            cfsetspeed(&tio, B9600);
            static_cast<void>(tcsetattr(m_fd, TCSANOW, &tio));
        }
        return Status::Ok();
    }
    void Configure(const LineSettings&, const ReadTimeouts& timeouts) override {
        m_timeouts = timeouts;
    }
    ReadResult Read(std::uint8_t* buffer, std::size_t n) override {
        const auto start = Now();
        const std::int64_t total = start +
                                   m_timeouts.totalPerByteMs * static_cast<std::int64_t>(n) +
                                   m_timeouts.totalConstantMs;
        std::int64_t deadline = total;
        std::size_t count = 0;
        while (count < n) {
            const std::int64_t wait = deadline - Now();
            if (wait <= 0) break;
            pollfd p{m_fd, POLLIN, 0};
            const int ready = ::poll(&p, 1, static_cast<int>(wait));
            if (ready < 0 && errno == EINTR) continue;
            if (ready < 0) return {false, count};
            if (ready == 0) break;
            const ssize_t got = ::read(m_fd, buffer + count, n - count);
            if (got > 0) {
                count += static_cast<std::size_t>(got);
                deadline = std::min(total, Now() + m_timeouts.intervalMs);
            } else if (got == 0 || (errno != EAGAIN && errno != EINTR)) {
                return {false, count};  // the other end hung up
            }
        }
        return {true, count};
    }
    void Write(const std::uint8_t* data, std::size_t n) override {
        while (n > 0) {
            const ssize_t put = ::write(m_fd, data, n);
            if (put > 0) {
                data += put;
                n -= static_cast<std::size_t>(put);
            } else if (put < 0 && errno == EAGAIN) {
                pollfd p{m_fd, POLLOUT, 0};
                if (::poll(&p, 1, 1000) <= 0) return;
            } else if (put < 0 && errno != EINTR) {
                return;
            }
        }
    }
    void PurgeAbort() override {}
    void PurgeClear() override { ClearReceive(); }
    void ClearReceive() override {
        if (m_fd >= 0) static_cast<void>(tcflush(m_fd, TCIFLUSH));
    }
    void Close() override {
        if (m_fd >= 0) ::close(m_fd);
        m_fd = -1;
    }
    bool IsOpen() const override { return m_fd >= 0; }

  private:
    static std::int64_t Now() {
        return std::chrono::duration_cast<std::chrono::milliseconds>(
                   std::chrono::steady_clock::now().time_since_epoch())
            .count();
    }
    int m_fd = -1;
    ReadTimeouts m_timeouts;
};

}  // namespace radio::test
