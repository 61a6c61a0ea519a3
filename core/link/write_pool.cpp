#include "core/link/write_pool.h"

#include <thread>
#include <utility>

#include "core/link/radio_link.h"

namespace radio {
namespace {

// One radio's LinkObserver: progress goes to the batch observer tagged with the radio and the
// phase; the first message is kept as the reason, and nobody is asked anything.
class WorkerObserver : public LinkObserver {
  public:
    WorkerObserver(const WritePool& pool, BatchObserver& out, std::size_t index)
        : m_pool(pool), m_out(out), m_index(index) {}

    bool CancelRequested() override { return m_pool.CancelRequested(); }
    void SetProgressRange(int maximum) override { m_maximum = maximum; }
    void SetProgress(int position) override {
        m_out.Progress(m_index, m_phase, position, m_maximum);
    }
    // A batch has nobody to ask: waiting on one radio would hold the others' results back.
    bool AskRetry(int, const std::string& text) override {
        Note(text, {});
        return false;
    }
    void ShowMessage(int, const std::string& text, const std::string& detail) override {
        Note(text, detail);
    }
    void VerifyStarted() override { m_phase = BatchPhase::Verify; }

    void SetPhase(BatchPhase phase) { m_phase = phase; }
    const std::string& message() const { return m_message; }

  private:
    void Note(const std::string& text, const std::string& detail) {
        if (!m_message.empty()) return;  // the first one is the cause
        m_message = detail.empty() ? text : text + " (" + detail + ")";
    }

    const WritePool& m_pool;
    BatchObserver& m_out;
    std::size_t m_index;
    BatchPhase m_phase = BatchPhase::Write;
    int m_maximum = 0;
    std::string m_message;
};

}  // namespace

namespace {

class StdWorkerThread : public WorkerThread {
  public:
    explicit StdWorkerThread(std::function<void()> job) : m_thread(std::move(job)) {}
    void Join() override {
        if (m_thread.joinable()) m_thread.join();
    }

  private:
    std::thread m_thread;
};

}  // namespace

std::unique_ptr<WorkerThread> StartStdThread(std::function<void()> job) {
    return std::make_unique<StdWorkerThread>(std::move(job));
}

std::string_view BatchResultText(BatchResult result) {
    switch (result) {
        case BatchResult::Verified:
            return "verified";
        case BatchResult::Written:
            return "written";
        case BatchResult::WriteFailed:
            return "write failed";
        case BatchResult::VerifyFailed:
            return "verify failed";
        case BatchResult::Cancelled:
            return "cancelled";
    }
    return {};
}

WritePool::WritePool(BatchHooks hooks) : m_hooks(std::move(hooks)) {}

WritePool::~WritePool() {
    Cancel();
    static_cast<void>(Wait());  // nobody is left to read the results
}

bool WritePool::CancelRequested() const {
    return m_cancel.load() || (m_hooks.cancelRequested && m_hooks.cancelRequested());
}

bool WritePool::Start(const std::vector<std::string>& ports, const RadioImage& image,
                      const BatchOptions& options, BatchObserver& observer) {
    if (!m_threads.empty() || ports.empty() || !m_hooks.connect) return false;
    m_cancel = false;
    m_ports = ports;
    m_image = image;
    m_options = options;
    m_observer = &observer;
    m_results.assign(ports.size(), BatchRadio{});
    const ThreadStarter start = m_hooks.startThread ? m_hooks.startThread : StartStdThread;
    for (std::size_t i = 0; i < ports.size(); ++i)
        m_threads.push_back(start([this, i] { Work(i); }));
    return true;
}

std::vector<BatchRadio> WritePool::Wait() {
    for (const auto& thread : m_threads) thread->Join();
    m_threads.clear();
    return std::exchange(m_results, {});
}

std::vector<BatchRadio> WritePool::Run(const std::vector<std::string>& ports,
                                       const RadioImage& image, const BatchOptions& options,
                                       BatchObserver& observer) {
    if (!Start(ports, image, options, observer)) return {};
    return Wait();
}

void WritePool::Work(std::size_t index) {
    BatchRadio& r = m_results[index];
    r.index = index;
    r.port = m_ports[index];
    r.start = std::chrono::system_clock::now();
    const auto began = std::chrono::steady_clock::now();
    WorkerObserver observer(*this, *m_observer, index);
    BatchConnection connection = m_hooks.connect(index, r.port);

    // A link that ended early: the user's cancel, or a failure named by its message.
    const auto endedEarly = [&](LinkOutcome outcome, bool written, const std::string& before) {
        if (outcome == LinkOutcome::Cancelled && CancelRequested()) {
            r.result = BatchResult::Cancelled;
            r.message = written ? "cancelled after the write was complete" : "cancelled";
            return;
        }
        r.result = written ? BatchResult::VerifyFailed : BatchResult::WriteFailed;
        r.message =
            before + (observer.message().empty() ? "the radio did not answer" : observer.message());
    };
    const auto job = [&] {
        if (!connection.port) {
            r.message = "the port could not be set up";
            return;
        }
        SystemClock systemClock;
        RadioLink link(*connection.port, connection.clock ? *connection.clock : systemClock,
                       observer);
        if (m_options.backupFirst) {
            observer.SetPhase(BatchPhase::Backup);
            RadioImage before = RadioImage::Blank();
            const LinkOutcome read = link.Read(r.port, before);
            r.identity = link.Identity();
            if (read != LinkOutcome::Done) {
                return endedEarly(read, false,
                                  "reading the radio before writing failed, nothing was "
                                  "written: ");
            }
            const Status kept = m_hooks.backup ? m_hooks.backup(index, r.port, before, r.backupPath)
                                               : Status::Error("no backup folder");
            if (!kept) {
                r.backupPath.clear();
                r.message = "the backup could not be saved, nothing was written: " + kept.message;
                return;
            }
            if (CancelRequested()) return endedEarly(LinkOutcome::Cancelled, false, {});
        }
        observer.SetPhase(BatchPhase::Write);
        const bool verify = m_options.verify && m_hooks.compare;
        RadioImage readBack = m_image;
        const LinkOutcome wrote = link.Write(r.port, m_image, verify ? &readBack : nullptr);
        if (!link.Identity().empty()) r.identity = link.Identity();
        if (wrote != LinkOutcome::Done) return endedEarly(wrote, link.WriteCompleted(), {});
        if (!verify) {
            r.result = BatchResult::Written;
            return;
        }
        r.differences = m_hooks.compare(m_image, readBack);
        r.result = r.differences.empty() ? BatchResult::Verified : BatchResult::VerifyFailed;
        r.message = r.differences;
    };
    job();
    // The port is closed and free before anyone hears the radio is done.
    connection.port.reset();
    connection.clock.reset();
    r.end = std::chrono::system_clock::now();
    r.milliseconds = std::chrono::duration_cast<std::chrono::milliseconds>(
                         std::chrono::steady_clock::now() - began)
                         .count();
    m_observer->Finished(r);
}

}  // namespace radio
