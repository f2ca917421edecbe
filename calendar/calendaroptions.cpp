#include "calendar/calendaroptions.h"

#include "toolkit/conffile.h"

namespace calendar {

namespace {
const QString Group = QStringLiteral("Calendar");
const QString WeekNumbersKey = QStringLiteral("WeekNumbers");
const QString HolidaysKey = QStringLiteral("Holidays");
const QString DaysKey = QStringLiteral("Days");
} // namespace

CalendarOptions CalendarOptions::read(const toolkit::ConfFile &file)
{
    CalendarOptions options;
    options.weekNumbers = file.readBool(Group, WeekNumbersKey, options.weekNumbers);
    options.holidays = file.readBool(Group, HolidaysKey, options.holidays);
    for (const QString &entry : file.readList(Group, DaysKey)) {
        if (const std::optional<UserDay> day = UserDay::fromEntry(entry))
            options.days.append(*day);
    }
    return options;
}

void CalendarOptions::write(toolkit::ConfFile &file) const
{
    file.write(Group, WeekNumbersKey, weekNumbers);
    file.write(Group, HolidaysKey, holidays);
    QStringList entries;
    for (const UserDay &day : days)
        entries.append(day.toEntry());
    file.write(Group, DaysKey, entries);
}

QStringList CalendarOptions::userDayNames(QDate date) const
{
    QStringList names;
    for (const UserDay &day : days)
        if (day.dateIn(date.year()) == date)
            names.append(day.name);
    return names;
}

} // namespace calendar
