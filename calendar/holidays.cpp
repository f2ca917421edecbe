#include "calendar/holidays.h"

namespace calendar {

namespace {

// The first year from which 2 June is a holiday on its own day again (it
// was moved to the first Sunday of June from 1977 to 2000).
constexpr int RepublicDayBackFrom = 2001;
// San Francesco d'Assisi is a national holiday again from 2026.
constexpr int SaintFrancisFrom = 2026;

struct FixedHoliday {
    int month;
    int day;
    const char *name;
    int fromYear;
};

// UTF-8 names, as the law lists them.
constexpr FixedHoliday FixedHolidays[] = {
    {1, 1, "Capodanno", 0},
    {1, 6, "Epifania", 0},
    {4, 25, "Festa della Liberazione", 0},
    {5, 1, "Festa del Lavoro", 0},
    {6, 2, "Festa della Repubblica", RepublicDayBackFrom},
    {8, 15, "Ferragosto", 0},
    {10, 4, "San Francesco d'Assisi", SaintFrancisFrom},
    {11, 1, "Ognissanti", 0},
    {12, 8, "Immacolata Concezione", 0},
    {12, 25, "Natale", 0},
    {12, 26, "Santo Stefano", 0},
};

} // namespace

// The anonymous Gregorian algorithm (Meeus/Jones/Butcher): the epact from
// the Metonic cycle with the solar and lunar corrections of the reform,
// then the Sunday after the paschal full moon.
QDate easterSunday(int year)
{
    const int a = year % 19;
    const int b = year / 100;
    const int c = year % 100;
    const int d = b / 4;
    const int e = b % 4;
    const int f = (b + 8) / 25;
    const int g = (b - f + 1) / 3;
    const int h = (19 * a + b - d - g + 15) % 30;
    const int i = c / 4;
    const int k = c % 4;
    const int l = (32 + 2 * e + 2 * i - h - k) % 7;
    const int m = (a + 11 * h + 22 * l) / 451;
    const int month = (h + l - 7 * m + 114) / 31;
    const int day = (h + l - 7 * m + 114) % 31 + 1;
    return QDate(year, month, day);
}

QList<Holiday> italianHolidays(int year)
{
    QList<Holiday> holidays;
    const QDate easter = easterSunday(year);
    const QList<Holiday> movable{{easter, QStringLiteral("Pasqua")},
                                 {easter.addDays(1), QString::fromUtf8("Lunedì dell'Angelo")}};
    holidays.reserve(int(std::size(FixedHolidays)) + int(movable.size()));
    for (const FixedHoliday &fixed : FixedHolidays) {
        if (year >= fixed.fromYear)
            holidays.append({QDate(year, fixed.month, fixed.day), QString::fromUtf8(fixed.name)});
    }
    // Easter falls between 22 March and 25 April: before every fixed day
    // from 25 April on, and on 25 April after Liberation Day's entry.
    for (const Holiday &holiday : movable) {
        auto at = std::find_if(holidays.begin(), holidays.end(),
                               [&](const Holiday &h) { return h.date > holiday.date; });
        holidays.insert(at, holiday);
    }
    return holidays;
}

QStringList holidayNames(QDate date)
{
    QStringList names;
    if (!date.isValid())
        return names;
    for (const Holiday &holiday : italianHolidays(date.year()))
        if (holiday.date == date)
            names.append(holiday.name);
    return names;
}

} // namespace calendar
