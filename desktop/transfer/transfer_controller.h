#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <atomic>
#include <memory>

#include "core/image/radio_image.h"
#include "core/link/radio_link.h"
#include "desktop/transfer/thread_link_observer.h"
#include "desktop/transfer/transfer_worker.h"

class QThread;
class CProgressDlg;
class CVirtualRadioHost;

// Runs one transfer at a time on a worker thread and brings its progress, questions and
// result back to the UI thread, so the window stays responsive. The transfer never outlives
// the controller: destroying it cancels a running transfer and joins the thread.
class CTransferController : public QObject {
    Q_OBJECT

  public:
    explicit CTransferController(QObject* parent = nullptr);
    ~CTransferController() override;

    // The built-in virtual radio used for "virtual:"; the process's shared one by default.
    void SetVirtualRadio(std::shared_ptr<CVirtualRadioHost> host);
    // Shows the link's messages; by default a message box with the application's name as caption.
    void SetMessageHook(LinkMessageHook hook);

    // Starts a read (the image is the document's, kept unless the read completes) or a write,
    // which reads the radio back afterwards when `verify`. With a progress dialog, the bar
    // follows the transfer, its Cancel cancels it and its window closes when the transfer
    // ends. False when a transfer is already running.
    bool Start(bool writeMode, const QString& portName, const radio::RadioImage& image,
               CProgressDlg* progress = nullptr, bool verify = false);
    bool IsRunning() const { return m_thread != nullptr; }

    // Asks the running transfer to stop at its next pump point.
    void RequestCancel();
    // Cancels and waits for the worker; Finished is raised before this returns.
    void CancelAndWait();

    static bool ShowMessageBox(QWidget* parent, const LinkMessage& message);

  signals:
    void ProgressRange(int maximum);
    void Progress(int position);
    // After every transfer. `image`: the radio's image for a completed read; otherwise the
    // image the transfer was started with, unchanged.
    void Finished(radio::LinkOutcome outcome, const radio::RadioImage& image);
    // Before Finished, after a verifying write whose read-back completed: what was sent and
    // what the radio holds.
    void ReadBack(const radio::RadioImage& written, const radio::RadioImage& readBack);
    // Before Finished, after a verifying write that went through but could not be read back.
    void WrittenUnverified();

  private:
    void OnThreadFinished(bool notify);

    std::shared_ptr<CVirtualRadioHost> m_virtualRadio;
    LinkMessageHook m_messageHook;
    std::atomic<bool> m_cancel{false};
    std::unique_ptr<CThreadLinkObserver> m_observer;
    std::shared_ptr<TransferResult> m_result;
    QThread* m_thread = nullptr;
    int m_generation = 0;  // which transfer queued reports belong to
    QPointer<CProgressDlg> m_progress;
};
