#pragma once

#include <QString>
#include <atomic>
#include <functional>

#include "core/link/radio_link.h"

class QObject;

// A message of the connection as the user sees it: the text, a detail line below it, and
// either OK or Retry/Cancel.
struct LinkMessage {
    int id = 0;
    QString text;
    QString detail;
    bool retryCancel = false;
};
// Shows the message and returns true for Retry (the answer is ignored for OK messages).
using LinkMessageHook = std::function<bool(const LinkMessage&)>;

// The LinkObserver of a connection running on a worker thread. Progress is posted to the
// thread of `context`; questions and messages run there too while the worker waits for the
// answer. The wait also watches the cancel flag, so a transfer cancelled while a question is
// pending ends (with "Cancel") instead of blocking whoever waits for the worker.
class CThreadLinkObserver : public radio::LinkObserver {
  public:
    struct Hooks {
        std::function<void(int)> progressRange;
        std::function<void(int)> progress;
        std::function<void(int, int)> block;  // block done, of blocks
        LinkMessageHook message;
        std::function<void()> verifyStarted;  // a verifying write starts reading back
    };

    // `context` must outlive the connection; the hooks run on its thread.
    CThreadLinkObserver(QObject* context, const std::atomic<bool>& cancel, Hooks hooks);

    bool CancelRequested() override { return m_cancel.load(); }
    void SetProgressRange(int maximum) override;
    void SetProgress(int position) override;
    void BlockDone(int block, int blocks) override;
    bool AskRetry(int messageId, const std::string& text) override;
    void ShowMessage(int messageId, const std::string& text, const std::string& detail) override;
    void VerifyStarted() override;

  private:
    bool AskOnContextThread(LinkMessage message);

    QObject* m_context;
    const std::atomic<bool>& m_cancel;
    Hooks m_hooks;
};
