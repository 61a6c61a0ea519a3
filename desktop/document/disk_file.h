#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

#include "core/image/file_lock.h"

// The file a document was opened from or saved to, as it was then (size, time, hash of its
// bytes), watched for changes by other programs: a save must not silently overwrite what
// another program wrote meanwhile, and the user should hear about it when it happens.
class CDiskFile : public QObject {
    Q_OBJECT
  public:
    explicit CDiskFile(QObject* parent = nullptr);

    // The document now holds `path` as `stamp` says it was (after an open, a save, a reload).
    void Track(const QString& path, const radio::FileStamp& stamp);
    // No file of the user's (a new document, a backup).
    void Stop();

    const QString& path() const { return m_path; }
    const radio::FileStamp& stamp() const { return m_stamp; }
    // What the file is now; a file that cannot be read counts as missing.
    radio::FileStamp Current() const;
    // True when a file is tracked and it is no longer what the document holds.
    bool ChangedOnDisk() const;

  signals:
    // The tracked file changed on disk (or went away); once for each new state of it.
    void changedOnDisk();

  private:
    void OnWatcherSignal();
    void OnSettled();
    void Watch();

    QFileSystemWatcher m_watcher;
    QTimer m_settle;  // a program writes a file in steps: look once it has finished
    QString m_path;
    radio::FileStamp m_stamp;
    radio::FileStamp m_reported;  // the last state signalled, so one change is told once
};
