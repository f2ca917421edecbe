#pragma once

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QString>

// Dates and times as the clock writes them, in the user's locale.
namespace toolkit {

// "dd mmm": two-digit day, a blank, the abbreviated month name ("06 dic").
QString shortDayMonth(QDate date, const QLocale &locale = QLocale());

// "dddd, dd mmmm yyyy": "domenica, 06 dicembre 2026".
QString longDate(QDate date, const QLocale &locale = QLocale());

// The hour without a leading zero, ":", two-digit minutes, a blank and
// two-digit seconds: 9:05 07.
QString clockTime(QTime time);

} // namespace toolkit
