#pragma once

#include <QDate>
#include <QPointer>

class MonthCalendar;

// Marks today on the month calendar, apart from its selection: the
// selection is the user's (a click moves it), the mark follows the clock.
// The owner tells it the day whenever the day may have changed (at
// midnight, after the clock jumped); the calendar may come later.
class TodayMark
{
public:
    void setCalendar(MonthCalendar *calendar);
    void setToday(QDate today);
    QDate today() const { return m_today; }

private:
    QPointer<MonthCalendar> m_calendar;
    QDate m_today;
};
