#include "desktop/document/disk_file.h"

#include <QFile>
#include <QFileInfo>

namespace {
constexpr int kSettleMs = 250;
}

CDiskFile::CDiskFile(QObject* parent) : QObject(parent) {
    m_settle.setSingleShot(true);
    m_settle.setInterval(kSettleMs);
    connect(&m_settle, &QTimer::timeout, this, &CDiskFile::OnSettled);
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, &CDiskFile::OnWatcherSignal);
    // A save by rename puts a new file under the name; the folder tells when that happens.
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, &CDiskFile::OnWatcherSignal);
}

void CDiskFile::Track(const QString& path, const radio::FileStamp& stamp) {
    m_path = QFileInfo(path).absoluteFilePath();
    m_stamp = stamp;
    m_reported = stamp;
    Watch();
}

void CDiskFile::Stop() {
    m_settle.stop();
    m_path.clear();
    m_stamp = {};
    m_reported = {};
    if (!m_watcher.files().isEmpty()) m_watcher.removePaths(m_watcher.files());
    if (!m_watcher.directories().isEmpty()) m_watcher.removePaths(m_watcher.directories());
}

radio::FileStamp CDiskFile::Current() const {
    radio::FileStamp now;
    if (!m_path.isEmpty()) (void)radio::StampFile(QFile::encodeName(m_path).toStdString(), now);
    return now;  // unreadable: the empty stamp, as if missing
}

bool CDiskFile::ChangedOnDisk() const { return !m_path.isEmpty() && Current() != m_stamp; }

void CDiskFile::Watch() {
    if (!m_watcher.files().isEmpty()) m_watcher.removePaths(m_watcher.files());
    if (!m_watcher.directories().isEmpty()) m_watcher.removePaths(m_watcher.directories());
    if (m_path.isEmpty()) return;
    if (QFileInfo::exists(m_path)) m_watcher.addPath(m_path);
    m_watcher.addPath(QFileInfo(m_path).absolutePath());
}

void CDiskFile::OnWatcherSignal() {
    if (m_path.isEmpty()) return;
    // The watch of a replaced file ends with the old file: watch the new one.
    if (!m_watcher.files().contains(m_path) && QFileInfo::exists(m_path)) m_watcher.addPath(m_path);
    m_settle.start();
}

void CDiskFile::OnSettled() {
    if (m_path.isEmpty()) return;
    const radio::FileStamp now = Current();
    if (now == m_stamp || now == m_reported) return;  // our own save, or told already
    m_reported = now;
    emit changedOnDisk();
}
