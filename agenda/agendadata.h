#pragma once

#include <QDate>
#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

namespace agenda {

// Days the reader expands recurrences for, both ends included.
struct DateRange
{
    QDate from;
    QDate to;
    bool operator==(const DateRange &) const = default;
};

// One occurrence of an event. A timed one is held as instants in UTC (or,
// for a floating time, as the local wall time it names), so that it is
// shown in whatever zone is in force when it is shown.
struct Occurrence
{
    QDateTime start;
    QDateTime end;
    QDate firstDay; // all-day: the first and the last day it covers
    QDate lastDay;
    QString summary;
    int source = 0;
    bool allDay = false;
};

// A reminder of one occurrence, and what tells it apart across reloads.
struct Reminder
{
    QDateTime at;
    int occurrence = 0; // in AgendaData::occurrences
    QString key;
};

// Everything read from the sources for a set of days.
struct AgendaData
{
    QList<Occurrence> occurrences;
    QList<Reminder> reminders; // in time order
    QStringList errors;        // one line per source that has a problem
    // Per local day, the occurrences on it: all-day ones first, then by
    // start. Built with the zone in force when the data was read.
    QHash<QDate, QList<int>> days;
    // What to watch for changes: the files read, and the folders that tell
    // of new, renamed or removed ones.
    QStringList watchFiles;
    QStringList watchFolders;
};

} // namespace agenda
