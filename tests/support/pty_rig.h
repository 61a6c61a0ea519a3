#pragma once

// A virtual radio served on a pseudo-terminal and a RadioLink on a serial port of type Port
// (the QSerialPort adapter, or a POSIX port in the Qt-free tests), in real time.

#include "core/link/pty_radio_server.h"
#include "core/link/radio_link.h"
#include "tests/support/link_test_support.h"

namespace radio::test {

inline VirtualRadio ServedRadio(const RadioImage& memory, const RadioFaults& faults, int baud) {
    VirtualRadio radio(memory, faults);
    radio.SetBaud(baud);
    return radio;
}

template <class Port>
struct PtyRig {
    explicit PtyRig(const RadioFaults& faults = {}, int baud = 0, int seed = 2)
        : server(ServedRadio(PatternImage(seed), faults, baud)) {
        started = server.Start().ok;
    }
    bool started = false;
    PtyRadioServer server;
    SystemClock clock;
    Port port;
    RecordingObserver observer;
    RadioLink link{port, clock, observer};
};

}  // namespace radio::test
