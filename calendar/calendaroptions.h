#pragma once

#include "calendar/userday.h"

#include <QList>

namespace toolkit { class ConfFile; }

namespace calendar {

// The calendar's settings, group [Calendar] of Tickora.conf.
struct CalendarOptions {
    bool weekNumbers = true;
    bool holidays = true;
    QList<UserDay> days;

    // A value that makes no sense gives its default; a day entry that makes
    // no sense is left out.
    static CalendarOptions read(const toolkit::ConfFile &file);
    void write(toolkit::ConfFile &file) const;

    // The user's days on a date, by name.
    QStringList userDayNames(QDate date) const;

    bool operator==(const CalendarOptions &) const = default;
};

} // namespace calendar
