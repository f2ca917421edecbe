#pragma once

#include <QObject>
#include <QStringList>
#include <QTimer>

class QFileSystemWatcher;

namespace agenda {

// Tells when the agenda's files change: one saved in place, replaced by a
// rename, removed, or a new one in a watched folder. The kernel's file
// notifications are gathered for a moment (an editor's save is several of
// them) and told once; nothing is looked at in between.
class FileFollower : public QObject
{
    Q_OBJECT
public:
    static constexpr int SettleMs = 300;

    explicit FileFollower(QObject *parent = nullptr);

    // Watches exactly these; empty lists watch nothing. Called again after
    // each reading, since a file replaced by a rename drops out of a watch.
    void watch(const QStringList &files, const QStringList &folders);

signals:
    void changed();

private:
    QFileSystemWatcher *m_watcher = nullptr;
    QTimer m_settle;
};

} // namespace agenda
