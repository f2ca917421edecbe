#include "agenda/dayline.h"

namespace agenda {

namespace {

const QChar EnDash(0x2013);
const QChar Ellipsis(0x2026);

QString hoursMinutes(const QDateTime &t)
{
    return t.time().toString(QStringLiteral("HH:mm"));
}

} // namespace

QString dayLineText(const Occurrence &occurrence, QDate day)
{
    if (occurrence.allDay)
        return occurrence.summary;
    const QDateTime start = occurrence.start.toLocalTime();
    const QDateTime end = occurrence.end.toLocalTime();
    const bool startsOnDay = start.date() == day;
    const bool endsOnDay = end.date() == day;
    QString times;
    if (startsOnDay && (endsOnDay || end == start))
        times = end == start ? hoursMinutes(start) : hoursMinutes(start) + EnDash + hoursMinutes(end);
    else if (startsOnDay)
        times = hoursMinutes(start) + EnDash + Ellipsis;
    else if (endsOnDay && end.time() != QTime(0, 0))
        times = QString(Ellipsis) + EnDash + hoursMinutes(end);
    return times.isEmpty() ? occurrence.summary : times + QLatin1Char(' ') + occurrence.summary;
}

bool notEnded(const Occurrence &occurrence, const QDateTime &now)
{
    if (occurrence.allDay)
        return occurrence.lastDay >= now.date();
    return std::max(occurrence.start, occurrence.end) > now;
}

} // namespace agenda
