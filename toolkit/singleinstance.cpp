#include "toolkit/singleinstance.h"

#include <QSocketNotifier>

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <cerrno>
#include <cstddef>
#include <cstdlib>
#include <cstring>

// The socket is a plain Unix-domain socket: Qt's local sockets would bring
// in its network library, some 600 KiB of memory at every start for one
// byte of conversation, and know no abstract names.

namespace toolkit {

namespace {

// How long a start waits for the running copy's answer, and for a copy
// that is ending (its name still taken, its socket no longer answering)
// to be gone.
constexpr int AnswerTimeoutMs = 2000;
constexpr int EndingCopyWaitMs = 100;
constexpr int Attempts = 4;
constexpr int Backlog = 4;

// The abstract name's address: a 0 byte, then the name, no terminator.
struct Address
{
    sockaddr_un un{};
    socklen_t length = 0;
};

Address abstractAddress(const QByteArray &name)
{
    Address address;
    address.un.sun_family = AF_UNIX;
    const qsizetype room = qsizetype(sizeof address.un.sun_path) - 1;
    const qsizetype used = std::min(name.size(), room);
    std::memcpy(address.un.sun_path + 1, name.constData(), size_t(used));
    address.length = socklen_t(offsetof(sockaddr_un, sun_path) + 1 + size_t(used));
    return address;
}

int unixSocket(int flags = 0)
{
    return ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | flags, 0);
}

// Abstract names have no owner or permissions: whoever is at the other end
// counts only when it is the same user.
bool sameUser(int socket)
{
    ucred peer{};
    socklen_t length = sizeof peer;
    return ::getsockopt(socket, SOL_SOCKET, SO_PEERCRED, &peer, &length) == 0 && peer.uid == ::getuid();
}

} // namespace

QString SingleInstance::displayKey(const QString &display)
{
    const QByteArray name = display.toLocal8Bit();
    char *host = nullptr;
    int number = 0;
    if (name.isEmpty() || !xcb_parse_display(name.constData(), &host, &number, nullptr))
        return display;
    // The local server is the same whether reached by its socket or by "unix".
    QString hostName = QString::fromLocal8Bit(host);
    std::free(host);
    if (hostName == QLatin1String("unix"))
        hostName.clear();
    return hostName + QLatin1Char(':') + QString::number(number);
}

SingleInstance::SingleInstance(const QString &name, const QString &display)
    : m_name((name + QLatin1Char('-') + QString::number(::getuid()) + QLatin1Char('-') + displayKey(display))
                 .toUtf8())
{
}

SingleInstance::~SingleInstance()
{
    if (m_listener >= 0)
        ::close(m_listener);
}

bool SingleInstance::claim()
{
    for (int attempt = 0; attempt < Attempts; ++attempt) {
        switch (bind()) {
        case Bound::Yes:
            return true;
        case Bound::Failed:
            // No socket to be found by: better a second clock than none.
            return true;
        case Bound::Taken:
            if (askRunningCopy())
                return false;
            break;
        }
        // The copy holding the name is ending, or does not answer yet.
        ::poll(nullptr, 0, EndingCopyWaitMs);
    }
    // A copy holds the name but does not answer (stopped, or another
    // user's): better a second clock than none.
    return true;
}

SingleInstance::Bound SingleInstance::bind()
{
    const Address address = abstractAddress(m_name);
    const int listener = unixSocket(SOCK_NONBLOCK);
    if (listener < 0)
        return Bound::Failed;
    if (::bind(listener, reinterpret_cast<const sockaddr *>(&address.un), address.length) != 0
        || ::listen(listener, Backlog) != 0) {
        const bool taken = errno == EADDRINUSE;
        ::close(listener);
        return taken ? Bound::Taken : Bound::Failed;
    }
    m_listener = listener;
    m_notifier = new QSocketNotifier(m_listener, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &SingleInstance::answer);
    return Bound::Yes;
}

bool SingleInstance::askRunningCopy() const
{
    const Address address = abstractAddress(m_name);
    const int socket = unixSocket();
    pollfd reply{socket, POLLIN, 0};
    char answer = 0;
    const bool answered = socket >= 0
        && ::connect(socket, reinterpret_cast<const sockaddr *>(&address.un), address.length) == 0
        && sameUser(socket) && ::poll(&reply, 1, AnswerTimeoutMs) == 1 && ::read(socket, &answer, 1) == 1;
    if (socket >= 0)
        ::close(socket);
    return answered;
}

void SingleInstance::answer()
{
    for (int caller; (caller = ::accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC)) >= 0; ::close(caller)) {
        if (!sameUser(caller))
            continue;
        emit activationRequested();
        ::send(caller, "1", 1, MSG_NOSIGNAL);
    }
}

} // namespace toolkit
