#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "core/image/radio_image.h"
#include "core/link/radio_link.h"

class CVirtualRadioHost;

// The port name that stands for the built-in virtual radio.
inline constexpr std::string_view kVirtualPortName = "virtual:";

struct TransferRequest {
    bool writeMode = false;
    std::string portName;
    // Write: the image to send. Read: the document's image, returned unchanged unless the
    // read completes.
    radio::RadioImage image;
    // Write: read the radio back afterwards, over the same connection.
    bool verify = false;
};

struct [[nodiscard]] TransferResult {
    radio::LinkOutcome outcome = radio::LinkOutcome::OpenFailed;
    radio::RadioImage image;
    // A verifying write: every frame of the write was acknowledged, and what the radio held
    // afterwards, when the read-back completed.
    bool writeCompleted = false;
    std::optional<radio::RadioImage> readBack;
};

// One connection, run on the calling thread. The serial port is created here, so the port
// object belongs to the transfer's worker thread from birth to end, as QSerialPort requires.
class CTransferWorker {
  public:
    CTransferWorker(TransferRequest request, std::shared_ptr<CVirtualRadioHost> virtualRadio);

    TransferResult Run(radio::LinkObserver& observer);

    static bool IsVirtualPort(std::string_view portName) { return portName == kVirtualPortName; }

  private:
    TransferRequest m_request;
    std::shared_ptr<CVirtualRadioHost> m_virtualRadio;
};
