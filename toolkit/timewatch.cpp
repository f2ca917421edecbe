#include "toolkit/timewatch.h"

#include <QDir>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QSocketNotifier>

#include <cerrno>
#include <cstdint>
#include <ctime>
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

// Makes the C library read the zone again: it does so only when the value
// of TZ differs from the one it read last (or TZ is unset).
void reloadZone()
{
    const bool set = qEnvironmentVariableIsSet("TZ");
    const QByteArray value = qgetenv("TZ");
    qputenv("TZ", "UTC0");
    tzset();
    if (set)
        qputenv("TZ", value);
    else
        qunsetenv("TZ");
    tzset();
}

} // namespace

TimeWatch::TimeWatch(QObject *parent)
    : QObject(parent)
{
    m_timerFd = timerfd_create(CLOCK_REALTIME, TFD_NONBLOCK | TFD_CLOEXEC);
    if (m_timerFd >= 0) {
        armClockWatch();
        m_clockNotifier = new QSocketNotifier(m_timerFd, QSocketNotifier::Read, this);
        connect(m_clockNotifier, &QSocketNotifier::activated, this, &TimeWatch::clockSet);
    }
    m_zoneWatcher = new QFileSystemWatcher(this);
    connect(m_zoneWatcher, &QFileSystemWatcher::fileChanged, this, &TimeWatch::zoneChanged);
    connect(m_zoneWatcher, &QFileSystemWatcher::directoryChanged, this, &TimeWatch::zoneChanged);
    watchZoneFile();
}

TimeWatch::~TimeWatch()
{
    if (m_timerFd >= 0)
        close(m_timerFd);
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

void TimeWatch::zoneChanged()
{
    // A re-pointed link: the watch still follows the old target.
    m_zoneWatcher->removePath(zoneFile());
    watchZoneFile();
    reloadZone();
    emit changed();
}

// The file and its folder; a file replaced by a rename drops out of the
// watch and is taken up again.
void TimeWatch::watchZoneFile()
{
    const QString file = zoneFile();
    const QString folder = QFileInfo(file).absolutePath();
    QStringList paths;
    if (!m_zoneWatcher->files().contains(file) && QFileInfo::exists(file))
        paths << file;
    if (!m_zoneWatcher->directories().contains(folder) && QFileInfo::exists(folder))
        paths << folder;
    if (!paths.isEmpty())
        m_zoneWatcher->addPaths(paths);
}

} // namespace toolkit
