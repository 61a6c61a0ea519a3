#pragma once

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/image/radio_image.h"
#include "core/image/status.h"
#include "core/link/serial_port.h"

namespace radio {

// How one radio of a batch ended.
enum class BatchResult {
    Verified,      // written, read back, and the radio holds the image
    Written,       // written and not verified (verify switched off)
    WriteFailed,   // the radio may hold a partial image, or was never written
    VerifyFailed,  // written, but it does not hold the image, or could not be read back
    Cancelled,     // stopped by the user
};
// "verified", "written", "write failed", "verify failed", "cancelled": the log's words.
std::string_view BatchResultText(BatchResult result);

// The part of a radio's job that is running, for progress.
enum class BatchPhase { Backup, Write, Verify };

struct BatchRadio {
    std::size_t index = 0;  // position in the port list of the round
    std::string port;
    BatchResult result = BatchResult::WriteFailed;
    std::chrono::system_clock::time_point start;  // wall-clock times for the log
    std::chrono::system_clock::time_point end;
    std::int64_t milliseconds = 0;       // measured on a steady clock
    std::string message;                 // why it failed or was not verified, in one line
    std::string differences;             // verify failed: what the compare hook said
    std::string backupPath;              // the image read before the write, when kept
    std::vector<std::uint8_t> identity;  // the radio's identification bytes, when it answered
};

// Reports of a running round. Both are called on the workers' threads, for different radios at
// the same time: implementations synchronise what they share.
class BatchObserver {
  public:
    virtual ~BatchObserver() = default;
    virtual void Progress(std::size_t radio, BatchPhase phase, int position, int maximum) {
        static_cast<void>(radio), static_cast<void>(phase), static_cast<void>(position),
            static_cast<void>(maximum);
    }
    // Once per radio, as soon as it has ended.
    virtual void Finished(const BatchRadio& radio) = 0;
};

// A worker's connection: the port it talks through and the clock its link sleeps on. Made on the
// worker's own thread, used and destroyed there.
struct BatchConnection {
    std::unique_ptr<Clock> clock;  // declared first: a port may keep a reference to it
    std::unique_ptr<SerialPort> port;
};

// A thread a worker runs on, joined by the pool. std::thread unless the hooks start another kind
// (the Qt serial port wants threads of Qt's own).
class WorkerThread {
  public:
    virtual ~WorkerThread() = default;
    virtual void Join() = 0;
};
using ThreadStarter = std::function<std::unique_ptr<WorkerThread>(std::function<void()> job)>;
std::unique_ptr<WorkerThread> StartStdThread(std::function<void()> job);

struct BatchHooks {
    // The connection for the radio at `index` of the port list. Required.
    std::function<BatchConnection(std::size_t index, const std::string& port)> connect;
    // Keeps the image read before the write (backup first) and names the file in `path`. A
    // failure leaves that radio unwritten. Required when backing up first.
    std::function<Status(std::size_t index, const std::string& port, const RadioImage& image,
                         std::string& path)>
        backup;
    // Compares the read-back with the image written: empty when the radio holds it, else the
    // differences in one line. Required when verifying.
    std::function<std::string(const RadioImage& written, const RadioImage& readBack)> compare;
    // Polled beside the pool's own flag at every pump point; true stops every transfer (a
    // signal handler's flag, say). Optional.
    std::function<bool()> cancelRequested;
    // Starts each worker's thread; StartStdThread when not given.
    ThreadStarter startThread;
};

struct BatchOptions {
    bool verify = true;
    bool backupFirst = false;
};

// Writes one image to several radios at once: one thread per port, each with its own link. A
// radio that fails never stops the others; Cancel stops them all at their next pump point, and
// every link closes its port on the way out. Questions a link would ask (Retry/Cancel) are
// answered Cancel at once, so a radio that does not answer ends as failed instead of holding
// the batch.
class WritePool {
  public:
    explicit WritePool(BatchHooks hooks);
    ~WritePool();  // cancels a running round and waits for it
    WritePool(const WritePool&) = delete;
    WritePool& operator=(const WritePool&) = delete;

    // Starts a round; false when one is still running or there are no ports. `observer` must
    // outlive the round.
    bool Start(const std::vector<std::string>& ports, const RadioImage& image,
               const BatchOptions& options, BatchObserver& observer);
    // Safe from any thread; the round's workers end at their next pump point.
    void Cancel() { m_cancel = true; }
    bool CancelRequested() const;
    // Waits for every worker of the round; the results in port order (empty when none ran).
    std::vector<BatchRadio> Wait();

    // Start and Wait.
    std::vector<BatchRadio> Run(const std::vector<std::string>& ports, const RadioImage& image,
                                const BatchOptions& options, BatchObserver& observer);

  private:
    void Work(std::size_t index);

    BatchHooks m_hooks;
    std::atomic<bool> m_cancel{false};
    // The round: set by Start before the workers exist, read-only while they run.
    std::vector<std::string> m_ports;
    RadioImage m_image;
    BatchOptions m_options;
    BatchObserver* m_observer = nullptr;
    std::vector<BatchRadio> m_results;  // each worker writes only its own entry
    std::vector<std::unique_ptr<WorkerThread>> m_threads;
};

}  // namespace radio
