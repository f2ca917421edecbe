#include "agenda/filefollower.h"

#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QSet>

namespace agenda {

FileFollower::FileFollower(QObject *parent)
    : QObject(parent)
{
    m_settle.setSingleShot(true);
    m_settle.setInterval(SettleMs);
    connect(&m_settle, &QTimer::timeout, this, &FileFollower::changed);
}

void FileFollower::watch(const QStringList &files, const QStringList &folders)
{
    QStringList wanted = files + folders;
    wanted.removeDuplicates();
    if (wanted.isEmpty()) {
        // No agenda: no watch, no descriptor.
        delete m_watcher;
        m_watcher = nullptr;
        m_settle.stop();
        return;
    }
    if (!m_watcher) {
        m_watcher = new QFileSystemWatcher(this);
        connect(m_watcher, &QFileSystemWatcher::fileChanged, &m_settle, qOverload<>(&QTimer::start));
        connect(m_watcher, &QFileSystemWatcher::directoryChanged, &m_settle, qOverload<>(&QTimer::start));
    }
    const QSet<QString> keep(wanted.cbegin(), wanted.cend());
    QStringList gone;
    for (const QString &path : m_watcher->files() + m_watcher->directories())
        if (!keep.contains(path))
            gone << path;
    if (!gone.isEmpty())
        m_watcher->removePaths(gone);
    QSet<QString> watched;
    for (const QString &path : m_watcher->files() + m_watcher->directories())
        watched.insert(path);
    QStringList added;
    for (const QString &path : std::as_const(wanted))
        if (!watched.contains(path) && QFileInfo::exists(path))
            added << path;
    // A path that does not exist (a missing file, a folder not made yet)
    // is left to its folder's watch, which tells when it comes.
    if (!added.isEmpty())
        m_watcher->addPaths(added);
}

} // namespace agenda
