#pragma once

#include <QDate>
#include <QString>
#include <optional>

namespace calendar {

// One of the user's own yearly days (a patron saint, a birthday): a name
// and a day of a month, the same every year.
struct UserDay {
    int day = 1;
    int month = 1;
    QString name;

    // "dd-mm Name", as Tickora.conf keeps it ("07-12 Sant'Ambrogio");
    // nothing for an entry that makes no sense (no name, 31-04).
    static std::optional<UserDay> fromEntry(const QString &entry);
    QString toEntry() const;

    // The day in a given year: 29 February falls on 28 February in a
    // common year.
    QDate dateIn(int year) const;

    bool operator==(const UserDay &) const = default;
};

} // namespace calendar
