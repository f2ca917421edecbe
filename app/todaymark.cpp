#include "app/todaymark.h"

#include <QCalendarWidget>
#include <QTextCharFormat>

void TodayMark::setCalendar(QCalendarWidget *calendar)
{
    m_calendar = calendar;
    mark(m_today, true);
}

void TodayMark::setToday(QDate today)
{
    if (today == m_today)
        return;
    mark(m_today, false);
    m_today = today;
    mark(m_today, true);
}

// Today's number is bold and underlined: no colour of its own, so that it
// reads on the selection's highlight and on the weekend's red alike.
void TodayMark::mark(QDate day, bool on)
{
    if (!m_calendar || !day.isValid())
        return;
    QTextCharFormat format;
    if (on) {
        format.setFontWeight(QFont::Bold);
        format.setFontUnderline(true);
    }
    m_calendar->setDateTextFormat(day, format);
}
