#include "desktop/transfer/write_pool_runner.h"

#include <QCoreApplication>
#include <QFile>
#include <QMetaObject>
#include <mutex>

#include "core/formats/backup_store.h"
#include "core/formats/batch_log.h"
#include "core/link/virtual_radio_port.h"
#include "desktop/transfer/virtual_radio_host.h"
#include "qt/qt_serial_port.h"
#include "qt/qt_worker_thread.h"

namespace {

constexpr std::string_view kVirtualPrefix = "virtual:";

// Holds a built-in radio for one connection; a second connection meanwhile finds it busy, as a
// cable held by another program would be. Comes before the port it serves, so the lock is taken
// before the port exists and released after it is gone.
struct HostHold {
    explicit HostHold(std::shared_ptr<CVirtualRadioHost> h)
        : host(std::move(h)), lock(host->TryLock()) {}
    radio::VirtualRadio& Radio() { return lock.owns_lock() ? host->Radio() : idle; }

    std::shared_ptr<CVirtualRadioHost> host;
    std::unique_lock<std::mutex> lock;
    radio::VirtualRadio idle;  // stands in while another transfer holds the real one
};

class HostedVirtualPort : private HostHold, public radio::VirtualRadioPort {
  public:
    HostedVirtualPort(std::shared_ptr<CVirtualRadioHost> host, radio::Clock& clock)
        : HostHold(std::move(host)), VirtualRadioPort(Radio(), clock) {
        SetBusy(!lock.owns_lock());
    }
};

}  // namespace

// Reports of the workers, queued to the runner's thread. A report of an earlier round still in
// the queue is dropped by its generation.
class CWritePoolRunner::Observer : public radio::BatchObserver {
  public:
    Observer(CWritePoolRunner* runner, int generation)
        : m_runner(runner), m_generation(generation) {}

    void Progress(std::size_t radio, radio::BatchPhase phase, int position, int maximum) override {
        QMetaObject::invokeMethod(
            m_runner,
            [runner = m_runner, g = m_generation, radio, phase, position, maximum] {
                if (g == runner->m_generation)
                    emit runner->RadioProgress(int(radio), phase, position, maximum);
            },
            Qt::QueuedConnection);
    }
    void Finished(const radio::BatchRadio& radio) override {
        QMetaObject::invokeMethod(
            m_runner,
            [runner = m_runner, g = m_generation, radio] {
                if (g == runner->m_generation) runner->OnRadioFinished(radio);
            },
            Qt::QueuedConnection);
    }

  private:
    CWritePoolRunner* m_runner;
    int m_generation;
};

CWritePoolRunner::CWritePoolRunner(QObject* parent) : QObject(parent) {}

CWritePoolRunner::~CWritePoolRunner() {
    // The workers post to this object: they must be gone before it is. Their reports, still
    // queued, die with it.
    if (m_pool) m_pool->Cancel();
    m_pool.reset();
}

bool CWritePoolRunner::IsVirtualPort(const QString& portName) {
    return portName.startsWith(QLatin1String(kVirtualPrefix.data(), kVirtualPrefix.size()));
}

radio::BatchConnection CWritePoolRunner::Connect(std::size_t index, const std::string& port) const {
    if (m_connector) return m_connector(index, port);
    radio::BatchConnection connection{std::make_unique<radio::SystemClock>(), nullptr};
    if (port.starts_with(kVirtualPrefix)) {
        if (auto host = m_virtualRadios ? m_virtualRadios(port) : nullptr)
            connection.port = std::make_unique<HostedVirtualPort>(host, *connection.clock);
        return connection;
    }
    connection.port = std::make_unique<radio::QtSerialPort>();
    return connection;
}

bool CWritePoolRunner::Start(const QStringList& ports, const radio::RadioImage& image,
                             const radio::BatchOptions& options) {
    if (m_running || ports.isEmpty()) return false;
    // A round's pool lives until the next round starts: its last worker may still be on its way
    // out when the last report arrives.
    m_pool.reset();
    ++m_generation;

    radio::BatchHooks hooks;
    hooks.connect = [this](std::size_t index, const std::string& port) {
        return Connect(index, port);
    };
    const std::string folder = QFile::encodeName(m_backupFolder).toStdString();
    hooks.backup = [folder](std::size_t, const std::string& port, const radio::RadioImage& before,
                            std::string& path) {
        if (folder.empty()) return radio::Status::Error("backups are switched off");
        return radio::BackupStore(folder).Save(before, &path, radio::BackupTag(port));
    };
    // English like every message of the program, channel headings included.
    hooks.compare = [](const radio::RadioImage& written, const radio::RadioImage& readBack) {
        return radio::VerifySummary(written, readBack, radio::Language::English);
    };
    hooks.startThread = radio::StartQtThread;
    m_pool = std::make_unique<radio::WritePool>(std::move(hooks));
    m_observer = std::make_unique<Observer>(this, m_generation);

    std::vector<std::string> names;
    for (const QString& port : ports) names.push_back(port.toUtf8().toStdString());
    m_radios = names.size();
    m_finished = 0;
    m_running = m_pool->Start(names, image, options, *m_observer);
    return m_running;
}

void CWritePoolRunner::Cancel() {
    if (m_pool) m_pool->Cancel();
}

void CWritePoolRunner::CancelAndWait() {
    if (!m_running) return;
    m_pool->Cancel();
    static_cast<void>(m_pool->Wait());  // every report is queued now
    // Deliver what the workers queued, so whoever shows the radios learns how each ended.
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
    if (!m_running) return;
    m_running = false;  // a report lost on the way must not leave the round running forever
    emit RoundFinished();
}

void CWritePoolRunner::OnRadioFinished(const radio::BatchRadio& radio) {
    emit RadioFinished(radio);
    if (++m_finished < m_radios) return;
    m_running = false;
    static_cast<void>(m_pool->Wait());  // the workers have reported; joining is immediate
    emit RoundFinished();
}
