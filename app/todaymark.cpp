#include "app/todaymark.h"

#include "calendar/monthcalendar.h"

void TodayMark::setCalendar(MonthCalendar *calendar)
{
    m_calendar = calendar;
    if (m_calendar)
        m_calendar->setToday(m_today);
}

void TodayMark::setToday(QDate today)
{
    m_today = today;
    if (m_calendar)
        m_calendar->setToday(today);
}
