// How fast a whole read and write go through the QSerialPort adapter and a pseudo-terminal
// virtual radio, unpaced and paced at 9600 baud, against the limit of the wire itself; and what
// verifying a write costs: a write that reads the radio back must take no longer than the write
// plus the wire time of a read plus 5%.
// Run by hand: clone_speed [--unpaced-only]
#include <QCoreApplication>
#include <chrono>
#include <cstdio>
#include <cstring>

#include "core/link/clone_protocol.h"
#include "core/link/pty_radio_server.h"
#include "core/link/radio_link.h"
#include "qt/qt_serial_port.h"

namespace {

using namespace radio;
using SteadyClock = std::chrono::steady_clock;

// Wake-up, its acknowledgement, identification request and reply, confirmation and its reply.
constexpr long kHandshakeBytes = 7 + 1 + 2 + 8 + 1 + 1;
// Request, 12-byte reply, the PC's acknowledgement and the radio's.
constexpr long kReadBlockBytes = 4 + 12 + 1 + 1;
// Header, 8 data bytes, acknowledgement.
constexpr long kWriteBlockBytes = 4 + 8 + 1;
constexpr long kBandFrameBytes = 4 + 3 + 1;

// Notes when the first block is through, to split the handshake from the block transfer.
class TimingObserver : public LinkObserver {
  public:
    bool CancelRequested() override { return false; }
    void SetProgressRange(int) override {}
    void SetProgress(int position) override {
        if (position == 1) firstStep = SteadyClock::now();
    }
    bool AskRetry(int, const std::string&) override { return false; }
    void ShowMessage(int, const std::string& text, const std::string& detail) override {
        std::fprintf(stderr, "%s\n  %s\n", text.c_str(), detail.c_str());
    }
    SteadyClock::time_point firstStep;
};

double Seconds(SteadyClock::duration d) { return std::chrono::duration<double>(d).count(); }

// One transfer; prints its line and leaves its time in `seconds`. Returns false when it did
// not complete.
bool Measure(const char* name, int baud, bool write, PtyRadioServer& server,
             double* seconds = nullptr) {
    SystemClock clock;
    QtSerialPort port;
    TimingObserver observer;
    RadioLink link(port, clock, observer);
    RadioImage image = server.memory();

    const auto start = SteadyClock::now();
    const LinkOutcome outcome =
        write ? link.Write(server.devicePath(), image) : link.Read(server.devicePath(), image);
    const auto end = SteadyClock::now();
    if (outcome != LinkOutcome::Done) {
        std::printf("%-16s did not complete\n", name);
        return false;
    }
    if (seconds) *seconds = Seconds(end - start);

    const long blocks = write ? clone::kWriteBlocks : clone::kReadBlocks;
    const long blockBytes = write ? kWriteBlockBytes : kReadBlockBytes;
    const long wireBytes = kHandshakeBytes + blocks * blockBytes + (write ? kBandFrameBytes : 0);
    const double total = Seconds(end - start);
    std::printf("%-16s %7.3f s  wire bytes %6ld", name, total, wireBytes);
    if (baud > 0) {
        const double perByte = 10.0 / baud;
        // Blocks after the first one, against their own share of the wire.
        const long laterBytes = (blocks - 1) * blockBytes + (write ? kBandFrameBytes : 0);
        const double later = Seconds(end - observer.firstStep);
        const double handshake = Seconds(observer.firstStep - start) - blockBytes * perByte;
        std::printf("  wire limit %7.3f s  ratio %.4f  | handshake %.3f s, blocks ratio %.4f",
                    wireBytes * perByte, total / (wireBytes * perByte), handshake,
                    later / (laterBytes * perByte));
    }
    std::printf("\n");
    return true;
}

// A write that reads the radio back, against the plain write it adds a read to.
bool MeasureVerify(const std::string& label, int baud, double writeSeconds,
                   PtyRadioServer& server) {
    SystemClock clock;
    QtSerialPort port;
    TimingObserver observer;
    RadioLink link(port, clock, observer);
    const RadioImage image = server.memory();
    RadioImage readBack;

    const auto start = SteadyClock::now();
    const LinkOutcome outcome = link.Write(server.devicePath(), image, &readBack);
    const double total = Seconds(SteadyClock::now() - start);
    const bool same = readBack == server.memory();
    if (outcome != LinkOutcome::Done || !same) {
        std::printf("%-16s did not complete\n", ("verify " + label).c_str());
        return false;
    }
    std::printf("%-16s %7.3f s", ("write+verify " + label).c_str(), total);
    if (baud == 0) {
        std::printf("  (write alone %.3f s)\n", writeSeconds);
        return true;
    }
    // The read the verify adds, at the wire's own speed (no handshake: the same connection).
    const double readWire = clone::kReadBlocks * kReadBlockBytes * 10.0 / baud;
    const double limit = (writeSeconds + readWire) * 1.05;
    std::printf("  write %.3f s + read wire %.3f s + 5%% = %.3f s  ratio %.4f  %s\n", writeSeconds,
                readWire, limit, total / limit, total <= limit ? "met" : "MISSED");
    return total <= limit;
}

bool RunAt(int baud) {
    VirtualRadio radio(RadioImage::Blank());
    radio.SetBaud(baud);
    PtyRadioServer server(std::move(radio));
    if (const Status s = server.Start(); !s) {
        std::fprintf(stderr, "clone_speed: %s\n", s.message.c_str());
        return false;
    }
    const std::string label = baud > 0 ? std::to_string(baud) + " baud" : std::string("unpaced");
    double writeSeconds = 0;
    const bool read = Measure(("read  " + label).c_str(), baud, false, server);
    const bool write = Measure(("write " + label).c_str(), baud, true, server, &writeSeconds);
    const bool verify = write && MeasureVerify(label, baud, writeSeconds, server);
    return read && write && verify;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);  // QSerialPort's notifiers want an event dispatcher
    const bool unpacedOnly = argc > 1 && std::strcmp(argv[1], "--unpaced-only") == 0;
    bool ok = RunAt(0);
    if (!unpacedOnly) ok = RunAt(9600) && ok;
    return ok ? 0 : 1;
}
