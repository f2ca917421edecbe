#include "worldclock/chime.h"

#include "toolkit/desktop.h"
#include "toolkit/eventsound.h"
#include "toolkit/ticker.h"

#include <QTimer>

namespace worldclock {

namespace {

constexpr qint64 MsecsPerHour = 3600 * 1000;
constexpr int HoursOnTheDial = 12;
// More than a day of hours, each tried once: enough to find a loud hour
// whatever the quiet ones and a change of offset in between.
constexpr int HoursToTry = 2 * ChimeOptions::HoursPerDay + 2;

qint64 wallMsecs(const QDateTime &instant)
{
    return instant.toMSecsSinceEpoch() + qint64(instant.offsetFromUtc()) * 1000;
}

// The start of the next hour of the wall clock after t, counted with the
// offset in force at t: across a change of offset this is the moment of
// the change, which shows a whole hour too (01:59:59 CET, then 03:00 CEST).
QDateTime nextHourStart(const QDateTime &t)
{
    const qint64 wall = wallMsecs(t);
    const qint64 sinceHour = ((wall % MsecsPerHour) + MsecsPerHour) % MsecsPerHour;
    return t.addMSecs(MsecsPerHour - sinceHour);
}

// Whether the wall clock already showed this time before: just before the
// last change of offset up to t it read later than t does now.
bool wallTimeRepeated(const QDateTime &t, const QTimeZone &zone)
{
    const QTimeZone::OffsetData change = zone.previousTransition(t.addMSecs(1));
    if (!change.atUtc.isValid())
        return false;
    const QDateTime justBefore = change.atUtc.addMSecs(-1).toTimeZone(zone);
    return wallMsecs(justBefore) >= wallMsecs(t);
}

} // namespace

QDateTime nextChime(const QDateTime &after, const QTimeZone &zone, const ChimeOptions &options)
{
    QDateTime t = after.toTimeZone(zone);
    for (int i = 0; i < HoursToTry; ++i) {
        t = nextHourStart(t);
        const QTime wall = t.time();
        if (wall.minute() != 0 || wall.second() != 0)
            continue; // a change of offset by half an hour
        if (!options.isQuiet(wall.hour()) && !wallTimeRepeated(t, zone))
            return t;
    }
    return {};
}

int strokesFor(const QDateTime &chime, const QTimeZone &zone)
{
    const int hour = chime.toTimeZone(zone).time().hour() % HoursOnTheDial;
    return hour == 0 ? HoursOnTheDial : hour;
}

Chime::Chime(QObject *parent)
    : QObject(parent)
    , m_alarm(new toolkit::Alarm(this))
    , m_strokeTimer(new QTimer(this))
{
    m_strokeTimer->setSingleShot(true);
    m_strokeTimer->setInterval(StrokeSpacingMs);
    connect(m_strokeTimer, &QTimer::timeout, this, &Chime::playStroke);
    connect(m_alarm, &toolkit::Alarm::due, this, &Chime::strike);
    // A jump of the clock: the hours it skipped stay silent.
    connect(&toolkit::desktopEvents(), &toolkit::DesktopEvents::timeChanged, this, &Chime::plan);
}

Chime::~Chime() = default;

void Chime::setOptions(const ChimeOptions &options)
{
    m_options = options;
    plan();
}

void Chime::plan()
{
    if (!m_options.enabled) {
        m_planned = QDateTime();
        m_strokesLeft = 0;
        m_strokeTimer->stop();
    } else {
        const QDateTime now = toolkit::desktop().now();
        m_planned = nextChime(now, now.timeZone(), m_options);
    }
    m_alarm->setAt(m_planned);
}

void Chime::strike()
{
    const QDateTime now = toolkit::desktop().now();
    const bool onTime = m_planned.isValid() && now.toMSecsSinceEpoch() >= m_planned.toMSecsSinceEpoch()
        && m_planned.secsTo(now) <= LateLimitSecs;
    if (onTime) {
        const QTimeZone zone = now.timeZone();
        m_hour = m_planned.toTimeZone(zone).time().hour();
        m_strokesLeft = m_options.sound == ChimeOptions::Sound::Strokes ? strokesFor(m_planned, zone) : 1;
        playStroke();
    }
    plan();
}

// The strokes are spaced by a timer of their own, running only while an
// hour is being struck; the sound itself plays on the library's thread.
void Chime::playStroke()
{
    if (m_strokesLeft <= 0)
        return;
    --m_strokesLeft;
    toolkit::eventSound().play(QString::fromLatin1(BellSound), QStringLiteral("Ore %1").arg(m_hour));
    if (m_strokesLeft > 0)
        m_strokeTimer->start();
}

} // namespace worldclock
