#include "toolkit/dateformat.h"

namespace toolkit {

QString shortDayMonth(QDate date, const QLocale &locale)
{
    return locale.toString(date, QStringLiteral("dd MMM"));
}

QString longDate(QDate date, const QLocale &locale)
{
    return locale.toString(date, QStringLiteral("dddd, dd MMMM yyyy"));
}

QString clockTime(QTime time)
{
    return QStringLiteral("%1:%2 %3")
        .arg(time.hour())
        .arg(time.minute(), 2, 10, QLatin1Char('0'))
        .arg(time.second(), 2, 10, QLatin1Char('0'));
}

} // namespace toolkit
