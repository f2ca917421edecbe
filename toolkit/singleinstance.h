#pragma once

#include <QObject>
#include <QString>

class QSocketNotifier;

namespace toolkit {

// One running copy per user and display, whatever the environment of each
// start. The first start takes a name in Linux's abstract socket namespace
// made of the user's id and the display, and listens there; a later start
// finds the name taken, asks the running copy through it to come forward,
// and learns from its answer that it may end. The kernel lets go of the
// name as soon as its process is gone, however it ended: the name of a
// copy that was killed is free for the next start. No folder of the
// environment (XDG_RUNTIME_DIR) takes part, so a start from a shell
// without it still finds the running clock.
class SingleInstance : public QObject
{
    Q_OBJECT
public:
    // The display as the program was told it (DISPLAY or -display).
    SingleInstance(const QString &name, const QString &display);
    ~SingleInstance() override;

    // True when this is the one running copy (from now on it answers later
    // starts); false when a running copy has answered that it comes forward.
    bool claim();

    // One spelling for every way of naming the same display: ":68",
    // ":68.0" and "unix:68" are all ":68"; a remote one keeps its host.
    static QString displayKey(const QString &display);

signals:
    // Another start, by the same user, asked this copy to come forward.
    void activationRequested();

private:
    enum class Bound { Yes, Taken, Failed };
    Bound bind();
    bool askRunningCopy() const;
    void answer();

    QByteArray m_name; // the abstract socket's name, without its leading 0 byte
    int m_listener = -1;
    QSocketNotifier *m_notifier = nullptr;
};

} // namespace toolkit
