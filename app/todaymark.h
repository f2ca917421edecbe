#pragma once

#include <QDate>
#include <QPointer>

class QCalendarWidget;

// Marks today on the month calendar, apart from its selection: the
// selection is the user's (a click moves it), the mark follows the clock.
// The owner tells it the day whenever the day may have changed (at
// midnight, after the clock jumped); the calendar may come later.
class TodayMark
{
public:
    void setCalendar(QCalendarWidget *calendar);
    void setToday(QDate today);
    QDate today() const { return m_today; }

private:
    void mark(QDate day, bool on);

    QPointer<QCalendarWidget> m_calendar;
    QDate m_today;
};
