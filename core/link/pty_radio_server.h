#pragma once

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "core/image/status.h"
#include "core/link/virtual_radio.h"

namespace radio {

// Serves a VirtualRadio on a pseudo-terminal, on a thread of its own: programs open
// devicePath() as if it were the radio's cable. A pty ignores the baud rate, so when the radio
// has one the server paces both directions itself (about 1.04 ms a byte at 9600 8N1).
// When the radio pulls its cable the server closes the pty, which the program sees as a
// failed read at once.
class PtyRadioServer {
  public:
    explicit PtyRadioServer(VirtualRadio radio);
    ~PtyRadioServer();
    PtyRadioServer(const PtyRadioServer&) = delete;
    PtyRadioServer& operator=(const PtyRadioServer&) = delete;

    Status Start();
    void Stop();
    const std::string& devicePath() const { return m_path; }
    bool LinePulled() const { return m_pulled; }

    // Copies taken under the lock the serving thread holds while the radio works.
    RadioImage memory() const;
    std::vector<Frame> log() const;

  private:
    void Serve();
    void Hangup();

    mutable std::mutex m_mutex;
    VirtualRadio m_radio;
    int m_master = -1;
    int m_slave = -1;  // kept open so the pty survives programs closing and reopening it
    std::string m_path;
    std::thread m_thread;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_pulled{false};
};

}  // namespace radio
