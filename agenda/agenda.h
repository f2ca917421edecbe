#pragma once

#include "agenda/agendadata.h"
#include "agenda/agendaoptions.h"

#include <QFutureWatcher>
#include <QObject>
#include <QThreadPool>

namespace agenda {

class FileFollower;
class Notifier;
class Reminders;

// A line of a day's list, with the colour of its source.
struct DayLine
{
    QString text;
    QColor color;
    bool operator==(const DayLine &) const = default;
};

// The user's agenda: reads the sources off the window's thread, follows
// their files, answers what is on a day, and shows the reminders. With no
// source switched on it reads, watches and arms nothing.
class Agenda : public QObject
{
    Q_OBJECT
public:
    // Days read around the shown month, and ahead of today for reminders.
    static constexpr int MarginDays = 7;
    static constexpr int AheadDays = 35;

    // notifier: where reminders go; the real desktop's when none is given.
    explicit Agenda(Notifier *notifier = nullptr, QObject *parent = nullptr);
    ~Agenda() override;

    const AgendaOptions &options() const { return m_options; }
    void setOptions(const AgendaOptions &options);
    bool active() const { return m_options.active(); }

    // The month the calendar shows (any day of it).
    void setShownMonth(QDate day);

    // The day's events, all-day ones first, then by start.
    QList<DayLine> dayLines(QDate day) const;
    // What is still to come on the day: all of it, or for today what has
    // not ended yet.
    QList<DayLine> nextLines(QDate day) const;
    // One line per source with a problem.
    QStringList errors() const { return m_data.errors; }

    Reminders &reminders() { return *m_reminders; }

    // Whether the reader's thread is busy, reading or freeing what the
    // last reading replaced (tests and benchmarks wait on it).
    bool isReading() const { return m_reading || !m_freeing.isFinished(); }

signals:
    // New events were read: marks, tooltips and lists are to be redrawn.
    void changed();

private:
    void reload();
    void takeResult();
    QList<DateRange> ranges() const;
    QColor colorOf(int source) const;

    AgendaOptions m_options;
    QDate m_shownMonth;
    AgendaData m_data;
    std::unique_ptr<Notifier> m_ownNotifier;
    Reminders *m_reminders = nullptr;
    FileFollower *m_follower = nullptr;
    // One reader at a time: libical's zone cache is shared.
    QThreadPool m_pool;
    QFutureWatcher<AgendaData> m_result;
    QFuture<void> m_freeing;
    bool m_reading = false;
    bool m_readAgain = false;
};

} // namespace agenda
