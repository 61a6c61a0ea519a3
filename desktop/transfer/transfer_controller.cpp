#include "desktop/transfer/transfer_controller.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QThread>

#include "desktop/transfer/progress_dlg.h"
#include "desktop/transfer/virtual_radio_host.h"

CTransferController::CTransferController(QObject* parent) : QObject(parent) {}

CTransferController::~CTransferController() {
    if (!m_thread) return;
    m_cancel = true;
    m_thread->wait();
    OnThreadFinished(false);  // nobody to tell any more
}

void CTransferController::SetVirtualRadio(std::shared_ptr<CVirtualRadioHost> host) {
    m_virtualRadio = std::move(host);
}

void CTransferController::SetMessageHook(LinkMessageHook hook) { m_messageHook = std::move(hook); }

bool CTransferController::Start(bool writeMode, const QString& portName,
                                const radio::RadioImage& image, CProgressDlg* progress,
                                bool verify) {
    if (m_thread) return false;
    ++m_generation;
    m_progress = progress;
    // A Cancel pressed between OK and this call still counts.
    m_cancel = progress != nullptr && progress->m_bCancel.load();

    TransferRequest request{writeMode, portName.toUtf8().toStdString(), image, writeMode && verify};
    if (CTransferWorker::IsVirtualPort(request.portName) && !m_virtualRadio) {
        m_virtualRadio = CVirtualRadioHost::Shared();
    }

    // Reports of an earlier transfer still queued must not reach this one's dialog.
    const int generation = m_generation;
    CThreadLinkObserver::Hooks hooks;
    const QPointer<CTransferController> self(this);
    hooks.progressRange = [self, generation](int maximum) {
        if (!self || generation != self->m_generation) return;
        if (self->m_progress) self->m_progress->SetRange(maximum);
        emit self->ProgressRange(maximum);
    };
    hooks.progress = [self, generation](int position) {
        if (!self || generation != self->m_generation) return;
        if (self->m_progress) self->m_progress->SetPos(position);
        emit self->Progress(position);
    };
    hooks.block = [self, generation](int block, int blocks) {
        if (!self || generation != self->m_generation) return;
        if (self->m_progress) self->m_progress->SetBlock(block, blocks);
    };
    hooks.verifyStarted = [self, generation] {
        if (!self || generation != self->m_generation) return;
        if (self->m_progress) self->m_progress->SetVerifyPhase();
    };
    if (m_messageHook) {
        hooks.message = m_messageHook;
    } else {
        QPointer<QWidget> owner =
            progress ? static_cast<QWidget*>(progress) : qobject_cast<QWidget*>(parent());
        hooks.message = [owner](const LinkMessage& message) {
            return ShowMessageBox(owner, message);
        };
    }
    // The reports are delivered through the application object, not this one: a message box
    // may still be open when the owner deletes this controller.
    m_observer = std::make_unique<CThreadLinkObserver>(QCoreApplication::instance(), m_cancel,
                                                       std::move(hooks));
    m_result = std::make_shared<TransferResult>();

    auto worker = std::make_shared<CTransferWorker>(std::move(request), m_virtualRadio);
    m_thread = QThread::create([worker, observer = m_observer.get(), result = m_result] {
        *result = worker->Run(*observer);
    });
    connect(
        m_thread, &QThread::finished, this,
        [this, generation] {
            if (generation == m_generation && m_thread) OnThreadFinished(true);
        },
        Qt::QueuedConnection);
    if (progress) {
        connect(progress, &CProgressDlg::CancelRequested, this, &CTransferController::RequestCancel,
                Qt::UniqueConnection);
    }
    if (progress)
        progress->SetPhase(writeMode ? CProgressDlg::Phase::Writing : CProgressDlg::Phase::Reading);
    m_thread->start();
    return true;
}

void CTransferController::RequestCancel() { m_cancel = true; }

void CTransferController::CancelAndWait() {
    if (!m_thread) return;
    m_cancel = true;
    m_thread->wait();
    OnThreadFinished(true);
}

void CTransferController::OnThreadFinished(bool notify) {
    m_thread->wait();
    delete m_thread;
    m_thread = nullptr;
    m_observer.reset();
    const TransferResult result = *m_result;
    m_result.reset();
    if (m_progress) {
        disconnect(m_progress, &CProgressDlg::CancelRequested, this,
                   &CTransferController::RequestCancel);
        m_progress->Dismiss();
    }
    m_progress = nullptr;
    if (!notify) return;
    if (result.readBack) {
        emit ReadBack(result.image, *result.readBack);
    } else if (result.writeCompleted && result.outcome != radio::LinkOutcome::Done) {
        emit WrittenUnverified();
    }
    emit Finished(result.outcome, result.image);
}

bool CTransferController::ShowMessageBox(QWidget* parent, const LinkMessage& message) {
    const auto buttons =
        message.retryCancel ? QMessageBox::Retry | QMessageBox::Cancel : QMessageBox::Ok;
    QMessageBox box(QMessageBox::Warning, QGuiApplication::applicationDisplayName(), message.text,
                    buttons, parent);
    if (!message.detail.isEmpty()) box.setInformativeText(message.detail);
    return box.exec() == QMessageBox::Retry;
}
