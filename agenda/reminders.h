#pragma once

#include "agenda/agendadata.h"

#include <QObject>
#include <QSet>
#include <QTimer>

namespace agenda {

class Notifier;

// Shows each reminder once, at its time. A reminder whose time passed
// while the machine slept (or the clock was set forward) shows at the
// wake-up; several such show as one summary. One single-shot timer is
// armed, for the next pending reminder only; the clock's jumps come from
// the desktop's events.
class Reminders : public QObject
{
    Q_OBJECT
public:
    explicit Reminders(Notifier &notifier, QObject *parent = nullptr);

    void setEnabled(bool on);
    // The reminders of newly read data; those already shown stay shown.
    void setData(const AgendaData &data);
    // The moment the timer is armed for; invalid when none is pending.
    QDateTime nextDue() const { return m_nextDue; }
    // Shows what is due now.
    void check();

private:
    struct Pending
    {
        QDateTime at;
        QString key;
        Occurrence occurrence; // told in words only when shown
    };
    static QString bodyOf(const Occurrence &occurrence);
    void arm();

    Notifier &m_notifier;
    QList<Pending> m_pending; // in time order
    QSet<QString> m_shown;
    QDateTime m_lastChecked;
    QDateTime m_nextDue;
    QTimer m_timer;
    bool m_enabled = true;
};

} // namespace agenda
