#include "calendar/userday.h"

namespace calendar {

namespace {

// A leap year: every day-month that exists in some year exists in it.
constexpr int AnyLeapYear = 2000;
// "dd-mm " before the name.
constexpr int NameStart = 6;

int twoDigits(QStringView text)
{
    if (text.size() != 2 || !text[0].isDigit() || !text[1].isDigit())
        return -1;
    return text[0].digitValue() * 10 + text[1].digitValue();
}

} // namespace

std::optional<UserDay> UserDay::fromEntry(const QString &entry)
{
    const QStringView text(entry);
    if (text.size() <= NameStart || text[2] != u'-' || text[5] != u' ')
        return std::nullopt;
    UserDay day;
    day.day = twoDigits(text.mid(0, 2));
    day.month = twoDigits(text.mid(3, 2));
    day.name = text.mid(NameStart).trimmed().toString();
    if (day.name.isEmpty() || !QDate(AnyLeapYear, day.month, day.day).isValid())
        return std::nullopt;
    return day;
}

QString UserDay::toEntry() const
{
    return QStringLiteral("%1-%2 %3")
        .arg(day, 2, 10, QLatin1Char('0'))
        .arg(month, 2, 10, QLatin1Char('0'))
        .arg(name);
}

QDate UserDay::dateIn(int year) const
{
    if (month == 2 && day == 29 && !QDate::isLeapYear(year))
        return QDate(year, 2, 28);
    return QDate(year, month, day);
}

} // namespace calendar
