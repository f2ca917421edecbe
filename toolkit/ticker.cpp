#include "ticker.h"

#include "desktop.h"

#include <QList>
#include <QPointer>

namespace toolkit {

namespace {

constexpr qint64 MsecsPerSecond = 1000;
constexpr qint64 MsecsPerMinute = 60 * MsecsPerSecond;

// The one wake-up shared by every ticker.
class Schedule
{
public:
    static Schedule &instance()
    {
        static Schedule schedule;
        return schedule;
    }

    void add(Ticker *ticker)
    {
        if (!m_connected) {
            m_connected = true;
            // Both a wake-up and a jump bring every running ticker up to date.
            QObject::connect(&desktopEvents(), &DesktopEvents::wake, [this] { tickAll(); });
            QObject::connect(&desktopEvents(), &DesktopEvents::timeChanged, [this] { tickAll(); });
        }
        m_tickers.push_back(ticker);
    }
    void remove(Ticker *ticker)
    {
        m_tickers.removeOne(ticker);
        rearm();
    }

    // Asks for the next boundary a running ticker needs, or for nothing.
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
        desktop().wakeAt(any ? nextTick(desktop().now(), finest) : QDateTime());
    }

private:
    // In creation order: a control ticks before the window that hosts it.
    void tickAll()
    {
        m_ticking = true;
        QList<QPointer<Ticker>> running;
        for (Ticker *ticker : std::as_const(m_tickers))
            if (ticker->isActive())
                running.push_back(ticker);
        for (const QPointer<Ticker> &ticker : running)
            if (ticker && ticker->isActive())
                emit ticker->timeout();
        m_ticking = false;
        rearm();
    }

    QList<Ticker *> m_tickers;
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

// Counted on the local wall clock: a zone's offset changes on a whole
// minute, so the boundary found with the offset in force now is the right
// moment also across a daylight-saving switch (01:59:59 CET is followed
// by 03:00:00 CEST).
QDateTime nextTick(const QDateTime &now, Ticker::Every every)
{
    const qint64 step = every == Ticker::Every::Second ? MsecsPerSecond : MsecsPerMinute;
    const qint64 wall = now.toMSecsSinceEpoch() + qint64(now.offsetFromUtc()) * MsecsPerSecond;
    const qint64 sinceBoundary = ((wall % step) + step) % step;
    return now.addMSecs(step - sinceBoundary);
}

} // namespace toolkit
