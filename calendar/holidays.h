#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

// Italy's national holidays, worked out from the date alone: no data file
// to go stale, no network.
namespace calendar {

struct Holiday {
    QDate date;
    QString name;
    bool operator==(const Holiday &) const = default;
};

// Easter Sunday of a Gregorian year (the computus of the Gregorian reform).
QDate easterSunday(int year);

// The holidays of a year, by date; two on one day (Easter Monday on
// 25 April) are two entries, in the order of the list of the law.
QList<Holiday> italianHolidays(int year);

// The names of the holidays on a day; empty on a working day.
QStringList holidayNames(QDate date);

} // namespace calendar
