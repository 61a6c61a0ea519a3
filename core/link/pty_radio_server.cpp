#include "core/link/pty_radio_server.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>

#ifdef __linux__
#include <sys/prctl.h>
#endif

namespace radio {
namespace {

using SteadyClock = std::chrono::steady_clock;

// After this much silence a half-received frame is given up.
constexpr auto kIdleReset = std::chrono::milliseconds(500);
constexpr int kPollMs = 20;

}  // namespace

PtyRadioServer::PtyRadioServer(VirtualRadio radio) : m_radio(std::move(radio)) {}

PtyRadioServer::~PtyRadioServer() { Stop(); }

Status PtyRadioServer::Start() {
    m_master = posix_openpt(O_RDWR | O_NOCTTY);
    if (m_master < 0) return Status::Error(std::string("posix_openpt: ") + std::strerror(errno));
    if (grantpt(m_master) != 0 || unlockpt(m_master) != 0) {
        const std::string reason = std::strerror(errno);
        Hangup();
        return Status::Error("cannot unlock the pseudo-terminal: " + reason);
    }
    const char* name = ptsname(m_master);
    m_path = name ? name : "";
    m_slave = m_path.empty() ? -1 : open(m_path.c_str(), O_RDWR | O_NOCTTY);
    if (m_slave < 0) {
        const std::string reason = std::strerror(errno);
        Hangup();
        return Status::Error("cannot open " + m_path + ": " + reason);
    }
    // Raw from the start: no echo, no line editing, until the program sets its own modes.
    termios modes{};
    if (tcgetattr(m_slave, &modes) == 0) {
        cfmakeraw(&modes);
        tcsetattr(m_slave, TCSANOW, &modes);
    }
    m_stop = false;
    m_thread = std::thread([this] { Serve(); });
    return Status::Ok();
}

void PtyRadioServer::Stop() {
    m_stop = true;
    if (m_thread.joinable()) m_thread.join();
    Hangup();
}

void PtyRadioServer::Hangup() {
    if (m_slave >= 0) close(m_slave);
    if (m_master >= 0) close(m_master);
    m_slave = m_master = -1;
}

RadioImage PtyRadioServer::memory() const {
    std::lock_guard lock(m_mutex);
    return m_radio.memory();
}

std::vector<Frame> PtyRadioServer::log() const {
    std::lock_guard lock(m_mutex);
    return m_radio.log();
}

void PtyRadioServer::Serve() {
#ifdef __linux__
    // Byte pacing needs sleeps accurate to a few microseconds, not the default 50 us slack.
    prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
#endif
    const int baud = m_radio.baud();
    const auto byteTime =
        baud > 0 ? std::chrono::nanoseconds(10'000'000'000LL / baud) : std::chrono::nanoseconds(0);
    auto rxFree = SteadyClock::now();  // when the PC-to-radio line is next idle
    auto txFree = rxFree;              // when the radio-to-PC line is next idle
    auto lastActivity = rxFree;
    bool idleReset = true;
    std::vector<std::uint8_t> reply;
    std::uint8_t chunk[256];

    while (!m_stop) {
        pollfd pfd{m_master, POLLIN, 0};
        const int ready = poll(&pfd, 1, kPollMs);
        if (ready <= 0 || !(pfd.revents & POLLIN)) {
            if (!idleReset && SteadyClock::now() - lastActivity > kIdleReset) {
                std::lock_guard lock(m_mutex);
                m_radio.LineIdle();
                idleReset = true;
            }
            continue;
        }
        const ssize_t got = read(m_master, chunk, sizeof chunk);
        if (got <= 0) continue;
        const auto arrived = SteadyClock::now();
        lastActivity = arrived;
        idleReset = false;

        for (ssize_t i = 0; i < got && !m_stop; ++i) {
            // A byte is only complete once its stop bit is in; the radio's answer starts then.
            if (baud > 0) rxFree = std::max(arrived, rxFree) + byteTime;
            bool pulled = false;
            reply.clear();
            {
                std::lock_guard lock(m_mutex);
                m_radio.Receive(chunk[i], reply);
                pulled = m_radio.CablePulled();
            }
            if (pulled) {
                Hangup();
                m_pulled = true;
                // Nothing to serve any more; wait for Stop().
                while (!m_stop) std::this_thread::sleep_for(std::chrono::milliseconds(kPollMs));
                return;
            }
            if (reply.empty()) continue;
            if (baud == 0) {
                if (write(m_master, reply.data(), reply.size()) < 0) continue;
            } else {
                // Each reply byte's slot follows the previous slot, not the moment a write
                // returned, so sleep overshoot never adds up over a block.
                txFree = std::max(rxFree, txFree);
                for (std::uint8_t b : reply) {
                    txFree += byteTime;
                    std::this_thread::sleep_until(txFree);
                    if (write(m_master, &b, 1) < 0) break;
                }
            }
            lastActivity = SteadyClock::now();
        }
    }
}

}  // namespace radio
