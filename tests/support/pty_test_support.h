#pragma once

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

namespace radio::test {

// A bare pseudo-terminal whose master end the test drives by hand.
class RawPty {
  public:
    RawPty() {
        m_master = posix_openpt(O_RDWR | O_NOCTTY);
        if (m_master >= 0 && grantpt(m_master) == 0 && unlockpt(m_master) == 0) {
            if (const char* name = ptsname(m_master)) m_path = name;
        }
    }
    ~RawPty() { Hangup(); }
    RawPty(const RawPty&) = delete;
    RawPty& operator=(const RawPty&) = delete;

    const std::string& path() const { return m_path; }
    bool Send(const std::vector<std::uint8_t>& bytes) {
        return write(m_master, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
    }
    void Hangup() {
        if (m_master >= 0) close(m_master);
        m_master = -1;
    }

  private:
    int m_master = -1;
    std::string m_path;
};

inline std::int64_t MillisecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                                 start)
        .count();
}

}  // namespace radio::test
