#include "desktop/transfer/thread_link_observer.h"

#include <QMetaObject>
#include <QObject>
#include <QThread>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>

namespace {

// Shared by the waiting worker and the call queued to the context thread; whichever side
// finishes last releases it.
struct PendingAnswer {
    std::mutex mutex;
    std::condition_variable answered;
    bool done = false;
    bool abandoned = false;  // the worker stopped waiting: do not show the message any more
    bool retry = false;
};

// How often a worker waiting for an answer looks at the cancel flag.
constexpr std::chrono::milliseconds kCancelPoll{20};

QString FromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

}  // namespace

CThreadLinkObserver::CThreadLinkObserver(QObject* context, const std::atomic<bool>& cancel,
                                         Hooks hooks)
    : m_context(context), m_cancel(cancel), m_hooks(std::move(hooks)) {}

void CThreadLinkObserver::SetProgressRange(int maximum) {
    if (!m_hooks.progressRange) return;
    QMetaObject::invokeMethod(
        m_context, [hook = m_hooks.progressRange, maximum] { hook(maximum); },
        Qt::QueuedConnection);
}

void CThreadLinkObserver::SetProgress(int position) {
    if (!m_hooks.progress) return;
    QMetaObject::invokeMethod(
        m_context, [hook = m_hooks.progress, position] { hook(position); }, Qt::QueuedConnection);
}

void CThreadLinkObserver::BlockDone(int block, int blocks) {
    if (!m_hooks.block) return;
    QMetaObject::invokeMethod(
        m_context, [hook = m_hooks.block, block, blocks] { hook(block, blocks); },
        Qt::QueuedConnection);
}

void CThreadLinkObserver::VerifyStarted() {
    if (!m_hooks.verifyStarted) return;
    QMetaObject::invokeMethod(m_context, m_hooks.verifyStarted, Qt::QueuedConnection);
}

bool CThreadLinkObserver::AskRetry(int messageId, const std::string& text) {
    return AskOnContextThread({messageId, FromUtf8(text), QString(), true});
}

void CThreadLinkObserver::ShowMessage(int messageId, const std::string& text,
                                      const std::string& detail) {
    AskOnContextThread({messageId, FromUtf8(text), FromUtf8(detail), false});
}

bool CThreadLinkObserver::AskOnContextThread(LinkMessage message) {
    if (!m_hooks.message) return false;
    if (QThread::currentThread() == m_context->thread()) return m_hooks.message(message);

    auto pending = std::make_shared<PendingAnswer>();
    QMetaObject::invokeMethod(
        m_context,
        [pending, hook = m_hooks.message, message] {
            {
                std::lock_guard lock(pending->mutex);
                if (pending->abandoned) return;
            }
            const bool retry = hook(message);
            {
                std::lock_guard lock(pending->mutex);
                pending->retry = retry;
                pending->done = true;
            }
            pending->answered.notify_all();
        },
        Qt::QueuedConnection);

    std::unique_lock lock(pending->mutex);
    while (!pending->done) {
        if (m_cancel.load()) {
            // Whoever cancelled may be waiting for this thread: answer "Cancel" ourselves.
            pending->abandoned = true;
            return false;
        }
        pending->answered.wait_for(lock, kCancelPoll);
    }
    return pending->retry;
}
