#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <mutex>

#include "core/link/virtual_radio.h"

// The built-in virtual radio behind the port name "virtual:". One memory serves every transfer
// of the run, so what a write sent can be read back; one transfer at a time holds it (a second
// one finds the port in use, as with a real cable).
class CVirtualRadioHost {
  public:
    explicit CVirtualRadioHost(const radio::RadioImage& memory);

    // The process's own virtual radio, created on first use from InitialMemory().
    static std::shared_ptr<CVirtualRadioHost> Shared();
    // demo.dat beside the executable or in its resources folder; a blank image otherwise.
    static radio::RadioImage InitialMemory(const QStringList& candidates = DemoFileCandidates());
    static QStringList DemoFileCandidates();

    // Holds the radio for one transfer; not owning the lock means another transfer has it.
    std::unique_lock<std::mutex> TryLock() { return std::unique_lock(m_mutex, std::try_to_lock); }
    // Only while holding TryLock().
    radio::VirtualRadio& Radio() { return m_radio; }

    radio::RadioImage Memory() const;
    void SetMemory(const radio::RadioImage& memory);
    void SetBaud(int baud);
    void SetFaults(const radio::RadioFaults& faults);
    // Takes the pace and the faults of `other` (a radio added for trying behaves like the
    // program's own built-in one).
    void CopySettings(const CVirtualRadioHost& other);

  private:
    mutable std::mutex m_mutex;
    radio::VirtualRadio m_radio;
};
