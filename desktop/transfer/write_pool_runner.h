#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/link/write_pool.h"

class CVirtualRadioHost;

// The desktop program's face of the write pool: it starts rounds and brings each radio's
// progress and result to the UI thread as signals, so the window stays usable while the radios
// are written and no widget is touched from a worker. Destroying it cancels a running round
// and waits for it.
class CWritePoolRunner : public QObject {
    Q_OBJECT

  public:
    // Makes the connection for a port (on the worker's thread). The default opens the serial
    // port through the QSerialPort adapter, and "virtual:N" through VirtualRadio(N).
    using Connector = std::function<radio::BatchConnection(std::size_t, const std::string&)>;
    // The built-in virtual radio behind "virtual:N"; null when there is none.
    using VirtualRadios = std::function<std::shared_ptr<CVirtualRadioHost>(const std::string&)>;

    explicit CWritePoolRunner(QObject* parent = nullptr);
    ~CWritePoolRunner() override;

    void SetConnector(Connector connector) { m_connector = std::move(connector); }
    void SetVirtualRadios(VirtualRadios radios) { m_virtualRadios = std::move(radios); }
    // Where backing up first keeps each radio's image (a BackupStore folder).
    void SetBackupFolder(const QString& folder) { m_backupFolder = folder; }

    // Starts a round over `ports`; false when one runs already or there are none.
    bool Start(const QStringList& ports, const radio::RadioImage& image,
               const radio::BatchOptions& options);
    bool IsRunning() const { return m_running; }
    // Asks every radio of the round to stop at its next pump point.
    void Cancel();
    // Cancels and waits; the radios' Finished and RoundFinished are raised before it returns.
    void CancelAndWait();

    static bool IsVirtualPort(const QString& portName);

  signals:
    void RadioProgress(int radio, radio::BatchPhase phase, int position, int maximum);
    void RadioFinished(const radio::BatchRadio& radio);
    void RoundFinished();

  private:
    class Observer;
    void OnRadioFinished(const radio::BatchRadio& radio);
    radio::BatchConnection Connect(std::size_t index, const std::string& port) const;

    Connector m_connector;
    VirtualRadios m_virtualRadios;
    QString m_backupFolder;
    std::unique_ptr<Observer> m_observer;
    std::unique_ptr<radio::WritePool> m_pool;
    bool m_running = false;
    int m_generation = 0;  // which round queued reports belong to
    std::size_t m_radios = 0;
    std::size_t m_finished = 0;
};
