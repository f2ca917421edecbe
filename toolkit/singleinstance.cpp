#include "toolkit/singleinstance.h"

#include <QDir>
#include <QFile>
#include <QSocketNotifier>
#include <QStandardPaths>

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>

// The socket is a plain Unix-domain socket: Qt's local sockets would bring
// in its network library, some 600 KiB of memory at every start for one
// byte of conversation.

namespace toolkit {

namespace {

// How long a start waits for the running copy's answer, and for a copy
// that is ending (its socket closed, its lock not yet released) to be gone.
constexpr int AnswerTimeoutMs = 2000;
constexpr int EndingCopyWaitMs = 500;
constexpr int Attempts = 4;
constexpr int Backlog = 4;

// The display this program shows on, fit for a file name (":0" as "_0").
QString displayKey()
{
    QString display = qEnvironmentVariable("DISPLAY", qEnvironmentVariable("WAYLAND_DISPLAY"));
    for (QChar &c : display) {
        if (!c.isLetterOrNumber() && c != QLatin1Char('.'))
            c = QLatin1Char('_');
    }
    return display;
}

// The socket's address; empty when the path does not fit.
sockaddr_un socketAddress(const QString &path)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray name = QFile::encodeName(path);
    if (name.size() < qsizetype(sizeof address.sun_path))
        std::memcpy(address.sun_path, name.constData(), name.size());
    return address;
}

int unixSocket(int flags = 0)
{
    return ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | flags, 0);
}

} // namespace

SingleInstance::SingleInstance(const QString &name, const QString &folder)
    : m_path(QDir(folder.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation) : folder)
                 .filePath(name + QLatin1Char('-') + displayKey())),
      m_lock(m_path + QStringLiteral(".lock"))
{
    // The lock is someone else's as long as its process lives, however old.
    m_lock.setStaleLockTime(0);
}

SingleInstance::~SingleInstance()
{
    if (m_listener >= 0) {
        ::close(m_listener);
        QFile::remove(m_path);
    }
}

bool SingleInstance::claim()
{
    for (int attempt = 0; attempt < Attempts; ++attempt) {
        if (m_lock.tryLock(attempt == 0 ? 0 : EndingCopyWaitMs)) {
            listen();
            return true;
        }
        if (askRunningCopy())
            return false;
    }
    // A copy holds the lock but does not answer (stopped, say): better a
    // second clock than none.
    return true;
}

void SingleInstance::listen()
{
    const sockaddr_un address = socketAddress(m_path);
    if (address.sun_path[0] == 0)
        return;
    // A socket file left by a killed copy would stop the bind.
    ::unlink(address.sun_path);
    m_listener = unixSocket(SOCK_NONBLOCK);
    if (m_listener < 0 || ::bind(m_listener, reinterpret_cast<const sockaddr *>(&address), sizeof address) != 0
        || ::listen(m_listener, Backlog) != 0)
        return;
    m_notifier = new QSocketNotifier(m_listener, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &SingleInstance::answer);
}

bool SingleInstance::askRunningCopy() const
{
    const sockaddr_un address = socketAddress(m_path);
    const int socket = unixSocket();
    pollfd reply{socket, POLLIN, 0};
    char answer = 0;
    const bool answered = socket >= 0 && address.sun_path[0] != 0
        && ::connect(socket, reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0
        && ::poll(&reply, 1, AnswerTimeoutMs) == 1 && ::read(socket, &answer, 1) == 1;
    if (socket >= 0)
        ::close(socket);
    return answered;
}

void SingleInstance::answer()
{
    for (int caller; (caller = ::accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC)) >= 0; ::close(caller)) {
        emit activationRequested();
        ::send(caller, "1", 1, MSG_NOSIGNAL);
    }
}

} // namespace toolkit
