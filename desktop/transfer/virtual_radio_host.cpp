#include "desktop/transfer/virtual_radio_host.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "core/image/channel_file.h"
#include "qt/data_paths.h"

CVirtualRadioHost::CVirtualRadioHost(const radio::RadioImage& memory) : m_radio(memory) {}

std::shared_ptr<CVirtualRadioHost> CVirtualRadioHost::Shared() {
    static const std::shared_ptr<CVirtualRadioHost> host =
        std::make_shared<CVirtualRadioHost>(InitialMemory());
    return host;
}

QStringList CVirtualRadioHost::DemoFileCandidates() {
    // Beside the executable or in the installation's shared folder first, then relative to
    // the current folder like the program's other auxiliary files.
    const QDir dir(QCoreApplication::applicationDirPath());
    QStringList candidates;
    if (const QString shipped = radio::FindDataFile(QStringLiteral("demo.dat")); !shipped.isEmpty())
        candidates << shipped;
    candidates << dir.filePath(QStringLiteral("resources/demo.dat"))
               << dir.filePath(QStringLiteral("../resources/demo.dat"))
               << QStringLiteral("demo.dat") << QStringLiteral("resources/demo.dat");
    return candidates;
}

radio::RadioImage CVirtualRadioHost::InitialMemory(const QStringList& candidates) {
    for (const QString& path : candidates) {
        if (!QFileInfo(path).isFile()) continue;
        radio::RadioImage image;
        if (radio::LoadChannelFile(QFile::encodeName(path).toStdString(), image)) return image;
    }
    return radio::RadioImage::Blank();
}

radio::RadioImage CVirtualRadioHost::Memory() const {
    std::lock_guard lock(m_mutex);  // waits for a running transfer
    return m_radio.memory();
}

void CVirtualRadioHost::SetMemory(const radio::RadioImage& memory) {
    std::lock_guard lock(m_mutex);
    m_radio.SetMemory(memory);
}

void CVirtualRadioHost::SetBaud(int baud) {
    std::lock_guard lock(m_mutex);
    m_radio.SetBaud(baud);
}

void CVirtualRadioHost::SetFaults(const radio::RadioFaults& faults) {
    std::lock_guard lock(m_mutex);
    m_radio.SetFaults(faults);
}

void CVirtualRadioHost::CopySettings(const CVirtualRadioHost& other) {
    if (&other == this) return;
    radio::RadioFaults faults;
    int baud = 0;
    {
        std::lock_guard lock(other.m_mutex);
        faults = other.m_radio.faults();
        baud = other.m_radio.baud();
    }
    std::lock_guard lock(m_mutex);
    m_radio.SetFaults(faults);
    m_radio.SetBaud(baud);
}
