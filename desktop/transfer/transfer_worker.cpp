#include "desktop/transfer/transfer_worker.h"

#include "core/link/virtual_radio_port.h"
#include "desktop/transfer/virtual_radio_host.h"
#include "qt/qt_serial_port.h"

CTransferWorker::CTransferWorker(TransferRequest request,
                                 std::shared_ptr<CVirtualRadioHost> virtualRadio)
    : m_request(std::move(request)), m_virtualRadio(std::move(virtualRadio)) {}

TransferResult CTransferWorker::Run(radio::LinkObserver& observer) {
    radio::SystemClock clock;
    TransferResult result{radio::LinkOutcome::OpenFailed, m_request.image, false, std::nullopt};
    auto transfer = [&](radio::SerialPort& port) {
        radio::RadioLink link(port, clock, observer);
        if (!m_request.writeMode) {
            result.outcome = link.Read(m_request.portName, result.image);
            return;
        }
        radio::RadioImage readBack = m_request.image;
        result.outcome =
            link.Write(m_request.portName, m_request.image, m_request.verify ? &readBack : nullptr);
        result.writeCompleted = link.WriteCompleted();
        if (m_request.verify && result.outcome == radio::LinkOutcome::Done)
            result.readBack = readBack;
    };

    if (IsVirtualPort(m_request.portName) && m_virtualRadio) {
        // Held for the whole connection; a second transfer meanwhile finds the port busy.
        std::unique_lock lock = m_virtualRadio->TryLock();
        radio::VirtualRadio idle;  // stands in while another transfer holds the real one
        radio::VirtualRadioPort port(lock.owns_lock() ? m_virtualRadio->Radio() : idle, clock);
        port.SetBusy(!lock.owns_lock());
        transfer(port);
    } else {
        radio::QtSerialPort port;
        transfer(port);
    }
    return result;
}
