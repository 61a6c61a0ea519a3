#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/image/radio_image.h"
#include "core/link/serial_port.h"

namespace radio {

// What a connection reports and asks while it runs. Implemented by the desktop program's
// progress dialog (across threads) and by the command-line tool.
class LinkObserver {
  public:
    virtual ~LinkObserver() = default;
    // Polled at every pump point; true ends the connection at once, without a message.
    virtual bool CancelRequested() = 0;
    virtual void SetProgressRange(int maximum) = 0;
    virtual void SetProgress(int position) = 0;
    // After each block of a read, a write or a read-back: `block` of `blocks`, counted from 1
    // (the band frame after a write's blocks is none of them).
    virtual void BlockDone(int /*block*/, int /*blocks*/) {}
    // Message 61451 with Retry and Cancel; true means Retry.
    virtual bool AskRetry(int messageId, const std::string& text) = 0;
    // Messages 61453 and 61454 with OK; `detail` (may be empty) goes below the text.
    virtual void ShowMessage(int messageId, const std::string& text, const std::string& detail) = 0;
    // A verifying write has sent everything and starts reading it back; the progress starts
    // again with the range of a read.
    virtual void VerifyStarted() {}
};

enum class [[nodiscard]] LinkOutcome{
    Done,        // transfer complete
    Cancelled,   // cancel seen at a pump point, or Cancel answered to Retry/Cancel
    OpenFailed,  // message 61453 shown
    Failed,      // message 61454 shown
};

// How one wake-up exchange ended: the wake-up, its acknowledgement (as the first or second
// byte), the identity request and reply, and the radio's confirmation of our acknowledgement.
enum class [[nodiscard]] WakeUp{
    Confirmed,     // the radio is ready for blocks
    NoAck,         // nothing, or no 0x06, came back to the wake-up
    NoIdentity,    // the identity reply could not be read (the read failed)
    NotConfirmed,  // the identity came, the confirmation did not
};
// One attempt exactly as every connection makes it; it reads or writes no memory. `stray`, if
// given, receives the last byte other than 0x06 that came back to the wake-up (-1: none);
// `identity`, if given, the identification bytes that arrived (up to 8; left alone when the
// exchange did not get that far).
WakeUp WakeUpRadio(SerialPort& port, Clock& clock, int* stray = nullptr,
                   std::vector<std::uint8_t>* identity = nullptr);

// The clone protocol: handshake, then 1024 read blocks, or the write blocks and the band frame.
class RadioLink {
  public:
    RadioLink(SerialPort& port, Clock& clock, LinkObserver& observer);

    // Reads the whole radio. `image` is replaced only when all 1024 blocks arrived.
    LinkOutcome Read(const std::string& portName, RadioImage& image);
    // Writes 0x0000..0x1FEF and the band frame (0x1FF0..0x1FF2). With `readBack`, then reads
    // the whole radio over the same connection (the radio stays in clone mode after the band
    // frame, so no second handshake is needed) into `readBack`, replaced only when complete.
    LinkOutcome Write(const std::string& portName, const RadioImage& image,
                      RadioImage* readBack = nullptr);
    // True when every frame of the last Write was acknowledged, even if its read-back failed.
    bool WriteCompleted() const { return m_writeCompleted; }
    // True once the last Write got past the handshake: from then on a write that does not
    // complete may leave the radio holding part of the new image and part of the old.
    bool WriteStarted() const { return m_writeStarted; }
    // The identification bytes of the last confirmed handshake (however many arrived; empty
    // before one). The protocol never interprets them, but they may tell radios apart.
    const std::vector<std::uint8_t>& Identity() const { return m_identity; }

  private:
    // How a phase of the connection ended; every exit after the open closes the port.
    enum class [[nodiscard]] Step{Go, Cancelled, Failed};

    bool OpenAndConfigure(const std::string& portName);
    LinkOutcome Finish(Step step);
    Step Handshake();
    Step ReadBlocks(RadioImage& scratch);
    Step ReadBack(RadioImage& readBack);
    Step WriteBlocks(const RadioImage& image);
    Step SendFrame(std::uint16_t address, const std::uint8_t* data, std::size_t length,
                   const std::string& what);
    bool PumpCancelled(int rounds, int sleepMs);
    bool ReadAck(std::string& detail);
    Step Fatal(const std::string& detail);
    void StepProgress(std::uint16_t address);

    SerialPort& m_port;
    Clock& m_clock;
    LinkObserver& m_observer;
    int m_progress = 0;
    bool m_writeCompleted = false;
    bool m_writeStarted = false;
    std::vector<std::uint8_t> m_identity;
    std::string m_phase;  // put before the details of a failure, so the user knows where it was
};

}  // namespace radio
