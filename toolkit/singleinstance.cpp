#include "singleinstance.h"

#include <QDir>
#include <QLocalSocket>
#include <QStandardPaths>

namespace toolkit {

namespace {

// How long a start waits for the running copy's answer, and for a copy
// that is ending (its socket closed, its lock not yet released) to be gone.
constexpr int AnswerTimeoutMs = 2000;
constexpr int EndingCopyWaitMs = 500;
constexpr int Attempts = 4;

// The display this program shows on, fit for a file name (":0" as "0").
QString displayKey()
{
    QString display = qEnvironmentVariable("DISPLAY", qEnvironmentVariable("WAYLAND_DISPLAY"));
    for (QChar &c : display) {
        if (!c.isLetterOrNumber() && c != QLatin1Char('.'))
            c = QLatin1Char('_');
    }
    return display;
}

} // namespace

SingleInstance::SingleInstance(const QString &name, const QString &folder)
    : m_path(QDir(folder.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation) : folder)
                 .filePath(name + QLatin1Char('-') + displayKey())),
      m_lock(m_path + QStringLiteral(".lock"))
{
    // The lock is someone else's as long as its process lives, however old.
    m_lock.setStaleLockTime(0);
    connect(&m_server, &QLocalServer::newConnection, this, &SingleInstance::answer);
}

bool SingleInstance::claim()
{
    for (int attempt = 0; attempt < Attempts; ++attempt) {
        if (m_lock.tryLock(attempt == 0 ? 0 : EndingCopyWaitMs)) {
            // A socket file left by a killed copy would stop the server.
            QLocalServer::removeServer(m_path);
            m_server.setSocketOptions(QLocalServer::UserAccessOption);
            m_server.listen(m_path);
            return true;
        }
        if (askRunningCopy())
            return false;
    }
    // A copy holds the lock but does not answer (stopped, say): better a
    // second clock than none.
    return true;
}

bool SingleInstance::askRunningCopy() const
{
    QLocalSocket socket;
    socket.connectToServer(m_path);
    return socket.waitForConnected(AnswerTimeoutMs) && socket.waitForReadyRead(AnswerTimeoutMs);
}

void SingleInstance::answer()
{
    while (QLocalSocket *socket = m_server.nextPendingConnection()) {
        emit activationRequested();
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        socket->write("1");
        socket->disconnectFromServer();
    }
}

} // namespace toolkit
