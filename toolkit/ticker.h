#pragma once

#include <QDateTime>
#include <QObject>

namespace toolkit {

// A timer that ticks on the wall clock's seconds or minutes. All tickers of
// the program share one wake-up, asked of the desktop for the next second
// or minute boundary that a running ticker needs: with every ticker stopped
// nothing is asked for and the program sleeps. When the time of day jumps
// (the clock set, a resume, a new time zone) every running ticker ticks at
// once.
class Ticker : public QObject
{
    Q_OBJECT
public:
    enum class Every { Second, Minute };

    explicit Ticker(QObject *parent = nullptr);
    ~Ticker() override;

    Every every() const { return m_every; }
    void setEvery(Every every);
    bool isActive() const { return m_active; }
    void start();
    void stop();

signals:
    void timeout();

private:
    Every m_every = Every::Second;
    bool m_active = false;
};

// One moment the program's one wake-up waits for as well, beside the
// tickers' boundaries: an hourly chime wakes a hidden clock only then, and
// a shown clock, whose tickers wake it at that second anyway, not at all.
// due() is sent by the first wake-up or time jump that finds the moment
// reached, late ones included (after a sleep or a clock set forward): the
// receiver tells a late one by the time. Then the alarm is unset.
class Alarm : public QObject
{
    Q_OBJECT
public:
    explicit Alarm(QObject *parent = nullptr);
    ~Alarm() override;

    QDateTime at() const { return m_at; }
    // An invalid moment unsets it.
    void setAt(const QDateTime &when);

signals:
    void due();

private:
    QDateTime m_at;
};

// The first moment after now on which a ticker ticks: the next second or
// minute of the local wall clock, in now's time zone.
QDateTime nextTick(const QDateTime &now, Ticker::Every every);

} // namespace toolkit
