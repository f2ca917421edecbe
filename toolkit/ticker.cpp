#include "toolkit/ticker.h"

#include "toolkit/desktop.h"
#include "toolkit/timeunits.h"

#include <QHash>
#include <QList>
#include <QPointer>

namespace toolkit {

namespace {

// Milliseconds on the local wall clock (since the epoch, plus the zone's
// offset in force).
qint64 wallMsecs(const QDateTime &now)
{
    return now.toMSecsSinceEpoch() + qint64(now.offsetFromUtc()) * MsecsPerSecond;
}

// The one wake-up shared by every ticker.
class Schedule final : public QObject
{
public:
    static Schedule &instance()
    {
        static Schedule schedule;
        return schedule;
    }

    void add(Ticker *ticker)
    {
        connectToDesktop();
        m_tickers.push_back(ticker);
    }
    void remove(Ticker *ticker)
    {
        m_tickers.removeOne(ticker);
        m_minuteTicked.remove(ticker);
        rearm();
    }

    void add(Alarm *alarm)
    {
        connectToDesktop();
        m_alarms.push_back(alarm);
    }
    void remove(Alarm *alarm)
    {
        m_alarms.removeOne(alarm);
        rearm();
    }

    // Asks for the earliest of the next boundary a running ticker needs
    // and the alarms set, or for nothing.
    void rearm()
    {
        if (m_ticking)
            return;
        bool any = false;
        Ticker::Every finest = Ticker::Every::Minute;
        for (const Ticker *ticker : std::as_const(m_tickers)) {
            if (!ticker->isActive())
                continue;
            any = true;
            if (ticker->every() == Ticker::Every::Second)
                finest = Ticker::Every::Second;
        }
        QDateTime when = any ? nextTick(desktop().now(), finest) : QDateTime();
        for (const Alarm *alarm : std::as_const(m_alarms))
            if (alarm->at().isValid() && (!when.isValid() || alarm->at() < when))
                when = alarm->at();
        // A running clock, or an alarm, also follows the jumps no wake-up sees.
        if (when.isValid())
            desktop().watchTimeJumps();
        desktop().wakeAt(when);
    }

private:
    void connectToDesktop()
    {
        if (m_connected)
            return;
        m_connected = true;
        // Both a wake-up and a jump bring every running ticker up to date.
        connect(&desktopEvents(), &DesktopEvents::wake, this, [this] { tickAll(false); });
        connect(&desktopEvents(), &DesktopEvents::timeChanged, this, [this] { tickAll(true); });
    }

    // In creation order: a control ticks before the window that hosts it.
    // A minute ticker woken for another's second ticks only on a new
    // minute; after a jump every running ticker ticks.
    void tickAll(bool jumped)
    {
        m_ticking = true;
        const qint64 minute = wallMsecs(desktop().now()) / MsecsPerMinute;
        QList<QPointer<Ticker>> running;
        for (Ticker *ticker : std::as_const(m_tickers)) {
            if (!ticker->isActive())
                continue;
            if (ticker->every() == Ticker::Every::Minute && !jumped && m_minuteTicked.value(ticker, -1) == minute)
                continue;
            m_minuteTicked[ticker] = minute;
            running.push_back(ticker);
        }
        for (const QPointer<Ticker> &ticker : running)
            if (ticker && ticker->isActive())
                emit ticker->timeout();
        const QDateTime now = desktop().now();
        QList<QPointer<Alarm>> reached;
        for (Alarm *alarm : std::as_const(m_alarms))
            if (alarm->at().isValid() && alarm->at() <= now)
                reached.push_back(alarm);
        for (const QPointer<Alarm> &alarm : reached) {
            if (!alarm)
                continue;
            alarm->setAt(QDateTime());
            emit alarm->due();
        }
        m_ticking = false;
        rearm();
    }

    QList<Ticker *> m_tickers;
    QList<Alarm *> m_alarms;
    QHash<Ticker *, qint64> m_minuteTicked; // the wall-clock minute of each one's last tick
    bool m_connected = false;
    bool m_ticking = false;
};

} // namespace

Ticker::Ticker(QObject *parent)
    : QObject(parent)
{
    Schedule::instance().add(this);
}

Ticker::~Ticker()
{
    m_active = false;
    Schedule::instance().remove(this);
}

void Ticker::setEvery(Every every)
{
    m_every = every;
    Schedule::instance().rearm();
}

void Ticker::start()
{
    m_active = true;
    Schedule::instance().rearm();
}

void Ticker::stop()
{
    m_active = false;
    Schedule::instance().rearm();
}

Alarm::Alarm(QObject *parent)
    : QObject(parent)
{
    Schedule::instance().add(this);
}

Alarm::~Alarm()
{
    Schedule::instance().remove(this);
}

void Alarm::setAt(const QDateTime &when)
{
    if (when == m_at)
        return;
    m_at = when;
    Schedule::instance().rearm();
}

// Counted on the local wall clock: a zone's offset changes on a whole
// minute, so the boundary found with the offset in force now is the right
// moment also across a daylight-saving switch (01:59:59 CET is followed
// by 03:00:00 CEST).
QDateTime nextTick(const QDateTime &now, Ticker::Every every)
{
    const qint64 step = every == Ticker::Every::Second ? MsecsPerSecond : MsecsPerMinute;
    const qint64 wall = wallMsecs(now);
    const qint64 sinceBoundary = ((wall % step) + step) % step;
    return now.addMSecs(step - sinceBoundary);
}

} // namespace toolkit
