#pragma once

#include <QLockFile>
#include <QObject>
#include <QString>

class QSocketNotifier;

namespace toolkit {

// One running copy per user and display. The first start holds a lock file
// and listens on a local socket beside it; a later start finds the lock
// held, asks the running copy through the socket to come forward, and
// learns from its answer that it may end. A lock left by a copy that was
// killed is taken over, its process being gone.
class SingleInstance : public QObject
{
    Q_OBJECT
public:
    // The lock and the socket are "<name>-<display>" in the folder, by
    // default the user's runtime folder (XDG_RUNTIME_DIR).
    explicit SingleInstance(const QString &name, const QString &folder = QString());
    ~SingleInstance() override;

    // True when this is the one running copy (from now on it answers later
    // starts); false when a running copy has answered that it comes forward.
    bool claim();

signals:
    // Another start asked this copy to come forward.
    void activationRequested();

private:
    void listen();
    bool askRunningCopy() const;
    void answer();

    QString m_path; // the socket; the lock file adds a suffix
    QLockFile m_lock;
    int m_listener = -1;
    QSocketNotifier *m_notifier = nullptr;
};

} // namespace toolkit
