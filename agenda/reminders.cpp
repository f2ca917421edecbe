#include "agenda/reminders.h"

#include "agenda/dayline.h"
#include "agenda/notifier.h"
#include "toolkit/desktop.h"

#include <QLocale>

namespace agenda {

namespace {
// Reminders found due this long after their time were missed (a sleep, a
// clock set forward), not merely reached by the timer.
constexpr qint64 LateSecs = 60;
// A timer's interval is an int of milliseconds; a farther reminder is
// reached in steps.
constexpr qint64 MaxTimerMsecs = qint64(20) * 24 * 60 * 60 * 1000;
} // namespace

Reminders::Reminders(Notifier &notifier, QObject *parent)
    : QObject(parent)
    , m_notifier(notifier)
{
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &Reminders::check);
    connect(&toolkit::desktopEvents(), &toolkit::DesktopEvents::timeChanged, this, &Reminders::check);
}

void Reminders::setEnabled(bool on)
{
    m_enabled = on;
    arm();
}

void Reminders::setData(const AgendaData &data)
{
    if (!m_lastChecked.isValid())
        m_lastChecked = toolkit::desktop().now();
    m_pending.clear();
    // Only what is still to come: a file read has hundreds of reminders in
    // the past, and the window's thread does this.
    for (const Reminder &reminder : data.reminders)
        if (reminder.at > m_lastChecked)
            m_pending.push_back({reminder.at, reminder.key, data.occurrences.at(reminder.occurrence)});
    // Keys of reminders no longer read would only grow the set; those read
    // stay, so that a clock set back shows none of them twice.
    QSet<QString> stillThere;
    for (const Reminder &reminder : data.reminders)
        if (m_shown.contains(reminder.key))
            stillThere.insert(reminder.key);
    m_shown = stillThere;
    check();
}

QString Reminders::bodyOf(const Occurrence &o)
{
    const QDate day = o.allDay ? o.firstDay : o.start.toLocalTime().date();
    const QString line = dayLineText(o, day);
    if (day == toolkit::desktop().now().date())
        return line;
    return QLocale().toString(day, QStringLiteral("dddd d MMMM")) + QStringLiteral(", ") + line;
}

void Reminders::check()
{
    const QDateTime now = toolkit::desktop().now();
    if (!m_lastChecked.isValid() || now < m_lastChecked) {
        // Started, or the clock was set back: nothing passed.
        m_lastChecked = now;
        arm();
        return;
    }
    QList<Pending> due;
    for (const Pending &p : std::as_const(m_pending)) {
        if (p.at > now)
            break;
        // Only those that passed since the last look: older ones were over
        // before the program started or the file was read.
        if (p.at > m_lastChecked && !m_shown.contains(p.key))
            due.push_back(p);
    }
    m_lastChecked = now;
    for (const Pending &p : std::as_const(due))
        m_shown.insert(p.key);
    if (m_enabled && !due.isEmpty()) {
        const bool missed = due.size() > 1 && due.first().at.secsTo(now) > LateSecs;
        if (missed) {
            QStringList lines;
            for (const Pending &p : std::as_const(due))
                lines << bodyOf(p.occurrence);
            m_notifier.notify(QStringLiteral("%1 promemoria nel frattempo").arg(due.size()), lines.join(QLatin1Char('\n')));
        } else {
            for (const Pending &p : std::as_const(due))
                m_notifier.notify(p.occurrence.summary, bodyOf(p.occurrence));
        }
    }
    arm();
}

void Reminders::arm()
{
    m_nextDue = QDateTime();
    if (m_enabled) {
        for (const Pending &p : std::as_const(m_pending)) {
            if (p.at > m_lastChecked && !m_shown.contains(p.key)) {
                m_nextDue = p.at;
                break;
            }
        }
    }
    if (!m_nextDue.isValid()) {
        m_timer.stop();
        return;
    }
    const qint64 msecs = std::clamp<qint64>(toolkit::desktop().now().msecsTo(m_nextDue), 0, MaxTimerMsecs);
    m_timer.start(int(msecs));
}

} // namespace agenda
