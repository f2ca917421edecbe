#pragma once

#include <QColor>
#include <QDate>
#include <QList>
#include <QString>
#include <functional>

namespace calendar {

// One line about a day beyond holidays and the user's days: what the day's
// tooltip and a screen reader list after them, with the colour of its mark
// in the month grid (one mark per distinct colour, a few at most).
struct DayNote {
    QString text;   // e.g. "09:30–10:00 Dentista"
    QColor color;   // the mark's colour
};
using DayNotesProvider = std::function<QList<DayNote>(const QDate &)>;

} // namespace calendar
