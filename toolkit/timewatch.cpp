#include "toolkit/timewatch.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSocketNotifier>

#include <array>
#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <sys/inotify.h>
#include <sys/timerfd.h>
#include <unistd.h>

namespace toolkit {

namespace {

// Far enough never to come (the year 2223), near enough for every kernel.
constexpr time_t FarFuture = 8'000'000'000;

// The file the C library reads the local zone from.
QString zoneFile()
{
    QString tz = qEnvironmentVariable("TZ");
    if (!qEnvironmentVariableIsSet("TZ"))
        return QStringLiteral("/etc/localtime");
    if (tz.startsWith(u':'))
        tz.remove(0, 1);
    if (QDir::isAbsolutePath(tz))
        return tz;
    const QString folder = qEnvironmentVariable("TZDIR", QStringLiteral("/usr/share/zoneinfo"));
    return folder + u'/' + tz;
}

// TZ rewritten once so that a byte of it can be flipped in place, naming
// the same file either way, and the environment never grows, shrinks or
// moves. A zone's name stays relative ("././Europe/Rome" or
// ".///Europe/Rome"): Qt's time zones read TZ too and find only names under
// the zone folder. A path stays a path ("/./path" or "///path").
constexpr std::size_t MaxZonePath = 4096;
std::array<char, MaxZonePath + 8> zoneEntry{};
std::size_t flipIndex = 0; // none until TZ is settled

// Makes the C library read the zone again: with TZ unset it looks whether
// the file changed by itself; with TZ set, only when TZ's value changed.
void reloadZone()
{
    if (flipIndex > 0) {
        std::atomic_ref<char> flip(zoneEntry[flipIndex]);
        flip.store(flip.load() == '.' ? '/' : '.');
    }
    tzset();
}

// A zone file's events that concern the zone: its content or its links.
constexpr std::uint32_t FileEvents = IN_MODIFY | IN_CLOSE_WRITE | IN_ATTRIB | IN_DELETE_SELF | IN_MOVE_SELF;
// The folder's events that replace or remove an entry.
constexpr std::uint32_t FolderEvents = IN_CREATE | IN_MOVED_TO | IN_DELETE | IN_MOVED_FROM | IN_ONLYDIR;

} // namespace

void TimeWatch::settleZoneVariable()
{
    if (!qEnvironmentVariableIsSet("TZ"))
        return; // the C library notices a changed /etc/localtime by itself
    const QString file = zoneFile();
    QString tz = qEnvironmentVariable("TZ");
    if (tz.startsWith(u':'))
        tz.remove(0, 1);
    const bool named = !QDir::isAbsolutePath(tz);
    const QByteArray value = QFile::encodeName(named ? tz : QFileInfo(file).absoluteFilePath());
    // A rule such as "CET-1CEST" names no file and never changes.
    if (!QFileInfo::exists(file) || std::size_t(value.size()) > MaxZonePath)
        return;
    std::snprintf(zoneEntry.data(), zoneEntry.size(), named ? "TZ=././%s" : "TZ=/.%s", value.constData());
    if (putenv(zoneEntry.data()) == 0)
        flipIndex = named ? 5 : 4; // the dot after "TZ=./", or after "TZ=/"
}

TimeWatch::TimeWatch(QObject *parent)
    : QObject(parent), m_zoneFile(zoneFile())
{
    m_timerFd = timerfd_create(CLOCK_REALTIME, TFD_NONBLOCK | TFD_CLOEXEC);
    if (m_timerFd >= 0) {
        armClockWatch();
        m_clockNotifier = new QSocketNotifier(m_timerFd, QSocketNotifier::Read, this);
        connect(m_clockNotifier, &QSocketNotifier::activated, this, &TimeWatch::clockSet);
    }
    m_inotifyFd = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (m_inotifyFd >= 0) {
        const QByteArray folder = QFile::encodeName(QFileInfo(m_zoneFile).absolutePath());
        inotify_add_watch(m_inotifyFd, folder.constData(), FolderEvents);
        watchZoneFile();
        m_zoneNotifier = new QSocketNotifier(m_inotifyFd, QSocketNotifier::Read, this);
        connect(m_zoneNotifier, &QSocketNotifier::activated, this, &TimeWatch::zoneEvents);
    }
}

TimeWatch::~TimeWatch()
{
    if (m_timerFd >= 0)
        close(m_timerFd);
    if (m_inotifyFd >= 0)
        close(m_inotifyFd);
}

void TimeWatch::armClockWatch()
{
    itimerspec when{};
    when.it_value.tv_sec = FarFuture;
    timerfd_settime(m_timerFd, TFD_TIMER_ABSTIME | TFD_TIMER_CANCEL_ON_SET, &when, nullptr);
}

void TimeWatch::clockSet()
{
    // A cancelled timer reads ECANCELED and must be armed again.
    std::uint64_t expirations = 0;
    while (read(m_timerFd, &expirations, sizeof expirations) < 0 && errno == EINTR) {
    }
    armClockWatch();
    emit changed();
}

// The file itself, through a link to wherever it points now; a file
// replaced by a rename, or a link re-pointed, is taken up again.
void TimeWatch::watchZoneFile()
{
    if (m_fileWatch >= 0)
        inotify_rm_watch(m_inotifyFd, m_fileWatch);
    m_fileWatch = inotify_add_watch(m_inotifyFd, QFile::encodeName(m_zoneFile).constData(), FileEvents);
}

void TimeWatch::zoneEvents()
{
    alignas(inotify_event) std::array<char, 4096> buffer;
    const QByteArray name = QFile::encodeName(QFileInfo(m_zoneFile).fileName());
    bool concernsZone = false;
    ssize_t length = 0;
    while ((length = read(m_inotifyFd, buffer.data(), buffer.size())) > 0) {
        for (ssize_t at = 0; at < length;) {
            const auto *event = reinterpret_cast<const inotify_event *>(buffer.data() + at);
            const bool ofFile = event->wd == m_fileWatch && (event->mask & FileEvents);
            const bool ofEntry = event->len > 0 && std::strcmp(event->name, name.constData()) == 0;
            concernsZone = concernsZone || ofFile || ofEntry;
            at += ssize_t(sizeof(inotify_event) + event->len);
        }
    }
    if (!concernsZone)
        return;
    watchZoneFile();
    reloadZone();
    emit changed();
}

} // namespace toolkit
